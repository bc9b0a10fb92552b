// The tool windows' arithmetic. Reference values were worked out by hand from
// the formulas with kPi = 3.14159265358979 and checked with an independent
// double-precision calculation; the shown texts are what a surveyor reads.

#include "compute/survey_tools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {
namespace {

struct AzimuthCase {
    const char* name;
    double xa, ya, xb, yb;
    long long d, m, s;      // whole degrees, minutes, seconds as shown
    const char* distance;   // "0.0000" text as shown
};

TEST(AzimuthAndDistance, GivesTruncatedAzimuthAndFourDecimalDistance)
{
    const AzimuthCase cases[] = {
        // 123°17'9.83" exactly; the seconds are cut, not rounded.
        {"window defaults", 3367011.241, 463520.5531, 3366815.284, 463819.0273, 123, 17, 9,
         "357.0518"},
        {"north-east", 0, 0, 10, 10, 45, 0, 0, "14.1421"},
        {"south-west", 0, 0, -10, -10, 225, 0, 0, "14.1421"},
        // kPi is a little below pi, so 315 and 135 come out a hair low and
        // truncation keeps them below.
        {"north-west", 0, 0, 10, -10, 314, 59, 59, "14.1421"},
        {"south-east", 0, 0, -10, 10, 134, 59, 59, "14.1421"},
        {"due south", 0, 0, -10, 0, 180, 0, 0, "10.0000"},
        {"due north", 0, 0, 10, 0, 0, 0, 0, "10.0000"},
        // 1e-8 <= |dx| < 1e-6: the steep branch.
        {"almost due east", 0, 0, 0.0000005, 10, 90, 0, 0, "10.0000"},
        {"almost due west", 0, 0, 0.0000005, -10, 270, 0, 0, "10.0000"},
        {"steep branch with dy zero counts as west", 0, 0, 0.0000005, 0, 270, 0, 0, "0.0000"},
        {"negative coordinates of A", -100, -200, -50, -150, 45, 0, 0, "70.7107"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AzimuthDistance r = AzimuthAndDistance(c.xa, c.ya, c.xb, c.yb);
        ASSERT_TRUE(r.ok);
        EXPECT_GE(r.azimuth, 0.0);
        EXPECT_LT(r.azimuth, 360.0);
        const WholeDms w = SplitDegreesTruncated(r.azimuth);
        EXPECT_EQ(w.degrees, c.d);
        EXPECT_EQ(w.minutes, c.m);
        EXPECT_EQ(w.seconds, c.s);
        EXPECT_EQ(FormatFixed(r.distance, 4), c.distance);
    }
}

TEST(AzimuthAndDistance, TinyXDifferenceIsDivisorZeroWhateverTheYDifference)
{
    const struct {
        const char* name;
        double xa, ya, xb, yb;
    } cases[] = {
        {"due east with equal X", 0, 0, 0, 10},
        {"due west with equal X", 0, 0, 0, -10},
        {"same point", 5, 5, 5, 5},
        {"dx just below 1e-8", 0, 0, 0.9e-8, 10},
        {"negative dx just below 1e-8", 0, 0, -0.9e-8, 10},
        {"survey magnitudes with equal X", 3366815.284, 463520.5531, 3366815.284, 463819.0273},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(AzimuthAndDistance(c.xa, c.ya, c.xb, c.yb).ok);
    }
    // Just at the limit the steep branch answers.
    EXPECT_TRUE(AzimuthAndDistance(0, 0, 2e-8, 10).ok);
}

TEST(AzimuthAndDistance, DirectionJustWestOfNorthIsShownAsZeroNotAs360)
{
    // atan(-1e-20) * 180 / kPi + 360 rounds to exactly 360 in double.
    const AzimuthDistance r = AzimuthAndDistance(0, 0, 1, -1e-20);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.azimuth, 0.0);
    EXPECT_FALSE(std::signbit(r.azimuth));
    const WholeDms w = SplitDegreesTruncated(r.azimuth);
    EXPECT_EQ(w.degrees, 0);
    // Negative zero dy is north as well, not "-0".
    EXPECT_FALSE(std::signbit(AzimuthAndDistance(0, 0, 1, -0.0).azimuth));
}

TEST(AzimuthAndDistance, OverflowingSquaresAndInfiniteInputsFaultInsteadOfReturningInfinity)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        double xa, ya, xb, yb;
    } cases[] = {
        {"dx squared overflows", 0, 0, 2e154, 1},
        {"dy squared overflows", 0, 0, 1, -2e154},
        {"sum of squares overflows", 0, 0, 1.1e154, 1.1e154},
        {"difference overflows", -1e308, 0, 1e308, 0},
        {"infinite input", 0, 0, inf, 0},
        {"NaN input", 0, nan, 1, 1},
        {"both infinite", inf, 0, inf, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(AzimuthAndDistance(c.xa, c.ya, c.xb, c.yb), FloatFault);
    }
    // Large but representable: 1e154 squared is 1e308.
    const AzimuthDistance r = AzimuthAndDistance(0, 0, 1e154, 0);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.distance, 1e154);
}

