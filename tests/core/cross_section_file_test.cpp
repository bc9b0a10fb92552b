// The cross-section file: reading (header, K notation, separators,
// comments), every refusal with its line, and the write-then-read round trip.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/files/cross_section_file.h"
#include "core/plan/route.h"
#include "core/files/route_file.h"

namespace tarvelo {
namespace {

TEST(CrossSectionFileTest, ReadsHeaderKNotationTabsCommentsAndTrailingCommas)
{
    const std::string text =
        "桩号,左幅宽度,右幅宽度,左横坡%,右横坡%\r\n"
        "# crown on the straight\r\n"
        "K10+000,3.75,3.75,-2,-2\r\n"
        "\r\n"
        "10100.5\t3.75\t4.35\t6\t-6\n"
        "K10+200.25 , 4 , 4.5 , 0 , -2.5 ,,\n";
    const CrossSectionFileContent read = ParseCrossSectionFile(text);
    ASSERT_TRUE(read.ok()) << read.errors.front().message;
    ASSERT_EQ(read.rows.size(), 3u);
    const CrossSectionRow want[] = {{10000, 3.75, 3.75, -2, -2, 3},
                                    {10100.5, 3.75, 4.35, 6, -6, 5},
                                    {10200.25, 4, 4.5, 0, -2.5, 6}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read.rows[i].station, want[i].station);
        EXPECT_EQ(read.rows[i].leftWidth, want[i].leftWidth);
        EXPECT_EQ(read.rows[i].rightWidth, want[i].rightWidth);
        EXPECT_EQ(read.rows[i].leftSlope, want[i].leftSlope);
        EXPECT_EQ(read.rows[i].rightSlope, want[i].rightSlope);
        EXPECT_EQ(read.rows[i].line, want[i].line);
    }
}

TEST(CrossSectionFileTest, WithoutHeaderTheFirstRowIsData)
{
    const CrossSectionFileContent read = ParseCrossSectionFile("0,3,3,-2,-2\n10,3,3,-2,-2\n");
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.rows[0].line, 1);
}

TEST(CrossSectionFileTest, EmptyFileReadsWithoutRowsAndBuildRefusesIt)
{
    for (const char* text : {"", "桩号,左幅宽度,右幅宽度,左横坡%,右横坡%\n", "# nothing\n\n"}) {
        SCOPED_TRACE(text);
        const CrossSectionFileContent read = ParseCrossSectionFile(text);
        EXPECT_TRUE(read.ok());
        EXPECT_TRUE(read.rows.empty());
        EXPECT_FALSE(CrossSections::Build(read.rows).sections);
    }
}

