#pragma once
// The text tables a surveyor writes in a spreadsheet (route and profile
// files): one record a line, fields separated by commas or tabs.
//
// The text is UTF-8 (the file layer decodes GBK and drops a byte-order mark
// first). Lines end in LF or CR LF; blank lines and lines whose first
// non-space character is '#' are skipped. A line is split at every comma
// and every tab (one of them may be used throughout, or both); fields are
// trimmed of spaces and tabs; an empty field stays as an empty string.

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

struct TableLine {
    int line = 0;                     // 1-based line number in the text
    std::vector<std::string> fields;  // trimmed, at least one
};

std::vector<TableLine> SplitTableLines(std::string_view text);

// The number in a field: the whole field must be one number (the strict
// reader: optional sign, digits, ".", exponent) and finite. false for an
// empty field, a text, or a number beyond the range of a double.
bool ReadFieldNumber(const std::string& field, double* value);

}  // namespace tarvelo
