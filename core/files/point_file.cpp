#include "core/files/point_file.h"

#include <algorithm>
#include <optional>

#include "core/files/header_row.h"
#include "core/files/text_table.h"

namespace tarvelo {

namespace {

const std::vector<std::string_view> kNameWords = {"点名", "点号", "名称", "name", "point", "id", "pt"};
const std::vector<std::string_view> kXWords = {"x", "n", "北", "北坐标", "x坐标", "north", "northing"};
const std::vector<std::string_view> kYWords = {"y", "e", "东", "东坐标", "y坐标", "east", "easting"};
const std::vector<std::string_view> kZWords = {"h", "z", "高程", "elevation", "height", "高程h"};
const std::vector<std::string_view> kCodeWords = {"编码", "code", "代码"};

// Every word above: the words that make a first row a header.
const std::vector<std::string_view>& HeaderWords()
{
    static const std::vector<std::string_view> words = [] {
        std::vector<std::string_view> all;
        for (const auto* list : {&kNameWords, &kXWords, &kYWords, &kZWords, &kCodeWords})
            all.insert(all.end(), list->begin(), list->end());
        return all;
    }();
    return words;
}

struct Layout {
    int name = 0, x = 1, y = 2, z = -1;
    std::size_t width = 3;  // fields a row has in this form
};

Layout LayoutOfCount(std::size_t n, PointFileForm* form)
{
    switch (n) {
    case 2: *form = PointFileForm::Xy; return {-1, 0, 1, -1, 2};
    case 3: *form = PointFileForm::NameXy; return {0, 1, 2, -1, 3};
    case 4: *form = PointFileForm::NameXyh; return {0, 1, 2, 3, 4};
    default: *form = PointFileForm::Cass; return {0, 3, 2, 4, 5};
    }
}

// Fields past the form's width may only be empty (a spreadsheet's trailing
// commas).
std::size_t UsedWidth(const std::vector<std::string_view>& fields)
{
    std::size_t n = fields.size();
    while (n > 0 && fields[n - 1].empty()) --n;
    return n;
}

std::string LineText(int line) { return "第 " + std::to_string(line) + " 行："; }

std::string Quoted(std::string_view s) { return "“" + std::string(s) + "”"; }

// The header's layout, or why the header cannot be read; nullopt when the
// row is data.
std::optional<Layout> HeaderLayout(int line, const std::vector<std::string_view>& fields, std::string* fault)
{
    TableLine head;
    head.line = line;
    head.fields.assign(fields.begin(), fields.end());
    if (!IsHeaderRow(head, HeaderWords())) return std::nullopt;
    const int x = HeaderColumn(head, kXWords), y = HeaderColumn(head, kYWords);
    Layout layout;
    if (x < 0 || y < 0) {
        *fault = LineText(line) + "表头须有 X（北）与 Y（东）两列。";
        return layout;
    }
    layout.x = x;
    layout.y = y;
    layout.name = HeaderColumn(head, kNameWords);
    layout.z = HeaderColumn(head, kZWords);
    layout.width = UsedWidth(fields);
    return layout;
}

}  // namespace

PointFileContent ParsePointFile(std::string_view utf8)
{
    PointFileContent out;
    Layout layout;
    bool fixed = false, first = true, badHeader = false;
    ForEachTableLine(utf8, [&](int line, const std::vector<std::string_view>& fields) {
        if (first) {
            first = false;
            std::string fault;
            if (const std::optional<Layout> head = HeaderLayout(line, fields, &fault)) {
                out.headerLine = line;
                out.form = PointFileForm::Header;
                layout = *head;
                fixed = true;
                if (!fault.empty()) {
                    out.errors.push_back(fault);
                    badHeader = true;
                }
                return;
            }
        }
        if (badHeader) return;  // said once; nothing is read under it
        if (!fixed) {
            std::size_t n = fields.size();
            if (n > 5) n = UsedWidth(fields);  // a spreadsheet's trailing commas
            if (n < 2 || n > 5) {
                out.errors.push_back(LineText(line) +
                                     "应为 X,Y、点名,X,Y、点名,X,Y,H 或 CASS 的 点名,编码,Y,X,H，这一行有 " +
                                     std::to_string(n) + " 列。");
                return;
            }
            layout = LayoutOfCount(n, &out.form);
            fixed = true;
        }
        const std::size_t least = std::size_t(std::max({layout.x, layout.y, layout.name}) + 1);
        if (UsedWidth(fields) > layout.width || fields.size() < least) {
            out.errors.push_back(LineText(line) + "列数与文件的格式不符（应为 " + std::to_string(layout.width) +
                                 " 列，这一行有 " + std::to_string(fields.size()) + " 列）。");
            return;
        }
        SurveyPoint p;
        p.line = line;
        const auto field = [&](int column) { return fields[std::size_t(column)]; };
        std::string fault;
        if (layout.name >= 0 && field(layout.name).empty()) fault = "点名为空。";
        else if (!ReadFieldNumber(field(layout.x), &p.x)) fault = "X 不是数：" + Quoted(field(layout.x)) + "。";
        else if (!ReadFieldNumber(field(layout.y), &p.y)) fault = "Y 不是数：" + Quoted(field(layout.y)) + "。";
        else if (layout.z >= 0 && std::size_t(layout.z) < fields.size() && !field(layout.z).empty()) {
            double z = 0;
            if (!ReadFieldNumber(field(layout.z), &z)) fault = "高程不是数：" + Quoted(field(layout.z)) + "。";
            else p.z = z;
        }
        if (!fault.empty()) {
            out.errors.push_back(LineText(line) + fault);
            return;
        }
        if (!out.errors.empty()) return;  // nothing is kept from a file with a refused row
        p.name = layout.name >= 0 ? std::string(field(layout.name)) : std::to_string(line);
        out.points.push_back(std::move(p));
    });
    if (out.errors.empty() && out.points.empty())
        out.errors.push_back(out.headerLine ? "点文件只有表头，没有点。" : "点文件中没有点。");
    if (!out.errors.empty()) out.points.clear();
    return out;
}

std::string DescribePointFile(const PointFileContent& c)
{
    std::string form;
    switch (c.form) {
    case PointFileForm::Xy: form = "X,Y，以行号为点名"; break;
    case PointFileForm::NameXy: form = "点名,X,Y"; break;
    case PointFileForm::NameXyh: form = "点名,X,Y,H"; break;
    case PointFileForm::Cass: form = "CASS 格式：点名,编码,Y,X,H"; break;
    case PointFileForm::Header: form = "按表头的列名"; break;
    }
    std::string s = "读入 " + std::to_string(c.points.size()) + " 个点（" + form;
    if (c.headerLine) s += "，第 " + std::to_string(c.headerLine) + " 行为表头";
    return s + "）";
}

}  // namespace tarvelo
