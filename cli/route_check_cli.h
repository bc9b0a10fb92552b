#pragma once
// tarvelo-cli route check: the design's stake table (逐桩坐标表) against the
// route computed here (设计复核).

#include <optional>
#include <ostream>
#include <string>

#include "core/profile/profile.h"
#include "core/plan/route.h"

namespace tarvelo {

// Exit status when every row was read and checked but some are not `ok`.
inline constexpr int kExitDesignDiffers = 3;

struct RouteCheckRequest {
    std::string routePath;   // for the report's heading
    std::string designPath;
    double tolerance = 0.005, toleranceZ = 0.005;  // metres
    bool json = false;
    std::optional<std::string> report;             // the GBK 设计逐桩坐标复核表
    std::optional<std::string> csvOut;             // --format csv --out FILE
};

// Checks every row of the design table against the route (and the profile
// when given): stations are displayed stations, read in the row's zone when
// it gives one. Writes the rows (plain text, or JSON) to out. Returns the
// exit status: 0 when every row is ok, kExitDesignDiffers when some are not;
// on an error (unreadable design file, bad tolerance, a file that cannot be
// written) *error is set and nothing is written to out.
int RunRouteCheck(const Route& route, const std::optional<Profile>& profile, const RouteCheckRequest& request,
                  std::ostream& out, std::string* error);

}  // namespace tarvelo
