#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"

namespace tarvelo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Angles, DmsFollowsTheTypedDigits)
{
    // Expected values worked out by hand: d + mm/60 + ss.ss/3600.
    const struct {
        double dms;
        double degrees;
    } cases[] = {
        {152.094168, 152 + 9 / 60.0 + 41.68 / 3600.0},
        {-14.1810, -(14 + 18 / 60.0 + 10 / 3600.0)},
        {98.565562, 98 + 56 / 60.0 + 55.62 / 3600.0},
        {53.12461, 53 + 12 / 60.0 + 46.1 / 3600.0},
        {0.3, 0.5},
        {10.1, 10 + 10 / 60.0},
        {14.18, 14.3},
        {10.6, 11},             // 60 minutes simply add
        {10.0575, 10 + 5 / 60.0 + 75 / 3600.0},
        {0, 0},
        {90, 90},
        {180.30, 180.5},
        {359.595999, 359 + 59 / 60.0 + 59.99 / 3600.0},
        {45.3, 45.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dms);
        // Tolerance: the hand formula and the digit split round differently
        // in the last bit or two of a value near 360.
        EXPECT_NEAR(DmsToDegrees(c.dms), c.degrees, 1e-12);
    }
    EXPECT_EQ(DmsToDegrees(-0.0), 0);
    EXPECT_FALSE(std::signbit(DmsToDegrees(-0.0)));
}

TEST(Angles, DmsOfNonFiniteIsAFault)
{
    for (double v : {kInf, -kInf, kNaN}) EXPECT_THROW(DmsToDegrees(v), FloatFault);
}

TEST(Angles, DmsTextShowsRoundedSeconds)
{
    const struct {
        double degrees;
        const char* text;
    } cases[] = {
        {53 + 12 / 60.0 + 46.1 / 3600.0, "53°12ˊ46.1\""},
        {0.5, "0°30ˊ0\""},
        {-0.0000001, "-0°0ˊ0\""},
        {98 + 56 / 60.0 + 55.62 / 3600.0, "98°56ˊ55.62\""},
        {-14.3027777777778, "-14°18ˊ10\""},
        {0, "0°0ˊ0\""},
        {360, "360°0ˊ0\""},
        {400.25, "400°15ˊ0\""},  // azimuths are shown as computed, not reduced
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DegreesToDmsText(c.degrees), c.text);
    }
    for (double v : {kInf, -kInf, kNaN}) EXPECT_THROW(DegreesToDmsText(v), FloatFault);
}

TEST(Angles, DmsTextRoundTripsTypedAngles)
{
    // What a surveyor types comes back as the same degrees, minutes, seconds.
    const struct {
        double dms;
        const char* text;
    } cases[] = {
        {152.094168, "152°9ˊ41.68\""},
        {12.3456, "12°34ˊ56\""},
        {0.0001, "0°0ˊ1\""},
        {271.5959, "271°59ˊ59\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DegreesToDmsText(DmsToDegrees(c.dms)), c.text);
    }
}

TEST(Angles, TrigonometryUsesTheFifteenDigitPi)
{
    EXPECT_EQ(SinDeg(30), 0.49999999999999956);
    EXPECT_EQ(SinDeg(0), 0);
    EXPECT_NEAR(CosDeg(60), 0.5, 1e-15);
    // The 15-digit pi puts 45 degrees a few 1e-16 rad short of pi/4.
    EXPECT_NEAR(TanDeg(45), 1, 1e-14);
    EXPECT_TRUE(std::isfinite(TanDeg(90)));
    EXPECT_GT(TanDeg(90), 1e14);
    EXPECT_TRUE(std::isnan(SinDeg(kInf)));
    EXPECT_TRUE(std::isnan(CosDeg(kNaN)));
}

TEST(Angles, StationTextInKNotation)
{
    const struct {
        double k;
        int decimals;
        const char* text;
    } cases[] = {
        {10021.359, 4, "10+021.3590"},
        {9000, 4, "09+000.0000"},
        {100000, 4, "100+000.0000"},
        {-512.3, 4, "-00+512.3000"},
        {999.99996, 4, "01+000.0000"},
        {999.9996, 3, "01+000.000"},
        {7586.7064008, 3, "07+586.706"},
        {0, 4, "00+000.0000"},
        {-0.0, 4, "00+000.0000"},
        {5.03125, 4, "00+005.0313"},  // exact tie, away from zero
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatStation(c.k, c.decimals), c.text);
    }
    for (double v : {kInf, -kInf, kNaN}) EXPECT_THROW(FormatStation(v, 4), FloatFault);
}

TEST(Angles, StrictDmsRefusesMinutesOrSecondsOfSixtyAndMore)
{
    // Worked by hand: d + mm/60 + ss.ss/3600; nullopt where the minutes or
    // the seconds reach 60 (30.7500 typed for 30°45′ would otherwise turn
    // the route by half a degree).
    const struct {
        double dms;
        std::optional<double> degrees;
    } cases[] = {
        {30.45, 30.75},
        {45.5959, 45 + 59 / 60.0 + 59 / 3600.0},
        {45.595999, 45 + 59 / 60.0 + 59.99 / 3600.0},
        {-14.1810, -(14 + 18 / 60.0 + 10 / 3600.0)},
        {90, 90},
        {30.75, std::nullopt},
        {30.7500, std::nullopt},
        {45.0060, std::nullopt},
        {45.6, std::nullopt},
        {-10.0075, std::nullopt},
        {359.59599, 359 + 59 / 60.0 + 59.9 / 3600.0},
    };
    for (const auto& c : cases) {
        const std::optional<double> got = StrictDmsToDegrees(c.dms);
        ASSERT_EQ(got.has_value(), c.degrees.has_value()) << c.dms;
        if (got) EXPECT_NEAR(*got, *c.degrees, 1e-12) << c.dms;
    }
    EXPECT_THROW(StrictDmsToDegrees(kNaN), FloatFault);
    EXPECT_THROW(StrictDmsToDegrees(kInf), FloatFault);
}

}  // namespace
}  // namespace tarvelo
