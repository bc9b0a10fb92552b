#include "core/plan/chainage.h"

#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

// The worked route: QD at K3+000, 1500 m long, a 短链 K3+444.600=K3+660.000
// (215.4 m of stations skipped) and a 长链 K4+000.000=K3+900.000 (stations
// K3+900 ~ K4+000 twice). By hand:
//   zone 0: distance 0 ~ 444.6,     stations K3+000 ~ K3+444.6
//   break 0 at 444.6 (3444.6 - 3000)
//   zone 1: distance 444.6 ~ 784.6, stations K3+660 ~ K4+000 (444.6 + 340)
//   break 1 at 784.6
//   zone 2: distance 784.6 ~ 1500,  stations K3+900 ~ K4+615.4 (3900 + 715.4)
// End station 4615.4 = 3000 + 1500 - (-215.4) - 100.
Chainage WorkedRoute()
{
    const Chainage::Built built =
        Chainage::Build(3000, 1500, {{"断链1", 3444.6, 3660, 2}, {"断链2", 4000, 3900, 3}});
    EXPECT_FALSE(built.error) << built.error->message;
    return *built.chainage;
}

constexpr double kTol = 1e-9;  // metres: one subtraction's rounding at K4

TEST(Chainage, WorkedRouteZonesBreaksAndLength)
{
    const Chainage c = WorkedRoute();
    EXPECT_FALSE(c.empty());
    ASSERT_EQ(c.zoneCount(), 3);
    ASSERT_EQ(c.breaks().size(), 2u);
    EXPECT_NEAR(c.breaks()[0].distance, 444.6, kTol);
    EXPECT_NEAR(c.breaks()[0].amount(), -215.4, kTol);
    EXPECT_FALSE(c.breaks()[0].isLong());
    EXPECT_EQ(c.breaks()[0].name, "断链1");
    EXPECT_EQ(c.breaks()[0].line, 2);
    EXPECT_NEAR(c.breaks()[1].distance, 784.6, kTol);
    EXPECT_EQ(c.breaks()[1].amount(), 100);
    EXPECT_TRUE(c.breaks()[1].isLong());
    const struct {
        double d0, d1, s0, s1;
    } zones[] = {{0, 444.6, 3000, 3444.6}, {444.6, 784.6, 3660, 4000}, {784.6, 1500, 3900, 4615.4}};
    for (int z = 0; z < 3; ++z) {
        SCOPED_TRACE(z);
        EXPECT_NEAR(c.zoneStartDistance(z), zones[z].d0, kTol);
        EXPECT_NEAR(c.zoneEndDistance(z), zones[z].d1, kTol);
        EXPECT_NEAR(c.zoneStartStation(z), zones[z].s0, kTol);
        EXPECT_NEAR(c.zoneEndStation(z), zones[z].s1, kTol);
    }
    EXPECT_EQ(c.length(), 1500);
    EXPECT_EQ(c.startStation(), 3000);
    EXPECT_NEAR(c.endStation(), 4615.4, kTol);
    // The length is end - start + Σ(back - ahead).
    EXPECT_NEAR(c.endStation() - c.startStation() + c.breaks()[0].amount() + c.breaks()[1].amount(),
                c.length(), kTol);
    EXPECT_EQ(c.lowestStation(), 3000);
    EXPECT_NEAR(c.highestStation(), 4615.4, kTol);
    EXPECT_EQ(c.ZoneText(1), "区段 1（K3+660.000 ~ K4+000.000）");
    EXPECT_THROW(c.zoneStartDistance(3), std::out_of_range);
    EXPECT_THROW(c.zoneEndDistance(-1), std::out_of_range);
    EXPECT_THROW(c.zoneStartStation(-1), std::out_of_range);
    EXPECT_THROW(c.zoneEndStation(3), std::out_of_range);
}

