// LandXML as design software writes it: several alignments, joints that are
// not quite tangent or closed, curves that touch across a rounded straight,
// egg curves, alignments without a straight or without a curve, and the
// vertical profile. The alignments are drawn by tests/support's designer,
// whose coordinates come from trigonometry and the clothoid's series, not
// from the reader's arithmetic.

#include <gtest/gtest.h>

#include <QByteArray>

#include <cmath>
#include <limits>
#include <string>

#include "core/profile/profile.h"
#include "reports/landxml_reader.h"
#include "tests/support/landxml_design.h"

namespace tarvelo {
namespace {

using testing::AlignmentXml;
using testing::Designer;
using testing::LandXmlDoc;

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kRad = std::acos(-1.0) / 180;  // a degree in radians
const double kSecond = kRad / 3600;

QByteArray Bytes(const std::string& s) { return QByteArray::fromStdString(s); }

double Deg(double radians)
{
    double d = std::fmod(radians / kRad, 360.0);
    return d < 0 ? d + 360 : d;
}

// Every element keeps the file's Start (1 mm) and the designer's heading
// there (0.01").
void ExpectStarts(const LandXmlAlignment& a, const Designer& d, const std::vector<double>& headings)
{
    ASSERT_EQ(a.elements.size(), d.starts().size());
    for (std::size_t i = 0; i < a.elements.size(); ++i) {
        const ElementInput& e = a.elements[i];
        ASSERT_TRUE(e.x && e.y && e.azimuth) << i;
        EXPECT_NEAR(*e.x, d.starts()[i].x, 1e-3) << i;
        EXPECT_NEAR(*e.y, d.starts()[i].y, 1e-3) << i;
        if (i < headings.size()) {
            double diff = std::fabs(*e.azimuth - Deg(headings[i]));
            diff = std::min(diff, 360 - diff);
            EXPECT_LT(diff * 3600, 0.01) << i;
        }
        EXPECT_GT(e.length, 0) << i;
    }
}

// Straight, spiral into R 500, arc, egg spiral R 500 -> R 300, arc, spiral
// out, straight; all turning right, headings noted at every start.
Designer EggRamp(std::vector<double>* headings, bool spiralPis = true)
{
    Designer d(3378000, 455000, 30 * kRad);
    const auto note = [&] { headings->push_back(d.azimuth()); };
    note(), d.Line(120);
    note(), d.Spiral(kInf, 500, 80, 1, spiralPis);
    note(), d.Arc(500, 60, 1);
    note(), d.Spiral(500, 300, 50, 1, spiralPis);
    note(), d.Arc(300, 40, 1);
    note(), d.Spiral(300, kInf, 70, 1, spiralPis);
    note(), d.Line(100);
    return d;
}

TEST(LandXmlGeneral, EggCurveBetweenTwoArcsIsAnElementRoute)
{
    for (const bool pis : {true, false}) {
        SCOPED_TRACE(pis ? "spirals with PI" : "spirals without PI: directions from the element before");
        std::vector<double> headings;
        const Designer d = EggRamp(&headings, pis);
        const auto r = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("Ramp A", 1000, d.xml()))));
        ASSERT_TRUE(r.ok()) << r.error->toStdString();
        const LandXmlAlignment& a = *r.value;
        EXPECT_EQ(a.name, QStringLiteral("Ramp A"));
        EXPECT_TRUE(a.rows.empty());
        // The series and the reader's integration agree: no joint is off.
        EXPECT_TRUE(a.warnings.empty()) << a.warnings.front();
        ExpectStarts(a, d, headings);
        ASSERT_EQ(a.elements.size(), 7u);
        EXPECT_EQ(*a.elements[0].station, 1000);
        EXPECT_FALSE(a.elements[1].station);
        const double lengths[7] = {120, 80, 60, 50, 40, 70, 100};
        const double r0[7] = {kInf, kInf, 500, 500, 300, 300, kInf}, r1[7] = {kInf, 500, 500, 300, 300, kInf, kInf};
        for (int i = 0; i < 7; ++i) {
            EXPECT_NEAR(a.elements[i].length, lengths[i], 1e-9) << i;
            EXPECT_EQ(a.elements[i].startRadius, r0[i]) << i;
            EXPECT_EQ(a.elements[i].endRadius, r1[i]) << i;
            EXPECT_EQ(a.elements[i].turn, i == 0 || i == 6 ? 0 : 1) << i;
        }
    }
}

