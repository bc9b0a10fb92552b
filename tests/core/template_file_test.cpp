// The roadbed template file: header words, K notation, both languages, every
// refused line with its cell, the example file and the write-then-read round
// trip.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/files/template_file.h"

namespace tarvelo {
namespace {

TEST(TemplateFile, ReadsChineseAndEnglishHeadersKNotationAndEmptyCells)
{
    const std::string zh =
        "起始桩号,侧,部位,参数1,参数2,参数3,参数4\r\n"
        "# shoulders\r\n"
        "K1+200.5,两侧,路肩,0.75,-4,,\r\n"
        "K1+200.5,左,填方,1.5,8,2,-2\r\n"
        "K1+200.5,左,填方,1.75,,,\r\n";
    const std::string en =
        "station\tside\tpart\tp1\tp2\tp3\tp4\n"
        "1200.5\tLR\tSHOULDER\t0.75\t-4\n"
        "1200.5\tl\tfill\t1.5\t8\t2\t-2\n"
        "1200.5\tL\tFill\t1.75\n";
    for (const std::string& text : {zh, en}) {
        const TemplateFileContent read = ParseTemplateFile(text);
        ASSERT_TRUE(read.ok()) << read.errors.front().message;
        EXPECT_EQ(read.headerLine, 1);
        ASSERT_EQ(read.rows.size(), 3u);
        EXPECT_EQ(read.rows[0].station, 1200.5);
        EXPECT_EQ(read.rows[0].sides, TemplateSides::Both);
        EXPECT_EQ(read.rows[1].sides, TemplateSides::Left);
        EXPECT_EQ(read.rows[1].part, TemplatePart::Fill);
        EXPECT_EQ(read.rows[1].p[3], -2);
        EXPECT_FALSE(read.rows[2].p[1]);
        EXPECT_EQ(DescribeTemplateFile(read), "读入 3 行路基模板，左侧 1 个、右侧 1 个起始桩号（第 1 行为表头）");
    }
}

// The one header rule: a first row without header words is data, and a bad
// one is refused, never skipped as a header.
TEST(TemplateFile, FirstRowWithoutHeaderWordsIsData)
{
    const TemplateFileContent ok = ParseTemplateFile("0,R,fill,1.5\n");
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.headerLine, 0);
    EXPECT_EQ(ok.rows.size(), 1u);
    const TemplateFileContent bad = ParseTemplateFile("桩号X,侧别,什么\n0,R,fill,1.5\n");
    ASSERT_EQ(bad.errors.size(), 1u);
    EXPECT_EQ(bad.errors[0].message, "第 1 行“起始桩号”：“桩号X”既不是数，也不是 K5+030.5 这样的桩号。");
}

TEST(TemplateFile, EachRefusedLineNamesItsCell)
{
    const std::string text =
        "起始桩号,侧,部位,参数1,参数2,参数3,参数4\n"
        "K0+000,中,路肩,1,-2\n"           // 2: unknown side
        "K0+000,左,护坡,1,-2\n"           // 3: unknown part
        "K0+000,左,路肩,-0.5,-2\n"        // 4: negative width
        "K0+000,左,路肩,0.5,-25\n"        // 5: slope beyond 20 %
        "K0+000,左,填方,1.5,八\n"         // 6: not a number
        "K0+000,左,填方,1.5,8,2,-2,9\n"   // 7: an eighth cell
        "K0+000,左\n"                     // 8: too few cells
        "K0+,左,填方,1.5\n";              // 9: not a station
    const TemplateFileContent read = ParseTemplateFile(text);
    EXPECT_TRUE(read.rows.empty());
    const std::vector<std::string> want = {
        "第 2 行“侧”：“中”不是侧别，应为 左、右、两侧（或 L、R、LR）。",
        "第 3 行“部位”：“护坡”不是部位，应为 路肩、边沟、挖方、填方（或 shoulder、ditch、cut、fill）。",
        "第 4 行“参数1”：宽度不能为负：-0.5。",
        "第 5 行“参数2”：横坡 -25% 超出 ±20%。",
        "第 6 行“参数2”：“八”不是数。",
        "第 7 行：多出了第 8 栏“9”，每行只有起始桩号、侧、部位和四个参数。",
        "第 8 行：只有 2 栏，每行应有起始桩号、侧、部位和参数。",
        "第 9 行“起始桩号”：“K0+”既不是数，也不是 K5+030.5 这样的桩号。",
    };
    ASSERT_EQ(read.errors.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(read.errors[i].message, want[i]);
        EXPECT_EQ(read.errors[i].line, int(i) + 2);
    }
}

// Rows that read one by one but not together: the level and ditch rules.
TEST(TemplateFile, RowsRefusedTogether)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"0,右,填方,1.5,8\n", "第 1 行“参数2”：最后一级填方边坡一直延伸到地面，不给高度。"},
        {"0,右,挖方,1,3\n0,右,挖方,1,,2,2\n", "第 2 行“参数3”：最后一级挖方边坡之后不能有平台。"},
        {"0,两侧,边沟,1,1,1,1\n0,左,挖方,1\n",
         "第 1 行“部位”：右侧没有挖方边坡：边沟设在挖方坡脚，填方一侧不设边沟。"},
        {"# only comments\n", "路基模板文件中没有任何行。"},
    };
    for (const auto& c : cases) {
        const TemplateFileContent read = ParseTemplateFile(c.text);
        ASSERT_EQ(read.errors.size(), 1u) << c.text;
        EXPECT_EQ(read.errors[0].message, c.message);
        EXPECT_TRUE(read.rows.empty());
    }
}

TEST(TemplateFile, ExampleReadsAndWritesBack)
{
    std::ifstream in(TARVELO_SOURCE_DIR "/examples/template-example.csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const TemplateFileContent read = ParseTemplateFile(text.str());
    ASSERT_TRUE(read.ok()) << read.errors.front().message;
    EXPECT_EQ(read.rows.size(), 14u);
    const RoadbedTemplate t = *RoadbedTemplate::Build(read.rows).roadbed;
    EXPECT_EQ(t.sides(RoadSide::Left).size(), 1u);
    EXPECT_EQ(t.sides(RoadSide::Right).size(), 2u);
    const SideTemplate& rock = t.At(13500, RoadSide::Right)->side;
    EXPECT_EQ(rock.cut.front().ratio, 0.3);
    EXPECT_EQ(rock.ditch->innerRatio, 0);

    const TemplateFileContent again = ParseTemplateFile(FormatTemplateFile(read.rows));
    ASSERT_TRUE(again.ok());
    ASSERT_EQ(again.rows.size(), read.rows.size());
    for (std::size_t i = 0; i < read.rows.size(); ++i) {
        EXPECT_EQ(again.rows[i].station, read.rows[i].station);
        EXPECT_EQ(again.rows[i].sides, read.rows[i].sides);
        EXPECT_EQ(again.rows[i].part, read.rows[i].part);
        EXPECT_EQ(again.rows[i].p, read.rows[i].p);
    }
}

}  // namespace
}  // namespace tarvelo
