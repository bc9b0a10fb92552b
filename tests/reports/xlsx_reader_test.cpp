// Workbooks other programs wrote (openpyxl, from the example CSV files; the
// LibreOffice-written ones in tests/data/xlsx when present) read through the
// one table-file layer: each gives the rows of its CSV twin, and refused
// workbooks say why.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <functional>

#include "core/files/break_file.h"
#include "core/files/design_table.h"
#include "core/files/profile_file.h"
#include "core/files/route_file.h"
#include "reports/csv_field.h"
#include "reports/table_file.h"
#include "reports/xlsx_reader.h"
#include "tests/reports/export_test_support.h"

namespace tarvelo {
namespace {

using testing::ReadAll;
using testing::RunPythonCheck;
using testing::WriteFile;

const QString kExamples = QStringLiteral(TARVELO_EXPORT_TEST_DIR "/../../examples/");

// The workbooks xlsx_make.py writes, made once for the suite.
class XlsxWorkbooks : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new QTemporaryDir;
        const testing::PythonRun run = RunPythonCheck("xlsx_make.py", {kExamples, dir_->path()});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    static QString Book(const char* name) { return dir_->filePath(QString::fromUtf8(name)); }
    static std::string Text(const QString& path)
    {
        const FileResult<std::string> text = ReadTableFileText(path);
        EXPECT_TRUE(text.ok()) << text.error->toStdString();
        return text.ok() ? *text.value : std::string();
    }
    static QTemporaryDir* dir_;
};
QTemporaryDir* XlsxWorkbooks::dir_ = nullptr;

void ExpectSameRoute(const std::string& csv, const std::string& book)
{
    const RouteFileParse a = ParseRouteFile(csv), b = ParseRouteFile(book);
    ASSERT_TRUE(a.errors.empty() && b.errors.empty()) << (b.errors.empty() ? "" : b.errors[0].message);
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a.rows[i].name, b.rows[i].name);
        // Every stored digit is read, whatever the cell shows.
        EXPECT_EQ(a.rows[i].x, b.rows[i].x);
        EXPECT_EQ(a.rows[i].y, b.rows[i].y);
        EXPECT_EQ(a.rows[i].station, b.rows[i].station);
        EXPECT_EQ(a.rows[i].R, b.rows[i].R);
        EXPECT_EQ(a.rows[i].Ls1, b.rows[i].Ls1);
        EXPECT_EQ(a.rows[i].Ls2, b.rows[i].Ls2);
    }
}

void ExpectSameProfile(const std::string& csv, const std::string& book)
{
    const ProfileFileContent a = ParseProfileFile(csv), b = ParseProfileFile(book);
    ASSERT_TRUE(b.ok()) << b.errors[0].message;
    ASSERT_EQ(a.points.size(), b.points.size());
    for (std::size_t i = 0; i < a.points.size(); ++i) {
        EXPECT_EQ(a.points[i].station, b.points[i].station);
        EXPECT_EQ(a.points[i].elevation, b.points[i].elevation);
        EXPECT_EQ(a.points[i].R, b.points[i].R);
    }
}

TEST_F(XlsxWorkbooks, EachGivesTheRowsOfItsCsvTwin)
{
    const std::string route = Text(kExamples + "route-example.csv");
    // A merged title and a project row above, the table from column B, one
    // decimal shown of three stored, QD's station typed in K notation.
    ExpectSameRoute(route, Text(Book("route-titled.xlsx")));
    // A two-row header with merged upper cells, a total row below.
    ExpectSameRoute(route, Text(Book("route-two-row.xlsx")));

    // The second sheet by name; elevations from formulas' cached results.
    const DesignTable design = ParseDesignTable(Text(kExamples + "design-check-example.csv"));
    const DesignTable fromBook = ParseDesignTable(Text(Book("design-formula.xlsx") + "#逐桩坐标"));
    ASSERT_EQ(design.rows.size(), fromBook.rows.size());
    ASSERT_EQ(design.unreadable.size(), fromBook.unreadable.size());
    for (std::size_t i = 0; i < design.rows.size(); ++i) {
        EXPECT_EQ(design.rows[i].name, fromBook.rows[i].name);
        EXPECT_EQ(design.rows[i].station, fromBook.rows[i].station);
        EXPECT_EQ(design.rows[i].x, fromBook.rows[i].x);
        EXPECT_EQ(design.rows[i].y, fromBook.rows[i].y);
        EXPECT_EQ(design.rows[i].elevation, fromBook.rows[i].elevation) << design.rows[i].name;
    }
    // The unreadable row is named by its sheet row: the title above it is
    // row 1, the header row 2.
    EXPECT_EQ(fromBook.unreadable[0].name, "P40");
    EXPECT_EQ(fromBook.unreadable[0].line, 3 + 40);

    const BreakFileContent breaks = ParseBreakFile(Text(kExamples + "breaks-example.csv"));
    const BreakFileContent breaksBook = ParseBreakFile(Text(Book("breaks-profile.xlsx")));
    ASSERT_TRUE(breaksBook.ok());
    ASSERT_EQ(breaks.rows.size(), breaksBook.rows.size());
    for (std::size_t i = 0; i < breaks.rows.size(); ++i) {
        EXPECT_EQ(breaks.rows[i].back, breaksBook.rows[i].back);
        EXPECT_EQ(breaks.rows[i].ahead, breaksBook.rows[i].ahead);
        EXPECT_EQ(breaks.rows[i].name, breaksBook.rows[i].name);
    }

    ExpectSameProfile(Text(kExamples + "profile-example.csv"), Text(Book("breaks-profile.xlsx") + "#纵断面"));
}

