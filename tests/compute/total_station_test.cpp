// Total-station stakeout data: the published worked example, the four
// quadrants against two backsights, the rounding at the full circle, the
// height difference, and every refusal.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "compute/total_station.h"
#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

InstrumentStation At(double x, double y)
{
    InstrumentStation s;
    s.name = "J";
    s.x = x;
    s.y = y;
    return s;
}

StakeTarget Target(std::string name, double x, double y, std::optional<double> z = std::nullopt)
{
    return StakeTarget{std::move(name), x, y, z};
}

StakeoutData MustCompute(const InstrumentStation& s, const Backsight& b, const std::vector<StakeTarget>& t)
{
    const StakeoutResult r = ComputeStakeout(s, b, t);
    EXPECT_TRUE(r.data) << r.refusal.value_or("");
    return r.data.value_or(StakeoutData{});
}

TEST(TotalStationTest, PublishedWorkedExample)
{
    // Station J (502.110, 496.225), backsight K (746.202, 456.588), point P
    // (450.000, 560.000): beta = 138°28'32", D = 82.357 m.
    const StakeoutData d = MustCompute(At(502.110, 496.225), Backsight::AtPoint("K", 746.202, 456.588),
                                       {Target("P", 450.000, 560.000)});
    ASSERT_EQ(d.lines.size(), 1u);
    const StakeoutLine& p = d.lines[0];
    ASSERT_TRUE(p.angle && p.azimuth);
    EXPECT_EQ(FormatAngleDms(*p.angle), "138°28ˊ32\"");
    EXPECT_EQ(AngleToDmsNumber(*p.angle), 138.2832);
    EXPECT_EQ(FormatFixed(p.distance, 3), "82.357");
    EXPECT_NEAR(p.distance, std::hypot(52.11, 63.775), 1e-12);
    // The two azimuths: J->K 350°46'35", J->P 129°15'07".
    EXPECT_EQ(FormatAngleDms(d.backsightAzimuth), "350°46ˊ35\"");
    EXPECT_EQ(FormatAngleDms(*p.azimuth), "129°15ˊ7\"");
    EXPECT_NEAR(*d.backsightDistance, std::hypot(244.092, 39.637), 1e-9);
    EXPECT_TRUE(p.note.empty());
    EXPECT_FALSE(p.designAboveSight);
}

TEST(TotalStationTest, QuadrantsAgainstTwoBacksights)
{
    const InstrumentStation s = At(1000, 2000);
    const std::vector<StakeTarget> targets = {Target("N", 1100, 2000), Target("E", 1000, 2100),
                                              Target("S", 900, 2000), Target("W", 1000, 1900),
                                              Target("NE", 1050, 2050)};
    // Backsight azimuth 359°59'59" typed in d.mmss.
    const double lastSecond = DmsToDegrees(359.5959);
    struct Case {
        const char* what;
        Backsight backsight;
        std::vector<std::string> angles;  // N, E, S, W, NE
    };
    const Case cases[] = {
        {"azimuth 0", Backsight::ByAzimuth(0), {"0°0ˊ0\"", "90°0ˊ0\"", "180°0ˊ0\"", "270°0ˊ0\"", "45°0ˊ0\""}},
        {"azimuth 359°59'59\"", Backsight::ByAzimuth(lastSecond),
         {"0°0ˊ1\"", "90°0ˊ1\"", "180°0ˊ1\"", "270°0ˊ1\"", "45°0ˊ1\""}},
        {"azimuth -1 second, reduced", Backsight::ByAzimuth(lastSecond - 360),
         {"0°0ˊ1\"", "90°0ˊ1\"", "180°0ˊ1\"", "270°0ˊ1\"", "45°0ˊ1\""}},
        {"backsight due east", Backsight::AtPoint("B", 1000, 2500),
         {"270°0ˊ0\"", "0°0ˊ0\"", "90°0ˊ0\"", "180°0ˊ0\"", "315°0ˊ0\""}},
        {"backsight due south", Backsight::AtPoint("B", 10, 2000),
         {"180°0ˊ0\"", "270°0ˊ0\"", "0°0ˊ0\"", "90°0ˊ0\"", "225°0ˊ0\""}},
    };
    const std::vector<std::string> azimuths = {"0°0ˊ0\"", "90°0ˊ0\"", "180°0ˊ0\"", "270°0ˊ0\"", "45°0ˊ0\""};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StakeoutData d = MustCompute(s, c.backsight, targets);
        ASSERT_EQ(d.lines.size(), targets.size());
        for (std::size_t i = 0; i < targets.size(); ++i) {
            SCOPED_TRACE(targets[i].name);
            const StakeoutLine& l = d.lines[i];
            EXPECT_EQ(l.name, targets[i].name);
            ASSERT_TRUE(l.angle && l.azimuth);
            EXPECT_GE(*l.angle, 0);
            EXPECT_LT(*l.angle, 360);
            EXPECT_EQ(FormatAngleDms(*l.azimuth), azimuths[i]);
            EXPECT_EQ(FormatAngleDms(*l.angle), c.angles[i]);
            EXPECT_NEAR(l.distance, i < 4 ? 100 : std::sqrt(5000.0), 1e-12);
        }
    }
}