TEST(Chainage, StationAtDistances)
{
    const Chainage c = WorkedRoute();
    const struct {
        double distance;
        std::optional<double> station;
        int zone;
    } cases[] = {
        {0, 3000, 0},
        {-1e-10, 3000, 0},          // within the slack: the start
        {100, 3100, 0},
        {444.5, 3444.5, 0},
        {444.6, 3660, 1},           // the break point displays its ahead station
        {500, 3715.4, 1},
        {784.5, 3999.9, 1},
        {784.6, 3900, 2},
        {834.6, 3950, 2},
        {1500, 4615.4, 2},
        {1500 + 1e-7, 4615.4, 2},   // within the slack: the end
        {-0.001, std::nullopt, 0},
        {1500.001, std::nullopt, 0},
        {NAN, std::nullopt, 0},
        {INFINITY, std::nullopt, 0},
        {-INFINITY, std::nullopt, 0},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.distance);
        const auto s = c.StationAt(t.distance);
        ASSERT_EQ(s.has_value(), t.station.has_value());
        if (!s) continue;
        EXPECT_NEAR(s->station, *t.station, kTol);
        EXPECT_EQ(s->zone, t.zone);
    }
}

TEST(Chainage, DistanceAtStationsWithAndWithoutZone)
{
    const Chainage c = WorkedRoute();
    const struct {
        double station;
        std::optional<int> zone;
        std::optional<double> distance;
        int foundZone;
        const char* error;
    } cases[] = {
        {3000, {}, 0, 0, ""},
        {3100, {}, 100, 0, ""},
        // The 短链: its back and ahead stations are the break point, the
        // stations between them do not exist.
        {3444.6, {}, 444.6, 0, ""},
        {3660, {}, 444.6, 1, ""},
        {3500, {}, {}, -1, "桩号 K3+500.000 落在断链 K3+444.600=K3+660.000 的短链之中，不存在。"},
        {3500, 0, {}, -1, "桩号 K3+500.000 不在区段 0（K3+000.000 ~ K3+444.600）之内。"},
        {3700, {}, 484.6, 1, ""},
        // The 长链: K3+900 ~ K4+000 twice.
        {3950, {}, {}, -1,
         "桩号 K3+950.000 落在断链 K4+000.000=K3+900.000 的长链之中，在区段 1 和 2 里各有一处，请指明区段。"},
        {3950, 1, 734.6, 1, ""},
        {3950, 2, 834.6, 2, ""},
        // The overlap's edges are as ambiguous as its inside: the back
        // station is the break point in zone 1 and a station of zone 2 too.
        {4000, {}, {}, -1,
         "桩号 K4+000.000 落在断链 K4+000.000=K3+900.000 的长链之中，在区段 1 和 2 里各有一处，请指明区段。"},
        {4000, 1, 784.6, 1, ""},
        {4000, 2, 884.6, 2, ""},    // the same station a hundred metres on
        {3900, {}, {}, -1,
         "桩号 K3+900.000 落在断链 K4+000.000=K3+900.000 的长链之中，在区段 1 和 2 里各有一处，请指明区段。"},
        {3900, 1, 684.6, 1, ""},
        {3900, 2, 784.6, 2, ""},
        {4010, {}, 894.6, 2, ""},
        {4615.4, {}, 1500, 2, ""},
        // Beyond the ends, zones that do not exist, non-finite stations.
        {2999, {}, {}, -1, "桩号 K2+999.000 不在线路的桩号范围 K3+000.000 ~ K4+615.400 之内。"},
        {4616, {}, {}, -1, "桩号 K4+616.000 不在线路的桩号范围 K3+000.000 ~ K4+615.400 之内。"},
        {3700, 3, {}, -1, "区段 3 不存在：这条线路的区段为 0 ~ 2。"},
        {3700, -1, {}, -1, "区段 -1 不存在：这条线路的区段为 0 ~ 2。"},
        {3700, 2, {}, -1, "桩号 K3+700.000 不在区段 2（K3+900.000 ~ K4+615.400）之内。"},
        {NAN, {}, {}, -1, "桩号不是有限的数。"},
        {INFINITY, 1, {}, -1, "桩号不是有限的数。"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(std::to_string(t.station) + " zone " + (t.zone ? std::to_string(*t.zone) : "-"));
        const DistanceLookup r = c.DistanceAt(t.station, t.zone);
        ASSERT_EQ(r.distance.has_value(), t.distance.has_value()) << r.error;
        EXPECT_EQ(r.error, t.error);
        if (!r.distance) continue;
        EXPECT_NEAR(*r.distance, *t.distance, kTol);
        EXPECT_EQ(r.zone, t.foundZone);
    }
}

TEST(Chainage, ZonesOfStations)
{
    const Chainage c = WorkedRoute();
    const struct {
        double station;
        std::vector<int> zones;
    } cases[] = {
        {2999.99, {}}, {3000, {0}},     {3444.6, {0}},   {3444.6 + 1e-5, {}}, {3444.6 + 1e-7, {0}}, {3500, {}},
        {3660, {1}},   {3899.99, {1}},  {3900, {1, 2}},  {3950, {1, 2}},      {4000, {1, 2}},
        {4000.01, {2}}, {4615.4, {2}},  {4615.41, {}},   {NAN, {}},           {-INFINITY, {}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.station);
        EXPECT_EQ(c.ZonesOf(t.station), t.zones);
    }
}

TEST(Chainage, StationsAndDistancesRoundTripInEveryZone)
{
    const Chainage c = WorkedRoute();
    for (int z = 0; z < c.zoneCount(); ++z) {
        const double s0 = c.zoneStartStation(z), s1 = c.zoneEndStation(z);
        for (int i = 1; i < 997; ++i) {
            const double s = s0 + (s1 - s0) * i / 997;  // inside the zone
            const DistanceLookup r = c.DistanceAt(s, z);
            ASSERT_TRUE(r.distance) << r.error;
            const auto back = c.StationAt(*r.distance);
            ASSERT_TRUE(back);
            EXPECT_EQ(back->zone, z) << s;
            EXPECT_NEAR(back->station, s, kTol);
        }
    }
    for (int i = 0; i <= 1498; ++i) {
        const double d = i * 1.000731;  // not on the whole metres
        const auto s = c.StationAt(d);
        ASSERT_TRUE(s) << d;
        const DistanceLookup r = c.DistanceAt(s->station, s->zone);
        ASSERT_TRUE(r.distance) << r.error;
        EXPECT_NEAR(*r.distance, d, kTol);
    }
}

TEST(Chainage, WithoutBreaksStationIsStartPlusDistance)
{
    const Chainage::Built built = Chainage::Build(12345.678, 800, {});
    ASSERT_TRUE(built.chainage);
    const Chainage& c = *built.chainage;
    EXPECT_TRUE(c.empty());
    EXPECT_EQ(c.zoneCount(), 1);
    EXPECT_EQ(c.endStation(), 12345.678 + 800);
    for (double d : {0.0, 0.1, 333.3, 800.0}) {
        EXPECT_EQ(c.StationAt(d)->station, 12345.678 + d);
        EXPECT_EQ(c.StationAt(d)->zone, 0);
    }
    EXPECT_NEAR(*c.DistanceAt(12400).distance, 12400 - 12345.678, 1e-12);
    EXPECT_EQ(c.DistanceAt(12345.678).distance, 0.0);
    EXPECT_EQ(c.DistanceAt(12000).error, "桩号 K12+000.000 不在线路的桩号范围 K12+345.678 ~ K13+145.678 之内。");
    EXPECT_EQ(c.DistanceAt(12400, 1).error, "区段 1 不存在：这条线路没有断链，只有区段 0。");
}

// A break at the start station leaves zone 0 empty, one at the end station
// the last zone: both are accepted, and the ends display the ahead stations.
TEST(Chainage, BreaksAtTheStartAndAtTheEnd)
{
    const Chainage::Built built = Chainage::Build(100, 200, {{"", 100, 150, 0}, {"", 350, 400, 0}});
    ASSERT_TRUE(built.chainage) << built.error->message;
    const Chainage& c = *built.chainage;
    ASSERT_EQ(c.zoneCount(), 3);
    EXPECT_EQ(c.breaks()[0].distance, 0);
    EXPECT_EQ(c.breaks()[1].distance, 200);
    EXPECT_EQ(c.zoneStartDistance(0), c.zoneEndDistance(0));
    EXPECT_EQ(c.zoneStartDistance(2), c.zoneEndDistance(2));
    EXPECT_EQ(c.StationAt(0)->station, 150);
    EXPECT_EQ(c.StationAt(0)->zone, 1);
    EXPECT_EQ(c.StationAt(200)->station, 400);
    EXPECT_EQ(c.StationAt(200)->zone, 2);
    EXPECT_EQ(c.StationAt(50)->station, 200);
    EXPECT_EQ(c.endStation(), 400);
    EXPECT_EQ(c.length(), 200);
    const struct {
        double station;
        double distance;
        int zone;
    } cases[] = {{100, 0, 0}, {150, 0, 1}, {250, 100, 1}, {350, 200, 1}, {400, 200, 2}};
    for (const auto& t : cases) {
        const DistanceLookup r = c.DistanceAt(t.station);
        ASSERT_TRUE(r.distance) << r.error;
        EXPECT_EQ(*r.distance, t.distance) << t.station;
        EXPECT_EQ(r.zone, t.zone) << t.station;
    }
    EXPECT_EQ(c.DistanceAt(120).error, "桩号 K0+120.000 落在断链 K0+100.000=K0+150.000 的短链之中，不存在。");
}

TEST(Chainage, BackWithinTheSlackOfTheEndIsAcceptedAtTheEnd)
{
    const Chainage::Built built = Chainage::Build(3000, 1000, {{"", 4000 + 1e-7, 4100, 0}});
    ASSERT_TRUE(built.chainage) << built.error->message;
    EXPECT_EQ(built.chainage->breaks()[0].distance, 1000);
    EXPECT_EQ(built.chainage->endStation(), 4100);
    const Chainage::Built before = Chainage::Build(3000, 1000, {{"", 3000 - 1e-7, 3100, 0}});
    ASSERT_TRUE(before.chainage) << before.error->message;
    EXPECT_EQ(before.chainage->breaks()[0].distance, 0);
}

TEST(Chainage, BadBreakTablesAreRefusedNamingTheRow)
{
    const struct {
        const char* what;
        double start, distance;
        std::vector<BreakInput> breaks;
        int row, line;
        const char* message;
    } cases[] = {
        {"back = ahead", 3000, 1000, {{"", 3444.6, 3444.6, 2}}, 0, 2,
         "第 2 行的断链 K3+444.600=K3+444.600 的断前桩号与断后桩号相同，这不是断链。"},
        {"back behind the previous break", 3000, 1000, {{"", 3444.6, 3660, 2}, {"", 3600, 3700, 3}}, 1, 3,
         "第 3 行的断链 K3+600.000=K3+700.000 的断前桩号在前一个断链 K3+444.600=K3+660.000 "
         "的断后桩号之前；断链应按线路顺序排列。"},
        {"back before the start", 3000, 1000, {{"", 2900, 2950, 0}}, 0, 0,
         "第 1 个断链 K2+900.000=K2+950.000 的断前桩号在线路起点桩号 K3+000.000 之前。"},
        {"back beyond the end", 3000, 1000, {{"", 4100, 4200, 2}}, 0, 2,
         "第 2 行的断链 K4+100.000=K4+200.000 的断前桩号超出了线路终点（按这一段的桩号，终点为 K4+000.000）。"},
        {"second back beyond the end", 3000, 1000, {{"", 3444.6, 3660, 2}, {"", 4300, 4400, 4}}, 1, 4,
         "第 4 行的断链 K4+300.000=K4+400.000 的断前桩号超出了线路终点（按这一段的桩号，终点为 K4+215.400）。"},
        {"NaN back", 3000, 1000, {{"", NAN, 3660, 2}}, 0, 2, "第 2 行的断链的断前桩号不是有限的数。"},
        {"infinite ahead", 3000, 1000, {{"", 3444.6, 3660, 2}, {"", 3700, INFINITY, 5}}, 1, 5,
         "第 5 行的断链的断后桩号不是有限的数。"},
        {"NaN start", NAN, 1000, {}, -1, 0, "线路的起点桩号不是有限的数，无法计算断链。"},
        {"negative length", 3000, -1, {}, -1, 0, "线路的长度不是有限的非负数，无法计算断链。"},
        {"infinite length", 3000, INFINITY, {}, -1, 0, "线路的长度不是有限的非负数，无法计算断链。"},
        {"an end station beyond the doubles", 0, 1e308, {{"", 1, 1.7e308, 0}}, 0, 0,
         "线路终点的桩号超出了数的范围。"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        const Chainage::Built built = Chainage::Build(t.start, t.distance, t.breaks);
        ASSERT_FALSE(built.chainage);
        ASSERT_TRUE(built.error);
        EXPECT_EQ(built.error->row, t.row);
        EXPECT_EQ(built.error->line, t.line);
        EXPECT_EQ(built.error->message, t.message);
    }
}

std::vector<ChainageStake> Rows(const Chainage& c, double J, DisplayedStation from, DisplayedStation to)
{
    std::size_t count = 0;
    const auto refused = CheckZoneMultiples(c, J, from, to, 100000, &count);
    EXPECT_FALSE(refused) << *refused;
    std::vector<ChainageStake> rows;
    ZoneMultiples cursor(c, J, from, to);
    ChainageStake s;
    while (cursor.Next(&s)) rows.push_back(s);
    EXPECT_EQ(rows.size(), count);
    return rows;
}

TEST(Chainage, TwentyMetreMultiplesAroundEachBreak)
{
    const Chainage c = WorkedRoute();
    const std::vector<ChainageStake> rows = Rows(c, 20, {3000, 0}, {4615.4, 2});
    // Zone 0: K3+000 ~ K3+440 (23), zone 1: K3+680 ~ K3+980 (16; K3+660 and
    // K4+000 are the break points), zone 2: K3+920 ~ K4+600 (35), 2 breaks.
    ASSERT_EQ(rows.size(), 23u + 16u + 35u + 2u);
    double last = -1;
    for (const ChainageStake& r : rows) {
        EXPECT_GE(r.distance, last);
        last = r.distance;
        if (r.isBreak()) continue;
        // Computed as n·J: exactly a whole multiple of 20.
        EXPECT_EQ(r.station, 20 * std::round(r.station / 20)) << r.station;
        EXPECT_NEAR(c.StationAt(r.distance)->station, r.station, kTol);
    }
    const struct {
        double distance, station;
        int zone, breakIndex;
        double back;
    } around[] = {
        {420, 3420, 0, -1, 0},        {440, 3440, 0, -1, 0},        {444.6, 3660, 1, 0, 3444.6},
        {464.6, 3680, 1, -1, 0},      {484.6, 3700, 1, -1, 0},
    };
    const struct {
        double distance, station;
        int zone, breakIndex;
        double back;
    } aroundLong[] = {
        {744.6, 3960, 1, -1, 0},      {764.6, 3980, 1, -1, 0},      {784.6, 3900, 2, 1, 4000},
        {804.6, 3920, 2, -1, 0},      {824.6, 3940, 2, -1, 0},
    };
    const auto expectRows = [&](std::size_t first, const auto& expected) {
        for (std::size_t i = 0; i < 5; ++i) {
            SCOPED_TRACE(first + i);
            const ChainageStake& r = rows[first + i];
            EXPECT_NEAR(r.distance, expected[i].distance, kTol);
            EXPECT_NEAR(r.station, expected[i].station, kTol);
            EXPECT_EQ(r.zone, expected[i].zone);
            EXPECT_EQ(r.breakIndex, expected[i].breakIndex);
            EXPECT_EQ(r.back, expected[i].back);
        }
    };
    expectRows(21, around);           // rows 21, 22 are K3+420, K3+440
    expectRows(23 + 1 + 16 - 2, aroundLong);
    EXPECT_EQ(rows.front().station, 3000);
    EXPECT_EQ(rows.back().station, 4600);
}

TEST(Chainage, MultiplesInAnOverlapAppearOncePerZone)
{
    const Chainage c = WorkedRoute();
    const std::vector<ChainageStake> rows = Rows(c, 20, {3950, 1}, {3950, 2});
    const struct {
        double station;
        int zone;
        bool isBreak;
    } expected[] = {{3960, 1, false}, {3980, 1, false}, {3900, 2, true}, {3920, 2, false}, {3940, 2, false}};
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(rows[i].station, expected[i].station) << i;
        EXPECT_EQ(rows[i].zone, expected[i].zone) << i;
        EXPECT_EQ(rows[i].isBreak(), expected[i].isBreak) << i;
    }
}

TEST(Chainage, MultiplesOnBreakPointsAtTheEndsGiveWayToTheBreakRows)
{
    const Chainage::Built built = Chainage::Build(100, 200, {{"", 100, 150, 0}, {"", 350, 400, 0}});
    ASSERT_TRUE(built.chainage);
    const std::vector<ChainageStake> rows = Rows(*built.chainage, 50, {100, 0}, {400, 2});
    const double stations[] = {150, 200, 250, 300, 400};
    const bool breaks[] = {true, false, false, false, true};
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(rows[i].station, stations[i]) << i;
        EXPECT_EQ(rows[i].isBreak(), breaks[i]) << i;
    }
    // A range that starts on a break's ahead station lists the break first.
    const std::vector<ChainageStake> tail = Rows(*built.chainage, 50, {150, 1}, {250, 1});
    ASSERT_EQ(tail.size(), 3u);
    EXPECT_TRUE(tail[0].isBreak());
    EXPECT_EQ(tail[1].station, 200);
    EXPECT_EQ(tail[2].station, 250);
}

