#pragma once
// The design check (compute/design_check.h) bound to a built route without
// chain breaks and, when there is one, its vertical profile: the three
// callbacks of DesignCheckRoute answered by Route::PointAt, RouteInverse and
// Profile::ElevationNear.
//
// Such a route has one run of stations, so a row's zone does not choose
// anything and is ignored; feet carry no zone.

#include "compute/design_check.h"
#include "compute/route_inverse.h"
#include "core/profile.h"
#include "core/route.h"

namespace tarvelo {

// The callbacks hold references: route, inverse (built on route) and
// profile (may be null: elevations are then not checked) must outlive the
// returned value and every CheckDesign that uses it.
//  - pointAt: the centreline point (offset 0) at the station; nullopt with
//    the sentence "桩号 K… 在线路起点 K… 之前或终点 K… 之后。" outside
//    [start, end]. A NaN station or a non-finite point throws FloatFault,
//    which CheckDesign turns into an outside row.
//  - foot: RouteInverse::Find; nullopt when the point lies beyond an end.
//  - elevationAt: Profile::ElevationNear (a millimetre's slack at its ends).
DesignCheckRoute DesignCheckRouteOf(const Route& route, const RouteInverse& inverse, const Profile* profile);

}  // namespace tarvelo
