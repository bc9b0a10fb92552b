// The field formats of the stake table: CASS coordinate rows and CSV, row by
// row and as whole files read back.

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

#include "compute/route_table.h"
#include "compute/route_text.h"
#include "core/numbers/angles.h"
#include "reports/gbk_text.h"
#include "core/numbers/float_fault.h"
#include "reports/cass_file.h"
#include "reports/stake_csv.h"
#include "reports/stake_file_export.h"
#include "reports/stake_report.h"
#include "tests/reports/export_test_support.h"
#include "tests/support/test_routes.h"

namespace tarvelo {
namespace {

using testing::Built;
using testing::MixedRows;

RouteTableRow Row(const char* kind, double station, double x, double y, double azimuth)
{
    RouteTableRow r;
    r.entry.kind = kind;
    r.entry.station = station;
    r.entry.displayed = station;  // a route without chain breaks
    r.stake.point = {x, y, azimuth};
    return r;
}

TEST(CassFile, RowIsNameEmptyCodeEastNorthElevationCrLf)
{
    std::string out;
    // Binary-exact values, so the expected texts are decided by hand.
    ASSERT_TRUE(AppendCassRow(out, "ZH-K12+345.678", 3378000.125, 455000.5, std::nullopt));
    EXPECT_EQ(out, "ZH-K12+345.678,,455000.5000,3378000.1250,\r\n");
    out.clear();
    ASSERT_TRUE(AppendCassRow(out, "K0+020.000", 100.03125, -7.25, 12.0625));
    // 12.0625 is an exact half at the fourth place: away from zero.
    EXPECT_EQ(out, "K0+020.000,,-7.2500,100.0313,12.063\r\n");
}

TEST(CassFile, NameIsWrittenInGbkAndRowBreakingNamesAreRefused)
{
    std::string out;
    ASSERT_TRUE(AppendCassRow(out, "交点", 1, 2, std::nullopt));
    EXPECT_EQ(out, "\xBD\xBB\xB5\xE3,,2.0000,1.0000,\r\n");
    const char* refused[] = {"", "A,B", "A\rB", "A\nB", "\xF0\x9F\x98\x80" /* emoji, not in GBK */};
    for (const char* name : refused) {
        std::string before = "x";
        EXPECT_FALSE(AppendCassRow(before, name, 1, 2, std::nullopt)) << name;
        EXPECT_EQ(before, "x") << "nothing appended for " << name;
    }
}

TEST(CassFile, NonFiniteNumbersAreFaults)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    std::string out;
    EXPECT_THROW(AppendCassRow(out, "A", nan, 0, std::nullopt), FloatFault);
    EXPECT_THROW(AppendCassRow(out, "A", 0, inf, std::nullopt), FloatFault);
    EXPECT_THROW(AppendCassRow(out, "A", 0, 0, -inf), FloatFault);
}

TEST(CassFile, StakeNamesCarryTheMainPointBeforeTheStation)
{
    const struct {
        const char* kind;
        double station;
        const char* name;
    } cases[] = {
        {"", 12345.678, "K12+345.678"},
        {"ZH", 12345.678, "ZH-K12+345.678"},
        {"QD", 0, "QD-K0+000.000"},
        {"ZD", 5999.9996, "ZD-K6+000.000"},
        {"YZ", 480.0625, "YZ-K0+480.063"},
    };
    for (const auto& c : cases) {
        RouteTableEntry e;
        e.kind = c.kind;
        e.station = c.station;
        e.displayed = c.station;
        EXPECT_EQ(StakeName(e), c.name);
    }
    std::string out;
    AppendCassStakeRow(out, Row("HY", 1020, 3378000.125, 455000.5, 10), 3.5);
    EXPECT_EQ(out, "HY-K1+020.000,,455000.5000,3378000.1250,3.500\r\n");
}

TEST(StakeCsv, HeaderAndRowQuoteTheDmsTextAndKeepAzimuthBelow360)
{
    std::string out;
    AppendStakeCsvHeader(out, false);
    EXPECT_EQ(out, "点名,桩号,X(北),Y(东),方位角(度),方位角(度分秒),类型,偏距\r\n");
    out.clear();
    AppendStakeCsvHeader(out, true);
    EXPECT_EQ(out, "点名,桩号,X(北),Y(东),方位角(度),方位角(度分秒),类型,偏距,高程\r\n");

    out.clear();
    AppendStakeCsvRow(out, "ZH-K1+020.000", Row("ZH", 1020, 3378000.125, 455000.5, 0.5), -1.5,
                      std::nullopt, false);
    EXPECT_EQ(out, "ZH-K1+020.000,1020.0000,3378000.1250,455000.5000,0.50000000,\"0°30ˊ0\"\"\",ZH,-1.5000\r\n");

    // An azimuth a hair below 360 must not show as 360 in the decimal column.
    out.clear();
    AppendStakeCsvRow(out, "K0+000.000", Row("", 0, 0, 0, 359.999999999), 0, 2.25, true);
    EXPECT_EQ(out.substr(0, out.find(",\"")), "K0+000.000,0.0000,0.0000,0.0000,0.00000000");
    const std::string tail = ",,0.0000,2.250\r\n";  // empty kind, offset, elevation
    EXPECT_EQ(out.substr(out.size() - tail.size()), tail) << out;
}

TEST(StakeCsv, FieldsAreQuotedOnlyWhenTheyMustBe)
{
    const struct {
        const char* field;
        const char* text;
    } cases[] = {
        {"plain", "plain"}, {"", ""}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""}, {"交点", "交点"},
    };
    for (const auto& c : cases) {
        std::string out;
        AppendCsvField(out, c.field);
        EXPECT_EQ(out, c.text);
    }
}

