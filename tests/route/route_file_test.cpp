#include <gtest/gtest.h>

#include <string>

#include "core/plan/route.h"
#include "core/files/route_file.h"
#include "core/files/text_table.h"

namespace tarvelo {
namespace {

TEST(RouteFile, SpreadsheetTableWithHeaderCommentsTabsAndEmptySpirals)
{
    const std::string text =
        "点名,X,Y,桩号,R,Ls1,Ls2\r\n"
        "# design 2026-03\r\n"
        "QD, 0, 0, 0\r\n"
        "\r\n"
        "JD1\t1000\t0\t\t200\t\t\r\n"
        "JD2,1000,1000,,200,30,\r\n"
        "JD3,2000,1000,K2+828.3185,200,,40\r\n"
        "ZD,2000,2000\r\n";
    const RouteFileParse p = ParseRouteFile(text);
    ASSERT_TRUE(p.errors.empty()) << p.errors[0].message;
    ASSERT_EQ(p.rows.size(), 5u);
    EXPECT_EQ(p.rows[0].name, "QD");
    EXPECT_EQ(p.rows[0].line, 3);
    EXPECT_EQ(*p.rows[0].station, 0);
    EXPECT_EQ(p.rows[1].line, 5);
    EXPECT_EQ(p.rows[1].R, 200);
    EXPECT_EQ(p.rows[1].Ls1, 0);
    EXPECT_FALSE(p.rows[1].station);
    EXPECT_EQ(p.rows[2].Ls1, 30);
    EXPECT_EQ(p.rows[2].Ls2, 0);
    EXPECT_EQ(*p.rows[3].station, 2828.3185);
    EXPECT_EQ(p.rows[3].Ls2, 40);
    EXPECT_EQ(p.rows[4].x, 2000);
    EXPECT_TRUE(Route::Build(p.rows).route);
}

TEST(RouteFile, EveryBadRowIsReportedWithItsLineAndNothingIsKept)
{
    const struct {
        const char* name;
        const char* text;
        int line;
        const char* says;
    } cases[] = {
        {"X not a number", "QD,0,0,0\nJD1,10o0,0,,200\nZD,1,1\n", 2, "X 不是数"},
        {"missing Y", "QD,0,0,0\nJD1,1000\nZD,1,1\n", 2, "Y 不是数"},
        {"missing R", "QD,0,0,0\nJD1,1000,0,,\nZD,1,1\n", 2, "半径R"},
        {"bad Ls2", "QD,0,0,0\nJD1,1000,0,,200,10,x\nZD,1,1\n", 2, "Ls2 不是数"},
        {"bad station", "QD,0,0,0\nJD1,1000,0,K1+2000,200\nZD,1,1\n", 2, "桩号不是数"},
        {"QD without station", "QD,0,0\nJD1,1000,0,,200\nZD,1,1\n", 1, "缺少桩号"},
        {"curve on ZD", "QD,0,0,0\nJD1,1000,0,,200\nZD,1,1,,300\n", 3, "终点ZD"},
        {"too many columns", "QD,0,0,0\nJD1,1000,0,,200,0,0,9\nZD,1,1\n", 2, "列数"},
        {"infinite number", "QD,0,0,0\nJD1,1e999,0,,200\nZD,1,1\n", 2, "X 不是数"},
        {"two rows", "QD,0,0,0\nZD,1,1\n", 0, "三行"},
        {"empty", "", 0, "三行"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RouteFileParse p = ParseRouteFile(c.text);
        EXPECT_TRUE(p.rows.empty());
        ASSERT_FALSE(p.errors.empty());
        EXPECT_EQ(p.errors[0].line, c.line);
        EXPECT_NE(p.errors[0].message.find(c.says), std::string::npos) << p.errors[0].message;
        if (c.line > 0) {
            EXPECT_EQ(p.errors[0].message.rfind("第 " + std::to_string(c.line) + " 行", 0), 0u);
        }
    }
    // Two bad rows: two messages.
    EXPECT_EQ(ParseRouteFile("QD,0,0,0\nJD1,a,0,,200\nJD2,b,0,,200\nZD,1,1\n").errors.size(), 2u);
}

TEST(RouteFile, WrittenRouteReadsBackToTheSameBits)
{
    std::vector<RoutePointInput> rows = {
        {"QD", 3378000.123456789, 455000.1, 5000.000000001},
        {"JD,1", 3378800.1 / 3, 455300, std::nullopt, 600.25, 120, 80},
        {"交点2", 3379300, 456200.987654321, 6123.4, 450, 0, 100},
        {"ZD", 3380700, 458700, std::nullopt},
    };
    const std::string text = FormatRouteFile(rows);
    EXPECT_EQ(text.rfind("点名,X,Y,桩号,R,Ls1,Ls2\r\n", 0), 0u);
    const RouteFileParse p = ParseRouteFile(text);
    ASSERT_TRUE(p.errors.empty()) << p.errors[0].message;
    ASSERT_EQ(p.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p.rows[i].x, rows[i].x);
        EXPECT_EQ(p.rows[i].y, rows[i].y);
        EXPECT_EQ(p.rows[i].station, rows[i].station);
        EXPECT_EQ(p.rows[i].R, rows[i].R);
        EXPECT_EQ(p.rows[i].Ls1, rows[i].Ls1);
        EXPECT_EQ(p.rows[i].Ls2, rows[i].Ls2);
    }
    EXPECT_EQ(p.rows[1].name, "JD 1");  // a comma would split the row
    EXPECT_EQ(p.rows[2].name, "交点2");
}

TEST(TextTable, LinesFieldsAndNumbers)
{
    const auto lines = SplitTableLines(" a , b\tc \n\n  # note\n\t\nx,,\r\nlast");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].line, 1);
    EXPECT_EQ(lines[0].fields, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(lines[1].line, 5);
    EXPECT_EQ(lines[1].fields, (std::vector<std::string>{"x", "", ""}));
    EXPECT_EQ(lines[2].fields, (std::vector<std::string>{"last"}));
    const struct {
        const char* text;
        bool ok;
        double v;
    } cases[] = {{"12.5", true, 12.5}, {"-0", true, -0.0}, {"1e3", true, 1000}, {"", false, 0},
                 {"12a", false, 0},    {"1e400", false, 0}, {"nan", false, 0},  {"inf", false, 0}};
    for (const auto& c : cases) {
        double v = 0;
        EXPECT_EQ(ReadFieldNumber(c.text, &v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.v) << c.text;
        }
    }
}

}  // namespace
}  // namespace tarvelo
