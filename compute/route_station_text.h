#pragma once
// The stations the route window shows and takes are displayed stations:
// across chain breaks (断链) they differ from the route's own station
// (start + distance) that the engine works in. These convert, with the
// zone written after a station that occurs twice (in a 长链's overlap), as
// tarvelo-cli writes it: "K1+050.000(1区)". Plain C++.

#include <optional>
#include <string>
#include <string_view>

#include "core/plan/route.h"

namespace tarvelo {

// The displayed station of the route's own station k in K notation
// (FormatKStation, `decimals` places), "(z区)" after it when the station lies
// in more than one zone. Non-finite k throws FloatFault.
std::string RouteStationText(const Route& route, double k, int decimals = 3);

// The zone written after a station that a 长链 shows twice: "(2区)".
std::string ZoneMark(int zone);

// Whether the displayed station, or the station as printed with `decimals`
// places, lies in more than one zone (a 长链's overlap, its edges included),
// so that its text must carry the zone to be read back. false without breaks.
bool StationShownTwice(const Route& route, double displayed, int decimals = 3);

// The same in metres rounded to 4 decimals (FormatRounded4), for the boxes
// a station is typed in.
std::string RouteStationNumber(const Route& route, double k);

// A station typed in a box: metres or K notation (ReadStationField), spaces
// around it ignored, optionally followed by its zone "(1区)" or "（1区）".
// The route's own station, or why there is none: not a station, a zone that
// is no whole number, or the route's refusal (a 短链's gap, ambiguous
// without its zone, outside the route).
struct TypedStation {
    std::optional<double> station;
    std::string error;  // a sentence, when station is empty
};
TypedStation ReadRouteStation(const Route& route, std::string_view text);

}  // namespace tarvelo
