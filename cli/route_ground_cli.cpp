#include "cli/route_ground_cli.h"

#include <QString>

#include <algorithm>
#include <cmath>

#include "cli/route_export_cli.h"
#include "compute/design_check_json.h"
#include "compute/ground_points.h"
#include "compute/route_inverse.h"
#include "compute/route_station_text.h"
#include "core/files/header_row.h"
#include "core/files/text_table.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/table_file.h"

namespace tarvelo {

namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

std::optional<std::string> ReadText(const std::string& path, std::string* error)
{
    FileResult<std::string> text = ReadTableFileText(FromUtf8(path));
    if (!text.ok()) {
        *error = text.error->toStdString();
        return std::nullopt;
    }
    return std::move(*text.value);
}

std::string RoundTrip(double v) { return RoundTripText(Checked(v, "输出值")); }

std::string SectionsJson(const PointSections& s)
{
    std::string j = "{\"sections\":[";
    for (std::size_t i = 0; i < s.sections.size(); ++i) {
        const GroundSection& g = s.sections[i];
        j += std::string(i ? "," : "") + "{\"station\":" + RoundTrip(g.at().station) +
             ",\"zone\":" + std::to_string(g.at().zone) + ",\"distance\":" + RoundTrip(g.at().distance) +
             ",\"points\":[";
        for (std::size_t k = 0; k < g.points().size(); ++k) {
            const GroundPoint& p = g.points()[k];
            j += std::string(k ? "," : "") + "{\"name\":" + JsonString(p.name) + ",\"offset\":" + RoundTrip(p.offset) +
                 ",\"z\":" + RoundTrip(p.z) + "}";
        }
        j += "]}";
    }
    j += "],\"unassigned\":[";
    for (std::size_t i = 0; i < s.unassigned.size(); ++i)
        j += std::string(i ? "," : "") + "{\"name\":" + JsonString(s.unassigned[i].name) +
             ",\"reason\":" + JsonString(s.unassigned[i].reason) + "}";
    return j + "]}\n";
}

}  // namespace

std::optional<std::string> WriteWholeFile(const std::string& path, const std::string& text)
{
    AtomicFileOstream file;
    if (auto e = file.Open(path)) return e;
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    return file.Commit();
}

std::optional<GroundFileContent> LoadGroundSections(const Route& route, const std::string& path,
                                                    const std::optional<std::string>& centrePath, std::string* error,
                                                    int* status)
{
    *status = 1;
    const GroundStationReader stations = RouteGroundStations(route);
    std::vector<CentreGround> centre;
    if (centrePath) {
        const std::optional<std::string> text = ReadText(*centrePath, error);
        if (!text) return std::nullopt;
        CentreGroundContent c = ParseCentreGroundFile(*text, stations);
        if (!c.ok()) {
            *error = "中桩地面高程文件“" + *centrePath + "”有错误：";
            for (const std::string& e : c.errors) *error += "\n" + e;
            return std::nullopt;
        }
        centre = std::move(c.points);
    }
    const std::optional<std::string> text = ReadText(path, error);
    if (!text) return std::nullopt;
    GroundFileContent g = ParseGroundFile(*text, stations, centrePath ? &centre : nullptr);
    if (!g.ok()) {
        *error = "横断面地面线文件“" + path + "”不能读入：" + g.refused;
        if (g.form == GroundFileForm::HdmRelative && !centrePath) *error += "请用 --centre-ground FILE 给出。";
        for (const std::string& p : g.problems) *error += "\n" + p;
        return std::nullopt;
    }
    return g;
}

