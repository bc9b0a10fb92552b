#pragma once
// The JSON objects of tarvelo-cli --json. Every double is written in its
// shortest round-trip form; each object is followed by LF.

#include <string>
#include <vector>

#include "compute/main_points.h"
#include "compute/stakeout_table.h"
#include "compute/station_offset.h"
#include "core/curve/centreline.h"

namespace tarvelo {

// {"points":[{"name","station","x","y","azimuth"} x5],"elements":{T1,T2,betao1,
// betao2,p1,p2,q1,q2,E,L,Ly,Dh}} with Ly = L - Ls1 - Ls2 and Dh = 2 T1 - L.
// Throws FloatFault when Ly or Dh is not finite.
std::string ElementsJson(const MainPoints& points, const CurveState& s);

// {"x","y","azimuth","segment"}.
std::string PointJson(const CentrelinePoint& p, Segment segment);

// {"rows":[{"station","x","y","azimuth"},...]}.
std::string TableJson(const std::vector<StakeRow>& rows);

// {"outcome":"ok","station","offset"}, {"outcome":"out_of_range"} or
// {"outcome":"no_convergence"}.
std::string InverseJson(const StationOffset& r);

}  // namespace tarvelo
