// Every station tarvelo-cli prints on a route with chain breaks is a
// displayed station, with its zone where a 长链 shows it twice, and
// `route point --station` takes it back to the place it names; the example
// routes with their breaks, every subcommand and every output format.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <QFile>
#include <QString>

#include <algorithm>
#include <cmath>
#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "reports/table_file.h"
#include "tests/cli/route_cli_run.h"

namespace tarvelo {
namespace {

using testing::RouteCliFiles;
using testing::RunRoute;

const std::string kDir = TARVELO_SOURCE_DIR "/examples/";
const std::string kJdRoute = kDir + "route-example-breaks.csv";
const std::string kJdBreaks = kDir + "breaks-example.csv";
const std::string kProfile = kDir + "profile-example.csv";
const std::string kSections = kDir + "sections-example-breaks.csv";
const std::string kRamp = kDir + "ramp-elements.csv";
const std::string kRampBreaks = kDir + "ramp-breaks.csv";

struct Place {
    double x = 0, y = 0;
    double distance = 0;  // from the route's start, metres
};

// Text prints stations to the millimetre: a printed station lies within
// half of that of the row's own.
constexpr double kPrinted = 0.0005 + 1e-6;

// A station token: K notation, its zone, or a break "K…=K…".
const std::regex kToken(R"(K-?\d+\+\d{3}(\.\d+)?(\(\d+区\))?(=K-?\d+\+\d{3}(\.\d+)?)?)");

std::vector<std::string> Tokens(const std::string& text)
{
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), kToken); it != std::sregex_iterator(); ++it)
        out.push_back(it->str());
    return out;
}

std::string ReadFile(const std::string& path)
{
    const auto text = ReadTableFileText(QString::fromStdString(path));
    EXPECT_TRUE(text.ok()) << path;
    return text.ok() ? *text.value : std::string();
}

class RouteStations : public RouteCliFiles {
protected:
    void UseRoute(const std::string& route, const std::string& breaks)
    {
        route_ = {"--route", route, "--breaks", breaks};
        const auto r = RunRoute(Args({"elements", "--json"}));
        ASSERT_EQ(r.status, 0) << r.err;
        const nlohmann::json j = nlohmann::json::parse(r.out);
        breakBacks_.clear();
        for (const auto& b : j["breaks"]) breakBacks_.push_back(b["back"].get<double>());
    }

    std::vector<std::string> Args(std::vector<std::string> args) const
    {
        args.insert(args.begin() + 1, route_.begin(), route_.end());
        return args;
    }

    // `route point --station text --json`: the place, or nullopt (and why).
    std::optional<Place> PointOf(const std::string& text, std::string* why = nullptr) const
    {
        const auto r = RunRoute(Args({"point", "--station", text, "--json"}));
        if (r.status != 0) {
            if (why) *why = r.err;
            return std::nullopt;
        }
        const nlohmann::json j = nlohmann::json::parse(r.out);
        return Place{j["x"].get<double>(), j["y"].get<double>(), j["distance"].get<double>()};
    }

    // The place a printed token names; a break's back and ahead station
    // (each in its zone) must name one place.
    std::optional<Place> PlaceOf(const std::string& token) const
    {
        const std::size_t eq = token.find('=');
        if (eq == std::string::npos) {
            std::string why;
            const auto p = PointOf(token, &why);
            EXPECT_TRUE(p) << "“" << token << "” does not map back: " << why;
            return p;
        }
        double back = 0;
        EXPECT_TRUE(ReadStationField(token.substr(0, eq), &back)) << token;
        for (std::size_t k = 0; k < breakBacks_.size(); ++k) {
            if (std::fabs(breakBacks_[k] - back) > 1e-9) continue;
            const auto a = PointOf(token.substr(0, eq) + "(" + std::to_string(k) + "区)");
            const auto b = PointOf(token.substr(eq + 1) + "(" + std::to_string(k + 1) + "区)");
            EXPECT_TRUE(a && b) << token;
            if (!a || !b) return std::nullopt;
            EXPECT_NEAR(a->x, b->x, 1e-6) << token;
            EXPECT_NEAR(a->y, b->y, 1e-6) << token;
            return a;
        }
        ADD_FAILURE() << "“" << token << "” is no break of the route";
        return std::nullopt;
    }

