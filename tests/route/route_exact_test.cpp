// Routes on exact clothoids: JD curves that meet their arcs and tangents,
// element routes (线元法) with egg curves and inflections, and the series
// mode kept for anyone who must match the main window.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "compute/route_inverse.h"
#include "compute/route_profile.h"
#include "compute/route_table.h"
#include "core/numbers/angles.h"
#include "core/curve/clothoid.h"
#include "core/plan/route.h"
#include "tests/support/test_routes.h"

namespace tarvelo {
namespace {

using testing::Built;
using testing::Jd;
using testing::Qd;
using testing::Zd;

double AngleGap(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360 - d);
}

std::vector<RoutePointInput> SharpRows()
{
    return {Qd(0, 0, 0), Jd("JD1", 1000, 0, 95.78, 110, 110), Jd("JD2", 1000, 900, 150, 135, 60),
            Zd(1800, 1300)};
}

ElementInput Element(const std::string& name, double length, double rs, double re, int turn)
{
    ElementInput e;
    e.name = name;
    e.length = length;
    e.startRadius = rs;
    e.endRadius = re;
    e.turn = turn;
    return e;
}

// The row of the table (1000 m stakes, main points in) at curve jd's main
// point `kind`, or nullopt when the table has none.
std::optional<RouteTableRow> MainPointRow(const Route& r, const char* kind, std::size_t jd)
{
    RouteTableParams p;
    p.interval = 1000;
    RouteTableCursor cursor(r, p);
    RouteTableEntry e;
    while (cursor.Next(&e))
        if (e.kind == kind && e.jd == jd) return ComputeRouteTableRow(r, e, p);
    return std::nullopt;
}

// A ramp: a line, a spiral into R 200, an egg curve R 200 -> R 400, an
// opening spiral, a line, a left spiral through an inflection into a right
// one (R 150 left to R 300 right via ∞), a right arc, a closing spiral.
std::vector<ElementInput> RampRows()
{
    std::vector<ElementInput> rows = {
        Element("L1", 80, kStraight, kStraight, 0),
        Element("A1", 60, kStraight, 200, 1),
        Element("C1", 90, 200, 200, 1),
        Element("E1", 50, 200, 400, 1),
        Element("C2", 70, 400, 400, 1),
        Element("A2", 70, 400, kStraight, 1),
        Element("L2", 40, kStraight, kStraight, 0),
        Element("A3", 55, kStraight, 150, -1),
        Element("C3", 40, 150, 150, -1),
        Element("A4", 55, 150, kStraight, -1),
        Element("A5", 65, kStraight, 300, 1),
        Element("C4", 100, 300, 300, 1),
        Element("A6", 65, 300, kStraight, 1),
        Element("L3", 30, kStraight, kStraight, 0),
    };
    rows[0].station = 1000;
    rows[0].x = 3400000;
    rows[0].y = 500000;
    rows[0].azimuth = 30;
    return rows;
}

Route BuiltElements(const std::vector<ElementInput>& rows)
{
    Route::Built b = Route::BuildElements(rows);
    if (!b.route) throw std::runtime_error("element route refused: " + b.error->message);
    return *b.route;
}

TEST(RouteExact, CurvesMeetTheirArcsAndTangentsExactly)
{
    for (const auto& rows : {SharpRows(), testing::MixedRows()}) {
        const Route r = Built(rows);
        ASSERT_EQ(r.spiralMode(), SpiralMode::Exact);
        const auto& e = r.elements();
        for (std::size_t i = 0; i + 1 < e.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(e[i].endStation, e[i + 1].startStation);
            EXPECT_LT(std::hypot(e[i].end.x - e[i + 1].start.x, e[i].end.y - e[i + 1].start.y), 1e-8);
            EXPECT_LT(AngleGap(e[i].end.azimuth, e[i + 1].start.azimuth), 1e-9);
        }
        // HZ is on the forward tangent: the exit spiral's end lies on the
        // line from JD along F2, at T2 from JD.
        for (const RouteCurve& c : r.curves()) {
            const CurveState& s = c.curve;
            const std::size_t last = r.ElementAt(s.HZ);
            const CentrelinePoint end = r.ElementPointAt(last, s.HZ);
            const double dx = end.x - s.X, dy = end.y - s.Y;
            EXPECT_NEAR(-dx * SinDeg(s.F2) + dy * CosDeg(s.F2), 0, 1e-8) << c.name;
            EXPECT_NEAR(dx * CosDeg(s.F2) + dy * SinDeg(s.F2), s.T2, 1e-8) << c.name;
            // HY is on the arc: R from the arc's centre.
            if (s.Ls1 > 0 && s.Ly > 0) {
                const RouteElement& arc = r.elements()[r.ElementAt(s.HYStation) + 1];
                ASSERT_EQ(arc.kind, ElementKind::Arc);
                EXPECT_NEAR(std::hypot(c.points[1].x - arc.centreX, c.points[1].y - arc.centreY), s.R, 1e-8);
                EXPECT_NEAR(std::hypot(c.points[3].x - arc.centreX, c.points[3].y - arc.centreY), s.R, 1e-8);
            }
        }
    }
}

TEST(RouteExact, SeriesSpiralEndsDifferByTheSeriesAccuracy)
{
    // Seen from ZH, the series HY and the exact HY are SeriesErrorMm apart:
    // the accuracy column tells the distance between the two curves.
    const Route exact = Built(SharpRows());
    const Route series = Built(SharpRows(), SpiralMode::Series);
    for (std::size_t j = 0; j < exact.curves().size(); ++j) {
        const RouteCurve& a = exact.curves()[j];
        const RouteCurve& b = series.curves()[j];
        const double ex = a.points[1].x - a.points[0].x, ey = a.points[1].y - a.points[0].y;
        const double sx = b.points[1].x - b.points[0].x, sy = b.points[1].y - b.points[0].y;
        EXPECT_NEAR(std::hypot(ex - sx, ey - sy) * 1000, a.seriesErrorMm[0], 1e-3) << a.name;
        EXPECT_EQ(a.seriesErrorMm[0], b.seriesErrorMm[0]);
    }
    // The published sharp spiral: about 55 mm; and 25 mm at R 150, Ls 135.
    EXPECT_NEAR(exact.curves()[0].seriesErrorMm[0], 55.2, 0.1);
    EXPECT_NEAR(exact.curves()[1].seriesErrorMm[0], 25, 1);
    // The flat spirals of a normal road agree to a fraction of a millimetre.
    const Route flat = Built(testing::MixedRows());
    const Route flatSeries = Built(testing::MixedRows(), SpiralMode::Series);
    for (double k = flat.start().station; k <= flat.end().station; k += 37) {
        const auto a = flat.PointAt(k, 0, 90), b = flatSeries.PointAt(k, 0, 90);
        ASSERT_TRUE(a && b);
        EXPECT_LT(std::hypot(a->point.x - b->point.x, a->point.y - b->point.y), 0.02) << k;
    }
}

// The element rows of a route's own elements: the first with its start, the
// rest chained (or all with their starts when `givenStarts`).
std::vector<ElementInput> RowsOf(const Route& r, bool givenStarts)
{
    std::vector<ElementInput> rows;
    for (const RouteElement& e : r.elements()) {
        ElementInput in;
        in.name = "E" + std::to_string(rows.size() + 1);
        in.length = e.endStation - e.startStation;
        in.turn = e.turn;
        if (e.kind != ElementKind::Line) {
            const double R = r.curves()[e.curve].curve.R;
            in.startRadius = e.kind == ElementKind::Spiral && e.entry ? kStraight : R;
            in.endRadius = e.kind == ElementKind::Spiral && !e.entry ? kStraight : R;
        }
        if (rows.empty() || givenStarts) {
            in.station = e.startStation;
            in.x = e.start.x;
            in.y = e.start.y;
            in.azimuth = e.start.azimuth;
        }
        rows.push_back(in);
    }
    return rows;
}

TEST(RouteExact, ElementRouteOfAJdRouteIsThatRoute)
{
    for (bool givenStarts : {false, true}) {
        const Route jd = Built(testing::MixedRows());
        const Route el = BuiltElements(RowsOf(jd, givenStarts));
        EXPECT_EQ(el.method(), RouteMethod::Elements);
        EXPECT_TRUE(el.warnings().empty()) << el.warnings()[0].message;
        EXPECT_NEAR(el.end().station, jd.end().station, 1e-6);
        for (int n = 0; n <= 400; ++n) {
            const double k = jd.start().station + jd.length() * n / 400;
            for (double m : {0.0, -6.5, 9.0}) {
                const auto a = jd.PointAt(k, m, 75), b = el.PointAt(k, m, 75);
                ASSERT_TRUE(a && b) << k;
                EXPECT_NEAR(a->point.x, b->point.x, 1e-6) << k;
                EXPECT_NEAR(a->point.y, b->point.y, 1e-6) << k;
                EXPECT_LT(AngleGap(a->point.azimuth, b->point.azimuth), 1e-8) << k;
            }
        }
        // The same main points, QZ aside (an element route does not halve arcs).
        std::vector<RouteMainPoint> want;
        for (const RouteMainPoint& m : jd.mainPoints())
            if (m.name != "QZ") want.push_back(m);
        ASSERT_EQ(el.mainPoints().size(), want.size());
        for (std::size_t i = 0; i < want.size(); ++i) {
            EXPECT_EQ(el.mainPoints()[i].name, want[i].name) << i;
            EXPECT_NEAR(el.mainPoints()[i].station, want[i].station, 1e-6) << i;
            EXPECT_NEAR(el.mainPoints()[i].x, want[i].x, 1e-6) << i;
        }
    }
}

TEST(RouteExact, ElementRouteMainPointsAreNamedByWhatMeets)
{
    const Route r = BuiltElements(RampRows());
    std::vector<std::string> names;
    for (const RouteMainPoint& m : r.mainPoints()) names.push_back(m.name);
    // The egg curve is entered from its arc (YH) and left into the next (HY);
    // two spirals meet at a GQ.
    const std::vector<std::string> want = {"ZH", "HY", "YH", "HY", "YH", "HZ", "ZH",
                                           "HY", "YH", "GQ", "HY", "YH", "HZ"};
    EXPECT_EQ(names, want);
    double station = 1000;
    for (const RouteElement& e : r.elements()) {
        EXPECT_DOUBLE_EQ(e.startStation, station);
        station += e.endStation - e.startStation;
    }
    EXPECT_DOUBLE_EQ(r.end().station, 1000 + 870);
    // An arc without spirals: ZY and YZ.
    std::vector<ElementInput> simple = {Element("L", 50, kStraight, kStraight, 0),
                                        Element("C", 40, 100, 100, -1),
                                        Element("L", 50, kStraight, kStraight, 0)};
    simple[0].station = 0;
    simple[0].x = simple[0].y = 0;
    simple[0].azimuth = 0;
    const Route s = BuiltElements(simple);
    ASSERT_EQ(s.mainPoints().size(), 2u);
    EXPECT_EQ(s.mainPoints()[0].name, "ZY");
    EXPECT_EQ(s.mainPoints()[1].name, "YZ");
    // The arc turns left through 0.4 rad: the line after it runs at -0.4 rad.
    EXPECT_NEAR(s.elements()[2].start.azimuth, 360 - 0.4 * 180 / kPi, 1e-9);
}

TEST(RouteExact, ForwardThenInverseOnEveryElementKind)
{
    const Route r = BuiltElements(RampRows());
    const RouteInverse inverse(r);
    for (std::size_t i = 0; i < r.elements().size(); ++i) {
        const RouteElement& e = r.elements()[i];
        for (double f : {0.05, 0.31, 0.5, 0.77, 0.95}) {
            const double k = e.startStation + (e.endStation - e.startStation) * f;
            for (double m : {-8.0, -1.5, 0.0, 2.5, 8.0}) {
                const auto stake = r.PointAt(k, m, 90);
                ASSERT_TRUE(stake);
                EXPECT_EQ(stake->curve, i);
                const RouteFoot foot = inverse.Find(stake->point.x, stake->point.y);
                ASSERT_EQ(foot.outcome, RouteFootOutcome::Ok) << e.name << " " << k;
                EXPECT_NEAR(foot.station, k, 1e-5) << e.name << " " << m;
                EXPECT_NEAR(foot.offset, m, 1e-5) << e.name << " " << k;
            }
        }
    }
    // Beyond both ends.
    const RouteElement& first = r.elements().front();
    EXPECT_EQ(inverse.Find(first.start.x - 10 * CosDeg(30), first.start.y - 10 * SinDeg(30)).outcome,
              RouteFootOutcome::Outside);
}

TEST(RouteExact, EggCurveChangesCurvatureLinearly)
{
    const Route r = BuiltElements(RampRows());
    const std::size_t egg = 3;
    const RouteElement& e = r.elements()[egg];
    ASSERT_EQ(e.name, "E1");
    EXPECT_EQ(e.kind, ElementKind::Spiral);
    EXPECT_FALSE(e.entry);  // the radius grows: the curvature falls
    EXPECT_DOUBLE_EQ(r.ElementCurvatureAt(egg, e.startStation), 1.0 / 200);
    EXPECT_DOUBLE_EQ(r.ElementCurvatureAt(egg, e.endStation), 1.0 / 400);
    EXPECT_NEAR(r.ElementCurvatureAt(egg, (e.startStation + e.endStation) / 2), 0.00375, 1e-15);
    // Turned angle over the egg: the mean curvature times the length.
    EXPECT_NEAR(AngleGap(e.end.azimuth, e.start.azimuth), 50 * 0.00375 * 180 / kPi, 1e-9);
    // The inflection: A4 ends straight to the left, A5 starts straight to the right.
    EXPECT_EQ(r.elements()[9].turn, -1);
    EXPECT_EQ(r.elements()[10].turn, 1);
    EXPECT_EQ(r.ElementCurvatureAt(10, r.elements()[10].startStation), 0);
}

TEST(RouteExact, ElementRoutesRefusedWithRowAndReason)
{
    static const double nan = std::nan("");
    struct Case {
        const char* name;
        std::vector<ElementInput> rows;
        std::string says;
    };
    const auto ramp = [](auto change) {
        std::vector<ElementInput> rows = RampRows();
        change(rows);
        return rows;
    };
    const Case cases[] = {
        {"no rows", {}, "没有线元"},
        {"first without start", ramp([](auto& r) { r[0].azimuth.reset(); }), "第一个线元必须给出"},
        {"first without station", ramp([](auto& r) { r[0].station.reset(); }), "第一个线元必须给出"},
        {"zero length", ramp([](auto& r) { r[3].length = 0; }), "线元长度必须大于0"},
        {"negative length", ramp([](auto& r) { r[3].length = -5; }), "线元长度必须大于0"},
        {"zero radius", ramp([](auto& r) { r[2].startRadius = 0; }), "半径必须大于0"},
        {"NaN radius", ramp([](auto& r) { r[2].endRadius = nan; }), "半径必须大于0"},
        {"curve without turn", ramp([](auto& r) { r[2].turn = 0; }), "缺少转向"},
        {"partial start", ramp([](auto& r) { r[4].x = 1.0; }), "要么都给出"},
        {"infinite coordinate", ramp([](auto& r) { r[0].x = HUGE_VAL; }), "不是有限的数"},
        {"NaN length", ramp([](auto& r) { r[1].length = nan; }), "线元长度必须大于0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Route::Built b = Route::BuildElements(c.rows);
        ASSERT_FALSE(b.route);
        ASSERT_TRUE(b.error);
        EXPECT_NE(b.error->message.find(c.says), std::string::npos) << b.error->message;
    }
    // The row is named: the fourth element.
    std::vector<ElementInput> rows = RampRows();
    rows[3].length = 0;
    EXPECT_NE(Route::BuildElements(rows).error->message.find("第 4 个线元“E1”"), std::string::npos);
}

TEST(RouteExact, GivenStartsThatDoNotJoinAreWarnedNotChained)
{
    std::vector<ElementInput> rows = RampRows();
    const Route clean = BuiltElements(rows);
    // Element 5 given 5 mm to the side and kinked by 40″; element 8's
    // station 2 mm off.
    const RouteElement& e5 = clean.elements()[4];
    rows[4].x = e5.start.x + 0.005 * CosDeg(e5.start.azimuth + 90);
    rows[4].y = e5.start.y + 0.005 * SinDeg(e5.start.azimuth + 90);
    rows[4].azimuth = e5.start.azimuth + 40.0 / 3600;
    rows[7].station = clean.elements()[7].startStation + 0.002;
    const Route r = BuiltElements(rows);
    ASSERT_EQ(r.warnings().size(), 3u);
    EXPECT_NE(r.warnings()[0].message.find("相距 0.005 m"), std::string::npos) << r.warnings()[0].message;
    EXPECT_NE(r.warnings()[1].message.find("40.0″"), std::string::npos) << r.warnings()[1].message;
    EXPECT_NE(r.warnings()[2].message.find("相差 0.002 m"), std::string::npos) << r.warnings()[2].message;
    // The element keeps its own start: no drift carried into it.
    EXPECT_NEAR(r.elements()[4].start.x, *rows[4].x, 1e-9);
    EXPECT_NEAR(r.elements()[4].start.azimuth, *rows[4].azimuth, 1e-9);
}

TEST(RouteExact, SeriesPointJustPastHyIsTheSpiralsHyAsInTheTable)
{
    // HY's station typed back from a table may exceed the double by a last
    // bit; it is still HY on the spiral, not the arc 55 mm away.
    const Route r = Built(SharpRows(), SpiralMode::Series);
    const RouteCurve& c = r.curves()[0];
    const std::optional<RouteTableRow> row = MainPointRow(r, "HY", 0);
    ASSERT_TRUE(row);
    for (double k : {c.curve.HYStation, std::nextafter(c.curve.HYStation, 1e9), c.curve.HYStation + 5e-7}) {
        const auto at = r.PointAt(k, 0, 90);
        ASSERT_TRUE(at);
        EXPECT_NEAR(at->point.x, row->stake.point.x, 1e-6);
        EXPECT_NEAR(at->point.y, row->stake.point.y, 1e-6);
    }
    // In exact mode both sides of HY are one point.
    const Route x = Built(SharpRows());
    const double hy = x.curves()[0].curve.HYStation;
    const auto a = x.PointAt(hy, 0, 90), b = x.PointAt(hy + 1e-7, 0, 90);
    EXPECT_LT(std::hypot(a->point.x - b->point.x, a->point.y - b->point.y), 2e-7);
    EXPECT_NEAR(a->point.x, x.curves()[0].points[1].x, 1e-9);
}

TEST(RouteExact, SeriesPointAtYhIsTheExitSpiralsStartAsInTheElements)
{
    // At YH the arc's formula and the series exit spiral's differ by
    // centimetres on a sharp curve; route point and the table gave the arc's
    // while the elements gave the spiral's. One station, one answer.
    const Route r = Built(SharpRows(), SpiralMode::Series);
    const RouteCurve& c = r.curves()[0];
    ASSERT_GT(c.curve.Ls2, 0);
    const RouteElement* exit = nullptr;
    for (const RouteElement& e : r.elements())
        if (e.kind == ElementKind::Spiral && !e.entry && e.curve == 0) exit = &e;
    ASSERT_NE(exit, nullptr);
    const double yh = c.curve.YHStation;
    // The two formulas really differ here, or the test would prove nothing.
    const CentrelinePoint arc = YQ(c.curve, StakeQuery{yh, 0, 0});
    ASSERT_GT(std::hypot(arc.x - exit->start.x, arc.y - exit->start.y), 0.001);
    for (double k : {yh, std::nextafter(yh, 1e9), std::nextafter(yh, -1e9), yh + 5e-7}) {
        const auto at = r.PointAt(k, 0, 90);
        ASSERT_TRUE(at);
        EXPECT_NEAR(at->point.x, exit->start.x, 1e-6) << k - yh;
        EXPECT_NEAR(at->point.y, exit->start.y, 1e-6) << k - yh;
    }
    const std::optional<RouteTableRow> row = MainPointRow(r, "YH", 0);
    ASSERT_TRUE(row);
    EXPECT_NEAR(row->stake.point.x, exit->start.x, 1e-6);
    EXPECT_NEAR(row->stake.point.y, exit->start.y, 1e-6);
}

TEST(RouteExact, CurvatureJumpBetweenElementsIsWarnedWithBothRadiiAndTheStation)
{
    // A line, an arc of R 200 and a spiral that starts at R 250 (its radii
    // swapped): the curvature jumps at K0+150 from 1/200 to 1/250. A spiral
    // from the arc's R 200 to a straight end is continuous.
    std::vector<ElementInput> rows = {Element("L1", 100, kStraight, kStraight, 0),
                                      Element("C1", 50, 200, 200, 1),
                                      Element("S1", 60, 250, kStraight, 1),
                                      Element("L2", 40, kStraight, kStraight, 0)};
    rows[0].station = 0;
    rows[0].x = 0;
    rows[0].y = 0;
    rows[0].azimuth = 0;
    const Route::Built jumped = Route::BuildElements(rows);
    ASSERT_TRUE(jumped.route);
    ASSERT_EQ(jumped.route->curvatureJumps().size(), 1u);
    const CurvatureJump& j = jumped.route->curvatureJumps().front();
    EXPECT_EQ(j.element, 2u);
    EXPECT_DOUBLE_EQ(j.station, 150);
    EXPECT_EQ(j.radiusBefore, 200);
    EXPECT_EQ(j.radiusAfter, 250);
    bool warned = false;
    for (const RouteIssue& w : jumped.route->warnings())
        warned = warned || (w.message.find("K0+150.000") != std::string::npos &&
                            w.message.find("R200") != std::string::npos && w.message.find("R250") != std::string::npos);
    EXPECT_TRUE(warned);

    rows[2].startRadius = 200;
    const Route::Built smooth = Route::BuildElements(rows);
    ASSERT_TRUE(smooth.route);
    EXPECT_TRUE(smooth.route->curvatureJumps().empty());
    EXPECT_TRUE(smooth.route->warnings().empty());
}

TEST(RouteBreaks, JdStationsGivenPastABreakCheckCleanAndBreaksAtBothEnds)
{
    // The mixed road with a 短链 of 60 m after JD1 and a 长链 of 50 m after
    // JD3: its JD stations as the design writes them, i.e. displayed.
    std::vector<RoutePointInput> rows = testing::MixedRows();
    const Route plain = Built(rows);
    const double jd1 = plain.curves()[0].curve.HZ + 10;  // a station past JD1's curve
    const double jd3 = plain.curves()[2].curve.HZ + 10;
    const std::vector<BreakInput> breaks = {{"短链", jd1, jd1 + 60, 0}, {"长链", jd3, jd3 - 50, 0}};
    for (std::size_t j = 0; j < plain.curves().size(); ++j) {
        const double k = plain.curves()[j].curve.JD;
        rows[j + 1].station = k > jd3 ? k + 10 : k > jd1 ? k + 60 : k;
    }
    rows.back().station = plain.end().station + 10;
    const Route::Built b = Route::Build(rows, SpiralMode::Exact, breaks);
    ASSERT_TRUE(b.route) << b.error->message;
    EXPECT_TRUE(b.route->warnings().empty()) << b.route->warnings()[0].message;
    // Read without the breaks, the same stations are 60 and 10 m off.
    const Route::Built without = Route::Build(rows);
    EXPECT_EQ(without.route->warnings().size(), 5u);  // JD2 .. JD5 and ZD
    // The length is the distance: end − start + Σ长链 − Σ短链.
    const Route& r = *b.route;
    EXPECT_DOUBLE_EQ(r.length(), plain.length());
    EXPECT_NEAR(r.chainage().endStation() - r.start().station + 50 - 60, r.length(), 1e-9);
    // Forward then inverse across both breaks, in displayed stations.
    const RouteInverse inverse(r);
    for (double k = r.start().station; k < r.end().station; k += 97.3) {
        const auto stake = r.PointAt(k, 4, 90);
        const RouteFoot foot = inverse.Find(stake->point.x, stake->point.y);
        ASSERT_EQ(foot.outcome, RouteFootOutcome::Ok);
        const DisplayedStation a = r.Displayed(k), f = r.Displayed(foot.station);
        EXPECT_EQ(a.zone, f.zone) << k;
        EXPECT_NEAR(a.station, f.station, 1e-5) << k;
        EXPECT_NEAR(*r.StationOf(a.station, a.zone).station, k, 1e-9);
    }
    // A break at the very start and one at the very end.
    const double s0 = plain.start().station, s1 = plain.end().station;
    const Route::Built ends = Route::Build(testing::MixedRows(), SpiralMode::Exact,
                                           {{"", s0, s0 + 100, 0}, {"", s1 + 100, s1 + 300, 0}});
    ASSERT_TRUE(ends.route) << ends.error->message;
    EXPECT_EQ(ends.route->Displayed(s0 + 1).station, s0 + 101);
    EXPECT_EQ(ends.route->Displayed(s1).zone, 2);
    // Beyond the end: refused, naming the break table.
    const Route::Built beyond = Route::Build(testing::MixedRows(), SpiralMode::Exact, {{"", s1 + 500, s1 + 600, 0}});
    ASSERT_FALSE(beyond.route);
    EXPECT_NE(beyond.error->message.find("断链表"), std::string::npos);
}

TEST(RouteBreaks, ProfileGradePointsAreDisplayedStationsInterpolatedAlongTheRoad)
{
    // A 短链 of 100 m at 5500: the displayed end lies 100 m past start + L.
    const Route r = *Route::Build(testing::MixedRows(), SpiralMode::Exact, {{"", 5500, 5600, 0}}).route;
    const double L = r.length(), end = r.start().station + L + 100;
    const Profile p = *Profile::Build({{5000, 100, std::nullopt, 0}, {end, 100 + 0.01 * L, std::nullopt, 0}}).profile;
    std::string error;
    const std::optional<Profile> on = ProfileOnRoute(p, r, &error);
    ASSERT_TRUE(on) << error;
    // One per cent along the road, the gap not counted.
    for (double d : {0.0, 400.0, 500.0, 777.0, L}) EXPECT_NEAR(*on->ElevationNear(r.start().station + d), 100 + 0.01 * d, 1e-9) << d;
    // A grade point in the gap has no place on the road.
    const Profile::Built gapBuilt =
        Profile::Build({{5000, 100, std::nullopt, 0}, {5550, 101, 1000.0, 7}, {end, 103, std::nullopt, 0}});
    ASSERT_TRUE(gapBuilt.profile) << gapBuilt.error->message;
    const Profile& gap = *gapBuilt.profile;
    EXPECT_FALSE(ProfileOnRoute(gap, r, &error));
    EXPECT_NE(error.find("第 7 行"), std::string::npos) << error;
    EXPECT_NE(error.find("短链"), std::string::npos) << error;
}

}  // namespace
}  // namespace tarvelo
