#pragma once
// Reading a spreadsheet-written text table (route file, profile file,
// surveyed points) as UTF-8 text for the core's table reader.

#include <QString>
#include <functional>
#include <string>

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

}  // namespace tarvelo
