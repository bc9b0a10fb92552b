#include "cli/route_slope_cli.h"

#include <QFileInfo>
#include <QString>

#include <cmath>
#include <map>
#include <vector>

#include "compute/design_check_json.h"
#include "compute/route_inverse.h"
#include "compute/route_station_text.h"
#include "compute/slope_stake.h"
#include "compute/slope_texts.h"
#include "core/files/point_file.h"
#include "core/files/template_file.h"
#include "core/files/text_table.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/csv_field.h"
#include "reports/field_record_report.h"
#include "reports/table_file.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

struct Refusal {
    int status;
    std::string message;
};

[[noreturn]] void Refuse(const std::string& message, int status = 1) { throw Refusal{status, message}; }

std::string Json(double v) { return RoundTripText(Checked(v, "输出值")); }

// A number option; beyond 1e12 m no value carries millimetres.
std::optional<double> Number(const OptionValue& value, const std::string& name)
{
    const std::optional<std::string> text = value(name);
    if (!text) return std::nullopt;
    double v = 0;
    if (!ReadFieldNumber(*text, &v)) Refuse("选项 --" + name + " 的值不是数：" + *text);
    if (!(std::fabs(v) <= 1e12)) Refuse("选项 --" + name + " 的数值超出可计算范围（绝对值不得超过 1e12）：" + *text);
    return v;
}

struct Shot {
    std::string name;
    double x = 0, y = 0, z = 0;
};

// The point of --x --y --z, or the points of --points FILE, each with its
// elevation.
std::vector<Shot> ReadShots(const OptionValue& value, const std::string& command)
{
    const bool single = value("x") || value("y") || value("z");
    const std::optional<std::string> path = value("points");
    if (single == path.has_value())
        Refuse("route " + command + " 需要 --x、--y 与 --z，或 --points，二者取一。");
    if (single) {
        if (!value("x") || !value("y") || !value("z"))
            Refuse("route " + command + " 需要同时给出 --x、--y 和 --z（实测点的坐标和高程）。");
        return {{"", *Number(value, "x"), *Number(value, "y"), *Number(value, "z")}};
    }
    const FileResult<std::string> text = ReadTableFileText(FromUtf8(*path));
    if (!text.ok()) Refuse(text.error->toStdString());
    const PointFileContent read = ParsePointFile(*text.value);
    std::string errors;
    for (const std::string& e : read.errors) errors += "\n" + e;
    std::vector<Shot> shots;
    for (const SurveyPoint& p : read.points) {
        if (!p.z) {
            errors += "\n第 " + std::to_string(p.line) + " 行：点 " + p.name + " 没有高程，无法计算。";
            continue;
        }
        shots.push_back({p.name, p.x, p.y, *p.z});
    }
    if (!errors.empty()) Refuse("点文件“" + *path + "”有错误：" + errors);
    return shots;
}

// --json, or --format csv --out FILE, or plain text.
std::optional<std::string> CsvTarget(const OptionValue& value, bool json, const std::string& command)
{
    const std::optional<std::string> format = value("format");
    if (format) {
        if (*format != "csv") Refuse("route " + command + " 的 --format 只能是 csv。");
        if (json) Refuse("--json 与 --format csv 二者取一。");
        if (!value("out")) Refuse("--format csv 需要 --out 指定文件。");
        return value("out");
    }
    if (value("out")) Refuse("--out 要与 --format csv 一起给出。");
    return std::nullopt;
}

void WriteCsv(const std::string& path, const std::vector<std::string>& header,
              const std::vector<std::vector<std::string>>& rows)
{
    std::string bytes(kUtf8Bom);
    const auto line = [&bytes](const std::vector<std::string>& row) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c) bytes += ',';
            AppendCsvField(bytes, row[c]);
        }
        bytes += "\r\n";
    };
    line(header);
    for (const auto& row : rows) line(row);
    const FileStatus s = WriteFileBytes(FromUtf8(path), QByteArray(bytes.data(), qsizetype(bytes.size())));
    if (!s.ok()) Refuse(s.error->toStdString());
}

void WriteReport(const std::string& path, FieldRecord record)
{
    const FileStatus s = WriteFieldRecord(FromUtf8(path), record);
    if (!s.ok()) Refuse(s.error->toStdString());
}

// The station as the crew reads it, and in JSON the displayed station, its
// zone and the distance from the start.
std::string StationJson(const Route& r, double k)
{
    const DisplayedStation d = r.Displayed(k);
    return ",\"station\":" + Json(d.station) + ",\"zone\":" + std::to_string(d.zone) +
           ",\"distance\":" + Json(k - r.start().station);
}

