#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "compute/main_points.h"
#include "core/numbers/angles.h"
#include "core/curve/clothoid.h"
#include "core/curve/curve_elements.h"
#include "core/plan/route.h"
#include "tests/support/test_curves.h"
#include "tests/support/test_routes.h"

namespace tarvelo {
namespace {

using testing::Built;
using testing::Jd;
using testing::Qd;
using testing::Zd;

// Metres. Values worked by hand from the closed forms agree to rounding of
// coordinates near 10^6 m.
constexpr double kHandTol = 1e-8;
// Degrees.
constexpr double kAngleTol = 1e-10;

TEST(RouteBuild, StaircaseChainsStationsWithTangentsMinusCurve)
{
    const Route r = Built(testing::StaircaseRows());
    ASSERT_EQ(r.curves().size(), 3u);
    // No spirals, 90° each: T = R·tan 45° = 200, L = R·π/2, T1 + T2 − L.
    const double L = 200 * kPi / 2;
    const double dh = 400 - L;
    const double s1 = 1000, s2 = s1 + 1000 - dh, s3 = s2 + 1000 - dh, end = s3 + 1000 - dh;
    const double stations[] = {s1, s2, s3};
    const double alphas[] = {90, -90, 90};
    for (int j = 0; j < 3; ++j) {
        SCOPED_TRACE(j);
        const RouteCurve& c = r.curves()[j];
        EXPECT_NEAR(c.curve.JD, stations[j], kHandTol);
        EXPECT_NEAR(c.alpha, alphas[j], kAngleTol);
        EXPECT_NEAR(c.curve.T1, 200, kHandTol);
        EXPECT_NEAR(c.curve.T2, 200, kHandTol);
        EXPECT_NEAR(c.curve.L, L, kHandTol);
        EXPECT_NEAR(c.Dh(), dh, kHandTol);
        EXPECT_NEAR(c.points[0].station, stations[j] - 200, kHandTol);
        EXPECT_NEAR(c.points[4].station, stations[j] - 200 + L, kHandTol);
        EXPECT_EQ(c.seriesErrorMm[0], 0);
    }
    EXPECT_NEAR(r.end().station, end, kHandTol);
    EXPECT_NEAR(r.length(), end, kHandTol);
    // Straights: 1000 − 200 on the outer legs, 1000 − 400 between curves.
    const double tangents[] = {800, 600, 600, 800};
    ASSERT_EQ(r.legs().size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(r.legs()[i].tangent, tangents[i], kHandTol) << i;
    EXPECT_NEAR(r.legs()[1].azimuth, 90, kAngleTol);
    EXPECT_TRUE(r.warnings().empty());
    // ZH of JD1 lies 200 m before JD1 on the first leg; HZ 200 m along the
    // second.
    EXPECT_NEAR(r.curves()[0].points[0].x, 800, kHandTol);
    EXPECT_NEAR(r.curves()[0].points[4].y, 200, kHandTol);
    EXPECT_NEAR(r.curves()[0].points[4].x, 1000, kHandTol);
}

TEST(RouteBuild, OneJdRouteIsTheWindowsCurve)
{
    // The window's default curve; QD and ZD 5 km out along its two tangents
    // (T1 = T2 = 2434.65 m).
    const CurveState w = testing::DefaultCurve();
    const double f2 = w.F + w.alpha;
    const Route r = Built({Qd(w.X - 5000 * CosDeg(w.F), w.Y - 5000 * SinDeg(w.F), w.JD - 5000),
                           Jd("JD1", w.X, w.Y, w.R, w.Ls1, w.Ls2),
                           Zd(w.X + 5000 * CosDeg(f2), w.Y + 5000 * SinDeg(f2))},
                          SpiralMode::Series);
    ASSERT_EQ(r.curves().size(), 1u);
    const CurveState& c = r.curves()[0].curve;
    // The route's F and α come from coordinates: equal to the typed ones to
    // about 1e-12° (atan2 of coordinates near 10^6 m).
    EXPECT_NEAR(c.F, w.F, 1e-9);
    EXPECT_NEAR(c.alpha, w.alpha, 1e-9);
    const struct {
        const char* name;
        double route, window;
    } fields[] = {
        {"T1", c.T1, w.T1}, {"T2", c.T2, w.T2}, {"L", c.L, w.L},   {"Ly", c.Ly, w.Ly},
        {"E", c.E, w.E},    {"p1", c.p1, w.p1}, {"q1", c.q1, w.q1}, {"ZH", c.ZH, w.ZH},
        {"HY", c.HYStation, w.HYStation}, {"QZ", c.QZ, w.QZ}, {"YH", c.YHStation, w.YHStation},
        {"HZ", c.HZ, w.HZ}, {"X_HZ", c.X_HZ, w.X_HZ}, {"Y_HZ", c.Y_HZ, w.Y_HZ},
    };
    // 1e-6 m: a 1e-9° difference in α moves T by R·1e-9·π/360 ≈ 4e-8 m.
    for (const auto& f : fields) EXPECT_NEAR(f.route, f.window, 1e-6) << f.name;
    const MainPoints wp = ComputeMainPoints(w);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(r.curves()[0].points[i].x, wp[i].x, 1e-6) << i;
        EXPECT_NEAR(r.curves()[0].points[i].y, wp[i].y, 1e-6) << i;
    }
    // A stake through the route equals the window's stake.
    for (double k : {9500.0, 10000.0, 10500.0}) {
        const auto stake = r.PointAt(k, 5, 90);
        ASSERT_TRUE(stake);
        const CentrelinePoint p = PointAtStation(w, k, 5, 90);
        EXPECT_NEAR(stake->point.x, p.x, 1e-6) << k;
        EXPECT_NEAR(stake->point.y, p.y, 1e-6) << k;
        EXPECT_NEAR(stake->point.azimuth, p.azimuth, 1e-9) << k;
    }
    EXPECT_TRUE(r.warnings().empty());
}

TEST(RouteBuild, PositionAndAzimuthAreContinuousFromEveryHzToTheNextZh)
{
    const Route r = Built(testing::MixedRows());
    for (std::size_t j = 0; j + 1 < r.curves().size(); ++j) {
        SCOPED_TRACE(j);
        const CurveState& a = r.curves()[j].curve;
        const CurveState& b = r.curves()[j + 1].curve;
        // The straight between them seen from both curves: the end of curve
        // j's second tangent and the start of curve j+1's first tangent.
        for (double k : {a.HZ, (a.HZ + b.ZH) / 2, b.ZH}) {
            const CentrelinePoint p = PointAtStation(a, k, 0, 0);
            const CentrelinePoint q = PointAtStation(b, k, 0, 0);
            // 1e-6 m: both are closed-form on one straight line; coordinates
            // near 10^6 m carry about 1e-10 m of rounding per operation.
            EXPECT_NEAR(p.x, q.x, 1e-6) << k;
            EXPECT_NEAR(p.y, q.y, 1e-6) << k;
            EXPECT_NEAR(NormaliseAzimuth(p.azimuth), NormaliseAzimuth(q.azimuth), 1e-9) << k;
        }
    }
    // The elements follow one another without gaps in station or position.
    const auto& e = r.elements();
    ASSERT_FALSE(e.empty());
    EXPECT_DOUBLE_EQ(e.front().startStation, r.start().station);
    EXPECT_NEAR(e.back().endStation, r.end().station, 1e-9);
    for (std::size_t i = 0; i + 1 < e.size(); ++i) {
        EXPECT_DOUBLE_EQ(e[i].endStation, e[i + 1].startStation) << i;
        // Spiral and arc meet with the series gap (well under 1 mm here).
        EXPECT_NEAR(e[i].end.x, e[i + 1].start.x, 1e-3) << i;
        EXPECT_NEAR(e[i].end.y, e[i + 1].start.y, 1e-3) << i;
    }
    EXPECT_NEAR(e.front().start.x, r.start().x, 1e-6);
    EXPECT_NEAR(e.back().end.y, r.end().y, 1e-6);
}

TEST(RouteBuild, StationsOnTheRowsAreCheckedAgainstTheChainedOnes)
{
    auto rows = testing::StaircaseRows();
    rows[1].station = 1000.0004;  // within 1 mm: quiet
    rows[2].station = 1900;       // 14.159 m off: reported
    rows[4].station = 0;          // ZD
    const Route r = Built(rows);
    ASSERT_EQ(r.warnings().size(), 2u);
    EXPECT_EQ(r.warnings()[0].row, 2);
    EXPECT_NE(r.warnings()[0].message.find("JD2"), std::string::npos);
    EXPECT_NE(r.warnings()[0].message.find("1914.159"), std::string::npos);
    EXPECT_EQ(r.warnings()[1].row, 4);
    // The route itself still comes from the coordinates.
    EXPECT_NEAR(r.curves()[1].curve.JD, 2000 - (400 - 200 * kPi / 2), kHandTol);
}

TEST(RouteBuild, RefusedRoutesNameTheRowAndTheReason)
{
    using Rows = std::vector<RoutePointInput>;
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        Rows rows;
        int row;
        const char* says;
    } cases[] = {
        {"no JD", {Qd(0, 0, 0), Zd(100, 0)}, -1, "三行"},
        {"zero-length leg", {Qd(0, 0, 0), Jd("JD1", 0, 0, 100), Zd(100, 100)}, 1, "边长为 0"},
        {"R zero", {Qd(0, 0, 0), Jd("JD1", 1000, 0, 0), Zd(1000, 1000)}, 1, "半径R必须大于0"},
        {"R negative", {Qd(0, 0, 0), Jd("JD1", 1000, 0, -5), Zd(1000, 1000)}, 1, "半径R"},
        {"Ls negative", {Qd(0, 0, 0), Jd("JD1", 1000, 0, 100, -1), Zd(1000, 1000)}, 1, "不能为负"},
        {"straight through", {Qd(0, 0, 0), Jd("JD1", 1000, 0, 100), Zd(2000, 1e-9)}, 1, "转角太小"},
        {"spirals too long", {Qd(0, 0, 0), Jd("JD1", 1000, 0, 100, 100, 100), Zd(1000 + 866, 500)}, 1,
         "Ly"},
        {"curves overlap",
         {Qd(0, 0, 0), Jd("JD1", 1000, 0, 300), Jd("JD2", 1000, 300, 300), Zd(2000, 300)}, 1, "重叠"},
        {"curve before QD", {Qd(0, 0, 0), Jd("JD1", 100, 0, 500), Zd(100, 1000)}, 1, "QD"},
        {"curve after ZD", {Qd(0, 0, 0), Jd("JD1", 1000, 0, 500), Zd(1000, 100)}, 1, "ZD"},
        {"QD without station", {{"QD", 0, 0, std::nullopt}, Jd("JD1", 1000, 0, 100), Zd(1000, 1000)}, 0, "桩号"},
        {"infinite coordinate", {Qd(0, 0, 0), Jd("JD1", inf, 0, 100), Zd(1000, 1000)}, 1, "有限"},
        {"NaN radius", {Qd(0, 0, 0), Jd("JD1", 1000, 0, std::nan("")), Zd(1000, 1000)}, 1, "有限"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Route::Built b = Route::Build(c.rows);
        EXPECT_FALSE(b.route);
        ASSERT_TRUE(b.error);
        EXPECT_EQ(b.error->row, c.row);
        EXPECT_NE(b.error->message.find(c.says), std::string::npos) << b.error->message;
        if (c.row > 0) {
            EXPECT_NE(b.error->message.find(c.rows[c.row].name), std::string::npos);
        }
    }
}

TEST(RouteBuild, ReverseCurvesThatMeetAreLegitimate)
{
    // Legs of 400 m between two 90° curves of R 200 without spirals: the
    // straight between them is 0 (to rounding).
    const Route r =
        Built({Qd(0, 0, 0), Jd("JD1", 1000, 0, 200), Jd("JD2", 1000, 400, 200), Zd(2000, 400)});
    ASSERT_EQ(r.curves().size(), 2u);
    EXPECT_NEAR(r.legs()[1].tangent, 0, 1e-9);
    EXPECT_NEAR(r.curves()[0].curve.HZ, r.curves()[1].curve.ZH, 1e-9);
}

TEST(RouteBuild, LookupPicksTheCurveThatServesTheStationAndStaysInRange)
{
    const Route r = Built(testing::StaircaseRows());
    const double hz1 = r.curves()[0].curve.HZ, hz2 = r.curves()[1].curve.HZ;
    const struct {
        double k;
        std::size_t curve;
    } cases[] = {
        {0, 0}, {hz1, 0}, {std::nextafter(hz1, 1e9), 1}, {hz2, 1}, {hz2 + 1, 2}, {r.end().station, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(r.CurveAt(c.k), c.curve) << c.k;
        const auto stake = r.PointAt(c.k, 0, 90);
        ASSERT_TRUE(stake) << c.k;
        EXPECT_EQ(stake->curve, c.curve);
        EXPECT_GE(stake->point.azimuth, 0);
        EXPECT_LT(stake->point.azimuth, 360);
    }
    // Within 1 mm of an end is that end (kRouteEndTolerance); beyond, outside.
    for (double k : {-0.0011, r.end().station + 0.0011, std::nan(""),
                     std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(r.PointAt(k, 0, 90)) << k;
    // QD and ZD themselves.
    EXPECT_NEAR(r.PointAt(0, 0, 90)->point.x, 0, 1e-9);
    EXPECT_NEAR(r.PointAt(r.end().station, 0, 90)->point.y, 2000, 1e-9);
}

TEST(RouteBuild, AzimuthsAreReducedIntoZeroTo360)
{
    const struct {
        double in, out;
    } cases[] = {
        {0, 0}, {-0.0, 0}, {360, 0}, {-360, 0}, {720.5, 0.5}, {-90, 270}, {-1e-17, 0}, {359.5, 359.5},
    };
    for (const auto& c : cases) EXPECT_EQ(NormaliseAzimuth(c.in), c.out) << c.in;
    EXPECT_TRUE(std::isnan(NormaliseAzimuth(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(NormaliseAzimuth(std::nan(""))));
    EXPECT_EQ(AzimuthOf(0, 0), 0);
    EXPECT_NEAR(AzimuthOf(0, 1), 90, kAngleTol);
    EXPECT_NEAR(AzimuthOf(-1, 0), 180, kAngleTol);
    EXPECT_NEAR(AzimuthOf(0, -1), 270, kAngleTol);
    EXPECT_NEAR(AzimuthOf(1, -1e-300), 0, kAngleTol);
}

// The clothoid by Simpson's rule over its defining integrals: an
// independent way to the exact end point.
ClothoidXY Simpson(double l, double r, double ls)
{
    const int n = 20000;
    const double h = l / n;
    double sx = 0, sy = 0;
    for (int i = 0; i <= n; ++i) {
        const double s = i * h;
        const double w = (i == 0 || i == n) ? 1 : (i % 2 ? 4 : 2);
        const double angle = s * s / (2 * r * ls);
        sx += w * std::cos(angle);
        sy += w * std::sin(angle);
    }
    return {sx * h / 3, sy * h / 3};
}

TEST(SeriesAccuracy, SharpSpiralIsAbout55MillimetresOffTheClothoid)
{
    // R 95.78, Ls 110: the third series terms l·θ⁴/216 and l·θ⁵/1320 with
    // θ = 0.5742 rad add up to about 55 mm.
    EXPECT_NEAR(SeriesErrorMm(95.78, 110), 55.2, 0.3);
    // The default curve: θ = 0.04 rad, l·θ⁴/216 = 4.27 µm.
    EXPECT_NEAR(SeriesErrorMm(4500, 360), 0.00427, 0.00002);
    EXPECT_EQ(SeriesErrorMm(4500, 0), 0);
    EXPECT_TRUE(std::isnan(SeriesErrorMm(std::nan(""), 100)));
    EXPECT_TRUE(std::isnan(SeriesErrorMm(-5, 100)));
    const struct {
        double l, r, ls;
    } cases[] = {{110, 95.78, 110}, {50, 95.78, 110}, {360, 4500, 360}, {60, 30, 60}, {0, 100, 50}};
    for (const auto& c : cases) {
        const ClothoidXY a = ExactClothoid(c.l, c.r, c.ls);
        const ClothoidXY b = Simpson(c.l, c.r, c.ls);
        // Simpson with 20000 panels is good to about 1e-12 m here.
        EXPECT_NEAR(a.x, b.x, 1e-9) << c.l << " " << c.r;
        EXPECT_NEAR(a.y, b.y, 1e-9) << c.l << " " << c.r;
    }
    // The spirals of a route carry their accuracy.
    const Route r = Built({Qd(0, 0, 0), Jd("JD1", 1000, 0, 95.78, 110, 0), Zd(1000, 1000)});
    EXPECT_NEAR(r.curves()[0].seriesErrorMm[0], 55.2, 0.3);
    EXPECT_EQ(r.curves()[0].seriesErrorMm[1], 0);
}

TEST(RouteBuild, StationOrPointWithinAMillimetreOfAnEndIsThatEnd)
{
    // A route 99.9996 m long: its end shows as K0+100.000, and 100 typed
    // back from the table is the end, not "outside".
    ElementInput line;
    line.name = "L1";
    line.station = 0;
    line.x = 0;
    line.y = 0;
    line.azimuth = 0;
    line.length = 99.9996;
    const Route::Built built = Route::BuildElements({line});
    ASSERT_TRUE(built.route);
    const Route& r = *built.route;
    const struct {
        double station;
        bool found;
        double at;  // the route's own station it is taken as
    } cases[] = {
        {100, true, 99.9996}, {100.0006, true, 99.9996}, {100.0007, false, 0},
        {-0.001, true, 0},    {-0.0011, false, 0},       {50, true, 50},
    };
    for (const auto& c : cases) {
        const std::optional<RouteStake> stake = r.PointAt(c.station, 0, 90);
        ASSERT_EQ(stake.has_value(), c.found) << c.station;
        if (!c.found) continue;
        EXPECT_NEAR(stake->point.x, c.at, 1e-9) << c.station;  // due north from (0, 0)
        // The station typed in an option is moved onto the end too.
        const Route::StationLookup at = r.StationOf(c.station);
        ASSERT_TRUE(at.station) << c.station;
        EXPECT_DOUBLE_EQ(*at.station, c.at) << c.station;
    }
}

}  // namespace
}  // namespace tarvelo
