#pragma once
// The cross sections along a route (横断面): the pavement's half widths and
// cross slopes at key stations, interpolated between them, and the design
// elevations of the edge stakes (边桩) and of stakes at any offset inside the
// pavement.
//
// Units: positions and widths in metres, slopes in percent, elevations in
// metres.
//  - position: the position along the route in metres, increasing along the
//    table. The table's own numbers are whatever the caller passes: a file
//    holds displayed stations, and the caller maps them to its route's
//    distance (or not) before building; queries use the same numbers.
//  - leftWidth, rightWidth: from the centreline to the pavement edge on that
//    side, widening included, >= 0.
//  - leftSlope, rightSlope: cross slope of that side in percent, positive
//    rising away from the centreline. A normal crown is -2 / -2; a right-hand
//    curve superelevated at 6 % is +6 on the left and -6 on the right.
//  - offsets: left negative, right positive (as StakeQuery::m of
//    core/centreline.h).
//
// Between two rows k and k+1 every value v runs from v_k to v_{k+1} with
// t = (s - S_k) / (S_{k+1} - S_k), the fraction of the way, by
//   Linear: v = v_k + (v_{k+1} - v_k) t
//   Cubic:  v = v_k + (v_{k+1} - v_k) (3t^2 - 2t^3)
// the same law for the widths and the slopes. The cubic law leaves and
// reaches each row with zero rate of change, so a superelevation run-in has
// no kink at its ends; both laws give exactly the rows' own values at their
// stations.
//
// A CrossSections is an immutable value: built once, checked as a whole,
// then only queried through const methods.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

// Cross slopes beyond this (percent, either sign) are refused: no highway
// superelevation comes near it, so such a value is a mistyped row (a ratio
// 0.06 typed as 6 is fine, 600 is not).
inline constexpr double kMaxCrossSlopePercent = 20;

// A query this far (metres) beyond the first or the last row still gets the
// section of that row: the design's stations carry three decimals, and
// chained stations differ from them by rounding.
inline constexpr double kCrossSectionEndTolerance = 0.001;

// One key station as typed or read from a file.
struct CrossSectionRow {
    double station = 0;  // position along the route, metres
    double leftWidth = 0, rightWidth = 0;
    double leftSlope = 0, rightSlope = 0;
    int line = 0;  // line in the source file; 0 when typed
    // The zone written after the station ("K13+060(2区)"): which of a 长链's
    // two stations is meant, for whoever moves the row onto a route with
    // chain breaks. The sections themselves ignore it.
    std::optional<int> zone{};
};

// Why a table cannot be built or a file read. row: 0-based index of the row
// at fault (-1 when the whole table is meant); line: its file line (0 when
// typed or the whole table is meant). message: a complete Chinese sentence
// naming the line (or the row's number when it has no line) and the reason.
struct CrossSectionIssue {
    int row = -1;
    int line = 0;
    std::string message;
};

enum class Transition { Linear, Cubic };

// The cross section at one position.
struct Section {
    double leftWidth = 0, rightWidth = 0;
    double leftSlope = 0, rightSlope = 0;
};

// Writes a position for a message ("K0+100.000" from the route's
// FormatKStation, say). Must not throw for finite values.
using StationLabel = std::string (*)(double);

class CrossSections {
public:
    struct Built;

    // The table of the given rows, or the first reason it cannot be one,
    // checked row by row in order (the first faulty row is named):
    //  - no rows at all;
    //  - a value that is not finite;
    //  - a negative width (-0 is allowed and taken as 0);
    //  - a slope beyond +-kMaxCrossSlopePercent (exactly 20 is allowed);
    //  - a station not greater than the one before, or so far from it that
    //    the distance between them is not finite.
    // A single row is a valid table: a constant section that covers only its
    // own station (within kCrossSectionEndTolerance).
    static Built Build(const std::vector<CrossSectionRow>& rows);

    const std::vector<CrossSectionRow>& rows() const { return rows_; }
    double startStation() const { return rows_.front().station; }
    double endStation() const { return rows_.back().station; }

    // True when s is no more than kCrossSectionEndTolerance before the first
    // row or after the last (bounds included). False for NaN.
    bool Covers(double s) const;

    // The section at s by the given transition law. A position within the
    // tolerance outside the table gets the end row's section. nullopt when
    // !Covers(s). At a row's station exactly that row's values (the later row
    // is never needed: stations increase strictly). The values lie between
    // the two rows' values, so widths are >= 0 and slopes within the limit;
    // always finite. O(log n), no allocation.
    std::optional<Section> SectionAt(double s, Transition t = Transition::Linear) const;

    // nullopt when every position in [from, to] has a section (Covers(from)
    // and Covers(to); from <= to expected, and from == to asks about one
    // position). Otherwise a sentence naming the position (from == to) or the
    // range and the table's own range, each written by label (nullptr: plain
    // metres with 3 decimals, "100.000 m"), ending "没有横断面。". A NaN from
    // or to is reported as outside (written as "?").
    std::optional<std::string> CheckCovers(double from, double to, StationLabel label = nullptr) const;

private:
    std::vector<CrossSectionRow> rows_;
};

struct CrossSections::Built {
    std::optional<CrossSections> sections;
    std::optional<CrossSectionIssue> error;  // set exactly when sections is not
};

// The fault of one row on its own (values not finite, a negative width, a
// slope beyond the limit): the reason without the line prefix, or nullopt.
// Build and the file reader both use it, so a file and typed rows are judged
// alike.
std::optional<std::string> CrossSectionRowFault(const CrossSectionRow& row);

// The design elevation of a point `width` metres from the centreline on a
// side of cross slope `slopePercent`: centreZ + width * slopePercent / 100.
// width >= 0 expected (the distance, not the signed offset). A result that
// is not finite (non-finite input, overflow) throws FloatFault("边桩高程").
double EdgeElevation(double centreZ, double width, double slopePercent);

// The design elevation of a stake at `offset` (left -, right +) square to the
// centreline: EdgeElevation with |offset| and the slope of the side it lies
// on (offset < 0 left, > 0 right; 0 and -0 give centreZ). nullopt when the
// offset lies beyond that side's width by more than kCrossSectionEndTolerance,
// or is NaN. Throws FloatFault as EdgeElevation.
std::optional<double> OffsetElevation(const Section& section, double centreZ, double offset);

// The edge stakes' offsets along a skewed line (the m of StakeQuery at skew
// a, decimal degrees clockwise from the forward tangent, 90 = square): the
// point m along the skew lies m * sin(a) from the centreline, so the edge is
// at m = width / sin(a) (left -leftWidth / sin(a), right +rightWidth / sin(a);
// the signs flip by themselves for a skew pointing left, 180 < a < 360).
// nullopt when the skew runs within 0.01 degree of the centreline's direction
// (|sin a| < 1.745e-4, the line would meet the edge hundreds of widths away)
// or a is not finite, or when an offset would not be finite (a width near
// the largest double). Square skew gives exactly -leftWidth and +rightWidth.
struct EdgeOffsets {
    double left = 0, right = 0;
};
std::optional<EdgeOffsets> EdgeOffsetsAtSkew(const Section& section, double skewDegrees);

}  // namespace tarvelo
