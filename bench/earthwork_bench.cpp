// Ground sections and earthwork on the 1,000-JD road (1,600 km): 100,000 RTK
// points sorted into 20 m sections (nearest foot and index included), and
// 10,000 ground sections of 50 points each through the earthwork (catches,
// areas, volumes).
//
//   build/bench/earthwork_bench --benchmark_min_time=0.5

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "compute/earthwork.h"
#include "compute/ground_points.h"
#include "compute/route_inverse.h"
#include "core/plan/long_route.h"
#include "core/plan/route.h"

namespace {

using namespace tarvelo;

const Route& LongRoute()
{
    static const Route route = *Route::Build(LongRouteRows(1000)).route;
    return route;
}

// 100,000 points, 20 on each of 5,000 sections spread along the road, each
// a few centimetres off its section line, offsets from -40 to 40 m.
std::vector<SurveyPoint> Points()
{
    const Route& r = LongRoute();
    std::vector<SurveyPoint> pts;
    pts.reserve(100000);
    const double spacing = std::floor(r.length() / 5000 / 20) * 20;
    for (int s = 0; s < 5000; ++s)
        for (int k = 0; k < 20; ++k) {
            const double station = r.start().station + 20 + spacing * s + 0.05 * std::sin(k);
            const RouteStake p = *r.PointAt(station, -40 + 4.1 * k, 90);
            pts.push_back({int(pts.size()) + 1, "P", p.point.x, p.point.y, 100.0 + 0.01 * k});
        }
    return pts;
}

void BM_PointsIntoSections100k(benchmark::State& state)
{
    const Route& r = LongRoute();
    const std::vector<SurveyPoint> pts = Points();
    std::vector<SectionStation> stations;
    SectionStationsByInterval(r, 20, &stations);
    for (auto _ : state) {
        const RouteInverse inverse(r);
        const PointSections s = SortPointsIntoSections(r, inverse, pts, stations, 0.5);
        benchmark::DoNotOptimize(s.sections.data());
        state.counters["sections"] = double(s.sections.size());
        state.counters["unassigned"] = double(s.unassigned.size());
    }
}
BENCHMARK(BM_PointsIntoSections100k)->Unit(benchmark::kMillisecond);

void BM_Earthwork10kSections(benchmark::State& state)
{
    const Route& r = LongRoute();
    const Profile profile = *Profile::Build({{r.start().station - 1, 100, std::nullopt},
                                             {r.end().station + 1, 100, std::nullopt}})
                                 .profile;
    // Shoulders, a ditch and two-level cut and fill slopes with berms.
    std::vector<TemplateRow> rows(6);
    rows[0].part = TemplatePart::Shoulder, rows[0].p = {4.5, -2.0, std::nullopt, std::nullopt};
    rows[1].part = TemplatePart::Ditch, rows[1].p = {0.6, 0.6, 1.0, 1.0};
    rows[2].part = TemplatePart::Cut, rows[2].p = {0.75, 2.0, 1.0, 2.0};
    rows[3].part = TemplatePart::Cut, rows[3].p = {1.0, std::nullopt, std::nullopt, std::nullopt};
    rows[4].part = TemplatePart::Fill, rows[4].p = {1.5, 2.0, 1.0, -2.0};
    rows[5].part = TemplatePart::Fill, rows[5].p = {1.75, std::nullopt, std::nullopt, std::nullopt};
    for (TemplateRow& t : rows) t.station = r.start().station;
    const RoadbedTemplate roadbed = *RoadbedTemplate::Build(rows).roadbed;
    std::vector<GroundSection> ground;
    ground.reserve(10000);
    for (int s = 0; s < 10000; ++s) {
        std::vector<GroundPoint> pts;
        const double lift = -4 + 8.0 * (s % 17) / 16;  // from 4 m fill to 4 m cut
        for (int k = 0; k < 50; ++k) {
            const double o = -49 + 2 * k;
            pts.push_back({o, 100 + lift + 0.03 * o + 0.3 * std::sin(0.7 * k + s), ""});
        }
        ground.push_back(*GroundSection::Build(SectionStationAt(r, r.start().station + 20.0 * (s + 1)), pts).section);
    }
    EarthworkDesign d;
    d.route = &r;
    d.profile = &profile;
    d.roadbed = &roadbed;
    for (auto _ : state) {
        const EarthworkResult e = ComputeEarthwork(d, ground);
        benchmark::DoNotOptimize(e.cut);
        state.counters["problems"] = double(e.problems);
    }
}
BENCHMARK(BM_Earthwork10kSections)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
