#pragma once
// The cross sections (route sections) and the total-station stakeout data
// (--instrument, --backsight, ... on route point, table and sections) of
// tarvelo-cli route.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "compute/route_table.h"
#include "compute/total_station.h"
#include "core/section/cross_section.h"
#include "core/profile/profile.h"
#include "core/plan/route.h"

namespace tarvelo {

// An option's value by name (without "--"), nullopt when not given.
using OptionValue = std::function<std::optional<std::string>(const std::string&)>;

// The instrument and its orientation from --instrument X,Y[,H],
// --backsight X,Y or --backsight-azimuth A (d.mmss), --instrument-height h,
// --target-height t. nullopt without --instrument; *error set (and nullopt)
// for a malformed or half-given set.
struct StakeoutSetup {
    InstrumentStation station;
    Backsight backsight;
};
std::optional<StakeoutSetup> ReadStakeoutOptions(const OptionValue& value, std::string* error);

// The stakeout data of the targets, or the refusal as *error.
std::optional<StakeoutData> StakeoutOf(const StakeoutSetup& setup, const std::vector<StakeTarget>& targets,
                                       std::string* error);

// The cross-section table of --sections FILE with its stations moved from
// displayed stations to the route's own (across chain breaks), or *error
// and *status (1 unreadable, 2 refused).
std::optional<CrossSections> LoadCrossSections(const std::string& path, const Route& route, std::string* error,
                                               int* status);

struct SectionsRequest {
    RouteTableParams table;  // interval, range (the route's own stations), skew
    Transition transition = Transition::Linear;
    std::string format = "text";            // text, csv, dat, json
    std::optional<std::string> out;         // a file instead of stdout
    std::optional<std::string> report;      // the GBK 放样数据表 (with stakeout)
    std::optional<StakeoutSetup> stakeout;
};

// route sections: per stake the centre and the two edge stakes, with the
// widths, slopes and (with a profile) elevations. Returns the error, or
// nullopt after writing.
std::optional<std::string> RunRouteSections(const Route& route, const CrossSections& sections,
                                            const std::optional<Profile>& profile, const SectionsRequest& request,
                                            std::ostream& out);

}  // namespace tarvelo
