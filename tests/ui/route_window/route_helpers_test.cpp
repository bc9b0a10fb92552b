// The route window's pure helpers: angle texts and their round trip, the JD
// table's cell rules and pasted blocks, the stake inputs, the points file,
// the scale bar and the sampling of curved elements.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "ui/route_window/stakes/batch_inverse.h"
#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/plan/plan_overlay.h"
#include "ui/route_window/plan/plan_scene.h"
#include "ui/route_window/document/route_texts.h"
#include "ui/route_window/stakes/stake_inputs.h"

namespace tarvelo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// 152°09′41.68″ and friends, worked by hand: d + m/60 + s/3600.
TEST(DmsNumberText, WritesDegreesMinutesSecondsWithSixDecimalsOfSeconds)
{
    const struct {
        double degrees;
        const char* text;
    } cases[] = {
        {152 + 9 / 60.0 + 41.68 / 3600, "152.094168"},
        {10.5, "10.3"},
        {10 + 1 / 60.0, "10.01"},
        {-(14 + 18 / 60.0 + 10 / 3600.0), "-14.181"},
        {0, "0"},
        {-0.0, "0"},
        {-1e-12, "0"},                        // rounds to 0: no sign
        {90, "90"},
        {359.99999999999, "360"},             // the carry runs through seconds and minutes
        {59 / 60.0 + 59.9999996 / 3600, "1"},  // 59′59.9999996″ -> 1°
        {1.234567e-4, "0.0000444444"},       // 0.444444″
        {98 + 56 / 60.0 + 55.123456 / 3600, "98.5655123456"},
    };
    for (const auto& c : cases) EXPECT_EQ(DmsNumberText(c.degrees), c.text) << c.degrees;
}

TEST(DmsNumberText, ReadsBackThroughTheWindowsReaderWithinHalfAMicrosecond)
{
    // The main window reads the box leniently, then as d.mmss.
    const double tolerance = 0.5e-6 / 3600 + 1e-12;  // half the last written digit, plus rounding
    for (int i = 0; i < 20000; ++i) {
        // Angles across (-360, 360) with every kind of fraction.
        const double deg = std::fmod(i * 37.77777131 + i * i * 1e-7, 720.0) - 360.0;
        const std::string text = DmsNumberText(deg);
        const double back = DmsToDegrees(ReadLeadingNumber(text));
        ASSERT_NEAR(back, deg, tolerance) << text;
    }
}

TEST(DmsNumberText, RefusesWhatCannotBeAnAngleText)
{
    EXPECT_THROW(DmsNumberText(kNaN), FloatFault);
    EXPECT_THROW(DmsNumberText(kInf), FloatFault);
    EXPECT_THROW(DmsNumberText(2e6), std::out_of_range);
    EXPECT_EQ(DmsNumberText(1e6), "1000000");
}

