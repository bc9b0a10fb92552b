#pragma once
// tarvelo-cli route earthwork: catch stakes, cut and fill areas per ground
// section and average-end-area volumes between sections (土石方).

#include <ostream>
#include <string>

#include "cli/route_stakeout_cli.h"
#include "core/plan/route.h"
#include "core/profile/profile.h"

namespace tarvelo {

// route earthwork --template T --ground G [--sections S] [--centre-ground C]
// [--depth D] [--start S --end E] [--json | --format csv|dat --out FILE]
// [--report FILE], for a loaded route and profile (on the route's own
// stations). What was read and every section or line left out go to *notes.
// Returns the exit status: 0, or kExitGroundLeftOut when a ground section
// could not be read or a section has a problem (its intervals get no
// volumes); on an error *error is set, the status is 1 or 2 and nothing is
// written to out. Throws FloatFault for a value that is not finite.
int RunRouteEarthwork(const Route& route, const Profile& profile, const OptionValue& value, bool json,
                      std::ostream& out, std::string* notes, std::string* error);

}  // namespace tarvelo
