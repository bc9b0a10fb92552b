#include "reports/xlsx_tables.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QFile>
#include <QTemporaryDir>

#include "core/files/text_table.h"
#include "reports/csv_field.h"
#include "core/numbers/station_text.h"

namespace tarvelo {

namespace {

bool IsNumber(const std::string& field, double* v) { return ReadFieldNumber(field, v); }

// The text before the first of the given marks (whole UTF-8 sequences, not
// bytes: "（" shares bytes with other Chinese characters).
std::string Before(const std::string& text, std::initializer_list<const char*> marks)
{
    std::size_t end = text.size();
    for (const char* m : marks) end = std::min(end, text.find(m));
    return text.substr(0, end);
}

int ShownDecimals(const std::string& field)
{
    if (field.find_first_of("eE") != std::string::npos) return 10;
    const std::size_t dot = field.find('.');
    return dot == std::string::npos ? 0 : int(std::min<std::size_t>(field.size() - dot - 1, 15));
}

// The station a K-notation field names, without its zone or break.
bool ReadKStation(const std::string& field, double* station, int* decimals)
{
    if (field.empty() || (field[0] != 'K' && field[0] != 'k')) return false;
    const std::string bare = Before(field, {"(", "=", "（"});
    if (!ReadStationField(bare, station)) return false;
    *decimals = ShownDecimals(bare);
    return true;
}

bool StartsWith(const std::string& s, const std::string& head) { return s.compare(0, head.size(), head) == 0; }

enum class Kind { Text, Number, KStation, Angle };

Kind ColumnKind(const TextRecords& rows, std::size_t c)
{
    bool any = false, numbers = true, stations = true, angles = true;
    for (const auto& row : rows) {
        if (c >= row.size() || row[c].empty()) continue;
        const std::string& f = row[c];
        any = true;
        double v;
        int d;
        if (!(f == "-" || IsNumber(f, &v))) numbers = false;
        if (!ReadKStation(f, &v, &d)) stations = false;
        if (!ReadDmsText(f, &v)) angles = false;
    }
    if (!any) return Kind::Text;
    if (numbers) return Kind::Number;
    if (stations) return Kind::KStation;
    if (angles) return Kind::Angle;
    return Kind::Text;
}

XlsxValue Text(const std::string& s)
{
    XlsxValue v;
    if (!s.empty()) {
        v.kind = XlsxValue::Kind::Text;
        v.text = s;
    }
    return v;
}

XlsxValue Number(double x, int decimals)
{
    XlsxValue v;
    v.kind = XlsxValue::Kind::Number;
    v.number = x;
    v.decimals = decimals;
    return v;
}

}  // namespace

bool ReadDmsText(const std::string& text, double* degrees)
{
    std::string s = text;
    for (const char* side : {"左", "右"})
        if (StartsWith(s, side)) s.erase(0, std::string(side).size());
    bool negative = false;
    if (!s.empty() && s[0] == '-') {
        negative = true;
        s.erase(0, 1);
    }
    const std::size_t deg = s.find("°");
    const std::size_t min = s.find("ˊ");
    if (deg == std::string::npos || min == std::string::npos || min < deg || s.empty() || s.back() != '"') return false;
    double d, m, sec;
    if (!ReadFieldNumber(s.substr(0, deg), &d) || !ReadFieldNumber(s.substr(deg + 2, min - deg - 2), &m) ||
        !ReadFieldNumber(s.substr(min + 2, s.size() - min - 3), &sec) || d < 0 || m < 0 || sec < 0)
        return false;
    const double value = d + m / 60 + sec / 3600;
    *degrees = negative ? -value : value;
    return std::isfinite(value);
}

std::vector<TextRecords> RecordBlocks(const TextRecords& records)
{
    std::vector<TextRecords> blocks(1);
    for (const auto& r : records) {
        if (r.empty() || (r.size() == 1 && r[0].empty())) {
            if (!blocks.back().empty()) blocks.emplace_back();
        } else {
            blocks.back().push_back(r);
        }
    }
    if (blocks.back().empty()) blocks.pop_back();
    return blocks;
}

double FullValues::Of(const std::string& shown, double read)
{
    // A note a few rows ahead at most: messages and other tables' notes
    // between the rows are passed over, a field no note wrote is not.
    constexpr std::size_t kLookAhead = 512;
    if (shown.find('.') == std::string::npos) return read;
    // The decimals the text shows: a note of other decimals cannot have written it.
    const int decimals = int(shown.size() - shown.find('.') - 1);
    for (std::size_t i = next_; i < notes_.size() && i < next_ + kLookAhead; ++i)
        if (notes_[i].decimals == decimals && FormatFixed(notes_[i].value, decimals) == shown) {
            next_ = i + 1;
            return notes_[i].value;
        }
    return read;
}

XlsxTable TypedXlsxTable(std::string sheet, std::string title, const TextRecords& block, FullValues* full,
                         XlsxColumns columns)
{
    XlsxTable t;
    t.sheet = std::move(sheet);
    t.title = std::move(title);
    bool header = block.size() > 1 && block.front().size() > 1;
    if (header)
        for (const std::string& f : block.front()) {
            double v;
            int d;
            if (IsNumber(f, &v) || ReadKStation(f, &v, &d)) header = false;
        }
    const TextRecords rows(block.begin() + (header ? 1 : 0), block.end());
    // The full value of each number and station field, looked up in the
    // order the rows were written.
    std::vector<std::vector<double>> values(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (const std::string& f : rows[r]) {
            double v = 0;
            int d = 0;
            if (IsNumber(f, &v)) {
                // A '+' is put before the number's text by its table.
                if (full) v = full->Of(f[0] == '+' ? f.substr(1) : f, v);
            } else if (ReadKStation(f, &v, &d)) {
                if (full) v = full->Of(FormatFixed(v, d), v);
            }
            values[r].push_back(v);
        }
    std::size_t width = header ? block.front().size() : 0;
    for (const auto& r : rows) width = std::max(width, r.size());
    const auto name = [&](std::size_t c) { return header && c < block.front().size() ? block.front()[c] : std::string(); };
    const auto hasColumn = [&](const std::string& n) {
        return header && std::find(block.front().begin(), block.front().end(), n) != block.front().end();
    };

    // Each source column gives one or two columns of the sheet.
    std::vector<std::vector<XlsxValue>> out(rows.size());
    for (std::size_t c = 0; c < width; ++c) {
        const Kind kind = ColumnKind(rows, c);
        const std::string n = name(c);
        const std::string base = Before(n, {"(", "（"});
        const bool added = columns == XlsxColumns::Added;
        const bool stationNumbers = added && kind == Kind::Number && n.find("桩号") != std::string::npos;
        const bool stationTexts = added && kind == Kind::KStation;
        const bool twin = stationTexts || stationNumbers || (added && kind == Kind::Angle && !hasColumn(base + "(度)"));
        if (header) {
            t.columns.push_back(n);
            if (stationTexts) t.columns.push_back(base + "(m)");
            if (stationNumbers) t.columns.push_back(base + "(K)");
            if (kind == Kind::Angle && twin) t.columns.push_back(base + "(度)");
        }
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::string f = c < rows[r].size() ? rows[r][c] : std::string();
            double v = 0;
            int d = 0;
            if (kind == Kind::Number && f != "-" && IsNumber(f, &v)) {
                v = values[r][c];
                out[r].push_back(Number(v, ShownDecimals(f)));
                out[r].back().plus = f[0] == '+';
                if (stationNumbers) out[r].push_back(Text(FormatKStation(v, std::clamp(ShownDecimals(f), 0, 9))));
                continue;
            }
            out[r].push_back(Text(f));
            if (!twin) continue;
            if (kind == Kind::KStation && ReadKStation(f, &v, &d))
                out[r].push_back(Number(values[r][c], d));
            else if (kind == Kind::Angle && ReadDmsText(f, &v))
                out[r].push_back(Number(v, 8));
            else
                out[r].push_back(XlsxValue());
        }
    }
    t.rows = std::move(out);
    return t;
}

std::vector<XlsxTable> TypedXlsxTables(const TextRecords& records, const std::string& first,
                                       const std::function<std::string(const TextRecords&)>& laterName,
                                       FullValues* full, XlsxColumns columns)
{
    const std::vector<TextRecords> blocks = RecordBlocks(records);
    std::vector<XlsxTable> tables;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        std::string sheet = i == 0 || !laterName ? first : laterName(blocks[i]);
        for (const XlsxTable& t : tables)
            if (t.sheet == sheet) sheet += std::to_string(i + 1);
        tables.push_back(TypedXlsxTable(sheet, sheet, blocks[i], full, columns));
    }
    return tables;
}

FileStatus WriteCsvAsXlsx(const QString& path, const std::string& sheet, XlsxColumns columns,
                          const std::function<FileStatus(const QString& csvPath)>& writeCsv)
{
    QTemporaryDir scratch;
    if (!scratch.isValid()) return FileStatus::Failure(QStringLiteral("无法建立临时文件夹，工作簿没有写出。"));
    const QString csvPath = scratch.filePath(QStringLiteral("table.csv"));
    std::optional<FullValues> full;
    {
        FixedTextLog notes;
        const FileStatus written = writeCsv(csvPath);
        if (!written.ok()) return written;
        full.emplace(notes.Release());
    }
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly))
        return FileStatus::Failure(QStringLiteral("读不到写出的表格，工作簿没有写出。"));
    const std::vector<XlsxTable> tables = TypedXlsxTables(SplitCsvRecords(file.readAll().toStdString()), sheet, {}, &*full, columns);
    if (tables.empty()) return FileStatus::Failure(QStringLiteral("表格是空的，工作簿没有写出。"));
    return WriteXlsxFile(path, tables);
}

}  // namespace tarvelo
