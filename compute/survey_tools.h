#pragma once
// The arithmetic of the two small tool windows: grid azimuth and distance
// between two points, and degree-minute-second / radian conversion. No
// user-interface code; the windows read their boxes, call these and write
// the results back.
//
// Every degree/radian conversion uses the 15-digit constant kPi
// (core/angles.h), so results agree with the established field practice to
// the last digit shown.

#include <string>

namespace tarvelo {

// ---- Azimuth and distance ------------------------------------------------

struct AzimuthDistance {
    // False when Xb - Xa is too small to divide by (|dx| < 1e-8); azimuth and
    // distance are then 0 and must not be shown.
    bool ok = false;
    double azimuth = 0;   // decimal degrees, clockwise from grid north, [0, 360)
    double distance = 0;  // metres, >= 0
};

// The grid azimuth and the horizontal distance from A = (xa, ya) to
// B = (xb, yb); X is northing, Y easting, all in metres.
//
// dx = xb - xa and dy = yb - ya. When |dx| < 1e-8 the result is the
// divisor-zero failure (ok == false) whatever dy is, so a point due east or
// west of A with exactly equal X is refused. For 1e-8 <= |dx| < 1e-6 the
// azimuth is 90 when dy > 0, otherwise 270. Otherwise it is
// atan(dy / dx) * 180 / kPi brought into its quadrant; because kPi is a
// little below pi, 315 degrees comes out just below 315.
//
// The azimuth is always in [0, 360): a direction a hair west of due north
// (dx > 0, dy < 0 and tiny) would round to 360 and is reported as 0.
//
// Faults: non-finite inputs, a difference that overflows, or a square that
// overflows (coordinates or differences beyond about 1.3e154) throw FloatFault;
// nothing infinite or NaN is ever returned. Coordinates of survey magnitude
// never fault.
AzimuthDistance AzimuthAndDistance(double xa, double ya, double xb, double yb);

struct WholeDms {
    long long degrees = 0;
    long long minutes = 0;
    long long seconds = 0;
};

// Splits decimal degrees into whole degrees, minutes and seconds, each cut
// toward zero (not rounded): 123.2860643388... -> 123, 17, 9 although the
// seconds are 9.83. A negative angle gives non-positive parts. -0 gives 0.
// Precondition: `degrees` finite with |degrees| < 1e15 (throws FloatFault
// otherwise); azimuths from AzimuthAndDistance always qualify.
WholeDms SplitDegreesTruncated(double degrees);

// ---- Degree-minute-second / radian conversion ----------------------------

// (d + m / 60 + s / 3600) * kPi / 180. Each part keeps its own sign (the sign
// of d is not carried to m and s), so -58, 42, 15.1 is -57.2958...° and gives
// -1.000000455 rad. Non-finite inputs or an overflowing result throw
// FloatFault.
double DegMinSecToRadians(double d, double m, double s);

struct DegMinSec {
    double degrees = 0;  // a whole number, floor of the angle in degrees
    double minutes = 0;  // a whole number in [0, 59]
    double seconds = 0;  // tenths of a second cut off, in [0, 59.9]
};

// radians -> x = r * 180 / kPi degrees; degrees = floor(x) (so -57.3 gives
// -58), minutes = floor of the remaining minutes, seconds = the remaining
// seconds cut off to tenths. 1 -> 57, 17, 44.8; -1 -> -58, 42, 15.1;
// kPi -> 180, 0, 0. For angles too large to carry a fraction (|x| beyond
// about 1e15) minutes and seconds are 0. Non-finite r or an overflowing x
// throw FloatFault.
DegMinSec RadiansToDegMinSec(double radians);

// The radian box text: nine decimals, pattern "0.000000000" (at least one
// digit before the point, halves away from zero). 0.18049613347708 ->
// "0.180496133". Precondition: finite (throws FloatFault otherwise).
std::string FormatRadians(double radians);

}  // namespace tarvelo