TEST(Chainage, SmallIntervalMultiplesAreComputedNotAccumulated)
{
    const Chainage::Built built = Chainage::Build(0, 100, {{"", 50, 60.05, 0}});
    ASSERT_TRUE(built.chainage);
    const std::vector<ChainageStake> rows = Rows(*built.chainage, 0.1, {0, 0}, {110.05, 1});
    // 0 ~ 49.9 (500; 50 is the break point), the break, 60.1 ~ 110 (500).
    ASSERT_EQ(rows.size(), 500u + 1u + 500u);
    for (const ChainageStake& r : rows) {
        if (r.isBreak()) continue;
        const double n = std::round(r.station / 0.1);
        EXPECT_EQ(r.station, n * 0.1);
    }
}

TEST(Chainage, ZoneMultiplesRefusals)
{
    const Chainage c = WorkedRoute();
    std::size_t rows = 0;
    const struct {
        double J;
        DisplayedStation from, to;
        std::size_t maxRows;
        const char* message;
    } cases[] = {
        {0, {3000, 0}, {3400, 0}, 1000, "计算间距J必须大于0。"},
        {NAN, {3000, 0}, {3400, 0}, 1000, "计算间距J必须大于0。"},
        {20, {3500, 0}, {3700, 1}, 1000, "起点：桩号 K3+500.000 不在区段 0（K3+000.000 ~ K3+444.600）之内。"},
        {20, {3000, 0}, {3700, 4}, 1000, "止点：区段 4 不存在：这条线路的区段为 0 ~ 2。"},
        {20, {3950, 2}, {3960, 1}, 1000, "起点在止点之后。"},
        {20, {3400, 0}, {3300, 0}, 1000, "起点在止点之后。"},
        {20, {3000, 0}, {4615.4, 2}, 75, "计算点数超过 75 个，请加大计算间距J或缩短起止桩号范围。"},
        {1e-13, {3000, 0}, {3400, 0}, 1000,
         "起止桩号相对于计算间距J太大，无法逐桩计算，请加大计算间距J。"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.message);
        const auto refused = CheckZoneMultiples(c, t.J, t.from, t.to, t.maxRows, &rows);
        ASSERT_TRUE(refused);
        EXPECT_EQ(*refused, t.message);
    }
    // 76 rows fit in 76.
    EXPECT_FALSE(CheckZoneMultiples(c, 20, {3000, 0}, {4615.4, 2}, 76, &rows));
    EXPECT_EQ(rows, 76u);
}

}  // namespace
}  // namespace tarvelo

