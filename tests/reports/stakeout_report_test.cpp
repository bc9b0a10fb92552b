// The stakeout sheet: hand-laid reports of the worked example and of a sheet
// with heights and notes, the written file decoded from GBK by Python's own
// codec, and failures that write nothing.

#include "reports/stakeout_report.h"

#include <limits>
#include <string>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/reports/gbk_python.h"

#include "reports/text_columns.h"

namespace tarvelo {
namespace {

std::string Spaces(int n) { return std::string(std::size_t(n), ' '); }

std::string Join(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

const std::string kSignature = "计算：" + Spaces(24) + "复核：" + Spaces(24) + "监理：";

struct Sheet {
    InstrumentStation station;
    Backsight backsight;
    StakeoutData data;
};

Sheet Compute(const InstrumentStation& s, const Backsight& b, const std::vector<StakeTarget>& targets)
{
    const StakeoutResult r = ComputeStakeout(s, b, targets);
    if (!r.data) throw std::runtime_error(r.refusal.value_or(""));
    return {s, b, *r.data};
}

// Station J, backsight K, point P.
Sheet WorkedExample()
{
    InstrumentStation j;
    j.name = "J";
    j.x = 502.110;
    j.y = 496.225;
    return Compute(j, Backsight::AtPoint("K", 746.202, 456.588), {StakeTarget{"P", 450.000, 560.000, std::nullopt}});
}

// Column widths 4 (点名), 12 (138°28ˊ32"), 7 (平距(m)), two gaps of 2: 27;
// the title (width 10) gets (27 - 10) / 2 = 8 spaces.
std::string WorkedExampleReport()
{
    const std::string rule(27, '-');
    return Join({
        "",
        "",
        Spaces(8) + "放样数据表",
        "",
        "测站 J  X=502.1100  Y=496.2250",
        "后视 K  X=746.2020  Y=456.5880  方位角 350°46ˊ35\"  距离 247.289 m",
        rule,
        "点名" + Spaces(2 + 6) + "水平角" + Spaces(2) + "平距(m)",
        rule,
        "P" + Spaces(3 + 2) + "138°28ˊ32\"" + Spaces(2 + 1) + "82.357",
        rule,
        "",
        "",
        kSignature,
    });
}

// Heights (H 100, i 1.5, v 1.8), a stake on the station, one without a
// design elevation, a Chinese name; oriented by azimuth 0.
Sheet HeightsAndNotes()
{
    InstrumentStation s;
    s.name = "D3";
    s.elevation = 100.0;
    s.instrumentHeight = 1.5;
    s.targetHeight = 1.8;
    return Compute(s, Backsight::ByAzimuth(0),
                   {StakeTarget{"K0+100左", 10, 0, 101.234}, StakeTarget{"B", 0, 0, 98.0},
                    StakeTarget{"C", 0, -20, std::nullopt}});
}

// Widths 8 (K0+100左), 10 (270°0ˊ0"), 7, 9 (高差dh(m)), 16 (the note), four
// gaps: 58; title (58 - 10) / 2 = 24 spaces in. Trailing spaces are cut.
std::string HeightsAndNotesReport()
{
    const std::string rule(58, '-');
    return Join({
        "",
        "",
        Spaces(24) + "放样数据表",
        "",
        "测站 D3  X=0.0000  Y=0.0000  高程 100.000  仪器高 1.500  棱镜高 1.800",
        "后视方位角 0°0ˊ0\"",
        rule,
        "点名" + Spaces(4 + 2 + 4) + "水平角" + Spaces(2) + "平距(m)" + Spaces(2) + "高差dh(m)" + Spaces(2) + "备注",
        rule,
        "K0+100左" + Spaces(2 + 2) + "0°0ˊ0\"" + Spaces(2 + 1) + "10.000" + Spaces(2 + 3) + "+1.534",
        "B" + Spaces(7 + 2 + 8) + "—" + Spaces(2 + 2) + "0.000" + Spaces(2 + 3) + "-1.700" + Spaces(2) +
            "放样点与测站重合",
        "C" + Spaces(7 + 2) + "270°0ˊ0\"" + Spaces(2 + 1) + "20.000",
        rule,
        "高差dh = 设计高程 - (测站高程 + 仪器高 - 棱镜高)：正值为设计高程高于平视时棱镜的底端，负值为低于。",
        "",
        "",
        kSignature,
    });
}

using testing::DecodeGbkWithPython;
using testing::FileBytes;

TEST(StakeoutReport, WorkedExampleIsTheHandLaidSheet)
{
    const Sheet s = WorkedExample();
    EXPECT_EQ(StakeoutReport(s.station, s.backsight, s.data).toStdString(), WorkedExampleReport());
}

TEST(StakeoutReport, HeightsNotesAndChineseNamesAligned)
{
    const Sheet s = HeightsAndNotes();
    EXPECT_EQ(StakeoutReport(s.station, s.backsight, s.data).toStdString(), HeightsAndNotesReport());
}

TEST(StakeoutReport, WrittenFileIsGbkWithCrLfAndReadsBackInPython)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("放样.txt"));
    const Sheet s = HeightsAndNotes();
    ASSERT_TRUE(WriteStakeoutReport(path, s.station, s.backsight, s.data).ok());
    EXPECT_EQ(DecodeGbkWithPython(path), HeightsAndNotesReport());

