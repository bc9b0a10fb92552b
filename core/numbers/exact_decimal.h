#pragma once
// Fast, exact decimal text for the magnitudes of surveying.
//
// v * 10^n is split into its rounded product and the product's exact error
// (one fused multiply-add), so the rounding of the exact binary value of v
// to n decimals is decided in integers without a general conversion. Where
// the split does not apply the functions decline and the caller falls back
// on std::to_chars, which gives the same texts more slowly.

#include <string>

namespace tarvelo {

enum class HalfRule { AwayFromZero, ToEven };

// Appends v rounded to `decimals` places (0..15) in the fixed pattern: at
// least one digit before the point, "-" only when the rounded value is not
// zero. Exact halves go by `rule`. Returns false, appending nothing, when
// |v| * 10^decimals >= 2^52 or v is not finite.
bool AppendExactFixed(std::string& out, double v, int decimals, HalfRule rule);

// Appends v as printf("%.15g") would (15 significant digits, exact halves to
// even, trailing zeros dropped) when the text is plain, 1e-4 <= |v| and the
// rounded value is below 1e15, or v is 0 ("0"). Returns false, appending
// nothing, otherwise (exponent forms, non-finite v).
bool AppendExactGeneral15(std::string& out, double v);

}  // namespace tarvelo
