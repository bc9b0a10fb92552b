#pragma once
// The grade-point table's cells as typed: which cell takes a value, reading
// the texts into grade points, and the texts of points read from a file.
// Plain C++ (UTF-8 strings), so the rule is tested without a window.

#include <array>
#include <string>
#include <vector>

#include "core/profile/profile.h"
#include "ui/route_window/tables/table_cells.h"

namespace tarvelo {

// Columns of the grade-point table, in order.
enum ProfileColumn { kProfileStation, kProfileElevation, kProfileR, kProfileColumnCount };

// The columns: 变坡点桩号 (a station), 高程, 竖曲线半径R.
extern const std::array<CellColumn, kProfileColumnCount> kProfileColumns;
extern const std::array<const char*, kProfileColumnCount> kProfileColumnCaptions;

using ProfileRowTexts = std::array<std::string, kProfileColumnCount>;

// Whether a cell takes a value: R belongs to the grade points between the
// first and the last row only.
bool ProfileCellUsed(int row, int rowCount, int column);

using ProfileCellProblem = CellProblem;
// One point per row, complete only when problems is empty. Each point's
// line is its row number counted from 1, so the profile's own messages
// ("第 3 行：…") name the table row.
using ProfileRowsRead = RowsRead<GradePointInput>;

// Reads the texts (spaces around a value ignored). The station may be metres
// or K notation (ReadStationField); station and elevation are required on
// every row, R on every row between the ends; a filled R on the first or
// last row is a problem (as the file reader has it). Non-finite or
// overflowing numbers are not numbers. An empty table reads as no points
// and no problems.
ProfileRowsRead ReadProfileRows(const std::vector<ProfileRowTexts>& texts);

// The texts of grade points, numbers in their shortest round-trip form (as
// the profile file writes them); an absent R is empty.
std::vector<ProfileRowTexts> ProfileTextsOf(const std::vector<GradePointInput>& points);

}  // namespace tarvelo
