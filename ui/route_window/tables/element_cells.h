#pragma once
// The element table's cells as typed (线元法): reading the texts into
// element rows by the element file's own row reader, and the texts of rows
// read from a file. Plain C++ (UTF-8 strings), so the rule is tested
// without a window.

#include <array>
#include <string>
#include <vector>

#include "core/files/element_file.h"
#include "core/plan/element_input.h"
#include "ui/route_window/tables/table_cells.h"

namespace tarvelo {

using ElementRowTexts = std::array<std::string, kElementColumnCount>;

// Column captions: 名称, 桩号, X, Y, 方位角(d.mmss), 长度, 起点半径, 终点半径, 转向.
extern const std::array<const char*, kElementColumnCount> kElementColumnCaptions;

using ElementCellProblem = CellProblem;
using ElementRowsRead = RowsRead<ElementInput>;

// Reads every row by ReadElementFields (spaces around a text ignored), row 0
// being the first element; a row's first refused field is its problem. An
// empty table reads as no rows and no problems.
ElementRowsRead ReadElementRows(const std::vector<ElementRowTexts>& texts);

// The texts of element rows: numbers in their shortest plain round-trip
// form, the azimuth in d.mmss (DegreesToDmsNumber), a straight end empty,
// the turn 右 / 左 (empty on a line); absent values empty.
// ReadElementRows(ElementTextsOf(rows)) gives the rows back (line aside).
std::vector<ElementRowTexts> ElementTextsOf(const std::vector<ElementInput>& rows);

}  // namespace tarvelo
