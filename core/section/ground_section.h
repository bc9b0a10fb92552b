#pragma once
// The ground across the road at one station (地面线, 横断面地面线) and the
// geometry between it and a design line: where a slope meets the ground
// (坡脚, 坡口) and the cut and fill areas between them.
//
// Units and signs: offsets in metres perpendicular to the centre line, left
// negative, right positive; elevations in metres. A ground section is the
// piecewise-linear line through its points in offset order; it exists only
// between its first and its last point (never extrapolated).
//
// A GroundSection is an immutable value: built once, checked as a whole, then
// only queried through const methods.

#include <optional>
#include <string>
#include <vector>

#include "core/section/roadbed_template.h"

namespace tarvelo {

// Where a section lies along the route.
struct SectionStation {
    double distance = 0;  // metres from the route's start (the route's own station − start)
    double station = 0;   // the displayed station (across chain breaks)
    int zone = 0;         // the zone of the displayed station
};

// A surveyed ground point: its name is kept for the listings (empty when the
// file gave none).
struct GroundPoint {
    double offset = 0;
    double z = 0;
    std::string name;
};

class GroundSection {
public:
    struct Built;
    // The section of the given points, in any order: they are sorted by
    // offset. Refused, with a Chinese sentence: fewer than two points, a
    // non-finite station, offset or elevation, two points at the same offset
    // (exactly; callers that merge near points do so before).
    static Built Build(SectionStation at, std::vector<GroundPoint> points);

    const SectionStation& at() const { return at_; }
    // Sorted by offset, strictly increasing; at least two.
    const std::vector<GroundPoint>& points() const { return points_; }
    double leftEnd() const { return points_.front().offset; }
    double rightEnd() const { return points_.back().offset; }

    // The ground elevation at an offset, linear between the two points around
    // it; a point's own elevation at its offset. nullopt outside
    // [leftEnd(), rightEnd()] and for NaN.
    std::optional<double> ElevationAt(double offset) const;

    // The section's points as (offset, z).
    std::vector<SectionVertex> Line() const;

private:
    GroundSection() = default;
    SectionStation at_;
    std::vector<GroundPoint> points_;
};

struct GroundSection::Built {
    std::optional<GroundSection> section;
    std::string error;  // set exactly when section is not
};

// ---------------------------------------------------------------------------
// The crossing of a design branch with the ground.

// A direction in the section plane: metres of offset (signed as offsets)
// and of elevation per step.
struct SectionDirection {
    double dOffset = 0;
    double dz = 0;
};

enum class CrossingOutcome {
    Found,         // the branch meets the ground at `point`
    GroundEnds,    // the ground line ends (or starts) before the branch meets it
    NoCrossing,    // the branch's last piece runs away from the ground for good
};

struct Crossing {
    CrossingOutcome outcome = CrossingOutcome::NoCrossing;
    SectionVertex point;       // Found: the crossing, on both lines
    int piece = -1;      // Found: the index of the branch piece (0 = from its first point)
    int level = 0;       // BranchCrossing only: the template level it lies on (0 = the ditch)
};

// The first crossing, outward from its first point, of a branch with the
// ground line.
//  - branch: the branch's points in order outward from where it starts (the
//    hinge, or the ditch's outer top): on the right side offsets never
//    decrease, on the left side they never increase (a vertical piece keeps
//    its offset). At least one point.
//  - lastRay: when set, the branch goes on without end beyond its last point
//    in this direction (d offset, d z), outward (d offset of the side's
//    sign, or 0 for a vertical face) and not zero; a branch of one point
//    needs it.
// The crossing is the first place where the branch touches the ground, its
// first point included (a branch that starts on the ground crosses there).
// The search never leaves the ground: when the branch reaches the ground's
// outer end (or starts beyond either end of it) before meeting it, the
// outcome is GroundEnds; a vertical ray above or below a ground that never
// reaches it is NoCrossing, and so is a branch without a ray that ends
// inside the ground's span without meeting it.
// Non-finite input throws FloatFault.
Crossing FirstCrossing(const GroundSection& ground, RoadSide side, const std::vector<SectionVertex>& branch,
                       std::optional<SectionDirection> lastRay = std::nullopt);

// The catch of one side's design section (core/section/roadbed_template.h)
// on the ground: FirstCrossing of the branch, searched from the hinge for
// fill and from the ditch's outer top (the hinge without a ditch) for cut,
// the branch's last level running on without end; `level` says which level
// the catch lies on (a berm counts with the level before it).
// NoCrossing when the section has no such branch.
Crossing BranchCrossing(const GroundSection& ground, const SideSection& section, SlopeBranch branch);

// ---------------------------------------------------------------------------
// Cut and fill areas.

struct CutFill {
    double cut = 0;   // m²: where the ground lies above the design line (dug out)
    double fill = 0;  // m²: where the design line lies above the ground (built up)
};

// The areas between a design line and the ground between two offsets
// from <= to (metres), exactly: both lines are piecewise linear, so the
// region between them splits at every vertex of either and at every crossing
// into trapezoids and triangles.
//  - design: points in order of non-decreasing offset; a vertical piece
//    (two points at one offset: a trough's side, a vertical rock face) is a
//    jump of the line and encloses no area by itself. It must span
//    [from, to] (its first offset <= from, its last >= to).
//  - the ground must span [from, to] as well.
// nullopt when either does not span the range, from > to, or the design's
// offsets decrease. A level cut of base b, depth h and slopes 1:m on flat
// ground gives cut = h·(b + m·h), fill = 0.
// Non-finite input throws FloatFault.
std::optional<CutFill> CutFillAreas(const GroundSection& ground, const std::vector<SectionVertex>& design, double from,
                                    double to);

// The average-end-area volume (平均断面法) between two sections a length
// apart: length·(a1 + a2)/2, m³ (length in metres >= 0, areas in m² >= 0).
// A non-finite result throws FloatFault.
double AverageEndAreaVolume(double length, double area1, double area2);

}  // namespace tarvelo
