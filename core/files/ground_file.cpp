#include "core/files/ground_file.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/files/header_row.h"
#include "core/files/text_table.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

const std::vector<std::string_view> kStationWords = {"桩号", "station", "stake", "里程"};
const std::vector<std::string_view> kOffsetWords = {"偏距", "offset", "距离", "距中距离"};
const std::vector<std::string_view> kElevationWords = {"高程", "elevation", "z", "h", "地面高程"};

// Two sections closer than this along the route (metres) are at one station.
constexpr double kSameStation = 1e-6;

std::string LineText(int line) { return "第 " + std::to_string(line) + " 行："; }

std::size_t UsedWidth(const TableLine& t)
{
    std::size_t n = t.fields.size();
    while (n > 0 && t.fields[n - 1].empty()) --n;
    return n;
}

// The lines of the relative form: fields split at every run of tabs, spaces
// and commas; blank lines and '#' comments skipped.
std::vector<TableLine> SplitLooseLines(std::string_view text)
{
    std::vector<TableLine> out;
    int line = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view row = text.substr(pos, end - pos);
        ++line;
        pos = end + 1;
        if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
        TableLine t;
        t.line = line;
        std::string field;
        for (const char c : row) {
            if (c == ' ' || c == '\t' || c == ',') {
                if (!field.empty()) t.fields.push_back(std::move(field));
                field.clear();
            } else {
                field += c;
            }
        }
        if (!field.empty()) t.fields.push_back(std::move(field));
        if (!t.fields.empty() && t.fields.front()[0] != '#') out.push_back(std::move(t));
        if (end == text.size()) break;
    }
    return out;
}

