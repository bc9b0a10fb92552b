// Ground sections on a route and the earthwork between them: RTK points
// sorted into sections, catches, areas and average-end-area volumes worked
// by hand on the straight first leg of a route (station s, offset m is the
// point x = s, y = m).

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../support/test_routes.h"
#include "compute/earthwork.h"
#include "compute/ground_points.h"
#include "compute/route_inverse.h"

namespace tarvelo {
namespace {

using testing::Built;
using testing::StaircaseRows;

constexpr double kArea = 1e-9;   // m²
constexpr double kVolume = 1e-6; // m³

Route WithBreak()
{
    // A 短链 of 50 m at distance 100: K0+100 = K0+150.
    Route::Built b = Route::Build(StaircaseRows(), SpiralMode::Exact, {{"短链", 100, 150, 1}});
    if (!b.route) throw std::runtime_error(b.error->message);
    return *b.route;
}

GroundSection Flat(const Route& r, double distance, double z, double from = -30, double to = 30)
{
    GroundSection::Built b =
        GroundSection::Build(SectionStationAt(r, r.start().station + distance), {{from, z, ""}, {to, z, ""}});
    return *b.section;
}

// Level shoulders 5 m wide from the centre (no pavement): hinge (±5, 100);
// fill 1:1.5 and cut 1:1 without end.
RoadbedTemplate Simple()
{
    std::vector<TemplateRow> rows;
    TemplateRow shoulder;
    shoulder.part = TemplatePart::Shoulder;
    shoulder.p = {5.0, 0.0, std::nullopt, std::nullopt};
    TemplateRow cut;
    cut.part = TemplatePart::Cut;
    cut.p = {1.0, std::nullopt, std::nullopt, std::nullopt};
    TemplateRow fill;
    fill.part = TemplatePart::Fill;
    fill.p = {1.5, std::nullopt, std::nullopt, std::nullopt};
    RoadbedTemplate::Built b = RoadbedTemplate::Build({shoulder, cut, fill});
    if (!b.roadbed) throw std::runtime_error(b.error->message);
    return *b.roadbed;
}

Profile FlatProfile()
{
    return *Profile::Build({{-100, 100, std::nullopt}, {5000, 100, std::nullopt}}).profile;
}

struct Road {
    Route route = Built(StaircaseRows());
    Profile profile = FlatProfile();
    RoadbedTemplate roadbed = Simple();
    CrossSections pavement = *CrossSections::Build({{-100, 3.75, 3.75, 0, 0}, {5000, 3.75, 3.75, 0, 0}}).sections;
    EarthworkDesign Design(double depth = 0, bool withPavement = false)
    {
        EarthworkDesign d;
        d.route = &route;
        d.profile = &profile;
        d.roadbed = &roadbed;
        d.pavement = withPavement ? &pavement : nullptr;
        d.depth = depth;
        return d;
    }
};

TEST(Earthwork, LevelSectionsByHand)
{
    Road s;
    // Fill 2 m high, top 10 m, slopes 1:1.5: 2·(10 + 1.5·2) = 26, catches at
    // ±8 (坡脚); cut 3 m deep, slopes 1:1: 3·(10 + 3) = 39, catches ±8 (坡口).
    // With the 3.75 m pavement the shoulders start at its edges: top 17.5,
    // 2·(17.5 + 3) = 41 and 3·(17.5 + 3) = 61.5, catches ±11.75; the trough
    // 0.5 m deep over the 7.5 m pavement takes 3.75 from the fill and adds it
    // to the cut. Without a pavement the depth has nothing to lower.
    struct Case {
        double groundZ, depth;
        bool pavement;
        double cut, fill, catchOffset;
        SlopeBranch branch;
    };
    for (const Case& c : std::vector<Case>{{98, 0, false, 0, 26, 8, SlopeBranch::Fill},
                                           {103, 0, false, 39, 0, 8, SlopeBranch::Cut},
                                           {98, 0, true, 0, 41, 11.75, SlopeBranch::Fill},
                                           {98, 0.5, true, 0, 37.25, 11.75, SlopeBranch::Fill},
                                           {103, 0.5, true, 65.25, 0, 11.75, SlopeBranch::Cut},
                                           {98, 0.5, false, 0, 26, 8, SlopeBranch::Fill}}) {
        const EarthworkSection e = ComputeEarthworkSection(s.Design(c.depth, c.pavement), Flat(s.route, 40, c.groundZ));
        ASSERT_TRUE(e.areas) << e.problem;
        EXPECT_NEAR(e.areas->cut, c.cut, kArea) << c.groundZ << " " << c.depth;
        EXPECT_NEAR(e.areas->fill, c.fill, kArea) << c.groundZ << " " << c.depth;
        ASSERT_TRUE(e.left && e.right);
        const double catchOffset = c.catchOffset;
        EXPECT_NEAR(e.left->offset, -catchOffset, 1e-9);
        EXPECT_NEAR(e.right->offset, catchOffset, 1e-9);
        EXPECT_EQ(e.left->branch, c.branch);
        EXPECT_NEAR(e.right->z, c.groundZ, 1e-9);
        // On the straight north leg the catch stake is (station, offset).
        EXPECT_NEAR(e.right->x, 40, 1e-6);
        EXPECT_NEAR(e.right->y, catchOffset, 1e-6);
    }
}

TEST(Earthwork, AverageEndAreaVolumesAndProblems)
{
    Road s;
    // A: fill 26; B: cut 39; C: ground ends 7 m right, short of the catch at 8;
    // D: cut 39. 20 m apart.
    const std::vector<GroundSection> g = {Flat(s.route, 20, 98), Flat(s.route, 40, 103),
                                          Flat(s.route, 60, 98, -30, 7), Flat(s.route, 80, 103),
                                          Flat(s.route, 100, 103)};
    const EarthworkResult r = ComputeEarthwork(s.Design(), g);
    ASSERT_EQ(r.intervals.size(), 4u);
    EXPECT_NEAR(*r.intervals[0].cut, 20 * 39 / 2.0, kVolume);
    EXPECT_NEAR(*r.intervals[0].fill, 20 * 26 / 2.0, kVolume);
    EXPECT_EQ(r.sections[2].problem, "右侧地面线在坡脚之前结束");
    EXPECT_FALSE(r.sections[2].areas);
    EXPECT_TRUE(r.sections[2].left);  // the left side's catch is still given
    EXPECT_FALSE(r.intervals[1].cut || r.intervals[2].fill);
    EXPECT_NEAR(*r.intervals[3].cut, 20 * 39, kVolume);
    EXPECT_EQ(r.leftOut, 2u);
    EXPECT_EQ(r.problems, 1u);
    EXPECT_NEAR(r.cut, 390 + 780, kVolume);
    EXPECT_NEAR(r.fill, 260, kVolume);
    EXPECT_NEAR(r.intervals[3].runningCut, r.cut, kVolume);
}

TEST(Earthwork, LengthAcrossAChainBreakIsTheRouteDistance)
{
    Road s;
    const Route route = WithBreak();
    s.route = route;
    // K0+080 and K0+160 lie 30 m apart on the ground, not 80.
    const GroundStationReader read = RouteGroundStations(s.route);
    std::string error;
    const std::optional<SectionStation> a = read("K0+080", &error), b = read("K0+160", &error);
    ASSERT_TRUE(a && b) << error;
    EXPECT_NEAR(b->distance - a->distance, 30, 1e-9);
    const GroundSection ga = *GroundSection::Build(*a, {{-30, 103, ""}, {30, 103, ""}}).section;
    const GroundSection gb = *GroundSection::Build(*b, {{-30, 103, ""}, {30, 103, ""}}).section;
    const EarthworkResult r = ComputeEarthwork(s.Design(), {ga, gb});
    ASSERT_EQ(r.intervals.size(), 1u);
    EXPECT_NEAR(r.intervals[0].length, 30, 1e-9);
    EXPECT_NEAR(*r.intervals[0].cut, 30 * 39, kVolume);
    // A station in the 短链's gap is refused by the reader.
    EXPECT_FALSE(read("K0+120", &error));
    EXPECT_NE(error.find("短链"), std::string::npos) << error;
}

TEST(GroundPoints, SectionStationsOfAnIntervalAcrossABreak)
{
    const Route route = WithBreak();
    std::vector<SectionStation> st;
    ASSERT_FALSE(SectionStationsByInterval(route, 20, &st));
    ASSERT_GE(st.size(), 8u);
    const std::vector<std::pair<double, double>> expected = {{0, 0},     {20, 20},   {40, 40},   {60, 60},
                                                             {80, 80},   {100, 150}, {110, 160}, {130, 180}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(st[i].distance, expected[i].first, 1e-9) << i;
        EXPECT_NEAR(st[i].station, expected[i].second, 1e-9) << i;
    }
    EXPECT_EQ(st[6].zone, 1);
    EXPECT_TRUE(SectionStationsByInterval(route, 0, &st).has_value());
}

TEST(GroundPoints, PointsSortedIntoSections)
{
    const Route route = Built(StaircaseRows());
    const RouteInverse inverse(route);
    std::vector<SectionStation> st;
    ASSERT_FALSE(SectionStationsByInterval(route, 20, &st));
    const std::vector<SurveyPoint> pts = {
        {1, "P1", 40.1, -3, 101.0},   // K0+040, left 3
        {2, "P2", 50, 1, 100.0},      // halfway between K0+040 and K0+060
        {3, "P3", -5, 0, 100.0},      // before QD
        {4, "P4", 40.2, -3.0005, 99}, // 0.5 mm from P1
        {5, "P5", 39.9, 4, 102.0},    // K0+040, right 4
        {6, "P6", 40, 1, std::nullopt},
        {7, "P7", 60, 2, 100.0},      // alone at K0+060
        {8, "P8", 40.3, 0.5, 100.5},  // K0+040, 0.3 m along: still its section
    };
    struct Case {
        double band;
        std::vector<std::pair<std::string, std::string>> unassigned;  // name, words of the reason
    };
    for (const Case& c : std::vector<Case>{
             {0.5,
              {{"P2", "超出带宽 0.5 m"}, {"P3", "超出线路范围"}, {"P4", "与点 P1"}, {"P6", "没有高程"},
               {"P7", "只有这一个点"}}},
             {10, {{"P2", "正中"}, {"P3", "超出线路范围"}, {"P4", "与点 P1"}, {"P6", "没有高程"}, {"P7", "只有这一个点"}}}}) {
        const PointSections s = SortPointsIntoSections(route, inverse, pts, st, c.band);
        ASSERT_EQ(s.sections.size(), 1u) << c.band;
        const GroundSection& g = s.sections[0];
        EXPECT_NEAR(g.at().station, 40, 1e-9);
        ASSERT_EQ(g.points().size(), 3u);
        EXPECT_EQ(g.points()[0].name, "P1");
        EXPECT_NEAR(g.points()[0].offset, -3, 1e-6);
        EXPECT_EQ(g.points()[0].z, 101.0);
        EXPECT_EQ(g.points()[1].name, "P8");
        EXPECT_NEAR(g.points()[2].offset, 4, 1e-6);
        EXPECT_EQ(s.assigned, 3u);
        ASSERT_EQ(s.unassigned.size(), c.unassigned.size()) << c.band;
        for (std::size_t i = 0; i < c.unassigned.size(); ++i) {
            EXPECT_EQ(s.unassigned[i].name, c.unassigned[i].first);
            EXPECT_NE(s.unassigned[i].reason.find(c.unassigned[i].second), std::string::npos)
                << s.unassigned[i].reason;
        }
    }
}

}  // namespace
}  // namespace tarvelo
