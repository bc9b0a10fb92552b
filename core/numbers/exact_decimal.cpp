#include "core/numbers/exact_decimal.h"

#include <cmath>
#include <cstdint>

namespace tarvelo {

namespace {

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9, 1e10,
                             1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
constexpr double kLimit = 0x1p52;

// The rounding error of a * b: a * b == p + error exactly, for p = a * b
// rounded (Dekker's product by halves; |a|, |b| < 2^996). The same value a
// fused multiply-add gives, without the library call std::fma becomes where
// the processor's FMA is not assumed: formatting a million rows calls this
// six million times.
double ProductError(double a, double b, double p)
{
    constexpr double kSplit = 134217729.0;  // 2^27 + 1
    const double ca = kSplit * a, cb = kSplit * b;
    const double ah = ca - (ca - a), al = a - ah;
    const double bh = cb - (cb - b), bl = b - bh;
    return ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

// Rounds a * scale (a >= 0, scale a power of ten, exact) to an integer by
// the exact value of the product. Precondition: a * scale < 2^52.
std::uint64_t RoundScaled(double a, double scale, HalfRule rule)
{
    const double p = a * scale;
    const double e = ProductError(a, scale, p);  // a * scale == p + e exactly
    const double whole = std::floor(p);
    // p - whole and the 0.5 are exact below 2^52; only the sign of the sum
    // matters, and a rounded sum keeps the sign of the exact one.
    const double above = (p - whole - 0.5) + e;
    auto n = static_cast<std::uint64_t>(whole);
    if (above > 0 || (above == 0 && (rule == HalfRule::AwayFromZero || (n & 1)))) ++n;
    return n;
}

// "00".."99": two digits a division, as most fast integer printers do.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes n with a point before its last `decimals` digits (at least one
// digit before the point), a minus sign first when negative and n != 0.
void AppendScaled(std::string& out, std::uint64_t n, int decimals, bool negative)
{
    char buf[48];
    char* const end = buf + sizeof buf;
    char* p = end;
    const bool zero = n == 0;
    // The digits, least significant first, two at a time.
    char digits[24];
    int count = 0;
    while (n >= 100) {
        const unsigned pair = static_cast<unsigned>(n % 100) * 2;
        n /= 100;
        digits[count++] = kDigitPairs[pair + 1];
        digits[count++] = kDigitPairs[pair];
    }
    if (n >= 10) {
        const unsigned pair = static_cast<unsigned>(n) * 2;
        digits[count++] = kDigitPairs[pair + 1];
        digits[count++] = kDigitPairs[pair];
    } else {
        digits[count++] = static_cast<char>('0' + n);
    }
    // Leading zeros up to one digit before the point.
    while (count <= decimals) digits[count++] = '0';
    for (int i = 0; i < count; ++i) {
        if (i == decimals && decimals > 0) *--p = '.';
        *--p = digits[i];
    }
    if (negative && !zero) *--p = '-';
    out.append(p, static_cast<std::size_t>(end - p));
}

}  // namespace

bool AppendExactFixed(std::string& out, double v, int decimals, HalfRule rule)
{
    if (decimals < 0 || decimals > 15) return false;
    const double a = std::fabs(v);
    if (!(a * kPow10[decimals] < kLimit)) return false;
    AppendScaled(out, RoundScaled(a, kPow10[decimals], rule), decimals, std::signbit(v));
    return true;
}

bool AppendExactGeneral15(std::string& out, double v)
{
    if (v == 0) {
        out.push_back('0');
        return true;
    }
    const double a = std::fabs(v);
    if (!(a >= 1e-4 && a < 1e15)) return false;
    // Digits before the point: 10^(k-1) <= a < 10^k, k from -3 to 15.
    int k = 15;
    while (k > -3 && a < kPow10[k - 1 + 4] / 1e4) --k;
    const int decimals = 15 - k;  // 0 .. 18
    std::uint64_t n = RoundScaled(a, kPow10[decimals], HalfRule::ToEven);
    int shown = decimals;
    if (n >= 1000000000000000ULL) {
        // Rounding carried into a sixteenth digit: one decimal fewer, and
        // the carry left only zeros to drop.
        if (decimals == 0) return false;  // 1e15: exponent form
        n /= 10;
        --shown;
    }
    // Trailing zeros of the decimals and a bare point are not shown.
    while (shown > 0 && n % 10 == 0) {
        n /= 10;
        --shown;
    }
    AppendScaled(out, n, shown, v < 0);
    return true;
}

}  // namespace tarvelo
