// Ground sections: the ground line, where a slope meets it, and the cut and
// fill areas between it and a design line, against sections worked by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/numbers/float_fault.h"
#include "core/section/ground_section.h"

namespace tarvelo {
namespace {

constexpr double kAreaTol = 1e-9;    // m²
constexpr double kOffsetTol = 1e-9;  // m

GroundSection Ground(std::vector<SectionVertex> line)
{
    std::vector<GroundPoint> pts;
    for (const SectionVertex& p : line) pts.push_back({p.offset, p.z, ""});
    GroundSection::Built b = GroundSection::Build({0, 0, 0}, pts);
    EXPECT_TRUE(b.section) << b.error;
    return *b.section;
}

TEST(GroundSection, AreasOfSectionsWorkedByHand)
{
    struct Case {
        const char* what;
        std::vector<SectionVertex> ground, design;
        double from, to, cut, fill;
    };
    // Level cut: base b = 10, depth h = 2, slopes 1:1.5 on flat ground:
    // h·(b + m·h) = 2·(10 + 3) = 26.
    // Fill on ground rising 10 % to the right: top 10 m wide at 5 m, slopes
    // 1:1.5; catches at −12.5/0.85 and 12.5/1.15 (ground 0.1·x meets
    // 5 ± (x ∓ 5)/1.5). Strips: left slope (0 → 5.5 over 9.70588) 26.69118,
    // top (5 − 0.1·x, mean 5, over 10) 50, right slope (4.5 → 0 over
    // 5.86957) 13.20652: 89.89770.
    const double xL = -12.5 / 0.85, xR = 12.5 / 1.15;
    // Half cut, half fill: ground 20 % across a flat design line, two
    // triangles of 10 × 2 / 2.
    // Ditch: 0.6 deep, bottom 0.4, sides 1:1 in flat ground: 0.6·(0.4 + 1.6)/2.
    // Trough 8 m wide, 0.5 deep with vertical sides: 4.
    const std::vector<Case> cases = {
        {"level cut", {{-30, 0}, {30, 0}}, {{-8, 0}, {-5, -2}, {5, -2}, {8, 0}}, -8, 8, 26, 0},
        {"fill across sloping ground",
         {{-30, -3}, {30, 3}},
         {{xL, 0.1 * xL}, {-5, 5}, {5, 5}, {xR, 0.1 * xR}},
         xL, xR, 0, 89.89769820971867},
        {"half cut half fill", {{-10, -2}, {10, 2}}, {{-10, 0}, {10, 0}}, -10, 10, 10, 10},
        {"ditch", {{-10, 0}, {10, 0}}, {{0, 0}, {5, 0}, {5.6, -0.6}, {6, -0.6}, {6.6, 0}, {10, 0}}, 0, 10, 0.6, 0},
        {"trough with vertical sides",
         {{-10, 0}, {10, 0}},
         {{-10, 0}, {-4, 0}, {-4, -0.5}, {4, -0.5}, {4, 0}, {10, 0}},
         -10, 10, 4, 0},
        {"ground with its own vertices over a level line",
         {{-6, 1}, {-2, 3}, {0, 1}, {4, 1}},
         {{-6, 0}, {4, 0}},
         -6, 4, 16, 0},
        {"empty range", {{-10, 0}, {10, 1}}, {{-10, 0}, {10, 0}}, 3, 3, 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<CutFill> a = CutFillAreas(Ground(c.ground), c.design, c.from, c.to);
        ASSERT_TRUE(a) << c.what;
        EXPECT_NEAR(a->cut, c.cut, kAreaTol) << c.what;
        EXPECT_NEAR(a->fill, c.fill, kAreaTol) << c.what;
    }
}

TEST(GroundSection, AreasRefuseWhatTheyCannotSpan)
{
    const GroundSection g = Ground({{-5, 0}, {5, 0}});
    const std::vector<SectionVertex> design = {{-10, 1}, {10, 1}};
    EXPECT_FALSE(CutFillAreas(g, design, -6, 4));                        // ground starts too late
    EXPECT_FALSE(CutFillAreas(g, design, 2, 1));                         // from > to
    EXPECT_FALSE(CutFillAreas(g, {{-2, 1}, {5, 1}}, -4, 4));             // design too short
    EXPECT_FALSE(CutFillAreas(g, {{-5, 1}, {1, 1}, {0, 1}, {5, 1}}, -4, 4));  // offsets go back
    EXPECT_THROW(CutFillAreas(g, {{-5, NAN}, {5, 1}}, -4, 4), FloatFault);
}

TEST(GroundSection, CatchPoints)
{
    struct Case {
        const char* what;
        std::vector<SectionVertex> ground;
        RoadSide side;
        std::vector<SectionVertex> branch;
        std::optional<SectionDirection> ray;
        CrossingOutcome outcome;
        double offset, z;
        int piece;
    };
    const double xL = -12.5 / 0.85, xR = 12.5 / 1.15;
    const std::vector<Case> cases = {
        // Fill 1:1.5 from a 5 m high top on ground rising 10 %: n·(…)/(n ∓ m).
        {"fill right, ground rising", {{-30, -3}, {30, 3}}, RoadSide::Right, {{5, 5}}, SectionDirection{1.5, -1},
         CrossingOutcome::Found, xR, 0.1 * xR, 0},
        {"fill left, ground falling away", {{-30, -3}, {30, 3}}, RoadSide::Left, {{-5, 5}}, SectionDirection{-1.5, -1},
         CrossingOutcome::Found, xL, 0.1 * xL, 0},
        // The slope reaches −1 at 6.5, where the ground has a vertex.
        {"catch on a ground vertex", {{-20, -1}, {6.5, -1}, {20, -3}}, RoadSide::Right, {{5, 0}}, SectionDirection{1.5, -1},
         CrossingOutcome::Found, 6.5, -1, 0},
        {"catch on a ground vertex, left", {{-20, -3}, {-6.5, -1}, {20, -1}}, RoadSide::Left, {{-5, 0}},
         SectionDirection{-1.5, -1}, CrossingOutcome::Found, -6.5, -1, 0},
        {"ground ends too soon", {{-20, -1}, {6.2, -1}}, RoadSide::Right, {{5, 0}}, SectionDirection{1.5, -1},
         CrossingOutcome::GroundEnds, 0, 0, -1},
        {"ground starts outside the hinge", {{6, -1}, {20, -1}}, RoadSide::Right, {{5, 0}}, SectionDirection{1.5, -1},
         CrossingOutcome::GroundEnds, 0, 0, -1},
        // Two levels with a berm: flat ground at the berm's level meets the
        // first level's foot, the berm's inner edge.
        {"on a berm's edge", {{-20, -2}, {20, -2}}, RoadSide::Right, {{5, 0}, {8, -2}, {10, -2}}, SectionDirection{1.5, -1},
         CrossingOutcome::Found, 8, -2, 0},
        {"on the second level", {{-20, -3}, {20, -3}}, RoadSide::Right, {{5, 0}, {8, -2}, {10, -2}}, SectionDirection{1.5, -1},
         CrossingOutcome::Found, 11.5, -3, 2},
        {"vertical rock face", {{-20, 3}, {20, 3}}, RoadSide::Right, {{5, 0}}, SectionDirection{0, 1},
         CrossingOutcome::Found, 5, 3, 0},
        {"vertical face below the ground's reach", {{-20, -3}, {20, -3}}, RoadSide::Right, {{5, 0}}, SectionDirection{0, 1},
         CrossingOutcome::NoCrossing, 0, 0, -1},
        {"starts on the ground", {{-20, 0}, {20, 2}}, RoadSide::Right, {{0, 1}}, SectionDirection{1, 1},
         CrossingOutcome::Found, 0, 1, 0},
        // Cut through a ditch: searched from the ditch's outer top.
        {"cut from the ditch's outer top", {{-20, 1}, {8, 1}, {20, 7}}, RoadSide::Right, {{6.6, 0}}, SectionDirection{1, 1},
         CrossingOutcome::Found, 7.6, 1, 0},
        {"branch ends inside without meeting", {{-20, -5}, {20, -5}}, RoadSide::Right, {{5, 0}, {8, -2}}, std::nullopt,
         CrossingOutcome::NoCrossing, 0, 0, -1},
    };
    for (const Case& c : cases) {
        const Crossing x = FirstCrossing(Ground(c.ground), c.side, c.branch, c.ray);
        EXPECT_EQ(x.outcome, c.outcome) << c.what;
        if (x.outcome != CrossingOutcome::Found || c.outcome != CrossingOutcome::Found) continue;
        EXPECT_NEAR(x.point.offset, c.offset, kOffsetTol) << c.what;
        EXPECT_NEAR(x.point.z, c.z, kOffsetTol) << c.what;
        EXPECT_EQ(x.piece, c.piece) << c.what;
    }
}

TEST(GroundSection, CatchesOfATemplateSide)
{
    // Pavement 3.75 m at -2 % from 100.000, shoulder 0.75 m at -4 %: hinge
    // (4.5, 99.895); ditch 0.6 deep, bottom 0.4, sides 1:1, outer top
    // (6.1, 99.895); cut 1:1 up 2 m, berm 1 m level at 101.895 from 8.1 to
    // 9.1, then 1:0.75; fill 1:1.5.
    SideTemplate tpl;
    tpl.shoulders = {{0.75, -4}};
    tpl.ditch = Ditch{0.4, 0.6, 1, 1};
    tpl.cut = {{1, 2.0, 1.0, 0}, {0.75, std::nullopt, 0, 0}};
    tpl.fill = {{1.5, std::nullopt, 0, 0}};
    for (const RoadSide side : {RoadSide::Right, RoadSide::Left}) {
        const double s = SideSign(side);
        const std::optional<SideSection> sec = SideSection::Make(side, 100, 3.75, -2, tpl);
        ASSERT_TRUE(sec);
        struct Case {
            double groundZ;
            SlopeBranch branch;
            double offset;
            int level;
        };
        for (const Case& c : std::vector<Case>{{101, SlopeBranch::Cut, 7.205, 1},
                                               {101.895, SlopeBranch::Cut, 8.1, 1},
                                               {103, SlopeBranch::Cut, 9.1 + 0.75 * 1.105, 2},
                                               {99.895, SlopeBranch::Cut, 6.1, 1},
                                               {98.895, SlopeBranch::Fill, 6.0, 1}}) {
            const Crossing x = BranchCrossing(Ground({{-40, c.groundZ}, {40, c.groundZ}}), *sec, c.branch);
            ASSERT_EQ(x.outcome, CrossingOutcome::Found) << c.groundZ;
            EXPECT_NEAR(x.point.offset, s * c.offset, 1e-9) << c.groundZ;
            EXPECT_NEAR(x.point.z, c.groundZ, 1e-9) << c.groundZ;
            EXPECT_EQ(x.level, c.level) << c.groundZ;
        }
    }
}

TEST(GroundSection, BuildAndElevation)
{
    // Points come in any order and are sorted; refusals name the fault.
    GroundSection::Built b = GroundSection::Build({12.5, 10012.5, 0}, {{3, 2, "b"}, {-4, 1, "a"}, {0, 4, "c"}});
    ASSERT_TRUE(b.section);
    const GroundSection& g = *b.section;
    ASSERT_EQ(g.points().size(), 3u);
    EXPECT_EQ(g.points()[0].name, "a");
    EXPECT_EQ(g.leftEnd(), -4);
    EXPECT_EQ(g.rightEnd(), 3);
    struct At {
        double offset;
        std::optional<double> z;
    };
    for (const At& a : std::vector<At>{{-4, 1}, {-2, 2.5}, {0, 4}, {1.5, 3}, {3, 2}, {3.0001, std::nullopt},
                                       {-4.0001, std::nullopt}, {NAN, std::nullopt}}) {
        const std::optional<double> z = g.ElevationAt(a.offset);
        ASSERT_EQ(z.has_value(), a.z.has_value()) << a.offset;
        if (z) {
            EXPECT_NEAR(*z, *a.z, 1e-12) << a.offset;
        }
    }
    struct Bad {
        std::vector<GroundPoint> pts;
        const char* says;
    };
    for (const Bad& bad : std::vector<Bad>{{{{1, 2, ""}}, "只有 1 个点"},
                                           {{{1, 2, ""}, {1, 3, ""}}, "偏距相同"},
                                           {{{1, NAN, "p"}, {2, 3, ""}}, "不是有限的数"}}) {
        const GroundSection::Built r = GroundSection::Build({0, 0, 0}, bad.pts);
        EXPECT_FALSE(r.section);
        EXPECT_NE(r.error.find(bad.says), std::string::npos) << r.error;
    }
}

TEST(GroundSection, AverageEndAreaVolume)
{
    // 20 m between sections of 10.2 and 15.8 m²: 20·26/2 = 260 m³.
    EXPECT_NEAR(AverageEndAreaVolume(20, 10.2, 15.8), 260, 1e-9);
    EXPECT_EQ(AverageEndAreaVolume(0, 10, 10), 0);
    EXPECT_THROW(AverageEndAreaVolume(1e308, 1e308, 1e308), FloatFault);
}

}  // namespace
}  // namespace tarvelo