    // In GBK a line's byte count is its width in a fixed-width font: the
    // rules are 58 wide, no row wider; the header stops after 备注.
    const QList<QByteArray> lines = FileBytes(path).split('\n');
    ASSERT_EQ(lines.size(), 18);  // 17 lines and the empty piece after the last
    for (int i = 0; i < 17; ++i) EXPECT_TRUE(lines[i].endsWith('\r')) << i;
    for (int i : {6, 8, 12}) EXPECT_EQ(lines[i].size(), 58 + 1) << i;
    EXPECT_EQ(lines[7].size(), 58 - 12 + 1);
    for (int i : {9, 10, 11}) EXPECT_LE(lines[i].size(), 58 + 1) << i;
    EXPECT_EQ(lines[10].size(), 58 + 1);  // the row with the note is full width
}

TEST(StakeoutReport, DisplayWidthCountsChineseAsTwo)
{
    EXPECT_EQ(DisplayWidth(QStringLiteral("点名")), 4);
    EXPECT_EQ(DisplayWidth(QStringLiteral("138°28ˊ32\"")), 12);
    EXPECT_EQ(DisplayWidth(QString()), 0);
    EXPECT_EQ(DisplayWidth(QString::fromUtf8("\xF0\xA0\x80\x80")), 2);  // a surrogate pair: one character
}

TEST(StakeoutReport, FailuresWriteNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Sheet s = WorkedExample();
    s.station.x = std::numeric_limits<double>::quiet_NaN();
    const QString path = dir.filePath(QStringLiteral("bad.txt"));
    const FileStatus status = WriteStakeoutReport(path, s.station, s.backsight, s.data);
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error->startsWith(QStringLiteral("放样数据表未保存："))) << status.error->toStdString();
    EXPECT_EQ(FileBytes(path), "<missing>");

    // A name GBK cannot hold is refused by the writer, nothing written.
    Sheet t = WorkedExample();
    t.data.lines[0].name = "P\xF0\x9F\x98\x80";  // an emoji
    EXPECT_FALSE(WriteStakeoutReport(path, t.station, t.backsight, t.data).ok());
    EXPECT_EQ(FileBytes(path), "<missing>");

    const Sheet good = WorkedExample();
    EXPECT_FALSE(WriteStakeoutReport(dir.filePath(QStringLiteral("no/such/folder/s.txt")), good.station,
                                     good.backsight, good.data)
                     .ok());
}

}  // namespace
}  // namespace tarvelo
