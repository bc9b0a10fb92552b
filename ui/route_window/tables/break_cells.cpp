#include "ui/route_window/tables/break_cells.h"

#include "core/numbers/number_text.h"
#include "ui/route_window/document/route_texts.h"

namespace tarvelo {

const std::array<const char*, kBreakColumnCount> kBreakColumnCaptions = {"断前桩号", "断后桩号", "名称"};

BreakRowsRead ReadBreakRows(const std::vector<BreakRowTexts>& texts)
{
    return ReadRowsBy<BreakInput>(texts, [](const std::vector<std::string>& fields, std::size_t) {
        return ReadBreakFields(fields);
    });
}

std::vector<BreakRowTexts> BreakTextsOf(const std::vector<BreakInput>& rows)
{
    std::vector<BreakRowTexts> out;
    for (const BreakInput& b : rows) out.push_back({PlainNumberText(b.back), PlainNumberText(b.ahead), b.name});
    return out;
}

}  // namespace tarvelo
