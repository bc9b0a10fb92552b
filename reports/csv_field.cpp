#include "reports/csv_field.h"

namespace tarvelo {

void AppendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::vector<std::vector<std::string>> SplitCsvRecords(std::string_view text, char separator)
{
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false, started = false;
    const auto endRecord = [&] {
        const bool trailingSpaces = separator == ' ' && field.empty();
        if (!trailingSpaces && (started || !field.empty() || !record.empty())) record.push_back(std::move(field));
        records.push_back(std::move(record));
        record.clear();
        field.clear();
        started = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && separator == ',' && field.empty()) {
            quoted = started = true;
        } else if (c == separator && separator == ' ' && (!started && field.empty() && record.empty())) {
            // spaces before the first field
        } else if (c == separator && separator == ' ' && i > 0 && text[i - 1] == ' ') {
            // one separator for a run of spaces
        } else if (c == separator) {
            record.push_back(std::move(field));
            field.clear();
            started = true;
        } else if (c == '\n') {
            endRecord();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            // the LF ends the record
        } else {
            field += c;
        }
    }
    if (started || !field.empty() || !record.empty()) endRecord();
    return records;
}

}  // namespace tarvelo
