// tarvelo-cli route sections and the total-station data: edge stakes worked
// by hand on a straight, a superelevation run-in linear and cubic, and the
// published stakeout example.

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

using SectionsRun = testing::RouteCliRun;
const auto RouteCommand = testing::RunRoute;

// A straight due north from (1000, 2000), stations 0 .. 200, rising 1 %;
// a crown of -2/-2 at 0 turns into a superelevation of +6/-6 with the right
// side widened by 0.5 m at 100.
class RouteSectionsCli : public testing::RouteCliFiles {
protected:
    void SetUp() override
    {
        route_ = Write("line.csv", "name,station,X,Y,azimuth,length,R_start,R_end,turn\nL1,0,1000,2000,0,200,,,\n");
        profile_ = Write("profile.csv", "桩号,高程,R\n0,100,\n200,102,\n");
        sections_ = Write("sections.csv", "桩号,左幅宽度,右幅宽度,左横坡%,右横坡%\n0,3.75,3.75,-2,-2\n"
                                          "K0+100,3.75,4.25,6,-6\n200,3.75,4.25,6,-6\n");
    }
    nlohmann::json Rows(std::vector<std::string> extra)
    {
        std::vector<std::string> args = {"sections", "--route", route_, "--sections", sections_, "--profile",
                                         profile_, "--interval", "25", "--format", "json"};
        args.insert(args.end(), extra.begin(), extra.end());
        const SectionsRun r = RouteCommand(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.status == 0 ? nlohmann::json::parse(r.out)["rows"] : nlohmann::json::array();
    }
    std::string route_, profile_, sections_;
};

TEST_F(RouteSectionsCli, EdgeStakesAndTheirElevationsWorkedByHand)
{
    const nlohmann::json rows = Rows({});
    ASSERT_EQ(rows.size(), 9u);
    // K0+050, halfway through the run-in: right width 4.0, slopes +2 / -4;
    // centre 100.5 m.
    const nlohmann::json& r = rows[2];
    EXPECT_EQ(r["station"], 50.0);
    EXPECT_NEAR(r["centre"]["x"].get<double>(), 1050, 1e-9);
    EXPECT_NEAR(r["centre"]["z"].get<double>(), 100.5, 1e-9);
    EXPECT_NEAR(r["left"]["offset"].get<double>(), -3.75, 1e-12);
    EXPECT_NEAR(r["left"]["y"].get<double>(), 1996.25, 1e-9);
    EXPECT_NEAR(r["left"]["slope"].get<double>(), 2, 1e-12);
    EXPECT_NEAR(r["left"]["z"].get<double>(), 100.5 + 3.75 * 0.02, 1e-9);
    EXPECT_NEAR(r["right"]["offset"].get<double>(), 4.0, 1e-12);
    EXPECT_NEAR(r["right"]["y"].get<double>(), 2004, 1e-9);
    EXPECT_NEAR(r["right"]["z"].get<double>(), 100.5 - 4.0 * 0.04, 1e-9);
    // K0+025: a quarter of the way: linear -3 %, cubic -2 - 4·0.15625.
    EXPECT_NEAR(rows[1]["right"]["slope"].get<double>(), -3, 1e-12);
    const nlohmann::json cubic = Rows({"--transition", "cubic"});
    ASSERT_EQ(cubic.size(), 9u);
    EXPECT_NEAR(cubic[1]["right"]["slope"].get<double>(), -2.625, 1e-12);
    EXPECT_NEAR(cubic[1]["right"]["offset"].get<double>(), 3.75 + 0.5 * 0.15625, 1e-12);
    EXPECT_NEAR(cubic[2]["right"]["slope"].get<double>(), -4, 1e-12);  // t = 1/2: both laws agree
    // Without a profile the elevations are null.
    const SectionsRun plain = RouteCommand(
        {"sections", "--route", route_, "--sections", sections_, "--interval", "100", "--format", "json"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_TRUE(nlohmann::json::parse(plain.out)["rows"][0]["left"]["z"].is_null());
}

TEST_F(RouteSectionsCli, CassFileHasThreePointsAStation)
{
    const SectionsRun r = RouteCommand({"sections", "--route", route_, "--sections", sections_, "--profile",
                                        profile_, "--interval", "100", "--format", "dat"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("K0+100.000-L,,1996.2500,1100.0000,101.225\r\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("K0+100.000-C,,2000.0000,1100.0000,101.000\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("K0+100.000-R,,2004.2500,1100.0000,100.745\r\n"), std::string::npos);
}

TEST_F(RouteSectionsCli, StationsBeyondTheSectionTableAreRefused)
{
    const std::string shorter = Write("short.csv", "10,3.75,3.75,-2,-2\n150,3.75,3.75,-2,-2\n");
    const SectionsRun r = RouteCommand({"sections", "--route", route_, "--sections", shorter, "--interval", "20"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("横断面"), std::string::npos) << r.err;
    const std::string bad = Write("bad.csv", "0,3.75,-1,-2,-2\n");
    EXPECT_EQ(RouteCommand({"sections", "--route", route_, "--sections", bad, "--interval", "20"}).status,
              kExitInvalidRoute);
}

TEST_F(RouteSectionsCli, StakeoutOfThePublishedExample)
{
    // Station J (502.110, 496.225), backsight K (746.202, 456.588), point P
    // (450.000, 560.000): β = 138°28′32″, D = 82.357 m. The route starts at P.
    const std::string atP =
        Write("p.csv", "name,station,X,Y,azimuth,length,R_start,R_end,turn\nL1,0,450,560,90,100,,,\n");
    SectionsRun r = RouteCommand({"point", "--route", atP, "--station", "0", "--instrument", "502.110,496.225",
                                  "--backsight", "746.202,456.588", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json s = nlohmann::json::parse(r.out)["stakeout"];
    EXPECT_NEAR(s["distance"].get<double>(), 82.357, 0.0005);
    EXPECT_NEAR(s["angle"].get<double>(), 138 + 28 / 60.0 + 32 / 3600.0, 0.5 / 3600);
    r = RouteCommand({"point", "--route", atP, "--station", "0", "--instrument", "502.110,496.225", "--backsight",
                      "746.202,456.588"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("138°28ˊ32\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\t82.357"), std::string::npos) << r.out;
    // The same with the backsight given by its azimuth (d.mmss).
    r = RouteCommand({"table", "--route", atP, "--interval", "50", "--instrument", "502.110,496.225",
                      "--backsight-azimuth", "350.4637", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NEAR(nlohmann::json::parse(r.out)["rows"][0]["stakeout"]["distance"].get<double>(), 82.357, 0.0005);
    // Refused: a backsight on the station, a half-given set.
    EXPECT_EQ(RouteCommand({"point", "--route", atP, "--station", "0", "--instrument", "1,2", "--backsight", "1,2"})
                  .status,
              1);
    EXPECT_EQ(RouteCommand({"point", "--route", atP, "--station", "0", "--instrument", "1,2"}).status, 1);
    EXPECT_EQ(RouteCommand({"point", "--route", atP, "--station", "0", "--backsight", "1,2"}).status, 1);
}

}  // namespace
}  // namespace tarvelo
