#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QDir>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "cli/route_cli.h"
#include "reports/gbk_text.h"

namespace tarvelo {
namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun RouteCli(std::vector<std::string> args)
{
    args.insert(args.begin(), "route");
    CliRun r;
    std::ostringstream out;
    r.status = RunRouteCli(args, out, r.err);
    r.out = out.str();
    return r;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1)
        lines.push_back(text.substr(from, at - from));
    return lines;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t at; (at = line.find('\t', from)) != std::string::npos; from = at + 1)
        fields.push_back(line.substr(from, at - from));
    fields.push_back(line.substr(from));
    return fields;
}

// One 90° curve of R 200 without spirals between legs of 1000 m: the route
// runs from station 0 to 2000 - (2 * 200 - 100 pi) = 1914.159.
//
// The profile worked by hand: +2 % from 50 m at 0 to 66 m at 800, -1 % to
// 59 m at 1500, +1.5 % to 66.5 m at 2000. Crest at 800, R 6000: omega -0.03,
// T 90, E 90^2 / 12000 = 0.675, from 710 to 890. Sag at 1500, R 5000:
// omega 0.025, T 62.5, E 0.390625, from 1437.5 to 1562.5.
class RouteProfileCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        route_ = Write("route.csv", "点名,X,Y,桩号,R,Ls1,Ls2\r\nQD,0,0,0\r\nJD1,1000,0,,200\r\nZD,1000,1000\r\n");
        profile_ = Write("profile.csv", "桩号,高程,R\r\nK0+000,50,\r\nK0+800,66,6000\r\n1500,59,5000\r\n2000,66.5\r\n");
    }
    std::string Write(const char* name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path.toStdString();
    }
    std::string Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)).toStdString(); }

    QTemporaryDir dir_;
    std::string route_, profile_;
};

