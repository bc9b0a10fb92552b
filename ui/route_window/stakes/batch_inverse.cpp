#include "ui/route_window/stakes/batch_inverse.h"

#include "compute/route_station_text.h"

#include <cmath>

#include "compute/route_text.h"
#include "core/numbers/number_text.h"
#include "core/files/point_file.h"

namespace tarvelo {

const std::array<const char*, kAnswerColumns> kAnswerCaptions = {"点名", "X",    "Y",
                                                                  "桩号", "偏距", "左右"};

namespace {

// The side of an offset as it is shown (3 decimals): 0.0004 right is "中".
const char* Side(double offset)
{
    if (std::fabs(offset) < 0.0005) return "中";
    return offset < 0 ? "左" : "右";
}

}  // namespace

SurveyedPointsRead ReadSurveyedPoints(std::string_view utf8)
{
    const PointFileContent read = ParsePointFile(utf8);
    SurveyedPointsRead out;
    out.errors = read.errors;
    for (const SurveyPoint& p : read.points) out.points.push_back({p.name, p.x, p.y, p.line});
    return out;
}

std::vector<InverseAnswer> InverseAll(const RouteInverse& inverse,
                                      const std::vector<SurveyedPoint>& points)
{
    std::vector<InverseAnswer> out;
    out.reserve(points.size());
    for (const SurveyedPoint& p : points) out.push_back({p, inverse.Find(p.x, p.y)});
    return out;
}

AnswerTexts AnswerTextsOf(const Route& route, const InverseAnswer& a)
{
    AnswerTexts t;
    t[kAnswerName] = a.point.name;
    t[kAnswerX] = FormatFixed(a.point.x, 4);
    t[kAnswerY] = FormatFixed(a.point.y, 4);
    if (a.foot.outcome == RouteFootOutcome::Outside) {
        t[kAnswerStation] = kOutsideText;
        return t;
    }
    t[kAnswerStation] = RouteStationText(route, a.foot.station);
    t[kAnswerOffset] = FormatFixed(std::fabs(a.foot.offset), 3);
    t[kAnswerSide] = Side(a.foot.offset);
    return t;
}

std::string FootText(const Route& route, const RouteFoot& foot)
{
    if (foot.outcome == RouteFootOutcome::Outside) return kOutsideText;
    return RouteStationText(route, foot.station) + "  " + Side(foot.offset) + " " +
           FormatFixed(std::fabs(foot.offset), 3) + " m";
}

}  // namespace tarvelo
