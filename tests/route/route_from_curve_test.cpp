// The main window's curve as a one-JD route: the route's curve must be the
// window's curve (elements, main points, every stake), with QD and ZD 100 m
// beyond ZH and HZ on the tangents.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/curve/centreline.h"
#include "core/numbers/float_fault.h"
#include "core/curve/main_point.h"
#include "core/plan/route_from_curve.h"
#include "tests/support/test_curves.h"
#include "tests/support/test_routes.h"

namespace tarvelo {
namespace {

using testing::CurveVariant;
using testing::Prepared;

// Metres. QD and ZD are placed from coordinates of a few million metres,
// whose last bit is 4.7e-10 m; the route takes its azimuth and lengths back
// from their differences, so its numbers drift by a few nanometres. A
// micrometre is a thousandth of the shown 0.1 mm and far above that drift.
constexpr double kLength = 1e-6;
// Degrees: a nanometre over a 100 m lever is 6e-10°.
constexpr double kAngle = 1e-8;

double AngleGap(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// The shared variants and the boundaries of the azimuth: a right turn whose
// second tangent passes 360°, a left one whose F2 goes below 0 (YS leaves it
// negative), a deflection just short of 180°, a hairpin with spirals, a curve
// at the origin.
const CurveVariant kBoundaryVariants[] = {
    {"RightPastNorth", "900", "120", "80", "30", "359.3"},
    {"LeftBelowNorth", "900", "80", "120", "-30", "0.1"},
    {"AlmostReversing", "300", "0", "0", "178", "45"},
    {"HairpinWithSpirals", "60", "35", "25", "-150", "270"},
};

std::vector<CurveState> Curves()
{
    std::vector<CurveState> curves;
    for (const CurveVariant& v : testing::kCurveVariants) curves.push_back(Prepared(v));
    for (const CurveVariant& v : kBoundaryVariants) curves.push_back(Prepared(v));
    CurveTexts origin = DefaultCurveTexts();
    origin[0] = "0";
    origin[1] = "0";
    origin[2] = "0";
    curves.push_back(Prepared(origin));
    return curves;
}

TEST(RouteFromCurve, TheRoutesOneCurveIsTheWindowsCurve)
{
    const std::vector<CurveState> curves = Curves();
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const CurveState& s = curves[i];
        SCOPED_TRACE(i);
        ASSERT_FALSE(RouteFromCurveRefusal(s).has_value());
        const std::vector<RoutePointInput> rows = RouteRowsFromCurve(s);
        ASSERT_EQ(rows.size(), 3u);
        const Route route = testing::Built(rows, SpiralMode::Series);
        EXPECT_TRUE(route.warnings().empty()) << route.warnings()[0].message;
        ASSERT_EQ(route.curves().size(), 1u);
        const RouteCurve& c = route.curves()[0];
        const CurveState& r = c.curve;

        // QD and ZD: 100 m beyond ZH and HZ, on the tangents.
        EXPECT_NEAR(route.start().station, s.ZH - 100, kLength);
        EXPECT_NEAR(route.end().station, s.HZ + 100, kLength);
        EXPECT_NEAR(route.legs()[0].length, s.T1 + 100, kLength);
        EXPECT_NEAR(route.legs()[1].length, s.T2 + 100, kLength);
        EXPECT_NEAR(route.legs()[0].tangent, 100, kLength);
        EXPECT_NEAR(route.legs()[1].tangent, 100, kLength);

        EXPECT_NEAR(c.alpha, s.alpha, kAngle);
        EXPECT_LT(AngleGap(r.F, s.F), kAngle);
        EXPECT_LT(AngleGap(r.F2, s.F2), kAngle);
        const struct {
            const char* name;
            double route, window;
        } lengths[] = {
            {"X", r.X, s.X},       {"Y", r.Y, s.Y},         {"JD", r.JD, s.JD},
            {"R", r.R, s.R},       {"Ls1", r.Ls1, s.Ls1},   {"Ls2", r.Ls2, s.Ls2},
            {"T1", r.T1, s.T1},    {"T2", r.T2, s.T2},      {"L", r.L, s.L},
            {"Ly", r.Ly, s.Ly},    {"E", r.E, s.E},         {"p1", r.p1, s.p1},
            {"q2", r.q2, s.q2},    {"ZH", r.ZH, s.ZH},      {"HY", r.HYStation, s.HYStation},
            {"QZ", r.QZ, s.QZ},    {"YH", r.YHStation, s.YHStation},
            {"HZ", r.HZ, s.HZ},    {"X_ZH", r.X_ZH, s.X_ZH}, {"Y_ZH", r.Y_ZH, s.Y_ZH},
            {"X_HZ", r.X_HZ, s.X_HZ}, {"Y_HZ", r.Y_HZ, s.Y_HZ},
        };
        for (const auto& l : lengths) EXPECT_NEAR(l.route, l.window, kLength) << l.name;
        // The five main points as the window's elements table shows them.
        const MainPoints window = ComputeMainPoints(s);
        for (int p = 0; p < 5; ++p) {
            EXPECT_STREQ(c.points[p].name, window[p].name);
            EXPECT_NEAR(c.points[p].station, window[p].station, kLength) << p;
            EXPECT_NEAR(c.points[p].x, window[p].x, kLength) << p;
            EXPECT_NEAR(c.points[p].y, window[p].y, kLength) << p;
            EXPECT_LT(AngleGap(c.points[p].azimuth, window[p].azimuth), kAngle) << p;
        }

        // Main points and stakes: the window's own lookup against the route's,
        // on both tangents, the spirals and the arc, with offsets and skews.
        // At HY and YH the two stations differ in their last bits, so each
        // lookup may take the other side of the join, where spiral series and
        // arc are JoinGap apart; everywhere else both take the same method.
        const double join = testing::JoinGap(s.R, std::max(s.Ls1, s.Ls2));
        std::vector<std::pair<double, double>> stations = {
            {s.ZH, kLength}, {s.HYStation, kLength + join}, {s.QZ, kLength},
            {s.YHStation, kLength + join}, {s.HZ, kLength}};
        // Sampled over the route's own range (its ends are the window's
        // ZH − 100 and HZ + 100 within kLength, checked above).
        const double first = route.start().station, last = route.end().station;
        for (int n = 0; n <= 40; ++n) stations.push_back({n == 40 ? last : first + (last - first) * n / 40, kLength});
        for (const auto& [k, tolerance] : stations)
            for (double m : {0.0, 7.25, -12.5})
                for (double a : {90.0, 60.0}) {
                    const CentrelinePoint want = PointAtStation(s, k, m, a);
                    const std::optional<RouteStake> got = route.PointAt(k, m, a);
                    ASSERT_TRUE(got.has_value()) << k;
                    EXPECT_NEAR(got->point.x, want.x, tolerance) << k << " " << m << " " << a;
                    EXPECT_NEAR(got->point.y, want.y, tolerance) << k << " " << m << " " << a;
                    EXPECT_LT(AngleGap(got->point.azimuth, want.azimuth), kAngle) << k;
                }
    }
}

TEST(RouteFromCurve, QdAndZdLieOnTheTangentsAsWorkedByHand)
{
    // North from JD (1000, 2000) station 500, then a right angle east, R 300,
    // no spirals: T = 300, L = 150π, ZH = 200, HZ = 200 + 471.2389.
    CurveTexts t = {"1000", "2000", "500", "300", "0", "0", "90", "0"};
    const CurveState s = Prepared(t);
    const std::vector<RoutePointInput> rows = RouteRowsFromCurve(s);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "QD");
    EXPECT_NEAR(rows[0].x, 1000 - 400, kLength);
    EXPECT_NEAR(rows[0].y, 2000, kLength);
    ASSERT_TRUE(rows[0].station.has_value());
    EXPECT_NEAR(*rows[0].station, 100, kLength);
    EXPECT_EQ(rows[1].name, "JD1");
    EXPECT_EQ(rows[1].station, std::optional<double>(500));
    EXPECT_EQ(rows[1].R, 300);
    EXPECT_NEAR(rows[2].x, 1000, kLength);
    EXPECT_NEAR(rows[2].y, 2000 + 400, kLength);
    EXPECT_EQ(rows[2].name, "ZD");
    EXPECT_FALSE(rows[2].station.has_value());
    const Route route = testing::Built(rows);
    EXPECT_NEAR(route.end().station, 200 + 150 * 3.14159265358979 + 100, kLength);
}

TEST(RouteFromCurve, RefusesWhatARouteCannotHold)
{
    const CurveState good = Prepared(DefaultCurveTexts());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        double CurveState::*field;
        double value;
        bool refused;
    } cases[] = {
        {"DeflectionOf180", &CurveState::alpha, 180, true},
        {"DeflectionOfMinus180", &CurveState::alpha, -180, true},
        {"DeflectionPast180", &CurveState::alpha, -200.5, true},
        {"DeflectionJustUnder180", &CurveState::alpha, 179.999, false},
        {"NegativeZeroStation", &CurveState::JD, -0.0, false},
        {"HugeCoordinate", &CurveState::X, 1e300, false},
        {"NaNCoordinate", &CurveState::X, nan, true},
        {"InfiniteTangent", &CurveState::T1, inf, true},
        {"NaNAzimuth", &CurveState::F2, nan, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CurveState s = good;
        s.*c.field = c.value;
        EXPECT_EQ(RouteFromCurveRefusal(s).has_value(), c.refused);
    }
    // A curve the refusal lets through whose coordinates still overflow.
    CurveState far = good;
    far.X = 1.7e308;
    far.T1 = 1e308;
    far.F = 180;
    EXPECT_THROW(RouteRowsFromCurve(far), FloatFault);
}

}  // namespace
}  // namespace tarvelo
