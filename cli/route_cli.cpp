#include "cli/route_cli.h"

#include <QString>

#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "cli/cli_help.h"
#include "cli/route_check_cli.h"
#include "cli/route_earthwork_cli.h"
#include "cli/route_export_cli.h"
#include "cli/route_ground_cli.h"
#include "cli/route_profile_cli.h"
#include "cli/route_slope_cli.h"
#include "cli/route_stakeout_cli.h"
#include "compute/route_inverse.h"
#include "compute/route_profile.h"
#include "compute/route_table.h"
#include "compute/route_station_text.h"
#include "compute/route_text.h"
#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/plan/route.h"
#include "core/files/break_file.h"
#include "core/files/element_file.h"
#include "core/files/point_file.h"
#include "core/files/route_file.h"
#include "core/files/text_table.h"
#include "reports/route_report.h"
#include "reports/stakeout_report.h"
#include "reports/table_file.h"

namespace tarvelo {

namespace {

struct RouteFailure {
    int status;
    std::string message;
};

[[noreturn]] void Fail(const std::string& message, int status = 1)
{
    throw RouteFailure{status, message};
}

struct RouteCommandDef {
    std::set<std::string> values;  // options that take a value
    std::set<std::string> flags;   // options without one
    std::set<std::string> required;
};

const std::map<std::string, RouteCommandDef>& RouteCommands()
{
    static const std::map<std::string, RouteCommandDef> commands = {
        {"elements", {{"route", "report", "spiral", "breaks"}, {"json"}, {"route"}}},
        {"point", {{"route", "station", "offset", "skew", "profile", "spiral", "breaks", "zone", "instrument", "backsight", "backsight-azimuth", "instrument-height", "target-height"}, {"json"}, {"route", "station"}}},
        {"table",
         {{"route", "interval", "start", "end", "offset", "skew", "profile", "format", "out", "spiral", "breaks",
           "start-zone", "end-zone", "report", "instrument", "backsight", "backsight-azimuth", "instrument-height", "target-height"},
          {"json", "no-main-points"},
          {"route", "interval"}}},
        {"inverse", {{"route", "x", "y", "points", "profile", "spiral", "breaks"}, {"json"}, {"route"}}},
        {"export", {{"route", "format", "out", "interval", "spiral", "breaks", "profile"}, {}, {"route", "format", "out"}}},
        {"import-landxml", {{"in", "out", "alignment", "profile-out", "breaks-out"}, {"list"}, {"in"}}},
        {"profile", {{"route", "profile", "report", "spiral", "breaks"}, {"json"}, {"route", "profile"}}},
        {"sections",
         {{"route", "sections", "profile", "breaks", "interval", "start", "end", "start-zone", "end-zone",
           "transition", "format", "out", "skew", "spiral", "report", "instrument", "backsight", "backsight-azimuth", "instrument-height", "target-height"},
          {"no-main-points", "json"},
          {"route", "sections", "interval"}}},
        {"check",
         {{"route", "design", "breaks", "profile", "tolerance", "tolerance-z", "report", "format", "out", "spiral"},
          {"json"},
          {"route", "design"}}},
        {"slope",
         {{"route", "profile", "template", "sections", "breaks", "spiral", "x", "y", "z", "points", "format", "out", "report"},
          {"json"},
          {"route", "profile", "template"}}},
        {"level",
         {{"route", "profile", "sections", "template", "breaks", "spiral", "depth", "tolerance-z", "x", "y", "z", "points",
           "format", "out", "report"},
          {"json"},
          {"route", "profile"}}},
        {"ground",
         {{"route", "points", "interval", "stations", "band", "breaks", "spiral", "format", "out", "centre-ground-out"},
          {"json"},
          {"route", "points"}}},
        {"earthwork",
         {{"route", "profile", "template", "ground", "sections", "centre-ground", "breaks", "spiral", "depth", "start",
           "end", "format", "out", "report"},
          {"json"},
          {"route", "profile", "template", "ground"}}},
    };
    return commands;
}

struct RouteInvocation {
    std::string command;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    std::optional<std::string> value(const std::string& name) const
    {
        const auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool flag(const std::string& name) const { return flags.count(name) > 0; }
};

RouteInvocation ParseRouteArgs(const std::vector<std::string>& args)
{
    const std::string usage = CommandUsage("route").value_or("");
    if (args.size() < 2) Fail("缺少 route 的子命令。\n" + usage);
    RouteInvocation inv;
    inv.command = args[1];
    const auto def = RouteCommands().find(inv.command);
    if (def == RouteCommands().end()) Fail("未知的子命令：route " + inv.command + "\n" + usage);
    const std::string commandUsage = CommandUsage("route " + inv.command).value_or(usage);
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) Fail("多余的参数：" + a + "\n" + commandUsage);
        std::string name = a.substr(2), value;
        const std::size_t eq = name.find('=');
        bool inlineValue = false;
        if (eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            inlineValue = true;
        }
        if (def->second.flags.count(name)) {
            if (inlineValue) Fail("选项 --" + name + " 不带值。");
            inv.flags.insert(name);
            continue;
        }
        if (!def->second.values.count(name))
            Fail("子命令 route " + inv.command + " 不接受选项 --" + name + "。\n" + commandUsage);
        if (!inlineValue) {
            if (i + 1 >= args.size()) Fail("选项 --" + name + " 缺少值。");
            value = args[++i];
        }
        if (inv.values.count(name)) Fail("选项 --" + name + " 只能给出一次。");
        inv.values[name] = value;
    }
    for (const std::string& name : def->second.required)
        if (!inv.values.count(name))
            Fail("子命令 route " + inv.command + " 缺少选项 --" + name + "。\n" + commandUsage);
    return inv;
}

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Numbers beyond 1e12 m cannot carry four decimals in a double.
constexpr double kMaxMagnitude = 1e12;

double NumberOption(const RouteInvocation& inv, const std::string& name, double fallback)
{
    const std::optional<std::string> text = inv.value(name);
    if (!text) return fallback;
    double v = 0;
    if (!ReadFieldNumber(*text, &v)) Fail("选项 --" + name + " 的值不是数：" + *text);
    if (!(std::fabs(v) <= kMaxMagnitude))
        Fail("选项 --" + name + " 的数值超出可计算范围（绝对值不得超过 1e12）：" + *text);
    return v;
}

std::string RoundTrip(double v) { return RoundTripText(Checked(v, "输出值")); }

std::string Quoted(const std::string& s)
{
    std::string out = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + '"';
}

Route LoadRoute(const RouteInvocation& inv, std::string& err)
{
    const std::string path = *inv.value("route");
    FileResult<std::string> text = ReadTableFileText(FromUtf8(path));
    if (!text.ok()) Fail(text.error->toStdString());
    SpiralMode mode = SpiralMode::Exact;
    if (const auto spiral = inv.value("spiral")) {
        if (*spiral == "series")
            mode = SpiralMode::Series;
        else if (*spiral != "exact")
            Fail("选项 --spiral 的值只能是 exact 或 series：" + *spiral);
    }
    const auto refuse = [&path](const std::vector<RouteIssue>& errors) {
        std::string message = "线路文件“" + path + "”有错误：";
        for (const RouteIssue& e : errors) message += "\n" + e.message;
        Fail(message, kExitInvalidRoute);
    };
    std::vector<BreakInput> breaks;
    if (const auto breaksPath = inv.value("breaks")) {
        FileResult<std::string> breakText = ReadTableFileText(FromUtf8(*breaksPath));
        if (!breakText.ok()) Fail(breakText.error->toStdString());
        BreakFileContent read = ParseBreakFile(*breakText.value);
        if (!read.ok()) {
            std::string message = "断链文件“" + *breaksPath + "”有错误：";
            for (const ChainageIssue& e : read.errors) message += "\n" + e.message;
            Fail(message, kExitInvalidRoute);
        }
        breaks = std::move(read.rows);
    }
    Route::Built built;
    if (IsElementFileHeader(*text.value)) {
        if (mode == SpiralMode::Series) Fail("线元法线路总是按精确回旋线计算，不能使用 --spiral series。");
        const ElementFileParse parsed = ParseElementFile(*text.value);
        if (!parsed.errors.empty()) refuse(parsed.errors);
        built = Route::BuildElements(parsed.rows, breaks);
    } else {
        const RouteFileParse parsed = ParseRouteFile(*text.value);
        if (!parsed.errors.empty()) refuse(parsed.errors);
        built = Route::Build(parsed.rows, mode, breaks);
    }
    if (!built.route) Fail("线路不能计算：" + built.error->message, kExitInvalidRoute);
    for (const RouteIssue& w : built.route->warnings()) err += "警告：" + w.message + "\n";
    return std::move(*built.route);
}

// The profile of --profile, when given; a bad one ends the command with
// status 2 like a bad route.
// Its grade points are displayed stations: across chain breaks they move to
// the route's own stations, so elevations are interpolated along the road.
std::optional<Profile> OptionalProfile(const RouteInvocation& inv, const Route& route)
{
    const std::optional<std::string> path = inv.value("profile");
    if (!path) return std::nullopt;
    ProfileLoad load = LoadProfileFile(*path);
    if (!load.profile) Fail(load.message, load.status);
    std::string error;
    std::optional<Profile> onRoute = ProfileOnRoute(*load.profile, route, &error);
    if (!onRoute) Fail("纵断面文件“" + *path + "”" + error, kExitInvalidRoute);
    return onRoute;
}

// The route's own station of the displayed station typed in --NAME: metres
// or K notation, with its zone written after it ("K13+060(2区)") or given
// in --ZONE (not both, unless they agree).
double RouteStationOption(const Route& r, const RouteInvocation& inv, const std::string& name,
                          const std::string& zoneName)
{
    const std::string text = inv.value(name).value_or(std::string());
    double value = 0;
    std::optional<int> zone;
    switch (ReadZonedStationField(text, &value, &zone)) {
    case ZonedStationRead::NotStation: Fail("选项 --" + name + " 的值不是桩号：" + text);
    case ZonedStationRead::BadZone: Fail("选项 --" + name + " 的区段应写成“(1区)”这样的整数：" + text);
    case ZonedStationRead::Ok: break;
    }
    if (!(std::fabs(value) <= kMaxMagnitude))
        Fail("选项 --" + name + " 的数值超出可计算范围（绝对值不得超过 1e12）：" + text);
    if (const auto z = inv.value(zoneName)) {
        double v = 0;
        if (!ReadFieldNumber(*z, &v) || v != std::floor(v) || v < 0 || v > 1e6)
            Fail("选项 --" + zoneName + " 应为区段号（0、1、2……）：" + *z);
        if (zone && *zone != static_cast<int>(v))
            Fail("选项 --" + name + " 写的区段与 --" + zoneName + " 不同：" + text + "，" + *z);
        zone = static_cast<int>(v);
    }
    const Route::StationLookup at = r.StationOf(value, zone);
    if (!at.station) Fail("选项 --" + name + " 的桩号 " + text + "：" + at.error);
    return *at.station;
}

// The fields every point, row and foot carries: the displayed station, its
// zone and the distance from the route's start.
std::string StationJson(const Route& r, double k)
{
    const DisplayedStation d = r.Displayed(k);
    return "\"station\":" + RoundTrip(d.station) + ",\"zone\":" + std::to_string(d.zone) +
           ",\"distance\":" + RoundTrip(k - r.start().station);
}

// A displayed station as text, with its zone where the station occurs twice.
std::string StationText(const Route& r, double k) { return RouteStationText(r, k); }

std::string Deflection(double alpha)
{
    return std::string(alpha < 0 ? "左" : "右") + DegreesToDmsText(std::fabs(alpha));
}

std::string Coordinate(double v) { return FormatFixed(v, 4); }

const char* KindName(ElementKind k)
{
    switch (k) {
    case ElementKind::Line: return "line";
    case ElementKind::Arc: return "arc";
    case ElementKind::Spiral: break;
    }
    return "spiral";
}

const char* KindText(ElementKind k)
{
    switch (k) {
    case ElementKind::Line: return "直线";
    case ElementKind::Arc: return "圆曲线";
    case ElementKind::Spiral: break;
    }
    return "缓和曲线";
}

std::string RadiusText(double r) { return r == kStraight ? "∞" : FormatGeneral(r); }

// The element and main-point tables of an element route.
void AppendElementTables(const Route& r, std::string& s)
{
    s += "线元\t类型\t起点桩号\t终点桩号\t长度\tR起\tR止\t转向\t起点X\t起点Y\t起点方位角\n";
    for (const RouteElement& e : r.elements())
        s += e.name + "\t" + KindText(e.kind) + "\t" + StationText(r, e.startStation) + "\t" +
             StationText(r, e.endStation) + "\t" + FormatFixed(e.endStation - e.startStation, 3) + "\t" +
             RadiusText(e.startRadius) + "\t" + RadiusText(e.endRadius) + "\t" +
             (e.turn > 0 ? "右" : e.turn < 0 ? "左" : "") + "\t" + Coordinate(e.start.x) + "\t" +
             Coordinate(e.start.y) + "\t" + DegreesToDmsText(e.start.azimuth) + "\n";
    if (!r.curvatureJumps().empty()) {
        s += "\n曲率突变\t桩号\t上一线元终点半径\t本线元起点半径\n";
        for (const CurvatureJump& j : r.curvatureJumps())
            s += r.elements()[j.element].name + "\t" + StationText(r, j.station) + "\t" +
                 CurvatureRadiusText(j.radiusBefore, j.turnBefore) + "\t" + CurvatureRadiusText(j.radiusAfter, j.turnAfter) + "\n";
    }
    s += "\n主点\t桩号\tX\tY\t切线方位角\n";
    for (const RouteMainPoint& m : r.mainPoints())
        s += m.name + "\t" + StationText(r, m.station) + "\t" + Coordinate(m.x) + "\t" + Coordinate(m.y) +
             "\t" + DegreesToDmsText(m.azimuth) + "\n";
}

void WriteElementsPlain(const Route& r, std::ostream& out)
{
    std::string s;
    s += "起点 " + r.start().name + "\t" + StationText(r, r.start().station) + "\t" +
         Coordinate(r.start().x) + "\t" + Coordinate(r.start().y) + "\n";
    s += "终点 " + r.end().name + "\t" + StationText(r, r.end().station) + "\t" +
         Coordinate(r.end().x) + "\t" + Coordinate(r.end().y) + "\n";
    s += "线路长\t" + FormatFixed(r.length(), 3) + "\n\n";
    if (r.hasBreaks()) {
        s += "断链\t断前桩号=断后桩号\t长短链\t距起点\n";
        for (const ChainBreak& b : r.chainage().breaks())
            s += b.name + "\t" + FormatBreakText(b.back, b.ahead) + "\t" + (b.isLong() ? "长链 " : "短链 ") +
                 FormatFixed(std::fabs(b.amount()), 3) + "\t" + FormatFixed(b.distance, 3) + "\n";
        s += "\n";
    }
    if (r.method() == RouteMethod::Elements) {
        AppendElementTables(r, s);
        out << s;
        return;
    }
    s += "交点\t交点桩号\t转角\tR\tLs1\tLs2\tT1\tT2\tL\tE\tZH\tHY\tQZ\tYH\tHZ\t直线长\t级数误差(mm)\n";
    for (std::size_t j = 0; j < r.curves().size(); ++j) {
        const RouteCurve& c = r.curves()[j];
        const CurveState& k = c.curve;
        s += c.name + "\t" + StationText(r, k.JD) + "\t" + Deflection(c.alpha) + "\t" +
             FormatGeneral(k.R) + "\t" + FormatGeneral(k.Ls1) + "\t" + FormatGeneral(k.Ls2) + "\t" +
             FormatFixed(k.T1, 3) + "\t" + FormatFixed(k.T2, 3) + "\t" + FormatFixed(k.L, 3) + "\t" +
             FormatFixed(k.E, 3);
        for (const MainPoint& p : c.points) s += "\t" + StationText(r, p.station);
        s += "\t" + FormatFixed(r.legs()[j + 1].tangent, 3) + "\t" +
             FormatFixed(c.seriesErrorMm[0], 1) + "/" + FormatFixed(c.seriesErrorMm[1], 1) + "\n";
    }
    s += "\n边\t方位角\t边长\t直线长\n";
    for (const RouteLeg& leg : r.legs())
        s += leg.from + "-" + leg.to + "\t" + DegreesToDmsText(leg.azimuth) + "\t" +
             FormatFixed(leg.length, 3) + "\t" + FormatFixed(leg.tangent, 3) + "\n";
    out << s;
}

void WriteElementsJson(const Route& r, std::ostream& out)
{
    // A displayed station and, under zoneKey, its zone.
    const auto zoned = [&r](const std::string& key, const std::string& zoneKey, double k) {
        const DisplayedStation d = r.Displayed(k);
        return "\"" + key + "\":" + RoundTrip(d.station) + ",\"" + zoneKey + "\":" + std::to_string(d.zone);
    };
    const auto end = [&zoned](const RouteEnd& e) {
        return "{\"name\":" + Quoted(e.name) + "," + zoned("station", "zone", e.station) +
               ",\"x\":" + RoundTrip(e.x) + ",\"y\":" + RoundTrip(e.y) + "}";
    };
    const auto radius = [](double v) { return v == kStraight ? std::string("null") : RoundTrip(v); };
    const auto pose = [](const CentrelinePoint& p) {
        return "{\"x\":" + RoundTrip(p.x) + ",\"y\":" + RoundTrip(p.y) + ",\"azimuth\":" + RoundTrip(p.azimuth) + "}";
    };
    std::string s = "{\"start\":" + end(r.start()) + ",\"end\":" + end(r.end()) +
                    ",\"length\":" + RoundTrip(r.length()) + ",\"method\":\"" +
                    (r.method() == RouteMethod::Elements ? "elements" : "jd") + "\",\"spiral\":\"" +
                    (r.spiralMode() == SpiralMode::Series ? "series" : "exact") + "\",\"elements\":[";
    for (std::size_t i = 0; i < r.elements().size(); ++i) {
        const RouteElement& e = r.elements()[i];
        if (i) s += ',';
        s += "{\"kind\":\"" + std::string(KindName(e.kind)) + "\",\"name\":" + Quoted(r.ServingName(r.method() == RouteMethod::Elements ? i : e.curve)) +
             "," + zoned("start_station", "start_zone", e.startStation) + "," +
             zoned("end_station", "end_zone", e.endStation) +
             ",\"length\":" + RoundTrip(e.endStation - e.startStation) + ",\"R_start\":" + radius(e.startRadius) +
             ",\"R_end\":" + radius(e.endRadius) + ",\"turn\":" + std::to_string(e.turn) +
             ",\"start\":" + pose(e.start) + ",\"end\":" + pose(e.end) + "}";
    }
    s += "],\"main_points\":[";
    for (std::size_t i = 0; i < r.mainPoints().size(); ++i) {
        const RouteMainPoint& m = r.mainPoints()[i];
        if (i) s += ',';
        s += "{\"name\":" + Quoted(m.name) + "," + zoned("station", "zone", m.station) + ",\"x\":" + RoundTrip(m.x) +
             ",\"y\":" + RoundTrip(m.y) + ",\"azimuth\":" + RoundTrip(m.azimuth) + "}";
    }
    s += "],\"breaks\":[";
    for (std::size_t i = 0; i < r.chainage().breaks().size(); ++i) {
        const ChainBreak& b = r.chainage().breaks()[i];
        if (i) s += ',';
        s += "{\"back\":" + RoundTrip(b.back) + ",\"ahead\":" + RoundTrip(b.ahead) +
             ",\"distance\":" + RoundTrip(b.distance) + ",\"amount\":" + RoundTrip(b.amount()) +
             ",\"name\":" + Quoted(b.name) + "}";
    }
    s += "]";
    if (r.method() == RouteMethod::Elements) {
        s += ",\"curvature_jumps\":[";
        for (std::size_t i = 0; i < r.curvatureJumps().size(); ++i) {
            const CurvatureJump& j = r.curvatureJumps()[i];
            const auto signedRadius = [](double radius, int turn) {
                return turn == 0 ? std::string("null") : RoundTrip(turn * radius);
            };
            if (i) s += ',';
            s += "{\"element\":" + Quoted(r.elements()[j.element].name) + "," +
                 zoned("station", "zone", j.station) + ",\"R_before\":" + signedRadius(j.radiusBefore, j.turnBefore) +
                 ",\"R_after\":" + signedRadius(j.radiusAfter, j.turnAfter) + "}";
        }
        out << s + "]}\n";
        return;
    }
    s += ",\"jds\":[";
    for (std::size_t j = 0; j < r.curves().size(); ++j) {
        const RouteCurve& c = r.curves()[j];
        const CurveState& k = c.curve;
        if (j) s += ',';
        s += "{\"name\":" + Quoted(c.name) + ",\"x\":" + RoundTrip(k.X) + ",\"y\":" + RoundTrip(k.Y) +
             "," + zoned("station", "zone", k.JD) + ",\"alpha\":" + RoundTrip(c.alpha) +
             ",\"R\":" + RoundTrip(k.R) + ",\"Ls1\":" + RoundTrip(k.Ls1) + ",\"Ls2\":" + RoundTrip(k.Ls2) +
             ",\"T1\":" + RoundTrip(k.T1) + ",\"T2\":" + RoundTrip(k.T2) + ",\"L\":" + RoundTrip(k.L) +
             ",\"Ly\":" + RoundTrip(k.Ly) + ",\"E\":" + RoundTrip(k.E) + ",\"Dh\":" + RoundTrip(c.Dh()) +
             ",\"series_error_mm\":[" + RoundTrip(c.seriesErrorMm[0]) + "," +
             RoundTrip(c.seriesErrorMm[1]) + "]";
        for (const MainPoint& p : c.points)
            s += "," + zoned(p.name, std::string(p.name) + "_zone", p.station);
        s += ",\"points\":[";
        for (int i = 0; i < 5; ++i) {
            const MainPoint& p = c.points[i];
            if (i) s += ',';
            s += "{\"name\":\"" + std::string(p.name) + "\"," + zoned("station", "zone", p.station) +
                 ",\"x\":" + RoundTrip(p.x) + ",\"y\":" + RoundTrip(p.y) +
                 ",\"azimuth\":" + RoundTrip(p.azimuth) + "}";
        }
        s += "]}";
    }
    s += "],\"legs\":[";
    for (std::size_t i = 0; i < r.legs().size(); ++i) {
        const RouteLeg& leg = r.legs()[i];
        if (i) s += ',';
        s += "{\"from\":" + Quoted(leg.from) + ",\"to\":" + Quoted(leg.to) +
             ",\"azimuth\":" + RoundTrip(leg.azimuth) + ",\"length\":" + RoundTrip(leg.length) +
             ",\"tangent\":" + RoundTrip(leg.tangent) + "}";
    }
    s += "]}\n";
    out << s;
}

void RunElements(const Route& r, const RouteInvocation& inv, std::ostream& out)
{
    if (const auto report = inv.value("report")) {
        const FileStatus status = WriteRouteCurveTableReport(FromUtf8(*report), r);
        if (!status.ok()) Fail(status.error->toStdString());
    }
    if (inv.flag("json"))
        WriteElementsJson(r, out);
    else
        WriteElementsPlain(r, out);
}

double SkewOption(const RouteInvocation& inv)
{
    const std::optional<double> a = StrictDmsToDegrees(NumberOption(inv, "skew", 90));
    if (!a) Fail("选项 --skew 的值 " + *inv.value("skew") + " 的分或秒不小于 60，应为 d.mmss（度.分分秒秒）。");
    return Checked(*a, "偏角a");
}

const std::string& JdName(const Route& r, std::size_t serving) { return r.ServingName(serving); }

std::optional<StakeoutSetup> StakeoutOption(const RouteInvocation& inv)
{
    std::string error;
    std::optional<StakeoutSetup> s =
        ReadStakeoutOptions([&inv](const std::string& name) { return inv.value(name); }, &error);
    if (!error.empty()) Fail(error);
    return s;
}

// The stakeout of one point from the instrument, as JSON fields (angles in
// decimal degrees) or as the three columns 方位角, 水平角, 平距 (and 高差).
StakeoutLine StakeoutLineOf(const StakeoutSetup& setup, const std::string& name, double x, double y,
                            std::optional<double> z)
{
    std::string error;
    const std::optional<StakeoutData> d = StakeoutOf(setup, {{name, x, y, z}}, &error);
    if (!d) Fail(error);
    return d->lines.front();
}

std::string StakeoutJson(const StakeoutLine& l)
{
    const auto opt = [](const std::optional<double>& v) { return v ? RoundTrip(*v) : std::string("null"); };
    return ",\"stakeout\":{\"azimuth\":" + opt(l.azimuth) + ",\"angle\":" + opt(l.angle) +
           ",\"distance\":" + RoundTrip(l.distance) + ",\"dh\":" + opt(l.designAboveSight) + "}";
}

// The fields 方位角 (or the note of a stake on the station), 水平角, 平距 and
// 高差 (empty without heights, so that the header always names it).
std::vector<std::string> StakeoutFields(const StakeoutLine& l)
{
    return {l.azimuth ? FormatAngleDms(*l.azimuth) : l.note, l.angle ? FormatAngleDms(*l.angle) : std::string(),
            FormatFixed(l.distance, 3), l.designAboveSight ? FormatFixed(*l.designAboveSight, 3) : std::string()};
}

std::string StakeoutColumns(const StakeoutLine& l)
{
    std::string s;
    for (const std::string& f : StakeoutFields(l)) s += "\t" + f;
    return s;
}

void RunPoint(const Route& r, const RouteInvocation& inv, std::ostream& out)
{
    const double k = RouteStationOption(r, inv, "station", "zone");
    const double m = NumberOption(inv, "offset", 0);
    const double a = SkewOption(inv);
    const std::optional<Profile> profile = OptionalProfile(inv, r);
    const std::optional<RouteStake> stake = r.PointAt(k, m, a);
    if (!stake)
        Fail("桩号 " + *inv.value("station") + " 不在线路范围 " + RouteStationText(r, r.start().station, 4) + " ~ " +
             RouteStationText(r, r.end().station, 4) + " 之内。");
    std::optional<double> z;
    if (profile) {
        if (const auto outside = CheckProfileCovers(r, *profile, k, k)) Fail(*outside);
        z = profile->ElevationNear(k);
    }
    const CentrelinePoint& p = stake->point;
    const std::optional<StakeoutSetup> setup = StakeoutOption(inv);
    std::optional<StakeoutLine> line;
    if (setup) line = StakeoutLineOf(*setup, StationText(r, k), p.x, p.y, z);
    if (inv.flag("json")) {
        out << "{" + StationJson(r, k) + ",\"x\":" + RoundTrip(p.x) + ",\"y\":" + RoundTrip(p.y) +
                   ",\"azimuth\":" + RoundTrip(p.azimuth) +
                   ",\"jd\":" + Quoted(JdName(r, stake->curve)) +
                   (z ? ",\"z\":" + RoundTrip(*z) : std::string()) + (line ? StakeoutJson(*line) : "") + "}\n";
        return;
    }
    out << StationText(r, k) + "\t" + Coordinate(p.x) + "\t" + Coordinate(p.y) + "\t" +
               DegreesToDmsText(p.azimuth) + "\t" + (z ? FormatFixed(*z, 3) + "\t" : std::string()) +
               JdName(r, stake->curve) + (line ? StakeoutColumns(*line) : "") + "\n";
}

// The 放样数据表 of the table's stakes (GBK report at path), named as the
// text rows name them.
void WriteTableStakeoutReport(const Route& r, const RouteTableParams& p, const StakeoutSetup& setup,
                              const std::optional<Profile>& profile, const std::string& path)
{
    std::vector<StakeTarget> targets;
    RouteTableCursor cursor(r, p);
    RouteTableEntry e;
    while (cursor.Next(&e)) {
        const CentrelinePoint pt = ComputeRouteTableRow(r, e, p).stake.point;
        std::optional<double> z;
        if (profile) z = Checked(profile->ElevationNear(e.station).value_or(NAN), "设计高程");
        targets.push_back({EntryStationText(e), pt.x, pt.y, z});
    }
    std::string error;
    const std::optional<StakeoutData> data = StakeoutOf(setup, targets, &error);
    if (!data) Fail(error);
    const FileStatus s = WriteStakeoutReport(FromUtf8(path), setup.station, setup.backsight, *data);
    if (!s.ok()) Fail(s.error->toStdString());
}

// Rows are gathered into chunks of this many bytes before they are written.
constexpr std::size_t kChunkBytes = 1 << 20;

void RunTable(const Route& r, const RouteInvocation& inv, std::ostream& standardOutput)
{
    RouteTableParams p;
    p.interval = NumberOption(inv, "interval", 0);
    if (inv.value("start"))
        p.start = RouteStationOption(r, inv, "start", "start-zone");
    else if (inv.value("start-zone"))
        Fail("选项 --start-zone 要与 --start 一起给出。");
    if (inv.value("end"))
        p.end = RouteStationOption(r, inv, "end", "end-zone");
    else if (inv.value("end-zone"))
        Fail("选项 --end-zone 要与 --end 一起给出。");
    p.m = NumberOption(inv, "offset", 0);
    p.a = SkewOption(inv);
    p.mainPoints = !inv.flag("no-main-points");
    const std::optional<Profile> profile = OptionalProfile(inv, r);
    std::size_t rows = 0;
    if (const auto refusal = CheckRouteTable(r, p, &rows)) Fail(*refusal);
    if (profile)
        if (const auto outside = CheckProfileCovers(r, *profile, p.start.value_or(r.start().station),
                                                    p.end.value_or(r.end().station)))
            Fail(*outside);

    // --format and --out: the field formats and the report are written by
    // the export side; text and json rows below go to stdout or, with --out,
    // into an atomically written file.
    RouteTableTarget target;
    if (const auto e = ReadRouteTableTarget(inv.value("format"), inv.flag("json"), inv.value("out"), &target))
        Fail(*e);
    const std::optional<StakeoutSetup> setup = StakeoutOption(inv);
    const std::optional<std::string> report = inv.value("report");
    if (report && !setup) Fail("--report 写放样数据表，需要 --instrument 和后视。");
    // The stakeout goes into every output that has room for it; CASS and
    // the 逐桩坐标表 report have none, and then only --report can carry it.
    if (setup && !report && (target.format == "dat" || (target.format == "text" && target.out)))
        Fail(std::string(target.format == "dat" ? "CASS 坐标文件（--format dat）只有 点名,编码,Y,X,H 五栏"
                                                : "逐桩坐标表（--format text --out）没有放样的栏目") +
             "，放不下方位角、水平角、平距和高差：请改用 --format csv，或用 --report 另写放样数据表。");
    if (setup && report) WriteTableStakeoutReport(r, p, *setup, profile, *report);
    if (target.fileSideWrites()) {
        // The design elevation for the field formats (the CSV column, the CASS field).
        ElevationAt elevation;
        if (profile) elevation = [&profile](double s) { return profile->ElevationNear(s); };
        StakeCsvColumns stakeout;
        if (setup) {
            stakeout.names = {"放样方位角", "水平角", "平距", "高差"};
            stakeout.fields = [&](const RouteTableRow& row, std::optional<double> z) {
                return StakeoutFields(
                    StakeoutLineOf(*setup, EntryStationText(row.entry), row.stake.point.x, row.stake.point.y, z));
            };
        }
        if (const auto e = WriteRouteTableTarget(r, p, target, elevation, standardOutput, setup ? &stakeout : nullptr))
            Fail(*e);
        return;
    }
    AtomicFileOstream file;
    if (target.out)
        if (const auto e = file.Open(*target.out)) Fail(*e);
    std::ostream& out = target.out ? file : standardOutput;
    const bool json = target.format == "json";
    std::string chunk;
    chunk.reserve(kChunkBytes + 512);
    chunk += json      ? "{\"rows\":["
             : profile ? "桩号\tX\tY\t切线方位角\t设计高程\t主点"
                       : "桩号\tX\tY\t切线方位角\t主点";
    if (!json) chunk += setup ? "\t方位角\t水平角\t平距\t高差\n" : "\n";
    RouteTableCursor cursor(r, p);
    RouteTableEntry e;
    bool first = true;
    while (cursor.Next(&e)) {
        const RouteTableRow row = ComputeRouteTableRow(r, e, p);
        const CentrelinePoint& pt = row.stake.point;
        // Every row lies in the range checked against the profile above.
        const double z = profile ? Checked(profile->ElevationNear(e.station).value_or(NAN), "设计高程") : 0;
        std::optional<StakeoutLine> line;
        if (setup)
            line = StakeoutLineOf(*setup, EntryStationText(e), pt.x, pt.y, profile ? std::optional<double>(z) : std::nullopt);
        if (json) {
            if (!first) chunk += ',';
            chunk += "{\"station\":" + RoundTrip(e.displayed) + ",\"zone\":" + std::to_string(e.zone) +
                     ",\"distance\":" + RoundTrip(e.station - r.start().station) +
                     (e.ahead ? ",\"station_ahead\":" + RoundTrip(*e.ahead) : std::string()) +
                     ",\"x\":" + RoundTrip(pt.x) +
                     ",\"y\":" + RoundTrip(pt.y) + ",\"azimuth\":" + RoundTrip(pt.azimuth) +
                     ",\"kind\":" + Quoted(e.kind) + ",\"jd\":" +
                     (e.jd ? Quoted(JdName(r, *e.jd)) : std::string("null")) +
                     (profile ? ",\"z\":" + RoundTrip(z) : std::string()) + (line ? StakeoutJson(*line) : "") + "}";
        } else {
            chunk += EntryStationText(e);
            chunk += '\t';
            AppendFixed(chunk, pt.x, 4);
            chunk += '\t';
            AppendFixed(chunk, pt.y, 4);
            chunk += '\t';
            AppendDmsText(chunk, pt.azimuth);
            chunk += '\t';
            if (profile) {
                AppendFixed(chunk, z, 3);
                chunk += '\t';
            }
            chunk += e.kind;
            if (line) chunk += StakeoutColumns(*line);
            chunk += '\n';
        }
        first = false;
        if (chunk.size() >= kChunkBytes) {
            out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            chunk.clear();
        }
    }
    if (json) chunk += "]}\n";
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    if (target.out)
        if (const auto e = file.Commit()) Fail(*e);
}

// The points of --points FILE (core/files/point_file.h), what was read said
// on stderr; a file with a refused row, or without points, ends the command.
std::vector<SurveyPoint> ReadPoints(const std::string& path, std::string& warnings)
{
    FileResult<std::string> text = ReadTableFileText(FromUtf8(path));
    if (!text.ok()) Fail(text.error->toStdString());
    PointFileContent read = ParsePointFile(*text.value);
    if (!read.ok()) {
        std::string message = "点文件“" + path + "”有错误：";
        for (const std::string& e : read.errors) message += "\n" + e;
        Fail(message);
    }
    warnings += "点文件“" + path + "”：" + DescribePointFile(read) + "。\n";
    return std::move(read.points);
}

std::string FootJsonFields(const Route& r, const RouteFoot& f)
{
    if (f.outcome == RouteFootOutcome::Outside) return "\"outcome\":\"outside\"";
    return "\"outcome\":\"ok\"," + StationJson(r, f.station) +
           ",\"offset\":" + RoundTrip(f.offset) + ",\"jd\":" + Quoted(JdName(r, f.jd));
}

std::string FootPlain(const Route& r, const RouteFoot& f)
{
    if (f.outcome == RouteFootOutcome::Outside) return "超出线路范围";
    const std::string size = FormatFixed(std::fabs(f.offset), 4);
    const char* side = size == "0.0000" ? "中" : (f.offset < 0 ? "左" : "右");
    return StationText(r, f.station) + "\t" + side + " " + size + "\t" + JdName(r, f.jd);
}

void RunInverse(const Route& r, const RouteInvocation& inv, std::ostream& out, std::string& warnings)
{
    const bool single = inv.value("x") || inv.value("y");
    const bool batch = inv.value("points").has_value();
    if (single == batch) Fail("route inverse 需要 --x 与 --y，或 --points，二者取一。");
    const RouteInverse inverse(r);
    if (single) {
        if (inv.value("profile")) Fail("--profile 用于 --points 的点文件（其高程与设计高程比较）。");
        if (!inv.value("x") || !inv.value("y")) Fail("route inverse 需要同时给出 --x 和 --y。");
        const RouteFoot f = inverse.Find(NumberOption(inv, "x", 0), NumberOption(inv, "y", 0));
        out << (inv.flag("json") ? "{" + FootJsonFields(r, f) + "}\n" : FootPlain(r, f) + "\n");
        return;
    }
    const std::vector<SurveyPoint> points = ReadPoints(*inv.value("points"), warnings);
    const std::optional<Profile> profile = OptionalProfile(inv, r);
    const bool json = inv.flag("json");
    const auto optionalJson = [](const std::optional<double>& v) { return v ? RoundTrip(*v) : std::string("null"); };
    const auto optionalText = [](const std::optional<double>& v) { return v ? FormatFixed(*v, 3) : std::string(); };
    std::size_t outside = 0;
    std::string chunk = json ? "{\"points\":[" : "";
    if (!json)
        chunk += std::string("点名\t桩号\t偏距\t交点\t高程") + (profile ? "\t设计高程\t高差" : "") + "\n";
    for (std::size_t i = 0; i < points.size(); ++i) {
        const SurveyPoint& p = points[i];
        const RouteFoot f = inverse.Find(p.x, p.y);
        const bool on = f.outcome == RouteFootOutcome::Ok;
        if (!on) ++outside;
        // The design elevation at the foot, where the profile covers it; the
        // difference is the point's elevation above it.
        std::optional<double> design, dz;
        if (profile && on) design = profile->ElevationNear(f.station);
        if (design && p.z) dz = Checked(*p.z - *design, "高差");
        if (json) {
            chunk += std::string(i ? "," : "") + "{\"name\":" + Quoted(p.name) + "," + FootJsonFields(r, f) +
                     ",\"z\":" + optionalJson(p.z) +
                     (profile ? ",\"design_z\":" + optionalJson(design) + ",\"dz\":" + optionalJson(dz) : "") + "}";
        } else {
            chunk += p.name + "\t" + (on ? FootPlain(r, f) : FootPlain(r, f) + "\t\t") + "\t" + optionalText(p.z);
            if (profile) chunk += "\t" + optionalText(design) + "\t" + optionalText(dz);
            chunk += "\n";
        }
        if (chunk.size() >= kChunkBytes) {
            out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            chunk.clear();
        }
    }
    if (json) chunk += "]}\n";
    out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    if (outside == points.size())
        warnings += "警告：" + std::to_string(outside) +
                    " 个点全部超出线路范围，请检查点文件的列：应为 点名,X,Y[,H]（X 北、Y 东；只有 X,Y,H 三列时，"
                    "第一行写表头 X,Y,H），或 CASS 的 点名,编码,Y,X,H。\n";
}

void RunProfile(const Route& r, const RouteInvocation& inv, std::ostream& out, std::string& warnings)
{
    const std::optional<Profile> profile = OptionalProfile(inv, r);
    if (const auto error = RunRouteProfile(r, *profile, inv.flag("json"), inv.value("report"), out, warnings))
        Fail(*error);
}

void RunSections(const Route& r, const RouteInvocation& inv, std::ostream& out)
{
    SectionsRequest request;
    request.table.interval = NumberOption(inv, "interval", 0);
    if (inv.value("start"))
        request.table.start = RouteStationOption(r, inv, "start", "start-zone");
    if (inv.value("end"))
        request.table.end = RouteStationOption(r, inv, "end", "end-zone");
    request.table.a = SkewOption(inv);
    request.table.mainPoints = !inv.flag("no-main-points");
    if (const auto t = inv.value("transition")) {
        if (*t == "cubic")
            request.transition = Transition::Cubic;
        else if (*t != "linear")
            Fail("选项 --transition 的值只能是 linear 或 cubic：" + *t);
    }
    if (inv.flag("json") && inv.value("format") && *inv.value("format") != "json")
        Fail("选项 --json 与 --format " + *inv.value("format") + " 不能同时给出。");
    request.format = inv.value("format").value_or(inv.flag("json") ? "json" : "text");
    if (request.format != "text" && request.format != "csv" && request.format != "dat" && request.format != "json")
        Fail("选项 --format 的值只能是 text、csv、dat 或 json：" + request.format);
    request.out = inv.value("out");
    request.stakeout = StakeoutOption(inv);
    request.report = inv.value("report");
    if (request.report && !request.stakeout) Fail("--report 写放样数据表，需要 --instrument 和后视。");
    std::string error;
    int status = 1;
    const std::optional<CrossSections> sections = LoadCrossSections(*inv.value("sections"), r, &error, &status);
    if (!sections) Fail(error, status == 2 ? kExitInvalidRoute : 1);
    const std::optional<Profile> profile = OptionalProfile(inv, r);
    if (const auto e = RunRouteSections(r, *sections, profile, request, out)) Fail(*e);
}

int RunCheck(const Route& r, const RouteInvocation& inv, std::ostream& out)
{
    RouteCheckRequest request;
    request.routePath = *inv.value("route");
    request.designPath = *inv.value("design");
    request.tolerance = NumberOption(inv, "tolerance", 0.005);
    request.toleranceZ = NumberOption(inv, "tolerance-z", 0.005);
    request.json = inv.flag("json");
    request.report = inv.value("report");
    if (const auto format = inv.value("format")) {
        if (*format != "csv") Fail("route check 的 --format 只能是 csv。");
        if (!inv.value("out")) Fail("--format csv 需要 --out 指定文件。");
        request.csvOut = inv.value("out");
    } else if (inv.value("out")) {
        Fail("--out 要与 --format csv 一起给出。");
    }
    const std::optional<Profile> profile = OptionalProfile(inv, r);
    std::ostringstream rows;
    std::string error;
    const int status = RunRouteCheck(r, profile, request, rows, &error);
    if (!error.empty()) Fail(error);
    out << rows.str();
    return status;
}

}  // namespace