namespace tarvelo {
namespace {

TEST(Chainage, SlackFollowsTheLargestMagnitude)
{
    // 1e-9 times the largest of 1, |start|, length, |back| and |ahead|.
    EXPECT_DOUBLE_EQ(Chainage::Build(0, 0.5, {}).chainage->slack(), 1e-9);
    EXPECT_DOUBLE_EQ(Chainage::Build(0, 100, {}).chainage->slack(), 1e-7);
    EXPECT_DOUBLE_EQ(WorkedRoute().slack(), 4e-6);
    EXPECT_DOUBLE_EQ(Chainage::Build(-5e6, 100, {{"", -4999950, 20, 0}}).chainage->slack(), 5e-3);
}

// Far from zero (K1000000+...), the stations are still exact to the slack
// and the short break between them is found.
TEST(Chainage, LargeStationsStillRoundTrip)
{
    const Chainage::Built built = Chainage::Build(1e9, 2000, {{"", 1e9 + 1000.25, 1e9 + 1100.5, 0}});
    ASSERT_TRUE(built.chainage) << built.error->message;
    const Chainage& c = *built.chainage;
    EXPECT_EQ(c.breaks()[0].distance, 1000.25);
    EXPECT_EQ(c.endStation(), 1e9 + 2100.25);
    for (double d = 0; d <= 2000; d += 7.125) {
        const auto s = c.StationAt(d);
        ASSERT_TRUE(s);
        const DistanceLookup r = c.DistanceAt(s->station, s->zone);
        ASSERT_TRUE(r.distance) << r.error;
        EXPECT_NEAR(*r.distance, d, 1e-6);
    }
    EXPECT_EQ(c.DistanceAt(1e9 + 1050).error,
              "桩号 K1000001+050.000 落在断链 K1000001+000.250=K1000001+100.500 的短链之中，不存在。");
}

}  // namespace
}  // namespace tarvelo

