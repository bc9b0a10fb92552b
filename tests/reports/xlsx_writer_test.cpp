// Workbooks the program writes, read back by openpyxl: the typed cells of a
// table, the sheet's title, frozen header and number formats, and the
// atomic write.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include <cmath>
#include <optional>

#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "reports/csv_field.h"
#include "reports/xlsx_tables.h"
#include "reports/xlsx_writer.h"
#include "tests/reports/export_test_support.h"

namespace tarvelo {
namespace {

using testing::ReadAll;
using testing::RunPythonCheck;
using testing::WriteFile;

TEST(XlsxTables, CellsAreTypedFromTheWritersText)
{
    const TextRecords block = {
        {"交点", "交点桩号", "转角", "R", "桩号", "结论"},
        {"JD1", "K10+877.237", "右41°4ˊ56.74\"", "800", "10877.2370", "相符"},
        {"JD2", "K13+060.000(2区)", "-0°30ˊ0\"", "-", "13060.0000", "-"},
        {"JD3", "K13+100.000=K13+050.000", "左1°0ˊ0\"", "1.5e3", "13100.0000", ""},
    };
    const XlsxTable t = TypedXlsxTable("表", "题", block);
    const std::vector<std::string> columns = {"交点", "交点桩号", "交点桩号(m)", "转角", "转角(度)",
                                              "R",    "桩号",     "桩号(K)",     "结论"};
    EXPECT_EQ(t.columns, columns);
    ASSERT_EQ(t.rows.size(), 3u);
    using K = XlsxValue::Kind;
    const struct {
        std::size_t row, col;
        K kind;
        double number;
        int decimals;
        const char* text;
    } cells[] = {
        {0, 1, K::Text, 0, 0, "K10+877.237"},       {0, 2, K::Number, 10877.237, 3, ""},
        {0, 4, K::Number, 41 + 4 / 60.0 + 56.74 / 3600, 8, ""},
        {0, 5, K::Number, 800, 0, ""},                {0, 6, K::Number, 10877.237, 4, ""},
        {0, 7, K::Text, 0, 0, "K10+877.2370"},        {1, 2, K::Number, 13060, 3, ""},
        {1, 4, K::Number, -0.5, 8, ""},               {1, 5, K::Text, 0, 0, "-"},
        {2, 2, K::Number, 13100, 3, ""},              {2, 4, K::Number, 1, 8, ""},
        {2, 5, K::Number, 1500, 10, ""},              {2, 8, K::Empty, 0, 0, ""},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.col));
        const XlsxValue& v = t.rows[c.row][c.col];
        EXPECT_EQ(v.kind, c.kind);
        if (c.kind == K::Number) {
            EXPECT_NEAR(v.number, c.number, 1e-12 * std::max(1.0, std::fabs(c.number)));
            EXPECT_EQ(v.decimals, c.decimals);
        }
        if (c.kind == K::Text) {
            EXPECT_EQ(v.text, c.text);
        }
    }
    // A file read back by column position keeps its columns, its cells typed alike.
    const XlsxTable asWritten = TypedXlsxTable("表", "题", block, nullptr, XlsxColumns::AsWritten);
    EXPECT_EQ(asWritten.columns, block.front());
    EXPECT_EQ(asWritten.rows[0][1].text, "K10+877.237");
    EXPECT_EQ(asWritten.rows[0][4].number, 10877.237);
    // A first record with a number is data, not a header.
    EXPECT_TRUE(TypedXlsxTable("s", "t", {{"起点 QD", "K10+000.000", "3378000.0000"}}).columns.empty());
}

// 切 (E5 88 87) shares a byte with （ (EF BC 88): the added column's name
// was once cut inside the character.
TEST(XlsxTables, ChineseColumnNamesAreNotCutInsideACharacter)
{
    const XlsxTable t = TypedXlsxTable("s", "t", {{"切线方位角F", "里程"}, {"127°23ˊ2.26\"", "K10+000"}});
    const std::vector<std::string> columns = {"切线方位角F", "切线方位角F(度)", "里程", "里程(m)"};
    EXPECT_EQ(t.columns, columns);
}

