#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QDir>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "reports/gbk_text.h"

namespace tarvelo {
namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun Cli(std::vector<std::string> args)
{
    CliRun r;
    r.status = RunCli(args, r.out, r.err);
    return r;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
        lines.push_back(text.substr(from, at - from));
    EXPECT_EQ(from, text.size()) << "output must end with LF";
    return lines;
}

std::string WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path.toStdString();
}

QString ReadGbk(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    // The program's own decoder: Qt has no GBK codec of its own on Windows.
    const FileResult<DecodedText> text = DecodeTextBytes(f.readAll());
    EXPECT_TRUE(text.ok() && text.value->encoding == TextEncoding::Gbk);
    return text.ok() ? text.value->text : QString();
}

TEST(Cli, InverseOfTheDefaultPointPrintsStationTenThousandOnTheCentre)
{
    const CliRun r = Cli({"inverse", "--x", "3377706.6675", "--y", "455858.525"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.out, "10+000.0000\n中 0\n");
    EXPECT_EQ(r.err, "");
}

TEST(Cli, DefaultTablePrintsFiftyTwoLinesEndingAtTenThousand)
{
    const CliRun r = Cli({"table", "--start", "9000", "--end", "10000", "--interval", "20"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines.front(), "里程 偏距 偏角  坐标X       坐标Y         切线方位角F");
    EXPECT_EQ(lines.back(), "10000   0  90  3377706.6675  455858.5250   127°23ˊ2.26\"");
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST(Cli, ElementsPrintFiveStakesAndTwelveElements)
{
    const CliRun r = Cli({"elements"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "ZH\t07+586.7064\t3378605.4449\t453648.7035\t98°56ˊ55.62\"");
    EXPECT_EQ(lines[4], "HZ\t12+126.0304\t3376073.8453\t457190.654\t152°9ˊ41.72\"");
    EXPECT_EQ(lines[5], "T1\t2434.6526");
    EXPECT_EQ(lines[15], "Dh\t329.9812");
    EXPECT_EQ(lines[16], "Ly\t3819.324");
}

TEST(Cli, JsonCarriesRoundTripNumbers)
{
    const CliRun e = Cli({"elements", "--json"});
    ASSERT_EQ(e.status, kExitOk) << e.err;
    EXPECT_EQ(e.out.rfind("{\"points\":[{\"name\":\"ZH\",\"station\":7586.706400826035,", 0), 0u);
    EXPECT_NE(e.out.find("\"Dh\":329.9812230920488"), std::string::npos);
    const CliRun p = Cli({"point", "--station", "10000", "--json"});
    EXPECT_NE(p.out.find("\"segment\":\"YQ\""), std::string::npos);
    EXPECT_EQ(Cli({"inverse", "--x", "0", "--y", "0", "--json"}).out,
              "{\"outcome\":\"out_of_range\"}\n");
    const CliRun t = Cli({"table", "--start", "9000", "--end", "9020", "--interval", "20", "--json"});
    EXPECT_EQ(t.out.rfind("{\"rows\":[{\"station\":9000", 0), 0u);
}

TEST(Cli, PointReadsOffsetAndSkewAsTheWindowDoes)
{
    EXPECT_EQ(Cli({"point", "--station", "10000"}).out, "3377706.6675\n455858.525\n127°23ˊ2.26\"\n");
    // A blank skew makes the stake the centreline point whatever the offset.
    EXPECT_EQ(Cli({"point", "--station", "10000", "--offset", "5"}).out,
              Cli({"point", "--station", "10000"}).out);
    const CliRun bad = Cli({"point", "--station", "10000", "--offset", "5m", "--skew", "90"});
    EXPECT_EQ(bad.status, kExitError);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("偏距"), std::string::npos);
}

TEST(Cli, BadUseFailsWithAMessageAndNothingOnStdout)
{
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{}, kExitError, "缺少子命令"},
        {{"frobnicate"}, kExitError, "未知的子命令"},
        {{"point"}, kExitError, "--station"},
        {{"point", "--station"}, kExitError, ""},
        {{"point", "--station", ""}, kExitError, "请输入“计算桩号K”！"},
        {{"inverse", "--x", " ", "--y", "1"}, kExitError, "请输入“反算坐标X”！"},
        {{"inverse", "--x", "1e400", "--y", "1"}, kExitError, "超出可计算范围"},
        {{"point", "--station", "1e13"}, kExitError, "--station"},
        {{"table", "--start", "0", "--end", "1", "--interval", "1", "--offset", "-2e12"},
         kExitError, "--offset"},
        {{"elements", "--station", "1"}, kExitError, "不接受"},
        {{"table", "--start", "0", "--end", "10", "--interval", "0"}, kExitError, "不能为0"},
        {{"table", "--start", "0", "--end", "1e9", "--interval", "1"}, kExitError, "1000000"},
        {{"table", "--start", "0", "--end", "1", "--interval", "1", "--skew", ""}, kExitError,
         "请输入“计算偏角a”！"},
        {{"point", "--station", "1", "--station", "2"}, kExitError, "一次"},
        {{"elements", "extra"}, kExitError, "多余"},
        {{"export-curve"}, kExitError, "--out"},
        {{"elements", "--curve", "/no/such/file"}, kExitError, "such"},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE(joined);
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        if (c.args.size() > 2 && c.args[2] == "/no/such/file") {  // named in the system's form
            EXPECT_NE(r.err.find(QDir::toNativeSeparators("/no/such/file").toStdString()), std::string::npos) << r.err;
        }
        EXPECT_EQ(r.err.back(), '\n');
    }
}

TEST(Cli, CurveFileFailingItsCheckExitsWithStatusTwo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // R of 0 (line 4): the window's check 4.
    const std::string path = WriteFile(
        dir, "zero-r.txt", "3378226.731\r\n456053.721\r\n10021.359\r\n0\r\n360\r\n360\r\n53.12461\r\n98.565562\r\n");
    const CliRun r = Cli({"elements", "--curve", path});
    EXPECT_EQ(r.status, kExitInvalidCurve);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("请输入”曲线半径R”！"), std::string::npos) << r.err;
}

