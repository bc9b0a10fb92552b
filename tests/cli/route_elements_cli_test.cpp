// tarvelo-cli route on element routes (线元法) and on exact and series
// spirals: the element file through every subcommand, the JSON contract of
// route elements, and the profile that ends within a millimetre of the route.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/route_cli.h"
#include "tests/cli/route_cli_run.h"

namespace tarvelo {
namespace {

using CliRun = testing::RouteCliRun;
const auto RouteCommand = testing::RunRoute;

// A right curve R 200 with spirals of 60 m, by the element method: its
// stations 0 .. 360 and its main points at 100, 160, 260, 320.
const char kElements[] =
    "name,station,X,Y,azimuth,length,R_start,R_end,turn\r\n"
    "L1,0,1000,2000,0,100,,,\r\n"
    "S1,,,,,60,inf,200,右\r\n"
    "C1,,,,,100,200,200,R\r\n"
    "S2,,,,,60,200,∞,1\r\n"
    "L2,,,,,40,,,\r\n";

class RouteElementsCli : public testing::RouteCliFiles {
protected:
};

TEST_F(RouteElementsCli, ElementsJsonListsElementsAndMainPoints)
{
    const std::string route = Write("ramp.csv", kElements);
    const CliRun r = RouteCommand({"elements", "--route", route, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["method"], "elements");
    EXPECT_EQ(j["length"], 360.0);
    ASSERT_EQ(j["elements"].size(), 5u);
    const nlohmann::json& s1 = j["elements"][1];
    EXPECT_EQ(s1["kind"], "spiral");
    EXPECT_EQ(s1["name"], "S1");
    EXPECT_TRUE(s1["R_start"].is_null());
    EXPECT_EQ(s1["R_end"], 200.0);
    EXPECT_EQ(s1["turn"], 1);
    EXPECT_EQ(j["elements"][0]["turn"], 0);
    EXPECT_EQ(j["elements"][2]["kind"], "arc");
    // Each element starts where the one before ends.
    for (std::size_t i = 0; i + 1 < j["elements"].size(); ++i) {
        const nlohmann::json& a = j["elements"][i]["end"];
        const nlohmann::json& b = j["elements"][i + 1]["start"];
        EXPECT_NEAR(a["x"].get<double>(), b["x"].get<double>(), 1e-9);
        EXPECT_NEAR(a["y"].get<double>(), b["y"].get<double>(), 1e-9);
    }
    const std::vector<std::string> names = {"ZH", "HY", "YH", "HZ"};
    const std::vector<double> stations = {100, 160, 260, 320};
    ASSERT_EQ(j["main_points"].size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(j["main_points"][i]["name"], names[i]);
        EXPECT_EQ(j["main_points"][i]["station"], stations[i]);
    }
    // ZH lies 100 m north of the start; the line after the curve runs at
    // 60/200 + 100/200 rad = 0.8 rad ≈ 45.8366°.
    EXPECT_EQ(j["main_points"][0]["x"], 1100.0);
    EXPECT_NEAR(j["elements"][4]["start"]["azimuth"].get<double>(), 0.8 * 180 / 3.14159265358979, 1e-9);
    EXPECT_FALSE(j.contains("jds"));
}

TEST_F(RouteElementsCli, EveryCommandTakesAnElementFile)
{
    const std::string route = Write("ramp.csv", kElements);
    CliRun r = RouteCommand({"point", "--route", route, "--station", "130", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["jd"], "S1");
    const nlohmann::json point = nlohmann::json::parse(r.out);
    r = RouteCommand({"inverse", "--route", route, "--x", std::to_string(point["x"].get<double>()), "--y",
                      std::to_string(point["y"].get<double>()), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NEAR(nlohmann::json::parse(r.out)["station"].get<double>(), 130, 1e-5);
    r = RouteCommand({"table", "--route", route, "--interval", "50", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json rows = nlohmann::json::parse(r.out)["rows"];
    std::vector<std::string> kinds;
    for (const auto& row : rows)
        if (!row["kind"].get<std::string>().empty()) kinds.push_back(row["kind"]);
    EXPECT_EQ(kinds, (std::vector<std::string>{"QD", "ZH", "HY", "YH", "HZ", "ZD"}));
    // 0, 50, 100(ZH), 150, 160(HY), 200, 250, 260(YH), 300, 320(HZ), 350, 360
    EXPECT_EQ(rows.size(), 12u);
    r = RouteCommand({"elements", "--route", route});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("线元\t类型"), std::string::npos);
    EXPECT_NE(r.out.find("HY\tK0+160.000"), std::string::npos) << r.out;
    // Series spirals belong to the JD method only.
    r = RouteCommand({"elements", "--route", route, "--spiral", "series"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("线元法"), std::string::npos);
}

TEST_F(RouteElementsCli, BadElementFilesAreRefusedWithTheirLine)
{
    const std::string route =
        Write("bad.csv", "name,station,X,Y,azimuth,length,R_start,R_end,turn\nL1,0,0,0,0,100,,,\nC1,,,,,50,200,200,\n");
    const CliRun r = RouteCommand({"table", "--route", route, "--interval", "20"});
    EXPECT_EQ(r.status, kExitInvalidRoute);
    EXPECT_NE(r.err.find("第 3 行"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST_F(RouteElementsCli, SpiralOptionChoosesExactOrSeries)
{
    const std::string route = Write("sharp.csv",
                                    "点名,X,Y,桩号,R,Ls1,Ls2\nQD,0,0,0\nJD1,1000,0,,95.78,110,110\nZD,1000,1000\n");
    const CliRun exact = RouteCommand({"elements", "--route", route, "--json"});
    const CliRun series = RouteCommand({"elements", "--route", route, "--json", "--spiral", "series"});
    ASSERT_EQ(exact.status, 0) << exact.err;
    ASSERT_EQ(series.status, 0) << series.err;
    const nlohmann::json a = nlohmann::json::parse(exact.out), b = nlohmann::json::parse(series.out);
    EXPECT_EQ(a["spiral"], "exact");
    EXPECT_EQ(b["spiral"], "series");
    // The two HY points lie the series accuracy apart (ZH moves by only
    // 0.03 mm: the three-term p and q are far closer than the spiral's x, y).
    const nlohmann::json& ha = a["jds"][0]["points"][1];
    const nlohmann::json& hb = b["jds"][0]["points"][1];
    const double gap = std::hypot(ha["x"].get<double>() - hb["x"].get<double>(),
                                  ha["y"].get<double>() - hb["y"].get<double>());
    EXPECT_NEAR(gap * 1000, 55.2, 0.5);
    EXPECT_NEAR(a["jds"][0]["series_error_mm"][0].get<double>(), 55.2, 0.1);
    const CliRun bad = RouteCommand({"elements", "--route", route, "--spiral", "fast"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("--spiral"), std::string::npos);
}

TEST_F(RouteElementsCli, ProfileEndingWithinAMillimetreOfTheRouteCoversIt)
{
    // The route ends at 360; design documents round the profile's last
    // station to the millimetre either way.
    const std::string route = Write("ramp.csv", kElements);
    for (const char* last : {"360", "359.9996", "360.0004"}) {
        const std::string profile =
            Write("profile.csv", QByteArray("桩号,高程,R\n0,100,\n") + last + ",103.6,\n");
        const CliRun r = RouteCommand({"table", "--route", route, "--interval", "20", "--profile", profile});
        EXPECT_EQ(r.status, 0) << last << ": " << r.err;
        EXPECT_NE(r.out.find("K0+360.000"), std::string::npos);
    }
    const std::string shortProfile = Write("short.csv", "桩号,高程,R\n0,100,\n359.998,103.6,\n");
    const CliRun r = RouteCommand({"table", "--route", route, "--interval", "20", "--profile", shortProfile});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("纵断面"), std::string::npos);
}

TEST_F(RouteElementsCli, EggCurveRampRoundTripsThroughLandXml)
{
    // A ramp with an egg curve (R 200 -> R 400 between two arcs) and an
    // inflection: exported, imported, exported and imported again.
    const std::string ramp = Write(
        "ramp.csv",
        "name,station,X,Y,azimuth,length,R_start,R_end,turn\n"
        "L1,0,3380500,458900,30,80,,,\nA1,,,,,60,,200,右\nC1,,,,,90,200,200,右\nE1,,,,,50,200,400,右\n"
        "C2,,,,,70,400,400,右\nA2,,,,,70,400,,右\nA3,,,,,55,,150,左\nC3,,,,,40,150,150,左\nA4,,,,,55,150,,左\n");
    const std::string xml1 = dir_.filePath("1.xml").toStdString(), back1 = dir_.filePath("1.csv").toStdString();
    const std::string xml2 = dir_.filePath("2.xml").toStdString(), back2 = dir_.filePath("2.csv").toStdString();
    ASSERT_EQ(RouteCommand({"export", "--route", ramp, "--format", "landxml", "--out", xml1}).status, 0);
    CliRun r = RouteCommand({"import-landxml", "--in", xml1, "--out", back1});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;  // exact joints: no gap or kink to warn of
    ASSERT_EQ(RouteCommand({"export", "--route", back1, "--format", "landxml", "--out", xml2}).status, 0);
    ASSERT_EQ(RouteCommand({"import-landxml", "--in", xml2, "--out", back2}).status, 0);
    // The egg is a Spiral with both radii finite.
    QFile f(QString::fromStdString(xml1));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains("radiusStart=\"200\" radiusEnd=\"400\""));
    const auto table = [&](const std::string& route) {
        const CliRun t = RouteCommand({"table", "--route", route, "--interval", "7", "--json"});
        EXPECT_EQ(t.status, 0) << t.err;
        return nlohmann::json::parse(t.out)["rows"];
    };
    const nlohmann::json a = table(ramp), b = table(back1), c = table(back2);
    ASSERT_EQ(a.size(), b.size());
    ASSERT_EQ(a.size(), c.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (const nlohmann::json* other : {&b, &c}) {
            EXPECT_NEAR(a[i]["station"].get<double>(), (*other)[i]["station"].get<double>(), 1e-6) << i;
            EXPECT_NEAR(a[i]["x"].get<double>(), (*other)[i]["x"].get<double>(), 1e-6) << i;
            EXPECT_NEAR(a[i]["y"].get<double>(), (*other)[i]["y"].get<double>(), 1e-6) << i;
        }
        EXPECT_EQ(a[i]["kind"], b[i]["kind"]) << i;
    }
}

}  // namespace
}  // namespace tarvelo
