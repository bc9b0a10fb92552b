#pragma once
// A long synthetic road for timings and scale checks: `jds` JDs on legs of
// 1600 m that turn alternately right and left by 20° to 32°, radii 800 to
// 2000 m, spirals 100 to 200 m (a 1,000-JD road is 1,600 km). Deterministic:
// the same count always gives the same rows.

#include <vector>

#include "core/plan/route.h"

namespace tarvelo {

std::vector<RoutePointInput> LongRouteRows(int jds);

}  // namespace tarvelo