// The same workbooks as LibreOffice Calc writes them, with its own cached
// formula results, and a CSV file Calc converted.
TEST_F(XlsxWorkbooks, LibreOfficeWorkbooksGiveTheRowsOfTheirCsvTwins)
{
    const QString data = QStringLiteral(TARVELO_EXPORT_TEST_DIR "/../data/xlsx/");
    const std::string route = Text(kExamples + "route-example.csv");
    ExpectSameRoute(route, Text(data + "lo-route-titled.xlsx#堃山路交点表"));
    ExpectSameRoute(route, Text(data + "lo-route-two-row.xlsx"));

    const DesignTable design = ParseDesignTable(Text(kExamples + "design-check-example.csv"));
    const DesignTable fromBook = ParseDesignTable(Text(data + "lo-design-formula.xlsx#逐桩坐标"));
    ASSERT_EQ(design.rows.size(), fromBook.rows.size());
    for (std::size_t i = 0; i < design.rows.size(); ++i) {
        EXPECT_EQ(design.rows[i].station, fromBook.rows[i].station);
        EXPECT_EQ(design.rows[i].x, fromBook.rows[i].x);
        EXPECT_EQ(design.rows[i].elevation, fromBook.rows[i].elevation) << design.rows[i].name;
    }

    for (const char* book : {"lo-profile-csv.xlsx", "lo-breaks-profile.xlsx#纵断面"}) {
        SCOPED_TRACE(book);
        ExpectSameProfile(Text(kExamples + "profile-example.csv"), Text(data + QString::fromUtf8(book)));
    }
    const BreakFileContent breaks = ParseBreakFile(Text(data + "lo-breaks-profile.xlsx"));
    ASSERT_TRUE(breaks.ok());
    EXPECT_EQ(breaks.rows.size(), 2u);
}

TEST_F(XlsxWorkbooks, SaysWhichSheetAndRowsItRead)
{
    QStringList notes;
    SetTableReadNotes([&](const QString& n) { notes << n; });
    Text(Book("route-two-row.xlsx"));
    Text(kExamples + "route-example.csv");  // a text file: nothing to say
    SetTableReadNotes({});
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].endsWith(QStringLiteral("读取工作表“线路”第 3–9 行（A–G 列，表头第 1–2 行），"
                                                  "第 11 行合计行未读，行号即工作表的行号。")))
        << notes[0].toStdString();
}

TEST_F(XlsxWorkbooks, ARowThatDoesNotParseIsNamedByItsSheetRow)
{
    const RouteFileParse parsed = ParseRouteFile(Text(Book("route-bad-cell.xlsx")));
    ASSERT_EQ(parsed.errors.size(), 1u);
    EXPECT_EQ(parsed.errors[0].message, "第 6 行：Y 不是数：“四五五”。");
}

TEST_F(XlsxWorkbooks, ReadersMessagesNameTheSheetsCells)
{
    const TableReadLog reads;
    const QString shifted = Book("route-shifted-bad-cell.xlsx");  // table in B–I, D blank
    const QString csv = kExamples + "route-example.csv";
    Text(shifted);
    Text(csv);
    const std::string book = shifted.toStdString(), text = csv.toStdString();
    const struct {
        std::string message, named;
    } cases[] = {
        // The quoted field's cell: the table's third column is the sheet's E.
        {"线路文件“" + book + "”有错误：\n第 7 行：Y 不是数：“455x”。",
         "线路文件“" + book + "”有错误：\n第 7 行（Sheet1!E7）：Y 不是数：“455x”。"},
        // No file named: the only workbook read. The name's cell (B5).
        {"第 5 行：点名“JD1”重复。", "第 5 行（Sheet1!B5）：点名“JD1”重复。"},
        // No field quoted, or one the row does not hold: the row's cells.
        {"第 8 行：交点缺少半径R。", "第 8 行（Sheet1!B8:I8）：交点缺少半径R。"},
        {"第 8 行：“abc”不对。", "第 8 行（Sheet1!B8:I8）：“abc”不对。"},
        // A text file's rows, and rows outside the table, stay as they are.
        {"“" + text + "”：第 7 行：Y 不是数：“455x”。", "“" + text + "”：第 7 行：Y 不是数：“455x”。"},
        {"第 2 行：标题。", "第 2 行：标题。"},
        {"第 99 行：太远。", "第 99 行：太远。"},
        {"第 3–9 行", "第 3–9 行"},
    };
    for (const auto& c : cases) EXPECT_EQ(reads.NameCells(c.message), c.named);

    const TableReadLog none;  // nothing read: messages as they are
    EXPECT_EQ(none.NameCells(cases[0].message), cases[0].message);
}

