#include "core/files/element_file.h"

#include <charconv>
#include <cmath>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "core/files/header_row.h"
#include "core/files/route_file.h"    // RoundTripText
#include "core/files/text_table.h"

namespace tarvelo {

namespace {

using Fields = std::vector<std::string>;
// A row ends at the length at the least; radii and turn may be left off on a line.
constexpr int kMinColumns = kElementLength + 1;

std::string At(int line) { return "第 " + std::to_string(line) + " 行："; }

bool Empty(const Fields& t, int col) { return col >= static_cast<int>(t.size()) || t[col].empty(); }

std::string Field(const Fields& t, int col) { return Empty(t, col) ? std::string() : t[col]; }

// A field that should be a number: "" when it is one (in *v), else why not.
std::string ReadNumber(const Fields& t, int col, double* v)
{
    const std::string f = Field(t, col);
    if (ReadFieldNumber(f, v)) return std::string();
    double raw = 0;
    if (ParseWholeNumber(f, &raw))  // a number, but beyond the range of a double
        return std::string(kElementColumnNames[col]) + " 超出可计算的范围：“" + f + "”。";
    return std::string(kElementColumnNames[col]) + " 不是数：“" + f + "”。";
}

// The length column's names: the column that tells an element file from a
// JD route file.
const std::vector<std::string_view> kLengthWords = {"length", "长度", "线元长度", "线元长"};

// The words that make a first row the header of an element file.
const std::vector<std::string_view> kElementHeaderWords = {
    "名称", "线元", "线元名", "桩号", "起点桩号", "里程", "x", "y", "方位角", "起点方位角", "长度", "线元长度",
    "起点半径", "终点半径", "转向", "偏向", "name", "station", "azimuth", "length", "r_start", "r_end", "turn"};

bool HasLengthColumn(const TableLine& t) { return IsHeaderRow(t, kLengthWords); }

// A radius: "" on success (*r = kStraight for a straight end), else why not.
std::string ReadRadius(const Fields& t, int col, double* r)
{
    std::string f = Field(t, col);
    std::string lower = f;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (f.empty() || lower == "inf" || lower == "+inf" || lower == "infinity" || f == "∞") {
        *r = kStraight;
        return std::string();
    }
    double v = 0;
    const std::string why = ReadNumber(t, col, &v);
    if (!why.empty()) return why + "半径应为正数，直线端留空或写 inf。";
    if (!(v > 0)) return std::string(kElementColumnNames[col]) + " 必须大于 0：“" + f + "”（直线端留空或写 inf）。";
    *r = v;
    return std::string();
}

// +1 right, -1 left, 0 for a text that is neither.
int ReadTurn(const std::string& f)
{
    if (f == "右" || f == "R" || f == "r" || f == "1" || f == "+1") return 1;
    if (f == "左" || f == "L" || f == "l" || f == "-1") return -1;
    return 0;
}

double Reduced(double a)
{
    double r = std::fmod(a, 360.0);
    if (r < 0) r += 360;
    if (r >= 360) r -= 360;  // a tiny negative a lands on 360 after the addition
    return r;
}

std::string CleanName(std::string name)
{
    for (char& c : name)
        if (c == ',' || c == '\t' || c == '\r' || c == '\n') c = ' ';
    const std::size_t a = name.find_first_not_of(' ');
    if (a == std::string::npos) return std::string();
    name = name.substr(a, name.find_last_not_of(' ') - a + 1);
    if (name.front() == '#') name.replace(0, 1, "＃");
    return name;
}

std::string RadiusText(double r)
{
    if (std::isinf(r) && r > 0) return "inf";
    return RoundTripText(Checked(r, "半径"));
}

}  // namespace

const char* const kElementColumnNames[kElementColumnCount] = {
    "名称", "桩号", "X", "Y", "方位角", "长度", "起点半径", "终点半径", "转向"};

ElementRowRead ReadElementFields(const std::vector<std::string>& t, std::size_t index)
{
    ElementRowRead out;
    const auto bad = [&](int column, const std::string& what) {
        out.column = column;
        out.message = what;
        return out;
    };
    const bool first = index == 0;
    ElementInput e;
    e.name = Empty(t, kElementName) ? "E" + std::to_string(index + 1) : t[kElementName];

    if (!Empty(t, kElementStation)) {
        double v = 0;
        if (ReadZonedStationField(t[kElementStation], &v, &e.zone) != ZonedStationRead::Ok)
            return bad(kElementStation, "桩号不是数：“" + t[kElementStation] + "”（应为米数或 K3+444.600 的写法）。");
        e.station = v;
    } else if (first) {
        return bad(kElementStation, "第一个线元缺少起点桩号。");
    }

    const int given = int(!Empty(t, kElementX)) + int(!Empty(t, kElementY)) + int(!Empty(t, kElementAzimuth));
    // The cell to mark for a partial start: the first of the three left empty.
    const int missing = Empty(t, kElementX) ? kElementX : Empty(t, kElementY) ? kElementY : kElementAzimuth;
    if (first && given < 3) return bad(missing, "第一个线元必须给出起点的 X、Y 和方位角。");
    if (given != 0 && given != 3) return bad(missing, "起点 X、Y 和方位角应三项都给出或都留空。");
    if (given == 3) {
        double v[3] = {0, 0, 0};
        for (int c = kElementX; c <= kElementAzimuth; ++c)
            if (const std::string why = ReadNumber(t, c, &v[c - kElementX]); !why.empty()) return bad(c, why);
        e.x = v[0];
        e.y = v[1];
        const std::optional<double> azimuth = StrictDmsToDegrees(v[2]);
        if (!azimuth)
            return bad(kElementAzimuth, "方位角“" + t[kElementAzimuth] + "”的分或秒不小于 60，应为 d.mmss（度.分分秒秒）。");
        e.azimuth = Reduced(*azimuth);
    }

    if (Empty(t, kElementLength)) return bad(kElementLength, "缺少线元长度。");
    if (const std::string why = ReadNumber(t, kElementLength, &e.length); !why.empty())
        return bad(kElementLength, why);
    if (!(e.length > 0)) return bad(kElementLength, "线元长度必须大于 0：“" + t[kElementLength] + "”。");

    if (const std::string why = ReadRadius(t, kElementRStart, &e.startRadius); !why.empty())
        return bad(kElementRStart, why);
    if (const std::string why = ReadRadius(t, kElementREnd, &e.endRadius); !why.empty())
        return bad(kElementREnd, why);
    const bool line = std::isinf(e.startRadius) && std::isinf(e.endRadius);
    if (!line) {
        const std::string turn = Field(t, kElementTurn);
        if (turn.empty()) return bad(kElementTurn, "曲线线元缺少转向（右 / 左、R / L 或 1 / -1）。");
        e.turn = ReadTurn(turn);
        if (e.turn == 0) return bad(kElementTurn, "转向“" + turn + "”无法识别，应为 右 / 左、R / L 或 1 / -1。");
    }
    out.row = std::move(e);
    return out;
}

bool IsElementFileHeader(std::string_view utf8)
{
    // Only the first row matters: split no further than its line.
    while (!utf8.empty()) {
        const std::size_t eol = utf8.find('\n');
        const std::vector<TableLine> lines = SplitTableLines(utf8.substr(0, eol));
        if (!lines.empty()) return HasLengthColumn(lines.front());
        if (eol == std::string_view::npos) break;
        utf8.remove_prefix(eol + 1);
    }
    return false;
}

ElementFileParse ParseElementFile(std::string_view utf8)
{
    ElementFileParse out;
    std::vector<TableLine> lines = SplitTableLines(utf8);
    if (!lines.empty() && IsHeaderRow(lines.front(), kElementHeaderWords)) lines.erase(lines.begin());
    if (lines.empty()) {
        out.errors.push_back({-1, 0, "线元文件中没有线元数据行。"});
        return out;
    }
    std::vector<ElementInput> rows;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TableLine& t = lines[i];
        const auto bad = [&](const std::string& what) {
            out.errors.push_back({static_cast<int>(i), t.line, At(t.line) + what});
        };
        const int n = static_cast<int>(t.fields.size());
        if (n < kMinColumns) {
            bad("列数太少：至少要有 名称, 桩号, X, Y, 方位角, 长度 六列（只有 " + std::to_string(n) + " 列）。");
            continue;
        }
        bool extra = false;
        for (int c = kElementColumnCount; c < n; ++c) extra = extra || !t.fields[c].empty();
        if (extra) {
            bad("列数太多：应为 名称, 桩号, X, Y, 方位角, 长度, 起点半径, 终点半径, 转向 九列。");
            continue;
        }
        ElementRowRead read = ReadElementFields(t.fields, i);
        if (!read.row) {
            bad(read.message);
            continue;
        }
        read.row->line = t.line;
        rows.push_back(std::move(*read.row));
    }
    if (out.errors.empty()) out.rows = std::move(rows);
    return out;
}