struct Loaded {
    std::optional<CrossSections> sections;
    std::optional<RoadbedTemplate> roadbed;
};

Loaded LoadDesign(const Route& route, const OptionValue& value)
{
    Loaded l;
    std::string error;
    int status = 1;
    if (const auto path = value("sections")) {
        l.sections = LoadCrossSections(*path, route, &error, &status);
        if (!l.sections) Refuse(error, status);
    }
    if (const auto path = value("template")) {
        l.roadbed = LoadRoadbedTemplate(*path, route, &error, &status);
        if (!l.roadbed) Refuse(error, status);
    }
    return l;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::vector<QString> Cells(const std::vector<std::string>& row)
{
    std::vector<QString> out;
    for (const std::string& s : row) out.push_back(Q(s));
    return out;
}

QString FileName(const std::string& path) { return QFileInfo(FromUtf8(path)).fileName(); }

// A row as plain text: tab-separated, trailing empty cells dropped.
void AppendTextRow(std::string& text, const std::vector<std::string>& row)
{
    std::size_t n = row.size();
    while (n > 1 && row[n - 1].empty()) --n;
    for (std::size_t c = 0; c < n; ++c) {
        if (c) text += '\t';
        text += row[c];
    }
    text += '\n';
}

// --- route slope ---------------------------------------------------------

std::string SlopeJson(const Route& r, const Shot& p, const SlopeStake& s)
{
    std::string j = "{\"name\":" + JsonString(p.name) + ",\"x\":" + Json(p.x) + ",\"y\":" + Json(p.y) +
                    ",\"z\":" + Json(p.z) + ",\"outcome\":\"" + SlopeOutcomeName(s.outcome) + "\"";
    if (s.outcome == SlopeOutcome::Outside) return j + "}";
    j += StationJson(r, s.station) + ",\"offset\":" + Json(s.offset);
    if (s.outcome == SlopeOutcome::Centre) return j + "}";
    j += std::string(",\"side\":\"") + (s.offset < 0 ? "left" : "right") + "\"";
    if (s.outcome != SlopeOutcome::Ok) return j + "}";
    j += std::string(",\"branch\":\"") + (s.branch == SlopeBranch::Fill ? "fill" : "cut") + "\"";
    j += ",\"hinge\":{\"offset\":" + Json(s.hinge.offset) + ",\"z\":" + Json(s.hinge.z) + "}";
    j += ",\"catch\":{\"offset\":" + Json(s.catchPoint.offset) + ",\"x\":" + Json(s.catchX) +
         ",\"y\":" + Json(s.catchY) + ",\"z\":" + Json(s.catchPoint.z) +
         ",\"level\":" + std::to_string(s.catchPoint.level) + "}";
    j += ",\"move\":" + Json(s.move);
    if (s.designZ) j += ",\"design_z\":" + Json(*s.designZ) + ",\"dz\":" + Json(*s.dz);
    return j + "}";
}

// --- route level ---------------------------------------------------------

std::string LevelJson(const Route& r, const Shot& p, const LevelCheck& c)
{
    std::string j = "{\"name\":" + JsonString(p.name) + ",\"x\":" + Json(p.x) + ",\"y\":" + Json(p.y) +
                    ",\"z\":" + Json(p.z) + ",\"outcome\":\"" + LevelOutcomeName(c.outcome) + "\"";
    if (c.outcome == LevelOutcome::Outside) return j + "}";
    j += StationJson(r, c.station) + ",\"offset\":" + Json(c.offset);
    if (c.outcome != LevelOutcome::Ok) return j + "}";
    j += std::string(",\"part\":\"") + LevelPartName(c.part) + "\",\"design_z\":" + Json(c.designZ) +
         ",\"dz\":" + Json(c.dz) + ",\"within\":" + (c.within ? "true" : "false");
    return j + "}";
}

std::string SlopeCommand(const Route& route, const Profile& profile, const OptionValue& value, bool json)
{
    if (!value("template")) Refuse("子命令 route slope 缺少选项 --template。");
    const std::optional<std::string> csv = CsvTarget(value, json, "slope");
    const Loaded design = LoadDesign(route, value);
    const std::vector<Shot> shots = ReadShots(value, "slope");
    const RouteInverse inverse(route);
    const SlopeDesign d{route, inverse, profile, design.sections ? &*design.sections : nullptr, &*design.roadbed};

    std::vector<SlopeStake> stakes;
    stakes.reserve(shots.size());
    for (const Shot& p : shots) stakes.push_back(ComputeSlopeStake(d, p.x, p.y, p.z));

    // Rows are kept for the CSV and the report; plain text is written as it
    // is made (100,000 points would otherwise hold a million strings).
    std::vector<std::vector<std::string>> rows;
    if (csv || value("report"))
        for (std::size_t i = 0; i < shots.size(); ++i) rows.push_back(SlopeRowTexts(route, shots[i].name, stakes[i]));
    if (const auto report = value("report")) {
        FieldRecord record;
        record.title = QStringLiteral("边坡放样记录");
        record.heading << QStringLiteral("线路文件：") + FileName(*value("route"))
                       << QStringLiteral("路基模板：") + FileName(*value("template"));
        if (value("sections")) record.heading << QStringLiteral("横断面表：") + FileName(*value("sections"));
        record.heading << QStringLiteral("移动距离 = 放样点偏距 - 实测点偏距：向外为离开中线，向内为走向中线。");
        record.header = Cells(SlopeHeader());
        record.header.pop_back();  // reasons go below the table
        record.left.assign(record.header.size(), false);
        for (int c : {0, 1, 3, 4, 7, 13}) record.left[std::size_t(c)] = true;
        std::map<std::pair<int, double>, const SideTemplateAt*> used;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::vector<QString> cells = Cells(rows[i]);
            cells.pop_back();
            record.rows.push_back(cells);
            if (!rows[i][kSlopeReason].empty())
                record.notes << QStringLiteral("%1：%2").arg(Q(shots[i].name.empty() ? "实测点" : shots[i].name),
                                                           Q(rows[i][kSlopeReason]));
            if (stakes[i].used) used[{int(stakes[i].side), stakes[i].used->station}] = stakes[i].used;
        }
        if (!used.empty()) record.notes << QStringLiteral("所用路基模板：");
        for (const auto& [key, at] : used)
            record.notes << QStringLiteral("  %1 %2 起：%3")
                                .arg(key.first == int(RoadSide::Left) ? QStringLiteral("左侧") : QStringLiteral("右侧"),
                                     Q(RouteStationText(route, at->station)), Q(DescribeSideTemplate(at->side)));
        WriteReport(*report, record);
    }
    if (csv) {
        WriteCsv(*csv, SlopeHeader(), rows);
        return "";
    }
    std::string text;
    if (json) {
        text = "{\"points\":[";
        for (std::size_t i = 0; i < shots.size(); ++i) text += (i ? "," : "") + SlopeJson(route, shots[i], stakes[i]);
        return text + "]}\n";
    }
    AppendTextRow(text, SlopeHeader());
    for (std::size_t i = 0; i < shots.size(); ++i)
        AppendTextRow(text, rows.empty() ? SlopeRowTexts(route, shots[i].name, stakes[i]) : rows[i]);
    return text;
}

