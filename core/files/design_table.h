#pragma once
// The design's stake table (逐桩坐标表) as the design documents give it, read
// for the design check: one stake a line, `name, station, X, Y[, elevation]`,
// as a text table a surveyor writes in a spreadsheet (the conventions of
// core/text_table.h: commas or tabs, blank lines and '#' comments skipped,
// fields trimmed). The text is UTF-8; reports/table_file.h turns a file's
// UTF-8 or GBK bytes into it.
//
//  - A header: the first row is a header when one of its fields names a
//    column (see below; core/files/header_row.h); any other first row is
//    data, kept as an unreadable row when it does not read as a stake. A
//    header that names the station, X and Y columns places
//    every column by its name (in any order; columns it does not know, a
//    remark say, are ignored). Otherwise the columns are taken in the order
//    name, station, X, Y, elevation, and fields after them must be empty.
//  - Column names (letters in any case, a unit or a direction in brackets
//    after the name ignored: "X(北)", "高程（m）"):
//      name: 点名 点号 桩名 名称 name point;  station: 桩号 里程 里程桩号
//      station chainage;  X: X 北 N 北坐标 X坐标 north;  Y: Y 东 E 东坐标
//      Y坐标 east;  elevation: 高程 设计高程 标高 H Z elevation;
//      zone: 分区 区段 断链区 zone.
//  - The zone column (found only by its header name) tells which stretch of
//    a route with a chain break (断链) a station belongs to, where the same
//    station occurs twice: a whole number, or empty.
//  - station: metres ("3444.6") or K notation ("K3+444.600"), optionally
//    with its zone as Tarvelo prints it ("K13+060.000(2区)"), see
//    core/numbers/station_text.h (a zone there and a different one in the
//    zone column make the row unreadable); X, Y, elevation: metres; elevation may be empty.
// A bad row does not stop the reading: it is kept as an unreadable row with
// its line and the reason, and the rows after it are read as usual. Every
// line of the text ends up as exactly one of: a row, an unreadable row, the
// header, a comment or a blank line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

struct DesignRow {
    int line = 0;                      // 1-based line in the text
    std::string name;                  // may be empty
    double station = 0;                // displayed station, metres, finite
    std::optional<int> zone;           // from the zone column or the station's "(N区)"
    double x = 0, y = 0;               // north, east, metres, finite
    std::optional<double> elevation;   // finite when present
};

struct DesignUnreadableRow {
    int line = 0;         // 1-based line in the text
    std::string name;     // the name field as it stands (empty when there is none)
    std::string text;     // the line, trimmed, cut to at most 200 bytes at a UTF-8 boundary
    std::string reason;   // a Chinese sentence starting "第 N 行："
};

struct DesignTable {
    std::vector<DesignRow> rows;                   // in line order
    std::vector<DesignUnreadableRow> unreadable;   // in line order
    int headerLine = 0;        // the header row's line; 0 without a header
    bool zoneColumn = false;   // the header names a zone column
};

// Reads every line of utf8. Never throws (apart from std::bad_alloc); any
// bytes give a table. Zone values must be whole numbers of at most 9 digits.
DesignTable ParseDesignTable(std::string_view utf8);

}  // namespace tarvelo