TEST(TotalStationTest, AngleRoundingAtTheFullCircleAndCarries)
{
    struct Case {
        double degrees;
        int decimals;
        std::string text;
        double dms;
    };
    const Case cases[] = {
        {359.99999, 0, "0°0ˊ0\"", 0},                      // 359°59'59.964"
        {359.99987, 0, "0°0ˊ0\"", 0},                      // 359°59'59.532"
        {359.9998, 0, "359°59ˊ59\"", 359.5959},            // 359°59'59.28"
        {360, 0, "0°0ˊ0\"", 0},
        {-1e-12, 0, "0°0ˊ0\"", 0},
        {std::nextafter(360.0, 0.0), 0, "0°0ˊ0\"", 0},
        {359.99999, 1, "0°0ˊ0.0\"", 0},
        {359.99997, 1, "359°59ˊ59.9\"", 359.59599},        // 59.892"
        {359.999999, 2, "0°0ˊ0.00\"", 0},                  // 59.9964"
        {10 + 59.7 / 3600, 0, "10°1ˊ0\"", 10.01},          // seconds carry into minutes
        {10 + 59 / 60.0 + 59.7 / 3600, 0, "11°0ˊ0\"", 11}, // and on into degrees
        {-0.5, 0, "359°30ˊ0\"", 359.3},
        {720.25, 0, "0°15ˊ0\"", 0.15},
        {0.5, 0, "0°30ˊ0\"", 0.3},
        {138.47545492922293, 1, "138°28ˊ31.6\"", 138.28316},
        {138.47545492922293, 2, "138°28ˊ31.64\"", 138.283164},
        {-0.0, 0, "0°0ˊ0\"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.degrees) + " " + std::to_string(c.decimals));
        EXPECT_EQ(FormatAngleDms(c.degrees, c.decimals), c.text);
        const double dms = AngleToDmsNumber(c.degrees, c.decimals);
        EXPECT_EQ(dms, c.dms);
        EXPECT_FALSE(std::signbit(dms));
        const RoundedDms r = RoundAngleToDms(c.degrees, c.decimals);
        EXPECT_GE(r.degrees, 0);
        EXPECT_LT(r.degrees, 360);
        EXPECT_LT(r.minutes, 60);
        EXPECT_LT(r.seconds, 60);
        // Read back as the program reads d.mmss: within half the last unit.
        const double back = DmsToDegrees(dms);
        double diff = std::fabs(back - std::fmod(std::fmod(c.degrees, 360) + 360, 360));
        diff = std::fmin(diff, 360 - diff);
        EXPECT_LE(diff * 3600, 0.5 * std::pow(10, -c.decimals) + 1e-6);
    }
    for (double bad : {kNan, kInf, -kInf}) {
        EXPECT_THROW(FormatAngleDms(bad), FloatFault);
        EXPECT_THROW(AngleToDmsNumber(bad), FloatFault);
        EXPECT_THROW(RoundAngleToDms(bad), FloatFault);
    }
}

TEST(TotalStationTest, HairWestOfNorthIsZeroNot360)
{
    const StakeoutData d =
        MustCompute(At(0, 0), Backsight::ByAzimuth(0), {Target("A", 100, -1e-12), Target("B", 100, -1e-4)});
    ASSERT_TRUE(d.lines[0].angle && d.lines[1].angle);
    EXPECT_LT(*d.lines[0].angle, 360);
    EXPECT_EQ(FormatAngleDms(*d.lines[0].angle), "0°0ˊ0\"");
    // 1e-4 / 100 rad = 0.206" west of north: still 0°0'0" to the second.
    EXPECT_EQ(FormatAngleDms(*d.lines[1].angle), "0°0ˊ0\"");
    EXPECT_EQ(FormatAngleDms(*d.lines[1].angle, 1), "359°59ˊ59.8\"");
}

TEST(TotalStationTest, TargetOnTheStationGetsTheNoteOnly)
{
    const StakeoutData d = MustCompute(At(500, 500), Backsight::AtPoint("K", 600, 500),
                                       {Target("A", 500, 500), Target("B", 500.00005, 500), Target("C", 500, 510)});
    ASSERT_EQ(d.lines.size(), 3u);
    for (int i : {0, 1}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d.lines[i].note, "放样点与测站重合");
        EXPECT_FALSE(d.lines[i].angle);
        EXPECT_FALSE(d.lines[i].azimuth);
        EXPECT_LT(d.lines[i].distance, 1e-4);
    }
    EXPECT_TRUE(d.lines[2].note.empty());
    EXPECT_EQ(FormatAngleDms(*d.lines[2].angle), "90°0ˊ0\"");
}

