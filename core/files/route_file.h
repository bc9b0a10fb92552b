#pragma once
// The route file: a text table a surveyor can write in a spreadsheet.
//
// One row per point in route order, columns name, X, Y, station, R, Ls1, Ls2,
// separated by commas or tabs (see text_table.h for lines, comments and
// blanks). An optional header row: a first row holding header words (点名
// 名称 交点 X Y 桩号 里程 R 半径 Ls1 Ls2 name point station; core/files/
// header_row.h); any other first row is data, refused when it does not parse.
// A station is metres or K notation ("K10+877.237"), as design tables write it,
// optionally with its zone as Tarvelo prints a station a 长链 shows twice
// ("K13+079.508(1区)"; checked with the station once the breaks are known).
// Row 1 is QD and must carry its station; JD rows carry R and, when not
// empty, Ls1 and Ls2 (empty = 0); the last row is ZD. A station on a JD or
// ZD row is a check against the chained one (see Route::Build).

#include <string>
#include <string_view>
#include <vector>

#include "core/numbers/number_text.h"  // RoundTripText, which the route file writes with
#include "core/plan/route.h"

namespace tarvelo {

struct RouteFileParse {
    std::vector<RoutePointInput> rows;  // empty whenever errors is not
    std::vector<RouteIssue> errors;     // one per bad row, with its line
};

// Reads every row; collects a message for each bad one (too few columns, a
// field that is not a number, a missing R on a JD row, R/Ls on QD or ZD, a
// missing QD station, fewer than three rows). Nothing is returned from a
// half-read file: rows is empty when any error was found.
RouteFileParse ParseRouteFile(std::string_view utf8);

// The rows as a route file: a header row, then one row per point, commas,
// CR LF, numbers in their shortest round-trip form (a route read back is the
// same route). Names holding commas or tabs have them replaced by spaces.
std::string FormatRouteFile(const std::vector<RoutePointInput>& rows);

}  // namespace tarvelo
