// route ground and route earthwork from the command line, on the shipped
// example route, points and sections.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include <nlohmann/json.hpp>

#include <set>
#include <string>

#include "route_cli_run.h"
#include "tests/reports/gbk_python.h"

namespace tarvelo::testing {
namespace {

const std::string kDir = std::string(TARVELO_SOURCE_DIR) + "/examples/";
const std::string kRoute = kDir + "route-example.csv";
const std::string kPoints = kDir + "ground-points-example.csv";

std::vector<std::string> Earthwork(const std::string& ground)
{
    return {"earthwork", "--route", kRoute, "--profile", kDir + "profile-example.csv", "--template",
            kDir + "template-example.csv", "--sections", kDir + "sections-example.csv", "--ground", ground};
}

class RouteGroundCli : public RouteCliFiles {};

TEST_F(RouteGroundCli, PointsIntoSectionsMapBackToTheirStations)
{
    const RouteCliRun r = RunRoute({"ground", "--route", kRoute, "--points", kPoints, "--interval", "20", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["sections"].size(), 11u);
    std::vector<std::string> names;
    for (const auto& u : j["unassigned"]) names.push_back(u["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"X1", "X2", "G200-10B"}));
    EXPECT_NE(r.err.find("X1：距最近的断面 K10+160.000 3.000 m，超出带宽 0.5 m"), std::string::npos) << r.err;
    for (const auto& s : j["sections"]) {
        EXPECT_EQ(s["points"].size(), 17u);
        // The station printed names the place: route point at it gives the
        // same distance.
        const RouteCliRun p = RunRoute({"point", "--route", kRoute, "--station", s["station"].dump(), "--zone",
                                        s["zone"].dump(), "--json"});
        ASSERT_EQ(p.status, 0) << p.err;
        EXPECT_NEAR(nlohmann::json::parse(p.out)["distance"].get<double>(), s["distance"].get<double>(), 1e-6);
        double last = -1e9;
        for (const auto& pt : s["points"]) {
            EXPECT_GT(pt["offset"].get<double>(), last);
            last = pt["offset"];
        }
    }
}

TEST_F(RouteGroundCli, ThreeFormsGiveTheSameEarthwork)
{
    const std::string csv = Write("g.csv", ""), hdm = Write("g.hdm", ""), rel = Write("r.hdm", ""),
                      centre = Write("c.csv", "");
    const std::vector<std::string> base = {"ground", "--route", kRoute, "--points", kPoints, "--interval", "20"};
    for (const auto& [format, path] : std::vector<std::pair<std::string, std::string>>{
             {"csv", csv}, {"hdm", hdm}, {"hdm-relative", rel}}) {
        std::vector<std::string> a = base;
        a.insert(a.end(), {"--format", format, "--out", path});
        if (format == "hdm-relative") a.insert(a.end(), {"--centre-ground-out", centre});
        const RouteCliRun r = RunRoute(a);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    std::vector<std::vector<std::string>> runs = {Earthwork(csv), Earthwork(hdm), Earthwork(rel),
                                                  Earthwork(kDir + "ground-example.csv"),
                                                  Earthwork(kDir + "ground-example.hdm"),
                                                  Earthwork(kDir + "ground-example-relative.hdm")};
    runs[2].insert(runs[2].end(), {"--centre-ground", centre});
    runs[5].insert(runs[5].end(), {"--centre-ground", kDir + "ground-centre-example.csv"});
    nlohmann::json first;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        runs[i].push_back("--json");
        const RouteCliRun r = RunRoute(runs[i]);
        ASSERT_EQ(r.status, 0) << i << r.err;
        const auto j = nlohmann::json::parse(r.out);
        if (i == 0) {
            first = j;
            ASSERT_EQ(j["sections"].size(), 11u);
            EXPECT_GT(j["total"]["cut"].get<double>(), 0);
            EXPECT_GT(j["total"]["fill"].get<double>(), 0);
            continue;
        }
        ASSERT_EQ(j["sections"].size(), first["sections"].size()) << i;
        for (std::size_t k = 0; k < j["sections"].size(); ++k) {
            EXPECT_NEAR(j["sections"][k]["cut_area"].get<double>(), first["sections"][k]["cut_area"].get<double>(), 1e-4);
            EXPECT_NEAR(j["sections"][k]["fill_area"].get<double>(), first["sections"][k]["fill_area"].get<double>(), 1e-4);
            EXPECT_NEAR(j["sections"][k]["left"]["offset"].get<double>(),
                        first["sections"][k]["left"]["offset"].get<double>(), 1e-5);
        }
        EXPECT_NEAR(j["total"]["cut"].get<double>(), first["total"]["cut"].get<double>(), 1e-2) << i;
    }
    // Without its centre elevations the relative file is refused, saying how.
    const RouteCliRun refused = RunRoute(Earthwork(rel));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("--centre-ground"), std::string::npos) << refused.err;
}

TEST_F(RouteGroundCli, ProblemsLeaveIntervalsOutAndExitThree)
{
    // K10+120 ends 6 m right of the centre, before its 坡脚; line 9 is no number.
    const std::string ground = Write("bad.csv",
                                     "桩号,偏距,高程\n"
                                     "K10+100,-40,349\nK10+100,40,349\n"
                                     "K10+120,-40,350\nK10+120,6,350\n"
                                     "K10+140,-40,351\nK10+140,40,351\n"
                                     "K10+160,-40,352\nK10+160,4O,352\n");
    std::vector<std::string> a = Earthwork(ground);
    a.push_back("--json");
    const RouteCliRun r = RunRoute(a);
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("第 9 行：偏距和高程须为数"), std::string::npos) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["sections"].size(), 3u);
    EXPECT_EQ(j["sections"][1]["problem"], "右侧地面线在坡脚之前结束");
    EXPECT_TRUE(j["sections"][1]["cut_area"].is_null());
    EXPECT_EQ(j["total"]["left_out"], 2);
    EXPECT_TRUE(j["intervals"][0]["cut"].is_null());
}

TEST_F(RouteGroundCli, CatchStakesReportAndCsv)
{
    const std::string dat = Write("c.dat", ""), report = Write("t.txt", ""), csv = Write("t.csv", "");
    std::vector<std::string> a = Earthwork(kDir + "ground-example.csv");
    a.insert(a.end(), {"--format", "dat", "--out", dat, "--report", report});
    const RouteCliRun r = RunRoute(a);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("写出坡脚、坡口 22 个点"), std::string::npos) << r.out;
    QFile f(QString::fromStdString(dat));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    std::set<QByteArray> names;
    for (const QByteArray& l : lines)
        if (!l.isEmpty()) names.insert(l.split(',')[0]);
    EXPECT_EQ(names.size(), 22u);
    // The report and the CSV as Python reads them.
    const std::string text = DecodeGbkWithPython(QString::fromStdString(report));
    EXPECT_EQ(text.rfind("土石方数量表\r\n路线：route-example\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("K10+300.000"), std::string::npos);
    EXPECT_NE(text.find("合计  挖方 3632.09 m3  填方 1954.45 m3"), std::string::npos) << text;
    std::vector<std::string> c = Earthwork(kDir + "ground-example.csv");
    c.insert(c.end(), {"--format", "csv", "--out", csv});
    ASSERT_EQ(RunRoute(c).status, 0);
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"),
             {QStringLiteral(TARVELO_SOURCE_DIR "/tests/reports/csv_check.py"), QString::fromStdString(csv)});
    ASSERT_TRUE(py.waitForFinished(60000));
    const auto read = nlohmann::json::parse(py.readAllStandardOutput().toStdString());
    EXPECT_TRUE(read["bom"].get<bool>());
    EXPECT_EQ(read["lone_lf"], 0);
    ASSERT_EQ(read["rows"].size(), 12u);
    EXPECT_EQ(read["rows"][0][1], "挖方面积");
    EXPECT_EQ(read["rows"][11][0], "K10+300.000");
    EXPECT_EQ(read["rows"][11][16], "3632.089");
}

TEST_F(RouteGroundCli, LengthAcrossAChainBreakIsTheDistance)
{
    // K11+180 and K11+280 on either side of the 短链 K11+200 = K11+260: 40 m.
    const std::string ground = Write("brk.csv",
                                     "桩号,偏距,高程\n"
                                     "K11+180,-40,355\nK11+180,40,355\n"
                                     "K11+280,-40,355\nK11+280,40,355\n");
    const RouteCliRun r = RunRoute({"earthwork", "--route", kDir + "route-example-breaks.csv", "--breaks",
                                    kDir + "breaks-example.csv", "--profile", kDir + "profile-example.csv",
                                    "--template", kDir + "template-example.csv", "--ground", ground, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["intervals"].size(), 1u);
    EXPECT_NEAR(j["intervals"][0]["length"].get<double>(), 40, 1e-6);
    const double a1 = j["sections"][0]["fill_area"], a2 = j["sections"][1]["fill_area"];
    EXPECT_GT(a1, 0);
    EXPECT_NEAR(j["intervals"][0]["fill"].get<double>(), 40 * (a1 + a2) / 2, 1e-6);
}

}  // namespace
}  // namespace tarvelo::testing
