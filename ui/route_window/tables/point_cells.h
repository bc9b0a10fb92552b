#pragma once
// The surveyed points' table as typed or pasted (实测点: 点名, X, Y, H), the
// points slope staking and the level check work on. Plain C++ (UTF-8
// strings), so the rule is tested without a window.

#include <array>
#include <string>
#include <vector>

#include "core/files/point_file.h"
#include "ui/route_window/tables/table_cells.h"

namespace tarvelo {

enum PointColumn { kPointName, kPointX, kPointY, kPointZ, kPointColumnCount };

// 点名 (free text, may be empty), X (north), Y (east), H (elevation).
extern const std::array<CellColumn, kPointColumnCount> kPointColumns;
extern const std::array<const char*, kPointColumnCount> kPointColumnCaptions;

using PointRowTexts = std::array<std::string, kPointColumnCount>;
// One point per row, each with its elevation and `line` its row number from
// 1; complete only when problems is empty.
using PointRowsRead = RowsRead<SurveyPoint>;

// Reads the texts: X, Y and H required numbers (a point without its
// elevation cannot be staked), the name as typed without the spaces around.
PointRowsRead ReadPointRows(const std::vector<PointRowTexts>& texts);

// The texts of points read from a file (ParsePointFile): coordinates in
// their shortest round-trip form, H empty where the file gave none (the
// table then marks it).
std::vector<PointRowTexts> PointTextsOf(const std::vector<SurveyPoint>& points);

}  // namespace tarvelo
