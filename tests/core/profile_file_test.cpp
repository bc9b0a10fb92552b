#include "core/files/profile_file.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TEST(ProfileFile, ReadsHeaderCommentsBlanksTabsCrLfAndKNotation)
{
    const std::string text =
        "\xEF\xBB\xBF"  // a mark the file layer would drop: here it spoils the header only
        "桩号,高程,R\r\n"
        "# 某路纵断面\r\n"
        "\r\n"
        "K4+800, 416.18 ,\r\n"
        "5030\t427.68\t2000\r\n"
        "  # indented comment\n"
        "5+300.000,416.88,,,\n";
    const ProfileFileContent read = ParseProfileFile(text);
    ASSERT_TRUE(read.ok()) << read.errors.front().message;
    ASSERT_EQ(read.points.size(), 3u);
    const struct {
        double station, elevation;
        std::optional<double> R;
        int line;
    } expected[] = {{4800, 416.18, {}, 4}, {5030, 427.68, 2000, 5}, {5300, 416.88, {}, 7}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read.points[i].station, expected[i].station);
        EXPECT_EQ(read.points[i].elevation, expected[i].elevation);
        EXPECT_EQ(read.points[i].R, expected[i].R);
        EXPECT_EQ(read.points[i].line, expected[i].line);
    }
    // Read then built: the worked example's elevation at K5+000.
    const Profile::Built built = Profile::Build(read.points);
    ASSERT_TRUE(built.profile);
    EXPECT_NEAR(*built.profile->ElevationAt(5000), 425.28, 1e-9);
}

