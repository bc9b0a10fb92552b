#include "ui/route_window/stakes/batch_inverse.h"

#include "compute/route_station_text.h"

#include <cmath>

#include "compute/route_text.h"
#include "core/numbers/number_text.h"
#include "core/files/text_table.h"

namespace tarvelo {

const std::array<const char*, kAnswerColumns> kAnswerCaptions = {"点名", "X",    "Y",
                                                                  "桩号", "偏距", "左右"};

namespace {

bool Number(const TableLine& t, std::size_t column, double* v)
{
    return column < t.fields.size() && ReadFieldNumber(t.fields[column], v);
}

// The side of an offset as it is shown (3 decimals): 0.0004 right is "中".
const char* Side(double offset)
{
    if (std::fabs(offset) < 0.0005) return "中";
    return offset < 0 ? "左" : "右";
}

}  // namespace

SurveyedPointsRead ReadSurveyedPoints(std::string_view utf8)
{
    SurveyedPointsRead out;
    std::vector<TableLine> lines = SplitTableLines(utf8);
    double v;
    if (!lines.empty() && (!Number(lines[0], 1, &v) || !Number(lines[0], 2, &v)))
        lines.erase(lines.begin());
    for (const TableLine& t : lines) {
        SurveyedPoint p;
        p.line = t.line;
        p.name = t.fields[0].empty() ? "P" + std::to_string(t.line) : t.fields[0];
        if (!Number(t, 1, &p.x) || !Number(t, 2, &p.y)) {
            out.errors.push_back("第 " + std::to_string(t.line) +
                                 " 行：应为 点名,X,Y，X 和 Y 必须是数。");
            continue;
        }
        out.points.push_back(std::move(p));
    }
    if (out.points.empty() && out.errors.empty()) out.errors.push_back("文件中没有点。");
    if (!out.errors.empty()) out.points.clear();
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
