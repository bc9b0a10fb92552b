// Excel workbooks from arbitrary bytes: the ZIP container, the workbook's
// parts and a sheet's cells, then the table found in the sheet. Every
// outcome is a value or one message; the text's lines are the sheet's rows
// and its fields hold no separator.

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/files/text_table.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"
#include "reports/xlsx_reader.h"
#include "reports/xlsx_table_text.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const FileResult<XlsxWorkbookRead> book = ReadXlsxSheet(bytes, std::string());
    FUZZ_CHECK(book.ok() != book.error.has_value());
    if (!book.ok()) {
        FUZZ_CHECK(!book.error->isEmpty());
        return 0;
    }
    const XlsxSheet& sheet = book.value->sheet;
    FUZZ_CHECK(!book.value->sheetNames.empty());
    FUZZ_CHECK(sheet.name == book.value->sheetNames.front());
    for (std::size_t i = 0; i < sheet.cells.size(); ++i) {
        const XlsxCell& c = sheet.cells[i];
        FUZZ_CHECK(c.row >= 1 && c.row <= 1048576 && c.col >= 0 && c.col < 16384);
        if (i > 0) {
            const XlsxCell& p = sheet.cells[i - 1];
            FUZZ_CHECK(p.row < c.row || (p.row == c.row && p.col < c.col));
        }
        if (c.kind == XlsxCell::Kind::Number) {
            double v = 0;
            FUZZ_CHECK(ReadFieldNumber(c.text, &v));
        }
    }
    const FileResult<XlsxTableText> table = SheetTableText(sheet);
    FUZZ_CHECK(table.ok() != table.error.has_value());
    if (!table.ok()) return 0;
    const XlsxTableText& t = *table.value;
    FUZZ_CHECK(t.headerFirstRow >= 1 && t.headerFirstRow <= t.headerLastRow);
    FUZZ_CHECK(t.firstCol <= t.lastCol);
    // The header sits on its sheet row, every data row on its own.
    const std::vector<TableLine> lines = SplitTableLines(t.text);
    FUZZ_CHECK(!lines.empty());
    for (const TableLine& l : lines) {
        FUZZ_CHECK(l.line == t.headerLastRow || (l.line >= t.firstDataRow && l.line <= t.lastDataRow));
        for (const std::string& f : l.fields) FUZZ_CHECK(f.find_first_of(",\t\r\n") == std::string::npos);
    }
    // The file layer gives the same text.
    const FileResult<std::string> decoded = DecodeTableBytes(bytes);
    FUZZ_CHECK(decoded.ok() && *decoded.value == t.text);
    return 0;
}
