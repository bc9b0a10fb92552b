#pragma once
// Station and offset of many surveyed points: the points file (read by the
// one point-file reader, core/files/point_file.h) and the texts of each
// answer.
// Plain C++.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "compute/route_inverse.h"

namespace tarvelo {

struct SurveyedPoint {
    std::string name;
    double x = 0, y = 0;
    int line = 0;  // in the file
};

struct SurveyedPointsRead {
    std::vector<SurveyedPoint> points;  // empty whenever errors is not
    std::vector<std::string> errors;    // one sentence per bad line, with its number
};

// The points of a point file as ParsePointFile reads it (name,X,Y[,H] with
// or without a header, or CASS .dat); its refusals as the errors.
SurveyedPointsRead ReadSurveyedPoints(std::string_view utf8);

struct InverseAnswer {
    SurveyedPoint point;
    RouteFoot foot;
};

// Every point through the one index. Throws FloatFault only for a
// non-finite coordinate, which ReadSurveyedPoints never lets through.
std::vector<InverseAnswer> InverseAll(const RouteInverse& inverse,
                                      const std::vector<SurveyedPoint>& points);

// The columns of an answer: name, X, Y (4 decimals), station (the
// displayed station of `route` in K notation, RouteStationText),
// offset (metres, 3 decimals, without sign) and side "左", "右" or "中";
// an answer outside the route has "线路范围外" as its station and the
// last two empty.
enum { kAnswerName, kAnswerX, kAnswerY, kAnswerStation, kAnswerOffset, kAnswerSide, kAnswerColumns };
using AnswerTexts = std::array<std::string, kAnswerColumns>;
extern const std::array<const char*, kAnswerColumns> kAnswerCaptions;
AnswerTexts AnswerTextsOf(const Route& route, const InverseAnswer& answer);

// The outside text, and one line for a single answer ("K1+234.567 右 3.210 m").
inline constexpr const char* kOutsideText = "线路范围外";
std::string FootText(const Route& route, const RouteFoot& foot);

}  // namespace tarvelo
