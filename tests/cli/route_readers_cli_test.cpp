// tarvelo-cli route: what the readers and writers must not drop — a broken
// first row, a column, the report asked for, a d.mmss typing mistake, a
// point at the route's end, a curvature jump, an element's name.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/cli/route_cli_run.h"

namespace tarvelo {
namespace {

using testing::RouteCliRun;
using testing::RunRoute;

std::string Example(const char* name) { return std::string(TARVELO_SOURCE_DIR) + "/examples/" + name; }

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

// Fields of a CSV line as RFC 4180 quotes them.
std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            out.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

std::size_t TabFields(const std::string& line) { return std::size_t(std::count(line.begin(), line.end(), '\t')) + 1; }

QByteArray FileBytes(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

class RouteReadersCli : public testing::RouteCliFiles {};

TEST_F(RouteReadersCli, BreakFileWithABrokenFirstRowIsRefusedNotComputedWithoutTheBreak)
{
    // Header-less break files whose first row does not parse were taken as
    // having a header: the route was computed without that break, exit 0.
    const struct {
        const char* name;
        const char* text;
    } files[] = {
        {"letter-o.csv", "K11+2OO,K11+260.000,短链1\nK13+100.000,K13+050.000,长链1\n"},
        {"semicolons.csv", "K11+200.000;K11+260.000;短链1\nK13+100.000,K13+050.000,长链1\n"},
    };
    for (const auto& f : files) {
        const std::string breaks = Write(f.name, f.text);
        for (const char* route : {"route-example-breaks.csv", "ramp-elements.csv"}) {
            SCOPED_TRACE(std::string(f.name) + " " + route);
            const RouteCliRun r = RunRoute({"elements", "--route", Example(route), "--breaks", breaks});
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            EXPECT_NE(r.err.find("第 1 行"), std::string::npos) << r.err;
        }
    }
}

TEST_F(RouteReadersCli, InversePointsReadsEveryFormSaysHowManyAndRefusesEmptyFiles)
{
    // Points on the example route's centreline (route point): K10+500 and
    // K10+600 on JD1's tangent and spiral.
    const RouteCliRun a = RunRoute({"point", "--route", Example("route-example.csv"), "--station", "10500", "--json"});
    const RouteCliRun b = RunRoute({"point", "--route", Example("route-example.csv"), "--station", "10600", "--json"});
    ASSERT_EQ(a.status, 0);
    const auto ja = nlohmann::json::parse(a.out), jb = nlohmann::json::parse(b.out);
    const std::string xa = nlohmann::json(ja["x"].get<double>()).dump(), ya = nlohmann::json(ja["y"].get<double>()).dump();
    const std::string xb = nlohmann::json(jb["x"].get<double>()).dump(), yb = nlohmann::json(jb["y"].get<double>()).dump();
    const struct {
        const char* name;
        std::string text;
        std::size_t count;
        std::vector<std::string> names;
        std::vector<double> z;  // NAN: none
        const char* says;
    } cases[] = {
        // Two columns: both lines are points (the first was taken as a header).
        {"xy.csv", xa + "," + ya + "\n" + xb + "," + yb + "\n", 2, {"1", "2"}, {NAN, NAN}, "读入 2 个点（X,Y，以行号为点名）"},
        // X,Y,H with a header: read by its names, H kept.
        {"xyh.csv", "X,Y,H\n" + xa + "," + ya + ",360.5\n", 1, {"2"}, {360.5}, "读入 1 个点（按表头的列名，第 1 行为表头）"},
        {"named.csv", "P1," + xa + "," + ya + ",361\nP2," + xb + "," + yb + ",\n", 2, {"P1", "P2"}, {361, NAN},
         "读入 2 个点（点名,X,Y,H）"},
        // One CASS line (east before north), as Tarvelo and rovers write it.
        {"one.dat", "K10+500,," + ya + "," + xa + ",359.9\r\n", 1, {"K10+500"}, {359.9},
         "读入 1 个点（CASS 格式：点名,编码,Y,X,H）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Write(c.name, c.text);
        const RouteCliRun r = RunRoute({"inverse", "--route", Example("route-example.csv"), "--points", path, "--json"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        const auto points = nlohmann::json::parse(r.out)["points"];
        ASSERT_EQ(points.size(), c.count);
        for (std::size_t i = 0; i < c.count; ++i) {
            EXPECT_EQ(points[i]["name"], c.names[i]);
            EXPECT_EQ(points[i]["outcome"], "ok");
            EXPECT_NEAR(points[i]["offset"].get<double>(), 0, 1e-6);
            if (std::isnan(c.z[i]))
                EXPECT_TRUE(points[i]["z"].is_null());
            else
                EXPECT_EQ(points[i]["z"].get<double>(), c.z[i]);
        }
        EXPECT_NEAR(points[0]["station"].get<double>(), 10500, 1e-6);
    }
    // X,Y,H without a header reads as name,X,Y: every point falls outside,
    // and the user is told which columns were taken and how to mark them.
    {
        const std::string path = Write("xyh-bare.csv", xa + "," + ya + ",360.5\n");
        const RouteCliRun r = RunRoute({"inverse", "--route", Example("route-example.csv"), "--points", path});
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.err.find("读入 1 个点（点名,X,Y）"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("警告：1 个点全部超出线路范围"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("表头 X,Y,H"), std::string::npos) << r.err;
    }
    // Nothing to read is refused, never an empty answer with exit 0.
    for (const auto& [name, text, says] :
         std::vector<std::tuple<const char*, const char*, const char*>>{
             {"empty.csv", "", "点文件中没有点"}, {"header.csv", "点名,X,Y,H\r\n", "只有表头"},
             {"broken.csv", "P1,3378467.5,45517O.1\n", "第 1 行"}}) {
        SCOPED_TRACE(name);
        const RouteCliRun r = RunRoute({"inverse", "--route", Example("route-example.csv"), "--points", Write(name, text)});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    }
}

TEST_F(RouteReadersCli, InverseWithProfileGivesTheDesignElevationAndTheDifference)
{
    const RouteCliRun at = RunRoute({"point", "--route", Example("route-example.csv"), "--station", "11000", "--profile",
                                     Example("profile-example.csv"), "--offset", "2.5", "--json"});
    ASSERT_EQ(at.status, 0) << at.err;
    const auto j = nlohmann::json::parse(at.out);
    const double design = j["z"].get<double>();
    const std::string points = Write("p.csv", "名称,X,Y,高程\nS1," + nlohmann::json(j["x"].get<double>()).dump() + "," +
                                                  nlohmann::json(j["y"].get<double>()).dump() + ",360.25\n");
    const RouteCliRun r = RunRoute({"inverse", "--route", Example("route-example.csv"), "--points", points, "--profile",
                                    Example("profile-example.csv"), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto p = nlohmann::json::parse(r.out)["points"][0];
    EXPECT_NEAR(p["station"].get<double>(), 11000, 1e-6);
    EXPECT_NEAR(p["offset"].get<double>(), 2.5, 1e-6);
    EXPECT_EQ(p["z"].get<double>(), 360.25);
    EXPECT_NEAR(p["design_z"].get<double>(), design, 1e-9);
    EXPECT_NEAR(p["dz"].get<double>(), 360.25 - design, 1e-9);
    const RouteCliRun text = RunRoute({"inverse", "--route", Example("route-example.csv"), "--points", points,
                                       "--profile", Example("profile-example.csv")});
    const std::vector<std::string> lines = Lines(text.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "点名\t桩号\t偏距\t交点\t高程\t设计高程\t高差");
    EXPECT_EQ(TabFields(lines[1]), 7u);
    EXPECT_NE(lines[1].find("\t360.250\t"), std::string::npos) << lines[1];
}

TEST_F(RouteReadersCli, CassFileWrittenByRouteTableReadsBackThroughInverse)
{
    const std::string dat = dir_.filePath("stakes.dat").toStdString();
    const RouteCliRun t = RunRoute({"table", "--route", Example("route-example.csv"), "--interval", "100", "--profile",
                                    Example("profile-example.csv"), "--format", "dat", "--out", dat});
    ASSERT_EQ(t.status, 0) << t.err;
    const RouteCliRun r = RunRoute({"inverse", "--route", Example("route-example.csv"), "--points", dat, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto points = nlohmann::json::parse(r.out)["points"];
    ASSERT_GT(points.size(), 50u);
    EXPECT_NE(r.err.find("读入 " + std::to_string(points.size()) + " 个点（CASS 格式"), std::string::npos) << r.err;
    for (const auto& p : points) {
        const std::string name = p["name"];
        // The name ends in the stake's station, K notation to the millimetre.
        const std::size_t k = name.rfind('K');
        ASSERT_NE(k, std::string::npos) << name;
        const std::size_t plus = name.find('+', k);
        const double station = std::stod(name.substr(k + 1, plus - k - 1)) * 1000 + std::stod(name.substr(plus + 1));
        ASSERT_EQ(p["outcome"], "ok") << name;
        // Coordinates to 0.1 mm, stations to 1 mm.
        EXPECT_NEAR(p["station"].get<double>(), station, 0.0006) << name;
        EXPECT_NEAR(p["offset"].get<double>(), 0, 0.0001) << name;
        EXPECT_TRUE(p["z"].is_number()) << name;
    }
}

TEST_F(RouteReadersCli, TableWithInstrumentKeepsTheStakeoutColumnsAndAlwaysWritesTheReport)
{
    const std::vector<std::string> base = {"table", "--route", Example("route-example.csv"), "--interval", "500",
                                           "--profile", Example("profile-example.csv"), "--instrument",
                                           "3378100,455100,350", "--backsight-azimuth", "30", "--instrument-height",
                                           "1.5"};
    const auto with = [&base](std::vector<std::string> more) {
        std::vector<std::string> args = base;
        args.insert(args.end(), more.begin(), more.end());
        return RunRoute(args);
    };
    // Text: as many names in the header as fields in every row (高差 was missing).
    const RouteCliRun text = with({});
    ASSERT_EQ(text.status, 0) << text.err;
    const std::vector<std::string> rows = Lines(text.out);
    ASSERT_GT(rows.size(), 5u);
    EXPECT_EQ(rows[0], "桩号\tX\tY\t切线方位角\t设计高程\t主点\t方位角\t水平角\t平距\t高差");
    for (const std::string& row : rows) EXPECT_EQ(TabFields(row), 10u) << row;

    // CSV: the stakeout columns after the stake's own, the 平距 from the
    // instrument worked out from the row's own coordinates.
    const std::string report = dir_.filePath("stakeout.txt").toStdString();
    const RouteCliRun csv = with({"--format", "csv", "--report", report});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<std::string> lines = Lines(csv.out);
    const std::vector<std::string> head = CsvFields(lines[0]);
    ASSERT_EQ(head.size(), 13u) << lines[0];
    EXPECT_EQ(std::vector<std::string>(head.end() - 4, head.end()),
              (std::vector<std::string>{"放样方位角", "水平角", "平距", "高差"}));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = CsvFields(lines[i]);
        ASSERT_EQ(f.size(), head.size()) << lines[i];
        const double dx = std::stod(f[2]) - 3378100, dy = std::stod(f[3]) - 455100;
        EXPECT_NEAR(std::stod(f[11]), std::hypot(dx, dy), 0.0006) << lines[i];
        // 高差: design elevation − (station H + instrument height).
        EXPECT_NEAR(std::stod(f[12]), std::stod(f[8]) - 351.5, 0.0006) << lines[i];
    }
    EXPECT_EQ(lines.size(), rows.size());
    EXPECT_GT(FileBytes(report).size(), 100) << "the report asked for with --format csv";

    // CASS has no room for angles: with --report it writes both, without it
    // refuses rather than drop them.
    const std::string dat = dir_.filePath("t.dat").toStdString(), report2 = dir_.filePath("r2.txt").toStdString();
    const RouteCliRun withReport = with({"--format", "dat", "--out", dat, "--report", report2});
    ASSERT_EQ(withReport.status, 0) << withReport.err;
    EXPECT_GT(FileBytes(dat).size(), 100);
    EXPECT_EQ(FileBytes(report2), FileBytes(report));
    const RouteCliRun refused = with({"--format", "dat"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("--report"), std::string::npos) << refused.err;
}

TEST_F(RouteReadersCli, DmsWithSixtyMinutesOrSecondsIsRefusedInRouteFilesAndOptions)
{
    // 45.75 was taken as 46°15′ and turned the stakes silently.
    const std::string route = Example("route-example.csv");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* value;
    } cases[] = {
        {{"table", "--route", route, "--interval", "100", "--offset", "5", "--skew", "45.75"}, 1, "45.75"},
        {{"point", "--route", route, "--station", "10500", "--offset", "5", "--skew", "45.0060"}, 1, "45.0060"},
        {{"sections", "--route", route, "--sections", Example("sections-example.csv"), "--interval", "100", "--skew",
          "89.6"},
         1, "89.6"},
        {{"point", "--route", route, "--station", "10500", "--instrument", "3378100,455100", "--backsight-azimuth",
          "45.75"},
         1, "45.75"},
        {{"elements", "--route", Write("az.csv", "名称,桩号,X,Y,方位角,长度\nL1,0,0,0,30.7500,80\n")}, 2, "30.7500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const RouteCliRun r = RunRoute(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.value), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("60"), std::string::npos) << r.err;
    }
    const RouteCliRun good = RunRoute({"point", "--route", route, "--station", "10500", "--skew", "45.5959"});
    EXPECT_EQ(good.status, 0) << good.err;
}

TEST_F(RouteReadersCli, StationOrPointAtTheEndAfterRoundingIsOnTheRoute)
{
    // A route 99.9996 m long shows its end as K0+100.000; 100 typed back was
    // "桩号 100.000 不在线路范围 K0+000.000 ~ K0+100.000 之内".
    const std::string route = Write("short.csv", "名称,桩号,X,Y,方位角,长度\nL1,0,1000,2000,0,99.9996\n");
    const RouteCliRun end = RunRoute({"point", "--route", route, "--station", "100", "--json"});
    ASSERT_EQ(end.status, 0) << end.err;
    EXPECT_NEAR(nlohmann::json::parse(end.out)["x"].get<double>(), 1099.9996, 1e-9);
    const RouteCliRun table = RunRoute({"table", "--route", route, "--interval", "10", "--start", "0", "--end", "100"});
    EXPECT_EQ(table.status, 0) << table.err;
    // Beyond 1 mm: refused, with digits enough to show why.
    const RouteCliRun beyond = RunRoute({"point", "--route", route, "--station", "100.002"});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_NE(beyond.err.find("桩号 100.002 不在"), std::string::npos) << beyond.err;
    EXPECT_NE(beyond.err.find("K0+099.9996"), std::string::npos) << beyond.err;
    // A surveyed point on the end, rounded to 0.1 mm past it.
    const RouteCliRun foot = RunRoute({"inverse", "--route", route, "--x", "1100.0000", "--y", "2000", "--json"});
    ASSERT_EQ(foot.status, 0) << foot.err;
    EXPECT_EQ(nlohmann::json::parse(foot.out)["outcome"], "ok") << foot.out;
}

TEST_F(RouteReadersCli, CurvatureJumpIsWarnedAndListedByRouteElements)
{
    // A spiral starting at R 250 after an arc of R 200 moved the end without
    // a word.
    const std::string route = Write("jump.csv",
                                    "名称,桩号,X,Y,方位角,长度,起点半径,终点半径,转向\n"
                                    "L1,0,0,0,0,100\nS1,,,,,60,,200,右\nC1,,,,,50,200,200,右\nS2,,,,,60,250,,右\n"
                                    "L2,,,,,40\n");
    const RouteCliRun r = RunRoute({"elements", "--route", route});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("警告：第 5 行“S2”：曲率在 K0+210.000 处突变，上一线元终点半径 右 R200，本线元起点半径 右 R250。"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("曲率突变\t桩号\t上一线元终点半径\t本线元起点半径\nS2\tK0+210.000\t右 R200\t右 R250\n"),
              std::string::npos)
        << r.out;
    const RouteCliRun json = RunRoute({"elements", "--route", route, "--json"});
    const auto jumps = nlohmann::json::parse(json.out)["curvature_jumps"];
    ASSERT_EQ(jumps.size(), 1u);
    EXPECT_EQ(jumps[0]["element"], "S2");
    EXPECT_EQ(jumps[0]["station"].get<double>(), 210);
    EXPECT_EQ(jumps[0]["R_before"].get<double>(), 200);
    EXPECT_EQ(jumps[0]["R_after"].get<double>(), 250);
}

TEST_F(RouteReadersCli, ElementFileWithLengthHeadedWithItsUnitIsAnElementFile)
{
    for (const char* header : {"长度(m)", "线元长度", "长度（m）"}) {
        SCOPED_TRACE(header);
        const std::string route = Write("e.csv", std::string("名称,桩号,X,Y,方位角,") + header +
                                                     ",起点半径,终点半径,转向\nL1,0,0,0,0,100\nC1,,,,,50,200,200,右\n");
        const RouteCliRun r = RunRoute({"elements", "--route", route, "--json"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(nlohmann::json::parse(r.out)["method"], "elements");
    }
}

TEST_F(RouteReadersCli, JsonAndCsvOnStandardOutputAreTheSameForEverySubcommand)
{
    const std::string route = Example("route-example.csv"), sections = Example("sections-example.csv");
    // route sections took only --format json.
    const RouteCliRun flag = RunRoute({"sections", "--route", route, "--sections", sections, "--interval", "500", "--json"});
    const RouteCliRun format =
        RunRoute({"sections", "--route", route, "--sections", sections, "--interval", "500", "--format", "json"});
    ASSERT_EQ(flag.status, 0) << flag.err;
    EXPECT_EQ(flag.out, format.out);
    EXPECT_NO_THROW((void)nlohmann::json::parse(flag.out));
    // CSV on standard output: no byte-order mark from any subcommand.
    const RouteCliRun table = RunRoute({"table", "--route", route, "--interval", "500", "--format", "csv"});
    const RouteCliRun section =
        RunRoute({"sections", "--route", route, "--sections", sections, "--interval", "500", "--format", "csv"});
    for (const RouteCliRun* r : {&table, &section}) {
        ASSERT_EQ(r->status, 0) << r->err;
        EXPECT_NE(r->out.rfind("\xEF\xBB\xBF", 0), 0u) << r->out.substr(0, 40);
    }
}

TEST_F(RouteReadersCli, CheckTextGivesTheReasonOfAnUnreadableRow)
{
    const std::string design = Write("d.csv", "点名,桩号,X,Y,高程\nP0,K10+000.000,3378000.000,455000.000,352.400\n"
                                              "P1,K10+O20,3378010,455010,\n");
    const RouteCliRun r = RunRoute({"check", "--route", Example("route-example.csv"), "--design", design});
    EXPECT_EQ(r.status, 3);
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(lines[0].rfind('\t')), "\t说明");
    EXPECT_NE(lines[2].find("无法读取\t第 3 行：桩号“K10+O20”"), std::string::npos) << lines[2];
}

TEST_F(RouteReadersCli, SeriesPointAtYhIsTheExitSpiralOfTheElements)
{
    // route point and the table gave the arc's point at YH, route elements
    // --json the exit spiral's start: one station, one answer.
    const std::string route = Example("route-example.csv");
    const RouteCliRun e = RunRoute({"elements", "--route", route, "--spiral", "series", "--json"});
    ASSERT_EQ(e.status, 0) << e.err;
    const auto j = nlohmann::json::parse(e.out);
    int checked = 0;
    for (const auto& el : j["elements"]) {
        if (el["kind"] != "spiral" || el["R_start"].is_null()) continue;  // the exit spirals start at R
        const double yh = el["start_station"].get<double>();
        const RouteCliRun p =
            RunRoute({"point", "--route", route, "--spiral", "series", "--station", nlohmann::json(yh).dump(), "--json"});
        ASSERT_EQ(p.status, 0) << p.err;
        const auto at = nlohmann::json::parse(p.out);
        EXPECT_NEAR(at["x"].get<double>(), el["start"]["x"].get<double>(), 1e-6) << yh;
        EXPECT_NEAR(at["y"].get<double>(), el["start"]["y"].get<double>(), 1e-6) << yh;
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

TEST_F(RouteReadersCli, LandXmlKeepsNamesSkipsZeroLengthAndCarriesTheProfile)
{
    // Element names: L1 came back as 直线1.
    const std::string xml = dir_.filePath("ramp.xml").toStdString(), back = dir_.filePath("back.csv").toStdString();
    ASSERT_EQ(RunRoute({"export", "--route", Example("ramp-elements.csv"), "--format", "landxml", "--out", xml}).status, 0);
    const RouteCliRun imported = RunRoute({"import-landxml", "--in", xml, "--out", back});
    ASSERT_EQ(imported.status, 0) << imported.err;
    const std::vector<std::string> rows = Lines(FileBytes(back).toStdString());
    std::vector<std::string> names;
    for (std::size_t i = 1; i < rows.size(); ++i) names.push_back(rows[i].substr(0, rows[i].find(',')));
    EXPECT_EQ(names, (std::vector<std::string>{"L1", "A1", "C1", "E1", "C2", "A2", "L2", "A3", "C3", "A4", "A5", "C4",
                                                "A6", "L3"}));

    // A JD route with its profile: the JD names and the grade points come back.
    const std::string jdXml = dir_.filePath("jd.xml").toStdString(), jdBack = dir_.filePath("jd.csv").toStdString(),
                      profile = dir_.filePath("profile.csv").toStdString();
    ASSERT_EQ(RunRoute({"export", "--route", Example("route-example.csv"), "--format", "landxml", "--out", jdXml,
                        "--profile", Example("profile-example.csv")})
                  .status,
              0);
    const RouteCliRun jd = RunRoute({"import-landxml", "--in", jdXml, "--out", jdBack, "--profile-out", profile});
    ASSERT_EQ(jd.status, 0) << jd.err;
    const RouteCliRun original =
        RunRoute({"profile", "--route", Example("route-example.csv"), "--profile", Example("profile-example.csv"), "--json"});
    const RouteCliRun roundTrip = RunRoute({"profile", "--route", jdBack, "--profile", profile, "--json"});
    ASSERT_EQ(roundTrip.status, 0) << roundTrip.err;
    EXPECT_EQ(nlohmann::json::parse(roundTrip.out), nlohmann::json::parse(original.out));
    const std::string jdText = FileBytes(jdBack).toStdString();
    for (const char* name : {"\nJD1,", "\nJD3,", "\nJD5,"}) EXPECT_NE(jdText.find(name), std::string::npos) << jdText;

    // A Curve of length 0 put first to give the starting curvature: skipped
    // with a warning, not a refusal of the whole alignment.
    QByteArray bytes = FileBytes(xml);
    const int at = bytes.indexOf("<CoordGeom>") + int(std::strlen("<CoordGeom>"));
    bytes.insert(at, "<Curve name=\"C0\" rot=\"cw\" radius=\"200\" length=\"0\" staStart=\"0\">"
                     "<Start>3380500 458900</Start><End>3380500 458900</End></Curve>");
    const std::string zero = Write("zero.xml", bytes);
    const RouteCliRun z = RunRoute({"import-landxml", "--in", zero, "--out", dir_.filePath("z.csv").toStdString()});
    ASSERT_EQ(z.status, 0) << z.err;
    EXPECT_NE(z.err.find("长度为 0，已略去"), std::string::npos) << z.err;
    EXPECT_EQ(FileBytes(dir_.filePath("z.csv").toStdString()), FileBytes(back));
}

}  // namespace
}  // namespace tarvelo
