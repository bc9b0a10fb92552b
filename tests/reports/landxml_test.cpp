// The route as LandXML 1.2: parsed by python's xml.etree (a real XML parser)
// and compared with the engine, then read back in to the same route; and the
// shapes the reader refuses.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTemporaryDir>

#include <cmath>

#include "core/numbers/angles.h"
#include "reports/landxml_reader.h"
#include "reports/landxml_writer.h"
#include "tests/reports/export_test_support.h"
#include "tests/support/test_routes.h"

namespace tarvelo {
namespace {

using testing::Built;
using testing::Jd;
using testing::MixedRows;
using testing::Qd;
using testing::StaircaseRows;
using testing::Zd;

// Distance from (x, y) to the line through (px, py) with azimuth a.
double OffLine(double x, double y, double px, double py, double a)
{
    return std::fabs(-(x - px) * SinDeg(a) + (y - py) * CosDeg(a));
}

double Num(const QJsonObject& o, const char* key) { return o[QString::fromLatin1(key)].toString().toDouble(); }

QJsonObject ParsedByPython(const QTemporaryDir& dir, const Route& route)
{
    const QString path = dir.filePath(QStringLiteral("route.xml"));
    const FileStatus s = WriteLandXml(path, route, QStringLiteral("测试线"));
    EXPECT_TRUE(s.ok()) << (s.error ? s.error->toStdString() : "");
    const testing::PythonRun py = testing::RunPythonCheck("landxml_check.py", {path});
    EXPECT_EQ(py.exitCode, 0) << py.err.toStdString();
    return py.json;
}

void ExpectPoint(const QJsonObject& points, const char* name, double x, double y, double tol)
{
    const QJsonArray p = points[QString::fromLatin1(name)].toArray();
    ASSERT_EQ(p.size(), 2) << name;
    EXPECT_NEAR(p[0].toDouble(), x, tol) << name << " north";
    EXPECT_NEAR(p[1].toDouble(), y, tol) << name << " east";
}

TEST(LandXml, PythonReadsUnitsAlignmentAndEveryElementAsTheEngineHasThem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Route route = Built(MixedRows());
    const QJsonObject j = ParsedByPython(dir, route);
    EXPECT_EQ(j["root"].toString(), QStringLiteral("LandXML"));
    EXPECT_EQ(j["namespace"].toString(), QString::fromLatin1(kLandXmlNamespace));
    EXPECT_EQ(j["attributes"].toObject()["version"].toString(), QStringLiteral("1.2"));
    const QJsonObject metric = j["metric"].toObject();
    EXPECT_EQ(metric["linearUnit"].toString(), QStringLiteral("meter"));
    EXPECT_EQ(metric["angularUnit"].toString(), QStringLiteral("decimal degrees"));
    EXPECT_EQ(metric["directionUnit"].toString(), QStringLiteral("decimal degrees"));
    ASSERT_EQ(j["alignment_count"].toInt(), 1);
    const QJsonObject a = j["alignment"].toObject();
    EXPECT_EQ(a["name"].toString(), QStringLiteral("测试线"));
    EXPECT_EQ(Num(a, "staStart"), route.start().station);
    EXPECT_EQ(Num(a, "length"), route.length());

    // Numbers are written in round-trip form: the file holds the engine's
    // doubles exactly.
    const QJsonArray el = j["elements"].toArray();
    ASSERT_EQ(std::size_t(el.size()), route.elements().size());
    int lefts = 0, rights = 0;
    for (std::size_t i = 0; i < route.elements().size(); ++i) {
        const RouteElement& e = route.elements()[i];
        const QJsonObject x = el[qsizetype(i)].toObject();
        const QJsonObject at = x["attributes"].toObject(), pts = x["points"].toObject();
        EXPECT_EQ(x["namespace"].toString(), QString::fromLatin1(kLandXmlNamespace));
        ExpectPoint(pts, "Start", e.start.x, e.start.y, 0);
        ExpectPoint(pts, "End", e.end.x, e.end.y, 0);
        const CurveState& c = route.curves()[e.curve].curve;
        if (e.kind == ElementKind::Line) {
            EXPECT_EQ(x["tag"].toString(), QStringLiteral("Line")) << i;
            continue;
        }
        const QString rot = e.turn > 0 ? QStringLiteral("cw") : QStringLiteral("ccw");
        EXPECT_EQ(at["rot"].toString(), rot) << i;
        (c.alpha > 0 ? rights : lefts) += 1;
        // The PI lies on the tangents at both ends (to the micrometre over
        // tangents of a few hundred metres).
        const QJsonArray pi = pts["PI"].toArray();
        ASSERT_EQ(pi.size(), 2) << i;
        EXPECT_LT(OffLine(pi[0].toDouble(), pi[1].toDouble(), e.start.x, e.start.y, e.start.azimuth), 1e-6) << i;
        EXPECT_LT(OffLine(pi[0].toDouble(), pi[1].toDouble(), e.end.x, e.end.y, e.end.azimuth), 1e-6) << i;
        if (e.kind == ElementKind::Spiral) {
            EXPECT_EQ(x["tag"].toString(), QStringLiteral("Spiral")) << i;
            EXPECT_EQ(at["spiType"].toString(), QStringLiteral("clothoid"));
            EXPECT_EQ(Num(at, "length"), e.entry ? c.Ls1 : c.Ls2);
            EXPECT_EQ(at[e.entry ? "radiusStart" : "radiusEnd"].toString(), QStringLiteral("INF")) << i;
            EXPECT_EQ(Num(at, e.entry ? "radiusEnd" : "radiusStart"), c.R) << i;
        } else {
            EXPECT_EQ(x["tag"].toString(), QStringLiteral("Curve")) << i;
            EXPECT_EQ(Num(at, "radius"), c.R);
            ExpectPoint(pts, "Center", e.centreX, e.centreY, 0);
            // Start and end lie on the circle of that radius (engine arithmetic).
            EXPECT_NEAR(std::hypot(e.start.x - e.centreX, e.start.y - e.centreY), c.R, 1e-6);
            EXPECT_NEAR(std::hypot(e.end.x - e.centreX, e.end.y - e.centreY), c.R, 1e-6);
        }
    }
    EXPECT_GT(lefts, 0);
    EXPECT_GT(rights, 0);
}

TEST(LandXml, PythonReadsTheProfileAndTheNamesOfTheCurves)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Route route = Built(MixedRows());
    std::vector<GradePointInput> grades(4);
    grades[0] = {0, 100.5, std::nullopt, 0};
    grades[1] = {400, 104.5, 8000, 0};
    grades[2] = {900, 99.25, 12000.5, 0};
    grades[3] = {1500, 101, std::nullopt, 0};
    const QString path = dir.filePath(QStringLiteral("profile.xml"));
    ASSERT_TRUE(WriteLandXml(path, route, QStringLiteral("P"), &grades).ok());
    const testing::PythonRun py = testing::RunPythonCheck("landxml_check.py", {path});
    ASSERT_EQ(py.exitCode, 0) << py.err.toStdString();
    const QJsonArray profile = py.json["profile"].toArray();
    ASSERT_EQ(profile.size(), 4);
    const char* tags[] = {"PVI", "CircCurve", "CircCurve", "PVI"};
    for (qsizetype i = 0; i < 4; ++i) {
        const QJsonObject n = profile[i].toObject();
        EXPECT_EQ(n["tag"].toString(), QString::fromLatin1(tags[i])) << i;
        EXPECT_EQ(n["station"].toDouble(), grades[std::size_t(i)].station) << i;
        EXPECT_EQ(n["elevation"].toDouble(), grades[std::size_t(i)].elevation) << i;
        if (grades[std::size_t(i)].R)
            EXPECT_EQ(Num(n["attributes"].toObject(), "radius"), *grades[std::size_t(i)].R) << i;
    }
    // Each curve and spiral carries its JD's name, lines none.
    const QJsonArray el = py.json["elements"].toArray();
    for (std::size_t i = 0; i < route.elements().size(); ++i) {
        const RouteElement& e = route.elements()[i];
        const QJsonObject at = el[qsizetype(i)].toObject()["attributes"].toObject();
        if (e.kind == ElementKind::Line)
            EXPECT_FALSE(at.contains(QStringLiteral("name"))) << i;
        else
            EXPECT_EQ(at["name"].toString().toStdString(), route.curves()[e.curve].name) << i;
    }
    // And the reader gives the JD names and the grade points back.
    const FileResult<LandXmlAlignment> back = ReadLandXmlFile(path);
    ASSERT_TRUE(back.ok());
    ASSERT_EQ(back.value->rows.size(), route.rows().size());
    for (std::size_t i = 1; i + 1 < route.rows().size(); ++i) EXPECT_EQ(back.value->rows[i].name, route.rows()[i].name);
    ASSERT_EQ(back.value->profile.size(), grades.size());
    for (std::size_t i = 0; i < grades.size(); ++i) {
        EXPECT_EQ(back.value->profile[i].station, grades[i].station);
        EXPECT_EQ(back.value->profile[i].elevation, grades[i].elevation);
        EXPECT_EQ(back.value->profile[i].R, grades[i].R);
    }
}

// One right-hand 90° curve without spirals, by hand: the Curve's PI is the
// JD (N 100, E 0), its centre (N 50, E 50); between the two Lines.
TEST(LandXml, HandWorkedCurveHasTheJdAsItsPi)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QJsonObject j = ParsedByPython(dir, Built({Qd(0, 0, 0), Jd("JD1", 100, 0, 50), Zd(100, 100)}));
    const QJsonArray el = j["elements"].toArray();
    ASSERT_EQ(el.size(), 3);
    EXPECT_EQ(el[0].toObject()["tag"].toString(), QStringLiteral("Line"));
    EXPECT_EQ(el[2].toObject()["tag"].toString(), QStringLiteral("Line"));
    const QJsonObject curve = el[1].toObject();
    EXPECT_EQ(curve["attributes"].toObject()["rot"].toString(), QStringLiteral("cw"));
    const QJsonObject pts = curve["points"].toObject();
    // 1e-9 m: the engine's 15-digit pi.
    ExpectPoint(pts, "Start", 50, 0, 1e-9);
    ExpectPoint(pts, "End", 100, 50, 1e-9);
    ExpectPoint(pts, "Center", 50, 50, 1e-9);
    ExpectPoint(pts, "PI", 100, 0, 1e-9);
}

