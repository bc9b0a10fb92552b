// Route timings on a 1,000-JD road (1,600 km): building it, one point on its
// exact clothoids and on the series (the exact one is to stay within 1.3
// times the series one), one point on an element route, the 2 m table, and the inverse of
// surveyed points through the element index; an element route of 2,000
// elements built from that road.
//
//   build/bench/route_bench --benchmark_min_time=0.5

#include <benchmark/benchmark.h>

#include "compute/route_inverse.h"
#include "compute/route_table.h"
#include "core/plan/long_route.h"
#include "core/plan/route.h"

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

void PointsOf(benchmark::State& state, const Route& r)
{
    const double step = r.length() / 1000003;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(r.PointAt(r.start().station + step * double(i % 1000003), 3.5, 90));
        i += 7919;
    }
}

void BM_RoutePointExact(benchmark::State& state) { PointsOf(state, LongRoute()); }
BENCHMARK(BM_RoutePointExact)->Unit(benchmark::kNanosecond);

void BM_RoutePointSeries(benchmark::State& state)
{
    static const Route series = *Route::Build(LongRouteRows(1000), SpiralMode::Series).route;
    PointsOf(state, series);
}
BENCHMARK(BM_RoutePointSeries)->Unit(benchmark::kNanosecond);

// The road's first 2,000 pieces as element rows, each chained from the one
// before (the first with its start).
std::vector<ElementInput> ElementRows2000()
{
    const Route& r = LongRoute();
    std::vector<ElementInput> rows;
    for (const RouteElement& e : r.elements()) {
        if (rows.size() == 2000) break;
        ElementInput in;
        in.length = e.endStation - e.startStation;
        in.startRadius = e.startRadius;
        in.endRadius = e.endRadius;
        in.turn = e.turn;
        if (rows.empty()) {
            in.station = e.startStation;
            in.x = e.start.x;
            in.y = e.start.y;
            in.azimuth = e.start.azimuth;
        }
        rows.push_back(in);
    }
    return rows;
}

void BM_ElementRouteBuild2000(benchmark::State& state)
{
    const std::vector<ElementInput> rows = ElementRows2000();
    for (auto _ : state) benchmark::DoNotOptimize(Route::BuildElements(rows));
    state.counters["elements"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_ElementRouteBuild2000)->Unit(benchmark::kMillisecond);

// One exact point on an element route (the road's first 2,000 pieces as
// elements): the same lookup and evaluation as a JD route's exact point.
void BM_ElementRoutePoint(benchmark::State& state)
{
    static const Route elements = *Route::BuildElements(ElementRows2000()).route;
    PointsOf(state, elements);
}
BENCHMARK(BM_ElementRoutePoint)->Unit(benchmark::kNanosecond);

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
