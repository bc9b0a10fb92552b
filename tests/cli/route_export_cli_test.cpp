// tarvelo-cli route table --format/--out, route export and route
// import-landxml, run in process on the shipped example route; the files are
// read back (the DXF by ezdxf) and the LandXML round trip closes on the
// engine's own numbers.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/route_cli.h"
#include "core/files/element_file.h"
#include "core/files/profile_file.h"
#include "reports/landxml_reader.h"
#include "tests/support/landxml_design.h"
#include "reports/gbk_text.h"

namespace tarvelo {
namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun Route(std::vector<std::string> args)
{
    args.insert(args.begin(), "route");
    CliRun r;
    std::ostringstream out;
    r.status = RunRouteCli(args, out, r.err);
    r.out = out.str();
    return r;
}

const std::string kExample = TARVELO_SOURCE_DIR "/examples/route-example.csv";

class RouteExportCli : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)).toStdString(); }
    static QByteArray Read(const std::string& path)
    {
        QFile f(QString::fromStdString(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Put(const std::string& path, const QByteArray& bytes)
    {
        QFile f(QString::fromStdString(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The number of rows of the J-metre table of the example, from the JSON rows.
    static std::size_t TableRows(const std::string& interval)
    {
        const CliRun r = Route({"table", "--route", kExample, "--interval", interval, "--json"});
        EXPECT_EQ(r.status, 0) << r.err;
        return nlohmann::json::parse(r.out)["rows"].size();
    }
    QTemporaryDir dir_;
};

TEST_F(RouteExportCli, DatFileIsGbkCassRowsEastBeforeNorth)
{
    const std::string dat = Path("route.dat");
    const CliRun r = Route({"table", "--route", kExample, "--interval", "20", "--format", "dat", "--out", dat});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "") << "the table goes to the file only";
    const QByteArray bytes = Read(dat);
    EXPECT_EQ(std::size_t(bytes.count("\r\n")), TableRows("20"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    // QD of the example: X 3378000, Y 455000, station 10000.
    EXPECT_TRUE(bytes.startsWith("QD-K10+000.000,,455000.0000,3378000.0000,\r\nK10+020.000,,")) << bytes.left(80).toStdString();
    EXPECT_TRUE(bytes.contains("\r\nZD-K")) << "the last row is ZD";
}

TEST_F(RouteExportCli, CsvOnStdoutIsTheFileWithoutItsByteOrderMark)
{
    const std::string csv = Path("route.csv");
    const CliRun file = Route({"table", "--route", kExample, "--interval", "50", "--format", "csv", "--out", csv});
    ASSERT_EQ(file.status, 0) << file.err;
    const CliRun out = Route({"table", "--route", kExample, "--interval", "50", "--format", "csv"});
    ASSERT_EQ(out.status, 0) << out.err;
    const QByteArray bytes = Read(csv);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.mid(3).toStdString(), out.out);
    EXPECT_EQ(out.out.substr(0, out.out.find("\r\n")), "点名,桩号,X(北),Y(东),方位角(度),方位角(度分秒),类型,偏距");
    EXPECT_EQ(std::size_t(bytes.count("\r\n")), TableRows("50") + 1);
}

TEST_F(RouteExportCli, TextIntoAFileIsTheGbkStakeReport)
{
    const std::string txt = Path("逐桩坐标表.txt");
    const CliRun r = Route({"table", "--route", kExample, "--interval", "100", "--format", "text", "--out", txt});
    ASSERT_EQ(r.status, 0) << r.err;
    const QByteArray bytes = Read(txt);
    ASSERT_FALSE(bytes.isEmpty());
    const FileResult<DecodedText> decoded = DecodeTextBytes(bytes);
    ASSERT_TRUE(decoded.ok() && decoded.value->encoding == TextEncoding::Gbk);
    const QString text = decoded.value->text;
    EXPECT_TRUE(text.contains(QStringLiteral("逐桩坐标表")));
    EXPECT_TRUE(text.contains(QStringLiteral("起点 K10+000.000  止点 K15+")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nK10+000.000     3378000.0000    455000.0000     ")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("监理：\r\n")));
    EXPECT_EQ(text.count(QStringLiteral("\r\nK")), qsizetype(TableRows("100")));
    EXPECT_EQ(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
}

TEST_F(RouteExportCli, JsonIntoAFileIsWhatStdoutGets)
{
    // 0.5 m over 5.2 km: some 10,000 rows, more than one block of the stream.
    const std::string json = Path("route.json");
    const CliRun file = Route({"table", "--route", kExample, "--interval", "0.5", "--format", "json", "--out", json});
    ASSERT_EQ(file.status, 0) << file.err;
    const CliRun out = Route({"table", "--route", kExample, "--interval", "0.5", "--json"});
    ASSERT_EQ(out.status, 0);
    EXPECT_GT(out.out.size(), std::size_t(1) << 20);
    EXPECT_EQ(Read(json).toStdString(), out.out);
    const CliRun text = Route({"table", "--route", kExample, "--interval", "0.5", "--format", "text"});
    const CliRun plain = Route({"table", "--route", kExample, "--interval", "0.5"});
    EXPECT_EQ(text.out, plain.out) << "text without --out is the plain table";
}

TEST_F(RouteExportCli, BadFormatsAndUnusablePathsAreRefusedAndTheOldFileStays)
{
    const std::string keep = Path("keep.dat");
    Put(keep, "old\r\n");
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"table", "--route", kExample, "--interval", "20", "--format", "xml", "--out", keep}, "--format"},
        {{"table", "--route", kExample, "--interval", "20", "--format", "csv", "--json", "--out", keep}, "--json"},
        {{"table", "--route", kExample, "--interval", "0", "--format", "dat", "--out", keep}, ""},
        {{"table", "--route", kExample, "--interval", "20", "--format", "dat", "--out", ""}, "--out"},
        {{"table", "--route", kExample, "--interval", "20", "--format", "json", "--out", Path("none/t.json")}, "none"},
        {{"table", "--route", kExample, "--interval", "20", "--format", "dat", "--out", Path("")}, "文件夹"},
        {{"export", "--route", kExample, "--format", "pdf", "--out", keep}, "landxml"},
        {{"export", "--route", kExample, "--format", "landxml", "--out", keep, "--interval", "20"}, "--interval"},
        {{"export", "--route", kExample, "--format", "dxf", "--out", keep, "--interval", "-5"}, ""},
        {{"export", "--route", kExample, "--format", "dxf", "--out", Path("none/r.dxf")}, "r.dxf"},
        {{"export", "--route", kExample, "--format", "dxf"}, "--out"},
    };
    for (const auto& c : cases) {
        const CliRun r = Route(c.args);
        EXPECT_EQ(r.status, 1) << c.args[c.args.size() - 1] << ": " << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.says), std::string::npos) << "wanted “" << c.says << "” in " << r.err;
        EXPECT_EQ(Read(keep), QByteArray("old\r\n"));
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.dat")})
        << "no temporary file left behind";
}

TEST_F(RouteExportCli, DxfWithStakesIsReadByEzdxf)
{
    const std::string dxf = Path("route.dxf");
    const CliRun r = Route({"export", "--route", kExample, "--format", "dxf", "--out", dxf, "--interval", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"),
             {QStringLiteral("-c"),
              QStringLiteral("import ezdxf,sys,json; d=ezdxf.readfile(sys.argv[1]); a=d.audit(); "
                             "m=d.modelspace(); print(json.dumps([len(a.errors), len(a.fixes), "
                             "len(m.query('POINT[layer==\"STAKE\"]')), len(m.query('ARC')), "
                             "len(m.query('POLYLINE'))]))"),
              QString::fromStdString(dxf)});
    ASSERT_TRUE(py.waitForFinished(60000));
    ASSERT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();
    const QJsonArray a = QJsonDocument::fromJson(py.readAllStandardOutput()).array();
    ASSERT_EQ(a.size(), 5);
    EXPECT_EQ(a[0].toInt(), 0);
    EXPECT_EQ(a[1].toInt(), 0);
    EXPECT_EQ(std::size_t(a[2].toInt()), TableRows("20"));
    EXPECT_EQ(a[3].toInt(), 5) << "one arc a JD";
    EXPECT_EQ(a[4].toInt(), 8) << "spirals of JD1..JD5: 2 + 1 + 1 + 2 + 2";
}

TEST_F(RouteExportCli, LandXmlExportedAndImportedBackIsTheSameRoute)
{
    const std::string xml = Path("route.xml"), back = Path("back.csv");
    CliRun r = Route({"export", "--route", kExample, "--format", "landxml", "--out", xml});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Read(xml).contains("<Alignment name=\"route-example\""));
    r = Route({"import-landxml", "--in", xml, "--out", back});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(Read(back).startsWith("\xEF\xBB\xBF"));

    const CliRun a = Route({"elements", "--route", kExample, "--json"});
    const CliRun b = Route({"elements", "--route", back, "--json"});
    ASSERT_EQ(a.status, 0);
    ASSERT_EQ(b.status, 0) << b.err;
    const auto ja = nlohmann::json::parse(a.out), jb = nlohmann::json::parse(b.out);
    ASSERT_EQ(ja["jds"].size(), jb["jds"].size());
    for (std::size_t i = 0; i < ja["jds"].size(); ++i) {
        const auto &x = ja["jds"][i], &y = jb["jds"][i];
        // JDs rebuilt as intersections of tangents: 1 mm; R and Ls as written.
        EXPECT_NEAR(x["x"].get<double>(), y["x"].get<double>(), 1e-3) << i;
        EXPECT_NEAR(x["y"].get<double>(), y["y"].get<double>(), 1e-3) << i;
        EXPECT_NEAR(x["R"].get<double>(), y["R"].get<double>(), 1e-6) << i;
        EXPECT_NEAR(x["Ls1"].get<double>(), y["Ls1"].get<double>(), 1e-6) << i;
        EXPECT_NEAR(x["Ls2"].get<double>(), y["Ls2"].get<double>(), 1e-6) << i;
        EXPECT_NEAR(x["HZ"].get<double>(), y["HZ"].get<double>(), 1e-3) << i;
    }
    EXPECT_EQ(ja["start"]["station"], jb["start"]["station"]);
    EXPECT_NEAR(ja["end"]["station"].get<double>(), jb["end"]["station"].get<double>(), 1e-3);
}

TEST_F(RouteExportCli, ImportRefusesOtherShapesWithStatus2AndWritesNothing)
{
    const std::string xml = Path("odd.xml"), out = Path("odd.csv");
    Put(xml,
        "<?xml version=\"1.0\"?><LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\">"
        "<Alignments><Alignment name=\"A\" staStart=\"0\" length=\"1\"><CoordGeom>"
        "<Line><Start>0 0</Start><End>10 0</End></Line>"
        "<Chain>1 2 3</Chain></CoordGeom></Alignment></Alignments></LandXML>");
    CliRun r = Route({"import-landxml", "--in", xml, "--out", out});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("（Chain）"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("odd.xml"), std::string::npos) << r.err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
    r = Route({"import-landxml", "--in", Path("none.xml"), "--out", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("none.xml"), std::string::npos) << r.err;
    r = Route({"import-landxml", "--in", xml});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("--out"), std::string::npos) << r.err;
}


// The ramp of the LandXML tests: straight, spiral, arc R 500, egg curve
// R 500 -> 300, arc, spiral, straight; with a design profile.
std::string EggRampAlignment(const std::string& name, bool profile)
{
    using testing::Designer;
    const double inf = std::numeric_limits<double>::infinity(), deg = std::acos(-1.0) / 180;
    Designer d(3378000, 455000, 30 * deg);
    d.Line(120);
    d.Spiral(inf, 500, 80, 1);
    d.Arc(500, 60, 1);
    d.Spiral(500, 300, 50, 1);
    d.Arc(300, 40, 1);
    d.Spiral(300, inf, 70, 1);
    d.Line(100);
    const std::string prof =
        "<Profile><ProfAlign name=\"FG\"><PVI>1000 100</PVI><ParaCurve length=\"120\">1200 104</ParaCurve>"
        "<CircCurve length=\"50\" radius=\"2000\">1500 101</CircCurve><PVI>1600 102.5</PVI></ProfAlign></Profile>";
    return testing::AlignmentXml(name, 1000, d.xml(), profile ? prof : "");
}

std::string Utf8WithoutMark(const QByteArray& bytes)
{
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    return bytes.mid(3).toStdString();
}

TEST_F(RouteExportCli, ImportWritesAnElementFileAndTheProfile)
{
    const std::string xml = Path("ramp.xml"), out = Path("ramp.csv"), prof = Path("ramp-profile.csv");
    const std::string doc = testing::LandXmlDoc(EggRampAlignment("Ramp A", true));
    Put(xml, QByteArray::fromStdString(doc));
    const CliRun r = Route({"import-landxml", "--in", xml, "--out", out, "--profile-out", prof});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "") << "an exact ramp has nothing to warn of";

    const std::string text = Utf8WithoutMark(Read(out));
    EXPECT_TRUE(IsElementFileHeader(text));
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "CR LF";
    const ElementFileParse back = ParseElementFile(text);
    ASSERT_TRUE(back.errors.empty()) << back.errors[0].message;
    const auto want = ParseLandXmlAlignment(QByteArray::fromStdString(doc));
    ASSERT_TRUE(want.ok());
    ASSERT_EQ(back.rows.size(), 7u);
    ASSERT_EQ(want.value->elements.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        const ElementInput &a = want.value->elements[i], &b = back.rows[i];
        EXPECT_EQ(b.x, a.x) << i;
        EXPECT_EQ(b.y, a.y) << i;
        EXPECT_NEAR(*b.azimuth, *a.azimuth, 1e-12) << i;
        EXPECT_EQ(b.length, a.length) << i;
        EXPECT_EQ(b.startRadius, a.startRadius) << i;
        EXPECT_EQ(b.endRadius, a.endRadius) << i;
        EXPECT_EQ(b.turn, a.turn) << i;
    }
    EXPECT_EQ(back.rows[3].startRadius, 500);
    EXPECT_EQ(back.rows[3].endRadius, 300);
    EXPECT_EQ(*back.rows[0].station, 1000);

    const ProfileFileContent p = ParseProfileFile(Utf8WithoutMark(Read(prof)));
    ASSERT_TRUE(p.ok()) << p.errors[0].message;
    ASSERT_EQ(p.points.size(), 4u);
    EXPECT_EQ(p.points[1].station, 1200);
    EXPECT_NEAR(*p.points[1].R, 120 / 0.03, 1e-6);  // the ParaCurve's length over the grade change
    EXPECT_EQ(*p.points[2].R, 2000);
}

TEST_F(RouteExportCli, ImportListsAndPicksAlignmentsAndPassesWarningsOn)
{
    using testing::Designer;
    const double deg = std::acos(-1.0) / 180;
    Designer kinked(0, 0, 0);
    kinked.Line(100);
    kinked.Kink(40 * deg / 3600);
    kinked.Arc(200, 100, -1);
    kinked.Line(150);
    const std::string xml = Path("two.xml"), out = Path("k.csv"), prof = Path("k-profile.csv");
    Put(xml, QByteArray::fromStdString(testing::LandXmlDoc(testing::AlignmentXml("主线 K", 0, kinked.xml()) +
                                                           EggRampAlignment("Ramp A", false))));
    CliRun r = Route({"import-landxml", "--in", xml, "--list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "主线 K\t350.000\t3\nRamp A\t520.000\t7\n");

    r = Route({"import-landxml", "--in", xml, "--out", out});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("“主线 K”、“Ramp A”"), std::string::npos) << r.err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));

    r = Route({"import-landxml", "--in", xml, "--out", out, "--alignment", "主线 K"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.rfind("警告：线形“主线 K”第 2 个元素（Curve）", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    const ElementFileParse back = ParseElementFile(Utf8WithoutMark(Read(out)));
    ASSERT_TRUE(back.errors.empty());
    EXPECT_EQ(back.rows.size(), 3u);

    // No profile in the alignment: said, and nothing written.
    const std::string out2 = Path("k2.csv");
    r = Route({"import-landxml", "--in", xml, "--out", out2, "--alignment", "Ramp A", "--profile-out", prof});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("没有纵断面"), std::string::npos) << r.err;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out2)));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(prof)));

    r = Route({"import-landxml", "--in", xml, "--out", out2, "--alignment", "支线"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("“支线”"), std::string::npos) << r.err;
    r = Route({"import-landxml", "--in", xml, "--list", "--frob"});
    EXPECT_EQ(r.status, 1);
}

}  // namespace
}  // namespace tarvelo
