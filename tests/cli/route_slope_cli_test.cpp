// tarvelo-cli route slope and route level on the example route: stakes worked
// by hand, every outcome, stations that map back through route point, the
// exit status of the level check, the CSV and the GBK reports read back by
// Python, and the refusals.

#include <gtest/gtest.h>

#include <QProcess>

#include <nlohmann/json.hpp>

#include <cmath>
#include <string>
#include <vector>

#include "cli/route_cli.h"
#include "tests/cli/route_cli_run.h"
#include "tests/reports/gbk_python.h"

namespace tarvelo {
namespace {

using testing::RunRoute;

const std::string kExamples = TARVELO_SOURCE_DIR "/examples/";
const std::vector<std::string> kDesign = {
    "--route",    kExamples + "route-example.csv",    "--profile",  kExamples + "profile-example.csv",
    "--sections", kExamples + "sections-example.csv", "--template", kExamples + "template-example.csv"};

std::vector<std::string> Args(const std::string& command, std::vector<std::string> extra)
{
    std::vector<std::string> args = {command};
    args.insert(args.end(), kDesign.begin(), kDesign.end());
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

std::vector<std::string> Split(const std::string& line, char sep)
{
    std::vector<std::string> out(1);
    for (const char c : line) {
        if (c == sep)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out = Split(text, '\n');
    if (!out.empty() && out.back().empty()) out.pop_back();
    return out;
}

class RouteSlopeCli : public testing::RouteCliFiles {};

// The example points: P1 4 m right of K10+300 on flat ground 6.68 m below
// the hinge (360.680 = 360.800 - 0.075 - 0.015 - 0.03): D = 5.25 + 1.5 x 6.68
// = 15.270. P2 9.18 m below, past the 2 m berm (-2 %): 19.25 + 1.75 x 1.14 =
// 21.245 on level 2. P6 in the rock from K13+000 (pavement widened to 3.85):
// ditch 0 + 0.4 + 0.8, then 1:0.3 for 4.742 m: 6.55 + 1.4226 = 7.973.
TEST_F(RouteSlopeCli, ExamplePointsTextByHand)
{
    const testing::RouteCliRun r = RunRoute(Args("slope", {"--points", kExamples + "slope-points-example.csv"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "点名\t桩号\t偏距\t侧\t填挖\t路基边缘偏距\t路基边缘高程\t放样点\t放样点偏距\tX\tY\t放样点高程\t级\t移动\t设计高程\t高差\t说明");
    const std::vector<std::string> p1 = Split(lines[1], '\t');
    EXPECT_EQ(p1[1], "K10+300.000");
    EXPECT_EQ(p1[3], "右");
    EXPECT_EQ(p1[4], "填");
    EXPECT_EQ(p1[5], "5.250");
    EXPECT_EQ(p1[6], "360.680");
    EXPECT_EQ(p1[7], "坡脚");
    EXPECT_EQ(p1[8], "15.270");
    EXPECT_EQ(p1[12], "1");
    EXPECT_EQ(p1[13], "向外 1.270");
    const std::vector<std::string> p2 = Split(lines[2], '\t');
    EXPECT_EQ(p2[3], "左");
    EXPECT_EQ(p2[8], "21.245");
    EXPECT_EQ(p2[12], "2");
    const std::vector<std::string> p3 = Split(lines[3], '\t');
    EXPECT_EQ(p3[4], "挖");
    EXPECT_EQ(p3[7], "坡口");
    EXPECT_EQ(p3[13].substr(0, std::string("向内").size()), "向内");
    const std::vector<std::string> p6 = Split(lines[6], '\t');
    EXPECT_EQ(p6[5], "5.350");
    EXPECT_EQ(p6[8], "7.973");
    EXPECT_EQ(p6[14], "369.258");  // 367.758 + 0.45 / 0.3
    EXPECT_EQ(p6[15], "+3.242");
    EXPECT_EQ(lines[7], "P7\tK12+200.000\t0.000\t\t\t\t\t\t\t\t\t\t\t\t\t\t点在中线上，分不出左右侧。");
    EXPECT_EQ(lines[8], "P8\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t点不在线路范围之内（垂足在起点之前或终点之后）。");
}

// JSON gives each outcome only the fields it has; every catch maps back
// through route point with its displayed station, zone and signed offset.
TEST_F(RouteSlopeCli, JsonCatchesMapBackThroughRoutePoint)
{
    const testing::RouteCliRun r =
        RunRoute(Args("slope", {"--points", kExamples + "slope-points-example.csv", "--json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json points = nlohmann::json::parse(r.out)["points"];
    ASSERT_EQ(points.size(), 8u);
    for (const nlohmann::json& p : points) {
        const std::string outcome = p["outcome"];
        SCOPED_TRACE(p["name"].get<std::string>());
        EXPECT_EQ(p.contains("station"), outcome != "outside");
        EXPECT_EQ(p.contains("side"), outcome != "outside" && outcome != "centre");
        EXPECT_EQ(p.contains("catch"), outcome == "ok");
        if (outcome != "ok") continue;
        const double offset = p["offset"], catchOffset = p["catch"]["offset"], move = p["move"];
        EXPECT_EQ(p["side"], offset < 0 ? "left" : "right");
        EXPECT_NEAR(move, std::fabs(catchOffset) - std::fabs(offset), 1e-9);
        EXPECT_EQ(p["catch"]["z"], p["z"]);
        const testing::RouteCliRun back = RunRoute(
            {"point", "--route", kExamples + "route-example.csv", "--station", std::to_string(p["station"].get<double>()),
             "--zone", std::to_string(p["zone"].get<int>()), "--offset", std::to_string(catchOffset), "--json"});
        ASSERT_EQ(back.status, 0) << back.err;
        const nlohmann::json q = nlohmann::json::parse(back.out);
        EXPECT_NEAR(q["x"].get<double>(), p["catch"]["x"].get<double>(), 1e-5);
        EXPECT_NEAR(q["y"].get<double>(), p["catch"]["y"].get<double>(), 1e-5);
    }
    EXPECT_EQ(points[6]["outcome"], "centre");
    EXPECT_EQ(points[7]["outcome"], "outside");
    EXPECT_EQ(points[7].size(), 5u);  // name, x, y, z, outcome
}

// Across the chain breaks the template's K13+000 is a displayed station:
// the rock begins where the road reaches K13+000 after the 短链.
TEST_F(RouteSlopeCli, TemplateStationsAreReadThroughBreaks)
{
    const std::vector<std::string> broken = {
        "slope",      "--route",    kExamples + "route-example-breaks.csv", "--breaks",
        kExamples + "breaks-example.csv", "--profile", kExamples + "profile-example.csv", "--template",
        kExamples + "template-example.csv"};
    const auto shot = [&](const std::string& station) {
        const testing::RouteCliRun p =
            RunRoute({"point", "--route", kExamples + "route-example-breaks.csv", "--breaks",
                      kExamples + "breaks-example.csv", "--station", station, "--offset", "9", "--json"});
        const nlohmann::json j = nlohmann::json::parse(p.out);
        std::vector<std::string> args = broken;
        for (const std::string& a : {std::string("--x"), std::to_string(j["x"].get<double>()), std::string("--y"),
                                     std::to_string(j["y"].get<double>()), std::string("--z"), std::string("372"),
                                     std::string("--json")})
            args.push_back(a);
        const testing::RouteCliRun r = RunRoute(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return nlohmann::json::parse(r.out)["points"][0];
    };
    const nlohmann::json before = shot("12999"), after = shot("13001");
    ASSERT_EQ(before["outcome"], "ok");
    ASSERT_EQ(after["outcome"], "ok");
    // Without --sections the roadbed top is the shoulders from the centre:
    // hinge at 1.5 m; the earth cut has a 0.6 m ditch on 1:1 sides (outer top
    // 1.5 + 1.8), the rock one 0.4 m on 0:1 (1.5 + 1.2).
    EXPECT_NEAR(before["hinge"]["offset"].get<double>(), 1.5, 1e-9);
    const double zH = before["hinge"]["z"];
    EXPECT_NEAR(before["catch"]["offset"].get<double>(), 3.3 + 0.75 * (372 - zH), 1e-6);
    const double zH2 = after["hinge"]["z"];
    EXPECT_NEAR(after["catch"]["offset"].get<double>(), 2.7 + 0.3 * (372 - zH2), 1e-6);
}

TEST_F(RouteSlopeCli, LevelExitStatusDepthAndSummary)
{
    const std::string points = kExamples + "level-points-example.csv";
    const testing::RouteCliRun strict = RunRoute(Args("level", {"--points", points, "--depth", "0.3"}));
    EXPECT_EQ(strict.status, 3) << strict.err;
    const std::vector<std::string> lines = Lines(strict.out);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[1], "L1\tK10+300.000\t4.500\t左\t路基顶\t360.413\t360.410\t+0.003\t高\t合格");
    EXPECT_EQ(lines[2], "L2\tK10+300.000\t0.000\t\t路基顶\t360.496\t360.500\t-0.004\t低\t合格");
    EXPECT_EQ(lines[6], "L6\tK10+300.000\t10.000\t左\t填方边坡\t357.521\t357.513\t+0.008\t高\t合格");
    EXPECT_EQ(lines[9], "检测 7 点：合格 5 点，超限 2 点，无法检测 0 点。");
    EXPECT_EQ(lines[10], "最大高差 -0.016 m（L5）");

    const testing::RouteCliRun loose =
        RunRoute(Args("level", {"--points", points, "--depth", "0.3", "--tolerance-z", "0.02", "--json"}));
    EXPECT_EQ(loose.status, 0) << loose.err;
    const nlohmann::json j = nlohmann::json::parse(loose.out);
    EXPECT_EQ(j["summary"]["within"], 7);
    EXPECT_NEAR(j["summary"]["max_abs_dz"].get<double>(), 0.016, 1e-6);
    // The road top at K10+300: centre 360.800, the pavement at -2 %, the
    // earth shoulder at -4 %: 4.5 m left lies 0.075 + 0.015 below, then the
    // depth 0.3.
    EXPECT_NEAR(j["points"][0]["design_z"].get<double>(), 360.8 - 0.09 - 0.3, 1e-4);
    EXPECT_EQ(j["points"][0]["part"], "road");
    EXPECT_EQ(j["points"][5]["part"], "fill");
    EXPECT_EQ(j["points"][6]["part"], "cut");
    // Without the depth the road points are 0.3 m low.
    const testing::RouteCliRun top = RunRoute(Args("level", {"--points", points, "--json"}));
    EXPECT_NEAR(nlohmann::json::parse(top.out)["points"][1]["dz"].get<double>(), -0.304, 1e-5);
}

TEST_F(RouteSlopeCli, CsvAndReportsReadBackByPython)
{
    const std::string csv = dir_.filePath("slope.csv").toStdString();
    const std::string report = dir_.filePath("slope.txt").toStdString();
    const testing::RouteCliRun r = RunRoute(Args("slope", {"--points", kExamples + "slope-points-example.csv",
                                                           "--format", "csv", "--out", csv, "--report", report}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    QProcess py;
    py.start(QStringLiteral("/usr/bin/python3"),
             {QStringLiteral(TARVELO_SOURCE_DIR "/tests/reports/csv_check.py"), QString::fromStdString(csv)});
    ASSERT_TRUE(py.waitForFinished(60000));
    const nlohmann::json read = nlohmann::json::parse(py.readAllStandardOutput().toStdString());
    EXPECT_TRUE(read["bom"].get<bool>());
    EXPECT_EQ(read["lone_lf"], 0);
    ASSERT_EQ(read["rows"].size(), 9u);
    EXPECT_EQ(read["rows"][1][8], "15.270");
    EXPECT_EQ(read["rows"][1][13], "向外 1.270");

    const std::string text = testing::DecodeGbkWithPython(QString::fromStdString(report));
    EXPECT_NE(text.find("边坡放样记录"), std::string::npos) << text;
    EXPECT_NE(text.find("路基模板：template-example.csv"), std::string::npos);
    EXPECT_NE(text.find("左侧 K10+000.000 起：路肩 0.75 m -2%；路肩 0.75 m -4%；边沟 底宽 0.6 深 0.6 1:1/1:1；"
                        "挖方 1:0.75 高 8 平台 2 m 2%，1:1；填方 1:1.5 高 8 平台 2 m -2%，1:1.75"),
              std::string::npos);
    EXPECT_NE(text.find("右侧 K13+000.000 起："), std::string::npos);
    EXPECT_NE(text.find("P8：点不在线路范围之内"), std::string::npos);
    EXPECT_NE(text.find("\r\n计算："), std::string::npos);

    const std::string levelReport = dir_.filePath("level.txt").toStdString();
    const testing::RouteCliRun l = RunRoute(Args(
        "level", {"--points", kExamples + "level-points-example.csv", "--depth", "0.3", "--report", levelReport}));
    EXPECT_EQ(l.status, 3);
    const std::string level = testing::DecodeGbkWithPython(QString::fromStdString(levelReport));
    EXPECT_NE(level.find("高程检测表"), std::string::npos) << level;
    EXPECT_NE(level.find("检测层：路面以下 0.300 m"), std::string::npos);
    EXPECT_NE(level.find("限差：±0.010 m"), std::string::npos);
    EXPECT_NE(level.find("检测 7 点：合格 5 点，超限 2 点，无法检测 0 点。"), std::string::npos);
}

TEST_F(RouteSlopeCli, RefusalsNameTheirCause)
{
    const std::string badTemplate = Write("bad.csv", "起始桩号,侧,部位,参数1,参数2,参数3,参数4\n"
                                                     "K10+000,两侧,填方,1.5,8\n");
    const std::string noZ = Write("noz.csv", "点名,X,Y\nA,3378275.5885,455119.3607\n");
    const std::string gap = Write("gap.csv", "K11+230,两侧,填方,1.5\n");
    const std::vector<std::string> route = {"--route", kExamples + "route-example.csv", "--profile",
                                            kExamples + "profile-example.csv"};
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const auto with = [&](const char* command, std::vector<std::string> extra) {
        std::vector<std::string> a = {command};
        a.insert(a.end(), route.begin(), route.end());
        a.insert(a.end(), extra.begin(), extra.end());
        return a;
    };
    const std::string xyz[] = {"--x", "3378275.5885", "--y", "455119.3607", "--z", "354"};
    const std::vector<std::string> one(std::begin(xyz), std::end(xyz));
    auto plus = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const Case cases[] = {
        {with("slope", one), 1, "子命令 route slope 缺少选项 --template。"},
        {with("slope", plus({"--template", badTemplate}, one)), 2,
         "路基模板文件“" + badTemplate + "”有错误：\n第 2 行“参数2”：最后一级填方边坡一直延伸到地面，不给高度。"},
        {with("slope", {"--template", kExamples + "template-example.csv", "--points", noZ}), 1,
         "点文件“" + noZ + "”有错误：\n第 2 行：点 A 没有高程，无法计算。"},
        {with("slope", {"--template", kExamples + "template-example.csv", "--x", "1", "--y", "2"}), 1,
         "route slope 需要同时给出 --x、--y 和 --z（实测点的坐标和高程）。"},
        {with("level", plus({"--depth", "-0.2"}, one)), 1, "选项 --depth 是自路面向下的深度，不能为负：-0.2"},
        {with("level", plus({"--format", "csv"}, one)), 1, "--format csv 需要 --out 指定文件。"},
    };
    for (const Case& c : cases) {
        const testing::RouteCliRun r = RunRoute(c.args);
        EXPECT_EQ(r.status, c.status) << c.message;
        EXPECT_EQ(r.err.substr(0, c.message.size()), c.message);
        EXPECT_EQ(r.out, "");
    }
    // A template station inside a 短链's gap has no place on the road.
    std::vector<std::string> broken = {"slope", "--route", kExamples + "route-example-breaks.csv", "--breaks",
                                       kExamples + "breaks-example.csv", "--profile",
                                       kExamples + "profile-example.csv", "--template", gap};
    broken = plus(broken, one);
    const testing::RouteCliRun r = RunRoute(broken);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("路基模板文件“" + gap + "”第 1 行“起始桩号”：", 0), 0u) << r.err;
}

}  // namespace
}  // namespace tarvelo
