// K-notation stations of the route's outputs.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "compute/route_text.h"
#include "core/numbers/float_fault.h"

namespace tarvelo {
namespace {

struct KCase {
    double station;
    int decimals;
    const char* text;
};

TEST(FormatKStation, KilometresMetresAndRoundedDecimals)
{
    const KCase cases[] = {
        {0, 3, "K0+000.000"},
        {-0.0, 3, "K0+000.000"},
        {12345.678, 3, "K12+345.678"},
        {5.25, 3, "K0+005.250"},
        {1000, 3, "K1+000.000"},
        {100000, 3, "K100+000.000"},
        {123456789.5, 3, "K123456+789.500"},
        // The carry goes through the metres into the kilometres.
        {999.9996, 3, "K1+000.000"},
        {1999.99951, 3, "K2+000.000"},
        // The exact binary value decides: 1999.9995 is stored just below the half.
        {1999.9995, 3, "K1+999.999"},
        // 0.0625 and 345.5 are exact binary halves: away from zero, not to even.
        {0.0625, 3, "K0+000.063"},
        {345.5, 0, "K0+346"},
        {2.5, 0, "K0+003"},
        {10021.359, 4, "K10+021.3590"},
        // Before the origin of stationing the sign follows the K.
        {-512.3, 3, "K-0+512.300"},
        {-1234.5625, 3, "K-1+234.563"},
        {-0.0004, 3, "K0+000.000"},
        // Out-of-range decimals are clamped into 0..9.
        {1.25, -2, "K0+001"},
        {1.25, 12, "K0+001.250000000"},
    };
    for (const KCase& c : cases)
        EXPECT_EQ(FormatKStation(c.station, c.decimals), c.text) << c.station << " / " << c.decimals;
}

TEST(FormatKStation, DefaultIsThreeDecimalsAndAppendAddsToTheText)
{
    EXPECT_EQ(FormatKStation(345.6784), "K0+345.678");
    std::string s = "ZH-";
    AppendKStation(s, 12345.678);
    EXPECT_EQ(s, "ZH-K12+345.678");
}

TEST(FormatKStation, NonFiniteStationIsAFault)
{
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()})
        EXPECT_THROW(FormatKStation(v), FloatFault) << v;
}

}  // namespace
}  // namespace tarvelo
