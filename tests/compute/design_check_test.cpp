#include "compute/design_check.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "compute/design_check_json.h"
#include "core/files/design_table.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "tests/support/design_route.h"

namespace tarvelo {
namespace {

using test::DesignTestRoute;

// The design's table of the test route every 20 m, coordinates and
// elevations to 4 decimals as design documents print them: a header on line
// 1, a comment on line 2, the stake at station 1000 + 20 k on line 3 + k.
std::string DesignTable20(const DesignTestRoute& route)
{
    std::string text = "点名,桩号,X,Y,高程\n# 设计逐桩坐标\n";
    for (int k = 0; k <= 15; ++k) {
        const double s = 1000 + 20.0 * k;
        const DesignPlanPoint p = DesignTestRoute::At(s);
        text += "P" + std::to_string(k) + "," + FormatKStation(s) + "," + FormatFixed(p.x, 4) + "," +
                FormatFixed(p.y, 4) + "," + FormatFixed(route.z0 + route.grade * (s - 1000), 4) + "\n";
    }
    return text;
}

// Replaces the only occurrence of from in text.
void Plant(std::string& text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    ASSERT_EQ(text.find(from, at + 1), std::string::npos) << from;
    text.replace(at, from.size(), to);
}

const DesignCheckRow& RowAtLine(const DesignCheckResult& r, int line)
{
    for (const DesignCheckRow& row : r.rows)
        if (row.line == line) return row;
    throw std::runtime_error("no row at line " + std::to_string(line));
}

std::size_t Count(const DesignCheckResult& r, DesignClass c) { return r.summary.classes[std::size_t(c)]; }

TEST(DesignCheck, TheRoutesOwnTableChecksAllOk)
{
    const DesignTestRoute route;
    const DesignCheckResult r = CheckDesign(ParseDesignTable(DesignTable20(route)), route.Interface());
    ASSERT_EQ(r.rows.size(), 16u);
    EXPECT_EQ(r.summary.rows, 16u);
    EXPECT_EQ(Count(r, DesignClass::Ok), 16u);
    for (const DesignCheckRow& row : r.rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(row.kind, DesignClass::Ok);
        EXPECT_TRUE(row.reason.empty());
        // Rounding to 4 decimals moves a point at most 0.00005 in X and Y.
        EXPECT_LE(*row.distance, 0.00005 * std::sqrt(2.0));
        EXPECT_LE(std::fabs(*row.dz), 0.00005);
        // The foot of a point on the centreline is its own station.
        ASSERT_TRUE(row.footStation);
        EXPECT_NEAR(*row.footStation, *row.station, 1e-4);
        EXPECT_NEAR(*row.footOffset, 0, 1e-4);
    }
    EXPECT_TRUE(r.elevations);
    EXPECT_LE(*r.summary.rms, 0.00005 * std::sqrt(2.0));
}

TEST(DesignCheck, PlantedErrorsAreFoundAndClassified)
{
    const DesignTestRoute route;
    std::string text = DesignTable20(route);
    // Line 13, K1+200: two digits of X swapped (195.8851 -> 159.8851).
    Plant(text, "195.8851", "159.8851");
    // Line 10, K1+140 -> K1+150 (true point 150 m, written 160): the station 10 m off.
    Plant(text, "P7,K1+140.000", "P7,K1+150.000");
    // Line 5, K1+040: the elevation 2 cm high.
    Plant(text, "100.8000", "100.8200");
    // Line 19: beyond the end; line 20: garbled.
    const DesignPlanPoint end = DesignTestRoute::At(1300);
    text += "P16,K1+310.000," + FormatFixed(end.x + 5.403, 4) + "," + FormatFixed(end.y + 8.415, 4) + "\n";
    text += "P17,K1+3x0,abc\n";

    const DesignCheckResult r = CheckDesign(ParseDesignTable(text), route.Interface());
    ASSERT_EQ(r.rows.size(), 18u);

    const DesignCheckRow& swapped = RowAtLine(r, 13);
    EXPECT_EQ(swapped.kind, DesignClass::Offset);
    EXPECT_NEAR(*swapped.dx, 159.8851 - 195.8851077208406, 1e-9);
    // The point lies 14.548 m inside the arc, towards its centre (right).
    EXPECT_NEAR(*swapped.footOffset, 14.548478, 1e-5);
    EXPECT_NE(swapped.reason.find("第 13 行：设计点在中线右侧 14.5485 m"), std::string::npos) << swapped.reason;

    // The design point of K1+140 read as K1+150: the chord of 10 m of arc
    // of R 200 is 400 sin(0.025) = 9.998958 m; its foot is K1+140.
    const DesignCheckRow& station = RowAtLine(r, 10);
    EXPECT_EQ(station.kind, DesignClass::Station);
    EXPECT_NEAR(*station.distance, 400 * std::sin(0.025), 1e-4);
    EXPECT_NEAR(*station.footStation, 1140, 1e-4);
    EXPECT_FALSE(station.dz);  // the plan failed: the elevation is not judged
    EXPECT_NE(station.reason.find("在桩号 K1+140.000 处，表中的桩号 K1+150.000 有误"), std::string::npos)
        << station.reason;

    const DesignCheckRow& elevation = RowAtLine(r, 5);
    EXPECT_EQ(elevation.kind, DesignClass::Elevation);
    EXPECT_NEAR(*elevation.dz, 0.02, 1e-9);
    EXPECT_LE(*elevation.distance, 0.0001);

    const DesignCheckRow& beyond = RowAtLine(r, 19);
    EXPECT_EQ(beyond.kind, DesignClass::Outside);
    EXPECT_FALSE(beyond.distance);
    EXPECT_FALSE(beyond.footStation);  // the point lies beyond the end too
    EXPECT_EQ(beyond.reason, "第 19 行：桩号 K1+310.000 在线路起点 K1+000.000 之前或终点 K1+300.000 之后。");

    const DesignCheckRow& garbled = RowAtLine(r, 20);
    EXPECT_EQ(garbled.kind, DesignClass::Unreadable);
    EXPECT_EQ(garbled.name, "P17");
    EXPECT_EQ(garbled.text, "P17,K1+3x0,abc");
    EXPECT_EQ(garbled.reason.rfind("第 20 行：桩号“K1+3x0”", 0), 0u) << garbled.reason;

    EXPECT_EQ(Count(r, DesignClass::Ok), 13u);
    for (DesignClass c : {DesignClass::Station, DesignClass::Offset, DesignClass::Elevation, DesignClass::Outside,
                          DesignClass::Unreadable})
        EXPECT_EQ(Count(r, c), 1u) << DesignClassWord(c);
    EXPECT_EQ(r.summary.maxDistanceLine, 13);
    EXPECT_EQ(r.summary.maxDistanceName, "P10");
    EXPECT_EQ(r.summary.maxDzLine, 5);
    // Rows stay in line order, unreadable ones among them.
    for (std::size_t i = 1; i < r.rows.size(); ++i) EXPECT_LT(r.rows[i - 1].line, r.rows[i].line);
}

TEST(DesignCheck, OrderOfTheTestsAtTheEnds)
{
    const DesignTestRoute route;
    const DesignPlanPoint end = DesignTestRoute::At(1300);
    // On the tangent 10 m past the end, (cos 1, sin 1) * 10, but written at
    // K1+250: the point is far from K1+250 and its foot is beyond the end.
    const std::string beyond = "Q1,1250," + RoundTripText(end.x + 10 * std::cos(1.0)) + "," +
                               RoundTripText(end.y + 10 * std::sin(1.0)) + "\n";
    // 1 mm before the start, at the start's station: within the tolerance,
    // so ok, though its foot lies before the start.
    const std::string before = "Q2,1000,-0.001,0\n";
    const DesignCheckResult r = CheckDesign(ParseDesignTable(beyond + before), route.Interface());
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].kind, DesignClass::Outside);
    ASSERT_TRUE(r.rows[0].distance);
    EXPECT_FALSE(r.rows[0].footStation);
    EXPECT_NE(r.rows[0].reason.find("垂足落在线路的起点之前或终点之后"), std::string::npos) << r.rows[0].reason;
    EXPECT_EQ(r.rows[1].kind, DesignClass::Ok);
    EXPECT_EQ(*r.rows[1].distance, 0.001);
    EXPECT_FALSE(r.rows[1].footStation);
}

