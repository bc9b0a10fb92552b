#pragma once
// Reading a spreadsheet-written text table (route file, profile file,
// surveyed points) as UTF-8 text for the core's table reader.

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "reports/report_status.h"

namespace tarvelo {

// Files larger than this are refused unread: a 200-JD route is a few kB and
// 100,000 surveyed points about 4 MB.
inline constexpr qint64 kMaxTableFileBytes = 64 * 1024 * 1024;

// The whole file as UTF-8 text. An Excel workbook (.xlsx, told by its
// content: a ZIP holding a workbook part, whatever the file's name) gives
// the table of its first worksheet, or of the sheet named after a '#' at
// the end of the path ("线路.xlsx#交点表", used when no file carries the whole
// path as its name), as the comma text of reports/xlsx_table_text.h: line n
// of the text is row n of the sheet. What was read is said through the
// note sink below. An .xls, an encrypted or damaged workbook, or one
// without a table the readers know is refused, nothing read.
//
// Text files: a leading UTF-8 byte-order mark is dropped;
// bytes that are valid UTF-8 are taken as UTF-8 (a spreadsheet's "CSV UTF-8"
// is often without a mark, and Chinese in UTF-8 can also pass as GBK), any
// other bytes are read as GBK. Refused: a missing or unreadable file, a
// folder, a file above kMaxTableFileBytes, bytes that are neither UTF-8 nor
// GBK, a binary file (control characters). Errors name the path and reason.
FileResult<std::string> ReadTableFileText(const QString& path);

// The same decoding for bytes already in memory (tests, fuzzing); a
// workbook gives the table of the named sheet (empty: the first).
FileResult<std::string> DecodeTableBytes(const QByteArray& bytes, const std::string& sheet = {});

// Where ReadTableFileText says what it read from a workbook ("读取工作表
// “线路”第 3–9 行…"): the command line prints it on standard error. Unset,
// or set to an empty function, the note goes nowhere. Set it once, before
// any file is read.
void SetTableReadNotes(std::function<void(const QString&)> sink);

// While a TableReadLog lives, ReadTableFileText on its thread notes each
// file it reads (the path as given; for a workbook its sheet, the table's
// text and the sheet column of each field), so that the messages a reader
// gives about those files can name the sheet's cells. Logs nest: the
// innermost one on the thread takes the notes.
class TableReadLog {
public:
    TableReadLog();
    ~TableReadLog();
    TableReadLog(const TableReadLog&) = delete;
    TableReadLog& operator=(const TableReadLog&) = delete;

    // message with each row a workbook's table is named by, "第 6 行",
    // followed by its cell in Excel's notation: "第 6 行（线路!C6）". The
    // workbook is the file whose path the message quotes last before the row
    // (“线路.xlsx”), or, when it quotes none, the only workbook read. The
    // cell is the field of that row the message quotes after the row on the
    // same line (“四五五”); a message that quotes none of the row's fields
    // names the row's cells of the table (线路!A6:G6). Rows of text files
    // and rows outside the table are left as they are.
    std::string NameCells(const std::string& message) const;

private:
    friend FileResult<std::string> ReadTableFileText(const QString& path);
    struct File {
        std::string path;          // UTF-8, as given (with its "#sheet")
        bool workbook = false;
        std::string sheet;
        std::string text;          // the table's text: line n is row n
        std::vector<int> columns;  // the sheet column of each field
    };
    const File* Quoted(const std::string& quoted) const;
    std::string CellOf(const File& file, int row, const std::string& quoted) const;
    TableReadLog* outer_;
    std::vector<File> files_;
};

}  // namespace tarvelo
