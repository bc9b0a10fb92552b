#include "core/numbers/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

#include "core/numbers/float_fault.h"
#include "core/numbers/exact_decimal.h"

namespace tarvelo {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A clean number token: sign, digits, one point, exponent; no blanks.
// Returns its value; out-of-range magnitudes become +-inf or +-0.
double TokenValue(std::string_view token)
{
    if (token.empty()) return 0;
    const char* first = token.data();
    const char* last = first + token.size();
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec == std::errc::invalid_argument) return 0;  // "." or "" alone
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves v unset: decide between overflow and underflow by
        // the decimal exponent of the first significant digit.
        long digitsBefore = 0;
        bool seenNonZero = false;
        long leadingFractionZeros = 0;
        bool inFraction = false;
        const char* p = first;
        for (; p < last && (IsDigit(*p) || *p == '.'); ++p) {
            if (*p == '.') { inFraction = true; continue; }
            if (!seenNonZero && *p == '0') {
                if (inFraction) ++leadingFractionZeros;
                continue;
            }
            seenNonZero = true;
            if (!inFraction) ++digitsBefore;
        }
        long exponent = 0;
        if (p < last && (*p == 'e' || *p == 'E')) {
            ++p;
            bool expNegative = false;
            if (p < last && (*p == '+' || *p == '-')) expNegative = *p++ == '-';
            for (; p < last && IsDigit(*p); ++p)
                exponent = exponent > 100000000 ? exponent : exponent * 10 + (*p - '0');
            if (expNegative) exponent = -exponent;
        }
        const long magnitude = digitsBefore > 0 ? digitsBefore + exponent
                                                : exponent - leadingFractionZeros;
        v = magnitude > 0 ? HUGE_VAL : 0.0;
    }
    (void)ptr;
    return negative ? -v : v;
}

// Length of the number grammar at the start of s (sign, mantissa, optional
// exponent), 0 when there is none; *hasDigits tells whether the mantissa had a
// digit.
std::size_t ScanNumber(std::string_view s, bool* hasDigits)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) { ++i; ++digits; }
    }
    *hasDigits = digits > 0;
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < s.size() && IsDigit(s[j])) { ++j; ++expDigits; }
        if (expDigits > 0) i = j;
    }
    return i;
}

std::size_t SignificantDigits(std::string_view s)
{
    std::size_t n = 0;
    bool started = false;
    for (char c : s) {
        if (!IsDigit(c)) continue;
        if (c != '0') started = true;
        if (started) ++n;
    }
    // Trailing zeros of the integer part are significant only as placeholders;
    // a plain form with more than 15 digits in all cannot be honest anyway.
    return n;
}

void StripFractionZeros(std::string& s, std::size_t from)
{
    const std::size_t point = s.find('.', from);
    if (point == std::string::npos) return;
    std::size_t end = s.size();
    while (end > point + 1 && s[end - 1] == '0') --end;
    if (end == point + 1) --end;
    s.erase(end);
}

}  // namespace

bool IsBlank(std::string_view text) { return TrimSpaces(text).empty(); }

std::string_view TrimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

double ReadLeadingNumber(std::string_view text)
{
    // Blanks (space, tab, line feed) are skipped anywhere, as digit grouping
    // by spaces is common: collect the remaining characters, then scan.
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') compact.push_back(c);
    bool hasDigits = false;
    const std::size_t n = ScanNumber(compact, &hasDigits);
    if (n == 0) return 0;
    return TokenValue(compact.substr(0, n));
}

bool ParseWholeNumber(std::string_view text, double* value)
{
    const std::string_view t = TrimSpaces(text);
    bool hasDigits = false;
    const std::size_t n = ScanNumber(t, &hasDigits);
    if (n == 0 || n != t.size()) return false;
    if (value) *value = TokenValue(t);
    return true;
}

namespace {
thread_local FixedTextLog* g_fixedLog = nullptr;

void AppendFixedText(std::string& out, double v, int decimals)
{
    if (AppendExactFixed(out, v, decimals, HalfRule::AwayFromZero)) return;
    // An exact half at the last place is possible only when v has at most
    // decimals + 1 binary fraction digits; to_chars rounds such ties to even,
    // so nudge them one ulp away from zero first.
    if (std::ldexp(v, decimals + 1) == std::trunc(std::ldexp(v, decimals + 1)) &&
        std::ldexp(v, decimals) != std::trunc(std::ldexp(v, decimals)))
        v = std::nextafter(v, v > 0 ? HUGE_VAL : -HUGE_VAL);
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    // A negative value that rounds to zero shows no sign.
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string_view::npos)
        s.remove_prefix(1);
    out.append(s);
}
}  // namespace

FixedTextLog::FixedTextLog() : outer_(g_fixedLog) { g_fixedLog = this; }

FixedTextLog::~FixedTextLog() { g_fixedLog = outer_; }

void AppendFixed(std::string& out, double v, int decimals)
{
    Checked(v, "数值");
    AppendFixedText(out, v, decimals);
    if (g_fixedLog) g_fixedLog->entries_.push_back({v, decimals});
}

std::string FormatFixed(double v, int decimals)
{
    std::string s;
    AppendFixed(s, v, decimals);
    return s;
}

void AppendGeneral(std::string& out, double v)
{
    Checked(v, "数值");
    if (v == 0) v = 0;  // -0 shows as 0
    if (AppendExactGeneral15(out, v)) return;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    out.append(buf, static_cast<std::size_t>(res.ptr - buf));
}

std::string FormatGeneral(double v)
{
    std::string s;
    AppendGeneral(s, v);
    return s;
}

std::string FormatRounded4(double v)
{
    Checked(v, "数值");
    char buf[400];
    // to_chars rounds the exact binary value; exact ties go to even.
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
    std::string s(buf, static_cast<std::size_t>(res.ptr - buf));
    StripFractionZeros(s, 0);
    if (s == "-0") s = "0";
    if (SignificantDigits(s) > 15) return FormatGeneral(v);
    return s;
}

std::string RoundTripText(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

}  // namespace tarvelo
