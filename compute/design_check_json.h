#pragma once
// The design check's result as JSON, for tarvelo-cli --json and scripts:
//   {"rows":[{"line","name","station","zone","x","y","dx","dy","distance",
//             "dz","foot_station","foot_offset","class"}, ...],
//    "summary":{"rows","classes":{"ok","station","offset","elevation",
//               "outside","unreadable"},"max_distance","max_distance_line",
//               "max_dz","max_dz_line","rms"}}
// Rows in line order; x, y and station are the table's (design) values, dx,
// dy and dz design minus computed, max_dz the largest |dz|. A value a row
// does not have is null: zone without one, dz without an elevation or a
// profile, the foot where the point lies beyond an end, every computed value
// of an outside row the route has no point for. An unreadable row has null
// everywhere except line, name (a string when the line had one), class, and
// carries "reason" (a Chinese sentence naming the line). Summary values with
// no row to come from are null (max_*_line then 0). Numbers are written in
// their shortest round-trip form (RoundTripText); strings are UTF-8 with '"',
// '\' and control characters escaped. No spaces, no line end.

#include <string>

#include "compute/design_check.h"

namespace tarvelo {

// The result's numbers are finite (CheckDesign's promise); names and reasons
// UTF-8.
std::string DesignCheckJson(const DesignCheckResult& result);

// s as a JSON string literal, quotes included.
std::string JsonString(const std::string& s);

}  // namespace tarvelo
