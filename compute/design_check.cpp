#include "compute/design_check.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "compute/route_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

std::string At(int line) { return "第 " + std::to_string(line) + " 行："; }

std::string Metres(double v) { return FormatFixed(v, 4) + " m"; }

std::string StationText(double station, std::optional<int> zone) { return DesignStationText(station, zone); }

bool Finite(const DesignPlanPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// Classifies a read row; the callbacks' faults are the caller's.
void CheckRow(const DesignRow& r, const DesignCheckRoute& route, const DesignTolerances& tol,
              DesignCheckRow* out)
{
    const auto outside = [&](const std::string& why) {
        out->kind = DesignClass::Outside;
        out->reason = At(r.line) + why;
    };
    std::optional<DesignFoot> foot = route.foot(r.x, r.y);
    if (foot && !(std::isfinite(foot->station) && std::isfinite(foot->offset))) foot.reset();
    if (foot) {
        out->footStation = foot->station;
        out->footZone = foot->zone;
        out->footTwice = foot->twice;
        out->footOffset = foot->offset;
    }

    std::string why;
    const std::optional<DesignPlanPoint> p = route.pointAt(r.station, r.zone, &why);
    if (!p) {
        outside(why.empty() ? "线路上没有桩号 " + StationText(r.station, r.zone) + "。" : why);
        if (route.missClass) out->kind = route.missClass(r.station, r.zone);
        return;
    }
    if (!Finite(*p)) {
        outside("线路在桩号 " + StationText(r.station, r.zone) + " 处的坐标不是有限数，无法复核。");
        return;
    }
    const double dx = r.x - p->x, dy = r.y - p->y, d = std::hypot(dx, dy);
    if (!std::isfinite(dx) || !std::isfinite(dy) || !std::isfinite(d)) {
        outside("设计坐标与线路相差太远，差值超出了数的范围。");
        return;
    }
    out->dx = dx;
    out->dy = dy;
    out->distance = d;

    if (d > tol.plan) {
        if (!foot) {
            outside("设计点与线路在该桩号的点相差 " + Metres(d) + "，且它的垂足落在线路的起点之前或终点之后。");
        } else if (std::fabs(foot->offset) <= tol.plan) {
            out->kind = DesignClass::Station;
            out->reason = At(r.line) + "设计点在中线上，但在桩号 " +
                          StationText(foot->station, foot->twice ? foot->zone : std::nullopt) +
                          " 处，表中的桩号 " + StationText(r.station, r.zone) + " 有误（平面差 " + Metres(d) + "）。";
        } else {
            out->kind = DesignClass::Offset;
            out->reason = At(r.line) + "设计点在中线" + (foot->offset < 0 ? "左" : "右") + "侧 " +
                          Metres(std::fabs(foot->offset)) + "（平面差 " + Metres(d) + "），坐标有误。";
        }
        return;
    }

    if (!r.elevation || !route.elevationAt) return;  // ok: nothing more to check
    const std::optional<double> h = route.elevationAt(r.station, r.zone);
    if (!h) {
        outside("桩号 " + StationText(r.station, r.zone) + " 不在纵断面的范围内，无法复核高程。");
        return;
    }
    const double dz = *r.elevation - *h;
    if (!std::isfinite(dz)) {
        outside("纵断面在桩号 " + StationText(r.station, r.zone) + " 处的高程无法与设计高程相比（超出数的范围）。");
        return;
    }
    out->dz = dz;
    if (std::fabs(dz) > tol.z) {
        out->kind = DesignClass::Elevation;
        out->reason = At(r.line) + "平面相符，高程相差 " + Metres(dz) + "。";
    }
}

}  // namespace

const char* DesignClassWord(DesignClass c)
{
    switch (c) {
    case DesignClass::Ok: return "ok";
    case DesignClass::Station: return "station";
    case DesignClass::Offset: return "offset";
    case DesignClass::Elevation: return "elevation";
    case DesignClass::Outside: return "outside";
    case DesignClass::Unreadable: return "unreadable";
    case DesignClass::Ambiguous: return "ambiguous";
    case DesignClass::Gap: return "gap";
    }
    return "";
}

