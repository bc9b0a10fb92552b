#pragma once
// Writing tables as an Excel workbook (.xlsx) through libxlsxwriter.
//
// Each table is one worksheet: its title in the first row (bold, merged
// across the table), the column names in the second (bold, frozen, so they
// stay in view), then the rows. Numbers are stored as numbers with a cell
// format showing their decimals ("0.0000"), texts as texts; a number is
// stored so that, read back, it still rounds to what it rounds to here (a
// value a hair below a rounding tie moves by a few units in the last place
// rather than being stored as the tie); every column is
// as wide as its longest text (a Chinese character counts two).

#include <QString>
#include <string>
#include <vector>

#include "reports/report_status.h"

namespace tarvelo {

struct XlsxValue {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    std::string text;   // Text: UTF-8
    double number = 0;  // Number: finite
    int decimals = 0;   // Number: decimals shown, 0..15
    bool plus = false;  // Number: a positive value shows its '+' ("+0.000;-0.000;0.000")
};

struct XlsxTable {
    std::string sheet;                       // the sheet name: 1 to 31 characters, none of [ ] : * ? / and backslash
    std::string title;                       // the first row
    std::vector<std::string> columns;        // the column names; may be empty (no header row)
    std::vector<std::vector<XlsxValue>> rows;
};

// At most this many rows in a sheet (Excel's limit, less the title and the
// header).
inline constexpr std::size_t kMaxXlsxRows = 1048576 - 2;

// Writes the tables, one sheet each in order, to path atomically (a
// temporary file, then WriteFileBytes: an existing file survives any failure
// untouched). Refused before anything is touched: no table, a sheet name
// Excel does not allow or used twice, a table beyond kMaxXlsxRows, a
// non-finite number. Errors name the path and the reason.
FileStatus WriteXlsxFile(const QString& path, const std::vector<XlsxTable>& tables);

}  // namespace tarvelo
