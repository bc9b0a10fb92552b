#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>

#include "compute/main_points.h"
#include "core/number_text.h"
#include "tests/support/test_curves.h"

namespace tarvelo {
namespace {

using testing::CurveVariant;
using testing::Prepared;

std::map<std::string, std::string> CellsOf(CurveState s)
{
    const ElementsDisplay d = ComputeElementsDisplay(s);
    EXPECT_FALSE(d.fault.has_value());
    return {d.cells.begin(), d.cells.end()};
}

TEST(ElementsDisplay, DefaultCurveShowsItsMainStakesAndElements)
{
    const auto cells = CellsOf(testing::DefaultCurve());
    // Worked out from the default inputs and checked against the field
    // practice's figures for this curve.
    const std::map<std::string, std::string> expected = {
        {"Label45", "07+586.7064"}, {"Label46", "3378605.4449"}, {"Label47", "453648.7035"},
        {"Label48", "98°56ˊ55.62\""}, {"Label49", "07+946.7064"},
        {"Label50", "3378544.7143"}, {"Label51", "454003.5181"},
        {"Label52", "101°14ˊ26.21\""}, {"Label53", "09+856.3684"},
        {"Label54", "3377792.0379"}, {"Label55", "455743.0253"},
        {"Label56", "125°33ˊ18.67\""}, {"Label57", "11+766.0304"},
        {"Label58", "3376389.8897"}, {"Label59", "457018.3243"},
        {"Label60", "149°52ˊ11.13\""}, {"Label61", "12+126.0304"},
        {"Label62", "3376073.8453"}, {"Label63", "457190.654"},
        {"Label64", "152°9ˊ41.72\""},  {"Label65", "2434.6526"}, {"Label66", "2434.6526"},
        {"Label67", "2.2918"},        {"Label68", "534.3125"},  {"Label69", "1.1999"},
        {"Label70", "1.1999"},        {"Label71", "2.2918"},    {"Label72", "4539.324"},
        {"Label73", "179.9904"},      {"Label74", "179.9904"},  {"Label75", "329.9812"},
        {"Label76", "3819.324"},
    };
    EXPECT_EQ(cells, expected);
}

TEST(ElementsDisplay, UnequalSpiralsShowTwiceT1MinusLAsDh)
{
    CurveState s = Prepared(CurveVariant{"", "4500", "360", "200"});
    const auto cells = CellsOf(s);
    EXPECT_EQ(cells.at("Label75"), FormatRounded4(2 * s.T1 - s.L));
    EXPECT_NE(cells.at("Label75"), FormatRounded4(s.T1 + s.T2 - s.L));
    EXPECT_EQ(cells.at("Label76"), FormatRounded4(s.L - 360 - 200));
}

TEST(ElementsDisplay, NoEntrySpiralRepeatsZhInTheHyRow)
{
    CurveState s = Prepared(CurveVariant{"", "4500", "0", "360"});
    const auto cells = CellsOf(s);
    EXPECT_EQ(cells.at("Label49"), cells.at("Label45"));
    EXPECT_EQ(cells.at("Label50"), cells.at("Label46"));
    EXPECT_EQ(cells.at("Label51"), cells.at("Label47"));
    EXPECT_EQ(cells.at("Label52"), "98°56ˊ55.62\"");
}

TEST(ElementsDisplay, SameInputsGiveIdenticalCells)
{
    CurveState s = testing::DefaultCurve();
    const auto first = CellsOf(s);
    EXPECT_EQ(CellsOf(s), first);
}

TEST(ElementsDisplay, AFaultKeepsTheCellsBeforeIt)
{
    CurveState s = testing::DefaultCurve();
    s.F = std::numeric_limits<double>::infinity();  // every azimuth after YS faults
    const ElementsDisplay d = ComputeElementsDisplay(s);
    ASSERT_TRUE(d.fault.has_value());
    EXPECT_EQ(d.fault->find("inf"), std::string::npos);
    EXPECT_LT(d.cells.size(), 32u);
    for (const Cell& c : d.cells) {
        EXPECT_EQ(c.second.find("inf"), std::string::npos) << c.first;
        EXPECT_EQ(c.second.find("nan"), std::string::npos) << c.first;
    }
}

TEST(MainPoints, RowsFollowTheStationsAndTheArcMethods)
{
    CurveState s = testing::DefaultCurve();
    const MainPoints p = ComputeMainPoints(s);
    const char* const names[] = {"ZH", "HY", "QZ", "YH", "HZ"};
    const double stations[] = {s.ZH, s.HYStation, s.QZ, s.YHStation, s.HZ};
    for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(p[i].name, names[i]);
        EXPECT_EQ(p[i].station, stations[i]);
    }
    EXPECT_EQ(p[0].x, s.X_ZH);
    EXPECT_EQ(p[4].y, s.Y_HZ);
    EXPECT_EQ(p[0].azimuth, s.F);
    EXPECT_EQ(p[4].azimuth, s.F2);
}

}  // namespace
}  // namespace tarvelo
