#include "reports/design_check_report.h"

#include <string>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/reports/gbk_python.h"

#include "core/files/design_table.h"
#include "reports/design_check_csv.h"
#include "tests/support/design_route.h"

namespace tarvelo {
namespace {

using test::DesignTestRoute;

// Lines 2-7 of a table on the test route (z = 100 + 0.02 (s - 1000)):
// ok, ok, elevation, ok, station, unreadable.
const char* const kTable =
    "点名,桩号,X,Y,高程\n"
    "A,1010,10,0.003,100.203\n"
    "B,1020,20,-0.004,100.396\n"
    "C,1030,30,0.002,100.588\n"
    "D,1040,40,0.001\n"
    "E,1050,60,0,101\n"
    "F,K1+0x0,1,2\n";

DesignCheckResult Checked(const std::string& table, bool profile = true)
{
    static const DesignTestRoute route;
    return CheckDesign(ParseDesignTable(table), route.Interface(profile));
}

using testing::DecodeGbkWithPython;
using testing::FileBytes;

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    EXPECT_EQ(from, text.size()) << "text after the last CR LF";
    return lines;
}

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& start, std::size_t from = 0)
{
    for (std::size_t i = from; i < lines.size(); ++i)
        if (lines[i].rfind(start, 0) == 0) return i;
    ADD_FAILURE() << "no line starting " << start;
    return lines.size();
}

// Columns a fixed-width font gives UTF-8 text on a Chinese system.
int Width(const std::string& s)
{
    int w = 0;
    for (unsigned char c : s)
        if (c < 0x80) w += 1;
        else if ((c & 0xC0) != 0x80) w += 2;
    return w;
}

// The text of line from display column `column` (0-based) on.
std::string FromColumn(const std::string& line, int column)
{
    int w = 0;
    std::size_t i = 0;
    while (i < line.size() && w < column) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        w += c < 0x80 ? 1 : 2;
        ++i;
        while (i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) ++i;
    }
    return line.substr(i);
}

TEST(DesignCheckReport, WrittenInGbkWithTheSectionsInOrder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("复核.txt"));
    const DesignCheckResult result = Checked(kTable);
    ASSERT_TRUE(WriteDesignCheckReport(path, result, QStringLiteral("某路.csv"), QStringLiteral("设计.csv")).ok());
    const QByteArray bytes = FileBytes(path);
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));  // every line ends in CR LF
    const std::string text = DecodeGbkWithPython(path);
    EXPECT_EQ(text, DesignCheckReport(result, QStringLiteral("某路.csv"), QStringLiteral("设计.csv")).toStdString());
    const std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_GT(lines.size(), 30u);

    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "");
    EXPECT_NE(lines[2].find("设计逐桩坐标复核表"), std::string::npos);
    EXPECT_EQ(lines[4], "线路文件：某路.csv");
    EXPECT_EQ(lines[5], "设计文件：设计.csv");
    EXPECT_EQ(lines[6], "限差：平面 0.005 m，高程 0.005 m");
    EXPECT_EQ(lines[8], "复核 6 行：相符 3 行，桩号不符 1 行，坐标不符 0 行，高程不符 1 行，超出线路 0 行，无法读取 1 行。");
    EXPECT_EQ(lines[9], "最大平面差 10.0000 m（第 6 行 E）");
    EXPECT_EQ(lines[10], "最大高程差 0.0120 m（第 4 行 C）");
    // sqrt((3² + 4² + 1²) / 3) mm = 2.9439 mm.
    EXPECT_EQ(lines[11], "相符各行平面差的均方根 0.0029 m");

    const std::size_t bad = IndexOf(lines, "一、不相符的行（3 行）");
    const std::size_t all = IndexOf(lines, "二、全部各行（6 行）", bad);
    const std::size_t sign = IndexOf(lines, "计算：", all);
    EXPECT_EQ(bad, 13u);
    // Section one: rule, header, rule, rows of lines 4, 6, 7, rule, reasons.
    const std::string rule = lines[bad + 1];
    EXPECT_EQ(rule, std::string(rule.size(), '-'));
    EXPECT_EQ(lines[bad + 2].rfind("行号  点名  ", 0), 0u) << lines[bad + 2];
    EXPECT_EQ(lines[bad + 3], rule);
    const char* const badLines[] = {"   4", "   6", "   7"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(lines[bad + 4 + std::size_t(i)].rfind(badLines[i], 0), 0u);
    EXPECT_EQ(lines[bad + 7], rule);
    EXPECT_EQ(lines[bad + 8], "第 4 行：平面相符，高程相差 -0.0120 m。");
    EXPECT_EQ(lines[bad + 9].rfind("第 6 行：设计点在中线上，但在桩号 K1+060.000 处", 0), 0u) << lines[bad + 9];
    EXPECT_EQ(lines[bad + 10].rfind("第 7 行：桩号“K1+0x0”", 0), 0u) << lines[bad + 10];
    EXPECT_EQ(lines[bad + 11], "");
    EXPECT_EQ(all, bad + 12);
    // Section two: all six rows, the same columns.
    EXPECT_EQ(lines[all + 1], rule);
    EXPECT_EQ(lines[all + 2], lines[bad + 2]);
    EXPECT_EQ(lines[all + 10], rule);
    EXPECT_EQ(lines[all + 4 + 4], lines[bad + 5]);  // the row of line 6 in both tables
    EXPECT_EQ(sign, all + 13);
    EXPECT_EQ(lines[sign], "计算：" + std::string(24, ' ') + "复核：" + std::string(24, ' ') + "监理：");
    EXPECT_EQ(sign + 1, lines.size());

    // The columns line up: each heading and the cells under it end (numbers)
    // or start (点名, 结论) at the same display column, and no line is wider
    // than the rules.
    const std::string& header = lines[all + 2];
    const int classColumn = Width(header.substr(0, header.find("结论")));
    const char* const classes[] = {"相符", "相符", "高程不符", "相符", "桩号不符", "无法读取"};
    for (int i = 0; i < 6; ++i) {
        const std::string& row = lines[all + 4 + std::size_t(i)];
        SCOPED_TRACE(row);
        EXPECT_LE(Width(row), int(rule.size()));
        EXPECT_EQ(FromColumn(row, classColumn), classes[i]);
    }
    const int stationEnd = Width(header.substr(0, header.find("桩号") + std::string("桩号").size()));
    EXPECT_EQ(FromColumn(lines[all + 4], stationEnd - 10).rfind("K1+010.000  ", 0), 0u) << lines[all + 4];
    EXPECT_EQ(FromColumn(lines[all + 8], stationEnd - 10).rfind("K1+050.000  ", 0), 0u) << lines[all + 8];
    EXPECT_NE(lines[all + 8].find("  60.0000   0.0000  10.0000   0.0000  10.0000           K1+060.000    0.0000  桩号不符"),
              std::string::npos)
        << lines[all + 8];
    EXPECT_EQ(header.find("分区"), std::string::npos);
}

