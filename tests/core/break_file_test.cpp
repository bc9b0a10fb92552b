#include "core/files/break_file.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/numbers/float_fault.h"
#include "core/numbers/station_text.h"

namespace tarvelo {
namespace {

TEST(BreakFile, ReadsHeaderCommentsBlanksTabsCrLfKNotationAndNames)
{
    const std::string text =
        "断前桩号,断后桩号,名称\r\n"
        "# 某路断链表\r\n"
        "\r\n"
        "K3+444.600, K3+660.000 ,短链一\r\n"
        "4000\t3900\n"
        "  # indented comment\n"
        "5+100.5,5150,,,\n";
    const BreakFileContent read = ParseBreakFile(text);
    ASSERT_TRUE(read.ok()) << read.errors.front().message;
    ASSERT_EQ(read.rows.size(), 3u);
    const struct {
        double back, ahead;
        const char* name;
        int line;
    } expected[] = {{3444.6, 3660, "短链一", 4}, {4000, 3900, "", 5}, {5100.5, 5150, "", 7}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read.rows[i].back, expected[i].back);
        EXPECT_EQ(read.rows[i].ahead, expected[i].ahead);
        EXPECT_EQ(read.rows[i].name, expected[i].name);
        EXPECT_EQ(read.rows[i].line, expected[i].line);
    }
    // Read then built over a route: the rows are the chainage's breaks.
    const Chainage::Built built = Chainage::Build(3000, 3000, read.rows);
    ASSERT_TRUE(built.chainage) << built.error->message;
    EXPECT_EQ(built.chainage->breaks()[0].name, "短链一");
    EXPECT_NEAR(built.chainage->breaks()[1].distance, 784.6, 1e-9);
}

TEST(BreakFile, TheFirstRowIsAHeaderOnlyWhenItHoldsHeaderWords)
{
    const struct {
        const char* text;
        std::size_t rows;
        int firstLine;
    } cases[] = {
        {"100,150\n300,250\n", 2, 1},
        {"back,ahead\n100,150\n", 1, 2},
        {"K0+100,K0+150\n", 1, 1},
        {"断前,断后\n100,150\n", 1, 2},
        {"", 0, 0},
        {"断前桩号,断后桩号,名称\r\n", 0, 0},
        {"# only a comment\n\n", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const BreakFileContent read = ParseBreakFile(c.text);
        ASSERT_TRUE(read.ok()) << read.errors.front().message;
        ASSERT_EQ(read.rows.size(), c.rows);
        if (c.rows) {
            EXPECT_EQ(read.rows.front().line, c.firstLine);
        }
    }
}

TEST(BreakFile, EveryBadRowGetsItsMessageAndNothingIsRead)
{
    const struct {
        const char* text;
        std::vector<std::string> messages;
    } cases[] = {
        {"100,150\n300\n",
         {"第 2 行：缺少断后桩号，每行应有断前桩号和断后桩号两栏（名称可有可无）。"}},
        {"100,150\n,250\n",
         {"第 2 行：缺少断前桩号，每行应有断前桩号和断后桩号两栏（名称可有可无）。"}},
        {"100,150\nK3+44x,3660\n",
         {"第 2 行：断前桩号“K3+44x”既不是数，也不是 K3+444.600 这样的桩号。"}},
        {"100,K0+1500\n",
         {"第 1 行：断后桩号“K0+1500”既不是数，也不是 K3+444.600 这样的桩号。"}},
        {"100,1e999\n", {"第 1 行：断后桩号“1e999”既不是数，也不是 K3+444.600 这样的桩号。"}},
        {"100,150,name,x\n",
         {"第 1 行：多出了第 4 栏“x”，每行只有断前桩号、断后桩号和名称三栏。"}},
        {"back,ahead\n100,abc\n200\n300,350\n400,450,,,extra\n",
         {"第 2 行：断后桩号“abc”既不是数，也不是 K3+444.600 这样的桩号。",
          "第 3 行：缺少断后桩号，每行应有断前桩号和断后桩号两栏（名称可有可无）。",
          "第 5 行：多出了第 5 栏“extra”，每行只有断前桩号、断后桩号和名称三栏。"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const BreakFileContent read = ParseBreakFile(c.text);
        EXPECT_TRUE(read.rows.empty());
        ASSERT_EQ(read.errors.size(), c.messages.size());
        for (std::size_t i = 0; i < c.messages.size(); ++i) EXPECT_EQ(read.errors[i].message, c.messages[i]);
    }
}

TEST(BreakFile, FormatsHeaderCommasCrLfAndNameLast)
{
    const std::vector<BreakInput> rows = {{"短链一", 3444.6, 3660, 0}, {"", 4000, 3900, 0}};
    EXPECT_EQ(FormatBreakFile(rows), "断前桩号,断后桩号,名称\r\n3444.6,3660,短链一\r\n4000,3900\r\n");
    EXPECT_EQ(FormatBreakFile({}), "断前桩号,断后桩号,名称\r\n");
}

TEST(BreakFile, WrittenAndReadBackGivesTheSameStations)
{
    const std::vector<BreakInput> rows = {
        {"a,b\tc", 0.1 + 0.2, 1.0 / 3, 0},
        {"", -512.3, 1e-300, 0},
        {"长链", 123456789.123456789, 123456789.0, 0},
        {" x ", 5e15 + 1, 2.5e-7, 0},
    };
    const BreakFileContent read = ParseBreakFile(FormatBreakFile(rows));
    ASSERT_TRUE(read.ok()) << read.errors.front().message;
    ASSERT_EQ(read.rows.size(), rows.size());
    const char* names[] = {"a b c", "", "长链", "x"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(read.rows[i].back, rows[i].back) << i;
        EXPECT_EQ(read.rows[i].ahead, rows[i].ahead) << i;
        EXPECT_EQ(read.rows[i].name, names[i]) << i;
        EXPECT_EQ(read.rows[i].line, static_cast<int>(i) + 2);
    }
}

TEST(BreakFile, BreakTextInKNotation)
{
    EXPECT_EQ(FormatBreakText(3444.6, 3660), "K3+444.600=K3+660.000");
    EXPECT_EQ(FormatBreakText(4000, 3900), "K4+000.000=K3+900.000");
    EXPECT_EQ(FormatBreakText(12.34567, 20, 2), "K0+012.35=K0+020.00");
    EXPECT_THROW(FormatBreakText(NAN, 1), FloatFault);
    EXPECT_THROW(FormatBreakText(1, INFINITY), FloatFault);
}

TEST(BreakFile, OneRowReadNamesTheFieldAtFault)
{
    using F = std::vector<std::string>;
    const struct {
        F fields;
        int column;
        const char* says;
    } cases[] = {
        {{}, 0, "缺少断前桩号"},
        {{"", "K1+000"}, 0, "缺少断前桩号"},
        {{"K1+000"}, 1, "缺少断后桩号"},
        {{"K1+0x0", "1000"}, 0, "断前桩号“K1+0x0”既不是数"},
        {{"1000", "abc", "name"}, 1, "断后桩号“abc”既不是数"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const BreakRowRead read = ReadBreakFields(c.fields);
        EXPECT_FALSE(read.row);
        EXPECT_EQ(read.column, c.column);
        EXPECT_EQ(read.message.rfind(c.says, 0), 0u) << read.message;
    }
    const BreakRowRead good = ReadBreakFields({"K11+200.000", "11260", "短链1", "ignored"});
    ASSERT_TRUE(good.row) << good.message;
    EXPECT_EQ(good.column, -1);
    EXPECT_EQ(good.row->back, 11200);
    EXPECT_EQ(good.row->ahead, 11260);
    EXPECT_EQ(good.row->name, "短链1");
    EXPECT_EQ(good.row->line, 0);
}

}  // namespace
}  // namespace tarvelo
