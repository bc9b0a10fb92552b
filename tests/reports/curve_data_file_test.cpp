#include "reports/curve_data_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/curve/curve_inputs.h"
#include "gbk_reference.h"

namespace tarvelo {
namespace {

using test_support::FileBytes;
using test_support::PutFileBytes;
using test_support::ReferenceFile;
using test_support::ReferenceGbk;
using test_support::Spaces;

const std::string kLabel[8] = {
    "交点坐标X(N)",
    "交点坐标Y(E)",
    "交点桩号JD(K)",
    "曲线半径R(m)",
    "缓和曲线Ls1(m)",
    "缓和曲线Ls2(m)",
    "曲线转角a(左负右正,格式:d.ms、14°18ˊ10″为14.1810)",
    "计算方位角F(格式:d.ms、152°09ˊ41.68″为152.094168)",
};

// The default window's file: each value, spaces to column 20, its label.
std::string DefaultFile()
{
    return ReferenceFile({
        "3378226.731" + Spaces(8) + kLabel[0],  // 11 characters + 8 = 19
        "456053.721" + Spaces(9) + kLabel[1],
        "10021.359" + Spaces(10) + kLabel[2],
        "4500" + Spaces(15) + kLabel[3],
        "360" + Spaces(16) + kLabel[4],
        "360" + Spaces(16) + kLabel[5],
        "53.12461" + Spaces(11) + kLabel[6],
        "98.565562" + Spaces(10) + kLabel[7],
    });
}

class CurveDataFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir_;
};

TEST(CurveDataLabels, AreTheEightLabelsInLineOrder)
{
    for (int i = 0; i < 8; ++i) EXPECT_EQ(std::string(kCurveDataLabels[i]), kLabel[i]) << i;
}

TEST_F(CurveDataFileTest, DefaultInputsExportByteForByte)
{
    const QString path = Path("curve.txt");
    ASSERT_TRUE(ExportCurveInputs(path, DefaultCurveTexts()).ok());
    EXPECT_EQ(FileBytes(path), DefaultFile());
}

TEST_F(CurveDataFileTest, ValueLengthsAroundColumnTwentyExportAndReadBack)
{
    CurveTexts texts = DefaultCurveTexts();
    texts[0] = "";                      // empty box: 19 spaces, then the label
    texts[1] = "1234567890.12345678";   // 19 characters: the label follows directly
    texts[2] = "12345678901.12345678";  // 20 characters: one space, then the label
    texts[3] = " +4500.000 ";           // kept as typed, not trimmed
    texts[4] = "abc";                   // not a number: written as it is
    texts[5] = "-0.5e+3";
    texts[6] = "-14.1810";
    texts[7] = "152.094168000000000000000001";  // 28 characters
    const QString path = Path("curve.txt");
    ASSERT_TRUE(ExportCurveInputs(path, texts).ok());
    EXPECT_EQ(FileBytes(path), ReferenceFile({
                                   Spaces(19) + kLabel[0],
                                   "1234567890.12345678" + kLabel[1],
                                   "12345678901.12345678 " + kLabel[2],
                                   " +4500.000 " + Spaces(8) + kLabel[3],
                                   "abc" + Spaces(16) + kLabel[4],
                                   "-0.5e+3" + Spaces(12) + kLabel[5],
                                   "-14.1810" + Spaces(11) + kLabel[6],
                                   "152.094168000000000000000001 " + kLabel[7],
                               }));

    const FileResult<CurveTexts> back = ImportCurveInputs(path);
    ASSERT_TRUE(back.ok()) << back.error->toStdString();
    const CurveTexts expected = {"0",   "1234567890.12346", "12345678901.1235", "4500",
                                 "0",   "-500",             "-14.181",          "152.094168"};
    EXPECT_EQ(*back.value, expected);
}

TEST_F(CurveDataFileTest, DefaultInputsComeBackUnchanged)
{
    const QString path = Path("curve.txt");
    ASSERT_TRUE(ExportCurveInputs(path, DefaultCurveTexts()).ok());
    const FileResult<CurveTexts> back = ImportCurveInputs(path);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back.value, DefaultCurveTexts());
}

TEST(ParseCurveData, ReadsTheLeadingNumberOfEachOfTheFirstEightLines)
{
    struct Case {
        const char* name;
        const char* text;
        CurveTexts expected;
    };
    const Case cases[] = {
        {"CR LF", "1 a\r\n2 b\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"lone CR", "1\r2\r3\r4\r5\r6\r7\r8\r", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"lone LF", "1\n2\n3\n4\n5\n6\n7\n8\n", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"mixed ends, last line unended", "1\r\n2\r3\n4\n\r6\r\n7\r\n8\r\n9",
         {"1", "2", "3", "4", "0", "6", "7", "8"}},  // "\n\r" is two line ends: line 5 is empty
        {"lines after the eighth ignored", "1\n2\n3\n4\n5\n6\n7\n8\n1e999\nx", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"no numbers at all", "a\nb\nc\nd\ne\nf\ng\nh", {"0", "0", "0", "0", "0", "0", "0", "0"}},
        {"general text", "-14.1810\n+5\n  7\n1e15\n0.00001\n123456789012345678\n-0\n2.50000",
         {"-14.181", "5", "7", "1e+15", "1e-05", "1.23456789012346e+17", "0", "2.5"}},
    };
    for (const Case& c : cases) {
        const FileResult<CurveTexts> texts = ParseCurveData(QString::fromUtf8(c.text));
        ASSERT_TRUE(texts.ok()) << c.name << ": " << texts.error->toStdString();
        EXPECT_EQ(*texts.value, c.expected) << c.name;
    }
}

