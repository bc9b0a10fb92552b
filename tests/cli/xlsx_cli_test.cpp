// --format xlsx on every command that writes a table, read back by openpyxl
// and compared with the same command's CSV or printed rows; and workbooks
// given to the table options in place of their CSV twins.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/route_cli.h"
#include "cli/xlsx_output.h"
#include "core/files/text_table.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "reports/csv_field.h"
#include "reports/xlsx_tables.h"

namespace tarvelo {
namespace {

const std::string kSource = TARVELO_SOURCE_DIR;
const std::string kRoute = kSource + "/examples/route-example.csv";
const std::string kProfile = kSource + "/examples/profile-example.csv";

struct CommandRun {
    int status;
    std::string out, err;
};

CommandRun Command(const std::vector<std::string>& args)
{
    CommandRun r;
    if (args.front() == "route") {
        std::ostringstream out;
        r.status = RunRouteCli(args, out, r.err);
        r.out = out.str();
    } else {
        r.status = RunCli(args, r.out, r.err);
    }
    return r;
}

QJsonObject Python(const std::string& script, const QStringList& args, QString* err = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            QStringList{QString::fromStdString(kSource + "/tests/reports/" + script)} + args);
    p.waitForFinished(120000);
    if (err) *err = QString::fromUtf8(p.readAllStandardError());
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// "第 11 行：..." with its line moved by delta; other texts as they are.
std::string ShiftLine(const std::string& text, int delta)
{
    const std::string head = "第 ";
    if (text.compare(0, head.size(), head) != 0) return text;
    const std::size_t end = text.find(' ', head.size());
    if (end == std::string::npos) return text;
    return head + std::to_string(std::stoi(text.substr(head.size(), end - head.size())) + delta) + text.substr(end);
}

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)); }

// The decimals a number format shows: "0.0000" -> 4, "+0.0;-0.0;0.0" -> 1,
// "0" and "General" -> 0.
int FormatDecimals(const QString& format)
{
    const QString positive = format.section(u';', 0, 0);
    const qsizetype dot = positive.indexOf(u'.');
    return dot < 0 ? 0 : int(positive.size() - dot - 1);
}

// A number cell shows text: its stored value rounded to the decimals of its
// format is the text, and the format has as many decimals as the text.
void ExpectShows(const QJsonValue& cell, const QString& format, const std::string& text)
{
    const std::size_t dot = text.find('.');
    const int decimals = dot == std::string::npos ? 0 : int(text.size() - dot - 1);
    if (text.find_first_of("eE") != std::string::npos) {  // general text: 15 digits
        double v = 0;
        ASSERT_TRUE(ReadFieldNumber(text, &v));
        EXPECT_TRUE(Near(cell.toDouble(), v)) << cell.toDouble() << " vs " << text;
        return;
    }
    EXPECT_EQ(FormatDecimals(format), decimals) << text;
    // A '+' the text shows is in the format's positive part: "+0.000;-0.000;0.000".
    const bool plus = !text.empty() && text[0] == '+';
    EXPECT_EQ(format.startsWith(u'+'), plus) << format.toStdString();
    EXPECT_EQ((plus ? "+" : "") + FormatFixed(cell.toDouble(), decimals), text);
}

