#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QDir>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/route_cli.h"
#include "tests/cli/route_cli_run.h"
#include "compute/route_table.h"
#include "core/plan/route.h"
#include "core/files/route_file.h"
#include "reports/gbk_text.h"

namespace tarvelo {
namespace {

using RouteRun = testing::RouteCliRun;
RouteRun Route(std::vector<std::string> args) { return testing::RunRoute(std::move(args)); }

class RouteCli : public testing::RouteCliFiles {
protected:
    // The staircase worked by hand (see the engine tests): three 90° curves
    // of R 200 without spirals on legs of 1000 m.
    std::string Staircase()
    {
        return Write("stairs.csv",
                     "点名,X,Y,桩号,R,Ls1,Ls2\r\nQD,0,0,0\r\nJD1,1000,0,,200\r\nJD2,1000,1000,,200\r\n"
                     "JD3,2000,1000,,200\r\nZD,2000,2000\r\n");
    }
};

TEST_F(RouteCli, ElementsJsonCarriesTheChainedStationsAndMainPoints)
{
    const RouteRun r = Route({"elements", "--route", Staircase(), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto j = nlohmann::json::parse(r.out);
    const double L = 200 * 3.14159265358979 / 2, dh = 400 - L;
    ASSERT_EQ(j["jds"].size(), 3u);
    EXPECT_NEAR(j["jds"][1]["station"].get<double>(), 2000 - dh, 1e-8);
    EXPECT_NEAR(j["jds"][1]["Dh"].get<double>(), dh, 1e-8);
    EXPECT_NEAR(j["jds"][1]["alpha"].get<double>(), -90, 1e-10);
    EXPECT_NEAR(j["jds"][0]["ZH"].get<double>(), 800, 1e-8);
    EXPECT_EQ(j["jds"][0]["points"].size(), 5u);
    EXPECT_EQ(j["jds"][0]["points"][4]["name"], "HZ");
    EXPECT_NEAR(j["end"]["station"].get<double>(), 4000 - 3 * dh, 1e-8);
    EXPECT_EQ(j["end"]["name"], "ZD");
    EXPECT_EQ(j["legs"].size(), 4u);
    EXPECT_NEAR(j["legs"][1]["tangent"].get<double>(), 600, 1e-8);
    EXPECT_EQ(j["jds"][0]["series_error_mm"][0].get<double>(), 0);
}

TEST_F(RouteCli, PointTableAndInverseAgreeWithEachOther)
{
    const std::string route = Staircase();
    // Station 1000 lies on JD1's arc, 85.84 m past ZH... its point, then back.
    const RouteRun p = Route({"point", "--route", route, "--station", "1000", "--offset", "-3.5", "--json"});
    ASSERT_EQ(p.status, 0) << p.err;
    const auto pj = nlohmann::json::parse(p.out);
    EXPECT_EQ(pj["jd"], "JD1");
    const RouteRun inv = Route({"inverse", "--route", route, "--x", std::to_string(pj["x"].get<double>()),
                           "--y", std::to_string(pj["y"].get<double>()), "--json"});
    ASSERT_EQ(inv.status, 0) << inv.err;
    const auto ij = nlohmann::json::parse(inv.out);
    EXPECT_EQ(ij["outcome"], "ok");
    // 1e-5 m: std::to_string keeps six decimals of the coordinates.
    EXPECT_NEAR(ij["station"].get<double>(), 1000, 1e-5);
    EXPECT_NEAR(ij["offset"].get<double>(), -3.5, 1e-5);

    const RouteRun t = Route({"table", "--route", route, "--interval", "500", "--json"});
    ASSERT_EQ(t.status, 0) << t.err;
    const auto rows = nlohmann::json::parse(t.out)["rows"];
    EXPECT_EQ(rows.front()["kind"], "QD");
    EXPECT_EQ(rows.back()["kind"], "ZD");
    EXPECT_TRUE(rows.front()["jd"].is_null());
    EXPECT_EQ(rows[1]["kind"], "");
    for (const auto& row : rows) {
        EXPECT_GE(row["azimuth"].get<double>(), 0);
        EXPECT_LT(row["azimuth"].get<double>(), 360);
    }
    // Plain: header and one line per row, K notation, four decimals.
    const RouteRun plain = Route({"table", "--route", route, "--interval", "500"});
    ASSERT_EQ(plain.status, 0);
    std::istringstream lines(plain.out);
    std::string header, first;
    std::getline(lines, header);
    std::getline(lines, first);
    EXPECT_EQ(first, "K0+000.000\t0.0000\t0.0000\t0°0ˊ0\"\tQD");
    EXPECT_EQ(std::count(plain.out.begin(), plain.out.end(), '\n'), long(rows.size()) + 1);
}

TEST_F(RouteCli, BatchInverseAnswersEveryPointInOrder)
{
    const std::string points = Write("pts.csv",
                                     "name,X,Y\nP1,500,3\nP2,-10,0\nP3,2000,2100\n");
    const RouteRun r = Route({"inverse", "--route", Staircase(), "--points", points, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out)["points"];
    ASSERT_EQ(j.size(), 3u);
    EXPECT_EQ(j[0]["name"], "P1");
    EXPECT_NEAR(j[0]["station"].get<double>(), 500, 1e-9);
    EXPECT_NEAR(j[0]["offset"].get<double>(), 3, 1e-9);
    EXPECT_EQ(j[1]["outcome"], "outside");
    EXPECT_EQ(j[2]["outcome"], "outside");
    const RouteRun plain = Route({"inverse", "--route", Staircase(), "--points", points});
    EXPECT_EQ(plain.out.substr(0, plain.out.find('\n')), "点名\t桩号\t偏距\t交点\t高程");
    const std::size_t second = plain.out.find('\n') + 1;
    EXPECT_EQ(plain.out.substr(second, plain.out.find('\n', second) - second), "P1\tK0+500.000\t右 3.0000\tJD1\t");
    EXPECT_EQ(plain.err, "点文件“" + points + "”：读入 3 个点（按表头的列名，第 1 行为表头）。\n");
}

TEST_F(RouteCli, RefusalsExitWithTheirStatusAndNothingOnStdout)
{
    const std::string good = Staircase();
    const std::string overlap =
        Write("overlap.csv", "QD,0,0,0\nJD1,1000,0,,300\nJD2,1000,300,,300\nZD,2000,300\n");
    const std::string badRow = Write("bad.csv", "QD,0,0,0\nJD1,1000,zero,,300\nZD,2000,300\n");
    const struct {
        const char* name;
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {"overlapping curves", {"elements", "--route", overlap}, 2, "重叠"},
        {"bad row", {"elements", "--route", badRow}, 2, "第 2 行"},
        {"missing file", {"elements", "--route", dir_.filePath("none.csv").toStdString()}, 1, "不存在"},
        {"station outside", {"point", "--route", good, "--station", "-1"}, 1, "范围"},
        {"station not a station", {"point", "--route", good, "--station", "K1+0O0"}, 1, "不是桩号"},
        {"zero interval", {"table", "--route", good, "--interval", "0"}, 1, "大于0"},
        {"too many rows", {"table", "--route", good, "--interval", "0.0001"}, 1, "1000000"},
        {"both inverse forms", {"inverse", "--route", good, "--x", "1", "--y", "1", "--points", good}, 1,
         "二者取一"},
        {"unknown option", {"point", "--route", good, "--station", "1", "--curve", "x"}, 1, "--curve"},
        {"unknown subcommand", {"draw", "--route", good}, 1, "route draw"},
        {"missing route", {"elements"}, 1, "--route"},
        {"huge station", {"point", "--route", good, "--station", "1e300"}, 1, "1e12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const RouteRun r = Route(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.back(), '\n');
    }
}

TEST_F(RouteCli, StationDifferencesAreWarnedButTheRouteIsComputed)
{
    const std::string route = Write("checked.csv", "QD,0,0,0\nJD1,1000,0,999,200\nZD,1000,1000\n");
    const RouteRun r = Route({"elements", "--route", route});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("JD1"), std::string::npos);
    EXPECT_EQ(r.err.rfind("警告：第 2 行“JD1”", 0), 0u) << r.err;
}

TEST_F(RouteCli, CurveTableReportIsWrittenInGbk)
{
    const std::string report = dir_.filePath("直曲表.txt").toStdString();
    const RouteRun r = Route({"elements", "--route", Staircase(), "--report", report});
    ASSERT_EQ(r.status, 0) << r.err;
    QFile f(QString::fromStdString(report));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const FileResult<DecodedText> decoded = DecodeTextBytes(bytes);
    ASSERT_TRUE(decoded.ok() && decoded.value->encoding == TextEncoding::Gbk);
    const QString text = decoded.value->text;
    EXPECT_TRUE(text.contains(QStringLiteral("直线、曲线及转角表")));
    EXPECT_TRUE(text.contains(QStringLiteral("JD2  X=1000.0000  Y=1000.0000")));
    EXPECT_TRUE(text.contains(QStringLiteral("转角 左90°0ˊ0\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("ZH K0+800.000")));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count("\n"));
}

TEST_F(RouteCli, InProcessRunGathersTheStreamedOutput)
{
    std::string out, err;
    const int status = RunCli({"route", "point", "--route", Staircase(), "--station", "0"}, out, err);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, "K0+000.000\t0.0000\t0.0000\t0°0ˊ0\"\tJD1\n");
}

}  // namespace
}  // namespace tarvelo
