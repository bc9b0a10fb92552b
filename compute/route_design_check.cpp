#include "compute/route_design_check.h"

#include "compute/route_text.h"

namespace tarvelo {

DesignCheckRoute DesignCheckRouteOf(const Route& route, const RouteInverse& inverse, const Profile* profile)
{
    DesignCheckRoute r;
    r.pointAt = [&route](double station, std::optional<int>, std::string* why) -> std::optional<DesignPlanPoint> {
        const std::optional<RouteStake> stake = route.PointAt(station, 0, 90);
        if (!stake) {
            if (why)
                *why = "桩号 " + FormatKStation(station, 3) + " 在线路起点 " + FormatKStation(route.start().station, 3) +
                       " 之前或终点 " + FormatKStation(route.end().station, 3) + " 之后。";
            return std::nullopt;
        }
        return DesignPlanPoint{stake->point.x, stake->point.y};
    };
    r.foot = [&inverse](double x, double y) -> std::optional<DesignFoot> {
        const RouteFoot f = inverse.Find(x, y);
        if (f.outcome != RouteFootOutcome::Ok) return std::nullopt;
        return DesignFoot{f.station, std::nullopt, f.offset};
    };
    if (profile)
        r.elevationAt = [profile](double station, std::optional<int>) { return profile->ElevationNear(station); };
    return r;
}

}  // namespace tarvelo
