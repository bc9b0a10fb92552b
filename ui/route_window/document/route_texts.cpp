#include "ui/route_window/document/route_texts.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "core/numbers/float_fault.h"

namespace tarvelo {

namespace {

void AppendPadded(std::string& out, std::int64_t v, int width)
{
    const std::string digits = std::to_string(v);
    if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
    out += digits;
}

}  // namespace

std::string DeflectionText(double alpha)
{
    Checked(alpha, "转角");
    // Whole tenths of a second first: the carry then falls out of integer
    // division, and 59.96″ can never show as 60.0″.
    const auto tenths = static_cast<std::int64_t>(std::llround(std::fabs(alpha) * 36000.0));
    const std::int64_t degrees = tenths / 36000;
    const std::int64_t minutes = tenths % 36000 / 600;
    const std::int64_t secondTenths = tenths % 600;
    std::string out = alpha < 0 ? "左 " : "右 ";
    out += std::to_string(degrees);
    out += "\u00B0";
    out += std::to_string(minutes);
    out += "\u2032";
    out += std::to_string(secondTenths / 10);
    out += '.';
    out += std::to_string(secondTenths % 10);
    out += "\u2033";
    return out;
}

std::string DmsNumberText(double degrees)
{
    Checked(degrees, "角度");
    if (std::fabs(degrees) > 1e6) throw std::out_of_range("angle beyond 1e6 degrees");
    // Microseconds of arc: below 2^53 for |degrees| <= 1e6, so exact integers.
    const auto micro = static_cast<std::int64_t>(std::llround(std::fabs(degrees) * 3.6e9));
    const std::int64_t d = micro / 3600000000LL;
    const std::int64_t m = micro % 3600000000LL / 60000000LL;
    const std::int64_t s = micro % 60000000LL;  // microseconds within the minute
    std::string out;
    if (degrees < 0 && micro != 0) out += '-';
    out += std::to_string(d);
    std::string fraction;
    AppendPadded(fraction, m, 2);
    AppendPadded(fraction, s, 8);  // two digits of seconds, six of their decimals
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) out += '.' + fraction;
    return out;
}

std::string PlainNumberText(double v)
{
    Checked(v, "数值");
    if (v == 0) return "0";
    // Shortest round trip in fixed notation: at most 17 significant digits
    // plus the zeros of the exponent (about 330 characters for 1e308).
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

}  // namespace tarvelo
