#pragma once
// The centreline position at a station: the five segment methods and the
// selection rule between them.

#include "curve_state.h"

namespace tarvelo {

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

// The segment methods. Each reads K, m, a (a in decimal degrees) and the
// elements of s and writes Xp, Yp, FWJ. Preconditions: YS has run for the
// current inputs. HY hands the work to YQ when Ls1 == 0, YH when Ls2 == 0.
// The point is the centreline point moved by m along azimuth FWJ + a. A
// non-finite result throws FloatFault, leaving the answer fields as the
// earlier steps wrote them.
void ZX1(CurveState& s);  // first tangent, K <= ZH (also produced backwards)
void HY(CurveState& s);   // entry spiral, ZH < K <= HY station
void YQ(CurveState& s);   // circular arc, HY station < K <= YH station
void YH(CurveState& s);   // exit spiral, YH station < K <= HZ
void ZX2(CurveState& s);  // second tangent, K > HZ (produced without limit)

// The segment that serves station k: K <= ZH -> ZX1, else <= HY station -> HY,
// else <= YH station -> YQ, else <= HZ -> YH, else ZX2. A boundary station
// belongs to the segment that ends there. QZ plays no part.
Segment SegmentAt(const CurveState& s, double k);

// Stores k, m, a (decimal degrees) in the query fields, runs the method that
// SegmentAt gives and returns the answer (also left in Xp, Yp, FWJ). With m = 0
// the answer is the centreline point. Throws FloatFault as the methods do.
CentrelinePoint PointAtStation(CurveState& s, double k, double m, double a);

}  // namespace tarvelo