TEST(CrossSectionFileTest, EveryBadRowGetsItsMessage)
{
    const std::string header = "桩号,左幅宽度,右幅宽度,左横坡%,右横坡%\n";
    const std::string good = "K0+000,3.75,3.75,-2,-2\n";
    struct Case {
        const char* what;
        std::string row;  // the third line, after the header and a good row
        std::string message;
    };
    const Case cases[] = {
        {"one column", "K0+100\n", "第 3 行：只有 1 栏，每行应有桩号、左幅宽度、右幅宽度、左侧横坡和右侧横坡五栏。"},
        {"four columns", "K0+100,3,3,-2\n",
         "第 3 行：只有 4 栏，每行应有桩号、左幅宽度、右幅宽度、左侧横坡和右侧横坡五栏。"},
        {"a sixth field", "K0+100,3,3,-2,-2,,x\n",
         "第 3 行：多出了第 7 栏“x”，每行只有桩号、左幅宽度、右幅宽度、左侧横坡和右侧横坡五栏。"},
        {"empty station", ",3,3,-2,-2\n", "第 3 行：缺少桩号。"},
        {"bad station", "K0+1oo,3,3,-2,-2\n", "第 3 行：桩号“K0+1oo”既不是数，也不是 K5+030.5 这样的桩号。"},
        {"metres of 1000 in K notation", "K0+1000,3,3,-2,-2\n",
         "第 3 行：桩号“K0+1000”既不是数，也不是 K5+030.5 这样的桩号。"},
        {"empty left width", "100,,3,-2,-2\n", "第 3 行：缺少左幅宽度。"},
        {"right width not a number", "100,3,3.7.5,-2,-2\n", "第 3 行：右幅宽度“3.7.5”不是数。"},
        {"left slope with a percent sign", "100,3,3,-2%,-2\n", "第 3 行：左侧横坡“-2%”不是数。"},
        {"right slope overflowing", "100,3,3,-2,1e999\n", "第 3 行：右侧横坡“1e999”不是数。"},
        {"negative width", "100,-3,3,-2,-2\n", "第 3 行：左幅宽度为 -3 m，宽度不能为负。"},
        {"negative right width", "100,3,-0.01,-2,-2\n", "第 3 行：右幅宽度为 -0.01 m，宽度不能为负。"},
        {"slope beyond 20", "100,3,3,21,-2\n", "第 3 行：左侧横坡为 21%，超出了 ±20% 的范围。"},
        {"slope beyond -20", "100,3,3,-2,-20.5\n", "第 3 行：右侧横坡为 -20.5%，超出了 ±20% 的范围。"},
        {"station repeated", "K0+000,3,3,-2,-2\n",
         "第 3 行：桩号 0 不大于上一行的桩号 0，横断面的桩号必须逐行增大。"},
        {"station going back", "-5,3,3,-2,-2\n",
         "第 3 行：桩号 -5 不大于上一行的桩号 0，横断面的桩号必须逐行增大。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CrossSectionFileContent read = ParseCrossSectionFile(header + good + c.row + "K1+000,3,3,-2,-2\n");
        EXPECT_TRUE(read.rows.empty());
        ASSERT_EQ(read.errors.size(), 1u);
        EXPECT_EQ(read.errors[0].line, 3);
        EXPECT_EQ(read.errors[0].row, 1);
        EXPECT_EQ(read.errors[0].message, c.message);
    }
}

TEST(CrossSectionFileTest, SeveralBadRowsEachNamedOnceInLineOrder)
{
    const CrossSectionFileContent read = ParseCrossSectionFile(
        "0,3,3,-2,-2\n"
        "10,3,x,-2,-2\n"
        "5,3,3,-2,-2\n"   // after a faulty row: not compared, no second message
        "4,3,3,-2,-2\n"   // before the row above: named
        "20,3,3,25,-2\n");
    EXPECT_TRUE(read.rows.empty());
    ASSERT_EQ(read.errors.size(), 3u);
    EXPECT_EQ(read.errors[0].line, 2);
    EXPECT_EQ(read.errors[1].line, 4);
    EXPECT_EQ(read.errors[1].message, "第 4 行：桩号 4 不大于上一行的桩号 5，横断面的桩号必须逐行增大。");
    EXPECT_EQ(read.errors[2].line, 5);
}

TEST(CrossSectionFileTest, WrittenFileReadsBackTheSameRows)
{
    const std::vector<CrossSectionRow> rows = {
        {10000, 3.75, 3.75, -2, -2, 0},
        {10877.237 - 0.1 / 3, 3.75, 4.35, 6, -6, 0},
        {12345.678901234567, 0, 1e-7, 0.1 + 0.2, -19.999999999999996, 0},
    };
    const std::string text = FormatCrossSectionFile(rows);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "桩号,左幅宽度,右幅宽度,左横坡%,右横坡%");
    EXPECT_NE(text.find("10000,3.75,3.75,-2,-2\r\n"), std::string::npos);
    const CrossSectionFileContent read = ParseCrossSectionFile(text);
    ASSERT_TRUE(read.ok()) << read.errors.front().message;
    ASSERT_EQ(read.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read.rows[i].station, rows[i].station);
        EXPECT_EQ(read.rows[i].leftWidth, rows[i].leftWidth);
        EXPECT_EQ(read.rows[i].rightWidth, rows[i].rightWidth);
        EXPECT_EQ(read.rows[i].leftSlope, rows[i].leftSlope);
        EXPECT_EQ(read.rows[i].rightSlope, rows[i].rightSlope);
        EXPECT_EQ(read.rows[i].line, int(i) + 2);
    }
}

