#include "cli/xlsx_output.h"

#include <optional>
#include <sstream>

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "cli/cli_run.h"
#include "cli/route_cli.h"
#include "reports/csv_field.h"
#include "reports/xlsx_tables.h"

namespace tarvelo {

namespace {

struct XlsxCommand {
    const char* route;   // the route subcommand, or nullptr for the single curve's
    const char* name;    // the subcommand
    const char* sheet;   // the first table's sheet and title
    bool csvRows;        // its rows come from --format csv (else the printed text)
    bool csvFile;        // --format csv writes them to the --out file (else to standard output)
    const char* rest;    // the sheet of a later table no first column names
    const char* columns; // the column names of rows printed without a header, or nullptr
};

const XlsxCommand kCommands[] = {
    {"route", "table", "逐桩坐标表", true, false, "逐桩坐标表", nullptr},
    {"route", "sections", "边桩坐标表", true, false, "边桩坐标表", nullptr},
    {"route", "check", "设计复核表", false, false, "复核汇总", nullptr},
    {"route", "inverse", "坐标反算表", false, false, "坐标反算表", "点名\t桩号\t偏距\t所在"},
    {"route", "elements", "线路概况", false, false, "线路概况", nullptr},
    {"route", "slope", "边坡放样", true, true, "边坡放样", nullptr},
    {"route", "level", "高程检测", true, true, "高程检测", nullptr},
    {"route", "ground", "横断面地面线", true, false, "横断面地面线", nullptr},
    {"route", "earthwork", "土石方数量表", true, true, "土石方数量表", nullptr},
    {nullptr, "table", "逐桩坐标表", false, false, "逐桩坐标表", nullptr},
};

// A later table's sheet, told by its first column's name.
std::string SheetFor(const TextRecords& block, const std::string& fallback)
{
    static const std::pair<const char*, const char*> kByFirstColumn[] = {
        {"交点", "直线、曲线及转角表"}, {"边", "直线及转角表"}, {"线元", "线元表"}, {"主点", "主点表"}};
    for (const auto& [column, sheet] : kByFirstColumn)
        if (!block.empty() && !block.front().empty() && block.front().front() == column) return sheet;
    return fallback;
}

// 3 is a finished command with findings: route check's differing rows,
// route level's points out of tolerance, route earthwork's sections left out.
bool Finished(int status) { return status == kExitOk || status == 3; }

int Refuse(std::string& err, const std::string& message)
{
    err = "tarvelo-cli: " + message + "\n";
    return kExitError;
}

}  // namespace

bool WantsXlsxOutput(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--format" && args[i + 1] == "xlsx") return true;
    return false;
}

int RunXlsxOutput(const std::vector<std::string>& args, std::string& err)
{
    const bool route = !args.empty() && args[0] == "route";
    const std::string name = args.size() > (route ? 1u : 0u) ? args[route ? 1 : 0] : std::string();
    const XlsxCommand* command = nullptr;
    for (const XlsxCommand& c : kCommands)
        if ((c.route != nullptr) == route && name == c.name) command = &c;
    if (!command)
        return Refuse(err, "--format xlsx 只能用于 route table、route sections、route check、route inverse --points、"
                           "route elements、route slope、route level、route ground、route earthwork 和 table。");

    // The command's own arguments, without --format xlsx and --out.
    std::vector<std::string> inner;
    std::string outPath;
    bool points = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size() && args[i + 1] == "xlsx") {
            ++i;
        } else if (args[i] == "--out" && i + 1 < args.size()) {
            outPath = args[++i];
        } else {
            points = points || args[i] == "--points";
            inner.push_back(args[i]);
        }
    }
    if (outPath.empty()) return Refuse(err, "--format xlsx 需要 --out 指定文件。");
    if (name == "inverse" && route && !points) return Refuse(err, "route inverse 只有与 --points 一起才能写 xlsx。");
    for (const std::string& a : inner)
        if (a == "--json" || a == "--report")
            return Refuse(err, "--format xlsx 不能与 " + a + " 一起使用。");
    if (command->csvRows) {
        inner.push_back("--format");
        inner.push_back("csv");
    }
    // A command that writes its CSV to a file writes it into a scratch folder.
    QTemporaryDir scratch;
    const QString csvPath = scratch.filePath(QStringLiteral("rows.csv"));
    if (command->csvFile) {
        if (!scratch.isValid()) return Refuse(err, "无法建立临时文件夹。");
        inner.push_back("--out");
        inner.push_back(csvPath.toStdString());
    }

    std::string text;
    int status;
    // The full values behind the shown numbers, noted while the rows are written.
    std::optional<FullValues> full;
    {
    FixedTextLog notes;
    if (route) {
        std::ostringstream rows;
        status = RunRouteCli(inner, rows, err);
        text = rows.str();
        if (command->csvFile && Finished(status)) {
            // What the command prints beside its table (totals) is a note.
            err += text;
            QFile file(csvPath);
            if (!file.open(QIODevice::ReadOnly)) return Refuse(err, "读不到命令写出的表格。");
            text = file.readAll().toStdString();
        }
    } else {
        status = RunCli(inner, text, err);
    }
    full.emplace(notes.Release());
    }
    if (!Finished(status)) return status;

    // The single curve's table is aligned with spaces, the route's with tabs.
    const char separator = command->csvRows ? ',' : (route ? '\t' : ' ');
    if (command->columns) text = std::string(command->columns) + '\n' + text;
    const std::vector<XlsxTable> tables =
        TypedXlsxTables(SplitCsvRecords(text, separator), command->sheet,
                        [command](const TextRecords& block) { return SheetFor(block, command->rest); }, &*full);
    if (tables.empty()) return Refuse(err, "没有可写的表格。");
    const FileStatus written = WriteXlsxFile(QString::fromStdString(outPath), tables);
    if (!written.ok()) {
        err += "tarvelo-cli: " + written.error->toStdString() + "\n";
        return kExitError;
    }
    return status;
}

}  // namespace tarvelo
