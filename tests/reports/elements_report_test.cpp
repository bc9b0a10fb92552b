#include "reports/elements_report.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "compute/curve_command.h"
#include "compute/main_points.h"
#include "core/curve/curve_inputs.h"
#include "gbk_reference.h"

namespace tarvelo {
namespace {

using test_support::FileBytes;
using test_support::ReferenceFile;
using test_support::Spaces;

// What the window shows after "计算要素" with the default inputs.
ElementsReportInput DefaultInput()
{
    CurveState s;
    if (PrepareCurve(s, DefaultCurveTexts())) throw std::runtime_error("default inputs refused");
    const ElementsDisplay display = ComputeElementsDisplay(s);
    CurveState t;
    PrepareCurve(t, DefaultCurveTexts());
    const MainPoints points = ComputeMainPoints(t);
    std::array<double, 5> stations{};
    for (int i = 0; i < 5; ++i) stations[i] = points[i].station;
    FileResult<ElementsReportInput> input = ElementsReportInputFromDisplay(display, stations);
    if (!input.ok()) throw std::runtime_error(input.error->toStdString());
    return *input.value;
}

const std::string kRule = Spaces(26) + std::string(33, '-');
const std::string kSignature = "计算：" + Spaces(32) + "复核：" + Spaces(32) + "监理：";

// The 32 lines of the default curve's report, worked out from the cell texts
// of the window: field columns 2, 22, 41, 63 and 2, 21, 39, 62.
std::string DefaultReport()
{
    return ReferenceFile({
        "", "", "",
        Spaces(29) + "曲线五大桩坐标及切线方位角",
        kRule,
        "",
        " 直缓桩号ZH=07+586.706 , 坐标X=3378605.4449 , 坐标Y=453648.7035 , 切线方位角FWJ=98°56ˊ55.62\"",
        "",
        " 缓圆桩号HY=07+946.706 , 坐标X=3378544.7143 , 坐标Y=454003.5181 , 切线方位角FWJ=101°14ˊ26.21\"",
        "",
        " 曲中桩号QZ=09+856.368 , 坐标X=3377792.0379 , 坐标Y=455743.0253 , 切线方位角FWJ=125°33ˊ18.67\"",
        "",
        " 圆缓桩号YH=11+766.030 , 坐标X=3376389.8897 , 坐标Y=457018.3243 , 切线方位角FWJ=149°52ˊ11.13\"",
        "",
        " 缓直桩号HZ=12+126.030 , 坐标X=3376073.8453 , 坐标Y=457190.654 , 切线方位角FWJ=152°9ˊ41.72\"",
        "", "",
        Spaces(37) + "曲线要素表",
        kRule,
        "",
        // 1 + 6 + 9 = 16 columns used, 5 spaces to column 22; 21 + 16 = 37, 3
        // spaces to 41; 40 + 14 = 54, 8 spaces to 63.
        " 切线长T1=2434.6526" + Spaces(5) + "切线长T2 =2434.6526" + Spaces(3) + "切线角βo1 =2.2918" + Spaces(8) +
            "外失距E =534.3125",
        "",
        " 内移值p1=1.1999" + Spaces(8) + "内移值p2=1.1999" + Spaces(7) + "切线角βo2=2.2918" + Spaces(9) +
            "曲线长L=4539.324",
        "",
        " 切线增值q1=179.9904" + Spaces(4) + "切线增值q2=179.9904" + Spaces(3) + "切曲差Dh=329.9812" + Spaces(9) +
            "圆曲线长Ly=3819.324",
        "", "", "", "", "", "",
        kSignature,
    });
}

int CountCrLf(const std::string& bytes)
{
    int n = 0;
    for (std::size_t i = bytes.find("\r\n"); i != std::string::npos; i = bytes.find("\r\n", i + 2)) ++n;
    return n;
}

class ElementsReportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir_;
};

TEST_F(ElementsReportTest, DefaultCurveReportIsTheThirtyTwoLinesByteForByte)
{
    const QString path = Path("elements.txt");
    ASSERT_TRUE(WriteElementsReport(path, DefaultInput()).ok());
    const std::string bytes = FileBytes(path);
    EXPECT_EQ(bytes, DefaultReport());
    EXPECT_EQ(CountCrLf(bytes), 32);

    // Saving again replaces the first report completely.
    ASSERT_TRUE(WriteElementsReport(path, DefaultInput()).ok());
    EXPECT_EQ(FileBytes(path), DefaultReport());
}

TEST(ElementsReportText, StationsAreRoundedToThreeDecimalsNotCut)
{
    ElementsReportInput input = DefaultInput();
    // The table shows 10+021.3596; cutting that text would give 10+021.359.
    input.stations = {10021.35959, 0, 999.9996, -512.3, 100000};
    const QStringList lines = ElementsReportText(input).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines[6].startsWith(QString::fromUtf8(" 直缓桩号ZH=10+021.360 , 坐标X="))) << lines[6].toStdString();
    EXPECT_TRUE(lines[8].startsWith(QString::fromUtf8(" 缓圆桩号HY=00+000.000 , "))) << lines[8].toStdString();
    EXPECT_TRUE(lines[10].startsWith(QString::fromUtf8(" 曲中桩号QZ=01+000.000 , "))) << lines[10].toStdString();
    EXPECT_TRUE(lines[12].startsWith(QString::fromUtf8(" 圆缓桩号YH=-00+512.300 , "))) << lines[12].toStdString();
    EXPECT_TRUE(lines[14].startsWith(QString::fromUtf8(" 缓直桩号HZ=100+000.000 , "))) << lines[14].toStdString();
}

