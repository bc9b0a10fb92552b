#include "ui/route_window/tables/element_cells.h"

#include <cmath>

#include "ui/route_window/document/route_texts.h"

namespace tarvelo {

const std::array<const char*, kElementColumnCount> kElementColumnCaptions = {
    "名称", "桩号", "X", "Y", "方位角(d.mmss)", "长度", "起点半径", "终点半径", "转向"};

namespace {

std::string RadiusText(double r) { return std::isinf(r) ? std::string() : PlainNumberText(r); }

}  // namespace

ElementRowsRead ReadElementRows(const std::vector<ElementRowTexts>& texts)
{
    return ReadRowsBy<ElementInput>(texts, [](const std::vector<std::string>& fields, std::size_t row) {
        return ReadElementFields(fields, row);
    });
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