TEST(DesignCheck, TolerancesAtTheirExactBoundaries)
{
    DesignTestRoute route;  // K1+050 is (50, 0); elevation 0 everywhere
    route.z0 = 0;
    route.grade = 0;
    const struct {
        const char* row;
        DesignTolerances tol;
        DesignClass kind;
        double footStation;
    } cases[] = {
        {"1050,50,0.005", {}, DesignClass::Ok, 1050},
        {"1050,50,-0.005", {}, DesignClass::Ok, 1050},
        {"1050,50,0.005000001", {}, DesignClass::Offset, 1050},
        // 10 m off along the straight, foot offset exactly at the tolerance.
        {"1050,60,0.005", {}, DesignClass::Station, 1060},
        {"1050,60,-0.005000001", {}, DesignClass::Offset, 1060},
        {"1050,50,0,0.005", {}, DesignClass::Ok, 1050},
        {"1050,50,0,-0.005", {}, DesignClass::Ok, 1050},
        {"1050,50,0,0.005000001", {}, DesignClass::Elevation, 1050},
        {"1050,50,0.25,0.25", {0.25, 0.25}, DesignClass::Ok, 1050},
        {"1050,50,0.25000000000000006", {0.25, 0.25}, DesignClass::Offset, 1050},
        {"1050,50,0,-0.25000000000000006", {0.25, 0.25}, DesignClass::Elevation, 1050},
        {"1050,50,0", {0, 0}, DesignClass::Ok, 1050},
        {"1050,50,5e-324", {0, 0}, DesignClass::Offset, 1050},
        // The route's own ends are on it; a hair beyond is not.
        {"1000,0,0", {}, DesignClass::Ok, 1000},
        {"1000.000000001,0,0", {}, DesignClass::Ok, 1000},
        {"999.999999999,0,0", {}, DesignClass::Outside, 1000},
        {"1300.000000001,268.2942,91.9395", {}, DesignClass::Outside, NAN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const DesignCheckResult r = CheckDesign(ParseDesignTable(std::string("P,") + c.row), route.Interface(), c.tol);
        ASSERT_EQ(r.rows.size(), 1u);
        EXPECT_EQ(r.rows[0].kind, c.kind) << r.rows[0].reason;
        if (std::isnan(c.footStation)) continue;  // at the end: the foot may fall either side
        ASSERT_TRUE(r.rows[0].footStation);
        EXPECT_NEAR(*r.rows[0].footStation, c.footStation, 1e-4);
    }
}

TEST(DesignCheck, SummaryWorkedByHand)
{
    const DesignTestRoute route;  // z = 100 + 0.02 (s - 1000) on the straight
    const std::string text =
        "A,1010,10,0.003,100.203\n"     // d 0.003, dz +0.003: ok
        "B,1020,20,-0.004,100.396\n"    // d 0.004, dz -0.004: ok
        "C,1030,30,0.002,100.588\n"     // d 0.002, dz -0.012: elevation
        "D,1040,40,0.001\n"             // d 0.001, no elevation: ok
        "E,1050,60,0,101\n";            // 10 m off: station
    const DesignCheckResult r = CheckDesign(ParseDesignTable(text), route.Interface());
    const DesignCheckSummary& s = r.summary;
    EXPECT_EQ(s.rows, 5u);
    EXPECT_EQ(Count(r, DesignClass::Ok), 3u);
    EXPECT_EQ(Count(r, DesignClass::Elevation), 1u);
    EXPECT_EQ(Count(r, DesignClass::Station), 1u);
    EXPECT_EQ(*s.maxDistance, 10);
    EXPECT_EQ(s.maxDistanceLine, 5);
    EXPECT_EQ(s.maxDistanceName, "E");
    EXPECT_NEAR(*s.maxDz, 0.012, 1e-12);
    EXPECT_EQ(s.maxDzLine, 3);
    // sqrt((0.003² + 0.004² + 0.001²) / 3) = sqrt(26 / 3) mm = 2.9439203 mm.
    EXPECT_NEAR(*s.rms, 0.002943920288775949, 1e-15);
    EXPECT_NEAR(*RowAtLine(r, 2).dz, -0.004, 1e-12);
    EXPECT_EQ(*RowAtLine(r, 5).footStation, 1060);
}

TEST(DesignCheck, WithoutProfileOrRowsTheOptionalValuesStayEmpty)
{
    const DesignTestRoute route;
    const DesignCheckResult r = CheckDesign(ParseDesignTable("A,1010,10,0,999\n"), route.Interface(false));
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].kind, DesignClass::Ok);  // no profile: the elevation is not checked
    EXPECT_FALSE(r.rows[0].dz);
    EXPECT_FALSE(r.elevations);
    EXPECT_FALSE(r.summary.maxDz);

    const DesignCheckResult none = CheckDesign(ParseDesignTable("# nothing\n"), route.Interface());
    EXPECT_EQ(none.summary.rows, 0u);
    EXPECT_FALSE(none.summary.maxDistance);
    EXPECT_FALSE(none.summary.rms);

    // Words that name no column are no header: both lines are unreadable rows.
    const DesignCheckResult bad = CheckDesign(ParseDesignTable("A,B,C,D\n1,2\n"), route.Interface());
    ASSERT_EQ(bad.rows.size(), 2u);
    EXPECT_EQ(bad.rows[0].kind, DesignClass::Unreadable);
    EXPECT_EQ(bad.rows[1].kind, DesignClass::Unreadable);
    EXPECT_FALSE(bad.summary.rms);  // no ok rows
}

