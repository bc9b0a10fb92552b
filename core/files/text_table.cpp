#include "core/files/text_table.h"

#include <cmath>

#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

std::string_view TrimBlanks(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::vector<TableLine> SplitTableLines(std::string_view text)
{
    std::vector<TableLine> out;
    int number = 0;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        ++number;
        const std::string_view content = TrimBlanks(line);
        if (content.empty() || content.front() == '#') continue;
        TableLine row;
        row.line = number;
        std::size_t from = 0;
        for (;;) {
            const std::size_t sep = content.find_first_of(",\t", from);
            row.fields.emplace_back(TrimBlanks(content.substr(from, sep - from)));
            if (sep == std::string_view::npos) break;
            from = sep + 1;
        }
        out.push_back(std::move(row));
    }
    return out;
}

bool ReadFieldNumber(const std::string& field, double* value)
{
    double v = 0;
    if (!ParseWholeNumber(field, &v) || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

}  // namespace tarvelo
