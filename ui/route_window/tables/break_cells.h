#pragma once
// The break table's cells as typed (断链表): reading the texts into chain
// breaks by the break file's own row reader, and the texts of breaks read
// from a file. Plain C++ (UTF-8 strings), so the rule is tested without a
// window.

#include <array>
#include <string>
#include <vector>

#include "core/files/break_file.h"
#include "ui/route_window/tables/table_cells.h"

namespace tarvelo {

enum BreakColumn { kBreakBack, kBreakAhead, kBreakName, kBreakColumnCount };

// Column captions: 断前桩号, 断后桩号, 名称.
extern const std::array<const char*, kBreakColumnCount> kBreakColumnCaptions;

using BreakRowTexts = std::array<std::string, kBreakColumnCount>;

using BreakCellProblem = CellProblem;
using BreakRowsRead = RowsRead<BreakInput>;
// Reads every row by ReadBreakFields (spaces around a text ignored). An
// empty table reads as no breaks and no problems. Whether the breaks fit the
// route is the route's check.
BreakRowsRead ReadBreakRows(const std::vector<BreakRowTexts>& texts);

// The texts of breaks: stations in metres in their shortest plain
// round-trip form, the name as it is.
std::vector<BreakRowTexts> BreakTextsOf(const std::vector<BreakInput>& rows);

}  // namespace tarvelo