TEST(DesignCheck, ProfileNotCoveringTheStationIsOutside)
{
    const DesignTestRoute route;
    DesignCheckRoute shortProfile = route.Interface();
    shortProfile.elevationAt = [](double s, std::optional<int>) -> std::optional<double> {
        if (s > 1100) return std::nullopt;
        return 100.0;
    };
    const DesignCheckResult r = CheckDesign(ParseDesignTable("A,1050,50,0,100\nB,1200,195.8851,24.4835,100\n"),
                                            shortProfile);
    EXPECT_EQ(r.rows[0].kind, DesignClass::Ok);
    EXPECT_EQ(r.rows[1].kind, DesignClass::Outside);
    EXPECT_EQ(r.rows[1].reason, "第 2 行：桩号 K1+200.000 不在纵断面的范围内，无法复核高程。");
    EXPECT_TRUE(r.rows[1].distance);  // the plan was checked
}

TEST(DesignCheck, FaultsAndNonFiniteAnswersOfTheRouteAreOutside)
{
    DesignCheckRoute route;
    route.pointAt = [](double s, std::optional<int>, std::string*) -> std::optional<DesignPlanPoint> {
        if (s == 1) throw FloatFault("桩号");
        if (s == 2) return DesignPlanPoint{NAN, 0};
        if (s == 3) return DesignPlanPoint{-1e308, 0};
        return DesignPlanPoint{0, 0};
    };
    route.foot = [](double, double) -> std::optional<DesignFoot> { return DesignFoot{INFINITY, {}, 0}; };
    route.elevationAt = [](double, std::optional<int>) -> std::optional<double> { return -1e308; };
    const DesignCheckResult r =
        CheckDesign(ParseDesignTable("a,1,0,0\nb,2,0,0\nc,3,1e308,0\nd,4,0,0,1e308\ne,5,0,0\n"), route);
    ASSERT_EQ(r.rows.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.rows[std::size_t(i)].kind, DesignClass::Outside);
        EXPECT_EQ(r.rows[std::size_t(i)].reason.rfind("第 " + std::to_string(i + 1) + " 行：", 0), 0u);
        EXPECT_EQ(r.rows[std::size_t(i)].reason.find("inf"), std::string::npos);
        EXPECT_EQ(r.rows[std::size_t(i)].reason.find("nan"), std::string::npos);
    }
    EXPECT_NE(r.rows[0].reason.find("桩号"), std::string::npos);
    EXPECT_FALSE(r.rows[0].distance);
    // A foot that is not finite is no foot.
    EXPECT_EQ(r.rows[4].kind, DesignClass::Ok);
    EXPECT_FALSE(r.rows[4].footStation);
    // Nothing in the JSON is spelled as a non-number.
    const std::string json = DesignCheckJson(r);
    EXPECT_EQ(json.find("inf"), std::string::npos);
    EXPECT_EQ(json.find("nan"), std::string::npos);
}

