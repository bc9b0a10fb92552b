#include "ui/route_window/tables/table_cells.h"

#include "core/files/text_table.h"
#include "core/numbers/station_text.h"

namespace tarvelo {

std::string TrimCell(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return std::string(s);
}

std::optional<int> StationCellZone(const std::string& text)
{
    double v = 0;
    std::optional<int> zone;
    ReadZonedStationField(text, &v, &zone);
    return zone;
}

std::string CellPlace(int row, const char* caption)
{
    return "第 " + std::to_string(row + 1) + " 行 " + caption;
}

std::optional<std::string> ReadNumberCell(const std::string& text, CellKind kind, const CellRule& rule,
                                          std::optional<double>* value)
{
    if (!rule.used) {
        if (!text.empty()) return std::string("不用填写：") + rule.why;
        return std::nullopt;
    }
    if (text.empty()) {
        if (rule.required) return std::string("缺少数值。");
        return std::nullopt;
    }
    double v = 0;
    if (kind == CellKind::Station) {
        std::optional<int> zone;
        if (ReadZonedStationField(text, &v, &zone) != ZonedStationRead::Ok)
            return "既不是数，也不是 K5+030.5 或 K13+060(2区) 这样的桩号：“" + text + "”。";
    } else if (!ReadFieldNumber(text, &v)) {
        return "不是数：“" + text + "”。";
    }
    *value = v;
    return std::nullopt;
}

}  // namespace tarvelo
