// tarvelo-cli route across chain breaks (断链): a 短链 and a 长链 worked by
// hand on a curve whose stations are otherwise its distances.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "cli/route_cli.h"
#include "tests/cli/route_cli_run.h"

namespace tarvelo {
namespace {

using BreakRun = testing::RouteCliRun;
const auto RouteCommand = testing::RunRoute;

// Distances 0 .. 360: ZH 100, HY 160, YH 260, HZ 320. Breaks: 90 = 110 (a
// 短链 of 20 m at distance 90) and 250 = 230 (a 长链 of 20 m at distance 230).
// Zone 0: station = d (0 .. 90); zone 1: station = 110 + (d − 90) (110 ..
// 250); zone 2: station = 230 + (d − 230) = d (230 .. 360).
class RouteBreaksCli : public testing::RouteCliFiles {
protected:
    void SetUp() override
    {
        route_ = Write("ramp.csv",
                       "name,station,X,Y,azimuth,length,R_start,R_end,turn\n"
                       "L1,0,1000,2000,0,100,,,\nS1,,,,,60,,200,右\nC1,,,,,100,200,200,右\n"
                       "S2,,,,,60,200,,右\nL2,,,,,40,,,\n");
        breaks_ = Write("breaks.csv", "断前桩号,断后桩号,名称\nK0+090,K0+110,短链1\n250,230,长链1\n");
    }
    std::string route_, breaks_;
};

TEST_F(RouteBreaksCli, TableListsDisplayedStationsZoneByZoneAndTheBreaks)
{
    const BreakRun r = RouteCommand({"table", "--route", route_, "--breaks", breaks_, "--interval", "20", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json rows = nlohmann::json::parse(r.out)["rows"];
    struct Want {
        double station, distance;
        int zone;
        const char* kind;
    };
    const std::vector<Want> want = {
        {0, 0, 0, "QD"},    {20, 20, 0, ""},    {40, 40, 0, ""},    {60, 60, 0, ""},   {80, 80, 0, ""},
        {90, 90, 0, "断链"}, {120, 100, 1, "ZH"}, {140, 120, 1, ""},  {160, 140, 1, ""}, {180, 160, 1, "HY"},
        {200, 180, 1, ""},  {220, 200, 1, ""},  {240, 220, 1, ""},  {250, 230, 1, "断链"}, {240, 240, 2, ""},
        {260, 260, 2, "YH"}, {280, 280, 2, ""}, {300, 300, 2, ""},  {320, 320, 2, "HZ"}, {340, 340, 2, ""},
        {360, 360, 2, "ZD"},
    };
    ASSERT_EQ(rows.size(), want.size()) << r.out;
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(rows[i]["station"].get<double>(), want[i].station, 1e-9);
        EXPECT_NEAR(rows[i]["distance"].get<double>(), want[i].distance, 1e-9);
        EXPECT_EQ(rows[i]["zone"], want[i].zone);
        EXPECT_EQ(rows[i]["kind"], want[i].kind);
    }
    EXPECT_EQ(rows[5]["station_ahead"], 110.0);
    EXPECT_EQ(rows[13]["station_ahead"], 230.0);
    // The 240 of zone 1 and the 240 of zone 2 are 20 m apart on the ground.
    EXPECT_NEAR(rows[14]["x"].get<double>() - rows[12]["x"].get<double>(), 0, 25);
    // The plain table writes the break as design documents do.
    const BreakRun plain = RouteCommand({"table", "--route", route_, "--breaks", breaks_, "--interval", "20"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.out.find("K0+090.000=K0+110.000\t"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("K0+250.000=K0+230.000\t"), std::string::npos);
    EXPECT_NE(plain.out.find("K0+240.000(1区)\t"), std::string::npos);
    EXPECT_NE(plain.out.find("K0+240.000(2区)\t"), std::string::npos);
}

TEST_F(RouteBreaksCli, GapAndOverlapStationsAreRefusedUntilTheirZoneIsGiven)
{
    BreakRun r = RouteCommand({"point", "--route", route_, "--breaks", breaks_, "--station", "100"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("K0+090.000=K0+110.000"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("短链"), std::string::npos) << r.err;
    r = RouteCommand({"point", "--route", route_, "--breaks", breaks_, "--station", "240"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("区段"), std::string::npos) << r.err;
    for (const auto& [zone, distance] : {std::pair{"1", 220.0}, {"2", 240.0}}) {
        r = RouteCommand({"point", "--route", route_, "--breaks", breaks_, "--station", "240", "--zone", zone, "--json"});
        ASSERT_EQ(r.status, 0) << r.err;
        const nlohmann::json p = nlohmann::json::parse(r.out);
        EXPECT_EQ(p["station"], 240.0);
        EXPECT_EQ(p["distance"], distance);
        EXPECT_EQ(p["zone"], std::stoi(zone));
        // Forward then inverse: the foot is the same displayed station and zone.
        const BreakRun f = RouteCommand({"inverse", "--route", route_, "--breaks", breaks_, "--x",
                                         std::to_string(p["x"].get<double>()), "--y",
                                         std::to_string(p["y"].get<double>()), "--json"});
        ASSERT_EQ(f.status, 0) << f.err;
        const nlohmann::json foot = nlohmann::json::parse(f.out);
        EXPECT_NEAR(foot["station"].get<double>(), 240, 1e-5);
        EXPECT_EQ(foot["zone"], std::stoi(zone));
        EXPECT_NEAR(foot["distance"].get<double>(), distance, 1e-5);
    }
    // A table range may start inside the overlap with its zone.
    r = RouteCommand({"table", "--route", route_, "--breaks", breaks_, "--interval", "20", "--start", "240",
                      "--start-zone", "2", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out)["rows"][0]["distance"], 240.0);
}

TEST_F(RouteBreaksCli, ElementsListTheBreaksAndTheLengthIsTheDistance)
{
    const BreakRun r = RouteCommand({"elements", "--route", route_, "--breaks", breaks_, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["length"], 360.0);
    ASSERT_EQ(j["breaks"].size(), 2u);
    EXPECT_EQ(j["breaks"][0]["amount"], -20.0);
    EXPECT_EQ(j["breaks"][0]["distance"], 90.0);
    EXPECT_EQ(j["breaks"][1]["amount"], 20.0);
    EXPECT_EQ(j["breaks"][1]["distance"], 230.0);
    // Main points in displayed stations.
    EXPECT_EQ(j["main_points"][0]["station"], 120.0);
    EXPECT_EQ(j["main_points"][2]["station"], 260.0);
}

TEST_F(RouteBreaksCli, BadBreakTablesRefuseTheRoute)
{
    const struct {
        const char* text;
        const char* says;
    } cases[] = {
        {"100,100\n", "第 1 行"},
        {"50,60\n40,70\n", "第 2 行"},
        {"500,520\n", "终点"},
        {"50,60\nabc,70\n", "第 2 行"},
    };
    for (const auto& c : cases) {
        const std::string file = Write("bad.csv", c.text);
        const BreakRun r = RouteCommand({"elements", "--route", route_, "--breaks", file});
        EXPECT_EQ(r.status, kExitInvalidRoute) << c.text;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(RouteBreaksCli, LandXmlCarriesTheBreaksAsStationEquations)
{
    // The ramp as a JD route so that the import gives the same kind back.
    const std::string jd = Write("jd.csv", "点名,X,Y,桩号,R,Ls1,Ls2\nQD,0,0,0\nJD1,300,0,,200,60,60\nZD,300,300\n");
    const std::string xml = dir_.filePath("route.xml").toStdString();
    BreakRun r = RouteCommand({"export", "--route", jd, "--breaks", breaks_, "--format", "landxml", "--out", xml});
    ASSERT_EQ(r.status, 0) << r.err;
    QFile f(QString::fromStdString(xml));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains("<StaEquation staBack=\"90\" staAhead=\"110\" staInternal=\"90\""));
    EXPECT_TRUE(bytes.contains("staBack=\"250\" staAhead=\"230\" staInternal=\"230\""));
    // Without --breaks-out the import refuses rather than lose them.
    const std::string back = dir_.filePath("back.csv").toStdString();
    r = RouteCommand({"import-landxml", "--in", xml, "--out", back});
    EXPECT_EQ(r.status, kExitInvalidRoute);
    EXPECT_NE(r.err.find("--breaks-out"), std::string::npos) << r.err;
    const std::string backBreaks = dir_.filePath("back-breaks.csv").toStdString();
    r = RouteCommand({"import-landxml", "--in", xml, "--out", back, "--breaks-out", backBreaks});
    ASSERT_EQ(r.status, 0) << r.err;
    // Imported and recomputed, the table is the same as the original's.
    const BreakRun a = RouteCommand({"table", "--route", jd, "--breaks", breaks_, "--interval", "20", "--json"});
    const BreakRun b = RouteCommand({"table", "--route", back, "--breaks", backBreaks, "--interval", "20", "--json"});
    ASSERT_EQ(a.status, 0) << a.err;
    ASSERT_EQ(b.status, 0) << b.err;
    const nlohmann::json ra = nlohmann::json::parse(a.out)["rows"], rb = nlohmann::json::parse(b.out)["rows"];
    ASSERT_EQ(ra.size(), rb.size());
    for (std::size_t i = 0; i < ra.size(); ++i) {
        EXPECT_NEAR(ra[i]["station"].get<double>(), rb[i]["station"].get<double>(), 1e-6) << i;
        EXPECT_NEAR(ra[i]["x"].get<double>(), rb[i]["x"].get<double>(), 1e-6) << i;
        EXPECT_EQ(ra[i]["zone"], rb[i]["zone"]) << i;
    }
    // A decreasing equation is refused by name.
    QByteArray decreasing = bytes;
    decreasing.replace("staIncrement=\"increasing\"", "staIncrement=\"decreasing\"");
    const std::string dec = Write("dec.xml", decreasing);
    r = RouteCommand({"import-landxml", "--in", dec, "--out", back, "--breaks-out", backBreaks});
    EXPECT_EQ(r.status, kExitInvalidRoute);
    EXPECT_NE(r.err.find("递减"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tarvelo
