// The element route file: the spellings a surveyor types, every refusal with
// its line and reason, and the written file read back to the same rows.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "core/numbers/angles.h"
#include "core/files/element_file.h"

namespace tarvelo {
namespace {

TEST(ElementFile, SpellingsOfARampAreRead)
{
    const std::string text =
        "名称,桩号,X,Y,方位角,长度,起点半径,终点半径,转向\r\n"
        "# ramp A, 2026-05\r\n"
        "L1, K3+444.600, 3378000.5, 455000.25, 152.094168, 120.5\r\n"
        "\r\n"
        "S1\t\t\t\t\t80\tinf\t300\t左\r\n"
        "EGG,3645.1,,,,60.25,300,150,l\r\n"
        "C1,,,,,45,150,150,L\r\n"
        "S2,,3378100,455100,90.3,70,150,∞,-1\r\n"
        ",,,,,30,INF,,\r\n"
        "C2,,,,,10,500,500,右\r\n"
        "C3,,,,,10,500,500,r\r\n"
        "C4,,,,,10,500,500,1,,\r\n"
        "L9,,,,,10,,,左\r\n";
    const ElementFileParse p = ParseElementFile(text);
    ASSERT_TRUE(p.errors.empty()) << p.errors[0].message;
    ASSERT_EQ(p.rows.size(), 10u);
    const ElementInput& l1 = p.rows[0];
    EXPECT_EQ(l1.name, "L1");
    EXPECT_EQ(l1.line, 3);
    EXPECT_EQ(*l1.station, 3444.6);
    EXPECT_EQ(*l1.x, 3378000.5);
    EXPECT_EQ(*l1.y, 455000.25);
    // 152°09'41.68" = 152 + 9/60 + 41.68/3600.
    EXPECT_NEAR(*l1.azimuth, 152 + 9.0 / 60 + 41.68 / 3600, 1e-12);
    EXPECT_EQ(l1.length, 120.5);
    EXPECT_TRUE(std::isinf(l1.startRadius) && std::isinf(l1.endRadius));
    EXPECT_EQ(l1.turn, 0);

    const ElementInput& s1 = p.rows[1];
    EXPECT_EQ(s1.line, 5);
    EXPECT_FALSE(s1.station || s1.x || s1.y || s1.azimuth);
    EXPECT_TRUE(std::isinf(s1.startRadius));
    EXPECT_EQ(s1.endRadius, 300);
    EXPECT_EQ(s1.turn, -1);
    EXPECT_EQ(*p.rows[2].station, 3645.1);
    EXPECT_EQ(p.rows[2].startRadius, 300);
    EXPECT_EQ(p.rows[2].endRadius, 150);
    EXPECT_EQ(p.rows[2].turn, -1);
    EXPECT_EQ(p.rows[3].turn, -1);
    const ElementInput& s2 = p.rows[4];
    EXPECT_EQ(*s2.x, 3378100);
    EXPECT_EQ(*s2.azimuth, 90.5);
    EXPECT_TRUE(std::isinf(s2.endRadius));
    EXPECT_EQ(s2.turn, -1);
    EXPECT_EQ(p.rows[5].name, "E6");  // unnamed: its number
    EXPECT_EQ(p.rows[5].turn, 0);
    EXPECT_EQ(p.rows[6].turn, 1);
    EXPECT_EQ(p.rows[7].turn, 1);
    EXPECT_EQ(p.rows[8].turn, 1);
    EXPECT_EQ(p.rows[9].turn, 0) << "a turn on a line is ignored";
}

TEST(ElementFile, AzimuthsAreReducedIntoOneTurn)
{
    const struct {
        const char* typed;
        double degrees;
    } cases[] = {
        {"0", 0}, {"359.5959", 359 + 59.0 / 60 + 59.0 / 3600}, {"360", 0}, {"-10.3", 349.5}, {"720.15", 0.25},
    };
    for (const auto& c : cases) {
        const ElementFileParse p =
            ParseElementFile(std::string("A,0,0,0,") + c.typed + ",10\n");
        ASSERT_TRUE(p.errors.empty()) << c.typed;
        EXPECT_NEAR(*p.rows[0].azimuth, c.degrees, 1e-12) << c.typed;
        EXPECT_GE(*p.rows[0].azimuth, 0);
        EXPECT_LT(*p.rows[0].azimuth, 360);
    }
}

TEST(ElementFile, EveryBadRowIsReportedWithItsLineAndNothingIsKept)
{
    const std::string ok = "A,0,0,0,0,10\n";
    const struct {
        const char* name;
        std::string text;
        int line;
        const char* says;
    } cases[] = {
        {"no rows", "", 0, "没有线元"},
        {"only a header", "name,station,X,Y,azimuth,Length\n# none\n", 0, "没有线元"},
        {"too few columns", "A,0,0,0,0\n", 1, "列数太少"},
        {"too many columns", "A,0,0,0,0,10,,,,x\n", 1, "列数太多"},
        {"first without station", "A,,0,0,0,10\n", 1, "起点桩号"},
        {"first without azimuth", "A,0,0,0,,10\n", 1, "X、Y 和方位角"},
        {"first without X", "A,0,,0,0,10\n", 1, "X、Y 和方位角"},
        {"partial start later", ok + "B,,5,5,,10\n", 2, "三项都给出"},
        {"bad station", "A,K1+2000,0,0,0,10\n", 1, "桩号不是数"},
        {"bad X", "A,0,x1,0,0,10\n", 1, "X 不是数"},
        {"bad azimuth", ok + "B,,1,1,9O,10\n", 2, "方位角 不是数"},
        {"infinite Y", "A,0,0,1e999,0,10\n", 1, "Y 超出可计算的范围"},
        {"missing length", ok + "B,,,,,\n", 2, "缺少线元长度"},
        {"zero length", ok + "B,,,,,0\n", 2, "长度必须大于 0"},
        {"negative length", ok + "B,,,,,-5,100,100,1\n", 2, "长度必须大于 0"},
        {"bad length", ok + "B,,,,,ten\n", 2, "长度 不是数"},
        {"infinite length", ok + "B,,,,,1e400\n", 2, "长度 超出可计算的范围"},
        {"zero radius", ok + "B,,,,,10,0,100,1\n", 2, "起点半径 必须大于 0"},
        {"negative radius", ok + "B,,,,,10,100,-100,1\n", 2, "终点半径 必须大于 0"},
        {"bad radius", ok + "B,,,,,10,abc,100,1\n", 2, "起点半径 不是数"},
        {"minus infinity", ok + "B,,,,,10,-inf,100,1\n", 2, "起点半径 不是数"},
        {"nan radius", ok + "B,,,,,10,nan,100,1\n", 2, "起点半径 不是数"},
        {"arc without turn", ok + "B,,,,,10,100,100\n", 2, "缺少转向"},
        {"spiral without turn", ok + "B,,,,,10,inf,100,\n", 2, "缺少转向"},
        {"bad turn", ok + "B,,,,,10,100,100,right\n", 2, "无法识别"},
        {"turn 2", ok + "B,,,,,10,100,100,2\n", 2, "无法识别"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ElementFileParse p = ParseElementFile(c.text);
        EXPECT_TRUE(p.rows.empty());
        ASSERT_EQ(p.errors.size(), 1u);
        EXPECT_EQ(p.errors[0].line, c.line);
        EXPECT_NE(p.errors[0].message.find(c.says), std::string::npos) << p.errors[0].message;
        if (c.line > 0) {
            EXPECT_EQ(p.errors[0].message.rfind("第 " + std::to_string(c.line) + " 行：", 0), 0u)
                << p.errors[0].message;
            EXPECT_EQ(p.errors[0].row, c.line - 1);
        } else {
            EXPECT_EQ(p.errors[0].row, -1);
        }
    }
    // Every bad row has its own message, and good rows between them do not
    // make it into a result.
    const ElementFileParse two = ParseElementFile("h,length\nA,,0,0,0,10\nB,,,,,5\nC,,,,,0\n");
    ASSERT_EQ(two.errors.size(), 2u);
    EXPECT_EQ(two.errors[0].line, 2);
    EXPECT_EQ(two.errors[1].line, 4);
    EXPECT_TRUE(two.rows.empty());
}

TEST(ElementFile, HeaderTellsAnElementFileFromAJdRouteFile)
{
    EXPECT_TRUE(IsElementFileHeader("name,station,X,Y,azimuth,length,R_start,R_end,turn\n1,2\n"));
    EXPECT_TRUE(IsElementFileHeader("\r\n# comment, length\r\n名称\t桩号\tX\tY\t方位角\t长度\r\n"));
    EXPECT_TRUE(IsElementFileHeader("a,LENGTH"));
    EXPECT_FALSE(IsElementFileHeader("点名,X,Y,桩号,R,Ls1,Ls2\nQD,0,0,0\n"));
    EXPECT_FALSE(IsElementFileHeader("QD,0,0,0\nname,length\n")) << "only the first row counts";
    EXPECT_FALSE(IsElementFileHeader("# length\n"));
    EXPECT_FALSE(IsElementFileHeader(""));
    EXPECT_FALSE(IsElementFileHeader("a,lengths\n"));
    // What FormatElementFile writes is recognised.
    EXPECT_TRUE(IsElementFileHeader(FormatElementFile({})));
}

TEST(ElementFile, AzimuthIsWrittenAsDmsThatReadsBackWithinAPicoDegree)
{
    // By hand: 45.5° = 45°30'; 152.094168 typed stays 152.094168.
    EXPECT_EQ(DegreesToDmsNumber(45.5), 45.3);
    EXPECT_EQ(DegreesToDmsNumber(DmsToDegrees(152.094168)), 152.094168);
    EXPECT_EQ(DegreesToDmsNumber(0), 0);
    EXPECT_EQ(DegreesToDmsNumber(-0.0), 0);
    EXPECT_EQ(DegreesToDmsNumber(360), 0);
    EXPECT_EQ(DegreesToDmsNumber(-90), 270);
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> any(0, 360);
    for (int i = 0; i < 20000; ++i) {
        double a = any(gen);
        if (i < 50) a = std::nextafter(360.0, 0.0) - i * 1e-13;  // just below a full turn
        if (i >= 50 && i < 100) a = (i - 50) * 1e-13;
        const double back = DmsToDegrees(DegreesToDmsNumber(a));
        double diff = std::fabs(back - a);
        diff = std::min(diff, std::fabs(diff - 360));  // the same direction across north
        ASSERT_LE(diff, 1e-12) << std::to_string(a);
    }
}

// 90.2 in d.mmss is 90°20′; its degrees came back as 90°19′60″ ("90.196"),
// which the strict d.mmss reader refuses: a written file did not read back.
TEST(ElementFile, AzimuthWhoseSecondsRoundToSixtyIsWrittenWithTheCarry)
{
    const struct {
        double dms, written;
    } cases[] = {{90.2, 90.2}, {152.59, 152.59}, {10.5959, 10.5959}, {359.5959, 359.5959}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dms);
        const double written = DegreesToDmsNumber(DmsToDegrees(c.dms));
        EXPECT_NEAR(written, c.written, 1e-12);
        ASSERT_TRUE(StrictDmsToDegrees(written).has_value()) << written;
        EXPECT_NEAR(*StrictDmsToDegrees(written), DmsToDegrees(c.dms), 1e-12);
    }
    // Through the file: the rows written read back without a refusal.
    const ElementFileParse read = ParseElementFile(
        "名称,桩号,X,Y,方位角,长度\nL1,0,1000,2000,90.2,100\n");
    ASSERT_TRUE(read.errors.empty());
    const ElementFileParse again = ParseElementFile(FormatElementFile(read.rows));
    EXPECT_TRUE(again.errors.empty()) << (again.errors.empty() ? "" : again.errors.front().message);
}

TEST(ElementFile, WrittenRowsReadBackToTheSameRows)
{
    std::vector<ElementInput> rows(5);
    rows[0].name = "起点直线";
    rows[0].station = 3444.6;
    rows[0].x = 3378000.123456789;
    rows[0].y = 455000.1 / 3;
    rows[0].azimuth = 152.16157777777;
    rows[0].length = 120.00000000001;
    rows[1].name = "S,1\t";
    rows[1].length = 80;
    rows[1].endRadius = 300;
    rows[1].turn = -1;
    rows[2].name = "#egg";
    rows[2].station = 3644.6;
    rows[2].length = 60.25;
    rows[2].startRadius = 300;
    rows[2].endRadius = 150.5;
    rows[2].turn = -1;
    rows[3].name = "C";
    rows[3].x = 1.0 / 3;
    rows[3].y = -2.0 / 7;
    rows[3].azimuth = 200.0 + 1.0 / 3;
    rows[3].length = 0.001;
    rows[3].startRadius = rows[3].endRadius = 1e-3;
    rows[3].turn = 1;
    rows[4].name = "L";
    rows[4].length = 1e6;
    rows[4].turn = 1;  // a line's turn is not written

    const std::string text = FormatElementFile(rows);
    EXPECT_EQ(text.rfind("名称,桩号,X,Y,方位角,长度,起点半径,终点半径,转向\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nS 1,,,,,80,inf,300,-1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nL,,,,,1e+06,inf,inf,\r\n"), std::string::npos) << text;
    const ElementFileParse p = ParseElementFile(text);
    ASSERT_TRUE(p.errors.empty()) << p.errors[0].message;
    ASSERT_EQ(p.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const ElementInput& a = rows[i];
        const ElementInput& b = p.rows[i];
        EXPECT_EQ(b.station, a.station);
        EXPECT_EQ(b.x, a.x);
        EXPECT_EQ(b.y, a.y);
        ASSERT_EQ(b.azimuth.has_value(), a.azimuth.has_value());
        if (a.azimuth) {
            double diff = std::fabs(*b.azimuth - *a.azimuth);
            EXPECT_LE(std::min(diff, std::fabs(diff - 360)), 1e-12);
        }
        EXPECT_EQ(b.length, a.length);
        EXPECT_EQ(b.startRadius, a.startRadius);
        EXPECT_EQ(b.endRadius, a.endRadius);
        EXPECT_EQ(b.turn, i == 4 ? 0 : a.turn);
        EXPECT_EQ(b.line, int(i) + 2);
    }
    EXPECT_EQ(p.rows[1].name, "S 1");
    EXPECT_EQ(p.rows[2].name, "＃egg");
    EXPECT_EQ(p.rows[0].name, "起点直线");
    // And once more: the written text is a fixed point.
    EXPECT_EQ(FormatElementFile(p.rows), text);
}

TEST(ElementFile, OneRowReadNamesTheFieldAtFault)
{
    using F = std::vector<std::string>;
    const struct {
        F fields;
        std::size_t index;
        int column;
        const char* says;  // the start of the message
    } cases[] = {
        {{"L1", "", "0", "0", "0", "100"}, 0, kElementStation, "第一个线元缺少起点桩号"},
        {{"L1", "K0+0x", "0", "0", "0", "100"}, 0, kElementStation, "桩号不是数"},
        {{"L1", "0", "0", "", "0", "100"}, 0, kElementY, "第一个线元必须给出起点的 X、Y 和方位角"},
        {{"", "", "1", "2", "", "100"}, 3, kElementAzimuth, "起点 X、Y 和方位角应三项都给出或都留空"},
        {{"", "", "1", "y", "3", "100"}, 3, kElementY, "Y 不是数：“y”"},
        {{"", "", "", "", "", ""}, 1, kElementLength, "缺少线元长度"},
        {{"", "", "", "", "", "1e999"}, 1, kElementLength, "长度 超出可计算的范围"},
        {{"", "", "", "", "", "-1"}, 1, kElementLength, "线元长度必须大于 0"},
        {{"", "", "", "", "", "10", "0", "", "右"}, 1, kElementRStart, "起点半径 必须大于 0"},
        {{"", "", "", "", "", "10", "", "r", "右"}, 1, kElementREnd, "终点半径 不是数"},
        {{"", "", "", "", "", "10", "", "100"}, 1, kElementTurn, "曲线线元缺少转向"},
        {{"", "", "", "", "", "10", "", "100", "up"}, 1, kElementTurn, "转向“up”无法识别"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const ElementRowRead read = ReadElementFields(c.fields, c.index);
        EXPECT_FALSE(read.row);
        EXPECT_EQ(read.column, c.column);
        EXPECT_EQ(read.message.rfind(c.says, 0), 0u) << read.message;
    }

    // A good row: the default name by its place, the fields past the end empty.
    const ElementRowRead arc = ReadElementFields({"", "", "", "", "", "31.4", "100", "inf", "L"}, 4);
    ASSERT_TRUE(arc.row) << arc.message;
    EXPECT_EQ(arc.column, -1);
    EXPECT_EQ(arc.row->name, "E5");
    EXPECT_FALSE(arc.row->station);
    EXPECT_EQ(arc.row->length, 31.4);
    EXPECT_EQ(arc.row->startRadius, 100);
    EXPECT_TRUE(std::isinf(arc.row->endRadius));
    EXPECT_EQ(arc.row->turn, -1);
    const ElementRowRead first = ReadElementFields({"S", "K1+200.5", "10", "20", "30.3000", "5"}, 0);
    ASSERT_TRUE(first.row) << first.message;
    EXPECT_EQ(*first.row->station, 1200.5);
    EXPECT_EQ(*first.row->x, 10);
    EXPECT_NEAR(*first.row->azimuth, 30.5, 1e-12);  // d.mmss
    EXPECT_EQ(first.row->turn, 0);
}

TEST(ElementFile, AzimuthWithSixtyMinutesIsRefusedNotTakenAsTheNextDegree)
{
    // 30.7500 was read as 31°15′ and turned the whole route silently.
    for (const char* azimuth : {"30.7500", "30.0060", "359.6"}) {
        const std::string text = std::string("名称,桩号,X,Y,方位角,长度\nL1,0,0,0,") + azimuth + ",80\n";
        const ElementFileParse read = ParseElementFile(text);
        ASSERT_EQ(read.errors.size(), 1u) << azimuth;
        EXPECT_EQ(read.errors.front().line, 2) << azimuth;
        EXPECT_NE(read.errors.front().message.find(std::string("“") + azimuth + "”"), std::string::npos)
            << read.errors.front().message;
        EXPECT_TRUE(read.rows.empty());
    }
    const ElementFileParse good = ParseElementFile("名称,桩号,X,Y,方位角,长度\nL1,0,0,0,30.5959,80\n");
    ASSERT_TRUE(good.errors.empty());
    EXPECT_NEAR(*good.rows.front().azimuth, 30 + 59 / 60.0 + 59 / 3600.0, 1e-12);
}

}  // namespace
}  // namespace tarvelo