int RunRouteGround(const Route& route, const OptionValue& value, bool json, std::ostream& out, std::string* notes,
                   std::string* error)
{
    const auto number = [&](const char* name, double fallback, double* v) {
        const std::optional<std::string> text = value(name);
        *v = fallback;
        if (!text) return true;
        if (!ReadFieldNumber(*text, v) || !(std::fabs(*v) <= 1e12)) {
            *error = std::string("选项 --") + name + " 的值不是数：" + *text;
            return false;
        }
        return true;
    };
    if (!value("points")) {
        *error = "route ground 需要 --points FILE（点名,X,Y,H 或 CASS .dat）。";
        return 1;
    }
    if (value("interval").has_value() == value("stations").has_value()) {
        *error = "route ground 需要 --interval J 或 --stations FILE，二者取一。";
        return 1;
    }
    double band = 0.5;
    if (!number("band", 0.5, &band)) return 1;
    if (!(band >= 0)) {
        *error = "选项 --band 的值不能为负。";
        return 1;
    }
    const std::string format = value("format").value_or("csv");
    if (format != "csv" && format != "hdm" && format != "hdm-relative") {
        *error = "选项 --format 的值只能是 csv、hdm 或 hdm-relative：" + format;
        return 1;
    }
    if (json && (value("format") || value("out"))) {
        *error = "--json 不能与 --format、--out 同时给出。";
        return 1;
    }

    std::vector<SectionStation> stations;
    if (value("interval")) {
        double interval = 0;
        if (!number("interval", 0, &interval)) return 1;
        if (const auto refused = SectionStationsByInterval(route, interval, &stations)) {
            *error = *refused;
            return 1;
        }
    } else {
        const std::optional<std::string> text = ReadText(*value("stations"), error);
        if (!text) return 1;
        std::vector<TableLine> lines = SplitTableLines(*text);
        std::string faults;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const TypedStation t = ReadRouteStation(route, lines[i].fields[0]);
            if (!t.station) {
                if (i == 0 && HoldsHeaderWords(lines[i], {"桩号", "station"})) continue;
                faults += "\n第 " + std::to_string(lines[i].line) + " 行：" + t.error;
                continue;
            }
            stations.push_back(SectionStationAt(route, *t.station));
        }
        if (!faults.empty()) {
            *error = "桩号文件“" + *value("stations") + "”有错误：" + faults;
            return 1;
        }
        std::sort(stations.begin(), stations.end(),
                  [](const SectionStation& a, const SectionStation& b) { return a.distance < b.distance; });
        stations.erase(std::unique(stations.begin(), stations.end(),
                                   [](const SectionStation& a, const SectionStation& b) {
                                       return std::fabs(a.distance - b.distance) <= 1e-6;
                                   }),
                       stations.end());
    }

    const std::optional<std::string> text = ReadText(*value("points"), error);
    if (!text) return 1;
    const PointFileContent points = ParsePointFile(*text);
    if (!points.ok()) {
        *error = "点文件“" + *value("points") + "”有错误：";
        for (const std::string& e : points.errors) *error += "\n" + e;
        return 1;
    }
    const RouteInverse inverse(route);
    const PointSections sorted = SortPointsIntoSections(route, inverse, points.points, stations, band);

    const GroundStationLabel label = [&route](const GroundSection& g) {
        return RouteStationText(route, RouteStationOf(route, g.at()));
    };
    std::string summary = DescribePointSections(points, sorted);

    const RelativeGroundText relative = FormatGroundRelative(sorted.sections, label);
    if (const auto path = value("centre-ground-out"))
        if (auto e = WriteWholeFile(*path, relative.centreGround)) {
            *error = *e;
            return 1;
        }
    std::string body;
    if (json) {
        body = SectionsJson(sorted);
    } else if (format == "csv") {
        body = FormatGroundCsv(sorted.sections, label);
    } else if (format == "hdm") {
        body = FormatGroundHdm(sorted.sections, label);
    } else {
        body = relative.text;
    }
    if (format == "hdm-relative" || value("centre-ground-out"))
        for (const std::string& n : relative.notes) summary += n + "\n";
    if (const auto path = value("out")) {
        if (auto e = WriteWholeFile(*path, body)) {
            *error = *e;
            return 1;
        }
    } else {
        out << body;
    }
    *notes += summary;
    return 0;
}

}  // namespace tarvelo
