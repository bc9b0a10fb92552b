// Profile timings on a profile as long as the 1,000-JD road (1,600 km, 1,001
// grade points): building it, and the design elevation of every row of the
// 2 m table (800,000 lookups).
//
//   build/bench/profile_bench --benchmark_min_time=0.5

#include <benchmark/benchmark.h>

#include <vector>

#include "core/profile/profile.h"

namespace {

using namespace tarvelo;

// Grade points every 1600 m, grades alternating +1.5 % and -1.5 %, R 10000
// (curves of 300 m).
std::vector<GradePointInput> LongProfile()
{
    std::vector<GradePointInput> points;
    for (int k = 0; k <= 1000; ++k) {
        GradePointInput p;
        p.station = 1600.0 * k;
        p.elevation = k % 2 ? 24 : 0;
        if (k > 0 && k < 1000) p.R = 10000;
        points.push_back(p);
    }
    return points;
}

void BM_ProfileBuild1000Points(benchmark::State& state)
{
    const auto points = LongProfile();
    for (auto _ : state) benchmark::DoNotOptimize(Profile::Build(points));
}
BENCHMARK(BM_ProfileBuild1000Points)->Unit(benchmark::kMicrosecond);

void BM_ProfileElevationEvery2m(benchmark::State& state)
{
    const Profile profile = *Profile::Build(LongProfile()).profile;
    double sum = 0;
    long n = 0;
    for (auto _ : state) {
        sum = 0;
        for (n = 0; 2.0 * n <= profile.endStation(); ++n) sum += *profile.ElevationAt(2.0 * n);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["lookups"] = double(n);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ProfileElevationEvery2m)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