// The sheet holds every field of the block in its column (numbers with the
// full value the text rounds, texts as they stand) and, in the columns it
// adds, the stations in metres and K notation and the angles in degrees.
void ExpectSheetHoldsBlock(const QJsonObject& sheet, const TextRecords& block)
{
    const QJsonArray rows = sheet.value(QStringLiteral("rows")).toArray();
    const QJsonArray formats = sheet.value(QStringLiteral("formats")).toArray();
    const std::vector<std::string>& header = block.front();
    ASSERT_EQ(std::size_t(rows.size()), block.size() + 1);  // the title above
    const QJsonArray names = rows[1].toArray();
    std::vector<int> source(std::size_t(names.size()), -1);  // sheet column -> block column
    std::size_t j = 0;
    std::size_t width = header.size();
    for (const auto& r : block) width = std::max(width, r.size());
    for (int c = 0; c < names.size(); ++c) {
        const std::string name = names[c].toString().toStdString();
        // Columns past the header's (rows wider than it) have no name.
        const bool unnamed = j >= header.size() && j < width && name.empty();
        if (unnamed || (j < header.size() && name == header[j])) source[std::size_t(c)] = int(j++);
    }
    ASSERT_EQ(j, width) << "every column of the rows is in the sheet";
    for (std::size_t r = 1; r < block.size(); ++r) {
        const QJsonArray cells = rows[int(r + 1)].toArray();
        const QJsonArray shown = formats[int(r + 1)].toArray();
        for (int c = 0; c < names.size(); ++c) {
            SCOPED_TRACE("row " + std::to_string(r) + ", column " + names[c].toString().toStdString());
            const QJsonValue cell = c < cells.size() ? cells[c] : QJsonValue();
            const QString format = c < shown.size() ? shown[c].toString() : QString();
            if (source[std::size_t(c)] < 0) {  // an added column: from its left neighbour
                const std::string left = block[r][std::size_t(source[std::size_t(c - 1)])];
                double v = 0;
                const std::string name = names[c].toString().toStdString();
                if (name.size() > 3 && name.substr(name.size() - 3) == "(m)") {
                    const std::string bare = left.substr(0, left.find_first_of("(="));
                    if (ReadStationField(bare, &v)) {
                        const std::size_t dot = bare.find('.');
                        const int d = dot == std::string::npos ? 0 : int(bare.size() - dot - 1);
                        ExpectShows(cell, format, FormatFixed(v, d));
                    }
                } else if (name.substr(name.size() - 3) == "(K)") {
                    ASSERT_TRUE(ReadFieldNumber(left, &v));
                    double k = 0;
                    ASSERT_TRUE(ReadStationField(cell.toString().toStdString(), &k));
                    const std::size_t dot = left.find('.');
                    EXPECT_EQ(FormatFixed(k, dot == std::string::npos ? 0 : int(left.size() - dot - 1)), left);
                } else {
                    ASSERT_TRUE(ReadDmsText(left, &v));
                    EXPECT_TRUE(Near(cell.toDouble(), v));
                }
                continue;
            }
            const std::size_t from = std::size_t(source[std::size_t(c)]);
            const std::string field = from < block[r].size() ? block[r][from] : std::string();
            double v = 0;
            if (field.empty())
                EXPECT_TRUE(cell.isNull());
            else if (cell.isDouble() && ReadFieldNumber(field, &v))
                ExpectShows(cell, format, field);
            else
                EXPECT_EQ(cell.toString().toStdString(), field);
        }
    }
}

class XlsxCli : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        books_ = new QTemporaryDir;
        QString err;
        Python("xlsx_make.py", {QString::fromStdString(kSource + "/examples"), books_->path()}, &err);
        ASSERT_TRUE(QFileInfo::exists(books_->filePath(QStringLiteral("route-two-row.xlsx")))) << err.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete books_;
        books_ = nullptr;
    }
    static std::string Book(const char* name) { return books_->filePath(QString::fromUtf8(name)).toStdString(); }
    std::string Out(const char* name) const { return dir_.filePath(QString::fromUtf8(name)).toStdString(); }
    // A point file of the test's own; its path.
    std::string Points(const char* text) const
    {
        const std::string path = Out("points.csv");
        QFile f(QString::fromStdString(path));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }
    static QTemporaryDir* books_;
    QTemporaryDir dir_;
};
QTemporaryDir* XlsxCli::books_ = nullptr;

