#pragma once
// Reading the cells of an Excel workbook (.xlsx, Office Open XML): the ZIP
// container through minizip, the workbook, its relationships, the shared
// strings and one worksheet through QXmlStreamReader.
//
// Only what a table needs is read: cell values (numbers, shared and inline
// strings, booleans, the cached values of formulas) and merged ranges. Styles,
// dates, charts and everything else are ignored: a number is its stored
// value, never its shown text.

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

#include "reports/report_status.h"

namespace tarvelo {

// The bytes start as a ZIP file does ("PK\3\4"): the only form of an .xlsx.
bool LooksLikeZip(const QByteArray& bytes);

// The bytes start as an OLE2 compound file (D0 CF 11 E0 A1 B1 1A E1): an
// Excel 97-2003 .xls or a password-protected .xlsx, which Excel wraps in the
// same container.
bool LooksLikeOle2(const QByteArray& bytes);

struct XlsxCell {
    enum class Kind {
        Number,     // text: the shortest round-trip text of the stored double
        Text,       // shared, inline or formula string, UTF-8 as stored
        Boolean,    // text: "TRUE" or "FALSE"
        Error,      // text: the error value, "#DIV/0!"
        NoValue,    // a formula without a cached value; text empty
    };
    int row = 0;  // 1-based, as Excel numbers rows
    int col = 0;  // 0-based: A is 0
    Kind kind = Kind::Text;
    std::string text;
};

struct XlsxRange {
    int firstRow = 0, firstCol = 0, lastRow = 0, lastCol = 0;  // inclusive, as XlsxCell
};

struct XlsxSheet {
    std::string name;              // UTF-8
    std::vector<XlsxCell> cells;   // non-empty cells, by row then column
    std::vector<XlsxRange> merged;
};

// Limits against a crafted file: any one part of the workbook inflates to
// at most this many bytes, and a sheet holds at most this many cells.
inline constexpr long long kMaxXlsxPartBytes = 256LL * 1024 * 1024;
inline constexpr std::size_t kMaxXlsxCells = 8u * 1024 * 1024;

// The names of the workbook's worksheets in workbook order, and one of them
// read. sheetName empty: the first worksheet; otherwise the sheet of that
// name (exact, case and all). Refused, with a complete Chinese sentence that
// does not name the file (the caller adds it): not a ZIP, a damaged ZIP or
// part, encrypted entries, no workbook part, a missing or unknown sheet, a
// cell reference out of Excel's range, parts beyond the limits above. Nothing
// is returned half read.
struct XlsxWorkbookRead {
    std::vector<std::string> sheetNames;
    XlsxSheet sheet;
};
FileResult<XlsxWorkbookRead> ReadXlsxSheet(const QByteArray& bytes, const std::string& sheetName);

// "B7" for row 7, col 1.
std::string XlsxCellName(int row, int col);

// A cell or a range as Excel writes it: "Sheet1!C12", "线路!A6:G6"; a sheet
// name with spaces or punctuation quoted ('My sheet'!C12, a quote doubled).
// row 1-based, columns 0-based; lastCol < 0 for a single cell.
std::string XlsxReference(const std::string& sheet, int row, int firstCol, int lastCol = -1);

}  // namespace tarvelo
