#pragma once
// The vertical profile on the command line: reading --profile FILE, the
// `route profile` command (the vertical-curve table) and the checks that
// keep design elevations inside the profile.
//
//   tarvelo-cli route profile --route FILE --profile FILE [--json] [--report FILE]
//
// The profile's stations are the route's own (ProfileOnRoute); every station
// printed is the route's displayed station, with its zone where a 长链 shows
// it twice ("K13+060.000(2区)"; JSON: "station" and "zone" fields).
// Plain output: the profile's range, then a tab-separated table, one row per
// grade point between the ends: 变坡点桩号 (K notation), 高程, R, 坡差ω(%),
// 凸/凹, T, E, Lv, 起点桩号, 终点桩号, i1(%), i2(%); lengths and elevations
// to 3 decimals. JSON: {"pvis":[{"station","zone","elevation","R","omega","T",
// "E","Lv","start","start_zone","end","end_zone","grade_in","grade_out"}]}, grades and omega as ratios,
// every number in its shortest round-trip form.

#include <optional>
#include <ostream>
#include <string>

#include "core/profile/profile.h"
#include "core/plan/route.h"

namespace tarvelo {

// The profile of the file at path, or why there is none. status: 1 when the
// file cannot be read (missing, a folder, not text); 2 when a row is bad or
// the profile is refused, with every bad row's message, each naming its line.
struct ProfileLoad {
    std::optional<Profile> profile;
    int status = 0;
    std::string message;  // set exactly when profile is not; may span lines
};
ProfileLoad LoadProfileFile(const std::string& path);

// nullopt when every station in [from, to] (the route's own stations, as
// the profile's) has a design elevation on the profile (ElevationNear:
// within 1 mm beyond an end counts); otherwise the message naming the
// station (from == to) or the range and the profile's own range, in the
// route's displayed stations.
std::optional<std::string> CheckProfileCovers(const Route& route, const Profile& profile, double from, double to);

// A warning (one line, no LF) when the profile does not reach over the whole
// route, so that stakes near its ends would get no elevation; else nullopt.
std::optional<std::string> ProfileCoverageWarning(const Profile& profile, const Route& route);

// Runs `route profile` for a loaded route and profile: checks coverage (a
// warning into `warnings`), writes the report to reportPath when given (its
// failure ends the command before any output), then the table to out.
// Returns the error message, if any. Throws FloatFault for a value that is
// not finite.
std::optional<std::string> RunRouteProfile(const Route& route, const Profile& profile, bool json,
                                           const std::optional<std::string>& reportPath,
                                           std::ostream& out, std::string& warnings);

}  // namespace tarvelo
