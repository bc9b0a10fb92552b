#pragma once
// The pieces every CSV file of the program shares: UTF-8 with a byte-order
// mark (so that a Chinese spreadsheet does not take it for GBK), CR LF after
// every line, fields quoted as RFC 4180 asks.

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Appends field as one CSV field: as it stands, or in double quotes with
// every quote doubled when it holds ',', '"', CR or LF.
void AppendCsvField(std::string& out, std::string_view field);

// The records of a text in the program's CSV form, or tab-separated when
// separator is '\t' (or ' ', where a run of spaces separates, for tables
// aligned with spaces; leading spaces are dropped): a leading byte-order mark dropped, lines ending in LF
// or CR LF, with ',' fields in double quotes as RFC 4180 has them (a quote
// doubled inside; a quoted field may hold line breaks). A blank line is an
// empty record (no fields), so that the tables of a text stay apart.
std::vector<std::vector<std::string>> SplitCsvRecords(std::string_view text, char separator = ',');

}  // namespace tarvelo