TEST(SplitDegreesTruncated, CutsEachPartTowardZero)
{
    const struct {
        double degrees;
        long long d, m, s;
    } cases[] = {
        {0, 0, 0, 0},
        {-0.0, 0, 0, 0},
        {359.999999, 359, 59, 59},       // 59.9964 s cut to 59
        {10.5, 10, 30, 0},
        {123.2860643388312, 123, 17, 9},
        {-10.5, -10, -30, 0},            // truncation toward zero keeps signs
        {1e14, 100000000000000LL, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.degrees);
        const WholeDms w = SplitDegreesTruncated(c.degrees);
        EXPECT_EQ(w.degrees, c.d);
        EXPECT_EQ(w.minutes, c.m);
        EXPECT_EQ(w.seconds, c.s);
    }
    EXPECT_THROW(SplitDegreesTruncated(std::numeric_limits<double>::infinity()), FloatFault);
    EXPECT_THROW(SplitDegreesTruncated(1e300), FloatFault);
}

TEST(DegMinSecToRadians, GivesNineDecimalRadianText)
{
    const struct {
        double d, m, s;
        const char* text;
    } cases[] = {
        {10, 20, 30, "0.180496133"},
        {45, 0, 0, "0.785398163"},
        {-58, 42, 15.1, "-1.000000455"},  // parts keep their own signs
        {0, 0, 0, "0.000000000"},
        {180, 0, 0, "3.141592654"},
        {0, -30, 0, "-0.008726646"},      // negative minutes are allowed
        {0, 0, 0.0001, "0.000000000"},    // below half a nano-radian
        {0, 0, -0.0001, "0.000000000"},   // no "-0.000000000"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatRadians(DegMinSecToRadians(c.d, c.m, c.s)), c.text);
    }
    // 180° is kPi itself, to the last bit.
    EXPECT_EQ(DegMinSecToRadians(180, 0, 0), 3.14159265358979);
}

TEST(DegMinSecToRadians, NonFiniteInputOrOverflowFaults)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(DegMinSecToRadians(inf, 0, 0), FloatFault);
    EXPECT_THROW(DegMinSecToRadians(0, std::nan(""), 0), FloatFault);
    EXPECT_THROW(DegMinSecToRadians(1e308, 0, 0), FloatFault);  // * kPi overflows
    EXPECT_THROW(DegMinSecToRadians(1.79e308, 1.79e308, 0), FloatFault);  // sum overflows
}

