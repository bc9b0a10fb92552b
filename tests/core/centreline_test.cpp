#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/numbers/angles.h"
#include "core/curve/centreline.h"
#include "core/numbers/float_fault.h"
#include "tests/support/test_curves.h"

namespace tarvelo {
namespace {

using testing::CurveVariant;
using testing::Prepared;

double Rad(double deg) { return deg * kPi / 180; }

// Metres: the methods are closed-form on the tangents and the arc.
constexpr double kExactTol = 1e-6;
// Degrees: azimuths at the joins agree to rounding.
constexpr double kAzimuthTol = 1e-9;

CentrelinePoint RunMethod(const CurveState& s,
                          CentrelinePoint (*method)(const CurveState&, const StakeQuery&), double k,
                          double m = 0, double a = 0)
{
    return method(s, {k, m, a});
}

TEST(Centreline, StationsSelectTheirSegmentBoundariesBelongToTheEnd)
{
    const CurveState s = testing::DefaultCurve();
    const struct {
        double k;
        Segment seg;
    } cases[] = {
        {-1e6, Segment::ZX1},          {s.ZH - 1, Segment::ZX1},
        {s.ZH, Segment::ZX1},          {std::nextafter(s.ZH, 1e9), Segment::HY},
        {s.HYStation, Segment::HY},    {s.HYStation + 1e-9, Segment::YQ},
        {s.QZ, Segment::YQ},           {s.YHStation, Segment::YQ},
        {s.YHStation + 1e-9, Segment::YH}, {s.HZ, Segment::YH},
        {std::nextafter(s.HZ, 1e9), Segment::ZX2}, {1e6, Segment::ZX2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.k);
        EXPECT_EQ(SegmentAt(s, c.k), c.seg);
    }
    EXPECT_STREQ(SegmentName(Segment::YQ), "YQ");
}

TEST(Centreline, DefaultStakeAtTenThousandIsTheInverseDefaultPoint)
{
    CurveState s = testing::DefaultCurve();
    const CentrelinePoint p = PointAtStation(s, 10000, 0, 90);
    EXPECT_EQ(SegmentAt(s, 10000), Segment::YQ);
    EXPECT_NEAR(p.x, 3377706.6675, 5e-5);
    EXPECT_NEAR(p.y, 455858.525, 5e-5);
    // A lookup is a pure query: asking again gives the same bits.
    const CentrelinePoint again = PointAtStation(s, 10000, 0, 90);
    EXPECT_EQ(again.x, p.x);
    EXPECT_EQ(again.y, p.y);
}

TEST(Centreline, OffsetMovesSquareToTheTangentOnTheRightWhenPositive)
{
    CurveState s = testing::DefaultCurve();
    const CentrelinePoint c = PointAtStation(s, 10000, 0, 90);
    const CentrelinePoint r = PointAtStation(s, 10000, 10, 90);
    const CentrelinePoint l = PointAtStation(s, 10000, -10, 90);
    const CentrelinePoint d = PointAtStation(s, 10000, 10, 45);
    const CentrelinePoint back = PointAtStation(s, 10000, 10, 270);
    for (const CentrelinePoint& p : {r, l, d, back}) EXPECT_EQ(p.azimuth, c.azimuth);
    const double right = Rad(c.azimuth + 90);
    EXPECT_NEAR(r.x, c.x + 10 * std::cos(right), kExactTol);
    EXPECT_NEAR(r.y, c.y + 10 * std::sin(right), kExactTol);
    EXPECT_NEAR(l.x, c.x - 10 * std::cos(right), kExactTol);
    EXPECT_NEAR(l.y, c.y - 10 * std::sin(right), kExactTol);
    EXPECT_NEAR(d.x, c.x + 10 * std::cos(Rad(c.azimuth + 45)), kExactTol);
    EXPECT_NEAR(back.x, l.x, kExactTol);
    EXPECT_NEAR(back.y, l.y, kExactTol);
}

TEST(Centreline, TangentsAreProducedWithoutLimit)
{
    CurveState s = testing::DefaultCurve();
    const CentrelinePoint before = PointAtStation(s, s.ZH - 500, 0, 90);
    EXPECT_EQ(before.azimuth, s.F);
    EXPECT_NEAR(before.x, s.X_ZH + 500 * std::cos(Rad(s.FZH)), kExactTol);
    EXPECT_NEAR(before.y, s.Y_ZH + 500 * std::sin(Rad(s.FZH)), kExactTol);
    const CentrelinePoint after = PointAtStation(s, s.HZ + 700, 0, 90);
    EXPECT_EQ(after.azimuth, s.F2);
    EXPECT_NEAR(after.x, s.X_HZ + 700 * std::cos(Rad(s.F2)), kExactTol);
    EXPECT_NEAR(after.y, s.Y_HZ + 700 * std::sin(Rad(s.F2)), kExactTol);
    const CentrelinePoint at = PointAtStation(s, s.ZH, 0, 90);
    EXPECT_NEAR(at.x, s.X_ZH, kExactTol);
    EXPECT_EQ(at.azimuth, s.F);
}

TEST(Centreline, SpiralAzimuthsLieBetweenTheTangentAndTheArc)
{
    CurveState s = testing::DefaultCurve();
    const double entry = PointAtStation(s, s.ZH + 100, 0, 90).azimuth;
    EXPECT_GT(entry, s.F);
    EXPECT_LT(entry, s.F + s.betao1);
    // The clothoid turns by l^2 / (2 R Ls) radians after l metres.
    EXPECT_NEAR(entry, s.F + 100.0 * 100 / (2 * 4500 * 360) * 180 / kPi, kAzimuthTol);
    const double exit = PointAtStation(s, s.HZ - 100, 0, 90).azimuth;
    EXPECT_GT(exit, s.F2 - s.betao2);
    EXPECT_LT(exit, s.F2);
}

TEST(Centreline, ArcPointsLieOnTheShiftedCircle)
{
    // The arc's centre lies on the bisector of the tangents, (R + p) / cos(a/2)
    // from JD, on the inner side; worked out from the inputs alone.
    for (const char* alpha : {"53.12461", "-53.12461"}) {
        SCOPED_TRACE(alpha);
        CurveState s = Prepared(CurveVariant{"", "4500", "360", "360", alpha});
        const double k = s.alpha > 0 ? 1 : -1;
        const double half = Rad(std::abs(s.alpha) / 2);
        const double towardsCentre = Rad(s.F + s.alpha / 2 + k * 90);
        const double d = (4500 + s.p1) / std::cos(half);
        const double cx = s.X + d * std::cos(towardsCentre);
        const double cy = s.Y + d * std::sin(towardsCentre);
        for (double station = s.HYStation; station <= s.YHStation; station += 250) {
            const CentrelinePoint p = PointAtStation(s, station, 0, 90);
            EXPECT_NEAR(std::hypot(p.x - cx, p.y - cy), 4500, kExactTol) << station;
        }
    }
}

TEST(Centreline, LeftTurnMirrorsTheRightTurnAboutTheFirstTangent)
{
    CurveState r = testing::DefaultCurve();
    CurveState l = Prepared(CurveVariant{"", "4500", "360", "360", "-53.12461"});
    const double f = Rad(r.F);
    for (double station : {r.ZH + 50, r.HYStation + 10, r.QZ, r.YHStation + 30, r.HZ + 200}) {
        SCOPED_TRACE(station);
        const CentrelinePoint a = PointAtStation(r, station, 0, 90);
        const CentrelinePoint b = PointAtStation(l, station, 0, 90);
        // Along and across the first tangent, measured from ZH.
        auto along = [&](const CentrelinePoint& p) {
            return (p.x - r.X_ZH) * std::cos(f) + (p.y - r.Y_ZH) * std::sin(f);
        };
        auto across = [&](const CentrelinePoint& p) {
            return -(p.x - r.X_ZH) * std::sin(f) + (p.y - r.Y_ZH) * std::cos(f);
        };
        EXPECT_NEAR(along(a), along(b), kExactTol);
        EXPECT_NEAR(across(a), -across(b), kExactTol);
        EXPECT_NEAR(a.azimuth - r.F, r.F - b.azimuth, kAzimuthTol);
    }
}

TEST(Centreline, NeighbouringMethodsMeetAtTheMainPoints)
{
    for (const CurveVariant& v : testing::kCurveVariants) {
        SCOPED_TRACE(v.name);
        CurveState s = Prepared(v);
        const struct {
            const char* name;
            double k;
            CentrelinePoint (*before)(const CurveState&, const StakeQuery&);
            CentrelinePoint (*after)(const CurveState&, const StakeQuery&);
            double tol;
        } joins[] = {
            {"ZH", s.ZH, ZX1, HY, kExactTol},
            {"HY", s.HYStation, HY, YQ, testing::JoinGap(s.R, s.Ls1) + kExactTol},
            {"YH", s.YHStation, YQ, YH, testing::JoinGap(s.R, s.Ls2) + kExactTol},
            {"HZ", s.HZ, YH, ZX2, kExactTol},
        };
        for (const auto& j : joins) {
            SCOPED_TRACE(j.name);
            for (double m : {0.0, -12.5}) {
                const CentrelinePoint a = RunMethod(s, j.before, j.k, m, 90);
                const CentrelinePoint b = RunMethod(s, j.after, j.k, m, 90);
                EXPECT_NEAR(a.x, b.x, j.tol);
                EXPECT_NEAR(a.y, b.y, j.tol);
                EXPECT_NEAR(a.azimuth, b.azimuth, kAzimuthTol);
            }
        }
    }
}

TEST(Centreline, MissingEntrySpiralHandsZhToTheArc)
{
    CurveState s = Prepared(CurveVariant{"", "4500", "0", "360"});
    const CentrelinePoint p = RunMethod(s, HY, s.ZH);
    EXPECT_NEAR(p.x, s.X_ZH, kExactTol);
    EXPECT_NEAR(p.y, s.Y_ZH, kExactTol);
    EXPECT_NEAR(p.azimuth, s.F, kAzimuthTol);
}

TEST(Centreline, NegativeArcLengthSendsStationsAfterTheSpiralToTheExitSpiral)
{
    CurveState s = Prepared(CurveVariant{"", "100", "100", "100", "30"});
    EXPECT_EQ(SegmentAt(s, s.HYStation + 0.001), Segment::YH);
    for (double k = s.ZH - 10; k < s.HZ + 10; k += 3) EXPECT_NE(SegmentAt(s, k), Segment::YQ);
}

TEST(Centreline, NonFiniteQueryIsAFault)
{
    CurveState s = testing::DefaultCurve();
    for (double k : {std::numeric_limits<double>::infinity(), std::nan("")}) {
        EXPECT_THROW(PointAtStation(s, k, 0, 90), FloatFault);
    }
    EXPECT_THROW(PointAtStation(s, 10000, std::numeric_limits<double>::infinity(), 90), FloatFault);
}

}  // namespace
}  // namespace tarvelo
