#include "compute/route_station_text.h"

#include "core/files/text_table.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"

namespace tarvelo {

namespace {

std::string ZoneSuffix(const Route& route, const DisplayedStation& d, int decimals)
{
    return StationShownTwice(route, d.station, decimals) ? ZoneMark(d.zone) : std::string();
}

}  // namespace

std::string ZoneMark(int zone) { return "(" + std::to_string(zone) + "区)"; }

bool StationShownTwice(const Route& route, double displayed, int decimals)
{
    if (!route.hasBreaks()) return false;
    if (route.chainage().ZonesOf(displayed).size() > 1) return true;
    // The station as printed: 13049.9996 prints as K13+050.000, an overlap's edge.
    double shown = 0;
    return ReadFieldNumber(FormatFixed(displayed, decimals), &shown) && route.chainage().ZonesOf(shown).size() > 1;
}

std::string RouteStationText(const Route& route, double k, int decimals)
{
    const DisplayedStation d = route.Displayed(k);
    return FormatKStation(d.station, decimals) + ZoneSuffix(route, d, decimals);
}

std::string RouteStationNumber(const Route& route, double k)
{
    const DisplayedStation d = route.Displayed(k);
    return FormatRounded4(d.station) + ZoneSuffix(route, d, 4);
}

TypedStation ReadRouteStation(const Route& route, std::string_view text)
{
    TypedStation out;
    double v = 0;
    std::optional<int> zone;
    switch (ReadZonedStationField(text, &v, &zone)) {
    case ZonedStationRead::BadZone:
        out.error = "区段应写成“(1区)”这样的整数。";
        return out;
    case ZonedStationRead::NotStation:
        out.error = "“" + std::string(TrimSpaces(text)) + "”不是桩号。";
        return out;
    case ZonedStationRead::Ok: break;
    }
    const Route::StationLookup at = route.StationOf(v, zone);
    if (!at.station) {
        out.error = at.error;
        return out;
    }
    out.station = at.station;
    return out;
}

}  // namespace tarvelo