TEST(LandXmlGeneral, AlignmentsAreListedAndPickedByName)
{
    std::vector<double> headings;
    const Designer ramp = EggRamp(&headings);
    Designer main(0, 0, 0);
    main.Line(100);
    main.Arc(200, 100, -1);
    main.Line(150);
    const std::string doc = LandXmlDoc(AlignmentXml("Main", 0, main.xml()) +
                                       "<Alignment name=\"Ramp A\" staStart=\"1000\" length=\"520\"><CoordGeom>" +
                                       ramp.xml() + "</CoordGeom></Alignment>");
    const auto list = ListLandXmlAlignments(Bytes(doc));
    ASSERT_TRUE(list.ok()) << list.error->toStdString();
    ASSERT_EQ(list.value->size(), 2u);
    EXPECT_EQ((*list.value)[0].name, QStringLiteral("Main"));
    EXPECT_EQ((*list.value)[0].elementCount, 3u);
    ASSERT_TRUE((*list.value)[0].length);
    EXPECT_NEAR(*(*list.value)[0].length, 350, 1e-9) << "no length attribute: the elements' sum";
    EXPECT_EQ((*list.value)[1].name, QStringLiteral("Ramp A"));
    EXPECT_EQ((*list.value)[1].elementCount, 7u);
    EXPECT_EQ(*(*list.value)[1].length, 520) << "the attribute";

    const auto unnamed = ParseLandXmlAlignment(Bytes(doc));
    ASSERT_FALSE(unnamed.ok());
    EXPECT_TRUE(unnamed.error->contains(QStringLiteral("不止一条"))) << unnamed.error->toStdString();
    EXPECT_TRUE(unnamed.error->contains(QStringLiteral("“Main”、“Ramp A”"))) << unnamed.error->toStdString();

    const auto first = ParseLandXmlAlignment(Bytes(doc), QStringLiteral("Main"));
    ASSERT_TRUE(first.ok()) << first.error->toStdString();
    EXPECT_EQ(first.value->rows.size(), 3u) << "a JD route: QD, JD1, ZD";
    EXPECT_TRUE(first.value->elements.empty());
    // JD1 where the tangents meet: 100 m north, then T = R tan(delta / 2).
    EXPECT_NEAR(first.value->rows[1].x, 100 + 200 * std::tan(0.25), 1e-6);
    EXPECT_NEAR(first.value->rows[1].y, 0, 1e-6);
    EXPECT_EQ(first.value->rows[1].R, 200);

    const auto second = ParseLandXmlAlignment(Bytes(doc), QStringLiteral("Ramp A"));
    ASSERT_TRUE(second.ok()) << second.error->toStdString();
    EXPECT_EQ(second.value->elements.size(), 7u);

    const auto none = ParseLandXmlAlignment(Bytes(doc), QStringLiteral("Ramp B"));
    ASSERT_FALSE(none.ok());
    EXPECT_TRUE(none.error->contains(QStringLiteral("“Ramp B”"))) << none.error->toStdString();
    EXPECT_TRUE(none.error->contains(QStringLiteral("“Main”、“Ramp A”"))) << none.error->toStdString();

    // An alignment the reader refuses does not stop the listing or another pick.
    const std::string withBad = LandXmlDoc(AlignmentXml("Main", 0, main.xml()) +
                                           AlignmentXml("Odd", 0, "<Chain>1 2</Chain>"));
    const auto list2 = ListLandXmlAlignments(Bytes(withBad));
    ASSERT_TRUE(list2.ok());
    ASSERT_EQ(list2.value->size(), 2u);
    EXPECT_EQ((*list2.value)[1].elementCount, 1u);
    EXPECT_FALSE((*list2.value)[1].length);
    EXPECT_TRUE(ParseLandXmlAlignment(Bytes(withBad), QStringLiteral("Main")).ok());
    const auto odd = ParseLandXmlAlignment(Bytes(withBad), QStringLiteral("Odd"));
    ASSERT_FALSE(odd.ok());
    EXPECT_TRUE(odd.error->contains(QStringLiteral("线形“Odd”第 1 个元素（Chain）"))) << odd.error->toStdString();
}

