#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"

namespace tarvelo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NumberText, LenientReaderTakesTheLeadingNumber)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"12abc", 12},
        {"3 378 226.731", 3378226.731},
        {"\t 42\n", 42},
        {"10+021.359", 10},
        {"-14.1810", -14.181},
        {"+5", 5},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"1E-2x", 0.01},
        {"1e", 1},
        {"1e+", 1},
        {"--5", 0},
        {"-", 0},
        {".", 0},
        {"1.2.3", 1.2},
        {"1e400", kInf},
        {"-1e400", -kInf},
        {"1e-400", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadLeadingNumber(c.text), c.value);
    }
    EXPECT_TRUE(std::signbit(ReadLeadingNumber("-0")));
}

TEST(NumberText, LenientReaderNeverReturnsNaN)
{
    for (const char* text : {"nan", "NaN", "inf", "-inf", "infinity", "0x1p3", "1e99999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(std::isnan(ReadLeadingNumber(text)));
    }
    EXPECT_EQ(ReadLeadingNumber("0x1p3"), 0);  // hexadecimal is not a number here
    EXPECT_EQ(ReadLeadingNumber("inf"), 0);
}

TEST(NumberText, StrictTestAcceptsOnlyAWholeNumber)
{
    const struct {
        const char* text;
        bool number;
        double value;
    } cases[] = {
        {"0", true, 0},           {"0.0", true, 0},      {"-0", true, 0},
        {"+5", true, 5},          {"  4500  ", true, 4500}, {".5", true, 0.5},
        {"5.", true, 5},          {"1e3", true, 1000},   {"-14.1810", true, -14.181},
        {"", false, 0},           {" ", false, 0},       {"abc", false, 0},
        {"12abc", false, 0},      {"1 2", false, 0},     {".", false, 0},
        {"1e", false, 0},         {"e5", false, 0},      {"\t5", false, 0},
        {"5\n", false, 0},        {"1,5", false, 0},     {"nan", false, 0},
        {"inf", false, 0},        {"0x10", false, 0},    {"--1", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double v = -1;
        ASSERT_EQ(ParseWholeNumber(c.text, &v), c.number);
        if (c.number) {
            EXPECT_EQ(v, c.value);
        }
    }
    double huge = 0;
    ASSERT_TRUE(ParseWholeNumber("1e400", &huge));
    EXPECT_TRUE(std::isinf(huge));
}

TEST(NumberText, BlankMeansOnlySpaces)
{
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank(" 0 "));
    EXPECT_FALSE(IsBlank("\t"));  // a tab is a character the user typed
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
}

TEST(NumberText, ResultLabelsRoundToFourDecimalsHalvesToEven)
{
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {1.19993143, "1.1999"},
        {12.5, "12.5"},
        {12.50004, "12.5"},
        {360.00004, "360"},
        {-0.00004, "0"},
        {-0.0, "0"},
        {0.0, "0"},
        {3377706.66749, "3377706.6675"},
        {455858.52499, "455858.525"},
        {0.00005, "0.0001"},        // 0.00005 is stored slightly above the half
        {0.03125, "0.0312"},        // exact half: to even
        {0.03135, "0.0314"},        // stored above the half
        {-2.5, "-2.5"},
        {-1234.56789, "-1234.5679"},
        {1e15, "1e+15"},  // 16 digits: general text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatRounded4(c.v), c.text);
    }
}

TEST(NumberText, FixedPatternRoundsHalvesAwayFromZero)
{
    const struct {
        double v;
        int decimals;
        const char* text;
    } cases[] = {
        {3377706.6675, 4, "3377706.6675"},
        {455858.525, 4, "455858.5250"},
        {0.03125, 4, "0.0313"},
        {-0.03125, 4, "-0.0313"},
        {-0.00001, 4, "0.0000"},
        {-0.0, 4, "0.0000"},
        {0.5, 0, "1"},
        {2.5, 0, "3"},
        {0.12345, 3, "0.123"},
        {7586.7064008, 3, "7586.706"},
        {1.0005, 3, "1.000"},  // 1.0005 is stored below the half
        {123.456, 9, "123.456000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatFixed(c.v, c.decimals), c.text);
    }
}

TEST(NumberText, GeneralTextHasFifteenSignificantDigits)
{
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {9000, "9000"},
        {9000.5, "9000.5"},
        {-14.181, "-14.181"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {-0.0, "0"},
        {1e15, "1e+15"},
        {123456789012345, "123456789012345"},
        {1e-5, "1e-05"},
        {0.0001, "0.0001"},
        {1e300, "1e+300"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatGeneral(c.v), c.text);
        // What the general text says reads back to the same 15 digits.
        EXPECT_EQ(FormatGeneral(ReadLeadingNumber(FormatGeneral(c.v))), c.text);
    }
}

TEST(NumberText, GeneralTextOfTheLargestDoubleRoundsUpBeyondIt)
{
    // 15 digits round DBL_MAX up: its text reads back as an overflow, which
    // the callers' checks report.
    EXPECT_EQ(FormatGeneral(1.7976931348623157e308), "1.79769313486232e+308");
    EXPECT_TRUE(std::isinf(ReadLeadingNumber("1.79769313486232e+308")));
}

TEST(NumberText, WritingANonFiniteValueIsAFault)
{
    for (double v : {kInf, -kInf, kNaN}) {
        EXPECT_THROW(FormatRounded4(v), FloatFault);
        EXPECT_THROW(FormatFixed(v, 4), FloatFault);
        EXPECT_THROW(FormatGeneral(v), FloatFault);
    }
}

}  // namespace
}  // namespace tarvelo

namespace tarvelo {
namespace {

// A station with its zone as Tarvelo prints it, and what is not one.
TEST(ZonedStationField, ReadsTheStationAndTheZoneOrRefuses)
{
    const struct {
        const char* text;
        ZonedStationRead read;
        double station;
        std::optional<int> zone;
    } cases[] = {
        {"13060", ZonedStationRead::Ok, 13060, std::nullopt},
        {"K13+060.000(2区)", ZonedStationRead::Ok, 13060, 2},
        {" 13060（0区） ", ZonedStationRead::Ok, 13060, 0},
        {"k13+060 (12区)", ZonedStationRead::Ok, 13060, 12},
        {"K13+060.000(2区）", ZonedStationRead::Ok, 13060, 2},  // mixed brackets: what a Chinese keyboard makes
        {"K13+060(区)", ZonedStationRead::BadZone, 0, std::nullopt},
        {"K13+060(-1区)", ZonedStationRead::BadZone, 0, std::nullopt},
        {"K13+060(1.5区)", ZonedStationRead::BadZone, 0, std::nullopt},
        {"K13+060(1234567区)", ZonedStationRead::BadZone, 0, std::nullopt},
        {"K13+060 2区)", ZonedStationRead::BadZone, 0, std::nullopt},
        {"(2区)", ZonedStationRead::NotStation, 0, std::nullopt},
        {"K13+1060(2区)", ZonedStationRead::NotStation, 0, std::nullopt},
        {"K13+060(2)", ZonedStationRead::NotStation, 0, std::nullopt},
        {"", ZonedStationRead::NotStation, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double v = -1;
        std::optional<int> zone = 99;
        EXPECT_EQ(ReadZonedStationField(c.text, &v, &zone), c.read);
        if (c.read == ZonedStationRead::Ok) {
            EXPECT_EQ(v, c.station);
            EXPECT_EQ(zone, c.zone);
        } else {
            EXPECT_EQ(v, -1);  // untouched
            EXPECT_EQ(zone, 99);
        }
    }
}

}  // namespace
}  // namespace tarvelo