    // Every token of the text maps back.
    void EveryTokenMapsBack(const std::string& bytes, const std::string& what) const
    {
        SCOPED_TRACE(what);
        const auto text = DecodeTableBytes(QByteArray(bytes.data(), qsizetype(bytes.size())));  // CASS is GBK
        ASSERT_TRUE(text.ok());
        const std::vector<std::string> tokens = Tokens(*text.value);
        EXPECT_FALSE(tokens.empty());
        for (const std::string& t : tokens) PlaceOf(t);
    }

    // JSON station + zone (as the output gives them) is the place (x, y).
    void JsonStationIs(double station, int zone, double x, double y, const std::string& what) const
    {
        const std::string text = FormatKStation(station, 9) + "(" + std::to_string(zone) + "区)";
        const auto p = PointOf(text);
        ASSERT_TRUE(p) << what << " " << text;
        EXPECT_NEAR(p->x, x, 1e-6) << what << " " << text;
        EXPECT_NEAR(p->y, y, 1e-6) << what << " " << text;
    }

    // A printed line's token and the row the JSON gives for it: the same
    // place along the route, to the printed millimetre (a break row exactly).
    void TokenIsRow(const std::string& token, const nlohmann::json& row, const std::string& what) const
    {
        const auto p = PlaceOf(token);
        ASSERT_TRUE(p) << what;
        const double tolerance = token.find('=') != std::string::npos ? 1e-6 : kPrinted;
        EXPECT_NEAR(p->distance, row["distance"].get<double>(), tolerance) << what << " " << token;
    }

    // route table in every format over the range, each row against the
    // JSON row it stands for.
    void TableInEveryFormat(const std::vector<std::string>& range)
    {
        std::vector<std::string> base = {"table", "--interval", "20"};
        base.insert(base.end(), range.begin(), range.end());
        auto json = base;
        json.push_back("--json");
        const auto j = RunRoute(Args(json));
        ASSERT_EQ(j.status, 0) << j.err;
        const nlohmann::json rows = nlohmann::json::parse(j.out)["rows"];
        ASSERT_GT(rows.size(), 10u);
        for (const auto& row : rows)
            JsonStationIs(row["station"].get<double>(), row["zone"].get<int>(), row["x"].get<double>(),
                          row["y"].get<double>(), "table json");

        const auto rowTokens = [&](const std::string& bytes, std::size_t skip, const std::string& what) {
            // CASS rows are GBK.
            const auto decoded = DecodeTableBytes(QByteArray(bytes.data(), qsizetype(bytes.size())));
            ASSERT_TRUE(decoded.ok()) << what;
            const std::string& text = *decoded.value;
            std::vector<std::string> lines;
            std::size_t at = 0;
            while (at < text.size()) {
                const std::size_t end = text.find('\n', at);
                const std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
                if (!Tokens(line).empty()) lines.push_back(line);
                at = end == std::string::npos ? text.size() : end + 1;
            }
            ASSERT_EQ(lines.size(), rows.size() + skip) << what;
            for (std::size_t i = 0; i < rows.size(); ++i)
                TokenIsRow(Tokens(lines[i + skip]).front(), rows[i], what + " row " + std::to_string(i));
        };
        const auto text = RunRoute(Args(base));
        ASSERT_EQ(text.status, 0) << text.err;
        rowTokens(text.out, 0, "table text");
        for (const char* format : {"csv", "dat"}) {
            auto args = base;
            args.insert(args.end(), {"--format", format});
            const auto r = RunRoute(Args(args));
            ASSERT_EQ(r.status, 0) << r.err;
            rowTokens(r.out, 0, format);
        }
        const std::string report = dir_.filePath("table.txt").toStdString();
        auto args = base;
        args.insert(args.end(), {"--format", "text", "--out", report});
        ASSERT_EQ(RunRoute(Args(args)).status, 0);
        rowTokens(ReadFile(report), 1, "table report");  // the header line names the range
    }

