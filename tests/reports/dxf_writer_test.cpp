// The route's DXF drawing, read back by ezdxf (python3-ezdxf), an independent
// DXF reader: audit clean, the drawn centreline on the engine's, the arcs
// turning the right way, every stake drawn and named.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTemporaryDir>

#include <cmath>
#include <limits>

#include "compute/route_table.h"
#include "reports/cass_file.h"
#include "reports/dxf_writer.h"
#include "tests/reports/export_test_support.h"
#include "tests/support/test_routes.h"

namespace tarvelo {
namespace {

using testing::Built;
using testing::Jd;
using testing::MixedRows;
using testing::Qd;
using testing::Zd;

TEST(SpiralChordCount, StepFromTheSagittaAtTheLargestCurvature)
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double length, radius, chord;
        std::size_t count;
    } cases[] = {
        // sqrt(8 · 1e-4 · 100) = 0.28284 m a chord: 100 / 0.28284 = 353.6.
        {100, 100, 1e-4, 354},
        // sqrt(8 · 5e-5 · 1000) = 0.63246 m: 60 / 0.63246 = 94.87.
        {60, 1000, 5e-5, 95},
        // A chord that fits exactly: sqrt(8 · 1e-4 · 12.5) = 0.1 m.
        {1, 12.5, 1e-4, 10},
        {1e-6, 100, 1e-4, 1},
        {0, 100, 1e-4, 1},
        {-5, 100, 1e-4, 1},
        {100, 0, 1e-4, 1},
        {100, 100, 0, 1},
        {nan, 100, 1e-4, 1},
        {100, inf, 1e-4, 1},
        {1e9, 1e-3, 1e-9, 1000000},  // capped
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpiralChordCount(c.length, c.radius, c.chord), c.count)
            << c.length << " " << c.radius << " " << c.chord;
}

struct Drawn {
    testing::PythonRun run;
    QJsonObject counts;
};

Drawn DrawAndRead(const QTemporaryDir& dir, const Route& route, const std::optional<RouteTableParams>& stakes,
                  double centrelineStep)
{
    const QString dxf = dir.filePath(QStringLiteral("route.dxf"));
    const QString line = dir.filePath(QStringLiteral("centreline.csv"));
    const QString stakeList = dir.filePath(QStringLiteral("stakes.csv"));
    const FileStatus s = WriteRouteDxf(dxf, route, stakes);
    EXPECT_TRUE(s.ok()) << (s.error ? s.error->toStdString() : "");
    testing::WriteFile(line, testing::CentrelineCsv(route, centrelineStep));
    QStringList args{dxf, line};
    if (stakes) {
        std::string text;
        RouteTableCursor cursor(route, *stakes);
        RouteTableEntry e;
        while (cursor.Next(&e)) {
            const RouteTableRow r = ComputeRouteTableRow(route, e, *stakes);
            char buf[96];
            std::snprintf(buf, sizeof buf, ",%.6f,%.6f\n", r.stake.point.x, r.stake.point.y);
            text += StakeName(e) + buf;
        }
        testing::WriteFile(stakeList, QByteArray::fromStdString(text));
        args << stakeList;
    }
    Drawn d;
    d.run = testing::RunPythonCheck("dxf_check.py", args);
    d.counts = d.run.json["counts"].toObject();
    return d;
}

std::size_t CountOf(const Route& route, ElementKind kind)
{
    std::size_t n = 0;
    for (const RouteElement& e : route.elements()) n += e.kind == kind;
    return n;
}

TEST(RouteDxf, EzdxfReadsTheMixedRouteAndItsCentrelineLiesOnTheEngines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Route route = Built(MixedRows());
    RouteTableParams stakes;
    stakes.interval = 20;
    // 0.37 m does not divide the spiral chords, so points fall between vertices.
    const Drawn d = DrawAndRead(dir, route, stakes, 0.37);
    ASSERT_EQ(d.run.exitCode, 0) << d.run.err.toStdString();
    const QJsonObject& j = d.run.json;
    EXPECT_EQ(j["dxfversion"].toString(), QStringLiteral("AC1009"));
    EXPECT_TRUE(j["audit_errors"].toArray().isEmpty()) << d.run.out.toStdString();
    EXPECT_TRUE(j["audit_fixes"].toArray().isEmpty()) << d.run.out.toStdString();
    for (const char* layer : {"CENTRELINE", "TANGENT", "JD", "STAKE", "LABEL"})
        EXPECT_TRUE(j["layers"].toArray().contains(QString::fromLatin1(layer))) << layer;

    EXPECT_EQ(std::size_t(d.counts["LINE@CENTRELINE"].toInt()), CountOf(route, ElementKind::Line));
    EXPECT_EQ(std::size_t(d.counts["ARC@CENTRELINE"].toInt()), CountOf(route, ElementKind::Arc));
    EXPECT_EQ(std::size_t(d.counts["POLYLINE@CENTRELINE"].toInt()), CountOf(route, ElementKind::Spiral));
    EXPECT_EQ(std::size_t(d.counts["LINE@TANGENT"].toInt()), route.legs().size());
    EXPECT_EQ(std::size_t(d.counts["POINT@JD"].toInt()), route.curves().size() + 2);
    EXPECT_EQ(std::size_t(d.counts["CIRCLE@JD"].toInt()), route.curves().size());

    // Every sampled engine point is within 1 mm of the drawing; the spirals
    // within the 0.1 mm chord budget; lines and arcs, whose entities are
    // exact, within the file's micrometre rounding and the engine's own
    // arithmetic (1e-5 m).
    const QJsonObject c = j["centreline"].toObject();
    EXPECT_EQ(c["far_from_every_piece"].toInt(), 0);
    EXPECT_LT(c["max"].toDouble(), 1e-3) << "at station " << c["max_station"].toDouble();
    const QJsonObject worst = c["worst"].toObject(), hits = c["hits"].toObject();
    EXPECT_LT(worst["POLYLINE"].toDouble(), 1e-4);
    EXPECT_LT(worst["ARC"].toDouble(), 1e-5);
    EXPECT_LT(worst["LINE"].toDouble(), 1e-5);
    EXPECT_GT(hits["POLYLINE"].toInt(), 500);
    EXPECT_GT(hits["ARC"].toInt(), 500);
    EXPECT_GT(hits["LINE"].toInt(), 500);
    std::printf("drawn centreline: worst line %.3g m, arc %.3g m, spiral %.3g m over %d points\n",
                worst["LINE"].toDouble(), worst["ARC"].toDouble(), worst["POLYLINE"].toDouble(),
                hits["LINE"].toInt() + hits["ARC"].toInt() + hits["POLYLINE"].toInt());

    const QJsonObject st = j["stakes"].toObject();
    std::size_t rows = 0;
    ASSERT_FALSE(CheckRouteTable(route, stakes, &rows).has_value());
    EXPECT_EQ(std::size_t(st["given"].toInt()), rows);
    EXPECT_EQ(st["missing_point"].toInt(), 0);
    EXPECT_EQ(st["missing_text"].toInt(), 0);
    EXPECT_EQ(d.counts["POINT@STAKE"].toInt(), st["given"].toInt());
    EXPECT_EQ(d.counts["TEXT@LABEL"].toInt(), st["given"].toInt() + int(route.curves().size()) + 2);
}