std::string ReadExample(const std::string& name)
{
    std::ifstream in(std::string(TARVELO_SOURCE_DIR) + "/examples/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The example table fits the example route: it spans the route, the crown
// is normal on every straight, and through every curve's arc the outer side
// rises and the inner side is widened, on the side the route turns.
TEST(CrossSectionFileTest, ExampleTableFitsTheExampleRoute)
{
    const RouteFileParse routeFile = ParseRouteFile(ReadExample("route-example.csv"));
    ASSERT_TRUE(routeFile.errors.empty());
    const Route::Built builtRoute = Route::Build(routeFile.rows);
    ASSERT_TRUE(builtRoute.route);
    const Route& route = *builtRoute.route;

    const CrossSectionFileContent read = ParseCrossSectionFile(ReadExample("sections-example.csv"));
    ASSERT_TRUE(read.ok()) << read.errors.front().message;
    const CrossSections::Built built = CrossSections::Build(read.rows);
    ASSERT_TRUE(built.sections) << built.error->message;
    const CrossSections& cs = *built.sections;
    EXPECT_FALSE(cs.CheckCovers(route.start().station, route.end().station));

    const auto crown = [&](double s) {
        SCOPED_TRACE(s);
        const Section v = *cs.SectionAt(s);
        EXPECT_EQ(v.leftWidth, 3.75);
        EXPECT_EQ(v.rightWidth, 3.75);
        EXPECT_EQ(v.leftSlope, -2);
        EXPECT_EQ(v.rightSlope, -2);
    };
    crown(route.start().station);
    crown(route.end().station);
    for (std::size_t j = 0; j < route.curves().size(); ++j) {
        const RouteCurve& c = route.curves()[j];
        SCOPED_TRACE(c.name);
        // Normal crown from the last curve's HZ to this one's ZH, less the
        // 60 m run-in on the straight where a spiral is missing.
        const double before = j == 0 ? route.start().station : route.curves()[j - 1].points[4].station;
        crown((before + c.points[0].station - (c.curve.Ls1 == 0 ? 60 : 0)) / 2);
        for (Transition law : {Transition::Linear, Transition::Cubic}) {
            // HY to YH: full superelevation, the same all along the arc. The
            // table's stations are the main points rounded to the millimetre,
            // so at HY and YH the slope may be up to 0.5 mm into the run-in:
            // 1e-3 % covers it.
            const Section hy = *cs.SectionAt(c.points[1].station, law);
            const Section qz = *cs.SectionAt(c.points[2].station, law);
            const Section yh = *cs.SectionAt(c.points[3].station, law);
            EXPECT_NEAR(qz.leftSlope, hy.leftSlope, 1e-3);
            EXPECT_NEAR(qz.rightSlope, yh.rightSlope, 1e-3);
            EXPECT_EQ(qz.leftSlope, -qz.rightSlope);
            if (c.alpha > 0) {  // right: the left (outer) side up, the right widened
                EXPECT_GT(qz.leftSlope, 0);
                EXPECT_GT(qz.rightWidth, 3.75);
                EXPECT_EQ(qz.leftWidth, 3.75);
            } else {
                EXPECT_GT(qz.rightSlope, 0);
                EXPECT_GT(qz.leftWidth, 3.75);
                EXPECT_EQ(qz.rightWidth, 3.75);
            }
            // Normal crown again at ZH and HZ wherever there is a spiral.
            if (c.curve.Ls1 > 0) {
                EXPECT_NEAR(cs.SectionAt(c.points[0].station, law)->leftSlope, -2, 1e-3);
            }
            if (c.curve.Ls2 > 0) {
                EXPECT_NEAR(cs.SectionAt(c.points[4].station, law)->rightSlope, -2, 1e-3);
            }
        }
    }
}

}  // namespace
}  // namespace tarvelo