TEST(DesignCheck, BadTolerancesAreRefused)
{
    const struct {
        DesignTolerances t;
        const char* message;
    } cases[] = {
        {{NAN, 0.005}, "平面限差应当是不小于零的数。"},
        {{-0.001, 0.005}, "平面限差应当是不小于零的数。"},
        {{INFINITY, 0.005}, "平面限差应当是不小于零的数。"},
        {{0.005, -1}, "高程限差应当是不小于零的数。"},
        {{0.005, NAN}, "高程限差应当是不小于零的数。"},
        {{0, 0}, ""},
        {{-0.0, 1e300}, ""},
    };
    const DesignTestRoute route;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(DesignToleranceProblem(c.t), c.message);
        if (*c.message) {
            try {
                CheckDesign(ParseDesignTable("A,1010,10,0\n"), route.Interface(), c.t);
                ADD_FAILURE() << "not refused";
            } catch (const std::invalid_argument& e) {
                EXPECT_STREQ(e.what(), c.message);
            }
        } else {
            EXPECT_EQ(CheckDesign(ParseDesignTable("A,1010,10,0\n"), route.Interface(), c.t).rows.size(), 1u);
        }
    }
}

TEST(DesignCheck, ZonesChooseTheStretchAtAChainBreak)
{
    DesignTestRoute route;
    route.chainBreak = true;  // displayed 1100..1150 twice; zone 2 is true station + 50
    const DesignPlanPoint second = DesignTestRoute::At(1170), first = DesignTestRoute::At(1120);
    const std::string xy2 = RoundTripText(second.x) + "," + RoundTripText(second.y);
    const std::string xy1 = RoundTripText(first.x) + "," + RoundTripText(first.y);
    const std::string text = "点名,桩号,X,Y,分区\n"
                             "A,K1+120," + xy2 + ",2\n"
                             "B,K1+120," + xy1 + ",1\n"
                             "C,K1+120," + xy2 + "\n"
                             "D,K1+120," + xy2 + ",1\n"
                             "E,K1+200,195.8851,24.4835\n";
    const DesignCheckResult r = CheckDesign(ParseDesignTable(text), route.Interface(false));
    ASSERT_EQ(r.rows.size(), 5u);
    EXPECT_TRUE(r.zoneColumn);
    EXPECT_EQ(r.rows[0].kind, DesignClass::Ok);
    EXPECT_EQ(r.rows[0].zone, 2);
    EXPECT_EQ(r.rows[0].footZone, 2);
    EXPECT_NEAR(*r.rows[0].footStation, 1120, 1e-9);
    EXPECT_EQ(r.rows[1].kind, DesignClass::Ok);
    EXPECT_EQ(r.rows[1].footZone, 1);
    EXPECT_EQ(r.rows[2].kind, DesignClass::Outside);
    EXPECT_EQ(r.rows[2].reason, "第 4 行：桩号 K1+120.000 在断链前后各有一处，请在分区一栏写明。");
    // The point of zone 2 given as zone 1: on the centreline, 50 m on.
    EXPECT_EQ(r.rows[3].kind, DesignClass::Station);
    EXPECT_NE(r.rows[3].reason.find("在桩号 K1+120.000(2区) 处，表中的桩号 K1+120.000(1区) 有误"),
              std::string::npos)
        << r.rows[3].reason;
    // Unambiguous stations need no zone: K1+200 shown is true 1250, and the
    // point given (true 1200) is shown as K1+150 in zone 2.
    EXPECT_EQ(r.rows[4].kind, DesignClass::Station);
    EXPECT_NEAR(*r.rows[4].footStation, 1150, 1e-3);
    EXPECT_EQ(r.rows[4].footZone, 2);
}