// Columns at 1, 17, 33, 49, 67 as a fixed-width Chinese font shows them: the
// azimuth 0°30ˊ0" takes 9 columns (° and ˊ two each), so 9 spaces follow it.
TEST(StakeReport, RowColumnsCountDoubleWidthCharactersTwice)
{
    std::string out;
    AppendStakeReportRow(out, Row("ZH", 1020, 3378000.125, 455000.5, 0.5), std::nullopt, false);
    EXPECT_EQ(out, "K1+020.000      3378000.1250    455000.5000     0°30ˊ0\"         ZH\r\n");
    out.clear();
    AppendStakeReportRow(out, Row("", 1020, 3378000.125, 455000.5, 0.5), std::nullopt, false);
    EXPECT_EQ(out, "K1+020.000      3378000.1250    455000.5000     0°30ˊ0\"\r\n") << "no trailing spaces";
    out.clear();
    AppendStakeReportRow(out, Row("", 1020, 3378000.125, 455000.5, 0.5), 12.0625, true);
    EXPECT_EQ(out, "K1+020.000      3378000.1250    455000.5000     0°30ˊ0\"                 12.063\r\n");
    out.clear();
    RouteTableParams p;
    p.interval = 20;
    AppendStakeReportHead(out, p, "K0+000.000", "K1+234.500", false);
    EXPECT_NE(out.find("起点 K0+000.000  止点 K1+234.500  间距 20 m\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\r\n桩号            X(北)           Y(东)           切线方位角        主点\r\n"),
              std::string::npos)
        << out;
}

// The whole table of a route written to disk and read back: every row's
// numbers agree with the engine to the rounding of the file (half a unit of
// the fourth decimal, 5e-5 m; plus 1e-9 for the decimal reading).
class StakeFileRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        params_.interval = 20;
        params_.m = 1.5;
        params_.a = 90;
        std::size_t n = 0;
        ASSERT_FALSE(CheckRouteTable(route_, params_, &n).has_value());
        RouteTableCursor cursor(route_, params_);
        RouteTableEntry e;
        while (cursor.Next(&e)) expected_.push_back(ComputeRouteTableRow(route_, e, params_));
        ASSERT_EQ(expected_.size(), n);
    }
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir_;
    Route route_ = Built(MixedRows());
    RouteTableParams params_;
    std::vector<RouteTableRow> expected_;
};

constexpr double kFileRounding = 5e-5 + 1e-9;

TEST_F(StakeFileRoundTrip, CassFileReadsBackToTheEngineRows)
{
    const QString path = Path("route.dat");
    std::size_t written = 0;
    const ElevationAt z = [](double k) { return std::optional<double>(100 + k / 1000); };
    const FileStatus s = WriteStakeFile(path, route_, params_, StakeFileFormat::Cass, z, &written);
    ASSERT_TRUE(s.ok()) << s.error->toStdString();
    EXPECT_EQ(written, expected_.size());

    const QByteArray bytes = testing::ReadAll(path);
    EXPECT_EQ(bytes.count("\r\n"), qsizetype(expected_.size()));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "every line ends in CR LF";
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(std::size_t(lines.size()), expected_.size() + 1);  // the empty rest after the last
    for (std::size_t i = 0; i < expected_.size(); ++i) {
        const QList<QByteArray> f = lines[qsizetype(i)].chopped(1).split(',');
        ASSERT_EQ(f.size(), 5) << lines[qsizetype(i)].toStdString();
        const RouteTableRow& r = expected_[i];
        EXPECT_EQ(f[0].toStdString(), StakeName(r.entry));
        EXPECT_TRUE(f[1].isEmpty());
        EXPECT_NEAR(f[2].toDouble(), r.stake.point.y, kFileRounding) << "east first, row " << i;
        EXPECT_NEAR(f[3].toDouble(), r.stake.point.x, kFileRounding) << "north second, row " << i;
        EXPECT_NEAR(f[4].toDouble(), 100 + r.entry.station / 1000, 5e-4 + 1e-9);
    }
    EXPECT_TRUE(lines.front().startsWith("QD-K5+000.000,,"));
    EXPECT_TRUE(lines[lines.size() - 2].startsWith("ZD-K"));
}