TEST(LandXmlGeneral, KinkedJointIsKeptWithOneWarning)
{
    // The arc starts 40" off the straight's direction.
    Designer d(1000, 2000, 60 * kRad);
    std::vector<double> headings;
    headings.push_back(d.azimuth()), d.Line(200);
    d.Kink(40 * kSecond);
    headings.push_back(d.azimuth()), d.Arc(400, 150, 1);
    headings.push_back(d.azimuth()), d.Line(200);
    const auto r = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("K", 0, d.xml()))));
    ASSERT_TRUE(r.ok()) << r.error->toStdString();
    const LandXmlAlignment& a = *r.value;
    EXPECT_TRUE(a.rows.empty()) << "the JD method would move the arc: an element route";
    ASSERT_EQ(a.warnings.size(), 1u);
    EXPECT_NE(a.warnings[0].find("线形“K”第 2 个元素（Curve）"), std::string::npos) << a.warnings[0];
    EXPECT_NE(a.warnings[0].find("40.0″"), std::string::npos) << a.warnings[0];
    // Each element keeps its own direction: no drift into the last straight.
    ExpectStarts(a, d, headings);
}

TEST(LandXmlGeneral, JointsOffByLittleAreWarnedAndByMuchRefused)
{
    const struct {
        const char* name;
        double kinkSeconds, gap;
        const char* says;  // in the warning, or in the refusal when refused
        bool refused;
    } cases[] = {
        {"0.5 second kink", 0.5, 0, nullptr, false},
        {"80 second kink", 79.9, 0, "79.9″", false},
        {"100 second kink", 100, 0, "转角", true},
        {"0.5 mm gap", 0, 0.0005, nullptr, false},
        {"5 mm gap", 0, 0.005, "0.0050 m", false},
        {"0.2 m gap", 0, 0.2, "不连续", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Designer d(0, 0, 10 * kRad);
        d.Line(100);
        d.Kink(c.kinkSeconds * kSecond);
        d.Jump(c.gap * std::cos(d.azimuth()), c.gap * std::sin(d.azimuth()));
        d.Spiral(kInf, 250, 60, -1);
        d.Arc(250, 80, -1);
        d.Spiral(250, 150, 40, -1);  // an egg curve: no JD route
        const auto r = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("J", 0, d.xml()))));
        if (c.refused) {
            ASSERT_FALSE(r.ok());
            EXPECT_TRUE(r.error->contains(QStringLiteral("线形“J”第 2 个元素（Spiral）"))) << r.error->toStdString();
            EXPECT_TRUE(r.error->contains(QString::fromUtf8(c.says))) << r.error->toStdString();
            continue;
        }
        ASSERT_TRUE(r.ok()) << r.error->toStdString();
        if (!c.says) {
            EXPECT_TRUE(r.value->warnings.empty()) << r.value->warnings.front();
            continue;
        }
        ASSERT_EQ(r.value->warnings.size(), 1u);
        EXPECT_NE(r.value->warnings[0].find(c.says), std::string::npos) << r.value->warnings[0];
        EXPECT_NE(r.value->warnings[0].find("第 2 个元素（Spiral）"), std::string::npos) << r.value->warnings[0];
    }
}

TEST(LandXmlGeneral, TouchingCurvesAcrossAMinusSixCentimetreStraight)
{
    // Two arcs that touch; the design program wrote the straight between
    // them as -0.06 m: the second arc starts 6 cm back along the tangent.
    Designer d(500, 500, 100 * kRad);
    std::vector<double> headings;
    headings.push_back(d.azimuth()), d.Line(80);
    headings.push_back(d.azimuth()), d.Arc(300, 90, 1);
    d.Line(-0.06, " length=\"-0.06\"");
    headings.push_back(d.azimuth()), d.Arc(180, 70, -1);
    headings.push_back(d.azimuth()), d.Line(60);
    const auto r = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("T", 0, d.xml()))));
    ASSERT_TRUE(r.ok()) << r.error->toStdString();
    const LandXmlAlignment& a = *r.value;
    ASSERT_EQ(a.elements.size(), 4u) << "the straight is dropped";
    ASSERT_EQ(a.warnings.size(), 1u);
    EXPECT_NE(a.warnings[0].find("线形“T”第 3 个元素（Line）"), std::string::npos) << a.warnings[0];
    EXPECT_NE(a.warnings[0].find("-0.0600 m"), std::string::npos) << a.warnings[0];
    std::vector<testing::Pt> starts = d.starts();
    starts.erase(starts.begin() + 2);
    ASSERT_EQ(starts.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(*a.elements[i].x, starts[i].x, 1e-3) << i;
        EXPECT_NEAR(*a.elements[i].y, starts[i].y, 1e-3) << i;
        double diff = std::fabs(*a.elements[i].azimuth - Deg(headings[i]));
        EXPECT_LT(std::min(diff, 360 - diff) * 3600, 0.01) << i;
    }
    EXPECT_EQ(a.elements[1].turn, 1);
    EXPECT_EQ(a.elements[2].turn, -1);
    EXPECT_EQ(a.elements[2].startRadius, 180);
}

