#pragma once
// The table of a worksheet as the comma-separated UTF-8 text the core's
// table readers take (core/files/text_table.h).
//
// People's workbooks hold more than the table: title rows (a merged
// "逐桩坐标表", the project's name), a header of one or two rows (merged
// cells in the upper one), blank rows and columns, a total row at the end.
// The table is found by its header: the first row holding at least two of
// the readers' column words (TableColumnWords, core/files/header_row.h). The
// row below it belongs to the header too when it holds a column word and no
// number; each column's name is then the lower row's (a merged cell's value
// fills its whole range), else the upper row's. The table's columns run from
// the first to the last named column; a column without name or data within
// them is left out. Rows below the header are the data; blank rows are
// passed over, and a row beginning with 合计, 总计, 小计 or 共计 ends the
// table (data after it is refused).
//
// Line n of the text is row n of the sheet (rows above the header and blank
// rows are empty lines), so a reader's "第 7 行" is the sheet's row 7.

#include <QString>
#include <string>
#include <vector>

#include "reports/report_status.h"
#include "reports/xlsx_reader.h"

namespace tarvelo {

struct XlsxTableText {
    std::string text;       // the comma table; its line n is the sheet's row n
    std::string sheet;      // the sheet's name
    int headerFirstRow = 0; // the header's rows (equal for a one-row header)
    int headerLastRow = 0;
    int firstDataRow = 0;   // 0 when the table has no data rows
    int lastDataRow = 0;
    int firstCol = 0;       // the table's columns, 0-based (A is 0)
    int lastCol = 0;
    int totalRow = 0;       // the total row left out, or 0
    std::vector<int> columns; // the sheet column (0-based) of each field of a line of the text
};

// Refused, naming the sheet and the cell ("单元格 Sheet1!C12 ..."):
// no header found; a formula without a cached value; an error value; a
// text holding a comma, tab, line break or control character, or beginning
// with '#' (which the text reader would take for a comment) in a cell of the
// table; a value outside the table's columns in a data row; data below the
// total row.
FileResult<XlsxTableText> SheetTableText(const XlsxSheet& sheet);

// What was read, for the user: "读取工作表“线路”第 3–9 行（A–G 列，表头第 2 行），
// 行号即工作表的行号。"
QString DescribeXlsxTable(const XlsxTableText& table);

}  // namespace tarvelo
