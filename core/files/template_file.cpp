#include "core/files/template_file.h"

#include <cmath>
#include <set>

#include "core/files/header_row.h"
#include "core/files/text_table.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"

namespace tarvelo {

namespace {

constexpr std::size_t kCells = 7;

const std::vector<std::string_view> kHeaderWords = {"起始桩号", "侧", "部位", "参数1", "参数2", "参数3", "参数4",
                                                    "station", "side", "part", "p1", "p2", "p3", "p4"};

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

bool ReadSides(const std::string& field, TemplateSides* sides)
{
    const std::string f = Lower(field);
    if (f == "左" || f == "l") *sides = TemplateSides::Left;
    else if (f == "右" || f == "r") *sides = TemplateSides::Right;
    else if (f == "两侧" || f == "lr") *sides = TemplateSides::Both;
    else return false;
    return true;
}

bool ReadPart(const std::string& field, TemplatePart* part)
{
    const std::string f = Lower(field);
    if (f == "路肩" || f == "shoulder") *part = TemplatePart::Shoulder;
    else if (f == "边沟" || f == "ditch") *part = TemplatePart::Ditch;
    else if (f == "挖方" || f == "cut") *part = TemplatePart::Cut;
    else if (f == "填方" || f == "fill") *part = TemplatePart::Fill;
    else return false;
    return true;
}

std::string Cell(int line, int column)
{
    return "第 " + std::to_string(line) + " 行“" + TemplateColumnName(column) + "”：";
}

}  // namespace

TemplateFieldsRead ReadTemplateFields(const std::vector<std::string>& fields, int line)
{
    TemplateFieldsRead out;
    const auto fail = [&](int column, const std::string& reason) {
        out.fault = TemplateIssue{line, column, Cell(line, column) + reason};
        return out;
    };
    const auto whole = [&](const std::string& message) {
        out.fault = TemplateIssue{line, 0, "第 " + std::to_string(line) + " 行：" + message};
        return out;
    };
    std::size_t used = fields.size();
    while (used > 0 && fields[used - 1].empty()) --used;
    if (used > kCells)
        return whole("多出了第 " + std::to_string(kCells + 1) + " 栏“" + fields[kCells] +
                     "”，每行只有起始桩号、侧、部位和四个参数。");
    if (fields.size() < 3)
        return whole("只有 " + std::to_string(fields.size()) + " 栏，每行应有起始桩号、侧、部位和参数。");
    TemplateRow row;
    row.line = line;
    if (!ReadStationField(fields[0], &row.station))
        return fail(1, fields[0].empty() ? std::string("缺少起始桩号。")
                                         : "“" + fields[0] + "”既不是数，也不是 K5+030.5 这样的桩号。");
    if (!ReadSides(fields[1], &row.sides))
        return fail(2, "“" + fields[1] + "”不是侧别，应为 左、右、两侧（或 L、R、LR）。");
    if (!ReadPart(fields[2], &row.part))
        return fail(3, "“" + fields[2] + "”不是部位，应为 路肩、边沟、挖方、填方（或 shoulder、ditch、cut、fill）。");
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t c = 3 + i;
        if (c >= fields.size() || fields[c].empty()) continue;
        double v = 0;
        if (!ReadFieldNumber(fields[c], &v)) return fail(int(c) + 1, "“" + fields[c] + "”不是数。");
        row.p[i] = v;
    }
    if (const auto fault = TemplateRowFault(row)) return fail(fault->column, fault->message);
    out.row = row;
    return out;
}

TemplateFileContent ParseTemplateFile(std::string_view utf8)
{
    TemplateFileContent out;
    std::vector<TableLine> lines = SplitTableLines(utf8);
    if (!lines.empty() && HoldsHeaderWords(lines.front(), kHeaderWords)) {
        out.headerLine = lines.front().line;
        lines.erase(lines.begin());
    }
    std::vector<TemplateRow> rows;
    for (const TableLine& t : lines) {
        TemplateFieldsRead read = ReadTemplateFields(t.fields, t.line);
        if (read.fault) out.errors.push_back(std::move(*read.fault));
        else rows.push_back(*read.row);
    }
    if (!out.errors.empty()) return out;
    if (rows.empty()) {
        out.errors.push_back({0, 0, "路基模板文件中没有任何行。"});
        return out;
    }
    // The rows together: levels, berms and ditches of each side and station.
    RoadbedTemplate::Built built = RoadbedTemplate::Build(rows);
    if (built.error) {
        out.errors.push_back(*built.error);
        return out;
    }
    out.rows = std::move(rows);
    return out;
}

std::string DescribeTemplateFile(const TemplateFileContent& content)
{
    std::set<double> left, right;
    for (const TemplateRow& r : content.rows) {
        if (r.sides != TemplateSides::Right) left.insert(r.station);
        if (r.sides != TemplateSides::Left) right.insert(r.station);
    }
    std::string s = "读入 " + std::to_string(content.rows.size()) + " 行路基模板，左侧 " +
                    std::to_string(left.size()) + " 个、右侧 " + std::to_string(right.size()) + " 个起始桩号";
    if (content.headerLine > 0) s += "（第 " + std::to_string(content.headerLine) + " 行为表头）";
    return s;
}

std::array<std::string, 7> TemplateRowFields(const TemplateRow& r)
{
    std::array<std::string, 7> f;
    f[0] = RoundTripText(r.station);
    f[1] = r.sides == TemplateSides::Left ? "左" : r.sides == TemplateSides::Right ? "右" : "两侧";
    switch (r.part) {
    case TemplatePart::Shoulder: f[2] = "路肩"; break;
    case TemplatePart::Ditch: f[2] = "边沟"; break;
    case TemplatePart::Cut: f[2] = "挖方"; break;
    case TemplatePart::Fill: f[2] = "填方"; break;
    }
    for (std::size_t i = 0; i < r.p.size(); ++i)
        if (r.p[i]) f[3 + i] = RoundTripText(*r.p[i]);
    return f;
}

std::string FormatTemplateFile(const std::vector<TemplateRow>& rows)
{
    std::string s = "起始桩号,侧,部位,参数1,参数2,参数3,参数4\r\n";
    for (const TemplateRow& r : rows) {
        const std::array<std::string, 7> f = TemplateRowFields(r);
        for (std::size_t c = 0; c < f.size(); ++c) s += (c ? "," : "") + f[c];
        s += "\r\n";
    }
    return s;
}

}  // namespace tarvelo
