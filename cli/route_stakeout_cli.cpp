#include "cli/route_stakeout_cli.h"

#include <QString>

#include <cmath>
#include <sstream>

#include "cli/route_export_cli.h"
#include "cli/route_profile_cli.h"
#include "compute/route_sections.h"
#include "compute/route_station_text.h"
#include "core/numbers/angles.h"
#include "core/files/cross_section_file.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "core/files/text_table.h"
#include "reports/cass_file.h"
#include "reports/csv_field.h"
#include "reports/stakeout_report.h"
#include "reports/table_file.h"

namespace tarvelo {

namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// "a,b[,c]" as two or three numbers.
bool ReadNumberList(const std::string& text, std::vector<double>* out)
{
    out->clear();
    std::string field;
    std::istringstream in(text);
    while (std::getline(in, field, ',')) {
        double v = 0;
        if (!ReadFieldNumber(std::string(TrimSpaces(field)), &v)) return false;
        out->push_back(v);
    }
    return true;
}

std::string Json(double v) { return RoundTripText(Checked(v, "输出值")); }
std::string JsonOrNull(const std::optional<double>& v) { return v ? Json(*v) : std::string("null"); }

std::string StakeLabel(const Route& r, double k) { return RouteStationText(r, k); }

struct SectionPoint {
    double offset = 0, slope = 0;
    double x = 0, y = 0;
    std::optional<double> z;
};

struct SectionRow {
    RouteTableEntry entry;
    SectionPoint left, centre, right;
};

std::string PointJson(const SectionPoint& p, bool edge, const StakeoutLine* line)
{
    std::string s = "{";
    if (edge) s += "\"offset\":" + Json(p.offset) + ",\"slope\":" + Json(p.slope) + ",";
    s += "\"x\":" + Json(p.x) + ",\"y\":" + Json(p.y) + ",\"z\":" + JsonOrNull(p.z);
    if (line)
        s += ",\"stakeout\":{\"azimuth\":" + JsonOrNull(line->azimuth) + ",\"angle\":" + JsonOrNull(line->angle) +
             ",\"distance\":" + Json(line->distance) + ",\"dh\":" + JsonOrNull(line->designAboveSight) + "}";
    return s + "}";
}

std::string Fixed(const std::optional<double>& v, int decimals)
{
    return v ? FormatFixed(*v, decimals) : std::string();
}

std::string AngleText(const std::optional<double>& a) { return a ? FormatAngleDms(*a) : std::string(); }

}  // namespace

std::optional<StakeoutSetup> ReadStakeoutOptions(const OptionValue& value, std::string* error)
{
    const std::optional<std::string> instrument = value("instrument");
    const bool any = value("backsight") || value("backsight-azimuth") || value("instrument-height") ||
                     value("target-height");
    if (!instrument) {
        if (any) *error = "--backsight、--instrument-height 等选项要与 --instrument 一起给出。";
        return std::nullopt;
    }
    StakeoutSetup s;
    std::vector<double> v;
    if (!ReadNumberList(*instrument, &v) || (v.size() != 2 && v.size() != 3)) {
        *error = "选项 --instrument 应为 X,Y 或 X,Y,H：" + *instrument;
        return std::nullopt;
    }
    s.station.name = "测站";
    s.station.x = v[0];
    s.station.y = v[1];
    if (v.size() == 3) s.station.elevation = v[2];
    const auto backsight = value("backsight");
    const auto azimuth = value("backsight-azimuth");
    if (backsight.has_value() == azimuth.has_value()) {
        *error = "放样需要后视点 --backsight X,Y 或后视方位角 --backsight-azimuth A，二者取一。";
        return std::nullopt;
    }
    if (backsight) {
        if (!ReadNumberList(*backsight, &v) || v.size() != 2) {
            *error = "选项 --backsight 应为 X,Y：" + *backsight;
            return std::nullopt;
        }
        s.backsight = Backsight::AtPoint("后视点", v[0], v[1]);
    } else {
        double a = 0;
        if (!ReadFieldNumber(*azimuth, &a)) {
            *error = "选项 --backsight-azimuth 的值不是数：" + *azimuth;
            return std::nullopt;
        }
        const std::optional<double> degrees = StrictDmsToDegrees(a);
        if (!degrees) {
            *error = "选项 --backsight-azimuth 的值 " + *azimuth + " 的分或秒不小于 60，应为 d.mmss（度.分分秒秒）。";
            return std::nullopt;
        }
        s.backsight = Backsight::ByAzimuth(*degrees);
    }
    for (const auto& [name, target] : {std::pair{"instrument-height", &s.station.instrumentHeight}}) {
        if (const auto h = value(name)) {
            double x = 0;
            if (!ReadFieldNumber(*h, &x)) {
                *error = std::string("选项 --") + name + " 的值不是数：" + *h;
                return std::nullopt;
            }
            *target = x;
        }
    }
    if (const auto t = value("target-height")) {
        if (!ReadFieldNumber(*t, &s.station.targetHeight)) {
            *error = "选项 --target-height 的值不是数：" + *t;
            return std::nullopt;
        }
    }
    return s;
}