namespace tarvelo {
namespace {

// K0+200 is the back station of one 长链 and the ahead station of the next:
// two break points at different distances, and three zones show it.
TEST(Chainage, AStationOnTwoBreakPointsIsAmbiguous)
{
    const Chainage::Built built = Chainage::Build(0, 1000, {{"", 200, 100, 0}, {"", 300, 200, 0}});
    ASSERT_TRUE(built.chainage) << built.error->message;
    const Chainage& c = *built.chainage;
    EXPECT_EQ(c.breaks()[1].distance, 400);
    EXPECT_EQ(c.ZonesOf(200), (std::vector<int>{0, 1, 2}));
    const DistanceLookup r = c.DistanceAt(200);
    EXPECT_FALSE(r.distance);
    EXPECT_EQ(r.error, "桩号 K0+200.000 落在断链 K0+200.000=K0+100.000 的长链之中，在区段 0、1 和 2 里各有一处，请指明区段。");
    const double distances[] = {200, 300, 400};
    for (int z = 0; z < 3; ++z) EXPECT_EQ(c.DistanceAt(200, z).distance, distances[z]) << z;
    // The second break's back station is also a station of zone 2, 100 m on.
    EXPECT_FALSE(c.DistanceAt(300).distance);
    EXPECT_EQ(c.DistanceAt(300).miss, StationMiss::Ambiguous);
    EXPECT_EQ(c.DistanceAt(300, 1).distance, 400);
}

// Two breaks at one point leave an empty zone between them; its only
// station is both breaks' point.
TEST(Chainage, TwoBreaksAtOnePoint)
{
    const Chainage::Built built = Chainage::Build(0, 500, {{"", 100, 150, 0}, {"", 150, 200, 0}});
    ASSERT_TRUE(built.chainage) << built.error->message;
    const Chainage& c = *built.chainage;
    EXPECT_EQ(c.breaks()[0].distance, 100);
    EXPECT_EQ(c.breaks()[1].distance, 100);
    EXPECT_EQ(c.StationAt(100)->station, 200);  // the zone after the last of them
    EXPECT_EQ(c.StationAt(100)->zone, 2);
    for (double s : {100.0, 150.0, 200.0}) EXPECT_EQ(c.DistanceAt(s).distance, 100) << s;
    EXPECT_EQ(c.DistanceAt(175).error, "桩号 K0+175.000 落在断链 K0+150.000=K0+200.000 的短链之中，不存在。");
    EXPECT_EQ(c.endStation(), 600);
}

}  // namespace
}  // namespace tarvelo
