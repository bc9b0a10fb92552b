#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>

#include "compute/main_points.h"
#include "core/numbers/number_text.h"
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
        {"ZH.station", "07+586.7064"}, {"ZH.x", "3378605.4449"}, {"ZH.y", "453648.7035"},
        {"ZH.azimuth", "98°56ˊ55.62\""}, {"HY.station", "07+946.7064"},
        {"HY.x", "3378544.7143"}, {"HY.y", "454003.5181"},
        {"HY.azimuth", "101°14ˊ26.21\""}, {"QZ.station", "09+856.3684"},
        {"QZ.x", "3377792.0379"}, {"QZ.y", "455743.0253"},
        {"QZ.azimuth", "125°33ˊ18.67\""}, {"YH.station", "11+766.0304"},
        {"YH.x", "3376389.8897"}, {"YH.y", "457018.3243"},
        {"YH.azimuth", "149°52ˊ11.13\""}, {"HZ.station", "12+126.0304"},
        {"HZ.x", "3376073.8453"}, {"HZ.y", "457190.654"},
        {"HZ.azimuth", "152°9ˊ41.72\""},  {"T1", "2434.6526"}, {"T2", "2434.6526"},
        {"betao1", "2.2918"},        {"E", "534.3125"},  {"p1", "1.1999"},
        {"p2", "1.1999"},        {"betao2", "2.2918"},    {"L", "4539.324"},
        {"q1", "179.9904"},      {"q2", "179.9904"},  {"Dh", "329.9812"},
        {"Ly", "3819.324"},
    };
    EXPECT_EQ(cells, expected);
}

TEST(ElementsDisplay, UnequalSpiralsShowTwiceT1MinusLAsDh)
{
    CurveState s = Prepared(CurveVariant{"", "4500", "360", "200"});
    const auto cells = CellsOf(s);
    EXPECT_EQ(cells.at("Dh"), FormatRounded4(2 * s.T1 - s.L));
    EXPECT_NE(cells.at("Dh"), FormatRounded4(s.T1 + s.T2 - s.L));
    EXPECT_EQ(cells.at("Ly"), FormatRounded4(s.L - 360 - 200));
}

TEST(ElementsDisplay, NoEntrySpiralRepeatsZhInTheHyRow)
{
    CurveState s = Prepared(CurveVariant{"", "4500", "0", "360"});
    const auto cells = CellsOf(s);
    EXPECT_EQ(cells.at("HY.station"), cells.at("ZH.station"));
    EXPECT_EQ(cells.at("HY.x"), cells.at("ZH.x"));
    EXPECT_EQ(cells.at("HY.y"), cells.at("ZH.y"));
    EXPECT_EQ(cells.at("HY.azimuth"), "98°56ˊ55.62\"");
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
