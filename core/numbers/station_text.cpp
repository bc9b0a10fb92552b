#include "core/numbers/station_text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/files/text_table.h"

namespace tarvelo {

namespace {

bool AllDigits(std::string_view s)
{
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Removes a trailing "(N区)" / "（N区）" from text; the zone, or -1 when the
// text has none, or -2 when it has one that is no whole number.
int TakeZone(std::string_view* text)
{
    static const std::string_view kOpen[] = {"(", "（"};
    static const std::string_view kClose[] = {"区)", "区）"};
    for (std::string_view close : kClose) {
        if (text->size() < close.size() || text->substr(text->size() - close.size()) != close) continue;
        for (std::string_view open : kOpen) {
            const std::size_t at = text->rfind(open);
            if (at == std::string_view::npos) continue;
            const std::string_view digits =
                text->substr(at + open.size(), text->size() - close.size() - at - open.size());
            int zone = 0;
            if (digits.empty() || digits.size() > 6) return -2;
            for (char c : digits) {
                if (c < '0' || c > '9') return -2;
                zone = zone * 10 + (c - '0');
            }
            *text = TrimSpaces(text->substr(0, at));
            return zone;
        }
        return -2;
    }
    return -1;
}

}  // namespace

ZonedStationRead ReadZonedStationField(std::string_view field, double* value, std::optional<int>* zone)
{
    field = TrimSpaces(field);
    const int z = TakeZone(&field);
    if (z == -2) return ZonedStationRead::BadZone;
    double v = 0;
    if (!ReadStationField(std::string(field), &v)) return ZonedStationRead::NotStation;
    *value = v;
    if (z >= 0)
        *zone = z;
    else
        zone->reset();
    return ZonedStationRead::Ok;
}

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

void AppendKStation(std::string& out, double station, int decimals)
{
    Checked(station, "桩号");
    decimals = std::clamp(decimals, 0, 9);
    // The rounding is done once, on the decimal text, so that kilometres and
    // metres never disagree with each other at a carry.
    std::string fixed;
    AppendFixed(fixed, station, decimals);
    std::size_t begin = 0;
    out += 'K';
    if (!fixed.empty() && fixed[0] == '-') {
        out += '-';
        begin = 1;
    }
    const std::size_t point = fixed.find('.', begin);
    const std::size_t intEnd = point == std::string::npos ? fixed.size() : point;
    const std::size_t intLen = intEnd - begin;
    if (intLen > 3) {
        out.append(fixed, begin, intLen - 3);
        out += '+';
        out.append(fixed, intEnd - 3, 3);
    } else {
        out += "0+";
        out.append(3 - intLen, '0');
        out.append(fixed, begin, intLen);
    }
    if (point != std::string::npos) out.append(fixed, point, std::string::npos);
}

std::string FormatKStation(double station, int decimals)
{
    std::string out;
    AppendKStation(out, station, decimals);
    return out;
}

std::string FormatBreakText(double back, double ahead, int decimals)
{
    std::string out;
    AppendKStation(out, back, decimals);
    out += '=';
    AppendKStation(out, ahead, decimals);
    return out;
}

}  // namespace tarvelo
