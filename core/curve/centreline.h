#pragma once
// The centreline position at a station: the five segment methods and the
// selection rule between them.
//
// Every function here is pure: it reads the elements of a curve after SJ and
// YS and the query, and returns the answer. Nothing is stored in the curve,
// so one CurveState can be queried from anywhere (a route holds hundreds).

#include "core/curve/curve_state.h"

namespace tarvelo {

// One station lookup. k: station in metres; m: offset in metres (left -,
// right +); a: skew in decimal degrees, clockwise from the forward tangent,
// 90 = square to the right.
struct StakeQuery {
    double k;
    double m;
    double a;
};

// The answer of a station lookup. x, y: the wanted point (northing, easting,
// metres); azimuth: tangent azimuth of the centreline at the station in
// decimal degrees, direction of increasing station, never normalised to
// [0, 360) and never including the skew.
struct CentrelinePoint {
    double x;
    double y;
    double azimuth;
};

enum class Segment { ZX1, HY, YQ, YH, ZX2 };
const char* SegmentName(Segment seg);  // "ZX1", "HY", "YQ", "YH", "ZX2"

// The segment methods. Preconditions: YS has run for the curve's inputs
// (R != 0). HY hands the work to YQ when Ls1 == 0, YH when Ls2 == 0. The
// point is the centreline point moved by q.m along azimuth FWJ + q.a. A
// non-finite step throws FloatFault (non-finite q.k included).
CentrelinePoint ZX1(const CurveState& s, const StakeQuery& q);  // first tangent, K <= ZH
CentrelinePoint HY(const CurveState& s, const StakeQuery& q);   // entry spiral, ZH < K <= HY
CentrelinePoint YQ(const CurveState& s, const StakeQuery& q);   // arc, HY < K <= YH
CentrelinePoint YH(const CurveState& s, const StakeQuery& q);   // exit spiral, YH < K <= HZ
CentrelinePoint ZX2(const CurveState& s, const StakeQuery& q);  // second tangent, K > HZ

// The segment that serves station k: K <= ZH -> ZX1, else <= HY station -> HY,
// else <= YH station -> YQ, else <= HZ -> YH, else ZX2. A boundary station
// belongs to the segment that ends there. QZ plays no part. NaN -> ZX2.
Segment SegmentAt(const CurveState& s, double k);

// The point at station k, offset m, skew a (decimal degrees) by the method
// that SegmentAt gives. With m = 0 the answer is the centreline point.
// Throws FloatFault as the methods do.
CentrelinePoint PointAtStation(const CurveState& s, double k, double m, double a);

}  // namespace tarvelo