// One 90° curve without spirals, worked by hand. Legs north 100 then east
// (right turn) or west (left turn), R 50: the arc runs from (N 50, E 0) to
// (N 100, E ±50) about the centre (N 50, E ±50). In DXF coordinates (x east,
// y north) the right-hand arc is swept counter-clockwise from its end at 90°
// to its start at 180°; the left-hand one from its start at 0° to its end at
// 90°.
TEST(RouteDxf, ArcAnglesRunCounterClockwiseFromDxfEastForBothTurns)
{
    const struct {
        double zdY;
        double centreX, startAngle, endAngle;
    } cases[] = {
        {100, 50, 90, 180},
        {-100, -50, 0, 90},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const Route route = Built({Qd(0, 0, 0), Jd("JD1", 100, 0, 50), Zd(100, c.zdY)});
        const Drawn d = DrawAndRead(dir, route, std::nullopt, 0.5);
        ASSERT_EQ(d.run.exitCode, 0) << d.run.err.toStdString();
        const QJsonArray arcs = d.run.json["arcs"].toArray();
        ASSERT_EQ(arcs.size(), 1);
        const QJsonArray a = arcs[0].toArray();
        // The engine's trigonometry uses the 15-digit pi: 1e-9 m, 1e-9°.
        EXPECT_NEAR(a[0].toDouble(), c.centreX, 1e-9);
        EXPECT_NEAR(a[1].toDouble(), 50, 1e-9);
        EXPECT_NEAR(a[2].toDouble(), 50, 1e-9);
        EXPECT_NEAR(a[3].toDouble(), c.startAngle, 1e-9) << c.zdY;
        EXPECT_NEAR(a[4].toDouble(), c.endAngle, 1e-9) << c.zdY;
        EXPECT_LT(d.run.json["centreline"].toObject()["max"].toDouble(), 1e-6);
    }
}

// Names are GBK under $DWGCODEPAGE ANSI_936; a character GBK lacks (Hangul)
// is written as \U+XXXX, which DXF readers decode; beyond the BMP, where
// \U+ cannot reach, U+FFFD stands in.
TEST(RouteDxf, ChineseNamesAreGbkAndOthersUnicodeEscapes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<RoutePointInput> rows = {Qd(0, 0, 0), Jd("交点1", 1000, 0, 200), Jd("JD한", 1000, 1000, 200),
                                         Jd("JD\xF0\x9F\x98\x80", 2000, 1000, 200), Zd(2000, 2000)};
    rows.back().name = "终点";
    const Route route = Built(rows);
    const Drawn d = DrawAndRead(dir, route, std::nullopt, 5);
    ASSERT_EQ(d.run.exitCode, 0) << d.run.err.toStdString();
    const QJsonArray labels = d.run.json["labels"].toArray();
    for (const char* name : {"交点1", "JD한", "JD\xEF\xBF\xBD", "QD", "终点"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(name))) << name << " in " << d.run.out.toStdString();
    const QByteArray bytes = testing::ReadAll(dir.filePath(QStringLiteral("route.dxf")));
    EXPECT_TRUE(bytes.contains("\xBD\xBB\xB5\xE3" "1")) << "交点 in GBK";
    EXPECT_TRUE(bytes.contains("JD\\U+D55C"));
}

TEST(RouteDxf, RefusedStakeTableAndUnusablePathLeaveTheExistingFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Route route = Built(MixedRows());
    const QString path = dir.filePath(QStringLiteral("keep.dxf"));
    testing::WriteFile(path, "old");
    RouteTableParams bad;
    bad.interval = -1;
    EXPECT_FALSE(WriteRouteDxf(path, route, bad).ok());
    EXPECT_EQ(testing::ReadAll(path), QByteArray("old"));
    const FileStatus s = WriteRouteDxf(dir.filePath(QStringLiteral("none/route.dxf")), route, std::nullopt);
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error->contains(QStringLiteral("route.dxf"))) << s.error->toStdString();
}

}  // namespace
}  // namespace tarvelo
