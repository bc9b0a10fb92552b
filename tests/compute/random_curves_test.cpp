#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "compute/main_points.h"
#include "compute/station_offset.h"
#include "core/numbers/angles.h"
#include "core/curve/centreline.h"
#include "core/numbers/number_text.h"
#include "tests/support/test_curves.h"

namespace tarvelo {
namespace {

// Seeded: a failure names its curve and reruns the same way.
constexpr unsigned kSeed = 20261207;
constexpr int kCurves = 400;
// Metres, as in the fixed round trips: the iteration's 1e-5 m tolerance,
// with room for rounding.
constexpr double kRoundTripTol = 1e-4;

struct RandomCurve {
    CurveTexts texts;
    std::string description;
};

std::string Dms(int d, int m, int s)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%02d%02d", d, m, s);
    return buf;
}

RandomCurve MakeCurve(std::mt19937_64& gen)
{
    std::uniform_real_distribution<double> unit(0, 1);
    auto uniformInt = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    const double r = std::round(50 * std::pow(200.0, unit(gen)) * 10) / 10;  // 50 .. 10000 m
    const int degrees = uniformInt(1, 149);
    const int minutes = uniformInt(0, 59), seconds = uniformInt(0, 59);
    const double alpha = (degrees + minutes / 60.0 + seconds / 3600.0) * kPi / 180;
    // Spirals that fit: together they turn by at most 80 % of the deflection,
    // and neither is longer than half the radius.
    const double room = std::min(0.8 * alpha * 2 * r, r);
    double ls1 = 0, ls2 = 0;
    switch (uniformInt(0, 3)) {
    case 0: ls1 = ls2 = std::floor(room / 2 * unit(gen)); break;       // equal
    case 1: ls1 = std::floor(room / 2 * unit(gen));                    // unequal
            ls2 = std::floor(room / 2 * unit(gen)); break;
    case 2: break;                                                      // none
    case 3: (unit(gen) < 0.5 ? ls1 : ls2) = std::floor(room / 2 * unit(gen)); break;
    }
    const bool left = unit(gen) < 0.5;
    RandomCurve c;
    c.texts = {std::to_string(3000000 + uniformInt(0, 900000)) + ".125",
               std::to_string(400000 + uniformInt(0, 200000)) + ".5",
               std::to_string(uniformInt(2000, 90000)),
               FormatGeneral(r),
               FormatGeneral(ls1),
               FormatGeneral(ls2),
               (left ? "-" : "") + Dms(degrees, minutes, seconds),
               Dms(uniformInt(0, 359), uniformInt(0, 59), uniformInt(0, 59))};
    for (const std::string& t : c.texts) c.description += t + " ";
    return c;
}

TEST(RandomCurves, ForwardThenInverseAndOrderedStakesOnManyCurves)
{
    std::mt19937_64 gen(kSeed);
    for (int i = 0; i < kCurves; ++i) {
        const RandomCurve curve = MakeCurve(gen);
        SCOPED_TRACE("curve " + std::to_string(i) + ": " + curve.description);
        CurveState s = testing::Prepared(curve.texts);

        // The main stakes follow each other when the spirals fit. Without a
        // spiral two stations coincide, up to the rounding of their two
        // different sums (a few 1e-12 m).
        EXPECT_LE(s.ZH, s.HYStation + 1e-9);
        EXPECT_LT(s.HYStation, s.QZ);
        EXPECT_LT(s.QZ, s.YHStation);
        EXPECT_LE(s.YHStation, s.HZ + 1e-9);
        const MainPoints points = ComputeMainPoints(s);
        for (const MainPoint& p : points) {
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.azimuth));
        }

        // One station inside each of the five segments.
        const double tangentRun = std::min(60.0, 0.5 * std::min(s.T1, s.T2));
        const double stations[] = {
            s.ZH - tangentRun,
            s.ZH + 0.5 * (s.HYStation - s.ZH),
            s.HYStation + 0.37 * (s.YHStation - s.HYStation),
            s.YHStation + 0.5 * (s.HZ - s.YHStation),
            s.HZ + tangentRun,
        };
        const double m = std::min(20.0, 0.3 * s.R);
        for (double k : stations) {
            for (double offset : {-m, 0.0, m}) {
                const CentrelinePoint p = PointAtStation(s, k, offset, 90);
                const StationOffset r = ComputeStationOffset(s, p.x, p.y);
                ASSERT_EQ(r.outcome, InverseOutcome::Ok)
                    << "K " << k << " m " << offset << " segment " << SegmentName(SegmentAt(s, k));
                EXPECT_NEAR(r.station, k, kRoundTripTol) << "m " << offset;
                EXPECT_NEAR(r.offset, offset, kRoundTripTol) << "K " << k;
            }
        }
    }
}

}  // namespace
}  // namespace tarvelo
