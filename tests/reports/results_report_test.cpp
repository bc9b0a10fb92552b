#include "reports/results_report.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "compute/curve_command.h"
#include "compute/stakeout_table.h"
#include "core/curve/curve_inputs.h"
#include "gbk_reference.h"

namespace tarvelo {
namespace {

using test_support::FileBytes;
using test_support::PutFileBytes;
using test_support::ReferenceGbk;
using test_support::Spaces;

// The table of the continuous mode with the window's defaults.
std::string Table(double start, double end, double interval)
{
    CurveState s;
    if (PrepareCurve(s, DefaultCurveTexts())) throw std::runtime_error("default inputs refused");
    TableParams p;
    p.start = start;
    p.end = end;
    p.interval = interval;
    p.m = 0;
    p.a = 90;  // 90 in d.mmss is 90 degrees
    p.offsetText = "0";
    p.skewText = "90";
    const TableResult table = BuildStakeoutTable(s, p);
    if (table.refusal || table.fault) throw std::runtime_error("table not built");
    return table.text;
}

// The report around a table text, from the layout: two empty lines, the
// title after 16 spaces, 24 hyphens after 13 spaces, an empty line, the table
// and one CR LF, two empty lines, the signature.
std::string ExpectedReport(const std::string& table)
{
    const std::string text = "\r\n\r\n" + Spaces(16) + "曲线坐标计算成果表\r\n" + Spaces(13) + std::string(24, '-') +
                             "\r\n\r\n" + table + "\r\n\r\n\r\n" + "计算：" + Spaces(17) + "复核：" + Spaces(17) +
                             "监理：\r\n";
    return ReferenceGbk(text);
}

int CountCrLf(const std::string& bytes)
{
    int n = 0;
    for (std::size_t i = bytes.find("\r\n"); i != std::string::npos; i = bytes.find("\r\n", i + 2)) ++n;
    return n;
}

class ResultsReportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir_;
};

TEST_F(ResultsReportTest, DefaultFiftyOneRowTableGivesSixtyOneLines)
{
    const std::string table = Table(9000, 10000, 20);
    ASSERT_EQ(CountCrLf(table), 52);  // header and 51 rows
    // The last row as the continuous table shows it for the default inputs.
    const std::size_t lastRow = table.rfind("\r\n", table.size() - 3) + 2;
    ASSERT_EQ(table.substr(lastRow, 43), "10000   0  90  3377706.6675  455858.5250   ");

    const QString path = Path("results.txt");
    ASSERT_TRUE(WriteResultsReport(path, QString::fromStdString(table)).ok());
    const std::string bytes = FileBytes(path);
    EXPECT_EQ(bytes, ExpectedReport(table));
    EXPECT_EQ(CountCrLf(bytes), 61);
    // Three empty lines between the last row and the signature.
    const std::size_t signature = bytes.find(ReferenceGbk("计算："));
    EXPECT_EQ(bytes.substr(signature - 9, 9), "\"\r\n\r\n\r\n\r\n");
}

TEST_F(ResultsReportTest, HeaderOnlyTableIsTheOnlyTableLine)
{
    const std::string table = Table(10000, 9000, 20);
    ASSERT_EQ(table, std::string(kTableHeader) + "\r\n");
    const QString path = Path("results.txt");
    ASSERT_TRUE(WriteResultsReport(path, QString::fromStdString(table)).ok());
    const std::string expected =
        ReferenceGbk("\r\n\r\n" + Spaces(16) + "曲线坐标计算成果表\r\n" + Spaces(13) + std::string(24, '-') + "\r\n\r\n" +
                     "里程 偏距 偏角  坐标X       坐标Y         切线方位角F\r\n" + "\r\n\r\n\r\n" + "计算：" +
                     Spaces(17) + "复核：" + Spaces(17) + "监理：\r\n");
    EXPECT_EQ(FileBytes(path), expected);
    EXPECT_EQ(CountCrLf(expected), 10);
}

TEST(ResultsReportText, KeepsEditedTextButEndsEveryLineWithCrLf)
{
    struct Case {
        const char* name;
        const char* table;
        const char* written;  // the table part of the report
    };
    const Case cases[] = {
        {"CR LF kept", "a\r\nb\r\n", "a\r\nb\r\n"},
        {"lone LF", "a\nb\n", "a\r\nb\r\n"},
        {"lone CR", "a\rb\r", "a\r\nb\r\n"},
        {"LF CR is two line ends", "a\n\rb", "a\r\n\r\nb"},
        {"spaces and no final line end kept", "  x  ", "  x  "},
    };
    for (const Case& c : cases) {
        const std::string report = ResultsReportText(QString::fromUtf8(c.table)).toStdString();
        const std::string head = "\r\n\r\n" + Spaces(16) + "曲线坐标计算成果表\r\n" + Spaces(13) + std::string(24, '-') + "\r\n\r\n";
        ASSERT_EQ(report.substr(0, head.size()), head) << c.name;
        EXPECT_EQ(report.substr(head.size(), std::string(c.written).size() + 2), std::string(c.written) + "\r\n")
            << c.name;
    }
}

TEST_F(ResultsReportTest, UnencodableTextIsRefusedAndTheOldReportKept)
{
    const QString path = Path("results.txt");
    PutFileBytes(path, "old report\r\n");
    const std::string table = Table(9000, 9040, 20) + "备注 \xF0\x9F\x98\x80\r\n";
    const FileStatus status = WriteResultsReport(path, QString::fromStdString(table));
    EXPECT_FALSE(status.ok());
    ASSERT_TRUE(status.error.has_value());
    EXPECT_TRUE(status.error->contains(QStringLiteral("U+1F600"))) << status.error->toStdString();
    EXPECT_EQ(FileBytes(path), "old report\r\n");

    EXPECT_FALSE(WriteResultsReport(Path("missing/results.txt"), QStringLiteral("x\r\n")).ok());
}

}  // namespace
}  // namespace tarvelo
