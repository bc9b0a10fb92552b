#include "compute/route_design_check.h"

#include <cmath>

#include "compute/route_station_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/station_text.h"

namespace tarvelo {

DesignCheckRoute DesignCheckRouteOf(const Route& route, const RouteInverse& inverse, const Profile* profile)
{
    DesignCheckRoute r;
    r.pointAt = [&route](double station, std::optional<int> zone, std::string* why) -> std::optional<DesignPlanPoint> {
        if (std::isnan(station)) throw FloatFault("桩号");
        const Route::StationLookup at = route.StationOf(station, zone);
        std::optional<RouteStake> stake;
        if (at.station) stake = route.PointAt(*at.station, 0, 90);
        if (stake) return DesignPlanPoint{stake->point.x, stake->point.y};
        if (why)
            *why = !at.station ? at.error
                               : "桩号 " + FormatKStation(station) + " 不在线路的桩号范围 " +
                                     FormatKStation(route.start().station) + " ~ " +
                                     FormatKStation(route.end().station) + " 之内。";
        return std::nullopt;
    };
    r.foot = [&route, &inverse](double x, double y) -> std::optional<DesignFoot> {
        const RouteFoot f = inverse.Find(x, y);
        if (f.outcome != RouteFootOutcome::Ok) return std::nullopt;
        const DisplayedStation shown = route.Displayed(f.station);
        return DesignFoot{shown.station, route.hasBreaks() ? std::optional<int>(shown.zone) : std::nullopt,
                          f.offset, StationShownTwice(route, shown.station)};
    };
    r.missClass = [&route](double station, std::optional<int> zone) {
        switch (route.StationOf(station, zone).miss) {
        case StationMiss::Ambiguous: return DesignClass::Ambiguous;
        case StationMiss::Gap: return DesignClass::Gap;
        default: return DesignClass::Outside;
        }
    };
    if (profile)
        r.elevationAt = [&route, profile](double station, std::optional<int> zone) -> std::optional<double> {
            const Route::StationLookup at = route.StationOf(station, zone);
            if (!at.station) return std::nullopt;
            return profile->ElevationNear(*at.station);
        };
    return r;
}

}  // namespace tarvelo
