#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "core/numbers/exact_decimal.h"

namespace tarvelo {
namespace {

// std::to_chars with a precision rounds the exact binary value, halves to
// even: the reference for both fast paths.
std::string ReferenceFixed(double v, int decimals, HalfRule rule)
{
    if (rule == HalfRule::AwayFromZero) {
        // An exact half is a value with at most decimals + 1 binary-and-
        // decimal places; move it one ulp outwards so to_chars rounds it away.
        const double scaled = std::fabs(v) * std::pow(10.0, decimals);
        if (scaled - std::floor(scaled) == 0.5 && std::fabs(v) * std::pow(10.0, decimals) < 0x1p52) {
            char probe[400];
            auto r = std::to_chars(probe, probe + sizeof probe, v, std::chars_format::fixed, 40);
            std::string exact(probe, r.ptr);
            const std::size_t point = exact.find('.');
            const std::string tail = exact.substr(point + 1 + decimals);
            if (tail.find_first_not_of('0', 1) == std::string::npos && tail[0] == '5')
                v = std::nextafter(v, v > 0 ? HUGE_VAL : -HUGE_VAL);
        }
    }
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    std::string s(buf, r.ptr);
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

std::string ReferenceGeneral15(double v)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    return std::string(buf, r.ptr);
}

TEST(ExactDecimal, FixedAgreesWithTheExactValueOnRandomValues)
{
    std::mt19937_64 gen(20261207);  // seeded: a failure reruns
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_int_distribution<int> exponent(-12, 12), places(0, 9);
    int answered = 0;
    for (int i = 0; i < 200000; ++i) {
        double v = unit(gen) * std::pow(10.0, exponent(gen));
        const int d = places(gen);
        // Every third value an exact binary half at the rounding place.
        if (i % 3 == 0) v = (std::round(v * 64) + 0.5) / 64;
        for (HalfRule rule : {HalfRule::AwayFromZero, HalfRule::ToEven}) {
            std::string fast;
            if (!AppendExactFixed(fast, v, d, rule)) continue;
            ++answered;
            ASSERT_EQ(fast, ReferenceFixed(v, d, rule)) << v << " to " << d;
        }
    }
    EXPECT_GT(answered, 200000);
}

TEST(ExactDecimal, FixedTable)
{
    const struct {
        double v;
        int decimals;
        HalfRule rule;
        const char* text;  // nullptr: declines
    } cases[] = {
        {3377706.6675, 4, HalfRule::AwayFromZero, "3377706.6675"},
        {455858.525, 4, HalfRule::AwayFromZero, "455858.5250"},
        {0.03125, 4, HalfRule::AwayFromZero, "0.0313"},
        {0.03125, 4, HalfRule::ToEven, "0.0312"},
        {-0.03125, 4, HalfRule::AwayFromZero, "-0.0313"},
        {2.5, 0, HalfRule::ToEven, "2"},
        {2.5, 0, HalfRule::AwayFromZero, "3"},
        {9.99995, 4, HalfRule::AwayFromZero, "10.0000"},  // stored above the half
        {999999.99996, 4, HalfRule::AwayFromZero, "1000000.0000"},
        {-0.00004, 4, HalfRule::AwayFromZero, "0.0000"},
        {-0.0, 2, HalfRule::ToEven, "0.00"},
        {59.995, 2, HalfRule::ToEven, "59.99"},  // stored below the half
        {59.996, 2, HalfRule::ToEven, "60.00"},  // seconds may show 60
        {0, 0, HalfRule::ToEven, "0"},
        {1e12, 4, HalfRule::AwayFromZero, nullptr},  // too coarse for the split
        {NAN, 4, HalfRule::AwayFromZero, nullptr},
        {INFINITY, 2, HalfRule::ToEven, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.v);
        std::string out = "x";
        const bool ok = AppendExactFixed(out, c.v, c.decimals, c.rule);
        if (!c.text) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(out, "x");
        } else {
            ASSERT_TRUE(ok);
            EXPECT_EQ(out, std::string("x") + c.text);
        }
    }
}

TEST(ExactDecimal, GeneralAgreesWithFifteenDigitTextOnRandomValues)
{
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_int_distribution<int> exponent(-5, 16), digits(1, 17);
    int answered = 0;
    for (int i = 0; i < 200000; ++i) {
        double v = unit(gen) * std::pow(10.0, exponent(gen));
        if (i % 2) {  // few digits, like stations accumulated from an interval
            const double scale = std::pow(10.0, digits(gen));
            v = std::round(v * scale) / scale;
        }
        std::string fast;
        if (!AppendExactGeneral15(fast, v)) continue;
        ++answered;
        ASSERT_EQ(fast, ReferenceGeneral15(v == 0 ? 0 : v)) << v;
    }
    EXPECT_GT(answered, 100000);
}

TEST(ExactDecimal, GeneralTable)
{
    const struct {
        double v;
        const char* text;  // nullptr: declines
    } cases[] = {
        {9000, "9000"},
        {9000.5, "9000.5"},
        {0, "0"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {9.9999999999999995, "10"},
        {0.0001, "0.0001"},
        {0.00009, nullptr},  // exponent form 9e-05
        {999999999999999.5, nullptr},  // rounds to 1e+15
        {123456789012345, "123456789012345"},
        {-14.181, "-14.181"},
        {NAN, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.v);
        std::string out;
        const bool ok = AppendExactGeneral15(out, c.v);
        ASSERT_EQ(ok, c.text != nullptr);
        if (c.text) {
            EXPECT_EQ(out, c.text);
        }
    }
}

}  // namespace
}  // namespace tarvelo