TEST(RadiansToDegMinSec, FloorsDegreesAndMinutesAndCutsTenthsOfSeconds)
{
    const struct {
        double radians;
        double d, m, s;
        const char* texts;  // the three box texts, general form
    } cases[] = {
        {1, 57, 17, 44.8, "57 17 44.8"},
        {-1, -58, 42, 15.1, "-58 42 15.1"},    // floor: -57.3 gives -58
        {0, 0, 0, 0, "0 0 0"},
        {3.14159265358979, 180, 0, 0, "180 0 0"},
        // Round trips through the nine-decimal text lose a little and the
        // tenths are cut: 30" comes back as 29.9", 45° as 44°59'59.9".
        {0.180496133, 10, 20, 29.9, "10 20 29.9"},
        {0.785398163, 44, 59, 59.9, "44 59 59.9"},
        {6.28318530717958, 360, 0, 0, "360 0 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.texts);
        const DegMinSec r = RadiansToDegMinSec(c.radians);
        // Whole parts are exact; the seconds are a count of tenths divided by
        // 10, so they equal the decimal literal to the last bit.
        EXPECT_EQ(r.degrees, c.d);
        EXPECT_EQ(r.minutes, c.m);
        EXPECT_EQ(r.seconds, c.s);
        EXPECT_EQ(FormatGeneral(r.degrees) + " " + FormatGeneral(r.minutes) + " " +
                      FormatGeneral(r.seconds),
                  c.texts);
    }
}

TEST(RadiansToDegMinSec, RoundTripStaysWithinATenthOfASecondBelow)
{
    // Converting d, m, s to radians and back without the nine-decimal text
    // may lose at most the cut-off tenth (plus rounding noise of 1e-9 s).
    const struct {
        double d, m, s;
    } cases[] = {{10, 20, 30}, {0, 0, 1}, {359, 59, 59.9}, {-58, 42, 15.1}, {123, 17, 9.8}};
    for (const auto& c : cases) {
        const DegMinSec r = RadiansToDegMinSec(DegMinSecToRadians(c.d, c.m, c.s));
        const double in = (c.d * 60 + c.m) * 60 + c.s;
        const double out = (r.degrees * 60 + r.minutes) * 60 + r.seconds;
        SCOPED_TRACE(in);
        EXPECT_LE(out, in + 1e-9);
        EXPECT_GT(out, in - 0.1 - 1e-9);
        EXPECT_GE(r.minutes, 0);
        EXPECT_LT(r.minutes, 60);
        EXPECT_GE(r.seconds, 0);
        EXPECT_LT(r.seconds, 60);
    }
}

TEST(RadiansToDegMinSec, NonFiniteInputOrOverflowFaults)
{
    EXPECT_THROW(RadiansToDegMinSec(std::numeric_limits<double>::infinity()), FloatFault);
    EXPECT_THROW(RadiansToDegMinSec(std::nan("")), FloatFault);
    EXPECT_THROW(RadiansToDegMinSec(1e307), FloatFault);  // * 180 overflows
    // Huge but finite angles carry no fraction: minutes and seconds are 0.
    const DegMinSec r = RadiansToDegMinSec(1e300);
    EXPECT_EQ(r.minutes, 0);
    EXPECT_EQ(r.seconds, 0);
}

TEST(StrictConversion, WholeTextMustBeANumber)
{
    // The converter's boxes use the strict reader; these are its edge cases
    // as the converter meets them.
    const struct {
        const char* text;
        bool number;
        double value;
    } cases[] = {
        {"10", true, 10},       {"  -58 ", true, -58}, {"+15.1", true, 15.1},
        {".5", true, 0.5},      {"1e2", true, 100},    {"1a", false, 0},
        {"1 2", false, 0},      {"", false, 0},        {"   ", false, 0},
        {"-", false, 0},        {"°", false, 0},       {"10,5", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double v = -999;
        EXPECT_EQ(ParseWholeNumber(c.text, &v), c.number);
        if (c.number) {
            EXPECT_EQ(v, c.value);
        }
    }
}

}  // namespace
}  // namespace tarvelo
