// Cross sections: interpolation worked by hand, edge and offset elevations,
// the ends of the table with their 1 mm tolerance, and every refusal.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "compute/route_text.h"
#include "core/section/cross_section.h"
#include "core/numbers/float_fault.h"

namespace tarvelo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// Widths and slopes: computed values agree with the hand values to far below
// a millimetre and a thousandth of a percent.
constexpr double kTol = 1e-12;

std::string KLabel(double s) { return FormatKStation(s); }

CrossSections MustBuild(const std::vector<CrossSectionRow>& rows)
{
    CrossSections::Built built = CrossSections::Build(rows);
    EXPECT_TRUE(built.sections) << (built.error ? built.error->message : "");
    return *built.sections;
}

// A right-hand curve's run-in: crown -2/-2 at K0+100, superelevated +6/-6
// with the inner (right) side widened by 0.6 m at K0+160, held to K0+200.
std::vector<CrossSectionRow> RunIn()
{
    return {{100, 3.75, 3.75, -2, -2, 0}, {160, 3.75, 4.35, 6, -6, 0}, {200, 3.75, 4.35, 6, -6, 0}};
}

TEST(CrossSectionTest, RunInByHandLinearAndCubic)
{
    const CrossSections cs = MustBuild(RunIn());
    // t = 0.25, 0.5, 0.75. Linear w = t; cubic w = 3t^2 - 2t^3 = 0.15625,
    // 0.5, 0.84375. Left slope -2 + 8w, right slope -2 - 4w, right width
    // 3.75 + 0.6w, left width 3.75 throughout.
    struct Case {
        double s;
        Transition law;
        double rightWidth, leftSlope, rightSlope;
    };
    const Case cases[] = {
        {115, Transition::Linear, 3.9, 0, -3},
        {130, Transition::Linear, 4.05, 2, -4},
        {145, Transition::Linear, 4.2, 4, -5},
        {115, Transition::Cubic, 3.84375, -0.75, -2.625},
        {130, Transition::Cubic, 4.05, 2, -4},
        {145, Transition::Cubic, 4.25625, 4.75, -5.375},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.s) + (c.law == Transition::Cubic ? " cubic" : " linear"));
        const auto sec = cs.SectionAt(c.s, c.law);
        ASSERT_TRUE(sec);
        EXPECT_EQ(sec->leftWidth, 3.75);
        EXPECT_NEAR(sec->rightWidth, c.rightWidth, kTol);
        EXPECT_NEAR(sec->leftSlope, c.leftSlope, kTol);
        EXPECT_NEAR(sec->rightSlope, c.rightSlope, kTol);
    }
}

TEST(CrossSectionTest, RowsGiveTheirOwnValuesExactlyAndPiecesMeet)
{
    const CrossSections cs = MustBuild(RunIn());
    for (Transition law : {Transition::Linear, Transition::Cubic}) {
        for (const CrossSectionRow& r : cs.rows()) {
            const auto sec = cs.SectionAt(r.station, law);
            ASSERT_TRUE(sec);
            EXPECT_EQ(sec->leftWidth, r.leftWidth);
            EXPECT_EQ(sec->rightWidth, r.rightWidth);
            EXPECT_EQ(sec->leftSlope, r.leftSlope);
            EXPECT_EQ(sec->rightSlope, r.rightSlope);
        }
        // Continuity at K0+160 from both sides.
        const auto before = cs.SectionAt(std::nextafter(160.0, 0.0), law);
        const auto after = cs.SectionAt(std::nextafter(160.0, 1000.0), law);
        ASSERT_TRUE(before && after);
        EXPECT_NEAR(before->leftSlope, 6, 1e-9);
        EXPECT_NEAR(before->rightWidth, 4.35, 1e-9);
        EXPECT_EQ(after->leftSlope, 6);
    }
}

