#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "compute/route_inverse.h"
#include "core/numbers/float_fault.h"
#include "core/plan/route.h"
#include "tests/support/test_routes.h"

namespace tarvelo {
namespace {

using testing::Built;
using testing::Jd;
using testing::Qd;
using testing::Zd;

// Metres: the inverse promises the foot to 1e-5 m; 2e-6 leaves room for
// the lookup's own rounding near 10^6 m coordinates.
constexpr double kFootTol = 2e-6;

const char* KindName(ElementKind k)
{
    return k == ElementKind::Line ? "line" : k == ElementKind::Arc ? "arc" : "spiral";
}

TEST(RouteInverse, ForwardThenInverseReturnsStationAndOffsetOnEveryElement)
{
    const Route r = Built(testing::MixedRows());
    const RouteInverse inverse(r);
    int lefts = 0, rights = 0, kinds[3] = {0, 0, 0};
    for (const RouteElement& e : r.elements()) {
        for (double f : {0.1, 0.37, 0.5, 0.81, 0.97}) {
            const double k = e.startStation + f * (e.endStation - e.startStation);
            // Offsets well inside the smallest radius (120 m): one foot only.
            for (double m : {-25.0, -3.0, 0.0, 4.5, 30.0}) {
                SCOPED_TRACE(std::string(KindName(e.kind)) + " k=" + std::to_string(k) +
                             " m=" + std::to_string(m));
                const auto stake = r.PointAt(k, m, 90);
                ASSERT_TRUE(stake);
                const RouteFoot foot = inverse.Find(stake->point.x, stake->point.y);
                ASSERT_EQ(foot.outcome, RouteFootOutcome::Ok);
                EXPECT_NEAR(foot.station, k, kFootTol);
                EXPECT_NEAR(foot.offset, m, kFootTol);
                EXPECT_EQ(foot.jd, r.CurveAt(k));
            }
        }
        ++kinds[static_cast<int>(e.kind)];
        if (e.turn > 0) ++rights;
        if (e.turn < 0) ++lefts;
    }
    EXPECT_GT(kinds[0], 0);
    EXPECT_GT(kinds[1], 0);
    EXPECT_GT(kinds[2], 0);
    EXPECT_GT(lefts, 0);
    EXPECT_GT(rights, 0);
}

TEST(RouteInverse, PointsBeyondEitherEndAreOutside)
{
    const Route r = Built(testing::StaircaseRows());
    const RouteInverse inverse(r);
    // QD is (0, 0) with the road heading north; ZD (2000, 2000) heading east.
    const struct {
        double x, y;
        RouteFootOutcome outcome;
    } cases[] = {
        {-0.01, 0, RouteFootOutcome::Outside}, {-50, 10, RouteFootOutcome::Outside},
        {2000, 2000.5, RouteFootOutcome::Outside}, {2100, 2300, RouteFootOutcome::Outside},
        {0, 0, RouteFootOutcome::Ok},          {0, 5, RouteFootOutcome::Ok},
        {2000, 2000, RouteFootOutcome::Ok},
    };
    for (const auto& c : cases) {
        const RouteFoot f = inverse.Find(c.x, c.y);
        EXPECT_EQ(f.outcome, c.outcome) << c.x << "," << c.y;
    }
    const RouteFoot atQd = inverse.Find(0, 5);
    EXPECT_NEAR(atQd.station, 0, kFootTol);
    EXPECT_NEAR(atQd.offset, 5, kFootTol);  // east of a northbound road: right
}

TEST(RouteInverse, PointAtTheEndWithinAMillimetreIsNotOutside)
{
    // A stake at QD or ZD, its coordinates rounded to 0.1 mm or missing the
    // end by its own rounding, lies on the route; 2 mm beyond it does not.
    const Route r = Built(testing::StaircaseRows());
    const RouteInverse inverse(r);
    // QD (0, 0) heading north; ZD (2000, 2000) heading east.
    const struct {
        double x, y;
        RouteFootOutcome outcome;
        double station;
    } cases[] = {
        {-0.0004, 0, RouteFootOutcome::Ok, r.start().station},
        {-0.00099, 0.3, RouteFootOutcome::Ok, r.start().station},
        {-0.002, 0, RouteFootOutcome::Outside, 0},
        {2000, 2000.0004, RouteFootOutcome::Ok, r.end().station},
        {2000.2, 2000.00099, RouteFootOutcome::Ok, r.end().station},
        {2000, 2000.002, RouteFootOutcome::Outside, 0},
    };
    for (const auto& c : cases) {
        const RouteFoot f = inverse.Find(c.x, c.y);
        ASSERT_EQ(f.outcome, c.outcome) << c.x << "," << c.y;
        if (f.outcome == RouteFootOutcome::Ok) EXPECT_NEAR(f.station, c.station, kFootTol) << c.x << "," << c.y;
    }
}

TEST(RouteInverse, NearestFootOnAReverseCurveAndBesideASharpCorner)
{
    // Two 90° curves of R 200 that meet: a point near where they meet has
    // feet on both; the nearer one wins.
    const Route r =
        Built({Qd(0, 0, 0), Jd("JD1", 1000, 0, 200), Jd("JD2", 1000, 400, 200), Zd(2000, 400)});
    const RouteInverse inverse(r);
    const double meet = r.curves()[0].curve.HZ;
    for (double dk : {-30.0, -1.0, 0.0, 1.0, 30.0})
        for (double m : {-40.0, 40.0}) {
            const auto stake = r.PointAt(meet + dk, m, 90);
            ASSERT_TRUE(stake);
            const RouteFoot f = inverse.Find(stake->point.x, stake->point.y);
            ASSERT_EQ(f.outcome, RouteFootOutcome::Ok);
            EXPECT_NEAR(f.station, meet + dk, kFootTol) << dk << " " << m;
            EXPECT_NEAR(f.offset, m, kFootTol) << dk << " " << m;
        }
    // Outside a sharp corner (R 20, 90°): the point on the bisector beyond
    // the arc lies R·(√2 − 1) + d from the arc's middle, nowhere nearer.
    const Route sharp = Built({Qd(0, 0, 0), Jd("JD1", 500, 0, 20), Zd(500, 500)});
    const RouteInverse si(sharp);
    const CurveState& c = sharp.curves()[0].curve;
    const RouteFoot f = si.Find(505, -5);
    ASSERT_EQ(f.outcome, RouteFootOutcome::Ok);
    EXPECT_NEAR(f.station, c.QZ, kFootTol);
    // Centre (480, 20); the point is 25·√2 from it; the arc 20 from it; the
    // point lies outside (left of a right-hand curve).
    EXPECT_NEAR(f.offset, -(25 * std::sqrt(2.0) - 20), kFootTol);
}

TEST(RouteInverse, NonFinitePointIsAFaultAndFarPointsAnswerQuickly)
{
    const Route r = Built(testing::MixedRows());
    const RouteInverse inverse(r);
    EXPECT_THROW(inverse.Find(std::nan(""), 0), FloatFault);
    EXPECT_THROW(inverse.Find(0, std::numeric_limits<double>::infinity()), FloatFault);
    // Far from everything, beside the middle of the road: still a foot.
    const auto mid = r.PointAt((r.start().station + r.end().station) / 2, 0, 90);
    const RouteFoot far = inverse.Find(mid->point.x + 1e7, mid->point.y + 1e7);
    EXPECT_TRUE(far.outcome == RouteFootOutcome::Ok || far.outcome == RouteFootOutcome::Outside);
    const RouteFoot huge = inverse.Find(1e300, -1e300);
    EXPECT_TRUE(huge.outcome == RouteFootOutcome::Ok || huge.outcome == RouteFootOutcome::Outside);
}

}  // namespace
}  // namespace tarvelo
