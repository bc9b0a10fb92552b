#pragma once
// The stake table's inputs as typed: interval, start, end, offset, skew
// (d.mmss) and whether the main points go in, read into the route table's
// parameters. Plain C++.

#include <optional>
#include <string>

#include "compute/route_table.h"

namespace tarvelo {

enum class StakeField { Interval, Start, End, Offset, Skew };

struct StakeInputTexts {
    std::string interval = "20", start, end, offset = "0", skew = "90";
    bool mainPoints = true;
    // What the window filled start and end with (the route's ends): a box
    // still holding that text, or empty, means "the route's end", so the
    // table's first and last rows are QD and ZD exactly as the command line's.
    std::string startDefault, endDefault;
};

struct StakeInputsRead {
    std::optional<RouteTableParams> params;
    StakeField failed = StakeField::Interval;  // when params is empty
    std::string message;                       // when params is empty
};

// Every box must be wholly one finite number (spaces around it allowed);
// start and end may also be empty. The skew is read as d.mmss. Range checks
// (interval > 0, start and end on the route, row count) are the route
// table's own (CheckRouteTable). With a route, start and end are displayed
// stations (metres or K notation, a zone "(1区)" after one that occurs
// twice) and come out as the route's own stations (ReadRouteStation); one
// the route has no station for (a 短链's gap, ambiguous, outside) is refused
// with the route's reason.
StakeInputsRead ReadStakeInputs(const StakeInputTexts& texts, const Route* route = nullptr);

}  // namespace tarvelo
