#include <gtest/gtest.h>

#include <cmath>

#include "core/section/roadbed_template.h"

namespace tarvelo {
namespace {

constexpr double kOffsetTol = 1e-9;  // metres, exact arithmetic on short sums

// A highway roadbed: 0.75 m hard shoulder at -2 %, 0.75 m earth shoulder at
// -4 %; fill 1:1.5 for 8 m, 2 m berm at -2 %, then 1:1.75; a ditch 0.6 m
// bottom, 0.6 m deep, 1:1 both sides; cut 1:0.75 for 8 m, 2 m berm at +2 %,
// then 1:1.
SideTemplate Highway()
{
    SideTemplate t;
    t.shoulders = {{0.75, -2}, {0.75, -4}};
    t.ditch = Ditch{0.6, 0.6, 1, 1};
    t.cut = {{0.75, 8.0, 2, 2}, {1, std::nullopt, 0, 0}};
    t.fill = {{1.5, 8.0, 2, -2}, {1.75, std::nullopt, 0, 0}};
    return t;
}

// Pavement 3.75 m at -2 % from a centre at 100: the hinge at 5.25 m,
// 100 - 0.075 - 0.015 - 0.03 = 99.88.
SideSection HighwaySide(RoadSide side)
{
    return *SideSection::Make(side, 100, 3.75, -2, Highway());
}

TEST(SideSection, HingeFromPavementAndShoulders)
{
    const SideSection right = HighwaySide(RoadSide::Right), left = HighwaySide(RoadSide::Left);
    EXPECT_NEAR(right.hinge().offset, 5.25, kOffsetTol);
    EXPECT_NEAR(right.hinge().z, 99.88, kOffsetTol);
    EXPECT_NEAR(left.hinge().offset, -5.25, kOffsetTol);
    EXPECT_NEAR(left.hinge().z, 99.88, kOffsetTol);
    // The road top: the pavement edge at 3.75 (99.925), half way along the
    // earth shoulder 99.91 - 0.015.
    EXPECT_NEAR(*right.TopElevation(3.75), 99.925, kOffsetTol);
    EXPECT_NEAR(*left.TopElevation(-4.875), 99.895, kOffsetTol);
    EXPECT_NEAR(*right.TopElevation(0), 100, kOffsetTol);
    EXPECT_NEAR(*left.TopElevation(-0.0), 100, kOffsetTol);
    EXPECT_FALSE(right.TopElevation(-1));    // the other side
    EXPECT_FALSE(right.TopElevation(5.26));  // beyond the hinge
    EXPECT_FALSE(right.TopElevation(NAN));
    // Without a pavement the shoulders start at the centre.
    const SideSection bare = *SideSection::Make(RoadSide::Right, 100, 0, 0, Highway());
    EXPECT_NEAR(bare.hinge().offset, 1.5, kOffsetTol);
    EXPECT_NEAR(bare.hinge().z, 99.955, kOffsetTol);
    // The hinge follows the pavement's superelevation: +6 % on a 4.15 m
    // widened high side, -6 % on the low one.
    const SideSection high = *SideSection::Make(RoadSide::Left, 100, 4.15, 6, Highway());
    const SideSection low = *SideSection::Make(RoadSide::Right, 100, 3.75, -6, Highway());
    EXPECT_NEAR(high.hinge().offset, -5.65, kOffsetTol);
    EXPECT_NEAR(high.hinge().z, 100 + 0.249 - 0.045, kOffsetTol);
    EXPECT_NEAR(low.hinge().z, 100 - 0.225 - 0.045, kOffsetTol);
}

// Catch offsets on flat ground worked by hand, D = uH + sum of the levels
// above (m h plus berms) + m (the rest of the height).
TEST(SideSection, CatchOnFlatGroundByHand)
{
    const SideSection right = HighwaySide(RoadSide::Right);
    struct Case {
        SlopeBranch branch;
        double z, offset;
        int level;
        const char* what;
    };
    const Case cases[] = {
        {SlopeBranch::Fill, 95.88, 5.25 + 1.5 * 4, 1, "fill 4 m: uH + m h"},
        {SlopeBranch::Fill, 99.88, 5.25, 1, "fill at the hinge's elevation"},
        {SlopeBranch::Fill, 91.88, 17.25, 1, "berm's inner edge exactly"},
        {SlopeBranch::Fill, 91.86, 18.25, 1, "on the berm, half way down its 2 %"},
        {SlopeBranch::Fill, 91.84, 19.25, 1, "berm's outer edge exactly"},
        {SlopeBranch::Fill, 86.84, 19.25 + 1.75 * 5, 2, "second level 5 m below the berm"},
        {SlopeBranch::Cut, 99.88, 7.05, 1, "cut at the hinge's elevation: the ditch's outer top"},
        {SlopeBranch::Cut, 103.88, 7.05 + 0.75 * 4, 1, "cut 4 m: ditch + m h"},
        {SlopeBranch::Cut, 107.88, 13.05, 1, "cut berm's inner edge"},
        {SlopeBranch::Cut, 107.90, 14.05, 1, "on the cut berm"},
        {SlopeBranch::Cut, 112.92, 15.05 + 5, 2, "second cut level 5 m above the berm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto got = right.Catch(c.branch, c.z);
        ASSERT_TRUE(got);
        EXPECT_NEAR(got->offset, c.offset, 1e-9 * 100);
        EXPECT_EQ(got->level, c.level);
        EXPECT_EQ(got->z, c.z);
        // The left side mirrors the right.
        const auto mirrored = HighwaySide(RoadSide::Left).Catch(c.branch, c.z);
        ASSERT_TRUE(mirrored);
        EXPECT_NEAR(mirrored->offset, -c.offset, 1e-9 * 100);
        // And the branch runs through its catch.
        EXPECT_NEAR(*right.BranchElevation(c.branch, got->offset), c.z, 1e-9 * 100);
    }
    EXPECT_FALSE(right.Catch(SlopeBranch::Fill, 99.9));  // fill never rises above the hinge
    EXPECT_FALSE(right.Catch(SlopeBranch::Cut, 99.5));   // the ditch is not searched
    EXPECT_FALSE(right.Catch(SlopeBranch::Cut, NAN));
}

// Ground sloping across the road at 1:n, elevation zG0 at the centre line:
// the textbook catch D = n (uH + m h0) / (n - m) on the side where the
// ground falls away from a fill (or rises away from a cut), and
// n (uH + m h0) / (n + m) on the other, h0 the height at the centre line.
// A shot at that catch needs no move; shots elsewhere reach it round by
// round, as the crew walks.
TEST(SideSection, CatchOnCrossSlopingGround)
{
    SideTemplate fill;
    fill.fill = {{1.5, std::nullopt, 0, 0}};
    SideTemplate cut;
    cut.cut = {{0.75, std::nullopt, 0, 0}};
    const double uH = 6, zH = 100, n = 5;
    struct Case {
        SideTemplate tpl;
        SlopeBranch branch;
        double m, zG0, fall;  // fall: ground drop per metre outward
        double D;
    };
    const double h0fill = 2, h0cut = 3;
    const Case cases[] = {
        {fill, SlopeBranch::Fill, 1.5, zH - h0fill, 1 / n, n * (uH + 1.5 * h0fill) / (n - 1.5)},
        {fill, SlopeBranch::Fill, 1.5, zH - h0fill, -1 / n, n * (uH + 1.5 * h0fill) / (n + 1.5)},
        {cut, SlopeBranch::Cut, 0.75, zH + h0cut, -1 / n, n * (uH + 0.75 * h0cut) / (n - 0.75)},
        {cut, SlopeBranch::Cut, 0.75, zH + h0cut, 1 / n, n * (uH + 0.75 * h0cut) / (n + 0.75)},
    };
    for (const Case& c : cases) {
        const SideSection s = *SideSection::Make(RoadSide::Right, zH, uH, 0, c.tpl);
        const auto ground = [&](double u) { return c.zG0 - c.fall * u; };
        const auto at = s.Catch(c.branch, ground(c.D));
        ASSERT_TRUE(at);
        EXPECT_NEAR(at->offset, c.D, 1e-9);
        double u = uH + 1;  // the first shot just beyond the hinge
        for (int round = 0; round < 60; ++round) u = s.Catch(c.branch, ground(u))->offset;
        EXPECT_NEAR(u, c.D, 1e-6);
    }
}

TEST(SideSection, VerticalRockCutAndItsBerm)
{
    SideTemplate rock;
    rock.cut = {{0, 10.0, 1.5, 2}, {0.5, std::nullopt, 0, 0}};
    const SideSection s = *SideSection::Make(RoadSide::Right, 100, 5, 0, rock);
    // Anywhere up the face the catch is the face itself.
    for (double z : {100.0, 103.0, 110.0}) {
        const auto c = s.Catch(SlopeBranch::Cut, z);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->offset, 5);
        EXPECT_EQ(c->level, 1);
    }
    // 12 m up: the berm 1.5 m wide rising 0.03, then 1:0.5 for 1.97 m.
    const auto high = s.Catch(SlopeBranch::Cut, 112);
    EXPECT_NEAR(high->offset, 5 + 1.5 + 0.5 * 1.97, 1e-9);
    EXPECT_EQ(high->level, 2);
    // The face's design elevation at its offset is its foot.
    EXPECT_EQ(*s.BranchElevation(SlopeBranch::Cut, 5), 100);
    // A vertical last level leaves no design surface beyond it.
    SideTemplate face;
    face.cut = {{0, std::nullopt, 0, 0}};
    const SideSection f = *SideSection::Make(RoadSide::Left, 100, 5, 0, face);
    EXPECT_EQ(f.Catch(SlopeBranch::Cut, 150)->offset, -5);
    EXPECT_FALSE(f.BranchElevation(SlopeBranch::Cut, -5.5));
    EXPECT_EQ(f.Outline(SlopeBranch::Cut, 4).back().z, 104);
}

TEST(SideSection, BranchElevationThroughDitchAndLevels)
{
    const SideSection s = HighwaySide(RoadSide::Right);
    struct Case {
        SlopeBranch branch;
        double offset;
        std::optional<double> z;
    };
    const Case cases[] = {
        {SlopeBranch::Cut, 5.25, 99.88},          // the hinge
        {SlopeBranch::Cut, 5.55, 99.58},          // half way down the ditch's inner side
        {SlopeBranch::Cut, 6.15, 99.28},          // the ditch bottom
        {SlopeBranch::Cut, 7.05, 99.88},          // the outer top
        {SlopeBranch::Cut, 20.05, 112.92},        // the second level
        {SlopeBranch::Fill, 17.25, 91.88},        // berm's inner edge
        {SlopeBranch::Fill, 28.0, 86.84},         // second fill level
        {SlopeBranch::Fill, 5.0, std::nullopt},   // inside the hinge
        {SlopeBranch::Fill, -8.0, std::nullopt},  // the other side
    };
    for (const Case& c : cases) {
        const auto z = s.BranchElevation(c.branch, c.offset);
        ASSERT_EQ(z.has_value(), c.z.has_value()) << c.offset;
        if (z) {
            EXPECT_NEAR(*z, *c.z, 1e-9 * 100) << c.offset;
        }
    }
    // The outline: road top (centre, pavement edge, two shoulders), the
    // ditch (3 vertices after the hinge), the cut's slope and berm, the
    // last level carried out.
    const std::vector<SectionVertex> line = s.Outline(SlopeBranch::Cut, 3);
    ASSERT_EQ(line.size(), 4u + 3 + 2 + 1);
    EXPECT_NEAR(line.back().offset, 18.05, 1e-9);
    EXPECT_NEAR(line.back().z, 107.92 + 3, 1e-9);
    EXPECT_FALSE(SideSection::Make(RoadSide::Right, NAN, 3.75, -2, Highway()));
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

TEST(RoadbedTemplate, TemplatesChangeAtTheirStations)
{
    const std::vector<TemplateRow> rows = {
        Row(100, TemplateSides::Both, TemplatePart::Shoulder, 0.75, -4),
        Row(100, TemplateSides::Both, TemplatePart::Fill, 1.5),
        Row(300, TemplateSides::Right, TemplatePart::Cut, 0.5),
        Row(200, TemplateSides::Left, TemplatePart::Fill, 2),
    };
    const RoadbedTemplate::Built b = RoadbedTemplate::Build(rows);
    ASSERT_TRUE(b.roadbed) << b.error->message;
    const RoadbedTemplate& t = *b.roadbed;
    EXPECT_EQ(t.At(99.9, RoadSide::Left), nullptr);  // before the first template station
    EXPECT_NE(t.At(99.9995, RoadSide::Left), nullptr);
    EXPECT_EQ(t.At(199.99, RoadSide::Left)->side.fill.front().ratio, 1.5);
    EXPECT_EQ(t.At(200, RoadSide::Left)->side.fill.front().ratio, 2);
    EXPECT_TRUE(t.At(200, RoadSide::Left)->side.shoulders.empty());
    EXPECT_EQ(t.At(5000, RoadSide::Right)->station, 300);
    EXPECT_TRUE(t.At(5000, RoadSide::Right)->side.fill.empty());
    EXPECT_EQ(t.At(250, RoadSide::Right)->side.shoulders.size(), 1u);
    EXPECT_EQ(t.At(NAN, RoadSide::Right), nullptr);
    EXPECT_EQ(DescribeSideTemplate(t.At(100, RoadSide::Right)->side), "路肩 0.75 m -4%；填方 1:1.5");
}

TEST(RoadbedTemplate, RefusedRowsNameTheirCell)
{
    using P = TemplatePart;
    const auto S = TemplateSides::Right;
    struct Case {
        std::vector<TemplateRow> rows;
        int column;
        const char* message;
    };
    const Case cases[] = {
        {{Row(0, S, P::Shoulder, -1, 2)}, 4, "第 1 行“参数1”：宽度不能为负：-1。"},
        {{Row(0, S, P::Shoulder, 1, 20.5)}, 5, "第 1 行“参数2”：横坡 20.5% 超出 ±20%。"},
        {{Row(0, S, P::Shoulder, 1)}, 5, "第 1 行“参数2”：路肩须给出横坡。"},
        {{Row(0, S, P::Shoulder, 1, 2, 3)}, 6, "第 1 行“参数3”：路肩只有宽度和横坡两个参数。"},
        {{Row(0, S, P::Fill, 0)}, 4, "第 1 行“参数1”：坡率须大于 0：0。"},
        {{Row(0, S, P::Cut, -0.5)}, 4, "第 1 行“参数1”：坡率不能为负：-0.5。"},
        {{Row(0, S, P::Ditch, 0.6, 0, 1, 1)}, 5, "第 1 行“参数2”：沟深须大于 0：0。"},
        {{Row(0, S, P::Cut, 1, 5, std::nullopt, 2), Row(0, S, P::Cut, 1)}, 7,
         "第 1 行“参数4”：平台横坡要与平台宽度一起给出。"},
        {{Row(0, S, P::Fill, 1.5, 8)}, 5, "第 1 行“参数2”：最后一级填方边坡一直延伸到地面，不给高度。"},
        {{Row(0, S, P::Fill, 1.5, std::nullopt, 2)}, 6, "第 1 行“参数3”：最后一级填方边坡之后不能有平台。"},
        {{Row(0, S, P::Cut, 1), Row(0, S, P::Cut, 1)}, 5, "第 1 行“参数2”：不是最后一级的挖方边坡须给出高度。"},
        {{Row(0, S, P::Ditch, 0.6, 0.6, 1, 1), Row(0, S, P::Fill, 1.5)}, 3,
         "第 1 行“部位”：右侧没有挖方边坡：边沟设在挖方坡脚，填方一侧不设边沟。"},
        {{Row(0, S, P::Cut, 1), Row(0, S, P::Ditch, 1, 1, 1, 1), Row(0, S, P::Ditch, 1, 1, 1, 1)}, 3,
         "第 3 行“部位”：右侧在同一起始桩号已有一条边沟。"},
        {{Row(0, S, P::Fill, 1e5)}, 4, "第 1 行“参数1”：坡率 100000 超出可计算范围（不得超过 10000）。"},
        {{Row(NAN, S, P::Fill, 1)}, 1, "第 1 行“起始桩号”：起始桩号不是有限的数。"},
    };
    for (const Case& c : cases) {
        const RoadbedTemplate::Built b = RoadbedTemplate::Build(c.rows);
        ASSERT_TRUE(b.error);
        EXPECT_EQ(b.error->column, c.column) << c.message;
        EXPECT_EQ(b.error->message, c.message);
    }
    EXPECT_EQ(RoadbedTemplate::Build({}).error->message, "路基模板中没有任何行。");
}

}  // namespace
}  // namespace tarvelo
