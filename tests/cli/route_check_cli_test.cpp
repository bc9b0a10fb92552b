// tarvelo-cli route check: a design stake table made from the route itself
// checks all ok; planted errors are found and classified; the exit status
// tells scripts which it was.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/route_check_cli.h"
#include "cli/route_cli.h"
#include "tests/cli/route_cli_run.h"

namespace tarvelo {
namespace {

using CheckRun = testing::RouteCliRun;
const auto RouteCommand = testing::RunRoute;

class RouteCheckCli : public testing::RouteCliFiles {
protected:
    // The route's own 20 m table as a design stake table, to 4 decimals as
    // design documents print it.
    std::string DesignFromRoute(const std::string& route, const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args = {"table", "--route", route, "--interval", "20", "--json"};
        args.insert(args.end(), extra.begin(), extra.end());
        const CheckRun t = RouteCommand(args);
        EXPECT_EQ(t.status, 0) << t.err;
        std::string text = "点名,桩号,X,Y\n";
        int n = 0;
        const nlohmann::json table = nlohmann::json::parse(t.out);
        for (const auto& row : table["rows"]) {
            if (row["kind"] == "断链") continue;
            char line[200];
            std::snprintf(line, sizeof line, "P%d,%.3f,%.4f,%.4f\n", ++n, row["station"].get<double>(),
                          row["x"].get<double>(), row["y"].get<double>());
            text += line;
        }
        return text;
    }
};

const char kRoute[] =
    "点名,X,Y,桩号,R,Ls1,Ls2\nQD,0,0,0\nJD1,1000,0,,300,80,80\nJD2,1000,1000,,250,60,60\nZD,2000,1000\n";

TEST_F(RouteCheckCli, TheRoutesOwnTableChecksAllOk)
{
    const std::string route = Write("route.csv", kRoute);
    const std::string design = Write("design.csv", DesignFromRoute(route));
    const CheckRun r = RouteCommand({"check", "--route", route, "--design", design, "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_GT(j["summary"]["rows"].get<int>(), 100) << r.out.substr(0, 300);
    EXPECT_EQ(j["summary"]["classes"]["ok"], j["summary"]["rows"]);
    // Printed to 0.1 mm: the rounding is all that differs.
    EXPECT_LT(j["summary"]["rms"].get<double>(), 0.0001);
}

TEST_F(RouteCheckCli, PlantedErrorsAreFoundAndClassified)
{
    const std::string route = Write("route.csv", kRoute);
    std::string text = DesignFromRoute(route);
    // Row P40 (on JD1's arc): the X's two last integer digits swapped; P20:
    // its station 10 m off; a row beyond the end; a garbled row.
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    {
        std::string& l = lines[40];  // P40
        const std::size_t a = l.find(',', l.find(',') + 1) + 1;
        const std::size_t dot = l.find('.', a);
        std::swap(l[dot - 1], l[dot - 2]);
        if (l[dot - 1] == l[dot - 2]) l[dot - 1] = l[dot - 1] == '9' ? '0' : l[dot - 1] + 1;
    }
    {
        std::string& l = lines[20];  // P20
        const std::size_t a = l.find(',') + 1, b = l.find(',', a);
        const double station = std::stod(l.substr(a, b - a)) + 10;
        l = l.substr(0, a) + std::to_string(station) + l.substr(b);
    }
    lines.push_back("BEYOND,99999,5000,5000");
    lines.push_back("GARBLED,K1+2x3,abc,def");
    std::string planted;
    for (const std::string& l : lines) planted += l + "\n";
    const std::string design = Write("design.csv", planted);
    const CheckRun r = RouteCommand({"check", "--route", route, "--design", design, "--json"});
    EXPECT_EQ(r.status, kExitDesignDiffers) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    std::map<std::string, std::string> cls;
    for (const auto& row : j["rows"])
        if (row["name"].is_string()) cls[row["name"]] = row["class"];
    EXPECT_EQ(cls["P40"], "offset");
    EXPECT_EQ(cls["P20"], "station");
    EXPECT_EQ(cls["BEYOND"], "outside");
    EXPECT_EQ(cls["P5"], "ok");
    EXPECT_EQ(j["summary"]["classes"]["unreadable"], 1);
    // The station row points at the right station: the foot is 10 m back.
    for (const auto& row : j["rows"]) {
        if (row["name"] == "P20") {
            EXPECT_NEAR(row["station"].get<double>() - row["foot_station"].get<double>(), 10, 0.01);
        }
    }
}

TEST_F(RouteCheckCli, AcrossAChainBreakWithItsZone)
{
    const std::string route = Write("route.csv", kRoute);
    const std::string breaks = Write("breaks.csv", "K0+500,K0+480\n");  // a 长链 of 20 m
    const std::string design = Write("design.csv", DesignFromRoute(route, {"--breaks", breaks}));
    // Without the breaks the stations after K0+500 are 20 m off.
    const CheckRun wrong = RouteCommand({"check", "--route", route, "--design", design, "--json"});
    EXPECT_EQ(wrong.status, kExitDesignDiffers);
    // With them, everything is ok but the two rows whose stations are the
    // break's own (K0+480 of zone 0, K0+500 of zone 1): without a zone column
    // they are as ambiguous as the rest of the overlap's edges.
    const CheckRun r = RouteCommand({"check", "--route", route, "--design", design, "--breaks", breaks, "--json"});
    const nlohmann::json j = nlohmann::json::parse(r.out);
    const auto& classes = j["summary"]["classes"];
    EXPECT_GT(classes["ok"].get<int>(), 100);
    EXPECT_EQ(classes["ambiguous"], 2);
    EXPECT_EQ(classes["station"], 0);
    EXPECT_EQ(classes["offset"], 0);
    EXPECT_EQ(classes["ok"].get<int>() + 2, j["summary"]["rows"].get<int>());
}

TEST_F(RouteCheckCli, ToleranceAndFileErrorsAreRefused)
{
    const std::string route = Write("route.csv", kRoute);
    CheckRun r = RouteCommand({"check", "--route", route, "--design", "/nonexistent/d.csv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    const std::string design = Write("design.csv", DesignFromRoute(route));
    r = RouteCommand({"check", "--route", route, "--design", design, "--tolerance", "-1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
    r = RouteCommand({"check", "--route", route, "--design", design, "--format", "csv"});
    EXPECT_EQ(r.status, 1);
    // A table without a single stake checks nothing: refused, not "all ok".
    const std::string empty = Write("empty.csv", "点名,桩号,X,Y\n# nothing yet\n");
    r = RouteCommand({"check", "--route", route, "--design", empty});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("没有"), std::string::npos) << r.err;
    // Plain output: a row a line and the summary.
    r = RouteCommand({"check", "--route", route, "--design", design});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("相符"), std::string::npos);
    EXPECT_NE(r.out.find("共 "), std::string::npos);
}

}  // namespace
}  // namespace tarvelo