TEST(LandXmlGeneral, OneLineAlignment)
{
    const std::string doc = LandXmlDoc(AlignmentXml(
        "L", 250.5, "<Line><Start>3378000 455000</Start><End>3378300 455400</End></Line>"));
    const auto r = ParseLandXmlAlignment(Bytes(doc));
    ASSERT_TRUE(r.ok()) << r.error->toStdString();
    ASSERT_EQ(r.value->elements.size(), 1u);
    const ElementInput& e = r.value->elements[0];
    EXPECT_EQ(*e.station, 250.5);
    EXPECT_EQ(*e.x, 3378000);
    EXPECT_EQ(*e.y, 455000);
    EXPECT_NEAR(e.length, 500, 1e-9);  // 300, 400, 500
    EXPECT_NEAR(*e.azimuth, std::atan2(4.0, 3.0) / kRad, 1e-12);
    EXPECT_TRUE(std::isinf(e.startRadius) && std::isinf(e.endRadius));
    EXPECT_EQ(e.turn, 0);

    // Two straights that run on (before, refused for want of a curve).
    const auto two = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml(
        "L2", 0, "<Line><Start>0 0</Start><End>50 0</End></Line><Line><Start>50 0</Start><End>90 0</End></Line>"))));
    ASSERT_TRUE(two.ok()) << two.error->toStdString();
    ASSERT_EQ(two.value->elements.size(), 2u);
    EXPECT_EQ(two.value->elements[1].length, 40);
}

TEST(LandXmlGeneral, ArcsOnlyFromTheVeryStart)
{
    // A reverse curve with no straight at all: the JD method still rebuilds it.
    Designer rev(100, 100, 45 * kRad);
    rev.Arc(150, 60, 1);
    rev.Arc(200, 90, -1);
    const auto r = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("R", 0, rev.xml()))));
    ASSERT_TRUE(r.ok()) << r.error->toStdString();
    ASSERT_EQ(r.value->rows.size(), 4u);
    EXPECT_NEAR(r.value->rows[0].x, 100, 1e-9);
    EXPECT_EQ(r.value->rows[1].R, 150);
    EXPECT_EQ(r.value->rows[2].R, 200);
    // JD1 is T1 = R tan(delta / 2) ahead of the start.
    const double t1 = 150 * std::tan(0.2);
    EXPECT_NEAR(r.value->rows[1].x, 100 + t1 * std::cos(45 * kRad), 1e-6);
    EXPECT_NEAR(r.value->rows[1].y, 100 + t1 * std::sin(45 * kRad), 1e-6);

    // One arc through 200 degrees has no JD: an element route, with the
    // length from the angle when the file gives none.
    Designer big(0, 0, 0);
    big.Arc(50, 50 * 200 * kRad, -1, false);
    const auto b = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("B", 0, big.xml()))));
    ASSERT_TRUE(b.ok()) << b.error->toStdString();
    ASSERT_EQ(b.value->elements.size(), 1u);
    EXPECT_NEAR(b.value->elements[0].length, 50 * 200 * kRad, 1e-9);
    EXPECT_EQ(b.value->elements[0].turn, -1);
    EXPECT_NEAR(*b.value->elements[0].azimuth, 0, 1e-12);
    EXPECT_TRUE(b.value->warnings.empty());
}