TEST(DesignCheckJson, SmallCheckWrittenExactly)
{
    DesignTestRoute route;
    route.grade = 0;  // elevation 100 everywhere
    const std::string text =
        "点名,桩号,X,Y,高程\n"
        "A,1050,50,0,100.25\n"
        "B,K1+060,60,0.5\n"
        "C,1000,0,0\n"
        "bad,row\n";
    const DesignCheckResult r = CheckDesign(ParseDesignTable(text), route.Interface());
    const std::string expected =
        "{\"rows\":["
        "{\"line\":2,\"name\":\"A\",\"station\":1050,\"zone\":null,\"x\":50,\"y\":0,\"dx\":0,\"dy\":0,"
        "\"distance\":0,\"dz\":0.25,\"foot_station\":1050,\"foot_offset\":0,\"class\":\"elevation\"},"
        "{\"line\":3,\"name\":\"B\",\"station\":1060,\"zone\":null,\"x\":60,\"y\":0.5,\"dx\":0,\"dy\":0.5,"
        "\"distance\":0.5,\"dz\":null,\"foot_station\":1060,\"foot_offset\":0.5,\"class\":\"offset\"},"
        "{\"line\":4,\"name\":\"C\",\"station\":1000,\"zone\":null,\"x\":0,\"y\":0,\"dx\":0,\"dy\":0,"
        "\"distance\":0,\"dz\":null,\"foot_station\":1000,\"foot_offset\":0,\"class\":\"ok\"},"
        "{\"line\":5,\"name\":\"bad\",\"station\":null,\"zone\":null,\"x\":null,\"y\":null,\"dx\":null,"
        "\"dy\":null,\"distance\":null,\"dz\":null,\"foot_station\":null,\"foot_offset\":null,"
        "\"class\":\"unreadable\",\"reason\":\"第 5 行：桩号“row”既不是数，也不是 K3+444.600 这样的桩号。\"}"
        "],\"summary\":{\"rows\":4,\"classes\":{\"ok\":1,\"station\":0,\"offset\":1,\"elevation\":1,"
        "\"outside\":0,\"unreadable\":1,\"ambiguous\":0,\"gap\":0},\"max_distance\":0.5,\"max_distance_line\":3,\"max_dz\":0.25,"
        "\"max_dz_line\":2,\"rms\":0}}";
    EXPECT_EQ(DesignCheckJson(r), expected);
}

