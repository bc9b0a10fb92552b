#pragma once
// Module1: angle conversions and trigonometry in degrees, and the K-notation
// station text.
//
// Angles typed by users are in d.mmss notation (152°09'41.68" is 152.094168),
// angles computed with are decimal degrees, angles shown are
// degree-minute-second texts. Every degree/radian conversion uses the
// 15-digit constant kPi, never a full-precision value: results must agree to
// the last bit with the established field practice.

#include <cmath>
#include <optional>
#include <string>

namespace tarvelo {

inline constexpr double kPi = 3.14159265358979;

// d.mmss -> decimal degrees. The minutes and seconds follow the decimal
// digits of the value as typed (its shortest round-trip decimal text), so
// 10.1 -> 10°10'00" = 10.1666..., 14.18 -> 14.3, and 152.094168 keeps its
// 41.68 seconds. Minutes and seconds of 60 or more simply add (10.6 -> 11,
// 10.0575 -> 10.1041666...). Negative values mirror (-14.1810 ->
// -14.3027777...); -0 -> 0. Non-finite v throws FloatFault.
double DmsToDegrees(double v);

// DmsToDegrees for the route's files and options, where a typed 30.7500 is a
// mistake rather than 31°15′: nullopt when the minutes (the first two
// decimals) or the seconds (the digits after them, 60.0 and up) are 60 or
// more. 45.5959 -> 45.9997..., 45.75 and 45.0060 -> nullopt. Negative values
// mirror. Non-finite v throws FloatFault. The single-curve window keeps
// DmsToDegrees.
std::optional<double> StrictDmsToDegrees(double v);

// Decimal degrees -> text d°mˊs" (degree sign U+00B0, modifier acute U+02CA,
// ASCII double quote), seconds rounded to 2 decimals with exact halves to
// even, no carry (59.999 s shows as 60). A "-" leads when v < 0, even when
// every field is zero. 53.2128055...° -> 53°12ˊ46.1", 0.5 -> 0°30ˊ0".
// Non-finite v throws FloatFault.
std::string DegreesToDmsText(double v);
void AppendDmsText(std::string& out, double v);

// Sine, cosine and tangent of x degrees: the function of (kPi / 180) * x. No
// normalisation. TanDeg(90) is about 6.2e14, finite. Non-finite x gives NaN
// (callers check their results).
// Inline so that a sine and a cosine of the same angle share one sincos.
inline double SinDeg(double x) { return std::sin((kPi / 180) * x); }
inline double CosDeg(double x) { return std::cos((kPi / 180) * x); }
inline double TanDeg(double x) { return std::tan((kPi / 180) * x); }

// Station in K notation: k rounded to `decimals` places (4 or 3; halves away
// from zero), then kilometres with at least two digits, "+", metres as three
// digits, ".", the decimals. 10021.359 -> "10+021.3590", 9000 ->
// "09+000.0000", 100000 -> "100+000.0000", -512.3 -> "-00+512.3000",
// 999.99996 -> "01+000.0000". Non-finite k throws FloatFault.
std::string FormatStation(double k, int decimals);

}  // namespace tarvelo