    std::vector<std::string> route_;
    std::vector<double> breakBacks_;
};

TEST_F(RouteStations, EveryStationOfEveryOutputMapsBackOnTheJdRouteWithBreaks)
{
    UseRoute(kJdRoute, kJdBreaks);
    // Stakes through the 短链 and the 长链, and the whole route.
    TableInEveryFormat({"--start", "K11+100", "--end", "K13+300(2区)"});
    TableInEveryFormat({});

    const auto point = RunRoute(Args({"point", "--station", "13075", "--zone", "2"}));
    ASSERT_EQ(point.status, 0) << point.err;
    EveryTokenMapsBack(point.out, "point");

    const auto elements = RunRoute(Args({"elements", "--json"}));
    const nlohmann::json e = nlohmann::json::parse(elements.out);
    for (const auto& m : e["main_points"])
        JsonStationIs(m["station"].get<double>(), m["zone"].get<int>(), m["x"].get<double>(), m["y"].get<double>(),
                      "main point " + m["name"].get<std::string>());
    for (const auto& jd : e["jds"])
        for (const auto& p : jd["points"])
            JsonStationIs(p["station"].get<double>(), p["zone"].get<int>(), p["x"].get<double>(),
                          p["y"].get<double>(), "JD point");
    EveryTokenMapsBack(RunRoute(Args({"elements"})).out, "elements text");
    const std::string report = dir_.filePath("elements.txt").toStdString();
    ASSERT_EQ(RunRoute(Args({"elements", "--report", report})).status, 0);
    EveryTokenMapsBack(ReadFile(report), "elements report");

    const auto profile = RunRoute(Args({"profile", "--profile", kProfile}));
    ASSERT_EQ(profile.status, 0) << profile.err;
    EveryTokenMapsBack(profile.out + profile.err, "profile text");
    const std::string profileReport = dir_.filePath("profile.txt").toStdString();
    ASSERT_EQ(RunRoute(Args({"profile", "--profile", kProfile, "--report", profileReport})).status, 0);
    EveryTokenMapsBack(ReadFile(profileReport), "profile report");

    for (const char* format : {"text", "csv", "dat"}) {
        const auto s = RunRoute(Args({"sections", "--sections", kSections, "--interval", "50", "--start", "K12+900",
                                      "--end", "K13+200", "--format", format}));
        ASSERT_EQ(s.status, 0) << s.err;
        EveryTokenMapsBack(s.out, std::string("sections ") + format);
    }
    const auto sj = RunRoute(Args({"sections", "--sections", kSections, "--interval", "50", "--start", "K12+900",
                                   "--end", "K13+200", "--format", "json"}));
    ASSERT_EQ(sj.status, 0) << sj.err;
    // The parsed document is kept: a loop over a temporary's member reads
    // freed memory.
    const nlohmann::json sections = nlohmann::json::parse(sj.out);
    for (const auto& row : sections["rows"])
        JsonStationIs(row["station"].get<double>(), row["zone"].get<int>(), row["centre"]["x"].get<double>(),
                      row["centre"]["y"].get<double>(), "sections json");

    // The inverse of a point in the overlap: its foot, in its zone.
    const auto inverse = RunRoute(Args({"inverse", "--x", "3379411.9596", "--y", "457322.2679"}));
    ASSERT_EQ(inverse.status, 0) << inverse.err;
    const nlohmann::json foot =
        nlohmann::json::parse(RunRoute(Args({"inverse", "--x", "3379411.9596", "--y", "457322.2679", "--json"})).out);
    TokenIsRow(Tokens(inverse.out).front(), foot, "inverse");
    // Stakeout lines and the DXF's stake labels.
    const auto stakeout = RunRoute(Args({"table", "--interval", "25", "--start", "K13+000", "--end", "K13+150",
                                         "--instrument", "3379300,457200", "--backsight", "3379000,457000"}));
    ASSERT_EQ(stakeout.status, 0) << stakeout.err;
    EveryTokenMapsBack(stakeout.out, "stakeout");
    const std::string dxf = dir_.filePath("r.dxf").toStdString();
    ASSERT_EQ(RunRoute(Args({"export", "--format", "dxf", "--out", dxf, "--interval", "50"})).status, 0);
    QFile dxfFile(QString::fromStdString(dxf));
    ASSERT_TRUE(dxfFile.open(QIODevice::ReadOnly));
    const QByteArray dxfBytes = dxfFile.readAll();
    EveryTokenMapsBack(std::string(dxfBytes.constData(), std::size_t(dxfBytes.size())), "dxf");

    // The design check of the stakes the table itself gives, without zones:
    // the overlap's rows ask for their zone, the rest agree, every foot maps back.
    const auto csv = RunRoute(Args({"table", "--interval", "25", "--start", "K13+000", "--end", "K13+150",
                                    "--format", "csv"}));
    const std::string design = Write("design.csv", csv.out);
    const auto check = RunRoute(Args({"check", "--design", design}));
    EveryTokenMapsBack(check.out, "check");
}