TEST(XlsxTables, FullValuesComeFromTheNotesInTheOrderTheRowsWereWritten)
{
    // A table formatted as a command formats it, a message's number between
    // its rows.
    std::string csv = "桩号,X,高差\n";
    std::optional<FullValues> full;
    const double stations[] = {10000.00004, 10020.123449, 10040.5};
    const double xs[] = {3378000.000049, 3378018.7071234, 3378037.41498};
    const double dz[] = {0.00449, -1.23451, 2.0004999999999997};
    {
        FixedTextLog notes;
        for (int r = 0; r < 3; ++r) {
            AppendKStation(csv, stations[r], 3);
            csv += ',';
            AppendFixed(csv, xs[r], 4);
            csv += ',';
            if (dz[r] > 0) csv += '+';
            AppendFixed(csv, dz[r], 3);
            csv += '\n';
            if (r == 0) FormatFixed(3378018.7071, 4);  // a note no field shows
        }
        {
            FixedTextLog inner;  // the innermost log takes the notes
            FormatFixed(1.5, 1);
            EXPECT_EQ(inner.entries().size(), 1u);
        }
        EXPECT_EQ(notes.entries().size(), 10u);
        full.emplace(notes.Release());
        EXPECT_TRUE(notes.entries().empty());
    }
    const XlsxTable t = TypedXlsxTable("s", "t", SplitCsvRecords(csv), &*full);
    const std::vector<std::string> columns = {"桩号", "桩号(m)", "X", "高差"};
    ASSERT_EQ(t.columns, columns);
    ASSERT_EQ(t.rows.size(), 3u);
    for (std::size_t r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(t.rows[r][1].number, stations[r]);
        EXPECT_EQ(t.rows[r][1].decimals, 3);
        EXPECT_EQ(t.rows[r][2].number, xs[r]);
        EXPECT_EQ(t.rows[r][2].decimals, 4);
        EXPECT_EQ(t.rows[r][3].number, dz[r]);
        EXPECT_EQ(t.rows[r][3].plus, dz[r] > 0);
    }
    // Without notes a cell holds what its text reads.
    const XlsxTable plain = TypedXlsxTable("s", "t", SplitCsvRecords(csv));
    EXPECT_EQ(plain.rows[1][2].number, 3378018.7071);

    // The look-up itself: a field without a point keeps its text's value; a
    // field no note wrote keeps it too and leaves the notes where they were.
    FullValues values({{1.4999, 2}, {7.2, 0}, {2.2501, 2}, {2.2499, 2}});
    const struct {
        const char* shown;
        double read, expected;
    } lookups[] = {{"7", 7, 7}, {"9.99", 9.99, 9.99}, {"1.50", 1.5, 1.4999}, {"2.25", 2.25, 2.2501},
                   {"1.50", 1.5, 1.5}, {"2.25", 2.25, 2.2499}, {"2.25", 2.25, 2.25}};
    for (const auto& l : lookups) EXPECT_EQ(values.Of(l.shown, l.read), l.expected) << l.shown;
}

