#pragma once
// A profile on a route with chain breaks: the grade points' stations are
// displayed stations (as the design documents write them), and the
// elevations are interpolated along the road, i.e. on the route's own
// stations (start + distance). Plain C++.

#include <optional>
#include <string>

#include "core/profile/profile.h"
#include "core/plan/route.h"

namespace tarvelo {

// The profile with each grade point moved to the route's own station of its
// displayed station. Without breaks the profile itself. nullopt and *error
// (a sentence naming the grade point's line) when a grade point lies in a
// 短链's gap, is ambiguous in a 长链's overlap, or the moved points do not
// make a profile (they no longer increase).
std::optional<Profile> ProfileOnRoute(const Profile& profile, const Route& route, std::string* error);

}  // namespace tarvelo