std::optional<StakeoutData> StakeoutOf(const StakeoutSetup& setup, const std::vector<StakeTarget>& targets,
                                       std::string* error)
{
    StakeoutResult r = ComputeStakeout(setup.station, setup.backsight, targets);
    if (!r.data) {
        *error = *r.refusal;
        return std::nullopt;
    }
    return std::move(r.data);
}

std::optional<CrossSections> LoadCrossSections(const std::string& path, const Route& route, std::string* error,
                                               int* status)
{
    const FileResult<std::string> text = ReadTableFileText(FromUtf8(path));
    if (!text.ok()) {
        *error = text.error->toStdString();
        *status = 1;
        return std::nullopt;
    }
    CrossSectionFileContent read = ParseCrossSectionFile(*text.value);
    *status = 2;
    if (!read.errors.empty()) {
        *error = "横断面文件“" + path + "”有错误：";
        for (const CrossSectionIssue& e : read.errors) *error += "\n" + e.message;
        return std::nullopt;
    }
    // Its stations are displayed stations: across chain breaks they move to
    // the route's own, so values are interpolated along the road.
    std::string moved;
    if (!MoveSectionRowsOntoRoute(&read.rows, route, &moved)) {
        *error = "横断面文件“" + path + "”" + moved;
        return std::nullopt;
    }
    CrossSections::Built built = CrossSections::Build(read.rows);
    if (!built.sections) {
        *error = "横断面文件“" + path + "”不能计算：" + built.error->message;
        return std::nullopt;
    }
    return std::move(built.sections);
}

