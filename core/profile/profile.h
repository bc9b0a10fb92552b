#pragma once
// The vertical profile (纵断面): grade points joined by grade lines, with a
// symmetric parabolic vertical curve at every grade point between the two
// ends, and the design elevation and grade at any station.
//
// Units: stations, elevations, R, T, E, Lv in metres; grades and the grade
// change omega as ratios (0.05 = 5 %), rising with station positive.
//
// With grade points k = 0 .. n-1 at stations S_k and elevations H_k:
//   grade of leg k      i_k = (H_{k+1} - H_k) / (S_{k+1} - S_k)
//   grade change        omega_k = i_k - i_{k-1}   (< 0 crest 凸, > 0 sag 凹)
//   curve length        Lv = R |omega|,  tangent T = Lv / 2,  E = T^2 / (2R)
//   the curve runs from S_k - T to S_k + T.
// Elevation at s: the grade line of the leg holding s, minus (crest) or plus
// (sag) y = x^2 / (2R) inside a vertical curve, x measured from the nearer
// end of that curve (its start for s <= S_k, its end for s >= S_k).
//
// A Profile is an immutable value: built once, checked as a whole, then only
// queried through const methods.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

// How far (metres) a station may lie beyond a profile's end and still take
// the end's elevation.
inline constexpr double kProfileEndTolerance = 0.001;

// One grade point as typed or read from a file. R is the vertical-curve
// radius: required (> 0) on every point between the ends, absent on the first
// and the last point.
struct GradePointInput {
    double station = 0, elevation = 0;
    std::optional<double> R;
    int line = 0;  // line in the source file; 0 when typed
    // The zone written after the station ("K13+060(2区)"): which of a 长链's
    // two stations is meant. Read by ProfileOnRoute; the profile itself
    // ignores it.
    std::optional<int> zone{};
};

// Why a profile cannot be built or a profile file read. line: the line of the
// grade point at fault (0 when the whole profile is meant or the point was
// typed). message: a complete Chinese sentence that names the line (or the
// point's number when it has no line) and the reason.
struct ProfileIssue {
    int line = 0;
    std::string message;
};

// The vertical curve at one grade point between the ends.
struct VerticalCurve {
    double station = 0, elevation = 0;  // the grade point S_k, H_k
    double R = 0;                       // > 0
    double omega = 0;                   // i_k - i_{k-1}
    double T = 0, E = 0, Lv = 0;        // >= 0; all 0 when omega == 0
    double start = 0, end = 0;          // S_k - T, S_k + T
    double gradeIn = 0, gradeOut = 0;   // i_{k-1}, i_k
    // omega < 0. omega == 0 (no change of grade) is neither crest nor sag.
    bool crest() const { return omega < 0; }
    bool sag() const { return omega > 0; }
};

class Profile {
public:
    struct Built;

    // The profile of the given points, or the first reason it cannot be one,
    // checked in this order:
    //  - fewer than two points;
    //  - a station, elevation or R that is not finite;
    //  - a station not greater than the one before;
    //  - R given on the first or last point (the ends carry no curve, so a
    //    value there is taken for a mistyped row rather than ignored);
    //  - a point between the ends without R > 0;
    //  - a grade, omega, Lv, T or E too large to compute;
    //  - a vertical curve that starts before the first point or ends after
    //    the last, or that overlaps the next curve, by more than 1e-6 m
    //    (curves that meet, with no grade line between them, are fine);
    //  - elevations and externals so large that an elevation on the profile
    //    could not be computed.
    // A middle point where the grade does not change (omega == 0) is
    // allowed: its curve has zero length and changes nothing.
    static Built Build(const std::vector<GradePointInput>& points);

    double startStation() const { return stations_.front(); }
    double endStation() const { return stations_.back(); }
    const std::vector<GradePointInput>& points() const { return points_; }
    // One per grade point between the ends: curves()[k - 1] belongs to
    // points()[k].
    const std::vector<VerticalCurve>& curves() const { return curves_; }
    // i_k for k = 0 .. n-2.
    const std::vector<double>& grades() const { return grades_; }

    // The design elevation at station s (metres), as defined above. nullopt
    // when s lies outside [startStation(), endStation()] or is NaN: the
    // profile is never extrapolated. At a grade point without a curve (the
    // ends, omega == 0) it is exactly that point's elevation. Always finite.
    // O(log n), no allocation.
    std::optional<double> ElevationAt(double s) const;

    // ElevationAt, except that a station up to kProfileEndTolerance beyond
    // either end is taken at that end: design documents round stations to
    // the millimetre, so a route ending at 3527.728683 and a profile ending
    // at 3527.729 cover each other. nullopt further out or for NaN.
    std::optional<double> ElevationNear(double s) const;

    // The design grade at s (the derivative of ElevationAt, a ratio): i_k on
    // a grade line, varying linearly from i_{k-1} to i_k through a curve;
    // i_0 at the start, i_{n-2} at the end, and the grade of the leg after a
    // grade point of omega == 0 at that point. nullopt as for ElevationAt.
    // Always finite. O(log n), no allocation.
    std::optional<double> GradeAt(double s) const;

private:
    // Leg k holding s (S_k <= s <= S_{k+1}; the later leg at a grade point).
    // Precondition: s within the profile.
    std::size_t LegAt(double s) const;

    std::vector<GradePointInput> points_;
    std::vector<double> stations_;
    std::vector<double> grades_;
    std::vector<VerticalCurve> curves_;
};

struct Profile::Built {
    std::optional<Profile> profile;
    std::optional<ProfileIssue> error;  // set exactly when profile is not
};

}  // namespace tarvelo