TEST_F(RouteProfileCli, PlainTableOfTheVerticalCurves)
{
    const CliRun r = RouteCli({"profile", "--route", route_, "--profile", profile_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "纵断面 K0+000.000 至 K2+000.000，变坡点 4 个\n"
              "变坡点桩号\t高程\tR\t坡差ω(%)\t凸/凹\tT\tE\tLv\t起点桩号\t终点桩号\ti1(%)\ti2(%)\n"
              "K0+800.000\t66.000\t6000\t-3.000\t凸\t90.000\t0.675\t180.000\tK0+710.000\tK0+890.000\t2.000\t-1.000\n"
              "K1+500.000\t59.000\t5000\t2.500\t凹\t62.500\t0.391\t125.000\tK1+437.500\tK1+562.500\t-1.000\t1.500\n");
}

TEST_F(RouteProfileCli, JsonCarriesEveryElementOfEveryGradePointBetweenTheEnds)
{
    const CliRun r = RouteCli({"profile", "--route", route_, "--profile", profile_, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j.size(), 1u);
    ASSERT_EQ(j["pvis"].size(), 2u);
    const struct {
        double station, elevation, R, omega, T, E, Lv, start, end, in, out;
    } expected[] = {
        {800, 66, 6000, -0.03, 90, 0.675, 180, 710, 890, 0.02, -0.01},
        {1500, 59, 5000, 0.025, 62.5, 0.390625, 125, 1437.5, 1562.5, -0.01, 0.015},
    };
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& p = j["pvis"][i];
        const auto& e = expected[i];
        EXPECT_EQ(p.size(), 14u);  // with the zones of the three stations
        // Grades from elevation differences of 60 m: rounding of 1e-16.
        EXPECT_NEAR(p["station"].get<double>(), e.station, 1e-12);
        EXPECT_NEAR(p["elevation"].get<double>(), e.elevation, 1e-12);
        EXPECT_NEAR(p["R"].get<double>(), e.R, 1e-12);
        EXPECT_NEAR(p["omega"].get<double>(), e.omega, 1e-14);
        EXPECT_NEAR(p["T"].get<double>(), e.T, 1e-9);
        EXPECT_NEAR(p["E"].get<double>(), e.E, 1e-9);
        EXPECT_NEAR(p["Lv"].get<double>(), e.Lv, 1e-9);
        EXPECT_NEAR(p["start"].get<double>(), e.start, 1e-9);
        EXPECT_NEAR(p["end"].get<double>(), e.end, 1e-9);
        EXPECT_NEAR(p["grade_in"].get<double>(), e.in, 1e-14);
        EXPECT_NEAR(p["grade_out"].get<double>(), e.out, 1e-14);
    }
}

TEST_F(RouteProfileCli, ReportIsWrittenInGbk)
{
    const std::string report = Path("竖曲线要素表.txt");
    const CliRun r = RouteCli({"profile", "--route", route_, "--profile", profile_, "--report", report});
    ASSERT_EQ(r.status, 0) << r.err;
    QFile f(QString::fromStdString(report));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const FileResult<DecodedText> decoded = DecodeTextBytes(f.readAll());
    ASSERT_TRUE(decoded.ok() && decoded.value->encoding == TextEncoding::Gbk);
    const std::string text = decoded.value->text.toStdString();
    EXPECT_NE(text.find("竖曲线要素表\r\n"), std::string::npos);
    EXPECT_NE(text.find("K0+800.000"), std::string::npos);
    EXPECT_NE(text.find("K1+437.500"), std::string::npos);

    const CliRun bad = RouteCli({"profile", "--route", route_, "--profile", profile_, "--report", Path("no/folder/r.txt")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err, "");
}

TEST_F(RouteProfileCli, PointCarriesTheDesignElevation)
{
    // 750: on the crest, 40 m from its start: 50 + 0.02 * 750 - 40^2 / 12000.
    const CliRun plain = RouteCli({"point", "--route", route_, "--station", "750", "--profile", profile_});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const std::vector<std::string> fields = Fields(Lines(plain.out).at(0));
    ASSERT_EQ(fields.size(), 6u);
    EXPECT_EQ(fields[0], "K0+750.000");
    EXPECT_EQ(fields[4], "64.867");
    EXPECT_EQ(fields[5], "JD1");

    const CliRun json = RouteCli({"point", "--route", route_, "--station", "750", "--profile", profile_, "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto j = nlohmann::json::parse(json.out);
    EXPECT_NEAR(j["z"].get<double>(), 65 - 1600.0 / 12000, 1e-9);
    // The same point without a profile: no elevation, the fields as before.
    const auto without =
        nlohmann::json::parse(RouteCli({"point", "--route", route_, "--station", "750", "--json"}).out);
    EXPECT_FALSE(without.contains("z"));
    EXPECT_EQ(without["x"], j["x"]);
}

TEST_F(RouteProfileCli, TableRowsCarryTheDesignElevation)
{
    const CliRun json = RouteCli({"table", "--route", route_, "--interval", "250", "--profile", profile_, "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto rows = nlohmann::json::parse(json.out)["rows"];
    // 0, 250 ... 1750, the end, and the five main points (ZH = HY, YH = HZ
    // without spirals: ZY, QZ, YZ).
    ASSERT_EQ(rows.size(), 8u + 1 + 3);
    // Elevations worked by hand at the multiples of 250.
    const std::vector<std::pair<double, double>> hand = {
        {0, 50},
        {250, 55},
        {500, 60},
        {750, 65 - 1600.0 / 12000},
        {1000, 64},
        {1250, 61.5},
        {1500, 59 + 0.390625},
        {1750, 59 + 0.015 * 250},
    };
    std::size_t found = 0;
    for (const auto& row : rows) {
        ASSERT_TRUE(row.contains("z"));
        for (const auto& [station, z] : hand)
            if (row["station"].get<double>() == station) {
                EXPECT_NEAR(row["z"].get<double>(), z, 1e-9) << station;
                ++found;
            }
    }
    EXPECT_EQ(found, hand.size());

    const CliRun plain = RouteCli({"table", "--route", route_, "--interval", "250", "--profile", profile_});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const std::vector<std::string> lines = Lines(plain.out);
    EXPECT_EQ(lines.at(0), "桩号\tX\tY\t切线方位角\t设计高程\t主点");
    EXPECT_EQ(lines.at(1), "K0+000.000\t0.0000\t0.0000\t0°0ˊ0\"\t50.000\tQD");
    for (const std::string& line : lines) EXPECT_EQ(Fields(line).size(), 6u) << line;

    // The CASS rows carry it in their elevation field (name,code,Y,X,H).
    const CliRun dat =
        RouteCli({"table", "--route", route_, "--interval", "250", "--profile", profile_, "--format", "dat"});
    ASSERT_EQ(dat.status, 0) << dat.err;
    const std::vector<std::string> cass = Lines(dat.out);
    ASSERT_GE(cass.size(), 2u);
    EXPECT_EQ(cass[0].substr(cass[0].rfind(',')), ",50.000\r") << cass[0];
    EXPECT_EQ(cass[1].substr(cass[1].rfind(',')), ",55.000\r") << cass[1];
}

TEST_F(RouteProfileCli, StationsOutsideTheProfileAreRefusedNeverExtrapolated)
{
    // The profile starts 100 m after the route.
    const std::string shorter = Write("short.csv", "100,52\n800,66,6000\n1500,59,5000\n2000,66.5\n");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"point", "--route", route_, "--station", "50", "--profile", shorter},
         "桩号 K0+050.000 在纵断面 K0+100.000 至 K2+000.000 之外，没有设计高程。\n"},
        {{"table", "--route", route_, "--interval", "20", "--profile", shorter},
         "桩号范围 K0+000.000 至 K1+914.159 超出纵断面 K0+100.000 至 K2+000.000，超出的桩没有设计高程。\n"},
        // 2 mm before it: beyond the millimetre that design documents round to.
        {{"table", "--route", route_, "--interval", "20", "--start", "99.998", "--profile", shorter, "--json"},
         "桩号范围 K0+099.998 至 K1+914.159 超出纵断面 K0+100.000 至 K2+000.000，超出的桩没有设计高程。\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = RouteCli(c.args);
        EXPECT_EQ(r.status, 1) << c.args[0];
        EXPECT_EQ(r.out, "") << c.args[0];
        EXPECT_EQ(r.err, c.message);
    }
    // Inside it, the same profile serves.
    EXPECT_EQ(RouteCli({"table", "--route", route_, "--interval", "20", "--start", "100", "--profile", shorter}).status,
              0);
    // The vertical-curve table is still given, with a warning.
    const CliRun table = RouteCli({"profile", "--route", route_, "--profile", shorter});
    EXPECT_EQ(table.status, 0);
    EXPECT_NE(table.out, "");
    EXPECT_EQ(table.err,
              "警告：纵断面 K0+100.000 至 K2+000.000 没有覆盖整条路线 K0+000.000 至 K1+914.159，"
              "纵断面以外的桩没有设计高程。\n");
}

TEST_F(RouteProfileCli, BadProfilesExitTwoWithLineAndReasonAndNothingOnStdout)
{
    const std::string overlap = Write("overlap.csv", "0,0\n1000,20,5000\n1150,17,5000\n2000,34\n");
    const std::string rows = Write("rows.csv", "station,elevation,R\n0,50\nK0+8OO,66,6000\n1500,59\n2000,66.5,7\n");
    const std::string missing = Path("missing.csv");
    const struct {
        std::string file;
        int status;
        std::string message;
    } cases[] = {
        {overlap, 2,
         "纵断面文件“" + overlap +
             "”不能计算：第 3 行：竖曲线起点 1050 在上一个竖曲线终点 1100 之前，两个竖曲线重叠，应减小半径R。\n"},
        {rows, 2,
         "纵断面文件“" + rows + "”有错误：\n第 3 行：桩号“K0+8OO”既不是数，也不是 K5+030.5 这样的桩号。\n"},
    };
    for (const auto& c : cases) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"profile", "--route", route_, "--profile", c.file},
              std::vector<std::string>{"point", "--route", route_, "--station", "10", "--profile", c.file},
              std::vector<std::string>{"table", "--route", route_, "--interval", "10", "--profile", c.file, "--json"}}) {
            const CliRun r = RouteCli(args);
            EXPECT_EQ(r.status, c.status) << args[0];
            EXPECT_EQ(r.out, "") << args[0];
            EXPECT_EQ(r.err, c.message) << args[0];
        }
    }
    const CliRun gone = RouteCli({"point", "--route", route_, "--station", "10", "--profile", missing});
    EXPECT_EQ(gone.status, 1);
    EXPECT_EQ(gone.out, "");
    EXPECT_NE(gone.err.find(QDir::toNativeSeparators(QString::fromStdString(missing)).toStdString()), std::string::npos)
        << gone.err;

    const CliRun noProfile = RouteCli({"profile", "--route", route_});
    EXPECT_EQ(noProfile.status, 1);
    EXPECT_EQ(noProfile.out, "");
    EXPECT_NE(noProfile.err.find("--profile"), std::string::npos) << noProfile.err;
}

}  // namespace
}  // namespace tarvelo
