#pragma once
// The exact clothoid and how far the curve engine's truncated series lies
// from it.

namespace tarvelo {

// Local coordinates (along, across the tangent at the spiral's start) of the
// exact clothoid point at arc length l on a spiral of length ls that reaches
// radius r at its end: x = ∫cos(s²/2A²), y = ∫sin(s²/2A²) over [0, l] with
// A² = r·ls, by their power series summed until the terms no longer change
// the sum. Metres. Preconditions: r > 0, ls > 0, 0 <= l; the series is
// summed for angles l²/(2A²) up to a few radians (any real spiral); beyond
// ~20 rad it returns NaN rather than a wrong value. Non-finite input -> NaN.
struct ClothoidXY {
    double x, y;
};
ClothoidXY ExactClothoid(double l, double r, double ls);

// The distance in millimetres between the series end point the curve engine
// uses (x = l − l⁵/(40R²Ls²), y = l³/(6RLs) − l⁷/(336R³Ls³) at l = Ls) and
// the exact clothoid end point. 0 when ls == 0 (no spiral). R 95.78, Ls 110
// gives about 55 mm. NaN for non-finite input or r <= 0.
double SeriesErrorMm(double r, double ls);

// The exact shift p and tangent increment q of a spiral of length ls that
// runs from a tangent into an arc of radius r, from the exact end point
// (x, y) and the spiral angle β = ls / (2r): p = y − r(1 − cos β),
// q = x − r·sin β. Metres. ls == 0 gives all zeros. NaN for r <= 0,
// ls < 0 or non-finite input.
struct SpiralShift {
    double p, q;  // shift, tangent increment
    double x, y;  // end point along and across the start tangent
};
SpiralShift ExactSpiralShift(double r, double ls);

}  // namespace tarvelo