TEST(Cli, CurveFileInUtf8OrGbkGivesTheSameResults)
{
    QTemporaryDir dir;
    const QByteArray utf8 =
        "3378226.731 本交点坐标X(N)\n456053.721\n10021.359\n4500\n360\n200\n-53.12461\n98.565562\n";
    const QByteArray gbk = *EncodeGbk(QString::fromUtf8(utf8)).value;
    const CliRun a = Cli({"elements", "--curve", WriteFile(dir, "u.txt", utf8)});
    const CliRun b = Cli({"elements", "--curve", WriteFile(dir, "g.txt", gbk)});
    ASSERT_EQ(a.status, kExitOk) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(a.out, Cli({"elements"}).out);  // the file's curve, not the default
}

TEST(Cli, ExportThenCurveGivesBackTheDefaultResults)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("curve.txt").toStdString();
    const CliRun e = Cli({"export-curve", "--out", path});
    ASSERT_EQ(e.status, kExitOk) << e.err;
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(Cli({"elements", "--curve", path}).out, Cli({"elements"}).out);
    EXPECT_TRUE(ReadGbk(path).startsWith(QString::fromUtf8("3378226.731        交点坐标X(N)\r\n"))) << ReadGbk(path).left(40).toStdString();
}

TEST(Cli, ReportsAreWrittenBesideUnchangedOutput)
{
    QTemporaryDir dir;
    const std::string elements = dir.filePath("elements.txt").toStdString();
    const std::string results = dir.filePath("results.txt").toStdString();
    const CliRun e = Cli({"elements", "--report", elements});
    ASSERT_EQ(e.status, kExitOk) << e.err;
    EXPECT_EQ(e.out, Cli({"elements"}).out);
    EXPECT_EQ(ReadGbk(elements).count("\r\n"), 32);
    const CliRun t = Cli({"table", "--start", "9000", "--end", "10000", "--interval", "20", "--report",
                       results});
    ASSERT_EQ(t.status, kExitOk) << t.err;
    const QString report = ReadGbk(results);
    EXPECT_EQ(report.count("\r\n"), 61);
    EXPECT_TRUE(report.contains("10000   0  90  3377706.6675  455858.5250   127°23ˊ2.26\"\r\n"));
}

TEST(Cli, ReportThatCannotBeWrittenFailsWithoutOutput)
{
    QTemporaryDir dir;
    const std::string target = dir.filePath("missing/folder/r.txt").toStdString();
    const CliRun r = Cli({"elements", "--report", target});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(QDir::toNativeSeparators("missing/folder").toStdString()), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tarvelo