TEST(ParseCurveData, RefusesShortTextsAndHugeNumbers)
{
    struct Case {
        const char* name;
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "0 行"},
        {"seven lines", "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n", "7 行"},
        {"seven lines and an empty end", "1\n2\n3\n4\n5\n6\n7\n", "7 行"},
        {"huge exponent", "1\n2\n1e999\n4\n5\n6\n7\n8\n", "第 3 行"},
        {"huge negative", "-1e400\n2\n3\n4\n5\n6\n7\n8\n", "第 1 行"},
    };
    for (const Case& c : cases) {
        const FileResult<CurveTexts> texts = ParseCurveData(QString::fromUtf8(c.text));
        EXPECT_FALSE(texts.ok()) << c.name;
        ASSERT_TRUE(texts.error.has_value());
        EXPECT_TRUE(texts.error->contains(QString::fromUtf8(c.reason))) << texts.error->toStdString();
    }
}

TEST_F(CurveDataFileTest, ImportReadsUtf8BomAndOtherLineEnds)
{
    // The default file as another editor might save it: UTF-8, LF only.
    std::string utf8;
    const char* values[8] = {"3378226.731", "456053.721", "10021.359", "4500", "360", "360", "53.12461", "98.565562"};
    for (int i = 0; i < 8; ++i) utf8 += std::string(values[i]) + " " + kLabel[i] + "\n";
    std::string lone_cr = utf8;
    for (char& c : lone_cr)
        if (c == '\n') c = '\r';
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"utf8.txt", utf8},
        {"bom.txt", "\xEF\xBB\xBF" + utf8},
        {"cr.txt", ReferenceGbk(lone_cr)},
    };
    for (const auto& f : files) {
        const QString path = Path(f.name);
        PutFileBytes(path, f.bytes);
        const FileResult<CurveTexts> texts = ImportCurveInputs(path);
        ASSERT_TRUE(texts.ok()) << f.name << ": " << texts.error->toStdString();
        EXPECT_EQ(*texts.value, DefaultCurveTexts()) << f.name;
    }
}

TEST_F(CurveDataFileTest, UnreadableFilesGiveAnErrorNamingThePathAndNoTexts)
{
    struct Case {
        const char* name;
        std::string bytes;  // "<none>": the file is not created
        const char* reason;
    };
    const std::string full = DefaultFile();
    const Case cases[] = {
        {"missing.txt", "<none>", "不存在"},
        {"empty.txt", "", "0 行"},
        {"short.txt", full.substr(0, full.find("\r\n") + 2) + "4500\r\n", "2 行"},
        {"binary.bin", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 20), "控制字符"},
        // Eight good lines, then the first byte of 交 (BD BB) alone at the end:
        // neither GBK nor UTF-8.
        {"truncated.txt", full + "\xBD", "编码"},
    };
    for (const Case& c : cases) {
        const QString path = Path(c.name);
        if (c.bytes != "<none>") PutFileBytes(path, c.bytes);
        const FileResult<CurveTexts> texts = ImportCurveInputs(path);
        EXPECT_FALSE(texts.ok()) << c.name;
        EXPECT_FALSE(texts.value.has_value()) << c.name;
        ASSERT_TRUE(texts.error.has_value()) << c.name;
        EXPECT_TRUE(texts.error->contains(QDir::toNativeSeparators(path))) << texts.error->toStdString();
        EXPECT_TRUE(texts.error->contains(QString::fromUtf8(c.reason))) << texts.error->toStdString();
    }
    const FileResult<CurveTexts> folder = ImportCurveInputs(dir_.path());
    EXPECT_FALSE(folder.ok());

    // A good file grown past the size limit (sparse: no real 16 MiB written).
    const QString huge = Path("huge.txt");
    PutFileBytes(huge, full);
    ASSERT_TRUE(QFile::resize(huge, kMaxCurveDataFileBytes + 1));
    const FileResult<CurveTexts> tooLarge = ImportCurveInputs(huge);
    EXPECT_FALSE(tooLarge.ok());
    ASSERT_TRUE(tooLarge.error.has_value());
    EXPECT_TRUE(tooLarge.error->contains(QString::fromUtf8("太大"))) << tooLarge.error->toStdString();
}

TEST_F(CurveDataFileTest, TextWithLineBreakIsRefusedAndNoFileWritten)
{
    CurveTexts texts = DefaultCurveTexts();
    texts[4] = "360\r\n999";
    const QString path = Path("curve.txt");
    const FileStatus status = ExportCurveInputs(path, texts);
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(CurveDataText(texts).ok());
    EXPECT_EQ(FileBytes(path), "<missing>");

    texts[4] = "3\xF0\x9F\x98\x80";  // GBK cannot hold it
    EXPECT_FALSE(ExportCurveInputs(path, texts).ok());
    EXPECT_EQ(FileBytes(path), "<missing>");
}

}  // namespace
}  // namespace tarvelo
