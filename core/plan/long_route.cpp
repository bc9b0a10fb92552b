#include "core/plan/long_route.h"

#include "core/numbers/angles.h"

namespace tarvelo {

std::vector<RoutePointInput> LongRouteRows(int jds)
{
    std::vector<RoutePointInput> rows;
    rows.reserve(jds + 2);
    double x = 3000000, y = 500000, azimuth = 30;
    rows.push_back({"QD", x, y, 0.0});
    for (int j = 0; j <= jds; ++j) {
        x += 1600 * CosDeg(azimuth);
        y += 1600 * SinDeg(azimuth);
        if (j == jds) break;
        RoutePointInput p{"JD" + std::to_string(j + 1), x, y, std::nullopt};
        p.R = 800 + 150 * (j % 9);
        p.Ls1 = 100 + 25 * (j % 5);
        p.Ls2 = 100 + 20 * ((j + 2) % 6);
        rows.push_back(p);
        // Alternate turns keep the road heading the same way overall.
        azimuth += (j % 2 == 0 ? 1 : -1) * (20 + 3 * (j % 5));
    }
    rows.push_back({"ZD", x, y, std::nullopt});
    return rows;
}

}  // namespace tarvelo
