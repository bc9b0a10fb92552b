#include "compute/ground_points.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "compute/route_station_text.h"
#include "compute/route_table.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

SectionStation SectionStationAt(const Route& route, double routeStation)
{
    const DisplayedStation d = route.Displayed(routeStation);
    return {routeStation - route.start().station, d.station, d.zone};
}

GroundStationReader RouteGroundStations(const Route& route)
{
    return [&route](const std::string& field, std::string* error) -> std::optional<SectionStation> {
        const TypedStation t = ReadRouteStation(route, field);
        if (!t.station) {
            *error = t.error;
            return std::nullopt;
        }
        return SectionStationAt(route, *t.station);
    };
}

namespace {

bool IsMultiple(double station, double interval)
{
    const double n = std::round(station / interval);
    return std::fabs(station - n * interval) <= 1e-6;
}

}  // namespace

std::optional<std::string> SectionStationsByInterval(const Route& route, double interval,
                                                     std::vector<SectionStation>* stations)
{
    const Chainage& c = route.chainage();
    const DisplayedStation from{c.startStation(), 0}, to{c.endStation(), c.zoneCount() - 1};
    std::size_t rows = 0;
    if (const auto refused = CheckZoneMultiples(c, interval, from, to, kMaxRouteTableRows, &rows)) return refused;
    stations->clear();
    stations->reserve(rows + 2);
    const auto add = [&](double distance, double station, int zone) {
        if (!stations->empty() && distance - stations->back().distance <= kSameStation) return;
        stations->push_back({distance, station, zone});
    };
    // The route's ends are sections only when they are multiples themselves.
    if (IsMultiple(from.station, interval)) add(0, from.station, 0);
    ZoneMultiples cursor(c, interval, from, to);
    ChainageStake s;
    while (cursor.Next(&s)) {
        if (s.isBreak() && !IsMultiple(s.back, interval) && !IsMultiple(s.station, interval)) continue;
        add(s.distance, s.station, s.zone);
    }
    if (IsMultiple(to.station, interval)) add(c.length(), to.station, to.zone);
    return std::nullopt;
}

PointSections SortPointsIntoSections(const Route& route, const RouteInverse& inverse,
                                     const std::vector<SurveyPoint>& points,
                                     const std::vector<SectionStation>& stations, double band)
{
    PointSections out;
    std::vector<double> at;
    at.reserve(stations.size());
    for (const SectionStation& s : stations) at.push_back(s.distance);
    // Per station, its points by offset: the map finds a point within 1 mm.
    std::vector<std::map<double, std::size_t>> byOffset(stations.size());
    std::vector<std::vector<std::size_t>> members(stations.size());
    std::vector<double> offsets(points.size());
    const auto name = [&](double routeStation) { return RouteStationText(route, routeStation); };
    for (std::size_t i = 0; i < points.size(); ++i) {
        const SurveyPoint& p = points[i];
        const auto leave = [&](std::string reason) { out.unassigned.push_back({p.line, p.name, std::move(reason)}); };
        if (!p.z) {
            leave("没有高程");
            continue;
        }
        const RouteFoot f = inverse.Find(p.x, p.y);
        if (f.outcome == RouteFootOutcome::Outside) {
            leave("超出线路范围（垂足在起点之前或终点之后）");
            continue;
        }
        const double d = f.station - route.start().station;
        if (at.empty()) {
            leave("没有断面桩号");
            continue;
        }
        const std::size_t k = static_cast<std::size_t>(std::lower_bound(at.begin(), at.end(), d) - at.begin());
        const double after = k < at.size() ? at[k] - d : INFINITY;
        const double before = k > 0 ? d - at[k - 1] : INFINITY;
        const double nearest = std::min(after, before);
        const std::size_t s = after <= before ? k : k - 1;
        const double stationK = route.start().station + at[s];
        if (nearest > band) {
            leave("距最近的断面 " + name(stationK) + " " + FormatFixed(nearest, 3) + " m，超出带宽 " +
                  FormatGeneral(band) + " m");
            continue;
        }
        if (std::fabs(after - before) <= 1e-6) {
            leave("位于断面 " + name(route.start().station + at[k - 1]) + " 与 " +
                  name(route.start().station + at[k]) + " 的正中，不能确定归属");
            continue;
        }
        const double offset = Checked(f.offset, "偏距");
        std::map<double, std::size_t>& m = byOffset[s];
        const auto near = m.lower_bound(offset - kSameGroundOffset);
        if (near != m.end() && near->first <= offset + kSameGroundOffset) {
            leave("与点 " + points[near->second].name + " 在断面 " + name(stationK) + " 上的偏距相差不到 1 mm");
            continue;
        }
        m.emplace(offset, i);
        members[s].push_back(i);
        offsets[i] = offset;
    }
    for (std::size_t s = 0; s < stations.size(); ++s) {
        const std::vector<std::size_t>& idx = members[s];
        if (idx.empty()) continue;
        const double stationK = route.start().station + stations[s].distance;
        if (idx.size() == 1) {
            const SurveyPoint& p = points[idx[0]];
            out.unassigned.push_back({p.line, p.name, "断面 " + name(stationK) + " 只有这一个点，不成断面"});
            continue;
        }
        std::vector<GroundPoint> pts;
        pts.reserve(idx.size());
        for (const std::size_t i : idx) pts.push_back({offsets[i], *points[i].z, points[i].name});
        GroundSection::Built b = GroundSection::Build(stations[s], std::move(pts));
        // Offsets are at least 1 mm apart and finite: Build cannot refuse.
        if (!b.section) throw FloatFault("断面点");
        out.assigned += idx.size();
        out.sections.push_back(std::move(*b.section));
    }
    std::stable_sort(out.unassigned.begin(), out.unassigned.end(),
                     [](const UnassignedPoint& a, const UnassignedPoint& b) { return a.line < b.line; });
    return out;
}

std::string DescribePointSections(const PointFileContent& points, const PointSections& sorted)
{
    std::string s = DescribePointFile(points) + "；" + std::to_string(sorted.sections.size()) + " 个断面共 " +
                    std::to_string(sorted.assigned) + " 个点，未归入断面 " + std::to_string(sorted.unassigned.size()) +
                    " 个\n";
    for (const UnassignedPoint& u : sorted.unassigned)
        s += "未归入：第 " + std::to_string(u.line) + " 行 " + u.name + "：" + u.reason + "\n";
    return s;
}

}  // namespace tarvelo
