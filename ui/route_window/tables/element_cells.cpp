#include "ui/route_window/tables/element_cells.h"

#include <cmath>
#include <string_view>

#include "ui/route_window/document/route_texts.h"

namespace tarvelo {

const std::array<const char*, kElementColumnCount> kElementColumnCaptions = {
    "名称", "桩号", "X", "Y", "方位角(d.mmss)", "长度", "起点半径", "终点半径", "转向"};

namespace {

std::string Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return std::string(s);
}

std::string RadiusText(double r) { return std::isinf(r) ? std::string() : PlainNumberText(r); }

}  // namespace

ElementRowsRead ReadElementRows(const std::vector<ElementRowTexts>& texts)
{
    ElementRowsRead out;
    for (std::size_t row = 0; row < texts.size(); ++row) {
        std::vector<std::string> fields;
        for (const std::string& cell : texts[row]) fields.push_back(Trimmed(cell));
        ElementRowRead read = ReadElementFields(fields, row);
        if (read.row) {
            out.rows.push_back(std::move(*read.row));
        } else {
            out.problems.push_back({static_cast<int>(row), read.column,
                                    "第 " + std::to_string(row + 1) + " 行：" + read.message});
        }
    }
    if (!out.problems.empty()) out.rows.clear();
    return out;
}

std::vector<ElementRowTexts> ElementTextsOf(const std::vector<ElementInput>& rows)
{
    std::vector<ElementRowTexts> out;
    for (const ElementInput& e : rows) {
        ElementRowTexts t;
        t[kElementName] = e.name;
        if (e.station) t[kElementStation] = PlainNumberText(*e.station);
        if (e.x) t[kElementX] = PlainNumberText(*e.x);
        if (e.y) t[kElementY] = PlainNumberText(*e.y);
        if (e.azimuth) t[kElementAzimuth] = PlainNumberText(DegreesToDmsNumber(*e.azimuth));
        t[kElementLength] = PlainNumberText(e.length);
        t[kElementRStart] = RadiusText(e.startRadius);
        t[kElementREnd] = RadiusText(e.endRadius);
        if (e.turn != 0) t[kElementTurn] = e.turn > 0 ? "右" : "左";
        out.push_back(std::move(t));
    }
    return out;
}

}  // namespace tarvelo
