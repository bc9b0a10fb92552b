#pragma once
// The break file: a route's chain breaks (断链) as a text table a surveyor
// writes in a spreadsheet.
//
// One break a line, in route order, columns `back, ahead, name`, separated by
// commas or tabs (the table conventions of core/text_table.h: blank lines and
// '#' comments skipped, fields trimmed). The text is UTF-8;
// reports/table_file.h turns a file's UTF-8 or GBK bytes into it.
//  - An optional header: a first row holding header words (断前桩号 断后桩号
//    断前 断后 名称 back ahead name; core/files/header_row.h). Any other
//    first row is data, refused with its line when it does not parse.
//  - back, ahead: the back (断前) and ahead (断后) stations, metres
//    ("3444.6") or K notation ("K3+444.600"); both required. Either may
//    carry its zone as Tarvelo prints stations ("K13+100(1区)"): the back
//    station of the file's k-th break (from 0) lies in zone k, the ahead
//    station in zone k + 1; another zone refuses the row.
//  - name: optional free text (what the design calls the break).
//  - Further fields must be empty (a spreadsheet may add trailing commas).
// Every row at fault gets its own message naming its line. Whether the
// breaks fit the route (order, back = ahead, beyond the end) is the
// chainage's check (Chainage::Build), not the reader's. A file without rows
// is a route without breaks.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/plan/chainage.h"

namespace tarvelo {

struct BreakFileContent {
    // The breaks in file order, each with its line; empty whenever errors is
    // not, so that nothing is built from a half-read file.
    std::vector<BreakInput> rows;
    // One message per faulty row, in line order, each naming its line.
    std::vector<ChainageIssue> errors;
    bool ok() const { return errors.empty(); }
};

BreakFileContent ParseBreakFile(std::string_view utf8);

// One break row read, or why not: the fields back, ahead, name (fields past
// the name are not looked at; missing ones count as empty). column: the
// field at fault (0 back, 1 ahead; -1 when read); message: the reason
// without the line. The file reader and the route window's break table both
// read rows through this. line is left 0.
struct BreakRowRead {
    std::optional<BreakInput> row;
    int column = -1;
    std::string message;
    std::optional<int> backZone, aheadZone;  // written after the stations, when they were
};
BreakRowRead ReadBreakFields(const std::vector<std::string>& fields);

// The breaks as a break file: the header row "断前桩号,断后桩号,名称", then one
// row per break, commas, CR LF after every row, stations in metres in their
// shortest round-trip form (std::to_chars), so the file read back gives
// exactly the same stations; the name last, left off when empty, with its
// commas, tabs and line breaks turned into spaces (and trimmed on reading, as
// every field). Stations are expected finite; a non-finite one is written as
// to_chars spells it and will not read back. No byte-order mark.
std::string FormatBreakFile(const std::vector<BreakInput>& rows);

}  // namespace tarvelo