void ExpectSameRows(const std::vector<RoutePointInput>& got, const std::vector<RoutePointInput>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        // JDs are rebuilt as intersections of tangent lines: 1 mm.
        EXPECT_NEAR(got[i].x, want[i].x, 1e-3) << i;
        EXPECT_NEAR(got[i].y, want[i].y, 1e-3) << i;
        EXPECT_NEAR(got[i].R, want[i].R, 1e-6) << i;
        EXPECT_NEAR(got[i].Ls1, want[i].Ls1, 1e-6) << i;
        EXPECT_NEAR(got[i].Ls2, want[i].Ls2, 1e-6) << i;
    }
    EXPECT_EQ(got.front().name, "QD");
    EXPECT_EQ(got.back().name, "ZD");
    ASSERT_TRUE(got.front().station.has_value());
    EXPECT_EQ(*got.front().station, *want.front().station);
}

TEST(LandXml, ImportedBackGivesTheSameRoute)
{
    const std::vector<std::vector<RoutePointInput>> routes = {
        MixedRows(),
        StaircaseRows(),
        // Left and right, spirals only on one side each.
        {Qd(1000, 2000, 250.5), Jd("JD1", 1400, 2050, 300, 0, 70), Jd("JD2", 1800, 1900, 250, 50, 0),
         Zd(2300, 1950)},
        // The published sharp spiral: its series ends 55 mm off the arc, and
        // the alignment still comes back.
        {Qd(0, 0, 0), Jd("JD1", 1000, 0, 95.78, 110, 110), Zd(1000, 1000)},
    };
    for (const auto& rows : routes) {
        const Route route = Built(rows);
        const FileResult<LandXmlAlignment> back = ParseLandXmlAlignment(LandXmlText(route, QStringLiteral("A")));
        ASSERT_TRUE(back.ok()) << back.error->toStdString();
        EXPECT_EQ(back.value->name, QStringLiteral("A"));
        // The ends are element ends: QD and ZD exactly as the route has them.
        std::vector<RoutePointInput> want = rows;
        ExpectSameRows(back.value->rows, want);
        const Route again = Built(back.value->rows);
        ASSERT_EQ(again.elements().size(), route.elements().size());
        for (std::size_t i = 0; i < route.elements().size(); ++i) {
            EXPECT_NEAR(again.elements()[i].startStation, route.elements()[i].startStation, 1e-3) << i;
            EXPECT_NEAR(again.elements()[i].end.x, route.elements()[i].end.x, 1e-3) << i;
            EXPECT_NEAR(again.elements()[i].end.y, route.elements()[i].end.y, 1e-3) << i;
        }
    }
}

