// The one reader of surveyed-point files: CSV name,X,Y[,H] with or without a
// header and CASS .dat, told apart by content.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/files/point_file.h"

namespace tarvelo {
namespace {

TEST(PointFile, EveryFormReadsItsColumnsInPlace)
{
    // Metres; every value is typed in the text, so the comparison is exact.
    const struct {
        const char* what;
        std::string text;
        PointFileForm form;
        std::size_t count;
        std::string name;  // of the last point
        double x, y;
        std::optional<double> z;
        int headerLine;
    } cases[] = {
        {"X,Y", "3378000.5,455000.25\n3378010,455010\n", PointFileForm::Xy, 2, "2", 3378010, 455010, {}, 0},
        {"name,X,Y", "P1,10,20\nP2,11.5,21.25\n", PointFileForm::NameXy, 2, "P2", 11.5, 21.25, {}, 0},
        {"name,X,Y,H", "P1,10,20,5.5\n", PointFileForm::NameXyh, 1, "P1", 10, 20, 5.5, 0},
        {"name,X,Y, empty H", "P1,10,20,\n", PointFileForm::NameXyh, 1, "P1", 10, 20, {}, 0},
        {"numeric names", "1,10,20\n2,11,21\n", PointFileForm::NameXy, 2, "2", 11, 21, {}, 0},
        // CASS: name, code, Y (east), X (north), H, as a rover writes it.
        {"CASS", "K0+020.000,,455020.1234,3378020.5678,352.100\r\n", PointFileForm::Cass, 1, "K0+020.000",
         3378020.5678, 455020.1234, 352.1, 0},
        {"CASS one line, no H", "QD-K0+000.000,,455000.0000,3378000.0000,\r\n", PointFileForm::Cass, 1,
         "QD-K0+000.000", 3378000, 455000, {}, 0},
        {"header 点名,X,Y,H", "点名,X,Y,H\nP1,10,20,5\n", PointFileForm::Header, 1, "P1", 10, 20, 5, 1},
        {"header X,Y,H", "X,Y,H\n10,20,5\n", PointFileForm::Header, 1, "2", 10, 20, 5, 1},
        {"header by names, east first", "# rover\nname,E,N,Z\nA,20,10,3\n", PointFileForm::Header, 1, "A", 10, 20, 3, 2},
        {"header with units", "点号,X(北),Y（东）,高程(m)\nA,10,20,3\n", PointFileForm::Header, 1, "A", 10, 20, 3, 1},
        {"CASS header", "点名,编码,Y,X,H\nA,,20,10,3\n", PointFileForm::Header, 1, "A", 10, 20, 3, 1},
        {"trailing commas", "P1,10,20,5,,\nP2,11,21,6\n", PointFileForm::NameXyh, 2, "P2", 11, 21, 6, 0},
    };
    for (const auto& c : cases) {
        const PointFileContent read = ParsePointFile(c.text);
        ASSERT_TRUE(read.ok()) << c.what << ": " << (read.errors.empty() ? "" : read.errors.front());
        EXPECT_EQ(read.form, c.form) << c.what;
        EXPECT_EQ(read.headerLine, c.headerLine) << c.what;
        ASSERT_EQ(read.points.size(), c.count) << c.what;
        const SurveyPoint& p = read.points.back();
        EXPECT_EQ(p.name, c.name) << c.what;
        EXPECT_EQ(p.x, c.x) << c.what;
        EXPECT_EQ(p.y, c.y) << c.what;
        EXPECT_EQ(p.z, c.z) << c.what;
    }
}

TEST(PointFile, WhatCannotBeReadIsRefusedWithItsLineAndNothingIsKept)
{
    const struct {
        const char* what;
        std::string text;
        std::string error;  // the first error, whole or its start
    } cases[] = {
        {"empty", "", "点文件中没有点。"},
        {"comments only", "# nothing\n\n", "点文件中没有点。"},
        {"header only", "点名,X,Y,H\n", "点文件只有表头，没有点。"},
        {"one column", "P1\n", "第 1 行：应为 X,Y、点名,X,Y、点名,X,Y,H 或 CASS 的 点名,编码,Y,X,H，这一行有 1 列。"},
        {"six columns", "P1,,1,2,3,4\n", "第 1 行：应为 X,Y、点名,X,Y、点名,X,Y,H 或 CASS"},
        {"letter O in X", "P1,1O,20\nP2,11,21\n", "第 1 行：X 不是数：“1O”。"},
        {"semicolons", "P1;10;20\nP2,11,21\n", "第 1 行："},
        {"a row with another width", "P1,10,20\nP2,11,21,5\n", "第 2 行：列数与文件的格式不符"},
        {"bad H", "P1,10,20,abc\n", "第 1 行：高程不是数：“abc”。"},
        {"empty name", ",10,20\n", "第 1 行：点名为空。"},
        {"header without Y", "点名,X,H\nA,1,2\n", "第 1 行：表头须有 X（北）与 Y（东）两列。"},
        {"CASS, X missing", "A,,20,,3\n", "第 1 行：X 不是数：“”。"},
    };
    for (const auto& c : cases) {
        const PointFileContent read = ParsePointFile(c.text);
        ASSERT_FALSE(read.ok()) << c.what;
        EXPECT_TRUE(read.points.empty()) << c.what;
        EXPECT_EQ(read.errors.front().substr(0, c.error.size()), c.error) << c.what << ": " << read.errors.front();
    }
}

TEST(PointFile, DescriptionSaysHowManyPointsAndWhichColumns)
{
    EXPECT_EQ(DescribePointFile(ParsePointFile("P1,10,20,5\nP2,11,21,6\nP3,12,22,7\n")),
              "读入 3 个点（点名,X,Y,H）");
    EXPECT_EQ(DescribePointFile(ParsePointFile("A,,20,10,3\n")), "读入 1 个点（CASS 格式：点名,编码,Y,X,H）");
    EXPECT_EQ(DescribePointFile(ParsePointFile("点名,X,Y\nA,1,2\n")), "读入 1 个点（按表头的列名，第 1 行为表头）");
}

}  // namespace
}  // namespace tarvelo
