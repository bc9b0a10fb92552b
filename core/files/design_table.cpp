#include "core/files/design_table.h"

#include <cmath>
#include <cstddef>

#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "core/files/header_row.h"
#include "core/files/text_table.h"

namespace tarvelo {

namespace {

enum Role { kName, kStation, kX, kY, kElevation, kZone, kRoles };

const char* const kRoleWords[kRoles] = {"点名", "桩号", "X", "Y", "高程", "分区"};

struct Alias {
    const char* word;
    Role role;
};

// Lower-case ASCII; the words of Chinese tables as they are.
const Alias kAliases[] = {
    {"点名", kName},      {"点号", kName},        {"桩名", kName},       {"名称", kName},
    {"name", kName},      {"point", kName},       {"桩号", kStation},    {"里程", kStation},
    {"里程桩号", kStation}, {"station", kStation}, {"chainage", kStation}, {"x", kX},
    {"北", kX},           {"n", kX},              {"北坐标", kX},        {"x坐标", kX},
    {"north", kX},        {"y", kY},              {"东", kY},            {"e", kY},
    {"东坐标", kY},        {"y坐标", kY},           {"east", kY},          {"高程", kElevation},
    {"设计高程", kElevation}, {"标高", kElevation}, {"h", kElevation},     {"z", kElevation},
    {"elevation", kElevation}, {"分区", kZone},    {"区段", kZone},       {"断链区", kZone},
    {"zone", kZone},
};

// The role a header field names, or -1. A bracketed unit or direction after
// the name ("X(北)", "高程（m）") is not part of it.
int RoleOf(const std::string& field)
{
    const std::string key = HeaderKey(field);
    for (const Alias& a : kAliases)
        if (key == a.word) return a.role;
    return -1;
}

// Every alias: the words that make a first row a header.
const std::vector<std::string_view>& HeaderWords()
{
    static const std::vector<std::string_view> words = [] {
        std::vector<std::string_view> w;
        for (const Alias& a : kAliases) w.push_back(a.word);
        return w;
    }();
    return words;
}

// Field index per role; -1 where the table has no such column.
struct Columns {
    int of[kRoles] = {0, 1, 2, 3, 4, -1};
    bool byName = false;  // placed by a header's names: other columns ignored
};

const std::string kEmpty;

const std::string& Field(const TableLine& t, int column)
{
    return column >= 0 && column < int(t.fields.size()) ? t.fields[std::size_t(column)] : kEmpty;
}

Columns ColumnsOf(const TableLine& header)
{
    Columns named;
    for (int& c : named.of) c = -1;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const int role = RoleOf(header.fields[i]);
        if (role >= 0 && named.of[role] < 0) named.of[role] = int(i);  // the first one counts
    }
    if (named.of[kStation] >= 0 && named.of[kX] >= 0 && named.of[kY] >= 0) {
        named.byName = true;
        return named;
    }
    // Names that do not place the columns: the usual order, skipping a
    // named zone column.
    Columns ordered;
    ordered.of[kZone] = named.of[kZone];
    int column = 0;
    for (int role = kName; role <= kElevation; ++role, ++column) {
        if (column == ordered.of[kZone]) ++column;
        ordered.of[role] = column;
    }
    return ordered;
}

// The lines of the text as SplitTableLines counts them, trimmed.
std::vector<std::string_view> RawLines(std::string_view text)
{
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        out.push_back(line);
    }
    return out;
}

// At most 200 bytes of a line, not cutting a UTF-8 sequence.
std::string Shortened(std::string_view line)
{
    constexpr std::size_t kMax = 200;
    if (line.size() <= kMax) return std::string(line);
    std::size_t end = kMax;
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    return std::string(line.substr(0, end)) + "…";
}

std::string Quoted(const std::string& s) { return "“" + s + "”"; }

// Reads the row, or returns the reason it cannot be read (without the line).
std::string ReadRow(const TableLine& t, const Columns& c, DesignRow* row)
{
    if (!c.byName) {
        // Fields beyond the table's columns must be empty (a spreadsheet may
        // add trailing commas).
        int last = c.of[kElevation];
        if (c.of[kZone] > last) last = c.of[kZone];
        for (std::size_t i = std::size_t(last) + 1; i < t.fields.size(); ++i)
            if (!t.fields[i].empty())
                return "多出了第 " + std::to_string(i + 1) + " 栏" + Quoted(t.fields[i]) +
                       "，每行只有点名、桩号、X、Y 和高程五栏" + (c.of[kZone] >= 0 ? "（及分区）" : "") + "。";
    }
    row->line = t.line;
    row->name = Field(t, c.of[kName]);
    const std::string& station = Field(t, c.of[kStation]);
    if (station.empty()) return "缺少桩号。";
    std::optional<int> stationZone;  // "K13+060(2区)", as Tarvelo prints it
    switch (ReadZonedStationField(station, &row->station, &stationZone)) {
    case ZonedStationRead::NotStation:
        return "桩号" + Quoted(station) + "既不是数，也不是 K3+444.600 这样的桩号。";
    case ZonedStationRead::BadZone: return "桩号" + Quoted(station) + "的区段应写成“(1区)”这样的整数。";
    case ZonedStationRead::Ok: break;
    }
    for (Role r : {kX, kY}) {
        const std::string& f = Field(t, c.of[r]);
        if (f.empty()) return std::string("缺少 ") + kRoleWords[r] + " 坐标。";
        if (!ReadFieldNumber(f, r == kX ? &row->x : &row->y))
            return std::string(kRoleWords[r]) + " 坐标" + Quoted(f) + "不是数。";
    }
    const std::string& h = Field(t, c.of[kElevation]);
    if (!h.empty()) {
        double v = 0;
        if (!ReadFieldNumber(h, &v)) return "高程" + Quoted(h) + "不是数。";
        row->elevation = v;
    }
    const std::string& zone = Field(t, c.of[kZone]);
    if (!zone.empty()) {
        double v = 0;
        // Nine digits at most: the value fits an int whatever it is.
        if (!ReadFieldNumber(zone, &v) || v != std::floor(v) || std::fabs(v) > 999999999)
            return "分区" + Quoted(zone) + "不是整数。";
        if (stationZone && *stationZone != int(v))
            return "桩号" + Quoted(station) + "写的区段与分区" + Quoted(zone) + "不同。";
        row->zone = int(v);
    }
    if (stationZone) row->zone = stationZone;
    return std::string();
}

}  // namespace

DesignTable ParseDesignTable(std::string_view utf8)
{
    DesignTable out;
    const std::vector<TableLine> lines = SplitTableLines(utf8);
    if (lines.empty()) return out;
    const std::vector<std::string_view> raw = RawLines(utf8);

    Columns columns;
    std::size_t first = 0;
    if (IsHeaderRow(lines.front(), HeaderWords())) {
        columns = ColumnsOf(lines.front());
        out.headerLine = lines.front().line;
        first = 1;
    }
    out.zoneColumn = columns.of[kZone] >= 0;

    for (std::size_t i = first; i < lines.size(); ++i) {
        const TableLine& t = lines[i];
        DesignRow row;
        const std::string reason = ReadRow(t, columns, &row);
        if (reason.empty()) {
            out.rows.push_back(std::move(row));
            continue;
        }
        DesignUnreadableRow bad;
        bad.line = t.line;
        bad.name = Field(t, columns.of[kName]);
        bad.text = Shortened(raw[std::size_t(t.line - 1)]);
        bad.reason = "第 " + std::to_string(t.line) + " 行：" + reason;
        out.unreadable.push_back(std::move(bad));
    }
    return out;
}

}  // namespace tarvelo