TEST(LandXmlGeneral, RefusalsNameTheAlignmentAndTheElement)
{
    Designer cubic(0, 0, 0);
    cubic.Line(50);
    cubic.Spiral(kInf, 200, 40, 1, true, "cubicParabola");
    cubic.Arc(200, 30, 1);
    Designer noTurn(0, 0, 0);
    noTurn.Line(50);
    const std::string arcWithoutRot =
        "<Curve radius=\"50\" length=\"10\"><Start>50 0</Start><End>60 10</End></Curve>";
    Designer wrongLength(0, 0, 0);
    wrongLength.Line(50);
    wrongLength.Arc(100, 40, 1);
    wrongLength.Spiral(100, 60, 30, 1);
    std::string wrong = wrongLength.xml();
    wrong.replace(wrong.find("length=\"40\""), 11, "length=\"45\"");
    const struct {
        const char* name;
        std::string coordGeom;
        const char* says;
    } cases[] = {
        {"cubic spiral", cubic.xml(), "线形“X”第 2 个元素（Spiral）：缓和曲线类型 spiType 为“cubicParabola”"},
        {"arc without rot, centre or PI", noTurn.xml() + arcWithoutRot, "第 2 个元素（Curve）：缺少转向 rot"},
        {"arc length against its coordinates", wrong, "第 2 个元素（Curve）：按长度和半径推算的终点"},
        {"spiral both ends straight",
         "<Spiral length=\"10\" radiusStart=\"INF\" radiusEnd=\"INF\" rot=\"cw\" spiType=\"clothoid\">"
         "<Start>0 0</Start><PI>5 0</PI><End>10 0</End></Spiral>",
         "第 1 个元素（Spiral）：两端半径都是 INF"},
        {"first spiral without PI",
         "<Spiral length=\"10\" radiusStart=\"INF\" radiusEnd=\"100\" rot=\"cw\" spiType=\"clothoid\">"
         "<Start>0 0</Start><End>10 0.2</End></Spiral>",
         "第 1 个元素（Spiral）：缺少切线交点 <PI>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("X", 0, c.coordGeom))));
        ASSERT_FALSE(r.ok());
        EXPECT_TRUE(r.error->contains(QString::fromUtf8(c.says))) << r.error->toStdString();
    }
}

TEST(LandXmlGeneral, ProfAlignBecomesGradePoints)
{
    Designer d(0, 0, 0);
    d.Line(100);
    d.Arc(300, 200, 1);
    d.Line(200);
    // Grades +2 %, -1 %, +1.5 %: omega -0.03 at 1200 and +0.025 at 1500.
    const std::string profile =
        "<Profile><ProfSurf name=\"EG\"><PntList2D>1000 10 1600 12</PntList2D></ProfSurf>"
        "<ProfAlign name=\"FG\"><PVI>1000 100</PVI><ParaCurve length=\"120\">1200 104</ParaCurve>"
        "<CircCurve length=\"50\" radius=\"2000\">1500 101</CircCurve><PVI>1600 102.5</PVI></ProfAlign></Profile>";
    const auto r = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("P", 1000, d.xml(), profile))));
    ASSERT_TRUE(r.ok()) << r.error->toStdString();
    const std::vector<GradePointInput>& p = r.value->profile;
    EXPECT_TRUE(r.value->profileError.empty()) << r.value->profileError;
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].station, 1000);
    EXPECT_EQ(p[0].elevation, 100);
    EXPECT_FALSE(p[0].R);
    ASSERT_TRUE(p[1].R && p[2].R);
    EXPECT_NEAR(*p[1].R, 120 / 0.03, 1e-6);  // R = L / |omega|
    EXPECT_EQ(*p[2].R, 2000);
    EXPECT_FALSE(p[3].R);
    const Profile::Built built = Profile::Build(p);
    ASSERT_TRUE(built.profile) << built.error->message;

    // A PVI between the ends has no curve: a tiny radius and a warning; a
    // curve on an end point is refused (the horizontal still comes in).
    const std::string bare = "<Profile><ProfAlign><PVI>0 10</PVI><PVI>100 12</PVI><PVI>300 11</PVI></ProfAlign></Profile>";
    const auto b = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("P", 0, d.xml(), bare))));
    ASSERT_TRUE(b.ok());
    ASSERT_EQ(b.value->profile.size(), 3u);
    EXPECT_EQ(*b.value->profile[1].R, 1e-3);
    ASSERT_EQ(b.value->warnings.size(), 1u);
    EXPECT_NE(b.value->warnings[0].find("第 2 个变坡点（PVI）"), std::string::npos) << b.value->warnings[0];
    const std::string endCurve =
        "<Profile><ProfAlign><ParaCurve length=\"20\">0 10</ParaCurve><PVI>100 12</PVI></ProfAlign></Profile>";
    const auto e = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("P", 0, d.xml(), endCurve))));
    ASSERT_TRUE(e.ok());
    EXPECT_TRUE(e.value->profile.empty());
    EXPECT_NE(e.value->profileError.find("线形“P”的纵断面"), std::string::npos) << e.value->profileError;
    // Without a Profile: nothing, and no error.
    const auto none = ParseLandXmlAlignment(Bytes(LandXmlDoc(AlignmentXml("P", 0, d.xml()))));
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none.value->profile.empty() && none.value->profileError.empty());
}

}  // namespace
}  // namespace tarvelo