TEST(DesignCheckJson, ParsesBackWithTheSameNumbersAndEscapedNames)
{
    const DesignTestRoute route;
    std::string text = DesignTable20(route);
    Plant(text, "P3,", "P\"3\\,");  // a quote and a backslash in a name
    text += "\"bad\tname\",1\n";
    const DesignCheckResult r = CheckDesign(ParseDesignTable(text), route.Interface());
    const nlohmann::json j = nlohmann::json::parse(DesignCheckJson(r));
    ASSERT_EQ(j["rows"].size(), r.rows.size());
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        const DesignCheckRow& row = r.rows[i];
        const nlohmann::json& o = j["rows"][i];
        SCOPED_TRACE(row.line);
        EXPECT_EQ(o["line"].get<int>(), row.line);
        EXPECT_EQ(o["class"].get<std::string>(), DesignClassWord(row.kind));
        if (row.kind == DesignClass::Unreadable) {
            EXPECT_EQ(o["reason"].get<std::string>(), row.reason);
            EXPECT_TRUE(o["station"].is_null());
            continue;
        }
        EXPECT_EQ(o["name"].get<std::string>(), row.name);
        EXPECT_EQ(o["station"].get<double>(), *row.station);
        EXPECT_EQ(o["dx"].get<double>(), *row.dx);
        EXPECT_EQ(o["distance"].get<double>(), *row.distance);
        EXPECT_EQ(o["dz"].get<double>(), *row.dz);
        EXPECT_EQ(o["foot_offset"].get<double>(), *row.footOffset);
        EXPECT_FALSE(o.contains("reason"));
    }
    EXPECT_EQ(j["rows"][3]["name"].get<std::string>(), "P\"3\\");
    EXPECT_EQ(j["summary"]["rms"].get<double>(), *r.summary.rms);
    // The tab splits the last row: its station is the text name".
    EXPECT_EQ(j["summary"]["classes"]["unreadable"].get<int>(), 1);
    EXPECT_EQ(j["rows"][16]["name"].get<std::string>(), "\"bad");
}

TEST(DesignCheckJson, StringEscapes)
{
    const struct {
        std::string in, out;
    } cases[] = {
        {"", "\"\""},
        {"K1+000 中桩", "\"K1+000 中桩\""},
        {"a\"b", "\"a\\\"b\""},
        {"a\\b", "\"a\\\\b\""},
        {std::string("\x01\x1f\n", 3), "\"\\u0001\\u001f\\u000a\""},
        {std::string("\0", 1), "\"\\u0000\""},
    };
    for (const auto& c : cases) EXPECT_EQ(JsonString(c.in), c.out) << c.out;
}

}  // namespace
}  // namespace tarvelo
