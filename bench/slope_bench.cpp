// Slope-stake and level-check timings on the 1,000-JD road (1,600 km): one
// surveyed point each, its nearest foot through the element index included,
// against a flat profile, a crowned pavement and a two-level template; and
// the nearest foot alone on the same points for comparison.
//
//   build/bench/slope_bench --benchmark_min_time=0.5

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "compute/route_inverse.h"
#include "compute/slope_stake.h"
#include "core/plan/long_route.h"
#include "core/plan/route.h"

namespace {

using namespace tarvelo;

const Route& LongRoute()
{
    static const Route route = *Route::Build(LongRouteRows(1000)).route;
    return route;
}

struct Design {
    RouteInverse inverse{LongRoute()};
    Profile profile;
    CrossSections sections;
    RoadbedTemplate roadbed;
    std::vector<std::array<double, 3>> points;  // x, y, z: 4,096 shots spread along the road

    static Design& Get()
    {
        static Design d = Make();
        return d;
    }

    static Design Make()
    {
        const Route& r = LongRoute();
        const double s0 = r.start().station, s1 = r.end().station;
        Design d{RouteInverse(r),
                 *Profile::Build({{s0, 100, std::nullopt, 0}, {s1, 100, std::nullopt, 0}}).profile,
                 *CrossSections::Build({{s0, 3.75, 3.75, -2, -2, 0}, {s1, 3.75, 3.75, -2, -2, 0}}).sections,
                 Roadbed(s0),
                 {}};
        for (int i = 0; i < 4096; ++i) {
            const double k = s0 + (s1 - s0) * (i + 0.5) / 4096;
            const double offset = (i % 2 ? 1 : -1) * (6 + i % 17);
            const auto p = r.PointAt(k, offset, 90);
            d.points.push_back({p->point.x, p->point.y, i % 3 ? 94.0 : 104.0});
        }
        return d;
    }

    static RoadbedTemplate Roadbed(double s0)
    {
        const auto row = [s0](TemplatePart part, std::optional<double> a, std::optional<double> b = {},
                              std::optional<double> c = {}, std::optional<double> e = {}) {
            TemplateRow t;
            t.station = s0;
            t.part = part;
            t.p = {a, b, c, e};
            return t;
        };
        return *RoadbedTemplate::Build({row(TemplatePart::Shoulder, 0.75, -2), row(TemplatePart::Shoulder, 0.75, -4),
                                        row(TemplatePart::Ditch, 0.6, 0.6, 1, 1),
                                        row(TemplatePart::Cut, 0.75, 8, 2, 2), row(TemplatePart::Cut, 1),
                                        row(TemplatePart::Fill, 1.5, 8, 2, -2), row(TemplatePart::Fill, 1.75)})
                    .roadbed;
    }

    SlopeDesign design() const { return {LongRoute(), inverse, profile, &sections, &roadbed}; }
};

void BM_SlopeStakeOnePoint(benchmark::State& state)
{
    Design& d = Design::Get();
    const SlopeDesign design = d.design();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& p = d.points[i++ & 4095];
        benchmark::DoNotOptimize(ComputeSlopeStake(design, p[0], p[1], p[2]));
    }
}
BENCHMARK(BM_SlopeStakeOnePoint)->Unit(benchmark::kNanosecond);

void BM_LevelCheckOnePoint(benchmark::State& state)
{
    Design& d = Design::Get();
    const SlopeDesign design = d.design();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& p = d.points[i++ & 4095];
        benchmark::DoNotOptimize(ComputeLevelCheck(design, p[0], p[1], p[2], 0.3, 0.01));
    }
}
BENCHMARK(BM_LevelCheckOnePoint)->Unit(benchmark::kNanosecond);

void BM_NearestFootOnePoint(benchmark::State& state)
{
    Design& d = Design::Get();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& p = d.points[i++ & 4095];
        benchmark::DoNotOptimize(d.inverse.Find(p[0], p[1]));
    }
}
BENCHMARK(BM_NearestFootOnePoint)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
