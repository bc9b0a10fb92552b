// Every text-table reader takes a first row as a header only when it holds
// header words: a broken first data row is refused with its line, never
// skipped as a header.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/files/break_file.h"
#include "core/files/cross_section_file.h"
#include "core/files/design_table.h"
#include "core/files/element_file.h"
#include "core/files/point_file.h"
#include "core/files/profile_file.h"
#include "core/files/route_file.h"

namespace tarvelo {
namespace {

// The first refused line of a text, 0 when the reader took it all, and how
// many data rows were read.
struct ReadOutcome {
    int firstBadLine = 0;
    std::size_t rows = 0;
};

using Reader = std::function<ReadOutcome(const std::string&)>;

ReadOutcome ReadBreaks(const std::string& t)
{
    const BreakFileContent c = ParseBreakFile(t);
    return {c.errors.empty() ? 0 : c.errors.front().line, c.rows.size()};
}
ReadOutcome ReadRoute(const std::string& t)
{
    const RouteFileParse c = ParseRouteFile(t);
    return {c.errors.empty() ? 0 : c.errors.front().line, c.rows.size()};
}
ReadOutcome ReadElements(const std::string& t)
{
    const ElementFileParse c = ParseElementFile(t);
    return {c.errors.empty() ? 0 : c.errors.front().line, c.rows.size()};
}
ReadOutcome ReadProfile(const std::string& t)
{
    const ProfileFileContent c = ParseProfileFile(t);
    return {c.errors.empty() ? 0 : c.errors.front().line, c.points.size()};
}
ReadOutcome ReadSections(const std::string& t)
{
    const CrossSectionFileContent c = ParseCrossSectionFile(t);
    return {c.errors.empty() ? 0 : c.errors.front().line, c.rows.size()};
}
ReadOutcome ReadDesign(const std::string& t)
{
    const DesignTable c = ParseDesignTable(t);
    return {c.unreadable.empty() ? 0 : c.unreadable.front().line, c.rows.size()};
}
ReadOutcome ReadPoints(const std::string& t)
{
    const PointFileContent c = ParsePointFile(t);
    return {c.errors.empty() ? 0 : std::stoi(c.errors.front().substr(std::string("第 ").size())), c.points.size()};
}

struct Case {
    const char* what;
    Reader read;
    std::string text;
    int badLine;        // the line refused; 0 when the whole text reads
    std::size_t rows;   // rows read
};

TEST(HeaderRule, BrokenFirstDataRowIsRefusedNotSkippedAsHeader)
{
    const std::string route = "QD,0,0,1000,,,\nJD1,100,100,,500,,\nZD,0,200,,,,\n";
    const std::string elements = "L1,K0+000,0,0,30,80,,,\nC1,,,,,50,200,200,右\n";
    const std::vector<Case> cases = {
        // The symptom: K11+2OO (letter O) in a header-less break file dropped the break.
        {"break, letter O", ReadBreaks, "K11+2OO,K11+260,短链1\nK13+100,K13+050\n", 1, 0},
        {"break, semicolons", ReadBreaks, "K11+200;K11+260;短链1\n", 1, 0},
        {"break, good", ReadBreaks, "K11+200,K11+260,短链1\nK13+100,K13+050\n", 0, 2},
        {"route, letter O", ReadRoute, "QD,0,O,1000,,,\nJD1,100,100,,500,,\nZD,0,200,,,,\n", 1, 0},
        {"route, semicolons", ReadRoute, "QD;0;0;1000\n" + route, 1, 0},
        {"route, good", ReadRoute, route, 0, 3},
        {"elements, letter O", ReadElements, "L1,K0+0OO,0,0,30,80,,,\nC1,,,,,50,200,200,右\n", 1, 0},
        {"elements, semicolons", ReadElements, "L1;K0+000;0;0;30;80\n" + elements, 1, 0},
        {"elements, good", ReadElements, elements, 0, 2},
        {"profile, letter O", ReadProfile, "K10+OOO,352.4,\n10500,360,\n", 1, 0},
        {"profile, semicolons", ReadProfile, "10000;352.4\n10500,360,\n", 1, 0},
        {"profile, good", ReadProfile, "10000,352.4,\n10500,360,\n", 0, 2},
        {"sections, letter O", ReadSections, "K10+OOO,3.75,3.75,-2,-2\n10500,3.75,3.75,-2,-2\n", 1, 0},
        {"sections, semicolons", ReadSections, "10000;3.75;3.75;-2;-2\n10500,3.75,3.75,-2,-2\n", 1, 0},
        {"sections, good", ReadSections, "10000,3.75,3.75,-2,-2\n10500,3.75,3.75,-2,-2\n", 0, 2},
        {"design, letter O", ReadDesign, "P0,K10+OOO,3378000,455000\nP1,10020,3378010,455010\n", 1, 1},
        {"design, semicolons", ReadDesign, "P0;10000;3378000;455000\nP1,10020,3378010,455010\n", 1, 1},
        {"design, stake named N", ReadDesign, "N,10000,3378000,455000\nP1,10020,3378010,455010\n", 0, 2},
        {"points, letter O", ReadPoints, "P1,1O,20\nP2,11,21\n", 1, 0},
        {"points, semicolons", ReadPoints, "P1;10;20\nP2,11,21\n", 1, 0},
    };
    for (const Case& c : cases) {
        const ReadOutcome got = c.read(c.text);
        EXPECT_EQ(got.firstBadLine, c.badLine) << c.what;
        EXPECT_EQ(got.rows, c.rows) << c.what;  // refused files give no rows; the design table keeps the rest
    }
}

TEST(HeaderRule, HeadersWithTheirWordsAreStillHeaders)
{
    const std::vector<Case> cases = {
        {"break", ReadBreaks, "断前桩号,断后桩号,名称\nK11+200,K11+260,短链1\n", 0, 1},
        {"break, English", ReadBreaks, "back,ahead\n11200,11260\n", 0, 1},
        {"route", ReadRoute, "点名,X(北),Y(东),桩号,R,Ls1,Ls2\nQD,0,0,1000,,,\nJD1,100,100,,500,,\nZD,0,200,,,,\n", 0, 3},
        {"elements, 长度(m)", ReadElements, "名称,桩号,X,Y,方位角,长度(m),起点半径,终点半径,转向\nL1,0,0,0,30,80\n", 0, 1},
        {"elements, 线元长度", ReadElements, "名称,桩号,X,Y,方位角,线元长度,起点半径,终点半径,转向\nL1,0,0,0,30,80\n", 0, 1},
        {"profile", ReadProfile, "变坡点桩号,高程（m）,竖曲线半径\n10000,352.4,\n10500,360,\n", 0, 2},
        {"sections", ReadSections, "桩号,左幅宽度,右幅宽度,左横坡%,右横坡%\n10000,3.75,3.75,-2,-2\n", 0, 1},
        {"design", ReadDesign, "点名,桩号,X(北),Y(东)\nP0,10000,3378000,455000\n", 0, 1},
        {"points", ReadPoints, "点名,X,Y,H\nP1,10,20,5\n", 0, 1},
    };
    for (const Case& c : cases) {
        const ReadOutcome got = c.read(c.text);
        EXPECT_EQ(got.firstBadLine, c.badLine) << c.what;
        EXPECT_EQ(got.rows, c.rows) << c.what;
    }
}

TEST(HeaderRule, ElementFileKnownByItsLengthColumnWithUnitOrLongName)
{
    EXPECT_TRUE(IsElementFileHeader("名称,桩号,X,Y,方位角,长度(m),起点半径,终点半径,转向\n"));
    EXPECT_TRUE(IsElementFileHeader("# a comment\n名称,桩号,X,Y,方位角,线元长度,R1,R2,转向\n"));
    EXPECT_TRUE(IsElementFileHeader("name,station,x,y,azimuth,Length [m]\n"));
    EXPECT_FALSE(IsElementFileHeader("点名,X,Y,桩号,R,Ls1,Ls2\n"));
    EXPECT_FALSE(IsElementFileHeader(""));
}

}  // namespace
}  // namespace tarvelo
