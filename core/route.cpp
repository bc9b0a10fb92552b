#include "route.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "angles.h"
#include "clothoid.h"
#include "curve_elements.h"
#include "float_fault.h"

namespace tarvelo {

namespace {

// A deflection below this (degrees) cannot carry a curve: its tangent
// lengths are lost in rounding.
constexpr double kMinDeflection = 1e-6;
// A straight shorter than this (metres) means the curves overlap; exactly 0
// (reverse curves that meet) is legitimate and rounding may make it -1e-9.
constexpr double kOverlapTolerance = 1e-6;
// A given station further than this (metres) from the chained one is reported.
constexpr double kStationCheckTolerance = 0.001;
// Pieces shorter than this (metres) are not drawn or searched.
constexpr double kMinElementLength = 1e-9;

std::string Fixed3(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

// "第 12 行“JD3”" when the row came from a file, "第 4 点“JD3”" when typed.
std::string Where(const std::vector<RoutePointInput>& rows, int row)
{
    const RoutePointInput& p = rows[row];
    const std::string name = p.name.empty() ? std::string("(无名)") : p.name;
    if (p.line > 0) return "第 " + std::to_string(p.line) + " 行“" + name + "”";
    return "第 " + std::to_string(row + 1) + " 点“" + name + "”";
}

RouteIssue IssueAt(const std::vector<RoutePointInput>& rows, int row, const std::string& what)
{
    return {row, rows[row].line, Where(rows, row) + "：" + what};
}

CentrelinePoint Normalised(CentrelinePoint p)
{
    p.azimuth = NormaliseAzimuth(p.azimuth);
    return p;
}

}  // namespace

double AzimuthOf(double dx, double dy)
{
    if (!std::isfinite(dx) || !std::isfinite(dy)) return std::numeric_limits<double>::quiet_NaN();
    return NormaliseAzimuth(std::atan2(dy, dx) * 180 / kPi);
}

double NormaliseAzimuth(double a)
{
    if (!std::isfinite(a)) return std::numeric_limits<double>::quiet_NaN();
    double r = std::fmod(a, 360.0);
    if (r < 0) r += 360;
    // A tiny negative remainder plus 360 rounds to 360 itself.
    if (r >= 360) r = 0;
    return r == 0 ? 0.0 : r;  // no -0
}

Route::Built Route::Build(const std::vector<RoutePointInput>& rows)
{
    Built out;
    const auto fail = [&](int row, const std::string& what) {
        out.error = row >= 0 ? IssueAt(rows, row, what) : RouteIssue{-1, 0, what};
        return out;
    };
    const int count = static_cast<int>(rows.size());
    if (count < 3)
        return fail(-1, "线路至少要有起点QD、一个交点JD和终点ZD三行，这里只有 " + std::to_string(count) +
                            " 行。");
    for (int i = 0; i < count; ++i) {
        const RoutePointInput& p = rows[i];
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return fail(i, "坐标不是有限的数。");
        if (p.station && !std::isfinite(*p.station)) return fail(i, "桩号不是有限的数。");
    }
    if (!rows[0].station) return fail(0, "起点QD缺少桩号。");

    Route r;
    r.rows_ = rows;
    const int jds = count - 2;

    // Legs.
    r.legs_.resize(count - 1);
    for (int i = 0; i + 1 < count; ++i) {
        RouteLeg& leg = r.legs_[i];
        leg.from = rows[i].name;
        leg.to = rows[i + 1].name;
        const double dx = rows[i + 1].x - rows[i].x, dy = rows[i + 1].y - rows[i].y;
        leg.length = std::hypot(dx, dy);
        if (!std::isfinite(leg.length)) return fail(i, "到下一点的边长超出数值范围。");
        if (leg.length == 0) return fail(i + 1, "与上一点“" + rows[i].name + "”重合，边长为 0。");
        leg.azimuth = AzimuthOf(dx, dy);
    }

    // Curves, chained.
    double station = *rows[0].station + r.legs_[0].length;
    r.curves_.resize(jds);
    for (int j = 0; j < jds; ++j) {
        const int row = j + 1;
        const RoutePointInput& p = rows[row];
        if (!std::isfinite(p.R) || !std::isfinite(p.Ls1) || !std::isfinite(p.Ls2))
            return fail(row, "R、Ls1、Ls2 必须是有限的数。");
        if (p.R <= 0) return fail(row, "半径R必须大于0（现为 " + Fixed3(p.R) + "）。");
        if (p.Ls1 < 0 || p.Ls2 < 0) return fail(row, "缓和曲线长Ls1、Ls2不能为负。");
        double alpha = r.legs_[row].azimuth - r.legs_[row - 1].azimuth;
        if (alpha > 180) alpha -= 360;
        if (alpha <= -180) alpha += 360;
        if (std::fabs(alpha) < kMinDeflection)
            return fail(row, "转角太小（不足 0.000001°），前后两边几乎在一条直线上，不能设曲线。");

        RouteCurve& c = r.curves_[j];
        c.name = p.name;
        c.row = row;
        c.alpha = alpha;
        CurveState& s = c.curve;
        s.X = p.x;
        s.Y = p.y;
        s.JD = station;
        s.R = p.R;
        s.Ls1 = p.Ls1;
        s.Ls2 = p.Ls2;
        s.alpha = alpha;
        s.F = r.legs_[row - 1].azimuth;
        try {
            YS(s);
            c.points = ComputeMainPoints(s);
        } catch (const FloatFault& fault) {
            return fail(row, fault.what());
        }
        for (MainPoint& m : c.points) m.azimuth = NormaliseAzimuth(m.azimuth);
        if (s.Ly < 0)
            return fail(row, "缓和曲线太长：两段缓和曲线的切线角之和超过转角，圆曲线长Ly为 " +
                                 Fixed3(s.Ly) + " m。");
        c.seriesErrorMm = {SeriesErrorMm(s.R, s.Ls1), SeriesErrorMm(s.R, s.Ls2)};
        if (p.station && std::fabs(*p.station - station) > kStationCheckTolerance)
            r.warnings_.push_back(IssueAt(rows, row,
                                          "给定桩号 " + Fixed3(*p.station) + " 与推算桩号 " +
                                              Fixed3(station) + " 相差 " +
                                              Fixed3(*p.station - station) + " m。"));
        station = station + r.legs_[row].length - c.Dh();
        if (!std::isfinite(station)) return fail(row, "推算桩号超出数值范围。");
    }

    // Straights between the curves.
    for (int i = 0; i + 1 < count; ++i) {
        RouteLeg& leg = r.legs_[i];
        const double before = i == 0 ? 0 : r.curves_[i - 1].curve.T2;
        const double after = i == count - 2 ? 0 : r.curves_[i].curve.T1;
        leg.tangent = leg.length - before - after;
        if (leg.tangent < -kOverlapTolerance) {
            std::string what;
            if (i == 0)
                what = "起点到本交点的距离 " + Fixed3(leg.length) + " m 小于第一切线长T1 " +
                       Fixed3(after) + " m，曲线起点越过了起点QD。";
            else if (i == count - 2)
                what = "到终点的距离 " + Fixed3(leg.length) + " m 小于第二切线长T2 " + Fixed3(before) +
                       " m，曲线终点越过了终点ZD。";
            else
                what = "与下一交点“" + rows[i + 1].name + "”的曲线重叠：两曲线之间的直线长为 " +
                       Fixed3(leg.tangent) + " m。";
            return fail(i == 0 ? 1 : i, what);
        }
    }

    const RoutePointInput& qd = rows.front();
    const RoutePointInput& zd = rows.back();
    r.start_ = {qd.name, *qd.station, qd.x, qd.y};
    r.end_ = {zd.name, station, zd.x, zd.y};
    if (zd.station && std::fabs(*zd.station - station) > kStationCheckTolerance)
        r.warnings_.push_back(IssueAt(rows, count - 1,
                                      "给定桩号 " + Fixed3(*zd.station) + " 与推算桩号 " +
                                          Fixed3(station) + " 相差 " +
                                          Fixed3(*zd.station - station) + " m。"));

    // Elements in route order, each served by the curve whose lookup covers it.
    try {
        double previous = r.start_.station;
        for (std::size_t j = 0; j < r.curves_.size(); ++j) {
            const CurveState& s = r.curves_[j].curve;
            const int turn = s.alpha > 0 ? 1 : -1;
            const auto add = [&](ElementKind kind, double from, double to,
                                 CentrelinePoint (*method)(const CurveState&, const StakeQuery&),
                                 bool entry) {
                if (!(to - from > kMinElementLength)) return;
                RouteElement e;
                e.kind = kind;
                e.curve = j;
                e.startStation = from;
                e.endStation = to;
                e.start = Normalised(method(s, {from, 0, 0}));
                e.end = Normalised(method(s, {to, 0, 0}));
                if (kind != ElementKind::Line) {
                    e.radius = s.R;
                    e.turn = turn;
                }
                e.entry = entry;
                if (kind == ElementKind::Arc) {
                    // The arc's centre in the frame of the first tangent, as YQ
                    // places the arc: (q1, R + p1) from ZH.
                    const double cf = CosDeg(s.F), sf = SinDeg(s.F);
                    e.centreX = s.X_ZH + s.q1 * cf - turn * (s.R + s.p1) * sf;
                    e.centreY = s.Y_ZH + s.q1 * sf + turn * (s.R + s.p1) * cf;
                }
                r.elements_.push_back(e);
            };
            add(ElementKind::Line, previous, s.ZH, ZX1, false);
            add(ElementKind::Spiral, s.ZH, s.HYStation, HY, true);
            add(ElementKind::Arc, s.HYStation, s.YHStation, YQ, false);
            add(ElementKind::Spiral, s.YHStation, s.HZ, YH, false);
            previous = s.HZ;
        }
        const CurveState& last = r.curves_.back().curve;
        const double to = r.end_.station;
        if (to - previous > kMinElementLength) {
            RouteElement e;
            e.kind = ElementKind::Line;
            e.curve = r.curves_.size() - 1;
            e.startStation = previous;
            e.endStation = to;
            e.start = Normalised(ZX2(last, {previous, 0, 0}));
            e.end = Normalised(ZX2(last, {to, 0, 0}));
            r.elements_.push_back(e);
        }
    } catch (const FloatFault& fault) {
        return fail(-1, fault.what());
    }
    out.route = std::move(r);
    return out;
}

std::size_t Route::CurveAt(double k) const
{
    if (std::isnan(k)) return curves_.size() - 1;
    const auto it = std::lower_bound(curves_.begin(), curves_.end(), k,
                                     [](const RouteCurve& c, double v) { return c.curve.HZ < v; });
    if (it == curves_.end()) return curves_.size() - 1;
    return static_cast<std::size_t>(it - curves_.begin());
}

std::optional<RouteStake> Route::PointAt(double k, double m, double a) const
{
    if (!(k >= start_.station && k <= end_.station)) return std::nullopt;
    const std::size_t j = CurveAt(k);
    CentrelinePoint p = PointAtStation(curves_[j].curve, k, m, a);
    p.azimuth = NormaliseAzimuth(p.azimuth);
    return RouteStake{p, j};
}

}  // namespace tarvelo
