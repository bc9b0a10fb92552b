#include "compute/route_station_text.h"

#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"

namespace tarvelo {

namespace {

std::string ZoneSuffix(const Route& route, const DisplayedStation& d)
{
    if (route.hasBreaks() && route.chainage().ZonesOf(d.station).size() > 1)
        return "(" + std::to_string(d.zone) + "区)";
    return std::string();
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

std::string RouteStationText(const Route& route, double k, int decimals)
{
    const DisplayedStation d = route.Displayed(k);
    return FormatKStation(d.station, decimals) + ZoneSuffix(route, d);
}

std::string RouteStationNumber(const Route& route, double k)
{
    const DisplayedStation d = route.Displayed(k);
    return FormatRounded4(d.station) + ZoneSuffix(route, d);
}

TypedStation ReadRouteStation(const Route& route, std::string_view text)
{
    TypedStation out;
    text = TrimSpaces(text);
    const int zone = TakeZone(&text);
    if (zone == -2) {
        out.error = "区段应写成“(1区)”这样的整数。";
        return out;
    }
    double v = 0;
    if (!ReadStationField(std::string(text), &v)) {
        out.error = "“" + std::string(text) + "”不是桩号。";
        return out;
    }
    const Route::StationLookup at = route.StationOf(v, zone >= 0 ? std::optional<int>(zone) : std::nullopt);
    if (!at.station) {
        out.error = at.error;
        return out;
    }
    out.station = at.station;
    return out;
}

}  // namespace tarvelo
