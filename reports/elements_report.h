#pragma once
// The curve elements report: the five main stakes and the twelve curve
// elements as the window's two element tables show them.
//
// Every coordinate, azimuth and element is the cell text, copied character
// for character; only the five stations are written anew, from their values,
// with three decimals ("00+000.000"). The report reads nothing else.
//
// 32 lines, each ending with CR LF, GBK: three blank lines, the title
// "曲线五大桩坐标及切线方位角" after 29 spaces, a rule of 33 "-" after 26
// spaces, a blank line, the five main-stake lines each followed by a blank
// line (the last by two), the title "曲线要素表" after 37 spaces, the rule, a
// blank line, the three element lines separated by blank lines, six blank
// lines and the signature line "计算：", 32 spaces, "复核：", 32 spaces,
// "监理：".
//
// Main-stake line: one space, the row label ("直缓桩号ZH=" ...), the station,
// " , 坐标X=", X, " , 坐标Y=", Y, " , 切线方位角FWJ=", azimuth.
//
// Element line: four fields "label" + cell placed at fixed columns (2, 22, 41,
// 63 on the first two lines; 2, 21, 39, 62 on the third). A field is placed
// at column n by padding with spaces to column n - 1; when the line already
// uses more than n - 1 columns the line is ended and the field starts at
// column n of a new line (the report then has more than 32 lines). Columns
// count characters: every character, Chinese or not, takes one column.

#include <array>
#include <string>

#include <QString>

#include "compute/main_points.h"
#include "reports/report_status.h"

namespace tarvelo {

// X, Y and azimuth cell texts of one main-stakes row, UTF-8.
struct MainStakeTexts {
    std::string x, y, azimuth;
};

// What the window's two element tables show.
struct ElementsReportInput {
    // Stations of ZH, HY, QZ, YH, HZ in metres, the values the station cells
    // show (the MainPoints of the last compute-elements command).
    std::array<double, 5> stations{};
    // Rows ZH, HY, QZ, YH, HZ.
    std::array<MainStakeTexts, 5> stakes;
    // Element cells in the order of kElementNames: T1, T2, betao1, E, p1, p2,
    // betao2, L, q1, q2, Dh, Ly, UTF-8.
    std::array<std::string, 12> elements;
};

// The input record from the cells of ComputeElementsDisplay (found by their
// ids, in any order) and the five station values. Error when the
// display holds a fault or lacks a cell (the tables were not filled).
FileResult<ElementsReportInput> ElementsReportInputFromDisplay(
    const ElementsDisplay& display, const std::array<double, 5>& stations);

// The report text: every line ended by CR LF. Throws FloatFault when a
// station is not finite.
QString ElementsReportText(const ElementsReportInput& input);

// Writes ElementsReportText(input) to path with WriteTextFile (GBK, atomic
// replacement, any existing file untouched on failure). A non-finite station
// is an error too: nothing is written. Never throws.
FileStatus WriteElementsReport(const QString& path, const ElementsReportInput& input);

}  // namespace tarvelo
