#pragma once
// One row of an element route (线元法) as typed or read from a file: a line,
// an arc or a clothoid whose curvature runs linearly from 1/R_start to 1/R_end.

#include <limits>
#include <optional>
#include <string>

namespace tarvelo {

inline constexpr double kStraight = std::numeric_limits<double>::infinity();

struct ElementInput {
    std::string name;
    std::optional<double> station;   // required on the first row; later a check
    // The element's own start: required on the first row, optional later (all
    // three or none). Azimuth in decimal degrees clockwise from north.
    std::optional<double> x, y, azimuth;
    double length = 0;               // metres, > 0
    double startRadius = kStraight;  // metres, > 0; kStraight for a straight end
    double endRadius = kStraight;
    int turn = 0;                    // +1 right, -1 left; 0 on a line
    int line = 0;                    // line in the source file; 0 when typed
    std::optional<int> zone{};       // written after the station ("(2区)"): checked with it
};

}  // namespace tarvelo
