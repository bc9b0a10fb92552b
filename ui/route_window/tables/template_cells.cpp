#include "ui/route_window/tables/template_cells.h"

namespace tarvelo {

const std::array<const char*, kTemplateColumnCount> kTemplateColumnCaptions = {
    "起始桩号", "侧", "部位", "参数1", "参数2", "参数3", "参数4"};

TemplateRowsRead ReadTemplateRows(const std::vector<TemplateRowTexts>& texts)
{
    TemplateRowsRead out;
    for (std::size_t row = 0; row < texts.size(); ++row) {
        std::vector<std::string> fields;
        for (const std::string& cell : texts[row]) fields.push_back(TrimCell(cell));
        TemplateFieldsRead read = ReadTemplateFields(fields, int(row) + 1);
        if (read.row) {
            out.rows.push_back(*read.row);
            continue;
        }
        // The column counts from 1 (0: the whole row).
        const int column = read.fault->column > 0 ? read.fault->column - 1 : 0;
        out.problems.push_back({int(row), column, read.fault->message});
    }
    if (!out.problems.empty()) out.rows.clear();
    return out;
}

std::vector<TemplateRowTexts> TemplateTextsOf(const std::vector<TemplateRow>& rows)
{
    std::vector<TemplateRowTexts> out;
    for (const TemplateRow& r : rows) out.push_back(TemplateRowFields(r));
    return out;
}

int TemplateParameterCount(const std::string& partText)
{
    std::string t = TrimCell(partText);
    for (char& c : t)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');  // the file's part words are read in any case
    return t == "路肩" || t == "shoulder" ? 2 : 4;
}

}  // namespace tarvelo
