#include "core/files/design_table.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/numbers/station_text.h"
#include "core/files/text_table.h"

namespace tarvelo {
namespace {

// Every line that is not blank or a comment is the header, a row or an
// unreadable row, exactly once.
void ExpectEveryLineAccountedFor(const std::string& text, const DesignTable& t)
{
    std::vector<int> seen;
    if (t.headerLine) seen.push_back(t.headerLine);
    for (const DesignRow& r : t.rows) seen.push_back(r.line);
    for (const DesignUnreadableRow& u : t.unreadable) seen.push_back(u.line);
    std::sort(seen.begin(), seen.end());
    std::vector<int> lines;
    for (const TableLine& l : SplitTableLines(text)) lines.push_back(l.line);
    EXPECT_EQ(seen, lines);
}

TEST(DesignTable, ReadsHeaderCommentsBlanksTabsCrLfKNotationAndElevations)
{
    const std::string text =
        "点名,桩号,X(北),Y（东）,设计高程(m)\r\n"
        "# 某路设计逐桩坐标表\r\n"
        "\r\n"
        "ZH1, K3+444.600 ,3378226.731,512345.5,416.18\r\n"
        "P2\t3464.6\t3378246.7\t512346\t\r\n"
        "  # indented comment\n"
        ",K3+484.6,1,2,,,\n";
    const DesignTable t = ParseDesignTable(text);
    EXPECT_EQ(t.headerLine, 1);
    EXPECT_FALSE(t.zoneColumn);
    ASSERT_TRUE(t.unreadable.empty()) << t.unreadable.front().reason;
    ASSERT_EQ(t.rows.size(), 3u);
    const struct {
        int line;
        const char* name;
        double station, x, y;
        std::optional<double> h;
    } expected[] = {{4, "ZH1", 3444.6, 3378226.731, 512345.5, 416.18},
                    {5, "P2", 3464.6, 3378246.7, 512346, std::nullopt},
                    {7, "", 3484.6, 1, 2, std::nullopt}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.rows[i].line, expected[i].line);
        EXPECT_EQ(t.rows[i].name, expected[i].name);
        EXPECT_EQ(t.rows[i].station, expected[i].station);
        EXPECT_EQ(t.rows[i].x, expected[i].x);
        EXPECT_EQ(t.rows[i].y, expected[i].y);
        EXPECT_EQ(t.rows[i].elevation, expected[i].h);
        EXPECT_FALSE(t.rows[i].zone);
    }
    ExpectEveryLineAccountedFor(text, t);
}

TEST(DesignTable, HeaderNamesPlaceTheColumnsInAnyOrder)
{
    const struct {
        const char* text;
        std::optional<double> h;
        std::optional<int> zone;
        const char* name;
    } cases[] = {
        {"X,Y,桩号,点名,高程\n10,20,K1+000,A,5\n", 5, {}, "A"},
        {"Station,North,East,Name\n1000,10,20,A\n", {}, {}, "A"},
        {"x坐标,y坐标,里程桩号,备注,分区\n10,20,1000,注意,2\n", {}, 2, ""},
        {"N,E,chainage,Z,ZONE,point\n10,20,1000,5,,A\n", 5, {}, "A"},
        {"点号,里程,北坐标,东坐标,标高\nA,1000,10,20,5\n", 5, {}, "A"},
        // Names that do not place station, X and Y: the usual order, the
        // zone column skipped wherever it is.
        {"分区,名,桩,北X,东Y\n2,A,1000,10,20\n", {}, 2, "A"},
        {"编号,里程K,坐标X,坐标Y,H\nA,1000,10,20,5\n", 5, {}, "A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DesignTable t = ParseDesignTable(c.text);
        EXPECT_EQ(t.headerLine, 1);
        ASSERT_TRUE(t.unreadable.empty()) << t.unreadable.front().reason;
        ASSERT_EQ(t.rows.size(), 1u);
        EXPECT_EQ(t.rows[0].station, 1000);
        EXPECT_EQ(t.rows[0].x, 10);
        EXPECT_EQ(t.rows[0].y, 20);
        EXPECT_EQ(t.rows[0].elevation, c.h);
        EXPECT_EQ(t.rows[0].zone, c.zone);
        EXPECT_EQ(t.rows[0].name, c.name);
    }
}

TEST(DesignTable, TheFirstRowIsAHeaderOnlyWhenItNamesColumnsAndHoldsNoNumber)
{
    const struct {
        const char* text;
        int header;
        std::size_t rows, unreadable;
    } cases[] = {
        {"A,1000,10,20\n", 0, 1, 0},
        // Point names that are also column names do not make a header.
        {"E,1000,10,20\nN,1010,11,20\n", 0, 2, 0},
        {"X,1000,10,20\n", 0, 1, 0},
        // A named column does; words that name no column are data, refused.
        {"a,b,c,d\nA,1000,10,20\n", 0, 1, 1},
        {"点名,桩号\nA,1000,10,20\n", 1, 1, 0},
        {"逐桩坐标表\nA,1000,10,20\n", 0, 1, 1},
        // A garbled first stake is no header: its numbers say it is data.
        {"P1,abc,10,20\nA,1000,10,20\n", 0, 1, 1},
        {"P1,1000,10\nA,1000,10,20\n", 0, 1, 1},
        // Only the first row can be a header.
        {"A,1000,10,20\n点名,桩号,X,Y\n", 0, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const DesignTable t = ParseDesignTable(c.text);
        EXPECT_EQ(t.headerLine, c.header);
        EXPECT_EQ(t.rows.size(), c.rows);
        EXPECT_EQ(t.unreadable.size(), c.unreadable);
        ExpectEveryLineAccountedFor(c.text, t);
    }
}

TEST(DesignTable, BadRowsAreKeptWithTheirLineAndReasonAndTheRestIsRead)
{
    const std::string text =
        "点名,桩号,X,Y,高程,分区\n"
        "A,,10,20\n"
        "B,K1+0a0,10,20\n"
        "C,K1+1000,10,20\n"
        "D,1000,,20\n"
        "E,1000,10,2O\n"
        "F,1000,10,20,高\n"
        "G,1000,10,20,,1.5\n"
        "H,1000,10,20,,1e10\n"
        "I,1000,1e999,20\n"
        "J,1000,10,20,5,1\n"
        "K,1000\n";
    const DesignTable t = ParseDesignTable(text);
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0].line, 11);
    EXPECT_EQ(t.rows[0].zone, 1);
    EXPECT_EQ(t.rows[0].elevation, 5);
    const std::vector<std::pair<int, std::string>> expected = {
        {2, "第 2 行：缺少桩号。"},
        {3, "第 3 行：桩号“K1+0a0”既不是数，也不是 K3+444.600 这样的桩号。"},
        {4, "第 4 行：桩号“K1+1000”既不是数，也不是 K3+444.600 这样的桩号。"},
        {5, "第 5 行：缺少 X 坐标。"},
        {6, "第 6 行：Y 坐标“2O”不是数。"},
        {7, "第 7 行：高程“高”不是数。"},
        {8, "第 8 行：分区“1.5”不是整数。"},
        {9, "第 9 行：分区“1e10”不是整数。"},
        {10, "第 10 行：X 坐标“1e999”不是数。"},
        {12, "第 12 行：缺少 X 坐标。"},
    };
    ASSERT_EQ(t.unreadable.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(t.unreadable[i].line, expected[i].first);
        EXPECT_EQ(t.unreadable[i].reason, expected[i].second);
        EXPECT_EQ(t.unreadable[i].name, std::string(1, char('A' + i + (i >= 9 ? 1 : 0))));
    }
    EXPECT_EQ(t.unreadable[1].text, "B,K1+0a0,10,20");
    ExpectEveryLineAccountedFor(text, t);
}

TEST(DesignTable, ExtraFieldsWithoutANamingHeader)
{
    const DesignTable t = ParseDesignTable("A,1000,10,20,5,,\nB,1000,10,20,5,6\n");
    ASSERT_EQ(t.rows.size(), 1u);
    ASSERT_EQ(t.unreadable.size(), 1u);
    EXPECT_EQ(t.unreadable[0].reason, "第 2 行：多出了第 6 栏“6”，每行只有点名、桩号、X、Y 和高程五栏。");
    // With a header that names the columns, others are remarks.
    const DesignTable named = ParseDesignTable("点名,桩号,X,Y,备注,说明\nA,1000,10,20,弯道,6\n");
    EXPECT_EQ(named.rows.size(), 1u);
    EXPECT_TRUE(named.unreadable.empty());
}

TEST(DesignTable, ZoneValues)
{
    const struct {
        const char* zone;
        bool ok;
        int value;
    } cases[] = {
        {"1", true, 1},          {"2.0", true, 2},     {"-3", true, -3},      {"0", true, 0},
        {"999999999", true, 999999999}, {"-999999999", true, -999999999}, {"1000000000", false, 0},
        {"1.5", false, 0},       {"二", false, 0},     {"nan", false, 0},     {"1e999", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        const DesignTable t = ParseDesignTable(std::string("点名,桩号,X,Y,zone\nA,1000,10,20,") + c.zone + "\n");
        EXPECT_TRUE(t.zoneColumn);
        ASSERT_EQ(t.rows.size(), c.ok ? 1u : 0u);
        if (c.ok) {
            EXPECT_EQ(*t.rows[0].zone, c.value);
        }
    }
}

TEST(DesignTable, LongUnreadableLinesAreCutAtACharacterBoundary)
{
    std::string line = "坏";  // 3 bytes: 200 bytes end inside the 67th character
    for (int i = 0; i < 100; ++i) line += "坏";
    const DesignTable t = ParseDesignTable("A,1000,10,20\n" + line + "\n");
    ASSERT_EQ(t.unreadable.size(), 1u);
    EXPECT_EQ(t.unreadable[0].text, line.substr(0, 198) + "…");
    EXPECT_EQ(t.unreadable[0].line, 2);
}

TEST(DesignTable, EmptyTexts)
{
    for (const char* text : {"", "\n\n", "# only a comment\r\n", "点名,桩号,X,Y\n"}) {
        const DesignTable t = ParseDesignTable(text);
        EXPECT_TRUE(t.rows.empty());
        EXPECT_TRUE(t.unreadable.empty());
    }
}

TEST(StationField, SharedByTheTableReaders)
{
    double v = -1;
    EXPECT_TRUE(ReadStationField("K3+444.600", &v));
    EXPECT_EQ(v, 3444.6);
    EXPECT_TRUE(ReadStationField("3444.6", &v));
    EXPECT_EQ(v, 3444.6);
    EXPECT_FALSE(ReadStationField("K3+1000", &v));
    EXPECT_FALSE(ReadStationField("K-3+100", &v));
    EXPECT_FALSE(ReadStationField("", &v));
}

}  // namespace
}  // namespace tarvelo