TEST(TotalStationTest, HeightDifferenceFromStationInstrumentAndTarget)
{
    // H = 100.000, i = 1.500, v = 1.800: the level sight's target foot is at
    // 99.700. Design 101.234 -> +1.534 (above); 98.000 -> -1.700 (below).
    InstrumentStation s = At(0, 0);
    s.elevation = 100.0;
    s.instrumentHeight = 1.5;
    s.targetHeight = 1.8;
    const std::vector<StakeTarget> targets = {Target("A", 10, 0, 101.234), Target("B", 0, 10, 98.0),
                                              Target("C", -10, 0), Target("D", 0, 0, 99.7)};
    const StakeoutData d = MustCompute(s, Backsight::ByAzimuth(0), targets);
    ASSERT_TRUE(d.lines[0].designAboveSight && d.lines[1].designAboveSight);
    EXPECT_NEAR(*d.lines[0].designAboveSight, 1.534, 1e-12);
    EXPECT_NEAR(*d.lines[1].designAboveSight, -1.7, 1e-12);
    EXPECT_FALSE(d.lines[2].designAboveSight);  // no design elevation
    ASSERT_TRUE(d.lines[3].designAboveSight);   // on the station: the height still applies
    EXPECT_NEAR(*d.lines[3].designAboveSight, 0, 1e-12);

    // Without the instrument height (or the station's elevation) no heights.
    for (int missing : {0, 1}) {
        InstrumentStation t = s;
        (missing ? t.elevation : t.instrumentHeight).reset();
        for (const StakeoutLine& l : MustCompute(t, Backsight::ByAzimuth(0), targets).lines)
            EXPECT_FALSE(l.designAboveSight) << l.name;
    }
    // Target height defaults to 0: the sight base is H + i.
    InstrumentStation u = s;
    u.targetHeight = 0;
    EXPECT_NEAR(*MustCompute(u, Backsight::ByAzimuth(0), targets).lines[0].designAboveSight, -0.266, 1e-12);
}

TEST(TotalStationTest, Refusals)
{
    const InstrumentStation good = At(502.110, 496.225);
    const std::vector<StakeTarget> targets = {Target("P", 450, 560)};
    auto withStation = [&](auto change) {
        InstrumentStation s = good;
        change(s);
        return s;
    };
    Backsight both = Backsight::AtPoint("K", 1, 2);
    both.azimuth = 10;
    Backsight onlyX;
    onlyX.x = 5;
    struct Case {
        const char* what;
        InstrumentStation station;
        Backsight backsight;
        std::vector<StakeTarget> targets;
        std::string message;
    };
    const Case cases[] = {
        {"backsight on the station", good, Backsight::AtPoint("K", 502.110, 496.225), targets,
         "测站与后视点重合，无法定向，请另选后视点。"},
        {"backsight 0.05 mm from the station", good, Backsight::AtPoint("K", 502.11005, 496.225), targets,
         "测站与后视点重合，无法定向，请另选后视点。"},
        {"station X NaN", withStation([](InstrumentStation& s) { s.x = kNan; }), Backsight::ByAzimuth(0), targets,
         "测站坐标不是有限的数。"},
        {"station elevation infinite", withStation([](InstrumentStation& s) { s.elevation = kInf; }),
         Backsight::ByAzimuth(0), targets, "测站高程不是有限的数。"},
        {"instrument height NaN", withStation([](InstrumentStation& s) { s.instrumentHeight = kNan; }),
         Backsight::ByAzimuth(0), targets, "仪器高不是有限的数。"},
        {"target height NaN", withStation([](InstrumentStation& s) { s.targetHeight = kNan; }),
         Backsight::ByAzimuth(0), targets, "棱镜高不是有限的数。"},
        {"sight base overflowing", withStation([](InstrumentStation& s) {
             s.elevation = 1e308;
             s.instrumentHeight = 1e308;
         }),
         Backsight::ByAzimuth(0), targets, "测站高程加仪器高超出了可计算的范围。"},
        {"point and azimuth", good, both, targets, "后视只能给后视点坐标或后视方位角中的一种。"},
        {"only X of the backsight", good, onlyX, targets, "后视点缺少 X 或 Y 坐标。"},
        {"no backsight", good, Backsight{}, targets, "缺少后视：请给出后视点坐标或后视方位角。"},
        {"backsight NaN", good, Backsight::AtPoint("K", kNan, 1), targets, "后视点坐标不是有限的数。"},
        {"backsight azimuth infinite", good, Backsight::ByAzimuth(kInf), targets, "后视方位角不是有限的数。"},
        {"backsight too far", good, Backsight::AtPoint("K", -1.7e308, 1.7e308), targets,
         "测站到后视点的距离超出了可计算的范围。"},
        {"target NaN", good, Backsight::ByAzimuth(0), {Target("P", 450, 560), Target("Q", kNan, 1)},
         "放样点“Q”的坐标不是有限的数。"},
        {"unnamed target elevation NaN", good, Backsight::ByAzimuth(0), {Target("", 450, 560, kNan)},
         "放样点“第 1 个”的设计高程不是有限的数。"},
        {"target too far", good, Backsight::ByAzimuth(0), {Target("F", 1.7e308, -1.7e308)},
         "放样点“F”到测站的距离超出了可计算的范围。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StakeoutResult r = ComputeStakeout(c.station, c.backsight, c.targets);
        EXPECT_FALSE(r.data);
        EXPECT_EQ(r.refusal.value_or(""), c.message);
    }
}

}  // namespace
}  // namespace tarvelo