TEST_F(XlsxCli, EveryTableCommandWritesItsRowsAsAWorkbook)
{
    const std::string design = kSource + "/examples/design-check-example.csv";
    const std::string sections = kSource + "/examples/sections-example.csv";
    const std::string points = Points("P1,3379200,456500\nP2,3378500,455200\nP3,3380000,457000\n");
    const struct {
        std::vector<std::string> args;       // the command with its table in CSV or printed
        std::vector<std::string> xlsxArgs;   // what --format xlsx replaces
        char separator;
        std::vector<const char*> sheets;
        int status;
    } cases[] = {
        {{"route", "table", "--route", kRoute, "--profile", kProfile, "--interval", "100", "--format", "csv"},
         {"--format", "csv"}, ',', {"逐桩坐标表"}, 0},
        {{"route", "sections", "--route", kRoute, "--sections", sections, "--profile", kProfile, "--interval", "200",
          "--format", "csv"},
         {"--format", "csv"}, ',', {"边桩坐标表"}, 0},
        {{"route", "check", "--route", kRoute, "--profile", kProfile, "--design", design}, {}, '\t',
         {"设计复核表", "复核汇总"}, 3},
        {{"route", "inverse", "--route", kRoute, "--points", points}, {}, '\t', {"坐标反算表"}, 0},
        {{"route", "elements", "--route", kRoute}, {}, '\t', {"线路概况", "直线、曲线及转角表", "直线及转角表"}, 0},
        {{"table", "--start", "10000", "--end", "10200", "--interval", "20"}, {}, ' ', {"逐桩坐标表"}, 0},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        CommandRun plain = Command(c.args);
        if (c.args[1] == "inverse") plain.out = "点名\t桩号\t偏距\t所在\n" + plain.out;  // printed without a header
        ASSERT_EQ(plain.status, c.status) << plain.err;
        std::vector<std::string> args(c.args.begin(), c.args.end() - std::ptrdiff_t(c.xlsxArgs.size()));
        const std::string out = Out(("t" + std::to_string(n++) + ".xlsx").c_str());
        for (const char* a : {"--format", "xlsx", "--out"}) args.push_back(a);
        args.push_back(out);
        std::string err;
        ASSERT_TRUE(WantsXlsxOutput(args));
        ASSERT_EQ(RunXlsxOutput(args, err), c.status) << err;

        const QJsonArray sheets = Python("xlsx_dump.py", {QString::fromStdString(out)}).value(QStringLiteral("sheets")).toArray();
        const std::vector<TextRecords> blocks = RecordBlocks(SplitCsvRecords(plain.out, c.separator));
        ASSERT_EQ(std::size_t(sheets.size()), c.sheets.size());
        ASSERT_EQ(blocks.size(), c.sheets.size());
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const QJsonObject sheet = sheets[int(i)].toObject();
            EXPECT_EQ(sheet.value(QStringLiteral("name")).toString(), QString::fromUtf8(c.sheets[i]));
            const bool header = sheet.value(QStringLiteral("freeze")).toString() == QStringLiteral("A3");
            if (header)
                ExpectSheetHoldsBlock(sheet, blocks[i]);
            else  // a block of lines without a header: the title and the lines
                EXPECT_EQ(std::size_t(sheet.value(QStringLiteral("rows")).toArray().size()), blocks[i].size() + 1);
        }
        EXPECT_EQ(sheets[0].toObject().value(QStringLiteral("freeze")).toString() == QStringLiteral("A3"),
                  c.args[0] != "route" || c.args[1] != "elements");
    }
}