std::string LevelCommand(const Route& route, const Profile& profile, const OptionValue& value, bool json,
                         int* status)
{
    const double depth = Number(value, "depth").value_or(0);
    if (depth < 0) Refuse("选项 --depth 是自路面向下的深度，不能为负：" + *value("depth"));
    const double tolerance = Number(value, "tolerance-z").value_or(0.010);
    if (!(tolerance >= 0)) Refuse("选项 --tolerance-z 不能为负：" + *value("tolerance-z"));
    const std::optional<std::string> csv = CsvTarget(value, json, "level");
    const Loaded design = LoadDesign(route, value);
    const std::vector<Shot> shots = ReadShots(value, "level");
    const RouteInverse inverse(route);
    const SlopeDesign d{route, inverse, profile, design.sections ? &*design.sections : nullptr,
                        design.roadbed ? &*design.roadbed : nullptr};
    std::vector<LevelCheck> checks;
    checks.reserve(shots.size());
    for (const Shot& p : shots) checks.push_back(ComputeLevelCheck(d, p.x, p.y, p.z, depth, tolerance));
    std::vector<std::string> names;
    for (const Shot& p : shots) names.push_back(p.name);
    const LevelSummary summary = SummariseLevels(names, checks);
    *status = summary.within == summary.points ? 0 : kExitLevelDiffers;

    // Rows are kept for the CSV and the report; plain text is written as it
    // is made (100,000 points would otherwise hold a million strings).
    std::vector<std::vector<std::string>> rows;
    if (csv || value("report"))
        for (std::size_t i = 0; i < shots.size(); ++i) rows.push_back(LevelRowTexts(route, shots[i].name, shots[i].z, checks[i]));
    const std::vector<std::string> summaryLines = LevelSummaryLines(summary);
    const std::string layer =
        depth == 0 ? std::string("路面（设计高程）") : "路面以下 " + FormatFixed(depth, 3) + " m（路面设计高程减去该深度）";
    if (const auto report = value("report")) {
        FieldRecord record;
        record.title = QStringLiteral("高程检测表");
        record.heading << QStringLiteral("线路文件：") + FileName(*value("route"));
        if (value("template")) record.heading << QStringLiteral("路基模板：") + FileName(*value("template"));
        record.heading << QStringLiteral("检测层：") + Q(layer)
                       << QStringLiteral("限差：±%1 m").arg(Q(FormatFixed(tolerance, 3)));
        for (const std::string& l : summaryLines) record.heading << Q(l);
        record.header = Cells(LevelHeader());
        record.header.pop_back();
        record.left.assign(record.header.size(), false);
        for (int c : {0, 1, 3, 4, 8, 9}) record.left[std::size_t(c)] = true;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::vector<QString> cells = Cells(rows[i]);
            cells.pop_back();
            record.rows.push_back(cells);
            if (!rows[i][kLevelReason].empty())
                record.notes << QStringLiteral("%1：%2").arg(Q(shots[i].name.empty() ? "实测点" : shots[i].name),
                                                           Q(rows[i][kLevelReason]));
        }
        WriteReport(*report, record);
    }
    if (csv) {
        WriteCsv(*csv, LevelHeader(), rows);
        return "";
    }
    std::string text;
    if (json) {
        text = "{\"points\":[";
        for (std::size_t i = 0; i < shots.size(); ++i) text += (i ? "," : "") + LevelJson(route, shots[i], checks[i]);
        text += "],\"summary\":{\"points\":" + std::to_string(summary.points) +
                ",\"within\":" + std::to_string(summary.within) + ",\"beyond\":" + std::to_string(summary.beyond) +
                ",\"unchecked\":" + std::to_string(summary.unchecked) +
                ",\"max_abs_dz\":" + (summary.maxDz ? Json(std::fabs(*summary.maxDz)) : std::string("null")) +
                ",\"max_abs_dz_name\":" + (summary.maxDz ? JsonString(summary.maxName) : std::string("null")) +
                ",\"tolerance_z\":" + Json(tolerance) + ",\"depth\":" + Json(depth) + "}}\n";
        return text;
    }
    AppendTextRow(text, LevelHeader());
    for (std::size_t i = 0; i < shots.size(); ++i)
        AppendTextRow(text, rows.empty() ? LevelRowTexts(route, shots[i].name, shots[i].z, checks[i]) : rows[i]);
    text += "\n";
    for (const std::string& l : summaryLines) text += l + "\n";
    return text;
}

}  // namespace

