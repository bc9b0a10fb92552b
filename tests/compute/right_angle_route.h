#pragma once
// The compute tests' road worked by hand: north along X from QD (0, 0),
// station 0, to JD1 (1000, 0), R 300 without spirals, then east to ZD
// (1000, 1000). On the first leg (to ZY 700) the station is X and the right
// side is +Y.

#include <gtest/gtest.h>

#include <vector>

#include "core/plan/route.h"

namespace tarvelo {

inline Route RightAngleRoute(const std::vector<BreakInput>& breaks = {})
{
    std::vector<RoutePointInput> rows(3);
    rows[0].name = "QD";
    rows[0].station = 0;
    rows[1].name = "JD1";
    rows[1].x = 1000;
    rows[1].R = 300;
    rows[1].Ls1 = rows[1].Ls2 = 0;
    rows[2].name = "ZD";
    rows[2].x = 1000;
    rows[2].y = 1000;
    Route::Built built = Route::Build(rows, SpiralMode::Exact, breaks);
    EXPECT_TRUE(built.route) << (built.error ? built.error->message : "");
    return std::move(*built.route);
}

}  // namespace tarvelo
