#pragma once
// The one reader of surveyed-point files: what a rover or total station
// exports and what Tarvelo writes for them.
//
// Two forms, told apart by content, never by the file's name:
//  - CSV `name,X,Y[,H]` (X north, Y east, H elevation; metres), with or
//    without a header. A header (a first row holding header words: 点名 点号
//    名称 name point id, X N 北 北坐标 northing, Y E 东 东坐标 easting,
//    H Z 高程 elevation height, 编码 code) places the columns by their
//    names, so `点名,Y,X,H` and `name,E,N,Z` read too; without one the
//    columns are by count: 2 fields X,Y (named by their line number),
//    3 name,X,Y, 4 name,X,Y,H.
//  - CASS `.dat`: 5 fields `点名,编码,Y,X,H` (east before north; code and H
//    may be empty), as field controllers and Tarvelo's own stake files
//    write it.
// The form is fixed by the header or by the first data row; every later row
// must have that many fields (trailing empty fields apart) and is refused
// with its line otherwise. Blank lines and '#' comments are skipped (core/
// files/text_table.h). An empty H is no elevation; a non-number anywhere is
// refused. Nothing is read from a file with a refused row, and a file
// without a single point is refused: the caller never works on a guess.
//
// The text is UTF-8; reports/table_file.h turns a file's UTF-8 (BOM or
// not) or GBK bytes into it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

struct SurveyPoint {
    int line = 0;               // 1-based line in the file
    std::string name;           // as written; the line number when the file has no names
    double x = 0, y = 0;        // north, east; metres, finite
    std::optional<double> z;    // elevation, metres, finite, when given
};

enum class PointFileForm { Xy, NameXy, NameXyh, Cass, Header };

struct PointFileContent {
    std::vector<SurveyPoint> points;  // empty whenever errors is not
    std::vector<std::string> errors;  // one per refused row, "第 N 行：…", or the file's fault
    PointFileForm form = PointFileForm::NameXy;
    int headerLine = 0;               // the header's line, 0 when there is none
    bool ok() const { return errors.empty(); }
};

PointFileContent ParsePointFile(std::string_view utf8);

// What was read, for the user: "读入 12 个点（CASS 格式：点名,编码,Y,X,H）" or
// "读入 3 个点（点名,X,Y,H，第 1 行为表头）".
std::string DescribePointFile(const PointFileContent& content);

}  // namespace tarvelo