bool IsBegin(const std::string& field)
{
    std::string f = field;
    std::transform(f.begin(), f.end(), f.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return f == "BEGIN";
}

// A section as it is being read.
struct Pending {
    std::optional<SectionStation> at;
    std::string stationField;
    int firstLine = 0;
    std::vector<GroundPoint> points;
    std::string fault;  // the first reason it is left out, with its line
};

void Finish(Pending& p, std::vector<std::pair<int, GroundSection>>& good, std::vector<std::string>& problems)
{
    const std::string name = "桩号 " + p.stationField + " 的断面（第 " + std::to_string(p.firstLine) + " 行起）";
    if (!p.fault.empty()) {
        problems.push_back(p.fault + "；" + name + "未读入。");
        return;
    }
    GroundSection::Built b = GroundSection::Build(*p.at, std::move(p.points));
    if (!b.section) {
        problems.push_back(name + "未读入：" + b.error);
        return;
    }
    good.emplace_back(p.firstLine, std::move(*b.section));
}

// Sections in route order; a second section at one station is left out.
std::vector<GroundSection> InRouteOrder(std::vector<std::pair<int, GroundSection>> good,
                                        std::vector<std::string>& problems)
{
    std::stable_sort(good.begin(), good.end(), [](const auto& a, const auto& b) {
        return a.second.at().distance < b.second.at().distance;
    });
    std::vector<GroundSection> out;
    int lastLine = 0;
    for (auto& [line, s] : good) {
        if (!out.empty() && std::fabs(s.at().distance - out.back().at().distance) <= kSameStation) {
            problems.push_back(LineText(line) + "断面的桩号与第 " + std::to_string(lastLine) +
                               " 行起的断面相同；该断面未读入。");
            continue;
        }
        lastLine = line;
        out.push_back(std::move(s));
    }
    return out;
}

void ReadCsv(const std::vector<TableLine>& lines, const GroundStationReader& station, GroundFileContent& out,
             std::vector<std::pair<int, GroundSection>>& good)
{
    std::size_t first = 0;
    int cs = 0, co = 1, cz = 2;
    if (!lines.empty() && (HoldsHeaderWords(lines[0], kStationWords) || HoldsHeaderWords(lines[0], kOffsetWords))) {
        cs = HeaderColumn(lines[0], kStationWords);
        co = HeaderColumn(lines[0], kOffsetWords);
        cz = HeaderColumn(lines[0], kElevationWords);
        if (cs < 0 || co < 0 || cz < 0) {
            out.refused = LineText(lines[0].line) + "表头应有 桩号、偏距、高程 三列。";
            return;
        }
        first = 1;
    }
    const std::size_t width = std::size_t(std::max({cs, co, cz})) + 1;
    std::map<double, Pending> groups;
    for (std::size_t i = first; i < lines.size(); ++i) {
        const TableLine& t = lines[i];
        const std::size_t used = UsedWidth(t);
        if (used < width || (first == 0 && used > width)) {
            out.problems.push_back(LineText(t.line) + "应为 桩号,偏距,高程 三列；该行未读入。");
            continue;
        }
        std::string error;
        const std::optional<SectionStation> at = station(t.fields[std::size_t(cs)], &error);
        if (!at) {
            out.problems.push_back(LineText(t.line) + "桩号 " + t.fields[std::size_t(cs)] + "：" + error +
                                   "；该行未读入。");
            continue;
        }
        Pending& p = groups[at->distance];
        if (!p.at) {
            p.at = at;
            p.stationField = t.fields[std::size_t(cs)];
            p.firstLine = t.line;
        }
        double o = 0, z = 0;
        if (!ReadFieldNumber(t.fields[std::size_t(co)], &o) || !ReadFieldNumber(t.fields[std::size_t(cz)], &z)) {
            if (p.fault.empty()) p.fault = LineText(t.line) + "偏距和高程须为数";
            continue;
        }
        p.points.push_back({o, z, ""});
    }
    for (auto& [d, p] : groups) Finish(p, good, out.problems);
}

void ReadHdm(const std::vector<TableLine>& lines, const GroundStationReader& station, GroundFileContent& out,
             std::vector<std::pair<int, GroundSection>>& good)
{
    std::optional<Pending> p;
    for (const TableLine& t : lines) {
        if (IsBegin(t.fields[0])) {
            if (p) Finish(*p, good, out.problems);
            p.emplace();
            p->firstLine = t.line;
            std::string field = UsedWidth(t) >= 2 ? t.fields[1] : std::string();
            // `<station>:<number>`: the number only counts the sections.
            if (const std::size_t colon = field.find(':'); colon != std::string::npos) field.resize(colon);
            p->stationField = field;
            std::string error;
            if (UsedWidth(t) != 2) {
                p->fault = LineText(t.line) + "应为 BEGIN,桩号";
            } else if (!(p->at = station(field, &error))) {
                p->fault = LineText(t.line) + "桩号 " + field + "：" + error;
            }
            continue;
        }
        if (!p) {
            out.problems.push_back(LineText(t.line) + "在第一个 BEGIN 行之前；该行未读入。");
            continue;
        }
        double o = 0, z = 0;
        if (UsedWidth(t) != 2 || !ReadFieldNumber(t.fields[0], &o) || !ReadFieldNumber(t.fields[1], &z)) {
            if (p->fault.empty()) p->fault = LineText(t.line) + "应为 偏距,高程 两个数";
            continue;
        }
        p->points.push_back({o, z, ""});
    }
    if (p) Finish(*p, good, out.problems);
}

// One side of a relative section: `n d1 h1 … dn hn`, outward from the
// centre point; appends the points. Returns the fault, or "".
std::string ReadRelativeSide(const TableLine& t, double sign, double zc, std::vector<GroundPoint>& points)
{
    double n = 0;
    if (!ReadFieldNumber(t.fields[0], &n) || n < 0 || n != std::floor(n) || n > 1e6)
        return LineText(t.line) + "第一个数应为点数";
    if (t.fields.size() != 1 + 2 * std::size_t(n))
        return LineText(t.line) + "点数为 " + t.fields[0] + "，应有 " + std::to_string(2 * std::size_t(n)) +
               " 个数，实有 " + std::to_string(t.fields.size() - 1) + " 个";
    double u = 0, z = zc;
    for (std::size_t k = 0; k < std::size_t(n); ++k) {
        double d = 0, h = 0;
        if (!ReadFieldNumber(t.fields[1 + 2 * k], &d) || !ReadFieldNumber(t.fields[2 + 2 * k], &h))
            return LineText(t.line) + "第 " + std::to_string(k + 1) + " 对应为 平距,高差 两个数";
        if (d < 0) return LineText(t.line) + "第 " + std::to_string(k + 1) + " 对的平距为负";
        u += d;
        z += h;
        if (!std::isfinite(u) || !std::isfinite(z)) return LineText(t.line) + "偏距或高程超出可计算范围";
        points.push_back({sign * u, z, ""});
    }
    return "";
}

void ReadRelative(const std::vector<TableLine>& lines, const GroundStationReader& station,
                  const std::vector<CentreGround>& centre, GroundFileContent& out,
                  std::vector<std::pair<int, GroundSection>>& good)
{
    for (std::size_t i = 0; i < lines.size(); i += 3) {
        Pending p;
        const TableLine& head = lines[i];
        p.firstLine = head.line;
        p.stationField = head.fields[0];
        if (i + 2 >= lines.size()) {
            out.problems.push_back(LineText(head.line) + "桩号 " + p.stationField +
                                   " 之后应有左、右两行；文件在此结束，该断面未读入。");
            break;
        }
        std::string error;
        std::optional<double> zc;
        if (head.fields.size() != 1) {
            p.fault = LineText(head.line) + "应为一个桩号";
        } else if (!(p.at = station(head.fields[0], &error))) {
            p.fault = LineText(head.line) + "桩号 " + head.fields[0] + "：" + error;
        } else if (!(zc = CentreGroundAt(centre, p.at->distance))) {
            p.fault = LineText(head.line) + "桩号 " + head.fields[0] + " 没有中桩地面高程";
        } else {
            p.points.push_back({0, *zc, ""});
            p.fault = ReadRelativeSide(lines[i + 1], -1, *zc, p.points);
            if (p.fault.empty()) p.fault = ReadRelativeSide(lines[i + 2], 1, *zc, p.points);
        }
        Finish(p, good, out.problems);
    }
}

// A number as the files carry it: six decimals (a micrometre, far below
// any survey), trailing zeros dropped: 100.5, -35.000038, 0.
std::string FieldNumber(double v)
{
    std::string t = FormatFixed(v, 6);
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t == "-0" ? "0" : t;
}

const char* FormName(GroundFileForm f)
{
    switch (f) {
    case GroundFileForm::Csv: return "桩号,偏距,高程";
    case GroundFileForm::Hdm: return "BEGIN 偏距,高程";
    case GroundFileForm::HdmRelative: break;
    }
    return "相对平距,高差";
}

}  // namespace

