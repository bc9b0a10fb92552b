#include "core/numbers/angles.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "core/numbers/float_fault.h"
#include "core/numbers/exact_decimal.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

struct DmsParts {
    double degrees = 0, minutes = 0, seconds = 0;  // of |v|
};

DmsParts SplitDms(double v)
{
    Checked(v, "角度");
    const double a = std::fabs(v);
    // Split the shortest decimal text that reads back as a: its digits are
    // what the user typed, so 10.1 (stored just below 10.1) still gives 10
    // minutes and 0 seconds, and 41.68 seconds stay 41.68.
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t point = text.find('.');
    DmsParts p;
    p.degrees = std::floor(a);
    if (point != std::string_view::npos) {
        std::string fraction(text.substr(point + 1));  // digits after the point
        while (fraction.size() < 2) fraction.push_back('0');
        p.minutes = (fraction[0] - '0') * 10 + (fraction[1] - '0');
        // Seconds: digits 3 and 4 are whole seconds, the rest their fraction.
        std::string secondsText = fraction.substr(2);
        while (secondsText.size() < 2) secondsText.push_back('0');
        secondsText.insert(2, ".");
        std::from_chars(secondsText.data(), secondsText.data() + secondsText.size(), p.seconds);
    }
    return p;
}

double Joined(double v, const DmsParts& p)
{
    const double r = p.degrees + (p.minutes + p.seconds / 60) / 60;
    return v < 0 ? -r : r;
}

}  // namespace

double DmsToDegrees(double v) { return Joined(v, SplitDms(v)); }

std::optional<double> StrictDmsToDegrees(double v)
{
    const DmsParts p = SplitDms(v);
    if (p.minutes >= 60 || p.seconds >= 60) return std::nullopt;
    return Joined(v, p);
}

void AppendDmsText(std::string& out, double v)
{
    Checked(v, "方位角");
    const double a = std::fabs(v);
    const double d = std::floor(a);
    const double m = std::floor((a - d) * 60);
    const double s = ((a - d) * 60 - m) * 60;
    if (v < 0) out.push_back('-');
    char buf[400];
    // Degrees and minutes are whole numbers: "0 decimals" writes them.
    if (!AppendExactFixed(out, d, 0, HalfRule::ToEven)) {
        auto r1 = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed, 0);
        out.append(buf, static_cast<std::size_t>(r1.ptr - buf));
    }
    out.append("\u00B0");
    AppendExactFixed(out, m, 0, HalfRule::ToEven);  // m < 60
    out.append("\u02CA");
    // Seconds to 2 decimals, exact halves to even (to_chars on the stored
    // value), then without trailing zeros.
    const std::size_t at = out.size();
    if (!AppendExactFixed(out, s, 2, HalfRule::ToEven)) {
        auto r3 = std::to_chars(buf, buf + sizeof buf, s, std::chars_format::fixed, 2);
        out.append(buf, static_cast<std::size_t>(r3.ptr - buf));
    }
    while (out.back() == '0' && out.size() > at + 1) out.pop_back();
    if (out.back() == '.') out.pop_back();
    out.push_back('"');
}

std::string DegreesToDmsText(double v)
{
    std::string s;
    AppendDmsText(s, v);
    return s;
}


std::string FormatStation(double k, int decimals)
{
    Checked(k, "桩号");
    // Rounding first, on the decimal text, so 999.99996 becomes 1000.0000
    // before kilometres and metres are split, at any magnitude.
    std::string fixed = FormatFixed(std::fabs(k), decimals);
    const std::size_t point = fixed.find('.');
    std::string whole = fixed.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : fixed.substr(point);
    while (whole.size() < 5) whole.insert(whole.begin(), '0');
    std::string out;
    // The sign follows the rounded value: -0.00001 is the station 0.
    if (k < 0 && fixed.find_first_not_of("0.") != std::string::npos) out.push_back('-');
    out.append(whole, 0, whole.size() - 3);
    out.push_back('+');
    out.append(whole, whole.size() - 3, 3);
    out.append(fraction);
    return out;
}

}  // namespace tarvelo
