// Engine timings: one station lookup, the largest table the window builds,
// and the inverse on each segment.
//
//   build/bench/engine_bench --benchmark_min_time=0.5

#include <benchmark/benchmark.h>

#include "compute/curve_command.h"
#include "compute/stakeout_table.h"
#include "compute/station_offset.h"
#include "core/curve/centreline.h"
#include "core/curve/curve_inputs.h"

namespace {

using namespace tarvelo;

CurveState DefaultCurve()
{
    CurveState s;
    PrepareCurve(s, DefaultCurveTexts());
    return s;
}

void BM_PointAtStation(benchmark::State& state)
{
    CurveState s = DefaultCurve();
    double k = 7000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PointAtStation(s, k, 5, 90));
        k = k < 13000 ? k + 0.37 : 7000;  // walks over all five segments
    }
}
BENCHMARK(BM_PointAtStation);

void BM_BuildStakeoutTableMillionRows(benchmark::State& state)
{
    CurveState s = DefaultCurve();
    TableParams p;
    p.start = 5000;
    p.end = 5000 + 999999 * 0.01;
    p.interval = 0.01;
    p.m = 0;
    p.a = 90;
    p.offsetText = "0";
    p.skewText = "90";
    for (auto _ : state) {
        TableResult t = BuildStakeoutTable(s, p);
        if (t.rows < 999999) state.SkipWithError("table too short");
        benchmark::DoNotOptimize(t.text.data());
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_BuildStakeoutTableMillionRows)->Unit(benchmark::kMillisecond);

void BM_ComputeStationOffset(benchmark::State& state)
{
    CurveState s = DefaultCurve();
    const double stations[] = {6000, s.ZH + 180, 10000, s.HZ - 180, 14000};
    const double k = stations[state.range(0)];
    const CentrelinePoint p = PointAtStation(s, k, 12.5, 90);
    for (auto _ : state) benchmark::DoNotOptimize(ComputeStationOffset(s, p.x, p.y));
    state.SetLabel(SegmentName(SegmentAt(s, k)));
}
BENCHMARK(BM_ComputeStationOffset)->DenseRange(0, 4);

}  // namespace

BENCHMARK_MAIN();
