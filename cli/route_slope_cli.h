#pragma once
// tarvelo-cli route slope (边坡放样) and route level (高程检测): surveyed
// points against the design section made of the profile, the pavement
// (--sections) and the roadbed template (--template).
//
// Both take one point (--x X --y Y --z Z) or a point file (--points FILE,
// read by core/files/point_file.h; every point needs its elevation), and
// write plain text (one tab-separated row a point), --json, or --format csv
// --out FILE (UTF-8 with BOM, CR LF); --report FILE writes the GBK
// 边坡放样记录 or 高程检测表. Stations are displayed stations with their
// zone where a chain break repeats them.

#include <optional>
#include <ostream>
#include <string>

#include "cli/route_stakeout_cli.h"
#include "core/plan/route.h"
#include "core/profile/profile.h"
#include "core/section/roadbed_template.h"

namespace tarvelo {

// Exit status of route level when some point is not within --tolerance-z.
inline constexpr int kExitLevelDiffers = 3;

// The roadbed template of --template FILE with its stations moved from
// displayed stations to the route's own, or *error and *status (1
// unreadable, 2 refused, every refused line named).
std::optional<RoadbedTemplate> LoadRoadbedTemplate(const std::string& path, const Route& route, std::string* error,
                                                   int* status);

// route slope / route level for a loaded route and profile (on the route's
// own stations). value: the command's options by name. Returns the exit
// status; on an error *error is set, the status is 1 or 2 and nothing is
// written to out. Throws FloatFault for a value that is not finite.
int RunRouteSlope(const Route& route, const Profile& profile, const OptionValue& value, bool json, std::ostream& out,
                  std::string* error);
int RunRouteLevel(const Route& route, const Profile& profile, const OptionValue& value, bool json, std::ostream& out,
                  std::string* error);

}  // namespace tarvelo
