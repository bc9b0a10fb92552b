#include "core/profile/profile.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();

// Elevations of a few hundred metres from hand-worked decimals: the grades
// come from elevation differences, so a few ulps of 400 m (1e-13) pile up;
// 1e-9 m is far below any survey meaning and far above that noise.
constexpr double kElevationTol = 1e-9;
// Grades are ratios; the same reasoning at 1e-12.
constexpr double kGradeTol = 1e-12;

GradePointInput Pt(double station, double elevation, std::optional<double> R = std::nullopt, int line = 0)
{
    GradePointInput p;
    p.station = station;
    p.elevation = elevation;
    p.R = R;
    p.line = line;
    return p;
}

Profile BuildOk(const std::vector<GradePointInput>& points)
{
    Profile::Built built = Profile::Build(points);
    if (!built.profile) throw std::runtime_error(built.error ? built.error->message : "no profile");
    EXPECT_FALSE(built.error);
    return *built.profile;
}

// Grade point K5+030 at 427.68 m between +5 % and -4 %, R 2000 (the example
// of the design manuals): the neighbours are placed on those grades.
std::vector<GradePointInput> K5030()
{
    return {Pt(4800, 427.68 - 0.05 * 230, {}, 2), Pt(5030, 427.68, 2000, 3), Pt(5300, 427.68 - 0.04 * 270, {}, 4)};
}

// A sag worked by hand: -2 % then +3 %, R 5000: omega 0.05, Lv 250, T 125,
// E 125^2 / 10000 = 1.5625, the curve from 275 to 525.
std::vector<GradePointInput> Sag() { return {Pt(0, 100), Pt(400, 92, 5000), Pt(1000, 110)}; }

// A crest worked by hand: +2 % then -1 %, R 10000: omega -0.03, Lv 300,
// T 150, E 150^2 / 20000 = 1.125, the curve from 1350 to 1650.
std::vector<GradePointInput> Crest() { return {Pt(1000, 50), Pt(1500, 60, 10000), Pt(2200, 53)}; }

struct CurveCase {
    const char* name;
    std::vector<GradePointInput> points;
    double omega, Lv, T, E, start, end, gradeIn, gradeOut;
    bool crest;
};

TEST(Profile, CurveElementsAgainstHandWorkedValues)
{
    const CurveCase cases[] = {
        {"K5+030", K5030(), -0.09, 180, 90, 2.025, 4940, 5120, 0.05, -0.04, true},
        {"sag", Sag(), 0.05, 250, 125, 1.5625, 275, 525, -0.02, 0.03, false},
        {"crest", Crest(), -0.03, 300, 150, 1.125, 1350, 1650, 0.02, -0.01, true},
    };
    for (const CurveCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Profile profile = BuildOk(c.points);
        ASSERT_EQ(profile.curves().size(), 1u);
        const VerticalCurve& v = profile.curves()[0];
        EXPECT_EQ(v.station, c.points[1].station);
        EXPECT_EQ(v.elevation, c.points[1].elevation);
        EXPECT_EQ(v.R, *c.points[1].R);
        EXPECT_NEAR(v.omega, c.omega, kGradeTol);
        EXPECT_NEAR(v.Lv, c.Lv, 1e-9);
        EXPECT_NEAR(v.T, c.T, 1e-9);
        EXPECT_NEAR(v.E, c.E, 1e-9);
        EXPECT_NEAR(v.start, c.start, 1e-9);
        EXPECT_NEAR(v.end, c.end, 1e-9);
        EXPECT_NEAR(v.gradeIn, c.gradeIn, kGradeTol);
        EXPECT_NEAR(v.gradeOut, c.gradeOut, kGradeTol);
        EXPECT_EQ(v.crest(), c.crest);
        EXPECT_EQ(v.sag(), !c.crest);
        EXPECT_EQ(profile.startStation(), c.points.front().station);
        EXPECT_EQ(profile.endStation(), c.points.back().station);
    }
}

struct StationCase {
    double station, elevation, grade;
};

