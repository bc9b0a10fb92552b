#include "cli/route_earthwork_cli.h"

#include <QFileInfo>
#include <QString>

#include <cmath>

#include "cli/route_ground_cli.h"
#include "cli/route_slope_cli.h"
#include "compute/design_check_json.h"
#include "compute/earthwork.h"
#include "compute/earthwork_text.h"
#include "compute/ground_points.h"
#include "compute/route_station_text.h"
#include "core/files/text_table.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/cass_file.h"
#include "reports/csv_field.h"
#include "reports/earthwork_report.h"

namespace tarvelo {

namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
std::string RoundTrip(double v) { return RoundTripText(Checked(v, "输出值")); }

std::string CatchJson(const std::optional<CatchStake>& c)
{
    if (!c) return "null";
    return std::string("{\"branch\":\"") + (c->branch == SlopeBranch::Fill ? "fill" : "cut") +
           "\",\"offset\":" + RoundTrip(c->offset) + ",\"x\":" + RoundTrip(c->x) + ",\"y\":" + RoundTrip(c->y) +
           ",\"z\":" + RoundTrip(c->z) + ",\"level\":" + std::to_string(c->level) + "}";
}

std::string Json(const Route& route, const EarthworkResult& r)
{
    std::string j = "{\"sections\":[";
    for (std::size_t i = 0; i < r.sections.size(); ++i) {
        const EarthworkSection& s = r.sections[i];
        j += std::string(i ? "," : "") + "{\"station\":" + RoundTrip(s.at.station) +
             ",\"zone\":" + std::to_string(s.at.zone) + ",\"distance\":" + RoundTrip(s.at.distance) +
             ",\"station_text\":" + JsonString(EarthworkStationText(route, s)) +
             ",\"cut_area\":" + (s.areas ? RoundTrip(s.areas->cut) : "null") +
             ",\"fill_area\":" + (s.areas ? RoundTrip(s.areas->fill) : "null") + ",\"left\":" + CatchJson(s.left) +
             ",\"right\":" + CatchJson(s.right) +
             ",\"problem\":" + (s.problem.empty() ? "null" : JsonString(s.problem)) + "}";
    }
    j += "],\"intervals\":[";
    for (std::size_t i = 0; i < r.intervals.size(); ++i) {
        const EarthworkInterval& v = r.intervals[i];
        j += std::string(i ? "," : "") + "{\"from\":" + RoundTrip(r.sections[v.from].at.station) +
             ",\"to\":" + RoundTrip(r.sections[v.to].at.station) + ",\"length\":" + RoundTrip(v.length) +
             ",\"cut\":" + (v.cut ? RoundTrip(*v.cut) : "null") + ",\"fill\":" + (v.fill ? RoundTrip(*v.fill) : "null") +
             "}";
    }
    return j + "],\"total\":{\"cut\":" + RoundTrip(r.cut) + ",\"fill\":" + RoundTrip(r.fill) +
           ",\"left_out\":" + std::to_string(r.leftOut) + "}}\n";
}

}  // namespace

int RunRouteEarthwork(const Route& route, const Profile& profile, const OptionValue& value, bool json,
                      std::ostream& out, std::string* notes, std::string* error)
{
    const std::optional<std::string> format = value("format");
    if (format && *format != "csv" && *format != "dat") {
        *error = "选项 --format 的值只能是 csv 或 dat：" + *format;
        return 1;
    }
    if (format.has_value() != value("out").has_value()) {
        *error = "--format csv|dat 与 --out FILE 要一起给出。";
        return 1;
    }
    if (json && format) {
        *error = "--json 不能与 --format 同时给出。";
        return 1;
    }
    EarthworkDesign design;
    design.route = &route;
    design.profile = &profile;
    if (const auto d = value("depth")) {
        if (!ReadFieldNumber(*d, &design.depth) || !(design.depth >= 0 && design.depth <= 100)) {
            *error = "选项 --depth 应为 0 至 100 米的数：" + *d;
            return 1;
        }
    }
    int status = 1;
    const std::optional<RoadbedTemplate> roadbed = LoadRoadbedTemplate(*value("template"), route, error, &status);
    if (!roadbed) return status;
    design.roadbed = &*roadbed;
    std::optional<CrossSections> pavement;
    if (const auto path = value("sections")) {
        pavement = LoadCrossSections(*path, route, error, &status);
        if (!pavement) return status;
        design.pavement = &*pavement;
    }
    std::optional<GroundFileContent> ground =
        LoadGroundSections(route, *value("ground"), value("centre-ground"), error, &status);
    if (!ground) return status;

    // --start and --end narrow the sections to a stretch of the route.
    double from = -INFINITY, to = INFINITY;
    for (const char* name : {"start", "end"}) {
        const auto text = value(name);
        if (!text) continue;
        const TypedStation t = ReadRouteStation(route, *text);
        if (!t.station) {
            *error = std::string("选项 --") + name + " 的桩号 " + *text + "：" + t.error;
            return 1;
        }
        (std::string(name) == "start" ? from : to) = *t.station - route.start().station;
    }
    std::vector<GroundSection> chosen;
    for (const GroundSection& g : ground->sections)
        if (g.at().distance >= from - 1e-6 && g.at().distance <= to + 1e-6) chosen.push_back(g);

    const EarthworkResult r = ComputeEarthwork(design, chosen);
    *notes += DescribeGroundFile(*ground) + "\n";
    for (const std::string& p : ground->problems) *notes += p + "\n";

    if (const auto report = value("report")) {
        const QString name = QFileInfo(FromUtf8(*value("route"))).completeBaseName();
        const FileStatus s = WriteEarthworkReport(FromUtf8(*report), route, name.toStdString(), r);
        if (!s.ok()) {
            *error = s.error->toStdString();
            return 1;
        }
    }
    // The table of text and CSV: one row per section, the interval that ends
    // at it on its row.
    std::vector<std::vector<std::string>> rows = EarthworkTableRows(route, r);
    rows.insert(rows.begin(), EarthworkTableHeader());
    const std::string totals = EarthworkTotalsText(r) + "\n";
    if (json) {
        out << Json(route, r);
    } else if (!format) {
        std::string s;
        for (const auto& row : rows) {
            for (std::size_t c = 0; c < row.size(); ++c) s += (c ? "\t" : "") + row[c];
            s += "\n";
        }
        out << s << totals;
    } else if (*format == "csv") {
        std::string s(kUtf8Bom);
        for (const auto& row : rows) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                if (c) s += ',';
                AppendCsvField(s, row[c]);
            }
            s += "\r\n";
        }
        if (auto e = WriteWholeFile(*value("out"), s)) {
            *error = *e;
            return 1;
        }
        out << totals;
    } else {
        // The catch stakes for the rover: one CASS point a side.
        std::string s;
        const std::size_t n = AppendCatchStakeRows(s, route, r);
        if (auto e = WriteWholeFile(*value("out"), s)) {
            *error = *e;
            return 1;
        }
        out << "写出坡脚、坡口 " << n << " 个点\n" << totals;
    }
    return ground->problems.empty() && r.problems == 0 ? 0 : kExitGroundLeftOut;
}

}  // namespace tarvelo