TEST(ElementsReportText, FieldsFillUpToTheirColumnOrBreakTheLine)
{
    struct Case {
        const char* name;
        const char* t1;                  // the T1 cell
        std::vector<std::string> lines;  // expected lines 21 on, up to the next blank
    };
    const Case cases[] = {
        // 1 + 6 + 14 = 21 columns: T2 starts right after, in column 22.
        {"field ends at column 21",
         "12345678901234",
         {" 切线长T1=12345678901234切线长T2 =2434.6526" + Spaces(3) + "切线角βo1 =2.2918" + Spaces(8) +
          "外失距E =534.3125"}},
        // 1 + 6 + 15 = 22 columns: no room, T2 goes to column 22 of a new line.
        {"field overruns by one",
         "123456789012345",
         {" 切线长T1=123456789012345",
          Spaces(21) + "切线长T2 =2434.6526" + Spaces(3) + "切线角βo1 =2.2918" + Spaces(8) + "外失距E =534.3125"}},
        // Long enough to pass column 41 too: each later field still gets its
        // column on the line it lands on.
        {"field overruns two columns",
         "1234567890123456789012345678901234567890",
         {" 切线长T1=1234567890123456789012345678901234567890",
          Spaces(21) + "切线长T2 =2434.6526" + Spaces(3) + "切线角βo1 =2.2918" + Spaces(8) + "外失距E =534.3125"}},
    };
    for (const Case& c : cases) {
        ElementsReportInput input = DefaultInput();
        input.elements[0] = c.t1;
        const QStringList lines = ElementsReportText(input).split(QStringLiteral("\r\n"));
        // 32 lines, one more per break, and the empty piece after the last CR LF.
        ASSERT_EQ(lines.size(), 32 + static_cast<int>(c.lines.size()) - 1 + 1) << c.name;
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(lines[20 + static_cast<int>(i)].toStdString(), c.lines[i]) << c.name << " line " << i;
        EXPECT_EQ(lines[20 + static_cast<int>(c.lines.size())], QString()) << c.name;
        EXPECT_EQ(lines[lines.size() - 2].toStdString(), kSignature) << c.name;
    }
}

TEST(ElementsReportInputFromDisplay, NeedsEveryCellAndNoFault)
{
    CurveState s;
    ASSERT_FALSE(PrepareCurve(s, DefaultCurveTexts()));
    const ElementsDisplay full = ComputeElementsDisplay(s);
    const std::array<double, 5> stations{1, 2, 3, 4, 5};

    // Cells in any order give the same record.
    ElementsDisplay reversed = full;
    std::reverse(reversed.cells.begin(), reversed.cells.end());
    const FileResult<ElementsReportInput> a = ElementsReportInputFromDisplay(full, stations);
    const FileResult<ElementsReportInput> b = ElementsReportInputFromDisplay(reversed, stations);
    ASSERT_TRUE(a.ok() && b.ok());
    EXPECT_EQ(a.value->elements, b.value->elements);
    EXPECT_EQ(a.value->elements[2], "2.2918");  // betao1, Label67
    EXPECT_EQ(a.value->elements[11], "3819.324");  // Ly, Label76
    EXPECT_EQ(a.value->stakes[4].azimuth, "152°9ˊ41.72\"");  // Label64

    ElementsDisplay missing = full;
    missing.cells.pop_back();  // the YH azimuth cell
    EXPECT_FALSE(ElementsReportInputFromDisplay(missing, stations).ok());

    ElementsDisplay faulted = full;
    faulted.fault = "T1 超出范围";
    EXPECT_FALSE(ElementsReportInputFromDisplay(faulted, stations).ok());
}

TEST_F(ElementsReportTest, NonFiniteStationOrUnencodableCellWritesNothing)
{
    const QString path = Path("elements.txt");
    ElementsReportInput input = DefaultInput();
    input.stations[2] = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(WriteElementsReport(path, input).ok());
    EXPECT_EQ(FileBytes(path), "<missing>");

    input = DefaultInput();
    input.elements[3] = "534\xF0\x9F\x98\x80";
    const FileStatus status = WriteElementsReport(path, input);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(FileBytes(path), "<missing>");

    const FileStatus missingFolder = WriteElementsReport(Path("no/such/folder/e.txt"), DefaultInput());
    EXPECT_FALSE(missingFolder.ok());
}

}  // namespace
}  // namespace tarvelo
