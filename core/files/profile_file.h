#pragma once
// The profile file: the grade points of a vertical profile as a text table a
// surveyor writes in a spreadsheet.
//
// One grade point a line, in station order, columns `station, elevation, R`,
// separated by commas or tabs (the table conventions of core/text_table.h:
// blank lines and '#' comments skipped, fields trimmed). The text is UTF-8;
// reports/table_file.h turns a file's UTF-8 or GBK bytes into it.
//  - An optional header: a first row holding header words (桩号 里程 高程
//    设计高程 R 半径 竖曲线半径 station elevation radius; core/files/
//    header_row.h). Any other first row is data, refused when it does not
//    parse.
//  - station: metres ("5030.5") or K notation ("K5+030.5", "5+030.5"; the
//    metres after "+" below 1000), optionally with its zone as Tarvelo
//    prints a station a 长链 shows twice ("K13+060(2区)", ReadZonedStationField).
//  - elevation: metres.
//  - R: the vertical-curve radius, empty on the first and the last row,
//    a number > 0 on every row between.
//  - Further fields must be empty (a spreadsheet may add trailing commas).
// Every row at fault gets its own message. The order of the stations and the
// fit of the curves are the profile's checks (Profile::Build), not the
// reader's.

#include <string>
#include <string_view>
#include <vector>

#include "core/profile/profile.h"
#include "core/numbers/station_text.h"  // ReadStationField, for the callers of this reader

namespace tarvelo {

struct ProfileFileContent {
    // The grade points in file order; empty whenever errors is not, so that
    // nothing is built from a half-read file.
    std::vector<GradePointInput> points;
    // One message per faulty row, in line order, each naming its line.
    std::vector<ProfileIssue> errors;
    bool ok() const { return errors.empty(); }
};

ProfileFileContent ParseProfileFile(std::string_view utf8);

// The points as a profile file: the header row "桩号,高程,R", then one row per
// point, commas, CR LF after every row, stations in metres (with "(N区)" for
// a point that has a zone) and every number
// in its shortest round-trip form (std::to_chars), so the file read back
// gives exactly the same stations, elevations and radii. R is written where
// the point has one (whatever its value) and left empty otherwise. Values
// are expected finite; a non-finite one is written as to_chars spells it
// ("inf", "nan") and will not read back. No byte-order mark.
std::string FormatProfileFile(const std::vector<GradePointInput>& points);

}  // namespace tarvelo