// A route that starts at ZH and whose curves meet: no Line at all where the
// straights are 0. Tangent 50 = R·tan 45° for R 50 at a 90° turn.
TEST(LandXml, CurvesWithoutLinesBetweenThemComeBack)
{
    const std::vector<RoutePointInput> rows = {Qd(50, 0, 0), Jd("JD1", 100, 0, 50), Jd("JD2", 100, 100, 50),
                                               Zd(300, 100)};
    const Route route = Built(rows);
    const QByteArray xml = LandXmlText(route, QStringLiteral("S"));
    EXPECT_EQ(xml.count("<Line"), 1) << "only the last straight (150 m) is a Line";
    EXPECT_EQ(xml.count("<Curve"), 2);
    const FileResult<LandXmlAlignment> back = ParseLandXmlAlignment(xml);
    ASSERT_TRUE(back.ok()) << back.error->toStdString();
    ExpectSameRows(back.value->rows, rows);
}

// Spirals of 50 m on R 100 turn through 0.5 rad together: a deflection a
// hair above that leaves an arc of 5e-10 m, too short to be an element, so
// the two spirals meet and the alignment has no Curve for that JD.
TEST(LandXml, SpiralsThatMeetWithoutAnArcComeBack)
{
    const double a = (50 + 5e-10) / 100;
    const std::vector<RoutePointInput> rows = {Qd(0, 0, 100), Jd("JD1", 1000, 0, 100, 50, 50),
                                               Zd(1000 + 1000 * std::cos(a), 1000 * std::sin(a))};
    const Route route = Built(rows);
    const QByteArray xml = LandXmlText(route, QStringLiteral("S"));
    EXPECT_EQ(xml.count("<Curve"), 0);
    EXPECT_EQ(xml.count("<Spiral"), 2);
    const FileResult<LandXmlAlignment> back = ParseLandXmlAlignment(xml);
    ASSERT_TRUE(back.ok()) << back.error->toStdString();
    ExpectSameRows(back.value->rows, rows);
}

