#include "cli/route_profile_cli.h"

#include <QString>

#include "compute/route_station_text.h"
#include "compute/route_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/files/profile_file.h"
#include "core/files/route_file.h"
#include "reports/profile_report.h"
#include "reports/table_file.h"

namespace tarvelo {

namespace {

constexpr int kBadProfile = 2;

std::string RoundTrip(double v) { return RoundTripText(Checked(v, "输出值")); }

std::string F3(double v) { return FormatFixed(v, 3); }
std::string Percent(double ratio) { return FormatFixed(Checked(ratio * 100, "坡度"), 3); }

std::string Range(const Route& r, const Profile& p)
{
    return RouteStationText(r, p.startStation()) + " 至 " + RouteStationText(r, p.endStation());
}

const char* Kind(const VerticalCurve& c) { return c.crest() ? "凸" : c.sag() ? "凹" : "—"; }

void WritePlain(const Route& r, const Profile& p, std::ostream& out)
{
    const auto K = [&r](double k) { return RouteStationText(r, k); };
    std::string s = "纵断面 " + Range(r, p) + "，变坡点 " + std::to_string(p.points().size()) + " 个\n";
    s += "变坡点桩号\t高程\tR\t坡差ω(%)\t凸/凹\tT\tE\tLv\t起点桩号\t终点桩号\ti1(%)\ti2(%)\n";
    for (const VerticalCurve& c : p.curves()) {
        s += K(c.station) + "\t" + F3(c.elevation) + "\t" + FormatGeneral(c.R) + "\t" +
             Percent(c.omega) + "\t" + Kind(c) + "\t" + F3(c.T) + "\t" + F3(c.E) + "\t" + F3(c.Lv) +
             "\t" + K(c.start) + "\t" + K(c.end) + "\t" + Percent(c.gradeIn) +
             "\t" + Percent(c.gradeOut) + "\n";
    }
    out << s;
}

void WriteJson(const Route& r, const Profile& p, std::ostream& out)
{
    const auto shown = [&r](double k) { return RoundTrip(r.Displayed(k).station); };
    const auto zone = [&r](double k) { return std::to_string(r.Displayed(k).zone); };
    std::string s = "{\"pvis\":[";
    for (std::size_t i = 0; i < p.curves().size(); ++i) {
        const VerticalCurve& c = p.curves()[i];
        if (i) s += ',';
        s += "{\"station\":" + shown(c.station) + ",\"zone\":" + zone(c.station) + ",\"elevation\":" + RoundTrip(c.elevation) +
             ",\"R\":" + RoundTrip(c.R) + ",\"omega\":" + RoundTrip(c.omega) + ",\"T\":" + RoundTrip(c.T) +
             ",\"E\":" + RoundTrip(c.E) + ",\"Lv\":" + RoundTrip(c.Lv) + ",\"start\":" + shown(c.start) +
             ",\"start_zone\":" + zone(c.start) + ",\"end\":" + shown(c.end) + ",\"end_zone\":" + zone(c.end) +
             ",\"grade_in\":" + RoundTrip(c.gradeIn) +
             ",\"grade_out\":" + RoundTrip(c.gradeOut) + "}";
    }
    out << s + "]}\n";
}

}  // namespace

ProfileLoad LoadProfileFile(const std::string& path)
{
    ProfileLoad load;
    const FileResult<std::string> text = ReadTableFileText(QString::fromStdString(path));
    if (!text.ok()) {
        load.status = 1;
        load.message = text.error->toStdString();
        return load;
    }
    const ProfileFileContent read = ParseProfileFile(*text.value);
    if (!read.ok()) {
        load.status = kBadProfile;
        load.message = "纵断面文件“" + path + "”有错误：";
        for (const ProfileIssue& e : read.errors) load.message += "\n" + e.message;
        return load;
    }
    Profile::Built built = Profile::Build(read.points);
    if (!built.profile) {
        load.status = kBadProfile;
        load.message = "纵断面文件“" + path + "”不能计算：" + built.error->message;
        return load;
    }
    load.profile = std::move(built.profile);
    return load;
}

std::optional<std::string> CheckProfileCovers(const Route& route, const Profile& profile, double from, double to)
{
    const auto K = [&route](double k) { return RouteStationText(route, k); };
    if (from >= profile.startStation() - kProfileEndTolerance && to <= profile.endStation() + kProfileEndTolerance)
        return std::nullopt;
    if (from == to)
        return "桩号 " + K(from) + " 在纵断面 " + Range(route, profile) + " 之外，没有设计高程。";
    return "桩号范围 " + K(from) + " 至 " + K(to) + " 超出纵断面 " + Range(route, profile) +
           "，超出的桩没有设计高程。";
}

std::optional<std::string> ProfileCoverageWarning(const Profile& profile, const Route& route)
{
    const double from = route.start().station, to = route.end().station;
    if (from >= profile.startStation() - kProfileEndTolerance && to <= profile.endStation() + kProfileEndTolerance)
        return std::nullopt;
    return "纵断面 " + Range(route, profile) + " 没有覆盖整条路线 " + RouteStationText(route, from) + " 至 " +
           RouteStationText(route, to) + "，纵断面以外的桩没有设计高程。";
}

std::optional<std::string> RunRouteProfile(const Route& route, const Profile& profile, bool json,
                                           const std::optional<std::string>& reportPath,
                                           std::ostream& out, std::string& warnings)
{
    if (const auto warning = ProfileCoverageWarning(profile, route)) warnings += "警告：" + *warning + "\n";
    if (reportPath) {
        const FileStatus status = WriteProfileCurveTableReport(QString::fromStdString(*reportPath), profile, &route);
        if (!status.ok()) return status.error->toStdString();
    }
    if (json)
        WriteJson(route, profile, out);
    else
        WritePlain(route, profile, out);
    return std::nullopt;
}

}  // namespace tarvelo
