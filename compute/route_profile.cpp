#include "compute/route_profile.h"

namespace tarvelo {

std::optional<Profile> ProfileOnRoute(const Profile& profile, const Route& route, std::string* error)
{
    if (!route.hasBreaks()) {
        // Zone 0 is the only one; any other is refused as the route refuses it.
        for (const GradePointInput& p : profile.points())
            if (p.zone && *p.zone != 0) {
                *error = (p.line > 0 ? "第 " + std::to_string(p.line) + " 行" : std::string("一个")) +
                         "变坡点：" + route.StationOf(p.station, p.zone).error;
                return std::nullopt;
            }
        return profile;
    }
    std::vector<GradePointInput> points = profile.points();
    for (std::size_t i = 0; i < points.size(); ++i) {
        GradePointInput& p = points[i];
        const Route::StationLookup at = route.StationOf(p.station, p.zone);
        if (!at.station) {
            *error = (p.line > 0 ? "第 " + std::to_string(p.line) + " 行" : "第 " + std::to_string(i + 1) + " 个") +
                     "变坡点：" + at.error;
            return std::nullopt;
        }
        p.station = *at.station;
    }
    Profile::Built built = Profile::Build(points);
    if (!built.profile) {
        *error = "纵断面按断链换算后不能计算：" + built.error->message;
        return std::nullopt;
    }
    return std::move(built.profile);
}

}  // namespace tarvelo
