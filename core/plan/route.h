#pragma once
// A whole route: either by the JD method (a start point QD, one or more
// intersection points JD each carrying a curve, and an end point ZD) or by
// the element method (线元法: a chain of lines, arcs and clothoids between
// any two radii, egg curves and inflections included).
//
// By default every spiral is the exact clothoid (PlanElement): a JD's shift
// p and tangent increment q come from the exact spiral end point, and T1,
// T2, L, E, Ly and the main points follow from them by the single curve's
// formulas, so the curve meets its arc and its tangents exactly. In series
// mode a JD's curve is exactly the single curve of the main window (the same
// YS, segment methods and truncated series), for anyone who must match it.
// A Route is an immutable value: it is built once, checked as a whole, and
// then only queried through const methods.
//
// Units: metres; azimuths in decimal degrees clockwise from grid north
// (X north, Y east); deflections and curvatures signed, right +.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/curve/centreline.h"
#include "core/plan/chainage.h"
#include "core/curve/curve_state.h"
#include "core/plan/element_input.h"
#include "core/curve/main_point.h"
#include "core/plan/plan_element.h"

namespace tarvelo {

// How far (metres) a station or a surveyed point may lie beyond the route's
// start or end and still be taken as that end: a station typed back from a
// table rounds, and a point staked at QD or ZD misses it by its own
// rounding. The same 1 mm as the profile's ends.
inline constexpr double kRouteEndTolerance = 0.001;

// One row of a route table, as typed or read from a file. Row 0 is QD (its
// station is the start station and must be given), the last row is ZD, the
// rows between are JDs with R, Ls1, Ls2.
struct RoutePointInput {
    std::string name;
    double x = 0, y = 0;             // northing, easting
    std::optional<double> station;   // required on QD; on JD and ZD a check
    double R = 0, Ls1 = 0, Ls2 = 0;  // JD rows only
    int line = 0;                    // line in the source file; 0 when typed
    std::optional<int> zone{};       // written after the station ("(2区)"): checked with it
};

// Why a route cannot be computed, or what looks wrong in it. row: index into
// the input rows (-1 when the whole route is meant); line: that row's line.
struct RouteIssue {
    int row = -1;
    int line = 0;
    std::string message;  // a complete Chinese sentence naming the row or JD
};

// Where an element route's curvature jumps at a spiral's end: element
// `element` starts with another curvature than the one before it ends with,
// and one of the two is a spiral (its radii swapped, a spiral from R 250
// after an arc of R 200). Radii in metres,
// kStraight for a straight end; turn +1 right, -1 left, 0 straight.
struct CurvatureJump {
    std::size_t element = 0;   // the element after the joint (>= 1)
    double station = 0;        // the joint, the route's own station
    double radiusBefore = 0, radiusAfter = 0;
    int turnBefore = 0, turnAfter = 0;
};

// A radius of a curvature jump as the warnings and tables show it: "∞" for
// a straight end (or turn 0), else the side and the radius: "右 R200",
// "左 R250". radius finite when turn is not 0.
std::string CurvatureRadiusText(double radius, int turn);

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
    // How far the main window's series end point of the entry / exit spiral
    // lies from the exact clothoid's; 0 without the spiral.
    std::array<double, 2> seriesErrorMm{};
    double Dh() const { return curve.T1 + curve.T2 - curve.L; }
};

enum class ElementKind { Line, Spiral, Arc };

enum class RouteMethod { Jd, Elements };
// How a JD route's spirals are computed (an element route is always exact).
enum class SpiralMode { Exact, Series };

// A piece of the centreline between two stations, in route order. Pieces of
// zero length are left out.
struct RouteElement {
    ElementKind kind = ElementKind::Line;
    // JD route: the curve whose lookup serves it; element route: its input row.
    std::size_t curve = 0;
    std::string name;                // element route: the row's name
    double startStation = 0, endStation = 0;
    CentrelinePoint start{}, end{};  // centreline points, azimuths in [0, 360)
    double radius = 0;               // Arc: R; Spiral: the smaller end radius; Line: 0
    double startRadius = kStraight, endRadius = kStraight;  // kStraight: a straight end
    int turn = 0;                    // +1 right, -1 left; 0 for a Line
    bool entry = false;              // Spiral: true when the curvature grows along it
    double centreX = 0, centreY = 0; // Arc: centre of the circle
};

// A named point of the route where elements meet: ZH HY QZ YH HZ (ZY YZ
// without spirals) on JD routes; ZH HY YH HZ ZY YZ GQ on element routes.
struct RouteMainPoint {
    std::string name;
    double station = 0;
    double x = 0, y = 0;
    double azimuth = 0;   // [0, 360)
    std::size_t serving = 0;  // curve (JD route) or element (element route) index
};

