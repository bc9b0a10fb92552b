#pragma once
// Cross sections on a route with chain breaks: the rows' stations are
// displayed stations (as the design's section tables write them, with the
// zone where a 长链 shows a station twice), and the sections are
// interpolated along the road, i.e. on the route's own stations. Plain C++.

#include <string>
#include <vector>

#include "core/plan/route.h"
#include "core/section/cross_section.h"

namespace tarvelo {

// Moves each row to the route's own station of its displayed station (and
// zone, when the row has one). Without breaks the rows stay where they are
// (a zone other than 0 is refused as the route refuses it). false and
// *error (a sentence naming the row's line, or its number when it has no
// line) when a station lies in a 短链's gap, is ambiguous in a 长链's overlap
// without its zone, or lies outside the route.
bool MoveSectionRowsOntoRoute(std::vector<CrossSectionRow>* rows, const Route& route, std::string* error);

}  // namespace tarvelo