CentreGroundContent ParseCentreGroundFile(std::string_view utf8, const GroundStationReader& station)
{
    CentreGroundContent out;
    const std::vector<TableLine> lines = SplitTableLines(utf8);
    std::size_t first = 0;
    if (!lines.empty() && HoldsHeaderWords(lines[0], kStationWords)) first = 1;
    for (std::size_t i = first; i < lines.size(); ++i) {
        const TableLine& t = lines[i];
        double z = 0;
        std::string error;
        if (UsedWidth(t) != 2 || !ReadFieldNumber(t.fields[1], &z)) {
            out.errors.push_back(LineText(t.line) + "应为 桩号,高程，高程须为数。");
            continue;
        }
        const std::optional<SectionStation> at = station(t.fields[0], &error);
        if (!at) {
            out.errors.push_back(LineText(t.line) + "桩号 " + t.fields[0] + "：" + error);
            continue;
        }
        out.points.push_back({*at, z, t.line});
    }
    std::stable_sort(out.points.begin(), out.points.end(),
                     [](const CentreGround& a, const CentreGround& b) { return a.at.distance < b.at.distance; });
    for (std::size_t i = 1; i < out.points.size(); ++i)
        if (out.points[i].at.distance - out.points[i - 1].at.distance <= kSameStation)
            out.errors.push_back(LineText(std::max(out.points[i].line, out.points[i - 1].line)) + "桩号与第 " +
                                 std::to_string(std::min(out.points[i].line, out.points[i - 1].line)) +
                                 " 行相同。");
    if (out.points.empty() && out.errors.empty()) out.errors.push_back("中桩地面高程文件没有数据行。");
    if (!out.errors.empty()) out.points.clear();
    return out;
}

std::optional<double> CentreGroundAt(const std::vector<CentreGround>& points, double distance)
{
    if (points.empty() || !(distance >= points.front().at.distance - kSameStation) ||
        !(distance <= points.back().at.distance + kSameStation))
        return std::nullopt;
    const auto it = std::lower_bound(points.begin(), points.end(), distance,
                                     [](const CentreGround& c, double d) { return c.at.distance < d; });
    if (it != points.end() && std::fabs(it->at.distance - distance) <= kSameStation) return it->z;
    if (it != points.begin() && std::fabs((it - 1)->at.distance - distance) <= kSameStation) return (it - 1)->z;
    if (it == points.end() || it == points.begin()) return std::nullopt;
    const CentreGround& a = *(it - 1);
    const CentreGround& b = *it;
    return a.z + (b.z - a.z) * (distance - a.at.distance) / (b.at.distance - a.at.distance);
}