// A stake of the route: the point and which curve (JD route) or element
// (element route) served it.
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
    // breaks: the route's chain breaks (断链) in route order; the stations
    // given on the rows are then displayed stations, checked as such. A bad
    // break table refuses the route, naming the break's row.
    static Built Build(const std::vector<RoutePointInput>& rows, SpiralMode mode = SpiralMode::Exact,
                       const std::vector<BreakInput>& breaks = {});

    // The element route of the given rows, or the first reason it cannot be
    // one: no rows, a first row without station, X, Y and azimuth, a length
    // <= 0, a radius <= 0 or NaN, a curved element without a turn, a partial
    // start (some of X, Y, azimuth), an element turning through more than
    // 1e6 rad, a non-finite value. Each element starts at its given point
    // and azimuth when the row has them, else where the one before ends.
    // Warnings: a given start more than 1 mm or 1″ from the previous
    // element's end (gap, kink), a given station more than 1 mm off, a
    // curvature jump at a spiral's end (more than 1e-6 1/m, curvatureJumps();
    // a line into an arc, compound and reverse arcs jump by design).
    static Built BuildElements(const std::vector<ElementInput>& rows, const std::vector<BreakInput>& breaks = {});

    RouteMethod method() const { return method_; }
    SpiralMode spiralMode() const { return mode_; }
    // The ends. Their stations, and every station the queries below take and
    // give, are the route's own: start station + distance along the route.
    // Without chain breaks these are the displayed stations too; with breaks
    // Displayed() and StationOf() convert.
    const RouteEnd& start() const { return start_; }
    const RouteEnd& end() const { return end_; }
    double length() const { return end_.station - start_.station; }  // the distance
    const Chainage& chainage() const { return chainage_; }
    bool hasBreaks() const { return !chainage_.empty(); }
    // The displayed station and zone of the route's own station k (clamped
    // to the route; the zone after a break at a break point).
    DisplayedStation Displayed(double k) const;
    // The route's own station of a displayed station, or why there is none
    // (in a 短链's gap, ambiguous in a 长链 without its zone, outside).
    struct StationLookup {
        std::optional<double> station;
        int zone = 0;
        std::string error;
        StationMiss miss = StationMiss::None;  // the kind of error
    };
    // A displayed station up to kRouteEndTolerance before the start or past
    // the end is that end.
    StationLookup StationOf(double displayed, std::optional<int> zone = std::nullopt) const;
    // JD routes only (empty on element routes).
    const std::vector<RouteCurve>& curves() const { return curves_; }
    const std::vector<RouteLeg>& legs() const { return legs_; }
    const std::vector<RoutePointInput>& rows() const { return rows_; }
    // Element routes only (empty on JD routes).
    const std::vector<ElementInput>& elementRows() const { return elementRows_; }

    const std::vector<RouteElement>& elements() const { return elements_; }
    // Every main point in station order (QD and ZD not included).
    const std::vector<RouteMainPoint>& mainPoints() const { return mainPoints_; }
    const std::vector<RouteIssue>& warnings() const { return warnings_; }
    // Element routes: the joints where the curvature jumps, in route order.
    const std::vector<CurvatureJump>& curvatureJumps() const { return curvatureJumps_; }

    // The curve that serves station k on a JD route: curve 1 for k <= HZ_1,
    // curve j for HZ_{j-1} < k <= HZ_j, the last one beyond its HZ. Any k,
    // NaN -> last. On an element route: ElementAt(k).
    std::size_t CurveAt(double k) const;
    // The element holding station k: the first whose end station is >= k (a
    // boundary belongs to the element that ends there). NaN -> last.
    std::size_t ElementAt(double k) const;
    // The name shown for a stake's or foot's serving index: the JD's name on
    // a JD route, the element's on an element route.
    const std::string& ServingName(std::size_t index) const;

    // The point at station k, offset m (right +), skew a (decimal degrees,
    // 90 = square), azimuth reduced to [0, 360). k up to kRouteEndTolerance
    // beyond an end is that end; nullopt when k lies further outside
    // [start, end] (NaN too). In series mode through the serving curve's
    // PointAtStation, except that a station within 1e-6 m of HY or YH is
    // that spiral's point (HY as its table row, K <= HY station: the entry
    // spiral; YH as the exit spiral's element starts there).
    // Throws FloatFault for a non-finite result.
    std::optional<RouteStake> PointAt(double k, double m, double a) const;

    // The centreline point of element i at station k (clamped to the
    // element), the azimuth not normalised. Throws FloatFault.
    CentrelinePoint ElementPointAt(std::size_t i, double k) const;
    // Curvature (1/m, right +) of element i at station k.
    double ElementCurvatureAt(std::size_t i, double k) const;

private:
    void BuildSeriesElements();
    void BuildExactElements();
    void AddExact(std::size_t serving, double from, const PlanPose& pose, double length, double k0, double k1);
    void CollectJdMainPoints();
    void IndexStations();
    std::optional<RouteIssue> AttachBreaks(const std::vector<BreakInput>& breaks);

    RouteMethod method_ = RouteMethod::Jd;
    SpiralMode mode_ = SpiralMode::Exact;
    RouteEnd start_, end_;
    std::vector<RouteCurve> curves_;
    std::vector<RouteLeg> legs_;
    std::vector<RouteElement> elements_;
    // The elements' end stations and the curves' HZ, side by side: the
    // lookups of ElementAt and CurveAt search these rather than the large
    // records, whose stations lie a cache line or more apart.
    std::vector<double> elementEnds_, curveEnds_;
    std::vector<PlanElement> geometry_;  // per element; empty in series mode
    std::vector<RouteMainPoint> mainPoints_;
    Chainage chainage_ = *Chainage::Build(0, 0, {}).chainage;
    std::vector<RouteIssue> warnings_;
    std::vector<CurvatureJump> curvatureJumps_;
    std::vector<RoutePointInput> rows_;
    std::vector<ElementInput> elementRows_;
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
