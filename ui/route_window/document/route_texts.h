#pragma once
// The angle texts of the route window: deflections with their side for the
// curve table, and d.mmss numbers for the main window's boxes.
// Plain C++ (no Qt), so the tables and the tests share one rule.

#include <string>

namespace tarvelo {

// A signed deflection (decimal degrees, right +) as the design tables write
// it: "右 25°18′36.5″" or "左 3°0′0.0″" (degree sign, U+2032, U+2033), the
// seconds rounded to one decimal with the carry into minutes and degrees
// (59.96″ -> 1′0.0″ more). 0 and -0 read "右 0°0′0.0″" (a route refuses a
// deflection that small, so the case is only a guard). Non-finite alpha
// throws FloatFault.
std::string DeflectionText(double alpha);

// Decimal degrees as the d.mmss number a surveyor types (152°09′41.68″ ->
// "152.094168"): degrees, ".", two digits of minutes, two of whole seconds,
// then up to six decimals of seconds without trailing zeros (a whole number
// of degrees has no point). Rounded to a microsecond of arc with the carry
// done in integers, so minutes and seconds never read 60. A "-" leads a
// negative angle that does not round to 0. DmsToDegrees reads the text back
// within 0.5e-6″ (1.4e-10°): far below what any shown result can feel.
// |degrees| <= 1e6 (larger values throw std::out_of_range); non-finite
// throws FloatFault.
std::string DmsNumberText(double degrees);

// v in the shortest plain decimal text that reads back to exactly v
// (3000000 -> "3000000", 0.1 -> "0.1", never "3e+06" as a table cell or a
// box of the main window would show it); -0 -> "0". Non-finite v throws
// FloatFault.
std::string PlainNumberText(double v);

}  // namespace tarvelo
