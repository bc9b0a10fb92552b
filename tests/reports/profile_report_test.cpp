#include "reports/profile_report.h"

#include <string>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarvelo {
namespace {

GradePointInput Pt(double station, double elevation, std::optional<double> R = std::nullopt)
{
    GradePointInput p;
    p.station = station;
    p.elevation = elevation;
    p.R = R;
    return p;
}

Profile Build(const std::vector<GradePointInput>& points)
{
    Profile::Built built = Profile::Build(points);
    if (!built.profile) throw std::runtime_error(built.error->message);
    return *built.profile;
}

// K5+030 at 427.68 m between +5 % and -4 %, R 2000.
Profile WorkedExample() { return Build({Pt(4800, 416.18), Pt(5030, 427.68, 2000), Pt(5300, 416.88)}); }

std::string Spaces(int n) { return std::string(std::size_t(n), ' '); }

std::string Join(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

// The worked example's report, laid out by hand: column widths (a Chinese
// character and ω take two) 10 7 8 9 5 7 5 8 10 10 9 9 plus 11 gaps of two
// make 119; the title of width 12 gets (119 - 12) / 2 = 53 spaces.
std::string WorkedExampleReport()
{
    const std::string rule(119, '-');
    return Join({
        "",
        "",
        Spaces(53) + "竖曲线要素表",
        "",
        "纵断面 K4+800.000 至 K5+300.000，变坡点 3 个，竖曲线 1 个",
        rule,
        "变坡点桩号" + Spaces(2 + 3) + "高程" + Spaces(2 + 3) + "半径R" + Spaces(2) + "坡差ω(%)" + Spaces(2) +
            "凸/凹" + Spaces(2) + "切线长T" + Spaces(2) + "外距E" + Spaces(2) + "曲线长Lv" + Spaces(2 + 2) +
            "起点桩号" + Spaces(2 + 2) + "终点桩号" + Spaces(2) + "前坡i1(%)" + Spaces(2) + "后坡i2(%)",
        rule,
        "K5+030.000" + Spaces(2) + "427.680" + Spaces(2) + "2000.000" + Spaces(2 + 3) + "-9.000" + Spaces(2 + 3) +
            "凸" + Spaces(2 + 1) + "90.000" + Spaces(2) + "2.025" + Spaces(2 + 1) + "180.000" + Spaces(2) +
            "K4+940.000" + Spaces(2) + "K5+120.000" + Spaces(2 + 4) + "5.000" + Spaces(2 + 3) + "-4.000",
        rule,
        "",
        "",
        "计算：" + Spaces(24) + "复核：" + Spaces(24) + "监理：",
    });
}

// The file decoded by Python's own GBK codec (Debian's python3), not by the
// program's decoder.
std::string DecodeGbkWithPython(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import sys; sys.stdout.buffer.write(open(sys.argv[1], 'rb').read()"
                            ".decode('gbk').encode('utf-8'))"),
             path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return "<python failed: " + p.readAllStandardError().toStdString() + ">";
    return p.readAllStandardOutput().toStdString();
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

TEST(ProfileReport, WorkedExampleIsTheHandLaidTable)
{
    EXPECT_EQ(ProfileCurveTableReport(WorkedExample()).toStdString(), WorkedExampleReport());
}

TEST(ProfileReport, WrittenFileIsGbkWithCrLfAndReadsBackInPython)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("竖曲线.txt"));
    ASSERT_TRUE(WriteProfileCurveTableReport(path, WorkedExample()).ok());
    EXPECT_EQ(DecodeGbkWithPython(path), WorkedExampleReport());

    // Every table line takes the same width in a fixed-width font: in GBK
    // that is its byte count.
    const QList<QByteArray> lines = FileBytes(path).split('\n');
    ASSERT_EQ(lines.size(), 14);  // 13 lines and the empty piece after the last
    for (int i = 5; i <= 9; ++i) EXPECT_EQ(lines[i].size(), 119 + 1) << i;  // with its CR
    for (int i = 0; i < 13; ++i) EXPECT_TRUE(lines[i].endsWith('\r')) << i;
}

TEST(ProfileReport, CrestSagAndNoChangeOfGradeRowsAlignedToTheWidestCell)
{
    // +2 % -> -1.5 % crest R 8000; -1.5 % -> +1 % sag R 4000; +1 % -> +1 %;
    // then a long last leg so one station runs to K12.
    const Profile profile = Build({Pt(0, 200), Pt(600, 212, 8000), Pt(1150, 203.75, 4000),
                                   Pt(1700, 209.25, 6000), Pt(12000, 312.25)});
    const QStringList lines = ProfileCurveTableReport(profile).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[4].toStdString(), "纵断面 K0+000.000 至 K12+000.000，变坡点 5 个，竖曲线 3 个");
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"K0+600.000", "凸"}, {"K1+150.000", "凹"}, {"K1+700.000", "—"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string line = lines[8 + int(i)].toStdString();
        EXPECT_EQ(line.rfind(rows[i].first, 0), 0u) << line;
        EXPECT_NE(line.find("  " + rows[i].second + "  "), std::string::npos) << line;
    }
    // The zero-length curve: T, E and Lv of 0, start and end at the point.
    EXPECT_NE(lines[10].toStdString().find("0.000  K1+700.000  K1+700.000"), std::string::npos);
    // Crest: omega -3.5 %, T 140, E 140^2 / 16000 = 1.225, Lv 280.
    EXPECT_NE(lines[8].toStdString().find("-3.500     凸  140.000  1.225   280.000"), std::string::npos)
        << lines[8].toStdString();
    // All table lines equally wide (counting a Chinese character as two).
    const auto width = [](const QString& s) {
        int w = 0;
        for (QChar c : s) w += c.unicode() < 0x80 ? 1 : 2;
        return w;
    };
    for (int i = 5; i <= 11; ++i) EXPECT_EQ(width(lines[i]), width(lines[5])) << i;
}

TEST(ProfileReport, TwoGradePointsGiveAnEmptyTable)
{
    const QStringList lines = ProfileCurveTableReport(Build({Pt(0, 10), Pt(100, 11)})).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[4].toStdString(), "纵断面 K0+000.000 至 K0+100.000，变坡点 2 个，竖曲线 0 个");
    EXPECT_EQ(lines[7], lines[8]);  // the rule under the header closes the table
}

TEST(ProfileReport, FailuresWriteNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Grades of +-1e307 are a profile, but not in percent (1e309 is beyond
    // a double); the curve of R 1e-320 is short enough to fit.
    const QString path = dir.filePath(QStringLiteral("steep.txt"));
    const FileStatus status = WriteProfileCurveTableReport(path, Build({Pt(0, 0), Pt(1, 1e307, 1e-320), Pt(2, 0)}));
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(FileBytes(path), "<missing>");
    // Without a curve no grade is shown.
    EXPECT_TRUE(WriteProfileCurveTableReport(path, Build({Pt(0, 0), Pt(1e-300, 1e7)})).ok());
    EXPECT_FALSE(WriteProfileCurveTableReport(dir.filePath(QStringLiteral("no/such/folder/p.txt")),
                                              WorkedExample())
                     .ok());
}

}  // namespace
}  // namespace tarvelo