TEST_F(XlsxCli, WorkbooksGiveTheSameResultsAsTheirCsvTwins)
{
    const std::string breaks = kSource + "/examples/breaks-example.csv";
    const std::string book = Book("breaks-profile.xlsx");
    const CommandRun csv = Command({"route", "table", "--route", kRoute, "--breaks", breaks, "--profile", kProfile,
                             "--interval", "50", "--start", "11100", "--end", "11400"});
    const CommandRun xlsx = Command({"route", "table", "--route", Book("route-two-row.xlsx"), "--breaks", book, "--profile",
                              book + "#纵断面", "--interval", "50", "--start", "11100", "--end", "11400"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    ASSERT_EQ(xlsx.status, 0) << xlsx.err;
    EXPECT_EQ(xlsx.out, csv.out);
    EXPECT_FALSE(csv.out.empty());

    // The check names rows by their lines, which differ; everything else agrees.
    const std::string design = kSource + "/examples/design-check-example.csv";
    const CommandRun checkCsv = Command({"route", "check", "--route", kRoute, "--design", design});
    const CommandRun checkBook = Command({"route", "check", "--route", Book("route-titled.xlsx"), "--design",
                                   Book("design-formula.xlsx") + "#逐桩坐标"});
    EXPECT_EQ(checkCsv.status, 3);
    EXPECT_EQ(checkBook.status, 3);
    const TextRecords a = SplitCsvRecords(checkCsv.out, '\t'), b = SplitCsvRecords(checkBook.out, '\t');
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].size() < 2) continue;
        ASSERT_EQ(a[i].size(), b[i].size());
        for (std::size_t c = 1; c < a[i].size(); ++c) EXPECT_EQ(ShiftLine(a[i][c], -3), b[i][c]) << i;
        if (a[i][0] != "行") {
            EXPECT_EQ(std::stoi(b[i][0]), std::stoi(a[i][0]) - 3) << "the sheet's rows";
        }
    }
}

TEST_F(XlsxCli, ElementRoutesSectionsAndPointsReadFromSheetsOfOneWorkbook)
{
    const std::string book = Book("elements-sections-points.xlsx");
    const std::string ramp = kSource + "/examples/ramp-elements.csv";
    const std::string sections = kSource + "/examples/sections-example.csv";
    const std::string points = Points("点名,X,Y\nP1,3380600,459000\nP2,3380750.25,459400\n");
    const struct {
        std::vector<std::string> csv, xlsx;
    } cases[] = {
        {{"route", "elements", "--route", ramp}, {"route", "elements", "--route", book + "#线元表"}},
        {{"route", "sections", "--route", kRoute, "--sections", sections, "--interval", "250"},
         {"route", "sections", "--route", kRoute, "--sections", book + "#横断面", "--interval", "250"}},
        {{"route", "inverse", "--route", ramp, "--points", points},
         {"route", "inverse", "--route", book + "#线元表", "--points", book + "#测点"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csv[1]);
        const CommandRun a = Command(c.csv), b = Command(c.xlsx);
        ASSERT_EQ(a.status, 0) << a.err;
        ASSERT_EQ(b.status, 0) << b.err;
        EXPECT_EQ(a.out, b.out);
        EXPECT_FALSE(a.out.empty());
    }
}

TEST_F(XlsxCli, RefusalsSayWhy)
{
    const struct {
        std::vector<std::string> args;
        const char* message;
        int status = kExitError;
    } cases[] = {
        {{"route", "table", "--route", kRoute, "--interval", "20", "--format", "xlsx"}, "--format xlsx 需要 --out 指定文件。"},
        {{"route", "point", "--route", kRoute, "--station", "10100", "--format", "xlsx", "--out", "x.xlsx"},
         "--format xlsx 只能用于"},
        {{"route", "inverse", "--route", kRoute, "--x", "1", "--y", "2", "--format", "xlsx", "--out", "x.xlsx"},
         "route inverse 只有与 --points 一起才能写 xlsx。"},
        {{"route", "elements", "--route", Book("formula-uncached.xlsx"), "--format", "xlsx", "--out", "x.xlsx"},
         "单元格 Sheet1!C12 是公式"},
        {{"route", "elements", "--route", Book("no-table.xlsx"), "--format", "xlsx", "--out", "x.xlsx"},
         "找不到可以读取的表格"},
        // The table's third column is the sheet's E: column A and D are blank.
        {{"route", "elements", "--route", Book("route-shifted-bad-cell.xlsx"), "--format", "xlsx", "--out", "x.xlsx"},
         "第 7 行（Sheet1!E7）：Y 不是数：“455x”。", kExitInvalidRoute},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(RunXlsxOutput(c.args, err), c.status);
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("x.xlsx")));
    }
}

