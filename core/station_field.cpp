#include "core/station_field.h"

#include <cmath>
#include <string_view>

#include "core/text_table.h"

namespace tarvelo {

namespace {

bool AllDigits(std::string_view s)
{
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

bool ReadStationField(const std::string& field, double* value)
{
    if (ReadFieldNumber(field, value)) return true;
    std::string_view t = field;
    if (!t.empty() && (t.front() == 'K' || t.front() == 'k')) t.remove_prefix(1);
    const std::size_t plus = t.find('+');
    if (plus == std::string_view::npos) return false;
    const std::string_view km = t.substr(0, plus), m = t.substr(plus + 1);
    // Metres: digits, optionally a point and more digits; no sign or exponent.
    const std::size_t point = m.find('.');
    const std::string_view whole = m.substr(0, point);
    if (!AllDigits(km) || !AllDigits(whole)) return false;
    if (point != std::string_view::npos && !AllDigits(m.substr(point + 1))) return false;
    double kilometres = 0, metres = 0;
    if (!ReadFieldNumber(std::string(km), &kilometres) || !ReadFieldNumber(std::string(m), &metres))
        return false;
    if (metres >= 1000) return false;
    const double station = kilometres * 1000 + metres;
    if (!std::isfinite(station)) return false;
    *value = station;
    return true;
}

}  // namespace tarvelo
