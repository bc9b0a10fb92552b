// The design check bound to a real route and profile: a right angle worked
// by hand. North 1000 m from QD (station 0, at the origin) to JD1, then east
// 1000 m to ZD, R 300 without spirals: T = 300, ZY = 700, the arc's centre
// (700, 300), QZ = 700 + 300·π/4 = 935.6194 at (700 + 150√2, 300 − 150√2),
// YZ = 700 + 150π = 1171.2389 at (1000, 300), the end 1871.2389 at
// (1000, 1000). Profile: a straight grade of 1 % from 100 m at station 0.

#include "compute/route_design_check.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "core/files/design_table.h"
#include "core/numbers/float_fault.h"
#include "tests/compute/right_angle_route.h"

namespace tarvelo {
namespace {

Profile Grade(double to)
{
    Profile::Built built = Profile::Build({{0, 100, std::nullopt, 0}, {to, 100 + 0.01 * to, std::nullopt, 0}});
    EXPECT_TRUE(built.profile);
    return std::move(*built.profile);
}

// QZ: the arc's middle, 45° round from ZY.
const double kQzStation = 700 + 75 * M_PI;
const double kQzX = 700 + 150 * M_SQRT2, kQzY = 300 - 150 * M_SQRT2;

const DesignCheckRow& Line(const DesignCheckResult& r, int line)
{
    for (const DesignCheckRow& row : r.rows)
        if (row.line == line) return row;
    ADD_FAILURE() << "no line " << line;
    return r.rows.front();
}

TEST(RouteDesignCheck, RowsOfTheRightAngleGetTheClassesWorkedByHand)
{
    const Route route = RightAngleRoute();
    const RouteInverse inverse(route);
    const Profile profile = Grade(2000);
    // QZ's coordinates to 4 decimals, as a design table prints them.
    char qz[128];
    std::snprintf(qz, sizeof qz, "Q,%.4f,%.4f,%.4f,%.4f\n", kQzStation, kQzX, kQzY, 100 + 0.01 * kQzStation);
    const std::string text = std::string("点名,桩号,X,Y,高程\n") +
                             "A,500,500,0,105\n"            // 2: on the north leg
                             + qz +                         // 3: on the arc
                             "E,1800,1000,928.7611,118\n"   // 4: on the east leg, 1800 − YZ past (1000, 300)
                             "S,400,500,0,\n"               // 5: the point of 500 under the station 400
                             "O,500,500,3,\n"               // 6: 3 m east (right) of the north leg
                             "H,500,500,0,105.01\n"         // 7: 1 cm above the grade line
                             "Z,2000,1000,1100,\n"          // 8: beyond ZD's station
                             "B,0,-50,0,\n"                 // 9: 50 m before QD
                             "U,K0+x,1,1,\n";               // 10: unreadable
    const DesignCheckResult r =
        CheckDesign(ParseDesignTable(text), DesignCheckRouteOf(route, inverse, &profile));
    ASSERT_EQ(r.rows.size(), 9u);

    struct Want {
        int line;
        DesignClass kind;
        double distance;     // NaN: none
        double footStation;  // NaN: none
        double footOffset;
        double dz;           // NaN: none
    };
    const double none = NAN;
    const Want want[] = {
        {2, DesignClass::Ok, 0, 500, 0, 0},
        {3, DesignClass::Ok, 0, kQzStation, 0, 0},
        {4, DesignClass::Ok, 0, 1800, 0, 0},
        {5, DesignClass::Station, 100, 500, 0, none},
        {6, DesignClass::Offset, 3, 500, 3, none},
        {7, DesignClass::Elevation, 0, 500, 0, 0.01},
        {8, DesignClass::Outside, none, none, none, none},
        {9, DesignClass::Outside, 50, none, none, none},
        {10, DesignClass::Unreadable, none, none, none, none},
    };
    for (const Want& w : want) {
        SCOPED_TRACE(w.line);
        const DesignCheckRow& row = Line(r, w.line);
        EXPECT_EQ(row.kind, w.kind) << row.reason;
        ASSERT_EQ(row.distance.has_value(), !std::isnan(w.distance));
        // Station, X and Y each rounded to 4 decimals: at most 5e-5 m apiece.
        if (row.distance) {
            EXPECT_NEAR(*row.distance, w.distance, 1e-4);
        }
        ASSERT_EQ(row.footStation.has_value(), !std::isnan(w.footStation));
        if (row.footStation) {
            EXPECT_NEAR(*row.footStation, w.footStation, 1e-4);
            EXPECT_NEAR(*row.footOffset, w.footOffset, 1e-4);
            EXPECT_FALSE(row.footZone.has_value());
        }
        ASSERT_EQ(row.dz.has_value(), !std::isnan(w.dz));
        if (row.dz) {
            EXPECT_NEAR(*row.dz, w.dz, 1e-4);
        }
    }
    EXPECT_EQ(Line(r, 8).reason, "第 8 行：桩号 K2+000.000 不在线路的桩号范围 K0+000.000 ~ K1+871.239 之内。");
    EXPECT_EQ(r.summary.classes[std::size_t(DesignClass::Ok)], 3u);
}

TEST(RouteDesignCheck, WithoutAProfileElevationsAreNotCheckedAndAShortProfileLeavesRowsOutside)
{
    const Route route = RightAngleRoute();
    const RouteInverse inverse(route);
    const std::string text = "A,500,500,0,999\nE,1800,1000,928.7611,118\n";
    const DesignCheckResult none = CheckDesign(ParseDesignTable(text), DesignCheckRouteOf(route, inverse, nullptr));
    ASSERT_EQ(none.rows.size(), 2u);
    for (const DesignCheckRow& row : none.rows) {
        EXPECT_EQ(row.kind, DesignClass::Ok) << row.reason;
        EXPECT_FALSE(row.dz.has_value());
    }
    EXPECT_FALSE(none.elevations);

    // A profile up to station 1000: the row at 1800 has no design elevation.
    const Profile shortProfile = Grade(1000);
    const DesignCheckResult cut =
        CheckDesign(ParseDesignTable(text), DesignCheckRouteOf(route, inverse, &shortProfile));
    EXPECT_EQ(cut.rows[0].kind, DesignClass::Elevation);
    EXPECT_NEAR(*cut.rows[0].dz, 999 - 105, 1e-9);
    EXPECT_EQ(cut.rows[1].kind, DesignClass::Outside);
    EXPECT_EQ(cut.rows[1].reason, "第 2 行：桩号 K1+800.000 不在纵断面的范围内，无法复核高程。");
}

TEST(RouteDesignCheck, ARouteWithoutChainBreaksHasZoneZeroOnlyAndNaNStationsThrow)
{
    const Route route = RightAngleRoute();
    const RouteInverse inverse(route);
    const DesignCheckRoute bound = DesignCheckRouteOf(route, inverse, nullptr);
    std::string why;
    const auto a = bound.pointAt(500, 0, &why);
    ASSERT_TRUE(a.has_value());
    EXPECT_DOUBLE_EQ(a->x, 500);
    EXPECT_DOUBLE_EQ(a->y, 0);
    EXPECT_TRUE(why.empty());
    EXPECT_FALSE(bound.pointAt(500, 1, &why).has_value());
    EXPECT_EQ(why, "线路没有断链，只有区段 0。");
    // Within 1 mm of QD is QD; further is outside.
    EXPECT_TRUE(bound.pointAt(-0.001, std::nullopt, &why).has_value());
    EXPECT_FALSE(bound.pointAt(-0.0011, std::nullopt, &why).has_value());
    EXPECT_EQ(why, "桩号 K-0+000.001 不在线路的桩号范围 K0+000.000 ~ K1+871.239 之内。");
    EXPECT_THROW(bound.pointAt(NAN, std::nullopt, &why), FloatFault);
    EXPECT_FALSE(bound.elevationAt);  // no profile
    EXPECT_FALSE(bound.foot(1000, 1100).has_value());  // beyond ZD
    const auto foot = bound.foot(500, -2);
    ASSERT_TRUE(foot.has_value());
    EXPECT_NEAR(foot->station, 500, 1e-9);
    EXPECT_NEAR(foot->offset, -2, 1e-9);
    EXPECT_FALSE(foot->zone.has_value());
}

// A long chain (长链) at the route's own station 500: the displayed
// stations go back to 450, so 450 to 500 occur twice, zone 0 before the
// break and zone 1 after it. Displayed s in zone 1 is own s + 50.
TEST(RouteDesignCheck, ZonesPickTheStretchOfARouteWithAChainBreak)
{
    const Route route = RightAngleRoute({{"", 500, 450, 0}});
    ASSERT_TRUE(route.hasBreaks());
    const RouteInverse inverse(route);
    const Profile profile = Grade(2000);  // own stations
    const std::string text = "点名,桩号,X,Y,高程,分区\n"
                             "A,300,300,0,103,\n"     // 2: only in zone 0
                             "B,480,480,0,104.8,0\n"  // 3: zone 0, own 480
                             "C,480,530,0,105.3,1\n"  // 4: zone 1, own 530
                             "D,480,530,0,,\n"        // 5: twice on the route, no zone
                             "E,600,650,0,106.5,\n"   // 6: only in zone 1, own 650
                             "F,480,480,0,,1\n";      // 7: zone 1's 480 is own 530, 50 m on
    const DesignCheckResult r = CheckDesign(ParseDesignTable(text), DesignCheckRouteOf(route, inverse, &profile));
    ASSERT_EQ(r.rows.size(), 6u);
    EXPECT_TRUE(r.zoneColumn);
    for (int line : {2, 3, 4, 6}) {
        SCOPED_TRACE(line);
        const DesignCheckRow& row = Line(r, line);
        EXPECT_EQ(row.kind, DesignClass::Ok) << row.reason;
        EXPECT_NEAR(*row.distance, 0, 1e-9);
        EXPECT_NEAR(*row.dz, 0, 1e-9);
        EXPECT_NEAR(*row.footStation, *row.station, 1e-6);  // displayed
    }
    EXPECT_EQ(*Line(r, 3).footZone, 0);
    EXPECT_EQ(*Line(r, 4).footZone, 1);
    EXPECT_EQ(*Line(r, 6).footZone, 1);
    EXPECT_EQ(Line(r, 5).kind, DesignClass::Ambiguous);
    EXPECT_NE(Line(r, 5).reason.find("请指明区段"), std::string::npos) << Line(r, 5).reason;
    // Line 7: the point of own 480 under zone 1's 480 (own 530): the station is wrong.
    const DesignCheckRow& f = Line(r, 7);
    EXPECT_EQ(f.kind, DesignClass::Station) << f.reason;
    EXPECT_NEAR(*f.distance, 50, 1e-9);
    EXPECT_NEAR(*f.footStation, 480, 1e-6);
    EXPECT_EQ(*f.footZone, 0);
}

}  // namespace
}  // namespace tarvelo
