#include "core/files/text_table.h"

#include <cmath>

#include "core/numbers/number_text.h"

namespace tarvelo {

namespace table_detail {

std::string_view TrimBlanks(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace table_detail

std::vector<TableLine> SplitTableLines(std::string_view text)
{
    std::vector<TableLine> out;
    ForEachTableLine(text, [&](int line, const std::vector<std::string_view>& fields) {
        TableLine row;
        row.line = line;
        row.fields.assign(fields.begin(), fields.end());
        out.push_back(std::move(row));
    });
    return out;
}

bool ReadFieldNumber(std::string_view field, double* value)
{
    double v = 0;
    if (!ParseWholeNumber(field, &v) || !std::isfinite(v)) return false;
    *value = v;
    return true;
}

}  // namespace tarvelo