TEST(CrossSectionTest, CubicRunInIsFlatAtItsEnds)
{
    // The cubic law's rate is zero at both rows: 1 m in, the slope has moved
    // 8 * (3/3600 - 2/216000) = 0.0066 %, the linear one 8/60 = 0.1333 %.
    const CrossSections cs = MustBuild(RunIn());
    const auto cubic = cs.SectionAt(101, Transition::Cubic);
    const auto linear = cs.SectionAt(101, Transition::Linear);
    ASSERT_TRUE(cubic && linear);
    EXPECT_NEAR(cubic->leftSlope, -2 + 8 * (3.0 / 3600 - 2.0 / 216000), kTol);
    EXPECT_NEAR(linear->leftSlope, -2 + 8.0 / 60, kTol);
}

TEST(CrossSectionTest, EdgeElevationsOfRightAndLeftCurves)
{
    // Right curve at K0+130 (linear): left 3.75 m at +2 %, right 4.05 m at -4 %.
    const CrossSections right = MustBuild(RunIn());
    const Section r = *right.SectionAt(130);
    EXPECT_NEAR(EdgeElevation(100, r.leftWidth, r.leftSlope), 100.075, 1e-9);
    EXPECT_NEAR(EdgeElevation(100, r.rightWidth, r.rightSlope), 99.838, 1e-9);
    // Left curve fully superelevated: left (inner) 4.35 m at -6 %, right
    // 3.75 m at +6 %, centre 250.5.
    const CrossSections left = MustBuild({{0, 4.35, 3.75, -6, 6, 0}, {50, 4.35, 3.75, -6, 6, 0}});
    const Section l = *left.SectionAt(20);
    EXPECT_NEAR(EdgeElevation(250.5, l.leftWidth, l.leftSlope), 250.239, 1e-9);
    EXPECT_NEAR(EdgeElevation(250.5, l.rightWidth, l.rightSlope), 250.725, 1e-9);
    // Offset stakes inside the widths of the left curve.
    EXPECT_NEAR(*OffsetElevation(l, 250.5, -2), 250.38, 1e-9);
    EXPECT_NEAR(*OffsetElevation(l, 250.5, 1.5), 250.59, 1e-9);
    EXPECT_NEAR(*OffsetElevation(l, 250.5, -4.35), 250.239, 1e-9);
    EXPECT_NEAR(*OffsetElevation(l, 250.5, 3.75), 250.725, 1e-9);
}