const char* DesignClassChinese(DesignClass c)
{
    switch (c) {
    case DesignClass::Ok: return "相符";
    case DesignClass::Station: return "桩号不符";
    case DesignClass::Offset: return "坐标不符";
    case DesignClass::Elevation: return "高程不符";
    case DesignClass::Outside: return "超出线路";
    case DesignClass::Unreadable: return "无法读取";
    case DesignClass::Ambiguous: return "需指明区段";
    case DesignClass::Gap: return "落在短链内";
    }
    return "";
}

std::string DesignStationText(double station, std::optional<int> zone)
{
    std::string s = FormatKStation(station, 3);
    if (zone) s += "(" + std::to_string(*zone) + "区)";
    return s;
}

std::string DesignRowStationText(const DesignCheckRow& r)
{
    return r.station ? DesignStationText(*r.station, r.zone) : std::string("-");
}

std::string DesignFootText(const DesignCheckRow& r)
{
    return r.footStation ? DesignStationText(*r.footStation, r.footTwice ? r.footZone : std::nullopt)
                         : std::string("-");
}

std::string DesignToleranceProblem(const DesignTolerances& t)
{
    if (!(std::isfinite(t.plan) && t.plan >= 0)) return "平面限差应当是不小于零的数。";
    if (!(std::isfinite(t.z) && t.z >= 0)) return "高程限差应当是不小于零的数。";
    return std::string();
}

DesignCheckResult CheckDesign(const DesignTable& table, const DesignCheckRoute& route,
                              const DesignTolerances& tolerances)
{
    const std::string problem = DesignToleranceProblem(tolerances);
    if (!problem.empty()) throw std::invalid_argument(problem);

    DesignCheckResult out;
    out.tolerances = tolerances;
    out.zoneColumn = table.zoneColumn;
    out.rows.reserve(table.rows.size() + table.unreadable.size());
    for (const DesignRow& r : table.rows) {
        DesignCheckRow row;
        row.line = r.line;
        row.name = r.name;
        row.station = r.station;
        row.zone = r.zone;
        row.x = r.x;
        row.y = r.y;
        row.elevation = r.elevation;
        try {
            CheckRow(r, route, tolerances, &row);
        } catch (const FloatFault& fault) {
            row.dx = row.dy = row.distance = row.dz = row.footStation = row.footOffset = std::nullopt;
            row.footZone.reset();
            row.footTwice = false;
            row.kind = DesignClass::Outside;
            row.reason = At(r.line) + fault.what();
        }
        out.rows.push_back(std::move(row));
    }
    for (const DesignUnreadableRow& u : table.unreadable) {
        DesignCheckRow row;
        row.line = u.line;
        row.name = u.name;
        row.kind = DesignClass::Unreadable;
        row.reason = u.reason;
        row.text = u.text;
        out.rows.push_back(std::move(row));
    }
    std::stable_sort(out.rows.begin(), out.rows.end(),
                     [](const DesignCheckRow& a, const DesignCheckRow& b) { return a.line < b.line; });

    DesignCheckSummary& s = out.summary;
    s.rows = out.rows.size();
    std::vector<double> okDistances;
    for (const DesignCheckRow& row : out.rows) {
        ++s.classes[std::size_t(row.kind)];
        if (row.dz) out.elevations = true;
        if (row.distance && (!s.maxDistance || *row.distance > *s.maxDistance)) {
            s.maxDistance = *row.distance;
            s.maxDistanceLine = row.line;
            s.maxDistanceName = row.name;
        }
        if (row.dz && (!s.maxDz || std::fabs(*row.dz) > *s.maxDz)) {
            s.maxDz = std::fabs(*row.dz);
            s.maxDzLine = row.line;
            s.maxDzName = row.name;
        }
        if (row.kind == DesignClass::Ok) okDistances.push_back(*row.distance);
    }
    if (!okDistances.empty()) {
        // Scaled by the largest, so that a tolerance near the top of the
        // range of a double cannot overflow the squares.
        const double top = *std::max_element(okDistances.begin(), okDistances.end());
        double squares = 0;
        if (top > 0)
            for (double d : okDistances) squares += (d / top) * (d / top);
        s.rms = top * std::sqrt(squares / double(okDistances.size()));
    }
    return out;
}

}  // namespace tarvelo