TEST(PlainNumberText, ShortestRoundTripWithoutAnExponent)
{
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {3000000, "3000000"}, {500000, "500000"}, {0.1, "0.1"}, {-0.0, "0"}, {0, "0"},
        {3378226.731, "3378226.731"}, {1e-7, "0.0000001"}, {-12.5, "-12.5"},
        {1e21, "1000000000000000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(PlainNumberText(c.v), c.text) << c.v;
    for (double v : {0.1 + 0.2, 1.0 / 3, 3378226.7310000001, 9007199254740993.0})
        EXPECT_EQ(std::stod(PlainNumberText(v)), v);
    EXPECT_THROW(PlainNumberText(kInf), FloatFault);
}

TEST(DeflectionText, NamesTheSideAndCarriesRoundedSeconds)
{
    EXPECT_EQ(DeflectionText(25 + 18 / 60.0 + 36.5 / 3600), "右 25°18′36.5″");
    EXPECT_EQ(DeflectionText(-3), "左 3°0′0.0″");
    EXPECT_EQ(DeflectionText(59 / 60.0 + 59.96 / 3600), "右 1°0′0.0″");
    EXPECT_EQ(DeflectionText(-179.99999), "左 180°0′0.0″");  // 179°59′59.964″
    EXPECT_THROW(DeflectionText(kNaN), FloatFault);
}

TEST(JdCells, ReadsNumbersStrictlyAndMarksEveryBadCell)
{
    const std::vector<JdRowTexts> texts = {
        {"", "0", " 0 ", "100", "", "", ""},
        {"A", "1000", "0", "", "300", "", "20"},
        {"", "abc", "1e999", "", "", "", ""},
        {"", "1000", "1000", "", "7", "", ""},
    };
    const JdRowsRead read = ReadJdRows(texts);
    EXPECT_TRUE(read.rows.empty());
    ASSERT_EQ(read.problems.size(), 4u);
    EXPECT_EQ(read.problems[0].row, 2);
    EXPECT_EQ(read.problems[0].column, kJdX);
    EXPECT_NE(read.problems[0].message.find("第 3 行 X不是数：“abc”"), std::string::npos)
        << read.problems[0].message;
    EXPECT_EQ(read.problems[1].column, kJdY);  // beyond a double is not a number
    EXPECT_EQ(read.problems[2].column, kJdR);  // row 3 is a JD now: R missing
    EXPECT_EQ(read.problems[3].row, 3);        // R on ZD
    EXPECT_EQ(read.problems[3].column, kJdR);

    const JdRowsRead good = ReadJdRows({texts[0], texts[1], texts[3]} );
    // texts[3] has an R on ZD: still a problem.
    EXPECT_EQ(good.problems.size(), 1u);
    std::vector<JdRowTexts> fixed = {texts[0], texts[1], {"", "1000", "1000", "", "", "", ""}};
    const JdRowsRead ok = ReadJdRows(fixed);
    ASSERT_TRUE(ok.problems.empty());
    ASSERT_EQ(ok.rows.size(), 3u);
    EXPECT_EQ(ok.rows[0].name, "QD");
    EXPECT_EQ(*ok.rows[0].station, 100);
    EXPECT_EQ(ok.rows[1].name, "A");
    EXPECT_EQ(ok.rows[1].Ls1, 0);  // empty spiral
    EXPECT_EQ(ok.rows[1].Ls2, 20);
    EXPECT_FALSE(ok.rows[1].station.has_value());
    EXPECT_EQ(ok.rows[2].name, "ZD");
    // Written back as texts and read again: the same rows.
    const JdRowsRead again = ReadJdRows(JdTextsOf(ok.rows));
    ASSERT_TRUE(again.problems.empty());
    EXPECT_EQ(again.rows[1].R, 300);
    EXPECT_EQ(again.rows[1].Ls2, 20);
}

TEST(JdCells, SplitsSpreadsheetBlocksByTabsOrElseCommas)
{
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(SplitPastedBlock("a\tb\r\nc\td\r\n"), (Rows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(SplitPastedBlock("1,5\t2"), (Rows{{"1,5", "2"}}));  // tabs win
    EXPECT_EQ(SplitPastedBlock("x, 1 ,2\ny,3"), (Rows{{"x", "1", "2"}, {"y", "3"}}));
    EXPECT_EQ(SplitPastedBlock("a\t\tb"), (Rows{{"a", "", "b"}}));  // empty cells kept
    EXPECT_EQ(SplitPastedBlock(""), Rows{});
    EXPECT_EQ(SplitPastedBlock("\n"), (Rows{{""}}));
}

TEST(StakeInputs, DefaultsAreTheRoutesEndsAndSkewIsDmmss)
{
    StakeInputTexts t;
    t.start = t.startDefault = "10000";
    t.end = " 15191.07 ";
    t.endDefault = "15191.07";
    t.skew = "45.3";
    const StakeInputsRead read = ReadStakeInputs(t);
    ASSERT_TRUE(read.params.has_value()) << read.message;
    EXPECT_FALSE(read.params->start.has_value());
    EXPECT_FALSE(read.params->end.has_value());
    EXPECT_EQ(read.params->interval, 20);
    EXPECT_DOUBLE_EQ(read.params->a, 45.5);
    EXPECT_TRUE(read.params->mainPoints);

    const struct {
        StakeField field;
        std::string StakeInputTexts::*text;
        const char* value;
    } bad[] = {
        {StakeField::Interval, &StakeInputTexts::interval, "20m"},
        {StakeField::Start, &StakeInputTexts::start, "K1+000"},
        {StakeField::End, &StakeInputTexts::end, "1e400"},
        {StakeField::Offset, &StakeInputTexts::offset, ""},
        {StakeField::Skew, &StakeInputTexts::skew, "nan"},
    };
    for (const auto& b : bad) {
        StakeInputTexts u = t;
        u.*b.text = b.value;
        const StakeInputsRead r = ReadStakeInputs(u);
        EXPECT_FALSE(r.params.has_value()) << b.value;
        EXPECT_EQ(r.failed, b.field) << b.value;
        EXPECT_NE(r.message.find("不是数"), std::string::npos);
    }
    StakeInputTexts given = t;
    given.start = "10500";
    EXPECT_EQ(ReadStakeInputs(given).params->start, 10500);
}

TEST(SurveyedPoints, ReadThroughThePointFileReaderAndRefusedByLine)
{
    const SurveyedPointsRead read = ReadSurveyedPoints("name,X,Y\nP1,1,2\nP3,3,4\n# note\n");
    ASSERT_TRUE(read.errors.empty());
    ASSERT_EQ(read.points.size(), 2u);
    EXPECT_EQ(read.points[0].name, "P1");
    EXPECT_EQ(read.points[1].name, "P3");
    EXPECT_EQ(read.points[1].y, 4);
    EXPECT_EQ(read.points[1].line, 3);
    // X,Y without a header: the first line is a point, named by its line.
    const SurveyedPointsRead xy = ReadSurveyedPoints("1,2\n3,4\n");
    ASSERT_EQ(xy.points.size(), 2u);
    EXPECT_EQ(xy.points[0].name, "1");
    EXPECT_EQ(xy.points[0].x, 1);
    // CASS: east before north.
    const SurveyedPointsRead cass = ReadSurveyedPoints("K0+020,,455020.5,3378020.25,352\r\n");
    ASSERT_EQ(cass.points.size(), 1u);
    EXPECT_EQ(cass.points[0].x, 3378020.25);
    EXPECT_EQ(cass.points[0].y, 455020.5);

    const SurveyedPointsRead bad = ReadSurveyedPoints("P1,1,2\nP2,1\nP3,x,2\n");
    EXPECT_TRUE(bad.points.empty());
    ASSERT_EQ(bad.errors.size(), 2u);
    EXPECT_EQ(bad.errors[0].rfind("第 2 行", 0), 0u);
    EXPECT_EQ(ReadSurveyedPoints("").errors.size(), 1u);
}

TEST(ScaleBar, TakesTheLongestOneTwoOrFiveNotAboveTheRoom)
{
    const struct {
        double room, length;
    } cases[] = {
        {180, 100}, {0.3, 0.2}, {5000, 5000}, {499.9999, 200}, {1e-3, 1e-3},
        {999, 500}, {1, 1}, {0, 0}, {-5, 0}, {kNaN, 0}, {kInf, 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ScaleBarLength(c.room), c.length) << c.room;
    EXPECT_EQ(ScaleBarText(200), QStringLiteral("200 m"));
    EXPECT_EQ(ScaleBarText(0.5), QStringLiteral("0.5 m"));
    EXPECT_EQ(ScaleBarText(2000), QStringLiteral("2 km"));
}

TEST(PlanSampling, ChordsOfCurvesStayWithinTwoMillimetresOfTheArc)
{
    RouteElement arc;
    arc.kind = ElementKind::Arc;
    arc.radius = 500;
    arc.startStation = 1000;
    arc.endStation = 1300;
    const std::vector<double> k = SampleStations(arc);
    ASSERT_GE(k.size(), 3u);
    EXPECT_EQ(k.front(), 1000);
    EXPECT_EQ(k.back(), 1300);
    for (std::size_t i = 1; i < k.size(); ++i) {
        const double chord = k[i] - k[i - 1];
        EXPECT_GT(chord, 0);
        EXPECT_LE(chord * chord / (8 * arc.radius), 0.002 + 1e-12);  // sagitta
    }
    RouteElement line = arc;
    line.kind = ElementKind::Line;
    EXPECT_EQ(SampleStations(line), (std::vector<double>{1000, 1300}));
    arc.radius = 1e-9;  // absurd radius: capped, not millions of samples
    EXPECT_LE(SampleStations(arc).size(), 4001u);
}

}  // namespace
}  // namespace tarvelo
