#pragma once
// The cut and fill regions of one earthwork section, for shading the
// drawing: the polygons between the engine's design line (from catch to
// catch) and the ground line. Both lines are piecewise linear, so every
// region is bounded by pieces of the two lines and closes where they cross
// (or where the design jumps across the ground at a vertical piece); the
// polygons' areas add up to the engine's cut and fill areas. Plain C++.
//
// Units: offsets and elevations in metres (offsets left negative); a vertex
// is (offset, elevation).

#include <vector>

#include "core/section/ground_section.h"

namespace tarvelo {

struct CutFillRegions {
    // Closed polygons, the first vertex not repeated at the end: each runs
    // along the design line left to right, then back along the ground.
    std::vector<std::vector<SectionVertex>> cut;   // the ground above the design line
    std::vector<std::vector<SectionVertex>> fill;  // the design line above the ground
};

// The regions between `design` (points in non-decreasing offset order; two
// points at one offset are a vertical piece, a jump of the line) and the
// ground, over the part of the design the ground spans. Stretches where the
// two lines coincide enclose nothing and make no polygon. Fewer than two
// design points: no regions. Finite input expected (the engine's results
// are; it throws FloatFault before it gives anything else): a non-finite
// design point gives polygons with non-finite vertices, never a crash.
CutFillRegions CutFillRegionsOf(const GroundSection& ground, const std::vector<SectionVertex>& design);

// The area of a polygon (shoelace), m², >= 0 whatever its orientation; 0
// for fewer than three vertices; NaN when a vertex is not finite.
double PolygonArea(const std::vector<SectionVertex>& polygon);

}  // namespace tarvelo
