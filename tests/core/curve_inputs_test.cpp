#include <gtest/gtest.h>

#include <string>

#include "core/curve/curve_inputs.h"
#include "core/numbers/float_fault.h"

namespace tarvelo {
namespace {

TEST(CurveInputs, DefaultsReadIntoTheState)
{
    CurveState s;
    SJ(s, DefaultCurveTexts());
    EXPECT_EQ(s.X, 3378226.731);
    EXPECT_EQ(s.Y, 456053.721);
    EXPECT_EQ(s.JD, 10021.359);
    EXPECT_EQ(s.R, 4500);
    EXPECT_EQ(s.Ls1, 360);
    EXPECT_EQ(s.Ls2, 360);
    EXPECT_NEAR(s.alpha, 53 + 12 / 60.0 + 46.1 / 3600, 1e-12);
    EXPECT_NEAR(s.F, 98 + 56 / 60.0 + 55.62 / 3600, 1e-12);
    EXPECT_EQ(ValidateCurveInputs(DefaultCurveTexts()), std::nullopt);
}

TEST(CurveInputs, FirstFailingBoxGivesItsMessage)
{
    const struct {
        int box;  // 0-based
        const char* text;
        int failing;  // -1: passes
    } cases[] = {
        {0, "", 0},       {0, "   ", 0},   {1, "", 1},     {2, " ", 2},
        {3, "", 3},       {3, " 0 ", 3},   {3, "0.000", 3}, {3, "-0", 3},
        {3, "abc", 3},    {3, "12abc", 3}, {3, "-4500", -1}, {3, " 4500 ", -1},
        {4, "", 4},       {4, "0", -1},    {4, "abc", -1}, {5, "  ", 5},
        {6, "", 6},       {6, "0", 6},     {6, "x", 6},    {6, "-14.1810", -1},
        {7, "", 7},       {7, "abc", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.box) + " '" + c.text + "'");
        CurveTexts t = DefaultCurveTexts();
        t[c.box] = c.text;
        const auto failure = ValidateCurveInputs(t);
        if (c.failing < 0) {
            EXPECT_FALSE(failure.has_value());
        } else {
            ASSERT_TRUE(failure.has_value());
            EXPECT_EQ(failure->index, c.failing);
            EXPECT_EQ(failure->message, kCurveInputs[c.failing].message);
        }
    }
}

TEST(CurveInputs, MessagesAreTheSystemsOwn)
{
    const char* const messages[] = {
        "请输入“本交点坐标X”！",     "请输入“本交点坐标Y”！",
        "请输入“交点桩号JD”！",      "请输入”曲线半径R”！",
        "请输入“第一缓和曲线长Ls1”！", "请输入“第二缓和曲线长Ls2”！",
        "请输入“曲线转角α”左负-，右正+！", "请输入“计算方位角F”d.ms格式！",
    };
    for (int i = 0; i < kCurveInputCount; ++i) EXPECT_STREQ(kCurveInputs[i].message, messages[i]);
}

TEST(CurveInputs, TwoBlankBoxesReportOnlyTheFirst)
{
    CurveTexts t = DefaultCurveTexts();
    t[5] = "";
    t[1] = " ";
    ASSERT_TRUE(ValidateCurveInputs(t).has_value());
    EXPECT_EQ(ValidateCurveInputs(t)->index, 1);
}

TEST(CurveInputs, LenientBoxesReadTheirLeadingNumber)
{
    CurveTexts t = DefaultCurveTexts();
    t[4] = "abc";
    t[6] = "-14.1810";
    t[2] = "10+021.359";
    CurveState s;
    SJ(s, t);
    EXPECT_EQ(s.Ls1, 0);
    EXPECT_EQ(s.JD, 10);
    EXPECT_NEAR(s.alpha, -(14 + 18 / 60.0 + 10 / 3600.0), 1e-12);
}

TEST(CurveInputs, OverflowingInputIsAFaultAndChangesNothing)
{
    CurveState s;
    SJ(s, DefaultCurveTexts());
    const CurveState before = s;
    CurveTexts t = DefaultCurveTexts();
    t[0] = "1";
    t[3] = "1e999";
    EXPECT_THROW(SJ(s, t), FloatFault);
    EXPECT_EQ(s.X, before.X);
    EXPECT_EQ(s.R, before.R);
}

}  // namespace
}  // namespace tarvelo