TEST(DesignCheckReport, AllOkZonesAndNoValues)
{
    DesignTestRoute route;
    route.chainBreak = true;
    const DesignCheckResult result = CheckDesign(
        ParseDesignTable("点名,桩号,X,Y,分区\nA,1020,20,0\nB,1120,119.9667,0.9992,1\n"), route.Interface(false));
    ASSERT_EQ(result.rows.size(), 2u);
    const std::vector<std::string> lines = SplitCrLf(DesignCheckReport(result, QStringLiteral("r.csv"), QString()).toStdString());
    EXPECT_EQ(lines[4], "线路文件：r.csv");
    EXPECT_EQ(lines[5].rfind("限差", 0), 0u);  // no design file line
    EXPECT_EQ(lines[7], "复核 2 行：相符 2 行，桩号不符 0 行，坐标不符 0 行，高程不符 0 行，超出线路 0 行，无法读取 0 行。");
    EXPECT_EQ(lines[9], "最大高程差 —");
    const std::size_t bad = IndexOf(lines, "一、不相符的行（0 行）");
    EXPECT_EQ(lines[bad + 1], "全部相符。");
    const std::size_t all = IndexOf(lines, "二、全部各行（2 行）", bad);
    EXPECT_NE(lines[all + 2].find("  分区  "), std::string::npos) << lines[all + 2];
    EXPECT_NE(lines[all + 5].find("K1+120.000     1  119.9667"), std::string::npos) << lines[all + 5];
}

TEST(DesignCheckReport, NamesGbkCannotHoldAreRefusedAndNothingIsWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    const FileStatus status =
        WriteDesignCheckReport(path, Checked("\xF0\x9F\x98\x80,1010,10,0\n"), QStringLiteral("r.csv"), QString());
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error->contains(QStringLiteral("GBK"))) << status.error->toStdString();
    EXPECT_EQ(FileBytes(path), "<missing>");
    EXPECT_FALSE(WriteDesignCheckReport(dir.filePath(QStringLiteral("no/such/dir/r.txt")), Checked(kTable),
                                        QStringLiteral("r.csv"), QString())
                     .ok());
}

TEST(DesignCheckCsv, ColumnsOfTheRowsWithQuotingAndEmptyFields)
{
    const std::string csv = DesignCheckCsv(Checked(std::string(kTable) + "G\"1,1040,40,0\n", false));
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u);
    const std::vector<std::string> lines = SplitCrLf(csv.substr(3));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "行号,点名,桩号,分区,X(北),Y(东),ΔX,ΔY,平面差,高程差,垂足桩号,垂足偏距,结论,说明");
    // Without a profile no elevation is compared.
    EXPECT_EQ(lines[1], "2,A,1010.0000,,10.0000,0.0030,0.0000,0.0030,0.0030,,1010.0000,0.0030,相符,");
    EXPECT_EQ(lines[5].rfind("6,E,1050.0000,,60.0000,0.0000,10.0000,0.0000,10.0000,,1060.0000,0.0000,桩号不符,第 6 行：", 0),
              0u)
        << lines[5];
    EXPECT_EQ(lines[6].rfind("7,F,,,,,,,,,,,无法读取,第 7 行：桩号“K1+0x0”", 0), 0u) << lines[6];
    EXPECT_EQ(lines[7], "8,\"G\"\"1\",1040.0000,,40.0000,0.0000,0.0000,0.0000,0.0000,,1040.0000,0.0000,相符,");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("复核.csv"));
    ASSERT_TRUE(WriteDesignCheckCsv(path, Checked(kTable)).ok());
    EXPECT_EQ(FileBytes(path).toStdString(), DesignCheckCsv(Checked(kTable)));
}

}  // namespace
}  // namespace tarvelo