namespace {

int RunRouteCommand(const std::vector<std::string>& args, std::ostream& out, std::string& err)
{
    err.clear();
    if (const std::optional<std::string> usage = UsageFor(args)) {
        out << *usage;
        return 0;
    }
    try {
        const RouteInvocation inv = ParseRouteArgs(args);
        if (inv.command == "import-landxml") {
            if (!inv.flag("list") && !inv.value("out"))
                Fail("子命令 route import-landxml 缺少选项 --out。\n" +
                     CommandUsage("route import-landxml").value_or(""));
            LandXmlImportRequest request;
            request.inPath = *inv.value("in");
            request.outPath = inv.value("out");
            request.list = inv.flag("list");
            request.alignment = inv.value("alignment");
            request.profileOut = inv.value("profile-out");
            request.breaksOut = inv.value("breaks-out");
            int status = 1;
            std::string warnings;
            if (const auto e = RunImportLandXml(request, out, &warnings, &status)) Fail(*e, status);
            err = warnings;
            return 0;
        }
        std::string warnings;
        const Route route = LoadRoute(inv, warnings);
        if (inv.command == "elements")
            RunElements(route, inv, out);
        else if (inv.command == "point")
            RunPoint(route, inv, out);
        else if (inv.command == "table")
            RunTable(route, inv, out);
        else if (inv.command == "export") {
            std::optional<double> interval;
            if (inv.value("interval")) interval = NumberOption(inv, "interval", 0);
            // The profile as its file has it (displayed stations), checked
            // against the route as every --profile is.
            std::optional<Profile> profile;
            if (inv.value("profile")) {
                OptionalProfile(inv, route);
                ProfileLoad load = LoadProfileFile(*inv.value("profile"));
                profile = std::move(load.profile);
            }
            if (const auto e = RunRouteExport(route, *inv.value("route"), *inv.value("format"), *inv.value("out"),
                                              interval, profile ? &profile->points() : nullptr))
                Fail(*e);
        }
        else if (inv.command == "profile")
            RunProfile(route, inv, out, warnings);
        else if (inv.command == "sections")
            RunSections(route, inv, out);
        else if (inv.command == "slope" || inv.command == "level") {
            const auto value = [&inv](const std::string& name) { return inv.value(name); };
            const auto run = inv.command == "slope" ? RunRouteSlope : RunRouteLevel;
            std::string error;
            const int status = run(route, *OptionalProfile(inv, route), value, inv.flag("json"), out, &error);
            if (!error.empty()) Fail(error, status);
            err = warnings;
            return status;
        }
        else if (inv.command == "ground" || inv.command == "earthwork") {
            const auto value = [&inv](const std::string& name) { return inv.value(name); };
            std::string error;
            const int status = inv.command == "ground"
                                   ? RunRouteGround(route, value, inv.flag("json"), out, &warnings, &error)
                                   : RunRouteEarthwork(route, *OptionalProfile(inv, route), value, inv.flag("json"),
                                                       out, &warnings, &error);
            if (!error.empty()) Fail(error, status);
            err = warnings;
            return status;
        }
        else if (inv.command == "check") {
            const int status = RunCheck(route, inv, out);
            err = warnings;
            return status;
        }
        else
            RunInverse(route, inv, out, warnings);
        err = warnings;
        return 0;
    } catch (const RouteFailure& f) {
        err = f.message + "\n";
        return f.status;
    } catch (const FloatFault& fault) {
        err = std::string(fault.what()) + "\n";
        return 1;
    }
}

}  // namespace

int RunRouteCli(const std::vector<std::string>& args, std::ostream& out, std::string& err)
{
    // Messages about rows of workbooks name the sheet's cells.
    const TableReadLog reads;
    const int status = RunRouteCommand(args, out, err);
    err = reads.NameCells(err);
    return status;
}

}  // namespace tarvelo
