#pragma once
// A whole route by the JD method: a start point QD, one or more intersection
// points (JDs) each carrying a curve, and an end point ZD.
//
// Each JD's curve is exactly the single curve of the window (the same YS, the
// same segment methods and series) with the JD's coordinates, its chained
// station, its R, Ls1, Ls2, the deflection between its two legs and the
// azimuth of the incoming leg. A Route is an immutable value: it is built
// once, checked as a whole, and then only queried through const methods.
//
// Units: metres; azimuths in decimal degrees clockwise from grid north
// (X north, Y east); deflections signed, right +.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "centreline.h"
#include "curve_state.h"
#include "main_point.h"

namespace tarvelo {

// One row of a route table, as typed or read from a file. Row 0 is QD (its
// station is the start station and must be given), the last row is ZD, the
// rows between are JDs with R, Ls1, Ls2.
struct RoutePointInput {
    std::string name;
    double x = 0, y = 0;             // northing, easting
    std::optional<double> station;   // required on QD; on JD and ZD a check
    double R = 0, Ls1 = 0, Ls2 = 0;  // JD rows only
    int line = 0;                    // line in the source file; 0 when typed
};

// Why a route cannot be computed, or what looks wrong in it. row: index into
// the input rows (-1 when the whole route is meant); line: that row's line.
struct RouteIssue {
    int row = -1;
    int line = 0;
    std::string message;  // a complete Chinese sentence naming the row or JD
};

struct RouteEnd {
    std::string name;  // "QD"/"ZD" or as named in the table
    double station = 0;
    double x = 0, y = 0;
};

// Leg i runs from point i to point i + 1.
struct RouteLeg {
    std::string from, to;
    double azimuth = 0;  // [0, 360)
    double length = 0;   // D_i
    double tangent = 0;  // straight between the curves at its ends, t_i
};

struct RouteCurve {
    std::string name;
    int row = 0;                        // input row of the JD
    double alpha = 0;                   // signed deflection, (-180, 180]
    CurveState curve;                   // inputs and elements after YS
    MainPoints points;                  // ZH HY QZ YH HZ, azimuths in [0, 360)
    std::array<double, 2> seriesErrorMm{};  // entry, exit spiral; 0 without
    double Dh() const { return curve.T1 + curve.T2 - curve.L; }
};

enum class ElementKind { Line, Spiral, Arc };

// A piece of the centreline between two stations, in route order. Pieces of
// zero length are left out.
struct RouteElement {
    ElementKind kind = ElementKind::Line;
    std::size_t curve = 0;           // index of the curve whose lookup serves it
    double startStation = 0, endStation = 0;
    CentrelinePoint start{}, end{};  // centreline points, azimuths in [0, 360)
    double radius = 0;               // Arc and Spiral: R of the curve; Line: 0
    int turn = 0;                    // +1 right, -1 left; 0 for a Line
    bool entry = false;              // Spiral: true from the tangent into the arc
    double centreX = 0, centreY = 0; // Arc: centre of the circle
};

// A stake of the route: the point and which curve served it.
struct RouteStake {
    CentrelinePoint point;  // azimuth in [0, 360)
    std::size_t curve = 0;
};

class Route {
public:
    // The route of the given rows, or the first reason it cannot be one:
    // fewer than one JD, a zero-length leg, R <= 0, Ls < 0, |alpha| < 1e-6°,
    // spirals longer than the curve allows (Ly < 0), curves that overlap (a
    // straight shorter than -1e-6 m), a missing QD station, a non-finite
    // value. Warnings (a given station more than 1 mm from the chained one)
    // do not stop the build.
    struct Built;
    static Built Build(const std::vector<RoutePointInput>& rows);

    const RouteEnd& start() const { return start_; }
    const RouteEnd& end() const { return end_; }
    double length() const { return end_.station - start_.station; }
    const std::vector<RouteCurve>& curves() const { return curves_; }
    const std::vector<RouteLeg>& legs() const { return legs_; }
    const std::vector<RouteElement>& elements() const { return elements_; }
    const std::vector<RouteIssue>& warnings() const { return warnings_; }
    const std::vector<RoutePointInput>& rows() const { return rows_; }

    // The curve that serves station k: curve 1 for k <= HZ_1, curve j for
    // HZ_{j-1} < k <= HZ_j, the last one beyond its HZ. Any k, NaN -> last.
    std::size_t CurveAt(double k) const;

    // The point at station k, offset m (right +), skew a (decimal degrees,
    // 90 = square) through the serving curve's PointAtStation; the azimuth
    // reduced to [0, 360). nullopt when k lies outside [start, end] (NaN too).
    // Throws FloatFault for a non-finite result.
    std::optional<RouteStake> PointAt(double k, double m, double a) const;

private:
    RouteEnd start_, end_;
    std::vector<RouteCurve> curves_;
    std::vector<RouteLeg> legs_;
    std::vector<RouteElement> elements_;
    std::vector<RouteIssue> warnings_;
    std::vector<RoutePointInput> rows_;
};

struct Route::Built {
    std::optional<Route> route;
    std::optional<RouteIssue> error;  // set exactly when route is not
};

// Azimuth of the direction (dx, dy) in decimal degrees in [0, 360), with the
// 15-digit pi. (0, 0) -> 0. Non-finite input -> NaN.
double AzimuthOf(double dx, double dy);

// a reduced into [0, 360). Non-finite a -> NaN.
double NormaliseAzimuth(double a);

}  // namespace tarvelo