TEST(Profile, ElevationAndGradeAgainstHandWorkedValues)
{
    const struct {
        const char* name;
        std::vector<GradePointInput> points;
        std::vector<StationCase> stations;
    } cases[] = {
        // K5+000: grade line 427.68 - 0.05 * 30 = 426.18, x = 60 from the
        // start, y = 3600 / 4000 = 0.9.  K5+100: 427.68 - 0.04 * 70 = 424.88,
        // x = 20 from the end, y = 0.1.
        {"K5+030",
         K5030(),
         {{4800, 416.18, 0.05},
          {4900, 421.18, 0.05},
          {4940, 423.18, 0.05},   // curve start
          {5000, 425.28, 0.02},   // 0.05 - 60 / 2000
          {5030, 425.655, 0.005}, // grade point: 427.68 - E
          {5100, 424.78, -0.03},  // -0.04 + 20 / 2000
          {5120, 424.08, -0.04},  // curve end
          {5300, 416.88, -0.04}}},
        // 300: 92 + 0.02 * 100 + 25^2 / 10000; 500: 92 + 0.03 * 100 + 0.0625.
        {"sag",
         Sag(),
         {{0, 100, -0.02},
          {275, 94.5, -0.02},
          {300, 94.0625, -0.015},
          {400, 93.5625, 0.005},
          {500, 95.0625, 0.025},
          {525, 95.75, 0.03},
          {1000, 110, 0.03}}},
        // 1400: 60 - 0.02 * 100 - 50^2 / 20000; 1600: 60 - 0.01 * 100 - 0.125.
        {"crest",
         Crest(),
         {{1000, 50, 0.02},
          {1350, 57, 0.02},
          {1400, 57.875, 0.015},
          {1500, 58.875, 0.005},
          {1600, 58.875, -0.005},
          {1650, 58.5, -0.01},
          {2200, 53, -0.01}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Profile profile = BuildOk(c.points);
        for (const StationCase& s : c.stations) {
            SCOPED_TRACE(s.station);
            const auto h = profile.ElevationAt(s.station);
            const auto g = profile.GradeAt(s.station);
            ASSERT_TRUE(h && g);
            EXPECT_NEAR(*h, s.elevation, kElevationTol);
            EXPECT_NEAR(*g, s.grade, kGradeTol);
        }
    }
}

// Two crests and two sags and a point with no change of grade between them.
std::vector<GradePointInput> Mixed()
{
    return {
        Pt(0, 200),            Pt(600, 212, 8000),     // +2 % -> -1.5 %: crest, T 140
        Pt(1150, 203.75, 4000), // -1.5 % -> +1 %: sag, T 50, end 1200
        Pt(1700, 209.25, 6000), // +1 % -> +1 %: omega 0
        Pt(2300, 215.25, 3000), // +1 % -> -2 %: crest, T 45
        Pt(2500, 211.25, 5000), // -2 % -> +0.5 %: sag, T 62.5
        Pt(3000, 213.75),
    };
}

// The elevation inside a curve in a second, independent form: one parabola
// from the curve's start, H_start + i_in x + omega x^2 / (2 Lv).
double ParabolaFromStart(const VerticalCurve& c, double s)
{
    const double x = s - c.start;
    const double hStart = c.elevation - c.gradeIn * c.T;
    return hStart + c.gradeIn * x + c.omega * x * x / (2 * c.Lv);
}

TEST(Profile, CurvesAgreeWithTheSingleParabolaForm)
{
    const Profile profile = BuildOk(Mixed());
    int checked = 0;
    for (const VerticalCurve& c : profile.curves()) {
        if (c.Lv == 0) continue;
        for (int i = 0; i <= 40; ++i) {
            const double s = c.start + c.Lv * i / 40;
            SCOPED_TRACE(s);
            EXPECT_NEAR(*profile.ElevationAt(s), ParabolaFromStart(c, s), kElevationTol);
            EXPECT_NEAR(*profile.GradeAt(s), c.gradeIn + c.omega * (s - c.start) / c.Lv, kGradeTol);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 4 * 41);
}

TEST(Profile, ElevationAndGradeAreContinuousAcrossEveryCurveEndAndGradePoint)
{
    // Both sides of each joint at delta: a step in elevation or grade at a
    // curve end (y from the wrong end, a wrong sign) is of the size of E or
    // omega, far above these bounds. Elevation: the steepest grade (5 %)
    // times the distance 2 delta plus rounding of 400 m values (1e-10).
    // Grade: 2 delta over the smallest R (2000) plus rounding.
    const double delta = 1e-6;
    for (const auto& points : {K5030(), Sag(), Crest(), Mixed()}) {
        const Profile profile = BuildOk(points);
        std::vector<double> joints;
        for (const VerticalCurve& c : profile.curves()) joints.insert(joints.end(), {c.start, c.station, c.end});
        for (double s : joints) {
            SCOPED_TRACE(s);
            const auto h0 = profile.ElevationAt(s - delta), h1 = profile.ElevationAt(s + delta);
            const auto g0 = profile.GradeAt(s - delta), g1 = profile.GradeAt(s + delta);
            const auto h = profile.ElevationAt(s);
            ASSERT_TRUE(h0 && h1 && g0 && g1 && h);
            EXPECT_NEAR(*h1, *h0, 2 * delta * 0.05 + 1e-10);
            EXPECT_NEAR(*h, (*h0 + *h1) / 2, 1e-10);
            EXPECT_NEAR(*g1, *g0, 2 * delta / 2000 + 1e-12);
        }
    }
}

TEST(Profile, GradePointsWithoutCurveKeepTheirElevationExactly)
{
    const Profile profile = BuildOk(Mixed());
    EXPECT_EQ(*profile.ElevationAt(0), 200);
    EXPECT_EQ(*profile.ElevationAt(3000), 213.75);
    // omega == 0: a curve of zero length that changes nothing.
    const VerticalCurve& flat = profile.curves()[2];
    EXPECT_EQ(flat.Lv, 0);
    EXPECT_EQ(flat.T, 0);
    EXPECT_EQ(flat.E, 0);
    EXPECT_FALSE(flat.crest());
    EXPECT_FALSE(flat.sag());
    EXPECT_EQ(*profile.ElevationAt(1700), 209.25);
    EXPECT_NEAR(*profile.GradeAt(1700), 0.01, kGradeTol);
    // The end of the sag at 1150 lies on the +1 % grade line.
    EXPECT_NEAR(*profile.ElevationAt(1200), 203.75 + 0.5, kElevationTol);
}

TEST(Profile, CurvesThatMeetAreAcceptedAndTheirJointIsSmooth)
{
    // Crest T 100 ends at 1100, sag T 100 starts at 1100.
    // 0 -> 1000: +2 %; 1000 -> 1200: -2 %; 1200 -> 2000: +2 %.
    const std::vector<GradePointInput> points = {Pt(0, 0), Pt(1000, 20, 5000), Pt(1200, 16, 5000), Pt(2000, 32)};
    const Profile profile = BuildOk(points);
    EXPECT_NEAR(profile.curves()[0].end, 1100, 1e-9);
    EXPECT_NEAR(profile.curves()[1].start, 1100, 1e-9);
    // At 1100 both curves end on the grade line's midpoint 18: no offset.
    EXPECT_NEAR(*profile.ElevationAt(1100), 18, kElevationTol);
    EXPECT_NEAR(*profile.GradeAt(1100), -0.02, kGradeTol);
    // A tenth of a metre more radius (2 mm more T) makes them overlap.
    std::vector<GradePointInput> over = points;
    over[2].R = 5000.1;
    EXPECT_FALSE(Profile::Build(over).profile);
}

TEST(Profile, QueriesOutsideTheProfileOrNotFiniteGiveNothing)
{
    const Profile profile = BuildOk({Pt(0, 100), Pt(400, 92, 5000), Pt(1000, 110)});
    const struct {
        double s;
        std::optional<double> elevation;
    } cases[] = {
        {0.0, 100},
        {-0.0, 100},
        {1000, 110},
        {std::nextafter(0.0, -1.0), std::nullopt},
        {std::nextafter(1000.0, 2000.0), std::nullopt},
        {-1000, std::nullopt},
        {kMax, std::nullopt},
        {-kMax, std::nullopt},
        {kInf, std::nullopt},
        {-kInf, std::nullopt},
        {kNaN, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s);
        EXPECT_EQ(profile.ElevationAt(c.s), c.elevation);
        EXPECT_EQ(profile.GradeAt(c.s).has_value(), c.elevation.has_value());
    }
}

TEST(Profile, HugeButComputableProfilesGiveFiniteValuesEverywhere)
{
    const std::vector<std::vector<GradePointInput>> cases = {
        // Stations across 1e300 with a gentle grade.
        {Pt(-1e300, 0), Pt(0, 1e290, 1e300), Pt(1e300, 0)},
        // Elevations near the largest double but flat enough to compute.
        {Pt(0, kMax / 4), Pt(1000, kMax / 4, 1000), Pt(2000, kMax / 4)},
        // Tiny stations and radius.
        {Pt(0, 0), Pt(1e-300, 1e-302, 1e-300), Pt(2e-300, 0)},
    };
    for (const auto& points : cases) {
        const Profile profile = BuildOk(points);
        for (int i = 0; i <= 64; ++i) {
            const double s = profile.startStation() + (profile.endStation() - profile.startStation()) / 64 * i;
            const auto s2 = std::min(s, profile.endStation());
            ASSERT_TRUE(profile.ElevationAt(s2));
            EXPECT_TRUE(std::isfinite(*profile.ElevationAt(s2)));
            EXPECT_TRUE(std::isfinite(*profile.GradeAt(s2)));
        }
    }
}

TEST(Profile, RefusedProfilesNameTheLineAndTheReason)
{
    const struct {
        const char* name;
        std::vector<GradePointInput> points;
        int line;
        std::string message;
    } cases[] = {
        {"no points", {}, 0, "纵断面至少要有起点和终点两个变坡点，现在只有 0 个。"},
        {"one point", {Pt(0, 1, {}, 3)}, 0, "纵断面至少要有起点和终点两个变坡点，现在只有 1 个。"},
        {"NaN station", {Pt(0, 1, {}, 2), Pt(kNaN, 1, {}, 3)}, 3, "第 3 行：桩号不是有限的数。"},
        {"infinite elevation", {Pt(0, -kInf, {}, 2), Pt(1, 1, {}, 3)}, 2, "第 2 行：高程不是有限的数。"},
        {"infinite R",
         {Pt(0, 1, {}, 2), Pt(1, 1, kInf, 3), Pt(2, 1, {}, 4)},
         3,
         "第 3 行：竖曲线半径R不是有限的数。"},
        {"equal stations",
         {Pt(0, 1, {}, 2), Pt(100, 1, 100, 3), Pt(100, 2, {}, 5)},
         5,
         "第 5 行：桩号 100 不大于上一个变坡点的桩号 100，变坡点的桩号必须逐个增大。"},
        {"decreasing stations",
         {Pt(0, 1, {}, 2), Pt(-0.5, 1, {}, 3)},
         3,
         "第 3 行：桩号 -0.5 不大于上一个变坡点的桩号 0，变坡点的桩号必须逐个增大。"},
        {"-0 and +0 are the same station",
         {Pt(-0.0, 1, {}, 2), Pt(0.0, 1, {}, 3)},
         3,
         "第 3 行：桩号 0 不大于上一个变坡点的桩号 0，变坡点的桩号必须逐个增大。"},
        {"R on the start",
         {Pt(0, 1, 100, 2), Pt(100, 1, {}, 3)},
         2,
         "第 2 行：纵断面的起点不设竖曲线，半径R一栏应当空着。"},
        {"R on the end",
         {Pt(0, 1, {}, 2), Pt(100, 1, 0, 3)},
         3,
         "第 3 行：纵断面的终点不设竖曲线，半径R一栏应当空着。"},
        {"middle without R",
         {Pt(0, 1, {}, 2), Pt(100, 2, 100, 3), Pt(200, 1, {}, 4), Pt(300, 2, {}, 5)},
         4,
         "第 4 行：变坡点缺少竖曲线半径R。"},
        {"zero R",
         {Pt(0, 1, {}, 2), Pt(100, 2, 0, 3), Pt(200, 1, {}, 4)},
         3,
         "第 3 行：竖曲线半径R为 0，应当大于零。"},
        {"R of -0",
         {Pt(0, 1, {}, 2), Pt(100, 2, -0.0, 3), Pt(200, 1, {}, 4)},
         3,
         "第 3 行：竖曲线半径R为 0，应当大于零。"},
        {"negative R",
         {Pt(0, 1, {}, 2), Pt(100, 2, -2500, 3), Pt(200, 1, {}, 4)},
         3,
         "第 3 行：竖曲线半径R为 -2500，应当大于零。"},
        {"typed point without R",
         {Pt(0, 1), Pt(100, 2), Pt(200, 1)},
         0,
         "第 2 个变坡点：变坡点缺少竖曲线半径R。"},
        // +-2 %, omega -0.04, R 5000: T 100 from 900 but the profile starts
        // at 950.
        {"curve before the start",
         {Pt(950, 19, {}, 2), Pt(1000, 20, 5000, 3), Pt(2000, 0, {}, 4)},
         3,
         "第 3 行：竖曲线起点 900 在纵断面起点 950 之前，半径R太大或变坡点离起点太近。"},
        {"curve past the end",
         {Pt(0, 0, {}, 2), Pt(1000, 20, 5000, 3), Pt(1050, 19, {}, 4)},
         3,
         "第 3 行：竖曲线终点 1100 在纵断面终点 1050 之后，半径R太大或变坡点离终点太近。"},
        // T 100 each, grade points 150 m apart: 50 m of overlap.
        {"overlapping curves",
         {Pt(0, 0, {}, 2), Pt(1000, 20, 5000, 3), Pt(1150, 17, 5000, 4), Pt(2000, 34, {}, 5)},
         4,
         "第 4 行：竖曲线起点 1050 在上一个竖曲线终点 1100 之前，两个竖曲线重叠，应减小半径R。"},
        {"grade too steep to compute",
         {Pt(0, 0, {}, 2), Pt(1e-300, 1e10, {}, 3)},
         3,
         "第 3 行：与上一个变坡点之间的坡度超出了可计算的范围。"},
        {"curve too long to compute",
         {Pt(0, 0, {}, 2), Pt(1, 1, kMax, 3), Pt(2, 0, {}, 4)},
         3,
         "第 3 行：竖曲线要素超出了可计算的范围。"},
        {"elevations too large",
         {Pt(0, kMax, {}, 2), Pt(1, kMax, {}, 3)},
         2,
         "第 2 行：高程过大，纵断面上的高程超出了可计算的范围。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Profile::Built built = Profile::Build(c.points);
        EXPECT_FALSE(built.profile);
        ASSERT_TRUE(built.error);
        EXPECT_EQ(built.error->line, c.line);
        EXPECT_EQ(built.error->message, c.message);
    }
}

TEST(Profile, OverlapWithinAMicrometreIsTakenAsCurvesThatMeet)
{
    // Curve ends computed from R may miss each other by rounding; 1e-6 m is
    // accepted, a millimetre is not.
    std::vector<GradePointInput> points = {Pt(0, 0), Pt(1000, 20, 5000), Pt(1200, 16, 5000), Pt(2000, 32)};
    points[2].R = 5000 + 0.5e-6 / 0.04 * 2;  // T grows by 0.5e-6
    EXPECT_TRUE(Profile::Build(points).profile);
    points[2].R = 5000 + 1e-3 / 0.04 * 2;  // T grows by 1 mm
    EXPECT_FALSE(Profile::Build(points).profile);
}

}  // namespace
}  // namespace tarvelo