std::string ReadText(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

// The column of the sheet's header row (row 2) with this name, or -1.
int SheetColumn(const QJsonObject& sheet, const char* name)
{
    const QJsonArray names = sheet.value(QStringLiteral("rows")).toArray()[1].toArray();
    for (int c = 0; c < names.size(); ++c)
        if (names[c].toString() == QString::fromUtf8(name)) return c;
    return -1;
}

TEST_F(XlsxCli, SlopeLevelGroundAndEarthworkWriteTheirCsvTablesAsWorkbooks)
{
    const std::string ex = kSource + "/examples/";
    const std::vector<std::string> design = {"--route", kRoute, "--profile", kProfile, "--template",
                                             ex + "template-example.csv", "--sections", ex + "sections-example.csv"};
    const struct {
        std::vector<std::string> args;
        bool csvToFile;  // --format csv needs --out (else it goes to standard output)
        const char* sheet;
        int status;
    } cases[] = {
        {{"route", "slope", "--points", ex + "slope-points-example.csv"}, true, "边坡放样", 0},
        {{"route", "level", "--points", ex + "level-points-example.csv"}, true, "高程检测", 3},
        {{"route", "ground", "--route", kRoute, "--points", ex + "ground-points-example.csv", "--interval", "20"}, false,
         "横断面地面线", 0},
        {{"route", "earthwork", "--ground", ex + "ground-example.csv"}, true, "土石方数量表", 0},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::vector<std::string> args = c.args;
        if (c.args[1] != "ground") args.insert(args.end(), design.begin(), design.end());
        std::vector<std::string> csvArgs = args, xlsxArgs = args;
        const std::string csv = Out(("c" + std::to_string(n) + ".csv").c_str());
        const std::string book = Out(("c" + std::to_string(n++) + ".xlsx").c_str());
        csvArgs.insert(csvArgs.end(), {"--format", "csv"});
        if (c.csvToFile) csvArgs.insert(csvArgs.end(), {"--out", csv});
        xlsxArgs.insert(xlsxArgs.end(), {"--format", "xlsx", "--out", book});
        const CommandRun plain = Command(csvArgs);
        ASSERT_EQ(plain.status, c.status) << plain.err;
        std::string err;
        ASSERT_EQ(RunXlsxOutput(xlsxArgs, err), c.status) << err;
        const std::string rows = c.csvToFile ? ReadText(csv) : plain.out;
        const std::vector<TextRecords> blocks = RecordBlocks(SplitCsvRecords(rows));
        ASSERT_EQ(blocks.size(), 1u);
        ASSERT_GT(blocks[0].size(), 2u);
        const QJsonArray sheets = Python("xlsx_dump.py", {QString::fromStdString(book)}).value(QStringLiteral("sheets")).toArray();
        ASSERT_EQ(sheets.size(), 1);
        const QJsonObject sheet = sheets[0].toObject();
        EXPECT_EQ(sheet.value(QStringLiteral("name")).toString(), QString::fromUtf8(c.sheet));
        EXPECT_EQ(sheet.value(QStringLiteral("freeze")).toString(), QStringLiteral("A3"));
        ExpectSheetHoldsBlock(sheet, blocks[0]);
    }
}

TEST_F(XlsxCli, CellsHoldTheFullValuesTheJsonGives)
{
    const std::string ex = kSource + "/examples/";
    const struct {
        std::vector<std::string> args;
        const char* list;                                      // the JSON's array of rows
        std::vector<std::pair<const char*, QStringList>> columns;  // sheet column -> JSON key path
    } cases[] = {
        {{"route", "table", "--route", kRoute, "--profile", kProfile, "--interval", "50"},
         "rows",
         {{"桩号", {"station"}}, {"X(北)", {"x"}}, {"Y(东)", {"y"}}, {"高程", {"z"}}}},
        {{"route", "slope", "--route", kRoute, "--profile", kProfile, "--template", ex + "template-example.csv",
          "--sections", ex + "sections-example.csv", "--points", ex + "slope-points-example.csv"},
         "points",
         {{"桩号(m)", {"station"}}, {"X", {"catch", "x"}}, {"Y", {"catch", "y"}}, {"设计高程", {"design_z"}}}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const std::string book = Out(("full" + std::to_string(n++) + ".xlsx").c_str());
        std::vector<std::string> args = c.args, jsonArgs = c.args;
        args.insert(args.end(), {"--format", "xlsx", "--out", book});
        jsonArgs.push_back("--json");
        std::string err;
        ASSERT_EQ(RunXlsxOutput(args, err), 0) << err;
        const CommandRun json = Command(jsonArgs);
        ASSERT_EQ(json.status, 0) << json.err;
        const QJsonArray expected =
            QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object().value(QString::fromLatin1(c.list)).toArray();
        const QJsonObject sheet =
            Python("xlsx_dump.py", {QString::fromStdString(book)}).value(QStringLiteral("sheets")).toArray()[0].toObject();
        const QJsonArray rows = sheet.value(QStringLiteral("rows")).toArray();
        ASSERT_EQ(rows.size(), expected.size() + 2);
        int unrounded = 0;
        for (const auto& [column, path] : c.columns) {
            const int col = SheetColumn(sheet, column);
            ASSERT_GE(col, 0) << column;
            for (int r = 0; r < expected.size(); ++r) {
                QJsonValue want = expected[r];
                for (const QString& key : path) want = want.toObject().value(key);
                if (!want.isDouble()) continue;  // a point without a result
                const double got = rows[r + 2].toArray()[col].toDouble();
                // 1e-9 relative, and within 1e-7 m, which the texts' 3 or 4 decimals are not.
                EXPECT_TRUE(Near(got, want.toDouble()) && std::fabs(got - want.toDouble()) < 1e-7)
                    << column << " " << r << ": " << got << " vs " << want.toDouble();
                if (std::fabs(want.toDouble() * 1e4 - std::round(want.toDouble() * 1e4)) > 1e-3) ++unrounded;
            }
        }
        EXPECT_GT(unrounded, int(expected.size())) << "values with more digits than the text shows";
    }
}

TEST_F(XlsxCli, TemplateGroundAndCentreGroundReadFromAWorkbookAsFromTheirCsv)
{
    const std::string ex = kSource + "/examples/";
    const std::string book = Book("earthwork-inputs.xlsx");
    const auto earthwork = [&](const std::string& templ, const std::string& ground, const std::string& centre) {
        std::vector<std::string> args = {"route", "earthwork", "--route", kRoute, "--profile", kProfile, "--template",
                                         templ, "--sections", ex + "sections-example.csv", "--ground", ground};
        if (!centre.empty()) args.insert(args.end(), {"--centre-ground", centre});
        return Command(args);
    };
    const CommandRun csv = earthwork(ex + "template-example.csv", ex + "ground-example.csv", "");
    const CommandRun xlsx = earthwork(book + "#路基模板", book + "#地面线", "");
    ASSERT_EQ(csv.status, 0) << csv.err;
    ASSERT_EQ(xlsx.status, 0) << xlsx.err;
    EXPECT_EQ(xlsx.out, csv.out);

    // The relative ground lines take the centre ground from a sheet.
    const CommandRun relCsv = earthwork(ex + "template-example.csv", ex + "ground-example-relative.hdm",
                                        ex + "ground-centre-example.csv");
    const CommandRun relBook =
        earthwork(ex + "template-example.csv", ex + "ground-example-relative.hdm", book + "#中桩地面");
    ASSERT_EQ(relCsv.status, 0) << relCsv.err;
    ASSERT_EQ(relBook.status, 0) << relBook.err;
    EXPECT_EQ(relBook.out, relCsv.out);
    EXPECT_FALSE(relCsv.out.empty());
}

}  // namespace
}  // namespace tarvelo
