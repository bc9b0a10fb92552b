#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "compute/forward_point.h"
#include "compute/station_offset.h"
#include "core/numbers/angles.h"
#include "core/curve/centreline.h"
#include "core/numbers/float_fault.h"
#include "tests/support/test_curves.h"

namespace tarvelo {
namespace {

using testing::CurveVariant;
using testing::Prepared;

// Metres: the iteration stops when the along-tangent correction is at most
// 1e-5 m; a tenth of a millimetre is what a surveyor can stake.
constexpr double kRoundTripTol = 1e-4;

TEST(StationOffset, DefaultPointIsStationTenThousandOnTheCentreline)
{
    CurveState s = testing::DefaultCurve();
    const StationOffset r = ComputeStationOffset(s, 3377706.6675, 455858.525);
    ASSERT_EQ(r.outcome, InverseOutcome::Ok);
    EXPECT_NEAR(r.station, 10000, kRoundTripTol);
    EXPECT_LT(std::abs(r.offset), 5e-5);
    const InverseTexts t = FormatStationOffset(r);
    EXPECT_EQ(t.station, "10+000.0000");
    EXPECT_EQ(t.offset, "中 0");
    EXPECT_EQ(r.iterations, 3);  // the QZ lookup and two updates
}

TEST(StationOffset, ForwardThenInverseGivesBackStationAndOffsetOnEverySegment)
{
    for (const CurveVariant& v : testing::kCurveVariants) {
        SCOPED_TRACE(v.name);
        CurveState s = Prepared(v);
        // Stations inside each of the five segments, and the main points.
        const double stations[] = {
            s.ZH - 150, s.ZH, (s.ZH + s.HYStation) / 2 + 0.3, s.HYStation,
            s.HYStation + (s.YHStation - s.HYStation) * 0.3, s.QZ, s.YHStation,
            (s.YHStation + s.HZ) / 2 - 0.7, s.HZ, s.HZ + 210.5,
        };
        for (double k : stations) {
            for (double m : {-15.0, -0.5, 0.0, 7.25, 40.0}) {
                SCOPED_TRACE("K " + std::to_string(k) + " m " + std::to_string(m));
                const CentrelinePoint p = PointAtStation(s, k, m, 90);
                const StationOffset r = ComputeStationOffset(s, p.x, p.y);
                ASSERT_EQ(r.outcome, InverseOutcome::Ok);
                // At HY and YH the stake comes from the spiral method and the
                // foot point may be found on the arc: they differ by the gap.
                const double tol = kRoundTripTol + (k == s.HYStation ? testing::JoinGap(s.R, s.Ls1)
                                                    : k == s.YHStation ? testing::JoinGap(s.R, s.Ls2)
                                                                       : 0);
                EXPECT_NEAR(r.station, k, tol);
                EXPECT_NEAR(r.offset, m, tol);
            }
        }
    }
}

TEST(StationOffset, SideWordsFollowTheSign)
{
    CurveState s = testing::DefaultCurve();
    const struct {
        double k, m;
        const char* station;
        const char* offset;
    } cases[] = {
        {10000, 10, "10+000.0000", "右 10"},
        {10000, -10, "10+000.0000", "左 10"},
        {6000, -20, "06+000.0000", "左 20"},  // first tangent produced backwards
        {14000, 20, "14+000.0000", "右 20"},  // second tangent produced forwards
        {10000, 888, "10+000.0000", "右 888"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        const CentrelinePoint p = PointAtStation(s, c.k, c.m, 90);
        const InverseTexts t = FormatStationOffset(ComputeStationOffset(s, p.x, p.y));
        EXPECT_EQ(t.station, c.station);
        EXPECT_EQ(t.offset, c.offset);
    }
}

TEST(StationOffset, FarPointsAreOutOfRange)
{
    CurveState s = testing::DefaultCurve();
    for (double m : {-1000.0, 1000.0, 888.001}) {
        const CentrelinePoint p = PointAtStation(s, 10000, m, 90);
        const StationOffset r = ComputeStationOffset(s, p.x, p.y);
        EXPECT_EQ(r.outcome, InverseOutcome::OutOfRange) << m;
        const InverseTexts t = FormatStationOffset(r);
        EXPECT_EQ(t.station, "坐标超限");
        EXPECT_EQ(t.offset, "坐标超限");
    }
}

TEST(StationOffset, TinyOffsetShowsAsCentre)
{
    CurveState s = testing::DefaultCurve();
    const CentrelinePoint p = PointAtStation(s, 9500, -0.00004, 90);
    const InverseTexts t = FormatStationOffset(ComputeStationOffset(s, p.x, p.y));
    EXPECT_EQ(t.offset, "中 0");
    EXPECT_EQ(t.station, "09+500.0000");
}

TEST(StationOffset, CentreOfASharpArcStaysAtQz)
{
    for (const char* alpha : {"60", "-60"}) {
        SCOPED_TRACE(alpha);
        CurveState s = Prepared(CurveVariant{"", "300", "50", "50", alpha});
        const double inner = s.alpha > 0 ? 300 : -300;
        const CentrelinePoint c = PointAtStation(s, s.QZ, inner, 90);
        const StationOffset r = ComputeStationOffset(s, c.x, c.y);
        ASSERT_EQ(r.outcome, InverseOutcome::Ok);
        EXPECT_EQ(FormatStationOffset(r).station, FormatStation(s.QZ, 4));
        EXPECT_EQ(FormatStationOffset(r).offset, s.alpha > 0 ? "右 300" : "左 300");
    }
}

TEST(StationOffset, DueEastTangentTakesTheSideFromTheCrossTrack)
{
    // F = 90: the first tangent runs due east, where the Y difference says
    // nothing about the side.
    for (double m : {-6.0, 6.0}) {
        CurveState s = Prepared(CurveVariant{"", "4500", "360", "360", "53.12461", "90"});
        const CentrelinePoint p = PointAtStation(s, s.ZH - 300, m, 90);
        const StationOffset r = ComputeStationOffset(s, p.x, p.y);
        ASSERT_EQ(r.outcome, InverseOutcome::Ok);
        EXPECT_NEAR(r.offset, m, kRoundTripTol);
        EXPECT_NEAR(r.station, s.ZH - 300, kRoundTripTol);
    }
}

TEST(StationOffset, PointThatMakesTheEstimateAlternateEndsWithoutConvergence)
{
    // A right angle turn of radius 100 without spirals; the point lies on the
    // outer side, behind JD, where the estimate jumps between the tangents.
    CurveState s = Prepared(CurveTexts{"1000", "1000", "500", "100", "0", "0", "90", "0"});
    const StationOffset r = ComputeStationOffset(s, 904.4000000000002, 700);
    EXPECT_EQ(r.outcome, InverseOutcome::NoConvergence);
    EXPECT_EQ(r.iterations, kMaxIterations);
    const InverseTexts t = FormatStationOffset(r);
    EXPECT_EQ(t.station, "迭代不收敛");
    EXPECT_EQ(t.offset, "迭代不收敛");
}

TEST(StationOffset, PointBesideTheArcToSpiralJoinConvergesInsteadOfAlternating)
{
    // R 800 with a 120 m exit spiral: arc and spiral meet 1.8e-5 m apart,
    // more than the iteration's tolerance, and the estimate used to step
    // across YH and back until it gave up.
    CurveState s = Prepared(CurveVariant{"", "800", "0", "120", "-35.3", "200.1"});
    for (double m : {-7.25, 7.25, 30.0}) {
        const CentrelinePoint p = PointAtStation(s, s.YHStation, m, 90);
        const StationOffset r = ComputeStationOffset(s, p.x, p.y);
        ASSERT_EQ(r.outcome, InverseOutcome::Ok) << m;
        EXPECT_NEAR(r.station, s.YHStation, kRoundTripTol);
        EXPECT_NEAR(r.offset, m, kRoundTripTol);
        EXPECT_LT(r.iterations, 100);
    }
}

TEST(StationOffset, NonFinitePointIsAFault)
{
    CurveState s = testing::DefaultCurve();
    EXPECT_THROW(ComputeStationOffset(s, std::numeric_limits<double>::infinity(), 0), FloatFault);
    EXPECT_THROW(ComputeStationOffset(s, std::nan(""), 0), FloatFault);
}

}  // namespace
}  // namespace tarvelo
