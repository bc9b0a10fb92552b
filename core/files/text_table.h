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

// The same lines, one at a time and without copying: `visit(line, fields)`
// gets the 1-based line number and the trimmed fields as views into `text`
// (valid while text is), in a vector reused from line to line. For readers
// of files with hundreds of thousands of lines.
template <class Visit>
void ForEachTableLine(std::string_view text, Visit visit);


// The number in a field: the whole field must be one number (the strict
// reader: optional sign, digits, ".", exponent) and finite. false for an
// empty field, a text, or a number beyond the range of a double.
bool ReadFieldNumber(std::string_view field, double* value);

namespace table_detail {
std::string_view TrimBlanks(std::string_view s);
}

template <class Visit>
void ForEachTableLine(std::string_view text, Visit visit)
{
    std::vector<std::string_view> fields;
    int number = 0;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        ++number;
        const std::string_view content = table_detail::TrimBlanks(line);
        if (content.empty() || content.front() == '#') continue;
        fields.clear();
        std::size_t from = 0;
        for (;;) {
            const std::size_t sep = content.find_first_of(",\t", from);
            fields.push_back(table_detail::TrimBlanks(content.substr(from, sep - from)));
            if (sep == std::string_view::npos) break;
            from = sep + 1;
        }
        visit(number, static_cast<const std::vector<std::string_view>&>(fields));
    }
}
}  // namespace tarvelo
