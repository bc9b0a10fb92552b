#include "ui/route_window/tables/break_cells.h"

#include <string_view>

#include "core/numbers/number_text.h"
#include "ui/route_window/document/route_texts.h"

namespace tarvelo {

const std::array<const char*, kBreakColumnCount> kBreakColumnCaptions = {"断前桩号", "断后桩号", "名称"};

BreakRowsRead ReadBreakRows(const std::vector<BreakRowTexts>& texts)
{
    BreakRowsRead out;
    for (std::size_t row = 0; row < texts.size(); ++row) {
        std::vector<std::string> fields;
        for (const std::string& cell : texts[row]) fields.emplace_back(TrimSpaces(cell));
        BreakRowRead read = ReadBreakFields(fields);
        if (read.row)
            out.rows.push_back(std::move(*read.row));
        else
            out.problems.push_back({static_cast<int>(row), read.column,
                                    "第 " + std::to_string(row + 1) + " 行：" + read.message});
    }
    if (!out.problems.empty()) out.rows.clear();
    return out;
}

std::vector<BreakRowTexts> BreakTextsOf(const std::vector<BreakInput>& rows)
{
    std::vector<BreakRowTexts> out;
    for (const BreakInput& b : rows) out.push_back({PlainNumberText(b.back), PlainNumberText(b.ahead), b.name});
    return out;
}

}  // namespace tarvelo