// A value a hair below a rounding tie was stored with 16 digits as the tie
// itself and showed one unit more than the CSV beside it.
TEST(XlsxWriter, ANumberBelowATieStillShowsTheDigitsOfItsText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tie.xlsx"));
    XlsxTable t;
    t.sheet = "s";
    t.title = "t";
    t.columns = {"高程", "高差"};
    const double below = std::nextafter(366.0565, 0.0);  // 366.05649999999997
    ASSERT_EQ(FormatFixed(below, 3), "366.056");
    XlsxValue z, dz;
    z.kind = dz.kind = XlsxValue::Kind::Number;
    z.number = below;
    z.decimals = 3;
    dz.number = 0.25;
    dz.decimals = 2;
    dz.plus = true;
    t.rows = {{z, dz}};
    ASSERT_TRUE(WriteXlsxFile(path, {t}).ok());
    const testing::PythonRun run = RunPythonCheck("xlsx_dump.py", {path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject s = run.json.value(QStringLiteral("sheets")).toArray()[0].toObject();
    const QJsonArray row = s.value(QStringLiteral("rows")).toArray()[2].toArray();
    const QJsonArray formats = s.value(QStringLiteral("formats")).toArray()[2].toArray();
    EXPECT_EQ(FormatFixed(row[0].toDouble(), 3), "366.056");
    EXPECT_NEAR(row[0].toDouble(), below, 1e-12);
    EXPECT_EQ(row[1].toDouble(), 0.25);
    EXPECT_EQ(formats[1].toString(), QStringLiteral("+0.00;-0.00;0.00"));
}

TEST(XlsxWriter, OpenpyxlReadsTheTableBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("成果 表.xlsx"));
    XlsxTable t;
    t.sheet = "逐桩坐标表";
    t.title = "逐桩坐标表（示例）";
    t.columns = {"桩号", "X(北)", "类型"};
    XlsxValue k, x, kind;
    k.kind = XlsxValue::Kind::Text;
    k.text = "K10+480.000";
    x.kind = XlsxValue::Kind::Number;
    x.number = 3378448.876312345;  // the full value stored, four decimals shown
    x.decimals = 4;
    kind.kind = XlsxValue::Kind::Text;
    kind.text = "ZH";
    t.rows = {{k, x, kind}, {k, x, XlsxValue()}};
    XlsxTable second = t;
    second.sheet = "汇总";
    second.columns.clear();
    ASSERT_TRUE(WriteXlsxFile(path, {t, second}).ok());

    const testing::PythonRun run = RunPythonCheck("xlsx_dump.py", {path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray sheets = run.json.value(QStringLiteral("sheets")).toArray();
    ASSERT_EQ(sheets.size(), 2);
    const QJsonObject s = sheets[0].toObject();
    EXPECT_EQ(s.value(QStringLiteral("name")).toString(), QStringLiteral("逐桩坐标表"));
    EXPECT_EQ(s.value(QStringLiteral("freeze")).toString(), QStringLiteral("A3"));
    EXPECT_EQ(s.value(QStringLiteral("merged")).toArray().at(0).toString(), QStringLiteral("A1:C1"));
    const QJsonArray rows = s.value(QStringLiteral("rows")).toArray();
    const QJsonArray formats = s.value(QStringLiteral("formats")).toArray();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].toArray()[0].toString(), QStringLiteral("逐桩坐标表（示例）"));
    EXPECT_EQ(rows[1].toArray()[1].toString(), QStringLiteral("X(北)"));
    EXPECT_EQ(rows[2].toArray()[0].toString(), QStringLiteral("K10+480.000"));
    EXPECT_EQ(rows[2].toArray()[1].toDouble(), 3378448.876312345);
    EXPECT_EQ(formats[2].toArray()[1].toString(), QStringLiteral("0.0000"));
    EXPECT_TRUE(rows[3].toArray()[2].isNull());
    const QJsonObject summary = sheets[1].toObject();
    EXPECT_TRUE(summary.value(QStringLiteral("freeze")).isNull());
    EXPECT_EQ(summary.value(QStringLiteral("rows")).toArray().size(), 3);
}

TEST(XlsxWriter, ARefusedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.xlsx"));
    WriteFile(path, "old content");
    XlsxTable t;
    t.title = "t";
    const struct {
        const char* sheet;
        const char* why;
    } cases[] = {{"a/b", "不能用于 Excel"}, {"", "不能用于 Excel"}, {"三十二个字符的名字三十二个字符的名字三十二个字符的名字三十二个字", "不能用于 Excel"}};
    for (const auto& c : cases) {
        t.sheet = c.sheet;
        const FileStatus s = WriteXlsxFile(path, {t});
        ASSERT_FALSE(s.ok());
        EXPECT_TRUE(s.error->contains(QString::fromUtf8(c.why))) << s.error->toStdString();
        EXPECT_EQ(ReadAll(path), QByteArray("old content"));
    }
    t.sheet = "表";
    XlsxTable twin = t;
    EXPECT_FALSE(WriteXlsxFile(path, {t, twin}).ok());  // a name twice
    XlsxValue nan;
    nan.kind = XlsxValue::Kind::Number;
    nan.number = std::nan("");
    t.rows = {{nan}};
    EXPECT_FALSE(WriteXlsxFile(path, {t}).ok());
    XlsxValue cut;  // half a Chinese character
    cut.kind = XlsxValue::Kind::Text;
    cut.text = std::string("切").substr(0, 2);
    t.rows = {{cut}};
    EXPECT_FALSE(WriteXlsxFile(path, {t}).ok());
    EXPECT_EQ(ReadAll(path), QByteArray("old content"));
    EXPECT_FALSE(WriteXlsxFile(dir.filePath(QStringLiteral("missing/x.xlsx")), {twin}).ok());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.xlsx")});
}

}  // namespace
}  // namespace tarvelo
