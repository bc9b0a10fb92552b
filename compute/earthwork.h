#pragma once
// Earthwork (土石方): per ground section the catch point on each side, the
// design line between them and the cut and fill areas; between consecutive
// sections the volumes by the average-end-area method (平均断面法).
//
// Units: metres, m², m³; offsets left negative. Stations are the route's own
// (start + distance); lengths between sections are route distances, so a
// chain break between two sections does not change them.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/plan/route.h"
#include "core/profile/profile.h"
#include "core/section/cross_section.h"
#include "core/section/ground_section.h"
#include "core/section/roadbed_template.h"

namespace tarvelo {

// The design at a route station (the roadbed top and both branches).
struct EarthworkDesign {
    const Route* route = nullptr;
    const Profile* profile = nullptr;           // the centre's design elevation (required)
    const RoadbedTemplate* roadbed = nullptr;   // required
    const CrossSections* pavement = nullptr;    // optional: widths and slopes of the pavement
    Transition transition = Transition::Linear;
    double depth = 0;  // metres below the finished surface over the pavement's width (the trough, 路槽), >= 0
};

struct CatchStake {
    SlopeBranch branch = SlopeBranch::Fill;  // fill: 坡脚; cut: 坡口
    double offset = 0;                       // signed
    double x = 0, y = 0, z = 0;
    int level = 1;                           // the template level it lies on
};

struct EarthworkSection {
    SectionStation at;
    std::optional<CatchStake> left, right;
    std::optional<CutFill> areas;           // absent exactly when problem is set
    std::vector<SectionVertex> design;      // from the left catch to the right catch
    std::string problem;                    // a Chinese sentence, or empty
};

struct EarthworkInterval {
    std::size_t from = 0, to = 0;           // section indices
    double length = 0;                      // route distance, metres
    std::optional<double> cut, fill;        // m³; absent when either section has a problem
    double runningCut = 0, runningFill = 0; // totals so far
};

struct EarthworkResult {
    std::vector<EarthworkSection> sections;
    std::vector<EarthworkInterval> intervals;
    double cut = 0, fill = 0;  // m³
    std::size_t leftOut = 0;   // intervals without volumes
    std::size_t problems = 0;  // sections with a problem
};

// One section: the branch on each side chosen by the ground at the hinge's
// offset (below the hinge elevation fill, else cut), its first crossing
// outward (BranchCrossing), the design line between the catches (with the
// trough `depth` lower over the pavement, vertical sides at its edges), the
// areas between the catches. A problem (no design elevation, no template or
// branch on a side, a ground line that does not reach the hinge or ends
// before the catch) leaves the section without areas. Throws FloatFault for
// a non-finite value.
EarthworkSection ComputeEarthworkSection(const EarthworkDesign& design, const GroundSection& ground);

// Every section in route order, the intervals between consecutive ones and
// the totals.
EarthworkResult ComputeEarthwork(const EarthworkDesign& design, const std::vector<GroundSection>& ground);

}  // namespace tarvelo