TEST(ProfileFile, TheFirstRowIsAHeaderOnlyWhenItHoldsHeaderWords)
{
    const struct {
        const char* text;
        std::size_t points;
        int firstLine;
    } cases[] = {
        {"0,10\n100,11\n", 2, 1},
        {"station,elevation,R\n0,10\n100,11\n", 2, 2},
        {"里程,设计高程,R\n0,10\n100,11\n", 2, 2},
        {"K0+000,10\n100,11\n", 2, 1},
        {"变坡点桩号,高程（m）,竖曲线半径\n0,10\n100,11\n", 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ProfileFileContent read = ParseProfileFile(c.text);
        ASSERT_TRUE(read.ok()) << read.errors.front().message;
        ASSERT_EQ(read.points.size(), c.points);
        EXPECT_EQ(read.points.front().line, c.firstLine);
    }
}

TEST(ProfileFile, StationFields)
{
    const struct {
        const char* field;
        bool ok;
        double value;
    } cases[] = {
        {"5030.5", true, 5030.5},
        {"-0", true, 0},
        {"1e3", true, 1000},
        {"K5+030.5", true, 5030.5},
        {"k0+000", true, 0},
        {"5+030", true, 5030},
        {"K12+345.678", true, 12345.678},
        {"K0+999.999", true, 999.999},
        {"K5+1000", false, 0},
        {"K+030", false, 0},
        {"K5+", false, 0},
        {"K5+-3", false, 0},
        {"K5++3", false, 0},
        {"K5+03e1", false, 0},
        {"K5+030.", false, 0},
        {"K-5+030", false, 0},
        {"K5.5+030", false, 0},
        {"K", false, 0},
        {"", false, 0},
        {"nan", false, 0},
        {"inf", false, 0},
        {"1e999", false, 0},
        {"K9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "9999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "99999999+000",
         false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        double v = -1;
        EXPECT_EQ(ReadStationField(c.field, &v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

TEST(ProfileFile, EveryFaultyRowGetsItsLineAndReasonAndNoPointsAreKept)
{
    const struct {
        const char* name;
        const char* text;
        std::vector<ProfileIssue> errors;
    } cases[] = {
        {"station not a number",
         "station,elevation,R\n0,10\nabc,11,100\n200,12\n",
         {{3, "第 3 行：桩号“abc”既不是数，也不是 K5+030.5 这样的桩号。"}}},
        {"missing station", "0,10\n,11,100\n200,12\n", {{2, "第 2 行：缺少桩号。"}}},
        {"missing elevation", "0,10\n100,,100\n200,12\n", {{2, "第 2 行：缺少高程。"}}},
        {"elevation not a number", "0,10\n100,1O.5,100\n200,12\n", {{2, "第 2 行：高程“1O.5”不是数。"}}},
        {"elevation infinite", "0,10\n100,1e999,100\n200,12\n", {{2, "第 2 行：高程“1e999”不是数。"}}},
        {"R not a number", "0,10\n100,11,R100\n200,12\n", {{2, "第 2 行：竖曲线半径R“R100”不是数。"}}},
        {"one field", "0,10\n100\n200,12\n",
         {{2, "第 2 行：只有一栏“100”，每行应有桩号、高程和竖曲线半径R三栏（起终点的R空着）。"}}},
        {"extra field", "0,10\n100,11,100,,备注\n200,12\n",
         {{2, "第 2 行：多出了第 5 栏“备注”，每行只有桩号、高程和竖曲线半径R三栏。"}}},
        {"every bad row",
         "0,10\r\n# note\r\nx1,11,100\r\n150,y,100\r\n200,12,z\r\n300,13\r\n",
         {{3, "第 3 行：桩号“x1”既不是数，也不是 K5+030.5 这样的桩号。"},
          {4, "第 4 行：高程“y”不是数。"},
          {5, "第 5 行：竖曲线半径R“z”不是数。"}}},
        {"R on both ends and a missing and a bad middle R",
         "0,10,5\n100,11\n150,11,0\n200,12,-3\n300,13,7\n",
         {{1, "第 1 行：纵断面的起点不设竖曲线，半径R一栏应当空着。"},
          {2, "第 2 行：变坡点缺少竖曲线半径R。"},
          {3, "第 3 行：竖曲线半径R为 0，应当大于零。"},
          {4, "第 4 行：竖曲线半径R为 -3，应当大于零。"},
          {5, "第 5 行：纵断面的终点不设竖曲线，半径R一栏应当空着。"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProfileFileContent read = ParseProfileFile(c.text);
        EXPECT_FALSE(read.ok());
        EXPECT_TRUE(read.points.empty());
        ASSERT_EQ(read.errors.size(), c.errors.size());
        for (std::size_t i = 0; i < c.errors.size(); ++i) {
            EXPECT_EQ(read.errors[i].line, c.errors[i].line);
            EXPECT_EQ(read.errors[i].message, c.errors[i].message);
        }
    }
}

TEST(ProfileFile, OrderAndFitAreLeftToTheProfile)
{
    // The reader takes rows as they stand; building names the fault.
    const struct {
        const char* text;
        std::size_t points;
        std::string buildError;
    } cases[] = {
        {"", 0, "纵断面至少要有起点和终点两个变坡点，现在只有 0 个。"},
        {"桩号,高程,R\n# only a header\n", 0, "纵断面至少要有起点和终点两个变坡点，现在只有 0 个。"},
        {"0,10\n", 1, "纵断面至少要有起点和终点两个变坡点，现在只有 1 个。"},
        {"0,10\n200,11,100\n100,12\n", 3,
         "第 3 行：桩号 100 不大于上一个变坡点的桩号 200，变坡点的桩号必须逐个增大。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ProfileFileContent read = ParseProfileFile(c.text);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.points.size(), c.points);
        const Profile::Built built = Profile::Build(read.points);
        ASSERT_TRUE(built.error);
        EXPECT_EQ(built.error->message, c.buildError);
    }
}

TEST(ProfileFile, FormatWritesHeaderRowsAndCrLfAndReadsBackBitForBit)
{
    // The exact text of a small profile: stations in metres, R only between the ends.
    const std::vector<GradePointInput> small = {
        {4800, 416.18, {}, 0}, {5030, 427.68, 2000, 0}, {5300, 416.88, {}, 0}};
    EXPECT_EQ(FormatProfileFile(small),
              "桩号,高程,R\r\n4800,416.18,\r\n5030,427.68,2000\r\n5300,416.88,\r\n");
    EXPECT_EQ(FormatProfileFile({}), "桩号,高程,R\r\n");

    // Values whose shortest decimal form is long, tiny, huge or signed zero
    // must come back as the same doubles, not merely close ones.
    const std::vector<GradePointInput> awkward = {
        {-0.0, 0.1 + 0.2, {}, 0},
        {1.0 / 3.0, -0.0, 1e-300, 0},
        {5030.000000000001, 427.68000000000006, 1e300, 0},
        {123456789.12345679, -1234.5678901234567, 2000.0000000000002, 0},
        {999999999.99999988, 2.2250738585072014e-308, {}, 0}};
    const ProfileFileContent back = ParseProfileFile(FormatProfileFile(awkward));
    ASSERT_TRUE(back.ok()) << back.errors.front().message;
    ASSERT_EQ(back.points.size(), awkward.size());
    for (std::size_t i = 0; i < awkward.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back.points[i].station, awkward[i].station);
        EXPECT_EQ(std::signbit(back.points[i].station), std::signbit(awkward[i].station));
        EXPECT_EQ(back.points[i].elevation, awkward[i].elevation);
        EXPECT_EQ(std::signbit(back.points[i].elevation), std::signbit(awkward[i].elevation));
        EXPECT_EQ(back.points[i].R, awkward[i].R);
        EXPECT_EQ(back.points[i].line, static_cast<int>(i) + 2);  // after the header
    }

    // A file in K notation, with comments, read, written and read again
    // gives the same points.
    const ProfileFileContent first =
        ParseProfileFile("# 注释\nK10+000,352.4,\nK10+620.5,369.76,12000\nK11+540,352.28,\n");
    ASSERT_TRUE(first.ok());
    const ProfileFileContent second = ParseProfileFile(FormatProfileFile(first.points));
    ASSERT_TRUE(second.ok());
    ASSERT_EQ(second.points.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(second.points[i].station, first.points[i].station);
        EXPECT_EQ(second.points[i].elevation, first.points[i].elevation);
        EXPECT_EQ(second.points[i].R, first.points[i].R);
    }
    EXPECT_EQ(second.points[1].station, 10620.5);
}

}  // namespace
}  // namespace tarvelo