GroundFileContent ParseGroundFile(std::string_view utf8, const GroundStationReader& station,
                                  const std::vector<CentreGround>* centre)
{
    GroundFileContent out;
    const std::vector<TableLine> loose = SplitLooseLines(utf8);
    const std::vector<TableLine> lines = SplitTableLines(utf8);
    if (lines.empty()) {
        out.refused = "横断面文件没有数据行。";
        return out;
    }
    if (std::any_of(lines.begin(), lines.end(), [](const TableLine& t) { return IsBegin(t.fields[0]); }))
        out.form = GroundFileForm::Hdm;
    else if (!loose.empty() && loose[0].fields.size() == 1)
        out.form = GroundFileForm::HdmRelative;
    std::vector<std::pair<int, GroundSection>> good;
    switch (out.form) {
    case GroundFileForm::Csv: ReadCsv(lines, station, out, good); break;
    case GroundFileForm::Hdm: ReadHdm(lines, station, out, good); break;
    case GroundFileForm::HdmRelative:
        if (!centre || centre->empty()) {
            out.refused = "相对格式（每桩三行：桩号；左侧点数及平距,高差；右侧同）的横断面文件需要中桩地面高程才能算出各点高程。";
            return out;
        }
        ReadRelative(loose, station, *centre, out, good);
        break;
    }
    if (!out.refused.empty()) return out;
    out.sections = InRouteOrder(std::move(good), out.problems);
    if (out.sections.empty())
        out.refused = "横断面文件（" + std::string(FormName(out.form)) + " 格式）没有一个可读的断面。";
    return out;
}

std::string DescribeGroundFile(const GroundFileContent& c)
{
    std::string s = "读入 " + std::to_string(c.sections.size()) + " 个断面（" + FormName(c.form) + " 格式）";
    if (!c.problems.empty()) s += "，" + std::to_string(c.problems.size()) + " 处有错未读入";
    return s;
}

std::string FormatGroundCsv(const std::vector<GroundSection>& sections, const GroundStationLabel& label)
{
    std::string s = "桩号,偏距,高程\n";
    for (const GroundSection& g : sections) {
        const std::string st = label(g);
        for (const GroundPoint& p : g.points())
            s += st + "," + FieldNumber(p.offset) + "," + FieldNumber(p.z) + "\n";
    }
    return s;
}

std::string FormatGroundHdm(const std::vector<GroundSection>& sections, const GroundStationLabel& label)
{
    std::string s;
    for (const GroundSection& g : sections) {
        s += "BEGIN," + label(g) + "\n";
        for (const GroundPoint& p : g.points()) s += FieldNumber(p.offset) + "," + FieldNumber(p.z) + "\n";
    }
    return s;
}

namespace {

// One side outward from the centre: pairs from the written value before,
// so the sums read back stay within the last digit of each point. A point
// less than a micrometre beyond the one before would read back at the same
// offset: it is left out and counted in *merged.
void AppendRelativeSide(std::string& s, const std::vector<const GroundPoint*>& side, double zc, std::size_t* merged)
{
    std::string pairs;
    std::size_t n = 0;
    double u = 0, z = zc;
    for (const GroundPoint* p : side) {
        double du = 0, dz = 0;
        const std::string duText = FieldNumber(std::fabs(p->offset) - u);
        if (duText == "0") {
            ++*merged;
            continue;
        }
        const std::string dzText = FieldNumber(p->z - z);
        ReadFieldNumber(duText, &du);
        ReadFieldNumber(dzText, &dz);
        u += du;
        z += dz;
        pairs += "\t" + duText + "\t" + dzText;
        ++n;
    }
    s += std::to_string(n) + pairs + "\n";
}

}  // namespace

RelativeGroundText FormatGroundRelative(const std::vector<GroundSection>& sections, const GroundStationLabel& label)
{
    RelativeGroundText out;
    out.centreGround = "桩号,高程\n";
    for (const GroundSection& g : sections) {
        const std::string st = label(g);
        const std::optional<double> zc = g.ElevationAt(0);
        if (!zc) {
            out.notes.push_back("桩号 " + st + "：断面没有跨过中线，求不出中桩地面高程，未写入相对格式。");
            continue;
        }
        std::vector<const GroundPoint*> left, right;
        bool onCentre = false;
        for (const GroundPoint& p : g.points()) {
            // A point the six decimals put on the centre line is the centre point.
            if (FieldNumber(p.offset) == "0")
                onCentre = true;
            else if (p.offset < 0)
                left.insert(left.begin(), &p);
            else
                right.push_back(&p);
        }
        out.notes.push_back("桩号 " + st + "：中桩地面高程 " + FormatFixed(*zc, 3) +
                            (onCentre ? "（中桩地面点）" : "（由左右两点内插）"));
        // The centre elevation is written in full, as the pairs start from it.
        out.centreGround += st + "," + FieldNumber(*zc) + "\n";
        double zcWritten = 0;
        ReadFieldNumber(FieldNumber(*zc), &zcWritten);
        out.text += st + "\n";
        std::size_t merged = 0;
        AppendRelativeSide(out.text, left, zcWritten, &merged);
        AppendRelativeSide(out.text, right, zcWritten, &merged);
        if (merged)
            out.notes.push_back("桩号 " + st + "：" + std::to_string(merged) +
                                " 个点与相邻点的偏距相差不到 0.000001 m，相对格式中未写入。");
        ++out.written;
    }
    return out;
}

}  // namespace tarvelo