TEST_F(StakeFileRoundTrip, CsvFileReadByPythonsCsvModuleGivesTheEngineRows)
{
    const QString path = Path("route.csv");
    const FileStatus s = WriteStakeFile(path, route_, params_, StakeFileFormat::Csv);
    ASSERT_TRUE(s.ok()) << s.error->toStdString();
    const testing::PythonRun py = testing::RunPythonCheck("csv_check.py", {path});
    ASSERT_EQ(py.exitCode, 0) << py.err.toStdString();
    EXPECT_TRUE(py.json["bom"].toBool());
    EXPECT_EQ(py.json["lone_lf"].toInt(), 0);
    const QJsonArray rows = py.json["rows"].toArray();
    ASSERT_EQ(std::size_t(rows.size()), expected_.size() + 1);
    EXPECT_EQ(rows[0].toArray().size(), 8) << "no elevation column without elevations";
    EXPECT_EQ(rows[0].toArray()[0].toString(), QStringLiteral("点名"));
    for (std::size_t i = 0; i < expected_.size(); ++i) {
        const QJsonArray f = rows[qsizetype(i) + 1].toArray();
        ASSERT_EQ(f.size(), 8);
        const RouteTableRow& r = expected_[i];
        EXPECT_EQ(f[0].toString().toStdString(), StakeName(r.entry));
        EXPECT_NEAR(f[1].toString().toDouble(), r.entry.station, kFileRounding);
        EXPECT_NEAR(f[2].toString().toDouble(), r.stake.point.x, kFileRounding);
        EXPECT_NEAR(f[3].toString().toDouble(), r.stake.point.y, kFileRounding);
        EXPECT_NEAR(f[4].toString().toDouble(), r.stake.point.azimuth, 5e-9 + 1e-12);
        EXPECT_EQ(f[5].toString().toStdString(), DegreesToDmsText(r.stake.point.azimuth));
        EXPECT_EQ(f[6].toString().toStdString(), r.entry.kind);
        EXPECT_EQ(f[7].toString(), QStringLiteral("1.5000"));
    }
}

TEST_F(StakeFileRoundTrip, ReportFileIsGbkWithOneLinePerRowBetweenHeadAndSignature)
{
    const QString path = Path("report.txt");
    const FileStatus s = WriteStakeFile(path, route_, params_, StakeFileFormat::Report);
    ASSERT_TRUE(s.ok()) << s.error->toStdString();
    const QByteArray bytes = testing::ReadAll(path);
    const FileResult<DecodedText> text = DecodeTextBytes(bytes);
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.value->encoding, TextEncoding::Gbk);
    const QStringList lines = text.value->text.split(QStringLiteral("\r\n"));
    // 2 empty, title, empty, range, empty, heads, rule; rows; 2 empty, signature; the empty rest.
    ASSERT_EQ(std::size_t(lines.size()), 8 + expected_.size() + 3 + 1);
    EXPECT_EQ(lines[2].trimmed(), QStringLiteral("逐桩坐标表"));
    EXPECT_TRUE(lines[4].contains(QStringLiteral("偏距 1.500 m")));
    for (std::size_t i = 0; i < expected_.size(); ++i) {
        const QString& line = lines[qsizetype(8 + i)];
        const RouteTableRow& r = expected_[i];
        EXPECT_TRUE(line.startsWith(QString::fromStdString(FormatKStation(r.entry.station)))) << line.toStdString();
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_GE(f.size(), 4);
        EXPECT_NEAR(f[1].toDouble(), r.stake.point.x, kFileRounding);
        EXPECT_NEAR(f[2].toDouble(), r.stake.point.y, kFileRounding);
        EXPECT_EQ(f[3].toStdString(), DegreesToDmsText(r.stake.point.azimuth));
        EXPECT_EQ(f.size() == 5 ? f[4].toStdString() : std::string(), r.entry.kind);
    }
    EXPECT_TRUE(lines[lines.size() - 2].startsWith(QStringLiteral("计算：")));
}

TEST_F(StakeFileRoundTrip, RefusedTablesAndUnusablePathsLeaveTheExistingFileAlone)
{
    const QString path = Path("keep.dat");
    testing::WriteFile(path, "old content\r\n");
    RouteTableParams bad = params_;
    bad.interval = 0;
    FileStatus s = WriteStakeFile(path, route_, bad, StakeFileFormat::Cass);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(testing::ReadAll(path), QByteArray("old content\r\n"));
    bad = params_;
    bad.end = route_.end().station + 1;
    s = WriteStakeFile(path, route_, bad, StakeFileFormat::Csv);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(testing::ReadAll(path), QByteArray("old content\r\n"));

    const QString missing = Path("no-such-folder/route.dat");
    s = WriteStakeFile(missing, route_, params_, StakeFileFormat::Cass);
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error->contains(QDir::toNativeSeparators(missing))) << s.error->toStdString();
    EXPECT_TRUE(s.error->contains(QStringLiteral("不存在"))) << s.error->toStdString();

    s = WriteStakeFile(dir_.path(), route_, params_, StakeFileFormat::Cass);
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error->contains(QStringLiteral("文件夹"))) << s.error->toStdString();
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

}  // namespace
}  // namespace tarvelo