const char* const kHead =
    "<?xml version=\"1.0\"?><LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">"
    "<Units><Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\"/></Units>"
    "<Alignments><Alignment name=\"A\" length=\"1\" staStart=\"0\"><CoordGeom>";
const char* const kTail = "</CoordGeom></Alignment></Alignments></LandXML>";
const char* const kLine1 = "<Line><Start>0 0</Start><End>50 0</End></Line>";
const char* const kCurve = "<Curve rot=\"cw\" radius=\"50\"><Start>50 0</Start><Center>50 50</Center>"
                           "<End>100 50</End><PI>100 0</PI></Curve>";
const char* const kLine2 = "<Line><Start>100 50</Start><End>100 100</End></Line>";

QByteArray Doc(const std::string& body) { return QByteArray(kHead) + body.c_str() + kTail; }

TEST(LandXml, HandWrittenAlignmentIsRead)
{
    const FileResult<LandXmlAlignment> r = ParseLandXmlAlignment(Doc(std::string(kLine1) + kCurve + kLine2));
    ASSERT_TRUE(r.ok()) << r.error->toStdString();
    const auto& rows = r.value->rows;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_NEAR(rows[1].x, 100, 1e-12);
    EXPECT_NEAR(rows[1].y, 0, 1e-12);
    EXPECT_EQ(rows[1].R, 50);
    EXPECT_EQ(rows[2].x, 100);
    EXPECT_EQ(rows[2].y, 100);
}

