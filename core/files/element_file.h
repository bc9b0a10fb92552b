#pragma once
// The element route file (线元表): a route by the element method as a text
// table a surveyor writes in a spreadsheet.
//
// One row per element in route order, columns
//   name, station, X, Y, azimuth, length, R_start, R_end, turn
// separated by commas or tabs (see text_table.h for lines, comments and
// blanks). The first row is a header when it holds header words (名称 桩号
// X Y 方位角 长度 起点半径 终点半径 转向, name station azimuth length R_start
// R_end turn; core/files/header_row.h, so "长度(m)" counts); any other first
// row is data. A header with a length column ("length", "长度", "线元长度",
// with or without a unit in brackets) is what tells an element file from a
// JD route file (IsElementFileHeader).
//  - name: any text; empty gives "E<n>" (n the element's 1-based number).
//  - station: metres or K notation ("K3+444.600"), as the route file reads
//    it. Required on the first row; later a check.
//  - X, Y (north, east, metres) and azimuth (d.mmss, as typed everywhere in
//    Tarvelo): the element's own start. Required on the first row; later all
//    three or none. The azimuth is stored in decimal degrees reduced into
//    [0, 360); minutes or seconds of 60 and more are refused (30.7500 is a
//    typing mistake, not 31°15′: StrictDmsToDegrees).
//  - length: metres, > 0.
//  - R_start, R_end: metres, > 0; empty, "inf" (any case) or "∞" for a
//    straight end. Both straight: a line; equal: an arc; else a clothoid
//    whose curvature runs linearly between them (an egg curve when both are
//    finite).
//  - turn: "右" / "R" / "1" (right, +1), "左" / "L" / "-1" (left, -1); letters
//    in any case. Required on a curved element; ignored (stored 0) on a line.
//  - Further fields must be empty (a spreadsheet may add trailing commas).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/plan/element_input.h"
#include "core/plan/route.h"  // RouteIssue

namespace tarvelo {

// The columns of an element row, in order.
enum ElementColumn {
    kElementName, kElementStation, kElementX, kElementY, kElementAzimuth, kElementLength,
    kElementRStart, kElementREnd, kElementTurn, kElementColumnCount
};

// Column names as the messages and the header row have them: 名称, 桩号, X,
// Y, 方位角, 长度, 起点半径, 终点半径, 转向.
extern const char* const kElementColumnNames[kElementColumnCount];

// One element row read, or why not.
struct ElementRowRead {
    std::optional<ElementInput> row;  // set exactly when message is empty
    int column = -1;                  // the field at fault (an ElementColumn), -1 when read
    std::string message;              // the reason, a sentence without the line
};

// Reads the fields of one element row by the rules above (a field past the
// end counts as empty; fields past the turn are not looked at). index: the
// row's place among the element rows, 0 for the first (which must give its
// station, X, Y and azimuth; an empty name becomes "E<index + 1>"). line is
// left 0. For a partial start the field at fault is the first of X, Y,
// azimuth left empty. The file reader and the window's element table both
// read rows through this, so the two cannot disagree.
ElementRowRead ReadElementFields(const std::vector<std::string>& fields, std::size_t index);

struct ElementFileParse {
    std::vector<ElementInput> rows;  // empty whenever errors is not
    std::vector<RouteIssue> errors;  // one per bad row, naming its line
};

// Reads every row; collects one message per bad row (too few or too many
// columns, a field that is not a finite number, an azimuth whose minutes or
// seconds reach 60, length <= 0, a radius <= 0,
// a curved element without a turn or with a turn that is not one of the
// spellings, a partial X / Y / azimuth, a first row without its station, X,
// Y or azimuth) and one for a file without element rows. Nothing is returned
// from a half-read file: rows is empty when any error was found. Each
// RouteIssue has row = index among the element rows (-1 for the whole file),
// line = the file line, message = "第 N 行：" and the reason.
ElementFileParse ParseElementFile(std::string_view utf8);

// True when the first row that is not blank or a comment has a length
// column ("length" in any case, "长度", "线元长度", a bracketed unit after
// it allowed: "长度(m)"): the text is an element file, not a JD route file.
// Empty text -> false.
bool IsElementFileHeader(std::string_view utf8);

// The rows as an element file: the header row, then one row per element,
// commas, CR LF after every row. Station, X, Y, length and radii in their
// shortest round-trip form; the azimuth reduced into [0, 360) and written in
// d.mmss with enough digits that reading it back gives the azimuth within
// 1e-12 degrees (modulo 360); "inf" for a straight end; turn "1" / "-1",
// empty on a line. Names have commas, tabs and line breaks replaced by
// spaces and a leading '#' replaced by '＃' (it would make a comment line).
// ParseElementFile(FormatElementFile(rows)) gives the same rows when every
// value is finite (the `line` fields aside). Non-finite station, X, Y or
// azimuth, or a non-finite length, throw FloatFault.
std::string FormatElementFile(const std::vector<ElementInput>& rows);

// The d.mmss number whose DmsToDegrees is within 1e-12 degrees of a
// (a finite, reduced into [0, 360) first). Throws FloatFault otherwise.
double DegreesToDmsNumber(double a);

}  // namespace tarvelo
