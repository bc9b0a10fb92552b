#include <gtest/gtest.h>

#include "compute/forward_point.h"
#include "core/numbers/float_fault.h"
#include "tests/support/test_curves.h"

namespace tarvelo {
namespace {

TEST(StakeQuery, ThreeTextsBecomeStationOffsetAndSkew)
{
    const struct {
        const char* k;
        const char* m;
        const char* a;
        double ek, em, ea;
    } cases[] = {
        {"10000", "0", "90", 10000, 0, 90},
        {"10000", "", "45", 10000, 0, 90},     // a blank offset: centreline point
        {"10000", "5", " ", 10000, 0, 90},     // a blank skew: likewise
        {"10+021.359", "-10", "90", 10, -10, 90},
        {" 9000 ", " 2.5 ", " 45.3 ", 9000, 2.5, 45.5},
        {"1e4", "-0", "270", 10000, 0, 270},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.k) + "|" + c.m + "|" + c.a);
        const StakeQueryResult r = ReadStakeQuery(c.k, c.m, c.a);
        ASSERT_TRUE(r.query.has_value()) << r.message;
        EXPECT_EQ(r.query->k, c.ek);
        EXPECT_EQ(r.query->m, c.em);
        EXPECT_NEAR(r.query->a, c.ea, 1e-12);
    }
}

TEST(StakeQuery, BadTextsNameTheirField)
{
    const struct {
        const char* k;
        const char* m;
        const char* a;
        StakeField field;
    } cases[] = {
        {"", "0", "90", StakeField::Station},  {"   ", "0", "90", StakeField::Station},
        {"10000", "5m", "90", StakeField::Offset}, {"10000", "0", "x", StakeField::Skew},
        {"10000", "1 2", "90", StakeField::Offset},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.k) + "|" + c.m + "|" + c.a);
        const StakeQueryResult r = ReadStakeQuery(c.k, c.m, c.a);
        EXPECT_FALSE(r.query.has_value());
        EXPECT_EQ(r.failed, c.field);
        EXPECT_FALSE(r.message.empty());
    }
    EXPECT_EQ(ReadStakeQuery("", "0", "90").message, kStationMissingMessage);
    EXPECT_THROW(ReadStakeQuery("1e999", "0", "90"), FloatFault);
    EXPECT_THROW(ReadStakeQuery("1", "1e999", "90"), FloatFault);
}

TEST(ForwardResult, DefaultStakeShowsTheDefaultInversePoint)
{
    CurveState s = testing::DefaultCurve();
    const ForwardTexts t = FormatForwardResult(PointAtStation(s, 10000, 0, 90));
    EXPECT_EQ(t.x, "3377706.6675");
    EXPECT_EQ(t.y, "455858.525");
    EXPECT_EQ(t.azimuth, "127°23ˊ2.26\"");
    // A different skew with no offset moves nothing.
    const ForwardTexts skewed = FormatForwardResult(PointAtStation(s, 10000, 0, 30));
    EXPECT_EQ(skewed.x, t.x);
    EXPECT_EQ(skewed.y, t.y);
}

TEST(ForwardResult, WholeAndNegativeNumbersShowPlainly)
{
    const ForwardTexts t = FormatForwardResult({-12.00001, 455858.50004, 90});
    EXPECT_EQ(t.x, "-12");
    EXPECT_EQ(t.y, "455858.5");
    EXPECT_EQ(t.azimuth, "90°0ˊ0\"");
}

}  // namespace
}  // namespace tarvelo
