#include <gtest/gtest.h>

#include <cmath>

#include "core/numbers/angles.h"
#include "core/curve/curve_elements.h"
#include "core/numbers/float_fault.h"
#include "tests/support/test_curves.h"

namespace tarvelo {
namespace {

using testing::CurveVariant;
using testing::Prepared;

// Textbook clothoid elements, written independently of the engine.
double Shift(double r, double ls) { return ls * ls / (24 * r) - std::pow(ls, 4) / (2688 * std::pow(r, 3)); }
double Increment(double r, double ls)
{
    return ls / 2 - std::pow(ls, 3) / (240 * r * r) + std::pow(ls, 5) / (34560 * std::pow(r, 4));
}
double SpiralAngle(double r, double ls) { return ls / (2 * r) * 180 / kPi; }
double Rad(double deg) { return deg * kPi / 180; }

// Metres: the engine's elements follow the same series; only rounding differs.
constexpr double kLengthTol = 1e-7;

TEST(CurveElements, DefaultCurveMatchesTheTextbookFormulas)
{
    const CurveState s = testing::DefaultCurve();
    const double half = Rad(s.alpha / 2);
    EXPECT_NEAR(s.p1, Shift(4500, 360), kLengthTol);
    EXPECT_NEAR(s.q1, Increment(4500, 360), kLengthTol);
    EXPECT_NEAR(s.betao1, SpiralAngle(4500, 360), 1e-12);
    EXPECT_EQ(s.p1, s.p2);
    EXPECT_EQ(s.q1, s.q2);
    EXPECT_EQ(s.betao1, s.betao2);
    EXPECT_EQ(s.T1, s.T2);
    EXPECT_NEAR(s.T1, (4500 + s.p1) * std::tan(half) + s.q1, 1e-6);
    EXPECT_NEAR(s.E, (4500 + s.p1) / std::cos(half) - 4500, 1e-6);
    EXPECT_NEAR(s.L, Rad(s.alpha - 2 * s.betao1) * 4500 + 720, 1e-6);
    EXPECT_NEAR(s.Ly, s.L - 720, 1e-9);
    // Rounded as the element cells show them.
    EXPECT_NEAR(s.T1, 2434.6526, 5e-5);
    EXPECT_NEAR(s.E, 534.3125, 5e-5);
    EXPECT_NEAR(s.L, 4539.324, 5e-5);
}

TEST(CurveElements, MainPointStationsIncreaseAlongTheCurve)
{
    const CurveState s = testing::DefaultCurve();
    EXPECT_NEAR(s.ZH, 10021.359 - s.T1, 1e-9);
    EXPECT_NEAR(s.HYStation, s.ZH + 360, 1e-9);
    EXPECT_NEAR(s.QZ, s.HYStation + s.Ly / 2, 1e-9);
    EXPECT_NEAR(s.YHStation, s.HYStation + s.Ly, 1e-9);
    EXPECT_NEAR(s.HZ, s.ZH + s.L, 1e-9);
    EXPECT_LT(s.ZH, s.HYStation);
    EXPECT_LT(s.HYStation, s.QZ);
    EXPECT_LT(s.QZ, s.YHStation);
    EXPECT_LT(s.YHStation, s.HZ);
    // ZH lies on the back azimuth at distance T1 from JD.
    EXPECT_NEAR(s.FZH, s.F + 180, 1e-12);
    EXPECT_NEAR(std::hypot(s.X_ZH - s.X, s.Y_ZH - s.Y), s.T1, 1e-6);
    EXPECT_NEAR(s.X_ZH, s.X + s.T1 * std::cos(Rad(s.FZH)), 1e-6);
    EXPECT_NEAR(std::hypot(s.X_HZ - s.X, s.Y_HZ - s.Y), s.T2, 1e-6);
}

TEST(CurveElements, UnequalSpiralsGiveUnequalTangents)
{
    const CurveState eq = testing::DefaultCurve();
    const CurveState s = Prepared(CurveVariant{"", "4500", "360", "200"});
    EXPECT_LT(s.p2, s.p1);
    EXPECT_LT(s.q2, s.q1);
    EXPECT_LT(s.betao2, s.betao1);
    EXPECT_GT(s.Ly, eq.Ly);
    EXPECT_NE(s.T1, s.T2);
    EXPECT_EQ(s.E, eq.E);  // only p1 enters E
    EXPECT_NE(s.QZ, (s.ZH + s.HZ) / 2);
    // The tangent lengths close the triangle JD - ZH - HZ around the shifted
    // arc: the general textbook expressions for unequal spirals.
    const double a = Rad(s.alpha), R = 4500;
    EXPECT_NEAR(s.T1, (R + s.p1) * std::tan(a / 2) + s.q1 - (s.p1 - s.p2) / std::sin(a), 1e-6);
    EXPECT_NEAR(s.T2, (R + s.p2) * std::tan(a / 2) + s.q2 + (s.p1 - s.p2) / std::sin(a), 1e-6);
}

TEST(CurveElements, NoSpiralsIsASimpleCircularCurve)
{
    const CurveState s = Prepared(CurveVariant{"", "4500", "0", "0"});
    const double half = Rad(s.alpha / 2);
    EXPECT_EQ(s.p1, 0);
    EXPECT_EQ(s.q1, 0);
    EXPECT_EQ(s.betao1, 0);
    EXPECT_EQ(s.p2, 0);
    EXPECT_NEAR(s.T1, 4500 * std::tan(half), 1e-6);
    EXPECT_NEAR(s.T2, s.T1, 1e-9);
    EXPECT_NEAR(s.E, 4500 / std::cos(half) - 4500, 1e-6);
    EXPECT_EQ(s.Ly, s.L);
    EXPECT_EQ(s.ZH, s.HYStation);
    EXPECT_EQ(s.YHStation, s.HZ);
}

TEST(CurveElements, LeftTurnChangesOnlyTheSecondTangent)
{
    const CurveState r = testing::DefaultCurve();
    const CurveState l = Prepared(CurveVariant{"", "4500", "360", "360", "-53.12461"});
    for (auto field : {&CurveState::p1, &CurveState::q1, &CurveState::betao1, &CurveState::Ly,
                       &CurveState::T1, &CurveState::T2, &CurveState::E, &CurveState::L,
                       &CurveState::ZH, &CurveState::QZ, &CurveState::HZ, &CurveState::X_ZH})
        EXPECT_EQ(l.*field, r.*field);
    EXPECT_NEAR(l.F2, r.F - (53 + 12 / 60.0 + 46.1 / 3600), 1e-12);
    EXPECT_NE(l.X_HZ, r.X_HZ);
}

TEST(CurveElements, TangentAzimuthsAreReducedOnceAbove360)
{
    EXPECT_EQ(Prepared(CurveVariant{"", "4500", "360", "360", "53.12461", "180"}).FZH, 360);
    EXPECT_NEAR(Prepared(CurveVariant{"", "4500", "360", "360", "53.12461", "180.30"}).FZH, 0.5,
                1e-12);
    const CurveState s = Prepared(CurveVariant{"", "4500", "360", "360", "53.12461", "350"});
    EXPECT_NEAR(s.F2, 350 + 53.2128055555556 - 360, 1e-9);
}

TEST(CurveElements, SpiralsTooLongForTheDeflectionComputeWithoutFault)
{
    const CurveState s = Prepared(CurveVariant{"", "100", "100", "100", "30"});
    EXPECT_LT(s.Ly, 0);
    EXPECT_LT(s.YHStation, s.HYStation);
}

TEST(CurveElements, OverflowEndsWithAFault)
{
    CurveState s;
    CurveTexts t = DefaultCurveTexts();
    t[3] = "1e-300";  // R so small that Ls^2 / R overflows
    SJ(s, t);
    EXPECT_THROW(YS(s), FloatFault);
    t = DefaultCurveTexts();
    t[4] = "1e200";  // Ls1^4 overflows
    SJ(s, t);
    EXPECT_THROW(YS(s), FloatFault);
}

}  // namespace
}  // namespace tarvelo
