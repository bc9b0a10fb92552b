// Route timings on a 1,000-JD road (1,600 km): building it, the 2 m table,
// and the inverse of surveyed points through the element index.
//
//   build/bench/route_bench --benchmark_min_time=0.5

#include <benchmark/benchmark.h>

#include "compute/route_inverse.h"
#include "compute/route_table.h"
#include "core/long_route.h"
#include "core/route.h"

namespace {

using namespace tarvelo;

const Route& LongRoute()
{
    static const Route route = *Route::Build(LongRouteRows(1000)).route;
    return route;
}

void BM_RouteBuild1000Jds(benchmark::State& state)
{
    const auto rows = LongRouteRows(1000);
    for (auto _ : state) benchmark::DoNotOptimize(Route::Build(rows));
}
BENCHMARK(BM_RouteBuild1000Jds)->Unit(benchmark::kMillisecond);

void BM_RouteTable2m(benchmark::State& state)
{
    const Route& r = LongRoute();
    RouteTableParams p;
    p.interval = 2;
    std::size_t rows = 0;
    for (auto _ : state) {
        RouteTableCursor cursor(r, p);
        RouteTableEntry e;
        rows = 0;
        while (cursor.Next(&e)) {
            benchmark::DoNotOptimize(ComputeRouteTableRow(r, e, p));
            ++rows;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_RouteTable2m)->Unit(benchmark::kMillisecond);

void BM_RouteInverse100kPoints(benchmark::State& state)
{
    const Route& r = LongRoute();
    std::vector<std::pair<double, double>> points;
    const double step = r.length() / 100000;
    for (int i = 0; i < 100000; ++i) {
        const auto s = r.PointAt(r.start().station + step * (i + 0.5), (i % 41) - 20, 90);
        points.emplace_back(s->point.x, s->point.y);
    }
    for (auto _ : state) {
        const RouteInverse inverse(r);
        for (const auto& [x, y] : points) benchmark::DoNotOptimize(inverse.Find(x, y));
    }
}
BENCHMARK(BM_RouteInverse100kPoints)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