TEST(LandXml, OtherShapesAreRefusedNamingTheElement)
{
    const std::string line1 = kLine1, curve = kCurve, line2 = kLine2;
    const struct {
        QByteArray doc;
        const char* says;
    } cases[] = {
        {"not xml at all", "XML"},
        {"<?xml version=\"1.0\"?><Other/>", "<Other>"},
        {Doc(line1 + "<IrregularLine><Start>50 0</Start><End>60 0</End></IrregularLine>" + line2),
         "第 2 个元素（IrregularLine）"},
        {Doc(line1 + "<Spiral length=\"10\" radiusStart=\"INF\" radiusEnd=\"50\" rot=\"cw\" spiType=\"cubic\">"
                     "<Start>50 0</Start><End>60 0</End></Spiral>" + curve + line2),
         "spiType"},
        {Doc(line1 + "<Spiral length=\"10\" radiusStart=\"INF\" radiusEnd=\"50\" rot=\"cw\" spiType=\"clothoid\">"
                     "<Start>50 0</Start><PI>55 0</PI><End>60 0</End></Spiral>"
                     "<Line><Start>60 0</Start><End>90 0</End></Line>"),
         "第 2 个元素（Spiral）"},
        {Doc("<Line><Start>0 0</Start><End>40 0</End></Line>"
             "<Spiral length=\"10\" radiusStart=\"80\" radiusEnd=\"50\" rot=\"cw\" spiType=\"clothoid\">"
             "<Start>40 0</Start><PI>45 0</PI><End>50 0</End></Spiral>" + curve + line2),
         "长度、半径与坐标不符"},
        {Doc(line1 + "<Curve rot=\"ccw\" radius=\"50\"><Start>50 0</Start><Center>50 50</Center>"
                     "<End>100 50</End><PI>100 0</PI></Curve>" + line2),
         "rot"},
        {Doc(line1 + "<Curve radius=\"50\"><Start>50 0</Start><End>100 50</End></Curve>" + line2), "rot"},
        {Doc(line1 + curve + "<Line><Start>100 52</Start><End>100 100</End></Line>"), "不连续"},
        {Doc(line1 + "<Line><Start>50 0</Start><End>60 10</End></Line>"), "转角"},
        {Doc(line1 + line2), "不连续"},
        {Doc(line1 + "<Curve rot=\"cw\" radius=\"50\"><Start pntRef=\"P1\"/><End>100 50</End></Curve>" + line2),
         "pntRef"},
        {Doc(""), "没有任何元素"},
        {QByteArray(kHead).replace("staStart=\"0\"", "") + (line1 + curve + line2).c_str() + kTail, "staStart"},
        {QByteArray(kHead).replace("<Metric linearUnit=\"meter\"", "<Metric linearUnit=\"foot\"") +
             (line1 + curve + line2).c_str() + kTail,
         "meter"},
        {QByteArray(kHead) + (line1 + curve + line2).c_str() +
             "</CoordGeom></Alignment><Alignment name=\"B\" staStart=\"0\"><CoordGeom>" +
             (line1 + curve + line2).c_str() + kTail,
         "不止一条"},
        {QByteArray(kHead) + (line1 + curve + line2).c_str() +
             "</CoordGeom><StaEquation staAhead=\"10\" staBack=\"5\" staIncrement=\"decreasing\"/></Alignment></Alignments></LandXML>",
         "StaEquation"},
        {Doc(line1 + curve).left(Doc(line1 + curve).size() - 20), "XML"},
    };
    for (const auto& c : cases) {
        const FileResult<LandXmlAlignment> r = ParseLandXmlAlignment(c.doc);
        ASSERT_FALSE(r.ok()) << c.doc.toStdString();
        EXPECT_TRUE(r.error->contains(QString::fromUtf8(c.says)))
            << "wanted “" << c.says << "” in: " << r.error->toStdString();
    }
}

TEST(LandXml, FileErrorsNameThePath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("none.xml"));
    FileResult<LandXmlAlignment> r = ReadLandXmlFile(missing);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.error->contains(QStringLiteral("none.xml")));
    const QString bad = dir.filePath(QStringLiteral("bad.xml"));
    testing::WriteFile(bad, Doc(std::string(kLine1) + kLine2));
    r = ReadLandXmlFile(bad);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.error->contains(QStringLiteral("bad.xml")));
    EXPECT_TRUE(r.error->contains(QStringLiteral("（Line）")));
    const FileStatus s = WriteLandXml(dir.filePath(QStringLiteral("no/dir.xml")), Built(StaircaseRows()), QStringLiteral("S"));
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error->contains(QStringLiteral("dir.xml")));
}

}  // namespace
}  // namespace tarvelo