TEST_F(RouteStations, EveryStationOfEveryOutputMapsBackOnTheElementRampWithBreaks)
{
    UseRoute(kRamp, kRampBreaks);
    TableInEveryFormat({"--start", "K0+200", "--end", "K0+700"});
    const auto elements = RunRoute(Args({"elements", "--json"}));
    const nlohmann::json e = nlohmann::json::parse(elements.out);
    for (const auto& m : e["main_points"])
        JsonStationIs(m["station"].get<double>(), m["zone"].get<int>(), m["x"].get<double>(), m["y"].get<double>(),
                      "main point " + m["name"].get<std::string>());
    for (const auto& el : e["elements"]) {
        JsonStationIs(el["start_station"].get<double>(), el["start_zone"].get<int>(), el["start"]["x"].get<double>(),
                      el["start"]["y"].get<double>(), "element start");
        JsonStationIs(el["end_station"].get<double>(), el["end_zone"].get<int>(), el["end"]["x"].get<double>(),
                      el["end"]["y"].get<double>(), "element end");
    }
    EveryTokenMapsBack(RunRoute(Args({"elements"})).out, "elements text");
}

// ---------------------------------------------------------------------------
// One test per fault that printed or read a station wrong across the breaks.

TEST_F(RouteStations, ProfileGradePointsPrintedAsContinuousPositions)
{
    UseRoute(kJdRoute, kJdBreaks);
    const auto text = RunRoute(Args({"profile", "--profile", kProfile}));
    ASSERT_EQ(text.status, 0) << text.err;
    // The file's grade points K11+540 and K12+900 printed as K11+480, K12+840.
    EXPECT_NE(text.out.find("\nK11+540.000\t352.280\t"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\nK12+900.000\t372.680\t"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("K11+480.000"), std::string::npos);
    const auto json = RunRoute(Args({"profile", "--profile", kProfile, "--json"}));
    const nlohmann::json j = nlohmann::json::parse(json.out);
    EXPECT_EQ(j["pvis"][1]["station"].get<double>(), 11540);
    EXPECT_EQ(j["pvis"][1]["zone"].get<int>(), 1);
    EXPECT_EQ(j["pvis"][2]["station"].get<double>(), 12900);
    // The crest's curve ends in the overlap: its zone says which K13+070.100.
    EXPECT_EQ(j["pvis"][2]["end_zone"].get<int>(), 1);
    EXPECT_NE(text.out.find("K13+070.100(1区)"), std::string::npos);
    const std::string report = dir_.filePath("p.txt").toStdString();
    ASSERT_EQ(RunRoute(Args({"profile", "--profile", kProfile, "--report", report})).status, 0);
    EXPECT_NE(ReadFile(report).find("K11+540.000"), std::string::npos);
    // The route's end as displayed in the coverage warning, not K15+191.070.
    EXPECT_NE(text.err.find("K15+201.070"), std::string::npos) << text.err;
}

TEST_F(RouteStations, ElementsTextPrintedJdAndElementStationsContinuous)
{
    UseRoute(kJdRoute, kJdBreaks);
    const auto jd = RunRoute(Args({"elements"}));
    EXPECT_NE(jd.out.find("\nJD2\tK11+937.438\t"), std::string::npos) << jd.out;
    EXPECT_NE(jd.out.find("K13+079.508(1区)"), std::string::npos);  // JD4's ZH in the overlap
    UseRoute(kRamp, kRampBreaks);
    const auto ramp = RunRoute(Args({"elements"}));
    // C2 spans the 短链: it ends where YH is, K0+370, not 20 m short.
    EXPECT_NE(ramp.out.find("\nC2\t圆曲线\tK0+280.000\tK0+370.000\t70.000\t"), std::string::npos) << ramp.out;
    EXPECT_NE(ramp.out.find("\nYH\tK0+370.000\t"), std::string::npos);
    EXPECT_NE(ramp.out.find("\nL3\t直线\tK0+830.000\tK0+860.000\t"), std::string::npos);
    EXPECT_NE(ramp.out.find("\nA4\t缓和曲线\tK0+575.000(1区)\tK0+600.000(2区)\t"), std::string::npos);
    const nlohmann::json j = nlohmann::json::parse(RunRoute(Args({"elements", "--json"})).out);
    EXPECT_EQ(j["elements"][9]["start_zone"].get<int>(), 1);
    EXPECT_EQ(j["elements"][9]["end_zone"].get<int>(), 2);
    const std::string report = dir_.filePath("e.txt").toStdString();
    ASSERT_EQ(RunRoute(Args({"elements", "--report", report})).status, 0);
    EXPECT_NE(ReadFile(report).find("K0+575.000(1区) ~ K0+600.000(2区)"), std::string::npos);
}

TEST_F(RouteStations, TableReportHeaderContinuousAndBreakRowWithoutAheadStation)
{
    UseRoute(kJdRoute, kJdBreaks);
    const std::string report = dir_.filePath("t.txt").toStdString();
    ASSERT_EQ(RunRoute(Args({"table", "--interval", "25", "--start", "K13+000", "--end", "K13+150", "--format",
                              "text", "--out", report}))
                  .status,
              0);
    const std::string text = ReadFile(report);
    EXPECT_NE(text.find("起点 K13+000.000  止点 K13+150.000"), std::string::npos) << text;
    EXPECT_NE(text.find("\nK13+100.000=K13+050.000 "), std::string::npos);
    EXPECT_NE(text.find("\nK13+075.000(1区) "), std::string::npos);
    EXPECT_NE(text.find("\nK13+075.000(2区) "), std::string::npos);
}

TEST_F(RouteStations, DatGaveTwoPointsOfALongChainOneName)
{
    UseRoute(kJdRoute, kJdBreaks);
    const auto dat = RunRoute(Args({"table", "--interval", "25", "--format", "dat"}));
    ASSERT_EQ(dat.status, 0) << dat.err;
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < dat.out.size()) {
        const std::size_t end = dat.out.find('\n', at);
        names.push_back(dat.out.substr(at, dat.out.find(',', at) - at));
        at = end == std::string::npos ? dat.out.size() : end + 1;
    }
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "a point name twice";
    // The two K13+075 of the 长链 (names in GBK: the zone's 区 is not ASCII).
    EXPECT_EQ(std::count_if(names.begin(), names.end(),
                            [](const std::string& n) { return n.rfind("K13+075.000(", 0) == 0; }),
              2);
    EXPECT_EQ(std::count(names.begin(), names.end(), "K13+075.000"), 0);
    const auto csv = RunRoute(Args({"table", "--interval", "25", "--start", "K13+050(1区)", "--end", "K13+075(2区)",
                                    "--format", "csv"}));
    EXPECT_NE(csv.out.find("点名,桩号,区段,X(北)"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find("\r\nK13+075.000(1区),13075.0000,1,"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find("\r\nK13+075.000(2区),13075.0000,2,"), std::string::npos) << csv.out;
}

TEST_F(RouteStations, CheckCalledOverlapRowsOutsideAndTookEdgesAsTheBreakPoint)
{
    UseRoute(kJdRoute, kJdBreaks);
    const auto place = [&](const std::string& s) {
        const auto p = PointOf(s);
        EXPECT_TRUE(p) << s;
        return p ? FormatFixed(p->x, 4) + "," + FormatFixed(p->y, 4) : std::string();
    };
    const std::string design = Write("d.csv", "点名,桩号,X,Y\n"
                                              "A,K13+075," + place("K13+075(1区)") + "\n"
                                              "B,K13+100," + place("K13+100(2区)") + "\n"
                                              "C,K13+050," + place("K13+050(1区)") + "\n"
                                              "D,K11+230," + place("K11+300") + "\n"
                                              "E,K13+075(2区)," + place("K13+075(2区)") + "\n");
    const auto r = RunRoute(Args({"check", "--design", design, "--json"}));
    const nlohmann::json j = nlohmann::json::parse(r.out);
    const char* expected[] = {"ambiguous", "ambiguous", "ambiguous", "gap", "ok"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(j["rows"][i]["class"], expected[i]) << i;
    const auto text = RunRoute(Args({"check", "--design", design}));
    EXPECT_NE(text.out.find("\tK13+100.000\t-\t-\t-\t-\tK13+100.000(2区)\t0.0000\t需指明区段\t第 3 行："), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("落在短链内"), std::string::npos);
    EXPECT_NE(text.out.find("\tK13+075.000(2区)\t0.0000\t0.0000\t0.0000\t"), std::string::npos);
}

TEST_F(RouteStations, OverlapEdgeStationsWereSilentlyTheBreakPoint)
{
    UseRoute(kJdRoute, kJdBreaks);
    for (const char* s : {"13100", "13050", "13075", "K13+100"}) {
        const auto r = RunRoute(Args({"point", "--station", s}));
        EXPECT_EQ(r.status, 1) << s;
        EXPECT_NE(r.err.find("请指明区段"), std::string::npos) << s << r.err;
    }
    // With the zone: the break point is K13+100 of zone 1 and K13+050 of zone 2.
    const auto a = PointOf("K13+100(1区)"), b = PointOf("K13+050(2区)"), c = PointOf("K13+100(2区)");
    ASSERT_TRUE(a && b && c);
    EXPECT_NEAR(a->x, b->x, 1e-9);
    EXPECT_NEAR(std::hypot(c->x - a->x, c->y - a->y), 50, 0.01);  // the same station 50 m on
}

TEST_F(RouteStations, ZoneAndKNotationRefusedInOptionsAndFiles)
{
    UseRoute(kJdRoute, kJdBreaks);
    const auto k = RunRoute(Args({"point", "--station", "K13+075", "--zone", "2"}));
    const auto zoned = RunRoute(Args({"point", "--station", "K13+075(2区)"}));
    const auto full = RunRoute(Args({"point", "--station", "13075（2区）"}));
    ASSERT_EQ(k.status, 0) << k.err;
    EXPECT_EQ(zoned.out, k.out);
    EXPECT_EQ(full.out, k.out);
    EXPECT_EQ(RunRoute(Args({"point", "--station", "K13+075(1区)", "--zone", "2"})).status, 1);
    EXPECT_EQ(RunRoute(Args({"point", "--station", "K13+075(x区)"})).status, 1);
    const auto range = RunRoute(Args({"table", "--interval", "25", "--start", "K13+050(1区)", "--end",
                                      "K13+050(2区)"}));
    ASSERT_EQ(range.status, 0) << range.err;
    EXPECT_EQ(range.out.find("K13+025"), std::string::npos);
    EXPECT_NE(range.out.find("K13+100.000=K13+050.000"), std::string::npos);

    // A grade point in the overlap: a dead end without its zone, read with it.
    const std::string profile = Write("p.csv", "桩号,高程,R\nK10+000,350,\nK13+060(2区),360,10000\nK15+200,352,\n");
    const auto p = RunRoute(Args({"profile", "--profile", profile}));
    ASSERT_EQ(p.status, 0) << p.err;
    EXPECT_NE(p.out.find("\nK13+060.000(2区)\t360.000\t"), std::string::npos) << p.out;
    const std::string sections = Write("s.csv", "K12+900,3.75,3.75,-2,-2\nK13+060(2区),4,4,-2,-2\nK13+300,3.75,3.75,-2,-2\n");
    const auto s = RunRoute(Args({"sections", "--sections", sections, "--interval", "100", "--start", "K13+000",
                                  "--end", "K13+200", "--format", "json"}));
    ASSERT_EQ(s.status, 0) << s.err;
    const std::string breaks = Write("b.csv", "断前桩号,断后桩号\nK11+200(0区),K11+260(1区)\nK13+100(1区),K13+050(2区)\n");
    EXPECT_EQ(RunRoute({"elements", "--route", kJdRoute, "--breaks", breaks}).status, 0);
    const std::string wrong = Write("w.csv", "断前桩号,断后桩号\nK11+200(1区),K11+260\n");
    EXPECT_NE(RunRoute({"elements", "--route", kJdRoute, "--breaks", wrong}).status, 0);
    // A JD station with its zone is checked in that zone.
    std::string rows = ReadFile(kJdRoute);
    const std::size_t jd4 = rows.find("13492.029");
    ASSERT_NE(jd4, std::string::npos);
    const std::string right = Write("r2.csv", rows.substr(0, jd4) + "K13+492.029(2区)" + rows.substr(jd4 + 9));
    const auto ok = RunRoute({"elements", "--route", right, "--breaks", kJdBreaks});
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.err, "");
    const std::string other = Write("r1.csv", rows.substr(0, jd4) + "13492.029(1区)" + rows.substr(jd4 + 9));
    const auto warned = RunRoute({"elements", "--route", other, "--breaks", kJdBreaks});
    EXPECT_NE(warned.err.find("不符"), std::string::npos) << warned.err;
}


// Slope stakes and level checks of points in the 长链's overlap (both
// zones) and past the 短链: every station they print maps back.
TEST_F(RouteStations, SlopeAndLevelStationsMapBackOnTheJdRouteWithBreaks)
{
    UseRoute(kJdRoute, kJdBreaks);
    std::string points = "点名,X,Y,H\n";
    int n = 0;
    for (const auto& [station, zone, offset] : {std::tuple{"13075", "1", "12"}, std::tuple{"13075", "2", "-12"},
                                                 std::tuple{"11300", "1", "9"}}) {
        const auto p = RunRoute(Args({"point", "--station", station, "--zone", zone, "--offset", offset, "--json"}));
        ASSERT_EQ(p.status, 0) << p.err;
        const nlohmann::json j = nlohmann::json::parse(p.out);
        points += "S" + std::to_string(++n) + "," + std::to_string(j["x"].get<double>()) + "," +
                  std::to_string(j["y"].get<double>()) + ",360\n";
    }
    const std::string file = Write("slope-points.csv", points);
    const std::vector<std::string> design = {"--profile", TARVELO_SOURCE_DIR "/examples/profile-example.csv",
                                             "--template", TARVELO_SOURCE_DIR "/examples/template-example.csv",
                                             "--points", file};
    for (const char* command : {"slope", "level"}) {
        std::vector<std::string> args = {command};
        args.insert(args.end(), design.begin(), design.end());
        const auto r = RunRoute(Args(args));
        ASSERT_TRUE(r.status == 0 || r.status == 3) << r.err;
        EXPECT_NE(r.out.find("(1区)"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("(2区)"), std::string::npos) << r.out;
        EveryTokenMapsBack(r.out, command);
    }
}

}  // namespace
}  // namespace tarvelo
