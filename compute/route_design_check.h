#pragma once
// The design check (compute/design_check.h) bound to a built route and,
// when there is one, its vertical profile: the three callbacks of
// DesignCheckRoute answered by Route (StationOf, PointAt, Displayed),
// RouteInverse and Profile::ElevationNear.
//
// Stations in the design table are displayed stations; a row's zone picks
// the stretch of a route with chain breaks (断链), numbered as the route
// numbers them (zone 0 up to the first break). A route without breaks has
// zone 0 only.

#include "compute/design_check.h"
#include "compute/route_inverse.h"
#include "core/profile/profile.h"
#include "core/plan/route.h"

namespace tarvelo {

// The callbacks hold references: route, inverse (built on route) and
// profile (may be null: elevations are then not checked) must outlive the
// returned value and every CheckDesign that uses it.
//  - pointAt: the centreline point (offset 0) at the displayed station and
//    zone; nullopt with Route::StationOf's sentence where the route has no
//    such station (in a gap, ambiguous without a zone, another zone than 0
//    on a route without breaks, outside), or "桩号 K… 不在线路的桩号范围
//    K… ~ K… 之内。" beyond the ends of a route without breaks. A NaN
//    station or a non-finite point throws FloatFault, which CheckDesign
//    turns into an outside row.
//  - foot: RouteInverse::Find, given as a displayed station, with its zone
//    where the route has breaks (twice where a 长链 shows it in two zones);
//    nullopt when the point lies beyond an end.
//  - missClass: Route::StationOf's refusal as a class: Ambiguous in a
//    长链's overlap without a zone, Gap in a 短链's gap, else Outside.
//  - elevationAt: Profile::ElevationNear (a millimetre's slack at its ends)
//    at the route's own station of the displayed one; nullopt where there
//    is none. The profile's stations are the route's own.
DesignCheckRoute DesignCheckRouteOf(const Route& route, const RouteInverse& inverse, const Profile* profile);

}  // namespace tarvelo
