#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "compute/route_table.h"
#include "core/plan/route.h"
#include "tests/support/test_routes.h"

namespace tarvelo {
namespace {

using testing::Built;
using testing::Jd;
using testing::Qd;
using testing::Zd;

std::vector<RouteTableEntry> Entries(const Route& r, const RouteTableParams& p)
{
    std::size_t rows = 0;
    const auto refusal = CheckRouteTable(r, p, &rows);
    EXPECT_FALSE(refusal) << *refusal;
    std::vector<RouteTableEntry> out;
    RouteTableCursor cursor(r, p);
    RouteTableEntry e;
    while (cursor.Next(&e)) out.push_back(e);
    EXPECT_EQ(out.size(), rows);
    return out;
}

TEST(RouteTable, StaircaseTableHasMultiplesMainPointsAndEnds)
{
    const Route r = Built(testing::StaircaseRows());
    RouteTableParams p;
    p.interval = 100;
    const auto rows = Entries(r, p);
    // 0, 100, ..., 3700: 38 multiples (0 is QD); ZY, QZ, YZ of three curves
    // (no spirals: ZH/HY one row "ZY", YH/HZ one row "YZ"); ZD at the end;
    // less one: ZY of JD1 falls on the multiple 800.
    ASSERT_EQ(rows.size(), 38u + 9u + 1u - 1u);
    EXPECT_EQ(rows.front().kind, "QD");
    EXPECT_EQ(rows.front().station, 0);
    EXPECT_EQ(rows.back().kind, "ZD");
    EXPECT_DOUBLE_EQ(rows.back().station, r.end().station);
    std::vector<std::string> kinds;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            EXPECT_GT(rows[i].station, rows[i - 1].station) << i;
        }
        if (!rows[i].kind.empty() && rows[i].jd) kinds.push_back(rows[i].kind);
        if (rows[i].kind.empty()) {
            EXPECT_FALSE(rows[i].jd);
        }
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"ZY", "QZ", "YZ", "ZY", "QZ", "YZ", "ZY", "QZ", "YZ"}));
    // ZY of JD1 at 800 coincides with the multiple 800: one row, named ZY.
    int at800 = 0;
    for (const auto& e : rows)
        if (std::fabs(e.station - 800) < 1e-6) {
            ++at800;
            EXPECT_EQ(e.kind, "ZY");
            EXPECT_EQ(*e.jd, 0u);
        }
    EXPECT_EQ(at800, 1);
}

TEST(RouteTable, MultiplesAreComputedNotAccumulated)
{
    // 0.1 added 30,000 times drifts by about 1e-9 m; n·0.1 does not.
    const Route r = Built({Qd(0, 0, 0), Jd("JD1", 3000, 0, 100), Zd(3000, 3000)});
    RouteTableParams p;
    p.interval = 0.1;
    p.mainPoints = false;
    p.start = 1000;
    p.end = 3000;
    const auto rows = Entries(r, p);
    ASSERT_EQ(rows.size(), 20001u);
    for (std::size_t i = 0; i < rows.size(); i += 997)
        EXPECT_EQ(rows[i].station, static_cast<double>(10000 + i) * 0.1) << i;
    EXPECT_EQ(rows.back().station, 3000);
    EXPECT_EQ(rows.front().kind, "");  // a start inside the route is not QD
}

TEST(RouteTable, RangeEndsBetweenMultiplesAreRowsOfTheirOwn)
{
    const Route r = Built(testing::StaircaseRows());
    RouteTableParams p;
    p.interval = 20;
    p.start = 905.5;
    p.end = 960.25;
    p.mainPoints = false;
    const auto rows = Entries(r, p);
    const double want[] = {905.5, 920, 940, 960, 960.25};
    ASSERT_EQ(rows.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(rows[i].station, want[i]);
    // One station alone is one row.
    p.start = p.end = 930;
    EXPECT_EQ(Entries(r, p).size(), 1u);
}

TEST(RouteTable, SpiralsGiveAllFiveMainPoints)
{
    const Route r = Built(testing::MixedRows());
    RouteTableParams p;
    p.interval = 1000;
    const auto rows = Entries(r, p);
    std::vector<std::string> kinds;
    for (const auto& e : rows)
        if (e.jd) kinds.push_back(e.kind + std::to_string(*e.jd));
    // JD2 has no entry spiral (ZY), JD3 no exit spiral (YZ).
    const std::vector<std::string> want = {
        "ZH0", "HY0", "QZ0", "YH0", "HZ0", "ZY1", "QZ1", "YH1", "HZ1", "ZH2", "HY2", "QZ2", "YZ2",
        "ZH3", "HY3", "QZ3", "YH3", "HZ3", "ZH4", "HY4", "QZ4", "YH4", "HZ4"};
    EXPECT_EQ(kinds, want);
}

TEST(RouteTable, RowsAreTheRoutesStakesWithOffsetAndSkew)
{
    const Route r = Built(testing::MixedRows());
    RouteTableParams p;
    p.interval = 50;
    p.m = 7.5;
    p.a = 60;
    for (const auto& e : Entries(r, p)) {
        const RouteTableRow row = ComputeRouteTableRow(r, e, p);
        const auto want = r.PointAt(e.station, 7.5, 60);
        ASSERT_TRUE(want);
        EXPECT_EQ(row.stake.point.x, want->point.x);
        EXPECT_EQ(row.stake.point.y, want->point.y);
        EXPECT_EQ(row.stake.curve, want->curve);
    }
}

TEST(RouteTable, BadParametersAreRefusedBeforeAnyPoint)
{
    const Route r = Built(testing::StaircaseRows());
    const struct {
        const char* name;
        double interval;
        std::optional<double> start, end;
        const char* says;
    } cases[] = {
        {"zero interval", 0, {}, {}, "大于0"},
        {"negative interval", -20, {}, {}, "大于0"},
        {"NaN interval", std::nan(""), {}, {}, "大于0"},
        {"start before QD", 20, -1.0, {}, "范围"},
        {"end after ZD", 20, {}, 1e9, "范围"},
        {"start after end", 20, 500.0, 400.0, "大于止点"},
        {"too many rows", 0.001, {}, {}, "1000000"},
        {"tiny interval", 1e-300, {}, {}, "太大"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RouteTableParams p;
        p.interval = c.interval;
        p.start = c.start;
        p.end = c.end;
        std::size_t rows = 0;
        const auto refusal = CheckRouteTable(r, p, &rows);
        ASSERT_TRUE(refusal);
        EXPECT_NE(refusal->find(c.says), std::string::npos) << *refusal;
    }
}

TEST(RouteTable, HugeStationsDoNotOverflowTheMultipleCounter)
{
    // Found by fuzzing: a QD station of 6.7e86 m made the first multiple's
    // number overflow a long long. Such a table is refused, and a cursor
    // made anyway lists no multiples rather than looping or overflowing.
    const Route r = Built({Qd(0, 0, 6.66e86), Jd("JD1", 1000, 1, 200, 0, 1), Zd(1000, 400)});
    RouteTableParams p;
    p.interval = 1;
    std::size_t rows = 0;
    const auto refusal = CheckRouteTable(r, p, &rows);
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("太大"), std::string::npos) << *refusal;
    RouteTableCursor cursor(r, p);
    RouteTableEntry e;
    int n = 0;
    while (cursor.Next(&e) && n < 100) ++n;
    // At 6.7e86 m every station of the road is the same double: the ends
    // and main points are one row.
    EXPECT_EQ(n, 1);
}

}  // namespace
}  // namespace tarvelo