TEST(XlsxReference, SheetNamesAreQuotedAsExcelQuotesThem)
{
    const struct {
        const char* sheet;
        int row, first, last;
        const char* ref;
    } cases[] = {
        {"Sheet1", 12, 2, -1, "Sheet1!C12"},       {"交点表", 5, 4, -1, "交点表!E5"},
        {"线路", 6, 0, 6, "线路!A6:G6"},           {"My sheet", 3, 27, -1, "'My sheet'!AB3"},
        {"O'Neil-1", 1, 0, -1, "'O''Neil-1'!A1"},
    };
    for (const auto& c : cases) EXPECT_EQ(XlsxReference(c.sheet, c.row, c.first, c.last), c.ref) << c.sheet;
}

TEST_F(XlsxWorkbooks, RefusedWorkbooksSayWhy)
{
    QTemporaryDir scratch;
    const QByteArray good = ReadAll(Book("route-titled.xlsx"));
    ASSERT_FALSE(good.isEmpty());
    const QString xls = scratch.filePath(QStringLiteral("old.xlsx"));
    WriteFile(xls, QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0'));
    const QString truncated = scratch.filePath(QStringLiteral("cut.xlsx"));
    WriteFile(truncated, good.left(good.size() / 2));
    // A byte of the sheet's compressed data changed (it follows the part's
    // name in its local header).
    QByteArray flipped = good;
    const qsizetype sheetData = good.indexOf("xl/worksheets/sheet1.xml") + 24 + 8;
    ASSERT_GT(sheetData, 32);
    flipped[sheetData] = char(flipped[sheetData] ^ 0x5A);
    const QString corrupt = scratch.filePath(QStringLiteral("flip.xlsx"));
    WriteFile(corrupt, flipped);
    const QString csvWithSheet = kExamples + "route-example.csv#线路";

    const struct {
        QString path;
        const char* message;
    } cases[] = {
        {xls, "旧版 Excel 97-2003 工作簿（.xls）或加密的工作簿"},
        {truncated, "工作簿已损坏"},
        {corrupt, "工作簿已损坏"},
        {Book("no-table.xlsx"), "工作表“封面”中找不到可以读取的表格"},
        {Book("formula-uncached.xlsx"), "单元格 Sheet1!C12 是公式，工作簿中没有它的计算结果"},
        {Book("design-formula.xlsx") + "#断链", "工作簿中没有名为“断链”的工作表（有 “说明”、“逐桩坐标”）"},
        {Book("design-formula.xlsx"), "工作表“说明”中找不到可以读取的表格"},
        {csvWithSheet, "只有 Excel 工作簿（.xlsx）才能用“#工作表名”选工作表"},
        {Book("data-below-total.xlsx"), "工作表“线路”第 11 行是合计行，它下面的第 13 行（线路!B13）还有数据。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const FileResult<std::string> read = ReadTableFileText(c.path);
        ASSERT_FALSE(read.ok());
        EXPECT_TRUE(read.error->startsWith(QStringLiteral("无法读取文件“")));
        EXPECT_TRUE(read.error->contains(QString::fromUtf8(c.message))) << read.error->toStdString();
    }
}

TEST(XlsxCells, AreNamedLikeExcel)
{
    const struct {
        int row, col;
        const char* name;
    } names[] = {{1, 0, "A1"}, {7, 1, "B7"}, {12, 25, "Z12"}, {3, 26, "AA3"}, {1048576, 16383, "XFD1048576"}};
    for (const auto& n : names) EXPECT_EQ(XlsxCellName(n.row, n.col), n.name);
}

TEST(CsvRecords, SplitAsTheWritersQuote)
{
    const struct {
        const char* text;
        char separator;
        std::vector<std::vector<std::string>> records;
    } cases[] = {
        {"\xEF\xBB\xBF" "a,b\r\n\"x,1\",\"say \"\"hi\"\"\"\r\n", ',', {{"a", "b"}, {"x,1", "say \"hi\""}}},
        {"a,,\n\nb\n", ',', {{"a", "", ""}, {}, {"b"}}},
        {"k\tv\n1\t\n", '\t', {{"k", "v"}, {"1", ""}}},
        {"  里程 偏距   X \n10000   0  1.5\n", ' ', {{"里程", "偏距", "X"}, {"10000", "0", "1.5"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitCsvRecords(c.text, c.separator), c.records) << c.text;
}

}  // namespace
}  // namespace tarvelo
