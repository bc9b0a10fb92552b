#pragma once
// The JD table's cells as typed: which cell must hold a number, reading the
// texts into route rows, and splitting a block pasted from a spreadsheet.
// Plain C++ (UTF-8 strings), so the rule is tested without a window.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/plan/route.h"
#include "ui/route_window/tables/table_cells.h"

namespace tarvelo {

// Columns of the JD table, in order.
enum JdColumn { kJdName, kJdX, kJdY, kJdStation, kJdR, kJdLs1, kJdLs2, kJdColumnCount };

// Column captions: 点名, X, Y, 桩号, R, Ls1, Ls2.
extern const std::array<CellColumn, kJdColumnCount> kJdColumns;
extern const std::array<const char*, kJdColumnCount> kJdColumnCaptions;

using JdRowTexts = std::array<std::string, kJdColumnCount>;

// Whether a cell takes a value at all: R, Ls1 and Ls2 belong to JD rows
// only; the first row is QD and the last ZD.
bool JdCellUsed(int row, int rowCount, int column);

using JdCellProblem = CellProblem;
using JdRowsRead = RowsRead<RoutePointInput>;

// Reads the texts (spaces around a number are ignored; a number is read
// strictly: "12a" is not one). X and Y are required everywhere, the station
// on the first row (QD), R on every JD row; an empty station elsewhere is
// "not given", an empty Ls is 0; a filled R or Ls on QD or ZD is a problem.
// An empty name becomes QD, JD1 ... or ZD by position. Non-finite or
// overflowing numbers are not numbers.
JdRowsRead ReadJdRows(const std::vector<JdRowTexts>& texts);

// The default name of row `row` of `rowCount`: "QD", "JD<row>", "ZD".
std::string DefaultPointName(int row, int rowCount);

// A block copied from a spreadsheet: lines (LF or CR LF, a last line end
// optional), fields separated by tabs, or by commas when no line holds a
// tab; fields trimmed of spaces. An empty text gives no rows.
std::vector<std::vector<std::string>> SplitPastedBlock(std::string_view text);

// The texts of route rows, numbers in their shortest plain round-trip form
// (PlainNumberText); a missing station stays empty, R and the spirals of QD
// and ZD are empty, a spiral of 0 is "0".
std::vector<JdRowTexts> JdTextsOf(const std::vector<RoutePointInput>& rows);

}  // namespace tarvelo
