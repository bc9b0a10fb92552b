// Slope stakes and level checks of surveyed points on a route: values worked
// by hand on the straight leg of a route, the curve's superelevation, the
// template changing at a station, and every outcome that is not a stake.

#include <gtest/gtest.h>

#include <cmath>

#include "compute/route_inverse.h"
#include "compute/slope_stake.h"
#include "core/numbers/float_fault.h"
#include "tests/compute/right_angle_route.h"

namespace tarvelo {
namespace {

constexpr double kMetreTol = 1e-6;  // offsets and elevations through the nearest foot (1e-5 m station)

Profile Flat()
{
    return std::move(*Profile::Build({{0, 100, std::nullopt, 0}, {3000, 100, std::nullopt, 0}}).profile);
}

CrossSections Pavement(double leftSlope, double rightSlope)
{
    return std::move(*CrossSections::Build({{0, 3.75, 3.75, leftSlope, rightSlope, 0},
                                            {3000, 3.75, 3.75, leftSlope, rightSlope, 0}})
                          .sections);
}

TemplateRow Row(double station, TemplateSides sides, TemplatePart part, std::optional<double> p1,
                std::optional<double> p2 = {}, std::optional<double> p3 = {}, std::optional<double> p4 = {})
{
    TemplateRow r;
    r.station = station;
    r.sides = sides;
    r.part = part;
    r.p = {p1, p2, p3, p4};
    return r;
}

// From station 50 both sides: shoulders 0.75 m at -2 % and -4 %, the ditch
// 0.6 x 0.6 at 1:1, cut 1:0.75 for 8 m, 2 m berm, 1:1; fill 1:1.5 for 8 m,
// 2 m berm at -2 %, 1:1.75. From 200 the right side is a vertical rock face
// (left out when rock is false).
RoadbedTemplate Template(bool rock = true)
{
    using P = TemplatePart;
    const auto B = TemplateSides::Both, R = TemplateSides::Right;
    std::vector<TemplateRow> rows = {
        Row(50, B, P::Shoulder, 0.75, -2),
        Row(50, B, P::Shoulder, 0.75, -4),
        Row(50, B, P::Ditch, 0.6, 0.6, 1, 1),
        Row(50, B, P::Cut, 0.75, 8, 2, 2),
        Row(50, B, P::Cut, 1),
        Row(50, B, P::Fill, 1.5, 8, 2, -2),
        Row(50, B, P::Fill, 1.75),
        Row(200, R, P::Shoulder, 0.75, -2),
        Row(200, R, P::Shoulder, 0.75, -4),
        Row(200, R, P::Cut, 0),
    };
    if (!rock) rows.resize(7);
    return std::move(*RoadbedTemplate::Build(rows).roadbed);
}

class SlopeStakeTest : public ::testing::Test {
protected:
    Route route = RightAngleRoute();
    RouteInverse inverse{route};
    Profile profile = Flat();
    CrossSections crown = Pavement(-2, -2);
    RoadbedTemplate roadbed = Template();
    SlopeDesign design{route, inverse, profile, &crown, &roadbed};
};

// On the straight leg, flat ground: hinge 5.25 m at 99.88; catch D = uH + m h
// and the levels below worked by hand.
TEST_F(SlopeStakeTest, StakesOnFlatGroundByHand)
{
    struct Case {
        double station, offset, z;
        SlopeBranch branch;
        double catchOffset;
        int level;
        std::optional<double> designZ;
    };
    const Case cases[] = {
        {100, 9, 95.88, SlopeBranch::Fill, 11.25, 1, 99.88 - 3.75 / 1.5},
        {100, -9, 95.88, SlopeBranch::Fill, -11.25, 1, 99.88 - 3.75 / 1.5},
        {120, 30, 86.84, SlopeBranch::Fill, 28.0, 2, 91.84 - 10.75 / 1.75},
        {120, 17.25, 91.88, SlopeBranch::Fill, 17.25, 1, 91.88},  // on the berm's inner edge
        {140, 6, 99.88, SlopeBranch::Cut, 7.05, 1, 99.28},        // at the hinge's elevation: the ditch's outer top; under the rod the ditch bottom
        {140, -12, 103.88, SlopeBranch::Cut, -10.05, 1, 99.88 + 4.95 / 0.75},
        {150, 5.5, 99.0, SlopeBranch::Fill, 5.25 + 1.5 * 0.88, 1, 99.88 - 0.25 / 1.5},
        {150, 5.0, 99.0, SlopeBranch::Fill, 5.25 + 1.5 * 0.88, 1, std::nullopt},  // inside the hinge: no design
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        const SlopeStake s = ComputeSlopeStake(design, c.station, c.offset, c.z);
        ASSERT_EQ(s.outcome, SlopeOutcome::Ok) << s.reason;
        EXPECT_NEAR(s.station, c.station, 1e-5);
        EXPECT_NEAR(s.offset, c.offset, kMetreTol);
        EXPECT_EQ(s.side, c.offset < 0 ? RoadSide::Left : RoadSide::Right);
        EXPECT_EQ(s.branch, c.branch);
        EXPECT_NEAR(s.hinge.offset, c.offset < 0 ? -5.25 : 5.25, 1e-9);
        EXPECT_NEAR(s.hinge.z, 99.88, 1e-9);
        EXPECT_NEAR(s.catchPoint.offset, c.catchOffset, kMetreTol);
        EXPECT_EQ(s.catchPoint.level, c.level);
        EXPECT_NEAR(s.catchX, c.station, 1e-5);
        EXPECT_NEAR(s.catchY, c.catchOffset, kMetreTol);
        EXPECT_NEAR(s.move, std::fabs(c.catchOffset) - std::fabs(c.offset), kMetreTol);
        ASSERT_EQ(s.designZ.has_value(), c.designZ.has_value());
        if (c.designZ) {
            EXPECT_NEAR(*s.designZ, *c.designZ, kMetreTol);
            EXPECT_NEAR(*s.dz, c.z - *c.designZ, kMetreTol);
        }
        EXPECT_EQ(s.used->station, 50);
    }
}

// The rock face from 200 on the right; the left keeps the first template.
TEST_F(SlopeStakeTest, TemplateChangesAtItsStation)
{
    const SlopeStake before = ComputeSlopeStake(design, 199, 8, 105);
    const SlopeStake after = ComputeSlopeStake(design, 200, 8, 105);
    const SlopeStake left = ComputeSlopeStake(design, 250, -8, 105);
    ASSERT_EQ(before.outcome, SlopeOutcome::Ok);
    ASSERT_EQ(after.outcome, SlopeOutcome::Ok);
    EXPECT_NEAR(before.catchPoint.offset, 7.05 + 0.75 * 5.12, kMetreTol);
    EXPECT_NEAR(after.catchPoint.offset, 5.25, kMetreTol);  // the face rises from the hinge
    EXPECT_NEAR(after.move, -2.75, kMetreTol);
    EXPECT_FALSE(after.designZ);                            // behind a vertical face there is no surface
    EXPECT_EQ(after.used->station, 200);
    EXPECT_NEAR(left.catchPoint.offset, -(7.05 + 0.75 * 5.12), kMetreTol);
    // The rock side has no fill branch.
    const SlopeStake fill = ComputeSlopeStake(design, 250, 8, 95);
    EXPECT_EQ(fill.outcome, SlopeOutcome::NoTemplate);
    EXPECT_EQ(fill.reason, "右侧的路基模板（起始桩号 K0+200.000）没有填方边坡。");
}

TEST_F(SlopeStakeTest, PointsThatGetNoStake)
{
    struct Case {
        double x, y;
        SlopeOutcome outcome;
        const char* reason;
    };
    const Case cases[] = {
        {-10, 3, SlopeOutcome::Outside, "点不在线路范围之内（垂足在起点之前或终点之后）。"},
        {100, 0.0009, SlopeOutcome::Centre, "点在中线上，分不出左右侧。"},
        {100, -0.001, SlopeOutcome::Centre, "点在中线上，分不出左右侧。"},
        {20, 8, SlopeOutcome::NoTemplate, "桩号 K0+020.000 在右侧第一个模板起始桩号之前，没有路基模板。"},
    };
    for (const Case& c : cases) {
        const SlopeStake s = ComputeSlopeStake(design, c.x, c.y, 95);
        EXPECT_EQ(s.outcome, c.outcome) << c.reason;
        EXPECT_EQ(s.reason, c.reason);
    }
    EXPECT_EQ(ComputeSlopeStake(design, 100, 0.0011, 95).outcome, SlopeOutcome::Ok);
    const Profile shortProfile =
        std::move(*Profile::Build({{0, 100, std::nullopt, 0}, {80, 100, std::nullopt, 0}}).profile);
    const SlopeDesign shortDesign{route, inverse, shortProfile, &crown, &roadbed};
    const SlopeStake beyond = ComputeSlopeStake(shortDesign, 100, 8, 95);
    EXPECT_EQ(beyond.outcome, SlopeOutcome::NoProfile);
    EXPECT_EQ(beyond.reason, "桩号 K0+100.000 不在纵断面的范围之内，没有设计高程。");
    EXPECT_THROW(ComputeSlopeStake(design, NAN, 8, 95), FloatFault);
}

// On the arc, superelevated 6 %: the high left side's hinge lies above the
// centre, the low right side's below, each following its own pavement.
// Points are placed by the forward computation and must come back.
TEST_F(SlopeStakeTest, SuperelevatedCurveBothSides)
{
    const CrossSections banked = Pavement(6, -6);
    const RoadbedTemplate earth = Template(false);
    const SlopeDesign curve{route, inverse, profile, &banked, &earth};
    const double k = route.curves()[0].points[2].station;  // QZ
    struct Case {
        double offset;
        double hingeZ;
    };
    for (const Case& c : {Case{-12, 100 + 0.225 - 0.015 - 0.03}, Case{12, 100 - 0.225 - 0.015 - 0.03}}) {
        const CentrelinePoint p = route.PointAt(k, c.offset, 90)->point;
        const SlopeStake s = ComputeSlopeStake(curve, p.x, p.y, 96);
        ASSERT_EQ(s.outcome, SlopeOutcome::Ok) << s.reason;
        EXPECT_NEAR(s.station, k, 1e-5);
        EXPECT_NEAR(s.offset, c.offset, kMetreTol);
        EXPECT_NEAR(s.hinge.z, c.hingeZ, 1e-9);
        const double D = 5.25 + 1.5 * (c.hingeZ - 96);
        EXPECT_NEAR(s.catchPoint.offset, c.offset < 0 ? -D : D, kMetreTol);
        // The catch's coordinates are the forward point at its offset.
        const CentrelinePoint q = route.PointAt(s.station, s.catchPoint.offset, 90)->point;
        EXPECT_NEAR(s.catchX, q.x, 1e-9);
        EXPECT_NEAR(s.catchY, q.y, 1e-9);
        const RouteFoot back = inverse.Find(s.catchX, s.catchY);
        EXPECT_NEAR(back.offset, s.catchPoint.offset, kMetreTol);
    }
}

TEST_F(SlopeStakeTest, LevelCheckInsideAndBeyondTheRoadbed)
{
    const SlopeDesign bare{route, inverse, profile, &crown, nullptr};
    struct Case {
        const SlopeDesign* d;
        double station, offset, z, depth;
        LevelOutcome outcome;
        LevelPart part;
        double designZ;
        bool within;
    };
    const Case cases[] = {
        {&design, 100, 2, 99.664, 0.3, LevelOutcome::Ok, LevelPart::Road, 99.66, true},  // 路床顶 0.3 m down
        {&design, 100, 0, 99.5, 0.5, LevelOutcome::Ok, LevelPart::Road, 99.5, true},     // on the centre line
        {&design, 100, -5, 99.89, 0, LevelOutcome::Ok, LevelPart::Road, 99.89, true},    // on the earth shoulder
        {&design, 100, 9, 97.40, 0.3, LevelOutcome::Ok, LevelPart::Fill, 97.38, false},  // depth is for the top only
        {&design, 100, 9, 97.39, 0, LevelOutcome::Ok, LevelPart::Fill, 97.38, true},     // exactly 10 mm: within
        {&design, 100, 12, 104, 0, LevelOutcome::Ok, LevelPart::Cut, 99.88 + 4.95 / 0.75, false},
        {&design, 20, 9, 97, 0, LevelOutcome::NoTemplate, LevelPart::Road, 0, false},
        {&design, 20, 3, 99.95, 0, LevelOutcome::Ok, LevelPart::Road, 99.94, true},     // the pavement needs no template
        {&bare, 100, 3, 99.94, 0, LevelOutcome::Ok, LevelPart::Road, 99.94, true},
        {&bare, 100, 4, 99.94, 0, LevelOutcome::OutsideSection, LevelPart::Road, 0, false},
        {&design, -5, 1, 99.94, 0, LevelOutcome::Outside, LevelPart::Road, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.station) + " " + std::to_string(c.offset));
        const LevelCheck l = ComputeLevelCheck(*c.d, c.station, c.offset, c.z, c.depth, 0.010);
        ASSERT_EQ(l.outcome, c.outcome) << l.reason;
        if (l.outcome != LevelOutcome::Ok) {
            EXPECT_FALSE(l.reason.empty());
            continue;
        }
        EXPECT_EQ(l.part, c.part);
        EXPECT_NEAR(l.designZ, c.designZ, kMetreTol);
        EXPECT_NEAR(l.dz, c.z - c.designZ, kMetreTol);
        EXPECT_EQ(l.within, c.within);
    }
}

}  // namespace
}  // namespace tarvelo