TEST(CrossSectionTest, OffsetElevationEdgeCases)
{
    const Section s{4.35, 3.75, -6, 6};
    struct Case {
        const char* what;
        double offset;
        std::optional<double> elevation;
    };
    const Case cases[] = {
        {"+0 is the centre", 0.0, 100.0},
        {"-0 is the centre", -0.0, 100.0},
        {"left edge", -4.35, 100 - 0.261},
        {"within 1 mm beyond the left edge", -4.3509, 100 - 0.261054},
        {"2 mm beyond the left edge", -4.352, std::nullopt},
        {"within 1 mm beyond the right edge", 3.7509, 100 + 0.225054},
        {"2 mm beyond the right edge", 3.752, std::nullopt},
        {"NaN", kNan, std::nullopt},
        {"-infinity", -kInf, std::nullopt},
        {"+infinity", kInf, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto z = OffsetElevation(s, 100, c.offset);
        ASSERT_EQ(z.has_value(), c.elevation.has_value());
        if (z) {
            EXPECT_NEAR(*z, *c.elevation, 1e-9);
        }
    }
    EXPECT_THROW(EdgeElevation(1e308, 1e308, 20), FloatFault);
    EXPECT_THROW(EdgeElevation(kNan, 3, -2), FloatFault);
    EXPECT_THROW(OffsetElevation(s, kInf, 1), FloatFault);
}

TEST(CrossSectionTest, TheEndsAcceptOneMillimetreExactly)
{
    const CrossSections cs = MustBuild(RunIn());
    const double before = 100 - kCrossSectionEndTolerance, after = 200 + kCrossSectionEndTolerance;
    struct Case {
        double s;
        bool covered;
        double leftSlope;  // when covered: the end row's
    };
    const Case cases[] = {
        {before, true, -2},
        {std::nextafter(before, -kInf), false, 0},
        {99.9985, false, 0},
        {after, true, 6},
        {std::nextafter(after, kInf), false, 0},
        {200.0015, false, 0},
        {kNan, false, 0},
        {-kInf, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.s);
        EXPECT_EQ(cs.Covers(c.s), c.covered);
        for (Transition law : {Transition::Linear, Transition::Cubic}) {
            const auto sec = cs.SectionAt(c.s, law);
            ASSERT_EQ(sec.has_value(), c.covered);
            if (sec) {
                EXPECT_EQ(sec->leftSlope, c.leftSlope);
            }
        }
    }
}

TEST(CrossSectionTest, CheckCoversNamesThePositionOrTheRange)
{
    const CrossSections cs = MustBuild(RunIn());
    EXPECT_FALSE(cs.CheckCovers(100, 200));
    EXPECT_FALSE(cs.CheckCovers(100 - kCrossSectionEndTolerance, 200 + kCrossSectionEndTolerance));
    EXPECT_EQ(cs.CheckCovers(99.998, 99.998, KLabel).value_or(""),
              "桩号 K0+099.998 在横断面表 K0+100.000 至 K0+200.000 之外，没有横断面。");
    EXPECT_EQ(cs.CheckCovers(150, 250, KLabel).value_or(""),
              "桩号范围 K0+150.000 至 K0+250.000 超出横断面表 K0+100.000 至 K0+200.000，超出的桩没有横断面。");
    EXPECT_EQ(cs.CheckCovers(50, 50).value_or(""),
              "桩号 50.000 m 在横断面表 100.000 m 至 200.000 m 之外，没有横断面。");
    EXPECT_EQ(cs.CheckCovers(kNan, kNan).value_or(""),
              "桩号范围 ? 至 ? 超出横断面表 100.000 m 至 200.000 m，超出的桩没有横断面。");
}

TEST(CrossSectionTest, OneRowCoversOnlyItsOwnStation)
{
    const CrossSections cs = MustBuild({{500, 3.5, 3.5, -2, -2, 0}});
    ASSERT_TRUE(cs.SectionAt(500));
    EXPECT_EQ(cs.SectionAt(500 + kCrossSectionEndTolerance, Transition::Cubic)->rightWidth, 3.5);
    EXPECT_FALSE(cs.SectionAt(500.002));
    EXPECT_FALSE(cs.SectionAt(499.998));
}

TEST(CrossSectionTest, BuildRefusals)
{
    const CrossSectionRow good{0, 3.75, 3.75, -2, -2, 0};
    const auto with = [&](auto change) {
        std::vector<CrossSectionRow> rows{good, good};
        rows[1].station = 20;
        change(rows[1]);
        return rows;
    };
    struct Case {
        const char* what;
        std::vector<CrossSectionRow> rows;
        int row;
        std::string message;
    };
    const Case cases[] = {
        {"no rows", {}, -1, "横断面表没有数据行，至少要有一个桩号的横断面。"},
        {"NaN station", with([](CrossSectionRow& r) { r.station = kNan; }), 1, "第 2 个横断面：桩号不是有限的数。"},
        {"infinite left width", with([](CrossSectionRow& r) { r.leftWidth = kInf; }), 1,
         "第 2 个横断面：左幅宽度不是有限的数。"},
        {"NaN right width", with([](CrossSectionRow& r) { r.rightWidth = kNan; }), 1,
         "第 2 个横断面：右幅宽度不是有限的数。"},
        {"NaN left slope", with([](CrossSectionRow& r) { r.leftSlope = kNan; }), 1,
         "第 2 个横断面：左侧横坡不是有限的数。"},
        {"infinite right slope", with([](CrossSectionRow& r) { r.rightSlope = -kInf; }), 1,
         "第 2 个横断面：右侧横坡不是有限的数。"},
        {"negative left width", with([](CrossSectionRow& r) { r.leftWidth = -0.5; }), 1,
         "第 2 个横断面：左幅宽度为 -0.5 m，宽度不能为负。"},
        {"negative right width", with([](CrossSectionRow& r) { r.rightWidth = -1e-9; }), 1,
         "第 2 个横断面：右幅宽度为 -1e-09 m，宽度不能为负。"},
        {"left slope beyond 20", with([](CrossSectionRow& r) { r.leftSlope = 20.0001; }), 1,
         "第 2 个横断面：左侧横坡为 20.0001%，超出了 ±20% 的范围。"},
        {"right slope beyond -20", with([](CrossSectionRow& r) { r.rightSlope = -60; }), 1,
         "第 2 个横断面：右侧横坡为 -60%，超出了 ±20% 的范围。"},
        {"equal stations", with([](CrossSectionRow& r) { r.station = 0; }), 1,
         "第 2 个横断面：桩号 0 不大于上一行的桩号 0，横断面的桩号必须逐行增大。"},
        {"decreasing stations", with([](CrossSectionRow& r) { r.station = -10.5; }), 1,
         "第 2 个横断面：桩号 -10.5 不大于上一行的桩号 0，横断面的桩号必须逐行增大。"},
        {"stations too far apart", {{-1e308, 1, 1, 0, 0, 0}, {1e308, 1, 1, 0, 0, 0}}, 1,
         "第 2 个横断面：与上一行的桩号相差过大，超出了可计算的范围。"},
        {"line named when read from a file", {{0, -1, 1, 0, 0, 12}}, 0,
         "第 12 行：左幅宽度为 -1 m，宽度不能为负。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CrossSections::Built built = CrossSections::Build(c.rows);
        ASSERT_FALSE(built.sections);
        ASSERT_TRUE(built.error);
        EXPECT_EQ(built.error->row, c.row);
        EXPECT_EQ(built.error->message, c.message);
    }
}

TEST(CrossSectionTest, LimitsThatAreAccepted)
{
    // Slopes of exactly +-20 % and widths of -0 and 0.
    const CrossSections cs = MustBuild({{0, -0.0, 0, 20, -20, 0}, {10, 0, 5, -20, 20, 0}});
    const auto sec = cs.SectionAt(0);
    ASSERT_TRUE(sec);
    EXPECT_FALSE(std::signbit(sec->leftWidth));
    for (double s = 0; s <= 10; s += 0.5) {
        for (Transition law : {Transition::Linear, Transition::Cubic}) {
            const Section v = *cs.SectionAt(s, law);
            EXPECT_GE(v.rightWidth, 0);
            EXPECT_LE(std::fabs(v.leftSlope), 20);
            EXPECT_LE(std::fabs(v.rightSlope), 20);
        }
    }
}

TEST(CrossSectionTest, EdgeOffsetsAtSkew)
{
    const Section s{4, 3, -2, -2};
    struct Case {
        const char* what;
        double skew;
        std::optional<EdgeOffsets> offsets;
        double tol;
    };
    const Case cases[] = {
        {"square", 90, EdgeOffsets{-4, 3}, 0},
        {"30 degrees: twice as far", 30, EdgeOffsets{-8, 6}, 1e-12},
        {"150 degrees", 150, EdgeOffsets{-8, 6}, 1e-12},
        {"pointing left: signs flip", 270, EdgeOffsets{4, -3}, 0},
        {"along the centreline", 0, std::nullopt, 0},
        {"backwards along it", 180, std::nullopt, 0},
        {"0.005 degree from it", 0.005, std::nullopt, 0},
        {"NaN", kNan, std::nullopt, 0},
        {"infinite", kInf, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto e = EdgeOffsetsAtSkew(s, c.skew);
        ASSERT_EQ(e.has_value(), c.offsets.has_value());
        if (!e) continue;
        EXPECT_NEAR(e->left, c.offsets->left, c.tol);
        EXPECT_NEAR(e->right, c.offsets->right, c.tol);
        // The point m along the skew lies m sin(a) from the centreline.
        EXPECT_NEAR(e->left * std::sin(c.skew * M_PI / 180), -4, 1e-9);
        EXPECT_NEAR(e->right * std::sin(c.skew * M_PI / 180), 3, 1e-9);
    }
}

}  // namespace
}  // namespace tarvelo