std::optional<RoadbedTemplate> LoadRoadbedTemplate(const std::string& path, const Route& route, std::string* error,
                                                   int* status)
{
    const FileResult<std::string> text = ReadTableFileText(FromUtf8(path));
    if (!text.ok()) {
        *error = text.error->toStdString();
        *status = 1;
        return std::nullopt;
    }
    TemplateFileContent read = ParseTemplateFile(*text.value);
    *status = 2;
    if (!read.ok()) {
        *error = "路基模板文件“" + path + "”有错误：";
        for (const TemplateIssue& e : read.errors) *error += "\n" + e.message;
        return std::nullopt;
    }
    // Its stations are displayed stations; the template starts where the
    // road gets to them, across chain breaks.
    for (TemplateRow& row : read.rows) {
        const Route::StationLookup at = route.StationOf(row.station);
        if (!at.station) {
            *error = "路基模板文件“" + path + "”第 " + std::to_string(row.line) + " 行“起始桩号”：" + at.error;
            return std::nullopt;
        }
        row.station = *at.station;
    }
    RoadbedTemplate::Built built = RoadbedTemplate::Build(read.rows);
    if (!built.roadbed) {
        *error = "路基模板文件“" + path + "”不能计算：" + built.error->message;
        return std::nullopt;
    }
    return std::move(built.roadbed);
}

int RunRouteSlope(const Route& route, const Profile& profile, const OptionValue& value, bool json, std::ostream& out,
                  std::string* error)
{
    try {
        out << SlopeCommand(route, profile, value, json);
        return 0;
    } catch (const Refusal& r) {
        *error = r.message;
        return r.status;
    }
}

int RunRouteLevel(const Route& route, const Profile& profile, const OptionValue& value, bool json, std::ostream& out,
                  std::string* error)
{
    try {
        int status = 0;
        out << LevelCommand(route, profile, value, json, &status);
        return status;
    } catch (const Refusal& r) {
        *error = r.message;
        return r.status;
    }
}

}  // namespace tarvelo