std::optional<std::string> RunRouteSections(const Route& route, const CrossSections& sections,
                                            const std::optional<Profile>& profile, const SectionsRequest& request,
                                            std::ostream& standardOutput)
{
    const RouteTableParams& p = request.table;
    std::size_t count = 0;
    if (auto refusal = CheckRouteTable(route, p, &count)) return refusal;
    const double from = p.start.value_or(route.start().station), to = p.end.value_or(route.end().station);
    for (double k : {from, to})
        if (!sections.Covers(k))
            return "桩号 " + StakeLabel(route, k) + " 在横断面表的范围之外，没有横断面。";
    if (profile)
        if (auto outside = CheckProfileCovers(route, *profile, from, to)) return outside;

    std::vector<SectionRow> rows;
    rows.reserve(count);
    RouteTableCursor cursor(route, p);
    RouteTableEntry e;
    RouteTableParams centreOnly = p;
    centreOnly.m = 0;
    while (cursor.Next(&e)) {
        const double k = e.station;
        const std::optional<Section> s = sections.SectionAt(k, request.transition);
        if (!s) return "桩号 " + StakeLabel(route, k) + " 没有横断面。";
        const std::optional<EdgeOffsets> edges = EdgeOffsetsAtSkew(*s, p.a);
        if (!edges) return "斜交角太小，边桩与中线几乎平行，无法求边桩。";
        SectionRow row;
        row.entry = e;
        const RouteTableRow centre = ComputeRouteTableRow(route, e, centreOnly);
        row.centre = {0, 0, centre.stake.point.x, centre.stake.point.y, std::nullopt};
        const std::optional<double> zc = profile ? profile->ElevationNear(k) : std::nullopt;
        row.centre.z = zc;
        const auto edge = [&](double offset, double width, double slope) {
            const std::optional<RouteStake> at = route.PointAt(std::clamp(k, route.start().station, route.end().station),
                                                              offset, p.a);
            if (!at) throw FloatFault("边桩坐标");
            SectionPoint q{offset, slope, at->point.x, at->point.y, std::nullopt};
            if (zc) q.z = EdgeElevation(*zc, width, slope);
            return q;
        };
        row.left = edge(edges->left, s->leftWidth, s->leftSlope);
        row.right = edge(edges->right, s->rightWidth, s->rightSlope);
        rows.push_back(row);
    }

    // The stakeout of every point, left, centre, right in the order a crew
    // walks the road.
    std::optional<StakeoutData> stakeout;
    if (request.stakeout) {
        std::vector<StakeTarget> targets;
        targets.reserve(rows.size() * 3);
        for (const SectionRow& r : rows) {
            const std::string name = StakeLabel(route, r.entry.station);
            targets.push_back({name + "-L", r.left.x, r.left.y, r.left.z});
            targets.push_back({name + "-C", r.centre.x, r.centre.y, r.centre.z});
            targets.push_back({name + "-R", r.right.x, r.right.y, r.right.z});
        }
        std::string error;
        stakeout = StakeoutOf(*request.stakeout, targets, &error);
        if (!stakeout) return error;
        if (request.report) {
            const FileStatus s = WriteStakeoutReport(FromUtf8(*request.report), request.stakeout->station,
                                                     request.stakeout->backsight, *stakeout);
            if (!s.ok()) return s.error->toStdString();
        }
    }

    std::string text;
    const std::string& format = request.format;
    const char sep = format == "csv" ? ',' : '\t';
    const std::string eol = format == "csv" || format == "dat" ? "\r\n" : "\n";
    if (format == "json") {
        text = "{\"rows\":[";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const SectionRow& r = rows[i];
            const DisplayedStation d = route.Displayed(r.entry.station);
            const StakeoutLine* lines = stakeout ? &stakeout->lines[3 * i] : nullptr;
            if (i) text += ',';
            text += "{\"station\":" + Json(r.entry.ahead ? r.entry.displayed : d.station) +
                    ",\"zone\":" + std::to_string(r.entry.ahead ? r.entry.zone : d.zone) +
                    ",\"distance\":" + Json(r.entry.station - route.start().station) +
                    ",\"kind\":\"" + r.entry.kind + "\",\"centre\":" +
                    PointJson(r.centre, false, lines ? lines + 1 : nullptr) +
                    ",\"left\":" + PointJson(r.left, true, lines ? lines : nullptr) +
                    ",\"right\":" + PointJson(r.right, true, lines ? lines + 2 : nullptr) + "}";
        }
        text += "]}\n";
    } else if (format == "dat") {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const SectionRow& r = rows[i];
            const std::string name = StakeLabel(route, r.entry.station);
            AppendCassRow(text, name + "-L", r.left.x, r.left.y, r.left.z);
            AppendCassRow(text, name + "-C", r.centre.x, r.centre.y, r.centre.z);
            AppendCassRow(text, name + "-R", r.right.x, r.right.y, r.right.z);
        }
    } else if (stakeout) {
        // One line a point: what the crew reads at the instrument.
        // The byte-order mark is for a spreadsheet opening the file; standard
        // output is UTF-8 without one, as every route command writes CSV there.
        if (format == "csv" && request.out) text += kUtf8Bom;
        const std::vector<std::string> head = {"点名", "X", "Y", "设计高程", "方位角", "水平角", "平距", "高差", "备注"};
        for (std::size_t c = 0; c < head.size(); ++c) text += (c ? std::string(1, sep) : "") + head[c];
        text += eol;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const SectionPoint* points[3] = {&rows[i].left, &rows[i].centre, &rows[i].right};
            for (int j = 0; j < 3; ++j) {
                const StakeoutLine& l = stakeout->lines[3 * i + j];
                const std::vector<std::string> f = {l.name, FormatFixed(points[j]->x, 4), FormatFixed(points[j]->y, 4),
                                                    Fixed(points[j]->z, 3), AngleText(l.azimuth), AngleText(l.angle),
                                                    FormatFixed(l.distance, 3), Fixed(l.designAboveSight, 3), l.note};
                for (std::size_t c = 0; c < f.size(); ++c) {
                    if (c) text += sep;
                    if (format == "csv") AppendCsvField(text, f[c]); else text += f[c];
                }
                text += eol;
            }
        }
    } else {
        // The byte-order mark is for a spreadsheet opening the file; standard
        // output is UTF-8 without one, as every route command writes CSV there.
        if (format == "csv" && request.out) text += kUtf8Bom;
        const std::vector<std::string> head = {"桩号", "左偏距", "左横坡%", "左X", "左Y", "左高程", "中X", "中Y",
                                               "中高程", "右偏距", "右横坡%", "右X", "右Y", "右高程", "主点"};
        for (std::size_t c = 0; c < head.size(); ++c) text += (c ? std::string(1, sep) : "") + head[c];
        text += eol;
        for (const SectionRow& r : rows) {
            const std::vector<std::string> f = {
                EntryStationText(r.entry),
                FormatFixed(r.left.offset, 3), FormatFixed(r.left.slope, 2), FormatFixed(r.left.x, 4),
                FormatFixed(r.left.y, 4), Fixed(r.left.z, 3), FormatFixed(r.centre.x, 4), FormatFixed(r.centre.y, 4),
                Fixed(r.centre.z, 3), FormatFixed(r.right.offset, 3), FormatFixed(r.right.slope, 2),
                FormatFixed(r.right.x, 4), FormatFixed(r.right.y, 4), Fixed(r.right.z, 3), r.entry.kind};
            for (std::size_t c = 0; c < f.size(); ++c) {
                if (c) text += sep;
                if (format == "csv") AppendCsvField(text, f[c]); else text += f[c];
            }
            text += eol;
        }
    }
    if (!request.out) {
        standardOutput << text;
        return std::nullopt;
    }
    AtomicFileOstream file;
    if (auto e = file.Open(*request.out)) return e;
    file << text;
    return file.Commit();
}

}  // namespace tarvelo
