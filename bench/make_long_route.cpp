// Writes the 1,000-JD road of the route benchmarks as a route file and
// 100,000 surveyed points beside it (name,X,Y), for timing tarvelo-cli:
//
//   build/bench/make_long_route /tmp/long   # -> /tmp/long/route.csv, points.csv

#include <cstdio>
#include <fstream>
#include <string>

#include "core/plan/long_route.h"
#include "core/files/route_file.h"

int main(int argc, char** argv)
{
    using namespace tarvelo;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_long_route DIR\n");
        return 1;
    }
    const std::string dir = argv[1];
    const auto rows = LongRouteRows(1000);
    std::ofstream(dir + "/route.csv", std::ios::binary) << FormatRouteFile(rows);
    const Route route = *Route::Build(rows).route;
    std::ofstream points(dir + "/points.csv", std::ios::binary);
    const double step = route.length() / 100000;
    for (int i = 0; i < 100000; ++i) {
        const auto s = route.PointAt(route.start().station + step * (i + 0.5), (i % 41) - 20, 90);
        points << "P" << i + 1 << ',' << RoundTripText(s->point.x) << ',' << RoundTripText(s->point.y)
               << "\n";
    }
    return points ? 0 : 1;
}
