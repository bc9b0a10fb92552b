#include "core/files/header_row.h"

#include "core/numbers/station_text.h"

namespace tarvelo {

std::string HeaderKey(std::string_view field)
{
    std::string key(field);
    for (const char* bracket : {"(", "（", "[", "【"}) {
        const std::size_t at = key.find(bracket);
        if (at != std::string::npos) key.erase(at);
    }
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
    while (!key.empty() && (key.front() == ' ' || key.front() == '\t')) key.erase(key.begin());
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return key;
}

int HeaderColumn(const TableLine& row, const std::vector<std::string_view>& words)
{
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        const std::string key = HeaderKey(row.fields[i]);
        for (std::string_view w : words)
            if (key == w) return int(i);
    }
    return -1;
}

bool HoldsHeaderWords(const TableLine& row, const std::vector<std::string_view>& words)
{
    return HeaderColumn(row, words) >= 0;
}

bool IsHeaderRow(const TableLine& row, const std::vector<std::string_view>& words)
{
    if (!HoldsHeaderWords(row, words)) return false;
    for (const std::string& f : row.fields) {
        double v = 0;
        if (ReadStationField(f, &v)) return false;
    }
    return true;
}

}  // namespace tarvelo
