#pragma once
// Routes the route tests share, built from rows the way a route file gives
// them.

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/numbers/angles.h"
#include "core/plan/route.h"

namespace tarvelo::testing {

inline RoutePointInput Qd(double x, double y, double station) { return {"QD", x, y, station}; }
inline RoutePointInput Jd(const std::string& name, double x, double y, double r, double ls1 = 0,
                          double ls2 = 0)
{
    return {name, x, y, std::nullopt, r, ls1, ls2};
}
inline RoutePointInput Zd(double x, double y) { return {"ZD", x, y, std::nullopt}; }

inline Route Built(const std::vector<RoutePointInput>& rows, SpiralMode mode = SpiralMode::Exact)
{
    Route::Built b = Route::Build(rows, mode);
    // A refused route is a fatal failure of the calling test: the caller
    // would otherwise index into an empty route.
    if (!b.route) throw std::runtime_error("route refused: " + b.error->message);
    return *b.route;
}

// The staircase worked by hand: legs north 1000, east 1000, north 1000,
// east 1000; right, left, right turns of 90° with R 200 and no spirals.
inline std::vector<RoutePointInput> StaircaseRows()
{
    return {Qd(0, 0, 0), Jd("JD1", 1000, 0, 200), Jd("JD2", 1000, 1000, 200),
            Jd("JD3", 2000, 1000, 200), Zd(2000, 2000)};
}

// A road with every kind of piece and both turn directions: unequal,
// missing and equal spirals, a sharp corner and a reverse pair.
inline std::vector<RoutePointInput> MixedRows()
{
    return {Qd(3378000, 455000, 5000),
            Jd("JD1", 3378800, 455300, 600, 120, 80),
            Jd("JD2", 3379300, 456200, 450, 0, 100),
            Jd("JD3", 3379100, 457000, 300, 60, 0),
            Jd("JD4", 3379700, 457600, 1200, 150, 150),
            Jd("JD5", 3380000, 458600, 120, 40, 40),
            Zd(3380700, 458700)};
}

}  // namespace tarvelo::testing
