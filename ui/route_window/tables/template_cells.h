#pragma once
// The roadbed template table's cells as typed (路基模板): reading the texts
// into template rows by the template file's own row reader
// (ReadTemplateFields), and the texts of rows read from a file. Plain C++
// (UTF-8 strings), so the rule is tested without a window.

#include <array>
#include <string>
#include <vector>

#include "core/files/template_file.h"
#include "ui/route_window/tables/table_cells.h"

namespace tarvelo {

// Columns in the file's order.
enum TemplateColumn {
    kTemplateStation,
    kTemplateSide,
    kTemplatePart,
    kTemplateP1,
    kTemplateP2,
    kTemplateP3,
    kTemplateP4,
    kTemplateColumnCount
};

// The captions: 起始桩号, 侧, 部位, 参数1, 参数2, 参数3, 参数4.
extern const std::array<const char*, kTemplateColumnCount> kTemplateColumnCaptions;

using TemplateRowTexts = std::array<std::string, kTemplateColumnCount>;
// One TemplateRow per table row, complete only when problems is empty; each
// row's `line` is its row number counted from 1, so the messages of
// RoadbedTemplate::Build ("第 3 行…") name the table row. Stations are as
// typed (displayed stations); the caller moves them onto the route.
using TemplateRowsRead = RowsRead<TemplateRow>;

// Reads every row (spaces around a text ignored); an empty row is refused
// like any other ("缺少起始桩号"). An empty table reads as no rows and no
// problems. A fault of a whole row is marked on its first cell.
TemplateRowsRead ReadTemplateRows(const std::vector<TemplateRowTexts>& texts);

// The texts of rows: stations and numbers as the template file writes them
// (FormatTemplateFile), sides 左/右/两侧, parts 路肩/边沟/挖方/填方.
std::vector<TemplateRowTexts> TemplateTextsOf(const std::vector<TemplateRow>& rows);

// The parameters a part takes: 2 for 路肩, 4 for the others; 4 when the
// text names no part.
int TemplateParameterCount(const std::string& partText);

}  // namespace tarvelo