double DegreesToDmsNumber(double a)
{
    a = Reduced(Checked(a, "方位角"));
    const double d = std::floor(a);
    const double minutes = (a - d) * 60;
    const double m = std::floor(minutes);
    const double s = (minutes - m) * 60;  // [0, 60)
    // Ten decimals of a second (3e-14 degrees): the d.mmss double then holds
    // 17 significant digits, and its shortest text reads back within 2e-13°.
    // to_chars, not printf: the text must not follow the C locale's decimal mark.
    char buf[64];
    std::string sec(buf, std::to_chars(buf, buf + sizeof buf, s, std::chars_format::fixed, 10).ptr);
    double deg = d;
    int mm = static_cast<int>(m);
    // Seconds that round to 60 carry into the minute (and the minute into the
    // degree): a d.mmss with 60 seconds is refused when read back.
    if (sec.rfind("60.", 0) == 0) {
        sec = "0.0000000000";
        if (++mm == 60) {
            mm = 0;
            deg += 1;
            if (deg == 360) deg = 0;
        }
    }
    std::string text(buf, std::to_chars(buf, buf + sizeof buf, deg, std::chars_format::fixed, 0).ptr);
    text += '.';
    text += char('0' + mm / 10);
    text += char('0' + mm % 10);
    if (sec.find('.') < 2) text += '0';  // two digits of whole seconds
    for (char c : sec)
        if (c != '.') text += c;
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

std::string FormatElementFile(const std::vector<ElementInput>& rows)
{
    std::string out = "名称,桩号,X,Y,方位角,长度,起点半径,终点半径,转向\r\n";
    for (const ElementInput& e : rows) {
        out += CleanName(e.name);
        out += ',';
        if (e.station) out += RoundTripText(Checked(*e.station, "桩号"));
        out += ',';
        if (e.x) out += RoundTripText(Checked(*e.x, "X"));
        out += ',';
        if (e.y) out += RoundTripText(Checked(*e.y, "Y"));
        out += ',';
        if (e.azimuth) out += RoundTripText(DegreesToDmsNumber(*e.azimuth));
        out += ',' + RoundTripText(Checked(e.length, "长度"));
        out += ',' + RadiusText(e.startRadius) + ',' + RadiusText(e.endRadius) + ',';
        const bool line = std::isinf(e.startRadius) && std::isinf(e.endRadius);
        if (!line && e.turn != 0) out += e.turn > 0 ? "1" : "-1";
        out += "\r\n";
    }
    return out;
}

}  // namespace tarvelo
