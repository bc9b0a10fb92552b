#pragma once
// The pieces every CSV file of the program shares: UTF-8 with a byte-order
// mark (so that a Chinese spreadsheet does not take it for GBK), CR LF after
// every line, fields quoted as RFC 4180 asks.

#include <string>
#include <string_view>

namespace tarvelo {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Appends field as one CSV field: as it stands, or in double quotes with
// every quote doubled when it holds ',', '"', CR or LF.
void AppendCsvField(std::string& out, std::string_view field);

}  // namespace tarvelo
