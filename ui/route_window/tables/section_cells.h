#pragma once
// The cross-section table's cells as typed (横断面表): reading the texts
// into key stations, and the texts of rows read from a file. Plain C++
// (UTF-8 strings), so the rule is tested without a window.

#include <array>
#include <string>
#include <vector>

#include "core/section/cross_section.h"
#include "ui/route_window/tables/table_cells.h"

namespace tarvelo {

// Columns of the cross-section table, in order (the file's order).
enum SectionColumn {
    kSectionStation,
    kSectionLeftWidth,
    kSectionRightWidth,
    kSectionLeftSlope,
    kSectionRightSlope,
    kSectionColumnCount
};

// The columns: 桩号 (a station), 左幅宽度, 右幅宽度, 左横坡%, 右横坡%.
extern const std::array<CellColumn, kSectionColumnCount> kSectionColumns;
extern const std::array<const char*, kSectionColumnCount> kSectionColumnCaptions;

using SectionRowTexts = std::array<std::string, kSectionColumnCount>;

using SectionCellProblem = CellProblem;
// One row per table row, complete only when problems is empty; each row's
// `line` is its row number counted from 1, so CrossSections' messages
// ("第 3 行：…") name the table row.
using SectionRowsRead = RowsRead<CrossSectionRow>;

// Reads the texts (spaces around a value ignored): every cell is required;
// the station in metres or K notation (ReadStationField), the rest numbers.
// Non-finite or overflowing numbers are not numbers. Whether the values make
// a table (order, ranges) is CrossSections::Build's to say. An empty table
// reads as no rows and no problems.
SectionRowsRead ReadSectionRows(const std::vector<SectionRowTexts>& texts);

// The texts of rows: widths and slopes in their shortest round-trip form (as
// the cross-section file writes them), stations to 4 decimals where that is
// the same position within 1e-9 m, in their round-trip form otherwise.
std::vector<SectionRowTexts> SectionTextsOf(const std::vector<CrossSectionRow>& rows);

}  // namespace tarvelo
