#pragma once
// The cross-section file (横断面表): the key stations of the pavement's
// widths and cross slopes as a text table a surveyor writes in a spreadsheet.
//
// One key station a line, in increasing station order, columns
// `station, left_width, right_width, left_slope, right_slope`, separated by
// commas or tabs (the table conventions of core/text_table.h: blank lines and
// '#' comments skipped, fields trimmed). The text is UTF-8;
// reports/table_file.h turns a file's UTF-8 or GBK bytes into it.
//  - An optional header: a first row holding header words (桩号 里程 左幅宽度
//    右幅宽度 左横坡% 右横坡% 左侧横坡 右侧横坡 station; core/files/
//    header_row.h). Any other first row is data, refused when it does not
//    parse.
//  - station: metres ("5030.5") or K notation ("K5+030.5"), the displayed
//    station of the design tables, optionally with its zone as Tarvelo
//    prints a station a 长链 shows twice ("K13+060(2区)").
//  - widths: metres from the centreline to the pavement edge, widening
//    included, >= 0.
//  - slopes: percent, positive rising away from the centreline (-2 for a
//    normal crown), within +-20.
//  - Further fields must be empty (a spreadsheet may add trailing commas).
// Every row at fault gets its own message naming its line: too few columns,
// a field that is not a number, a value the table refuses
// (CrossSectionRowFault), a station not greater than the row before it
// (unless both name their zone and this one a later zone: a 长链's second
// zone starts below the first one's stations).
// A file without data rows reads without error; CrossSections::Build refuses
// it.

#include <string>
#include <string_view>
#include <vector>

#include "core/section/cross_section.h"

namespace tarvelo {

struct CrossSectionFileContent {
    // The rows in file order; empty whenever errors is not, so that nothing
    // is built from a half-read file.
    std::vector<CrossSectionRow> rows;
    // One message per faulty row, in line order; row is the index among the
    // data rows, line the file line.
    std::vector<CrossSectionIssue> errors;
    bool ok() const { return errors.empty(); }
};

CrossSectionFileContent ParseCrossSectionFile(std::string_view utf8);

// The rows as a cross-section file: the header row
// "桩号,左幅宽度,右幅宽度,左横坡%,右横坡%", then one row per station, commas,
// CR LF after every row, stations in metres and every number in its shortest
// round-trip form, so the file read back gives exactly the same rows (their
// line numbers apart). Values are expected finite (non-finite ones do not
// read back). No byte-order mark.
std::string FormatCrossSectionFile(const std::vector<CrossSectionRow>& rows);

}  // namespace tarvelo
