#pragma once
// The main window's single curve as a route with one JD, so that the route
// window's tables, plan and exports serve a curve typed in the main window.
//
// QD and ZD lie on the curve's two tangents 100 m beyond ZH and HZ:
//   QD = JD − (T1 + 100)·(cos F, sin F),   station ZH − 100,
//   ZD = JD + (T2 + 100)·(cos F2, sin F2),
// so the route chains QD → JD over T1 + 100 and gives JD its own station
// back, and its one curve is the window's curve. Units: metres, azimuths in
// decimal degrees clockwise from grid north (X north, Y east).

#include <optional>
#include <string>
#include <vector>

#include "core/curve/curve_state.h"
#include "core/plan/route.h"

namespace tarvelo {

// How far beyond ZH and HZ the route starts and ends, in metres.
inline constexpr double kRouteTangentBeyondCurve = 100;

// Why the curve cannot be one JD of a route, or nullopt. A route's
// deflection lies in (−180°, 180°] and is not 0, so a curve turning through
// 180° or more (|alpha| >= 180) would come back as a different curve; a
// non-finite input or element cannot be placed at all.
std::optional<std::string> RouteFromCurveRefusal(const CurveState& curve);

// The rows QD, JD1, ZD of the curve. Precondition: SJ and YS have run on
// curve and RouteFromCurveRefusal(curve) is nullopt. QD carries the station
// ZH − 100, JD1 the curve's JD station (the route's chained station, given
// as a check), ZD none (the route chains it to HZ + 100). Throws FloatFault
// for a non-finite coordinate.
std::vector<RoutePointInput> RouteRowsFromCurve(const CurveState& curve);

}  // namespace tarvelo
