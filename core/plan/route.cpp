#include "core/plan/route.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/numbers/angles.h"
#include "core/curve/clothoid.h"
#include "core/curve/curve_elements.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"

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

namespace {

// Whether a route's main point lies within this (metres) of a station.
constexpr double kMainPointTolerance = 1e-6;
// Gaps and kinks between elements given with their own starts that are
// reported (metres, degrees).
constexpr double kGapTolerance = 0.001;
constexpr double kKinkTolerance = 1.0 / 3600;
// 1/m: a joint whose curvatures differ more than this is a jump (radii of
// 1000 and 1001 m differ by 1e-6).
constexpr double kCurvatureJumpTolerance = 1e-6;

// A station given on a row, checked once the breaks are known.
struct StationCheck {
    int row;
    double given;    // displayed, as typed
    double chained;  // the route's own station
    std::optional<int> zone{};  // given with the station
};

// The warning for a given station that is not where the route puts it, or
// empty. With a zone the station must name the chained point in that zone.
std::string StationCheckProblem(const Route& r, const StationCheck& c)
{
    const DisplayedStation shown = r.Displayed(c.chained);
    if (c.zone) {
        const Route::StationLookup at = r.StationOf(c.given, c.zone);
        if (at.station && std::fabs(*at.station - c.chained) <= kStationCheckTolerance) return std::string();
        return "给定桩号 " + Fixed3(c.given) + "(" + std::to_string(*c.zone) + "区) 与推算桩号 " +
               Fixed3(shown.station) + "(" + std::to_string(shown.zone) + "区) 不符。";
    }
    if (std::fabs(c.given - shown.station) <= kStationCheckTolerance) return std::string();
    return "给定桩号 " + Fixed3(c.given) + " 与推算桩号 " + Fixed3(shown.station) + " 相差 " +
           Fixed3(c.given - shown.station) + " m。";
}

// The JD's curve elements with exact clothoids: p and q from the exact spiral
// end points, everything after them by the single curve's formulas.
void ExactCurveElements(CurveState& s)
{
    const SpiralShift in = ExactSpiralShift(s.R, s.Ls1);
    const SpiralShift out = ExactSpiralShift(s.R, s.Ls2);
    s.p1 = Checked(in.p, "内移值p1");
    s.p2 = Checked(out.p, "内移值p2");
    s.q1 = Checked(in.q, "切线增值q1");
    s.q2 = Checked(out.q, "切线增值q2");
    CurveElementsFromShifts(s);
}

CentrelinePoint PoseToPoint(const PlanPose& p) { return {p.x, p.y, p.azimuth}; }

// The difference of two azimuths folded into (-180, 180].
double AzimuthDifference(double a, double b)
{
    double d = std::fmod(a - b, 360.0);
    if (d > 180) d -= 360;
    if (d <= -180) d += 360;
    return d;
}

ElementKind KindOf(double k0, double k1)
{
    if (k0 == 0 && k1 == 0) return ElementKind::Line;
    if (k0 == k1) return ElementKind::Arc;
    return ElementKind::Spiral;
}

// The element for an exact piece, its ends taken from the geometry.
RouteElement ElementOf(const PlanElement& g, std::size_t serving, double from, double to)
{
    RouteElement e;
    e.kind = KindOf(g.k0(), g.k1());
    e.curve = serving;
    e.startStation = from;
    e.endStation = to;
    e.start = Normalised(PoseToPoint(g.start()));
    e.end = Normalised(PoseToPoint(g.At(g.length())));
    const double k0 = std::fabs(g.k0()), k1 = std::fabs(g.k1());
    e.startRadius = k0 == 0 ? kStraight : 1 / k0;
    e.endRadius = k1 == 0 ? kStraight : 1 / k1;
    if (e.kind != ElementKind::Line) {
        e.turn = (g.k0() + g.k1()) > 0 ? 1 : -1;
        e.radius = std::min(e.startRadius, e.endRadius);
        e.entry = k1 > k0;
    }
    if (e.kind == ElementKind::Arc) {
        // The centre lies R to the turn's side of the start tangent.
        const double side = e.start.azimuth + 90.0 * e.turn;
        e.centreX = e.start.x + e.radius * CosDeg(side);
        e.centreY = e.start.y + e.radius * SinDeg(side);
    }
    return e;
}

// The name of the point where element a meets element b.
std::string JunctionName(const RouteElement& a, const RouteElement& b)
{
    using K = ElementKind;
    const bool sameRadius = a.endRadius == b.startRadius && a.turn == b.turn;
    if (a.kind == K::Line && b.kind == K::Spiral) return "ZH";
    if (a.kind == K::Spiral && b.kind == K::Line) return "HZ";
    if (a.kind == K::Line && b.kind == K::Arc) return "ZY";
    if (a.kind == K::Arc && b.kind == K::Line) return "YZ";
    if (a.kind == K::Spiral && b.kind == K::Arc && sameRadius) return "HY";
    if (a.kind == K::Arc && b.kind == K::Spiral && sameRadius) return "YH";
    return "GQ";
}

}  // namespace

Route::Built Route::Build(const std::vector<RoutePointInput>& rows, SpiralMode mode,
                          const std::vector<BreakInput>& breaks)
{
    Built out;
    std::vector<StationCheck> checks;
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
    r.method_ = RouteMethod::Jd;
    r.mode_ = mode;
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
            if (mode == SpiralMode::Series) {
                YS(s);
                c.points = ComputeMainPoints(s);
            } else {
                ExactCurveElements(s);
            }
        } catch (const FloatFault& fault) {
            return fail(row, fault.what());
        }
        for (MainPoint& m : c.points) m.azimuth = NormaliseAzimuth(m.azimuth);
        if (s.Ly < 0)
            return fail(row, "缓和曲线太长：两段缓和曲线的切线角之和超过转角，圆曲线长Ly为 " +
                                 Fixed3(s.Ly) + " m。");
        c.seriesErrorMm = {SeriesErrorMm(s.R, s.Ls1), SeriesErrorMm(s.R, s.Ls2)};
        if (p.station) checks.push_back({row, *p.station, station, p.zone});
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
    if (zd.station) checks.push_back({count - 1, *zd.station, station, zd.zone});
    if (const auto error = r.AttachBreaks(breaks)) {
        out.error = error;
        return out;
    }
    // Given stations are displayed stations: compared after the breaks.
    for (const StationCheck& c : checks)
        if (const std::string problem = StationCheckProblem(r, c); !problem.empty())
            r.warnings_.push_back(IssueAt(rows, c.row, problem));

    try {
        if (mode == SpiralMode::Series)
            r.BuildSeriesElements();
        else
            r.BuildExactElements();
    } catch (const FloatFault& fault) {
        return fail(-1, fault.what());
    }
    r.CollectJdMainPoints();
    r.IndexStations();
    out.route = std::move(r);
    return out;
}

void Route::BuildSeriesElements()
{
    // Elements in route order, each served by the curve whose lookup covers it.
    double previous = start_.station;
    for (std::size_t j = 0; j < curves_.size(); ++j) {
        const CurveState& s = curves_[j].curve;
        const int turn = s.alpha > 0 ? 1 : -1;
        const auto add = [&](ElementKind kind, double from, double to,
                             CentrelinePoint (*method)(const CurveState&, const StakeQuery&), bool entry) {
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
                e.startRadius = entry && kind == ElementKind::Spiral ? kStraight : s.R;
                e.endRadius = !entry && kind == ElementKind::Spiral ? kStraight : s.R;
            }
            e.entry = entry;
            if (kind == ElementKind::Arc) {
                // The arc's centre in the frame of the first tangent, as YQ
                // places the arc: (q1, R + p1) from ZH.
                const double cf = CosDeg(s.F), sf = SinDeg(s.F);
                e.centreX = s.X_ZH + s.q1 * cf - turn * (s.R + s.p1) * sf;
                e.centreY = s.Y_ZH + s.q1 * sf + turn * (s.R + s.p1) * cf;
            }
            elements_.push_back(e);
        };
        add(ElementKind::Line, previous, s.ZH, ZX1, false);
        add(ElementKind::Spiral, s.ZH, s.HYStation, HY, true);
        add(ElementKind::Arc, s.HYStation, s.YHStation, YQ, false);
        add(ElementKind::Spiral, s.YHStation, s.HZ, YH, false);
        previous = s.HZ;
    }
    const CurveState& last = curves_.back().curve;
    const double to = end_.station;
    if (to - previous > kMinElementLength) {
        RouteElement e;
        e.kind = ElementKind::Line;
        e.curve = curves_.size() - 1;
        e.startStation = previous;
        e.endStation = to;
        e.start = Normalised(ZX2(last, {previous, 0, 0}));
        e.end = Normalised(ZX2(last, {to, 0, 0}));
        elements_.push_back(e);
    }
}

void Route::AddExact(std::size_t serving, double from, const PlanPose& pose, double length, double k0,
                     double k1)
{
    std::string why;
    std::optional<PlanElement> g = PlanElement::Make(pose.x, pose.y, pose.azimuth, length, k0, k1, &why);
    if (!g) throw FloatFault("线元");
    elements_.push_back(ElementOf(*g, serving, from, from + length));
    geometry_.push_back(std::move(*g));
}

void Route::BuildExactElements()
{
    // Each piece starts where the design puts it: a straight at QD or at the
    // previous HZ (on its forward tangent), a curve's entry spiral at ZH, the
    // arc and the exit spiral where the piece before them ends.
    PlanPose pose{start_.x, start_.y, legs_.front().azimuth};
    double station = start_.station;
    for (std::size_t j = 0; j < curves_.size(); ++j) {
        RouteCurve& c = curves_[j];
        const CurveState& s = c.curve;
        const double turn = s.alpha > 0 ? 1 : -1;
        const double k = turn / s.R;
        if (s.ZH - station > kMinElementLength) AddExact(j, station, pose, s.ZH - station, 0, 0);
        PlanPose at{s.X_ZH, s.Y_ZH, s.F};
        c.points[0] = {"ZH", s.ZH, s.X_ZH, s.Y_ZH, NormaliseAzimuth(s.F)};
        const auto piece = [&](double from, double length, double k0, double k1) {
            if (length > kMinElementLength) {
                AddExact(j, from, at, length, k0, k1);
                at = geometry_.back().At(length);
            }
        };
        piece(s.ZH, s.Ls1, 0, k);
        c.points[1] = {"HY", s.HYStation, at.x, at.y, NormaliseAzimuth(at.azimuth)};
        const PlanPose arcStart = at;
        piece(s.HYStation, s.Ly, k, k);
        if (s.Ly > kMinElementLength) {
            const PlanPose mid = geometry_.back().At(s.Ly / 2);
            c.points[2] = {"QZ", s.QZ, mid.x, mid.y, NormaliseAzimuth(mid.azimuth)};
        } else {
            c.points[2] = {"QZ", s.QZ, arcStart.x, arcStart.y, NormaliseAzimuth(arcStart.azimuth)};
        }
        c.points[3] = {"YH", s.YHStation, at.x, at.y, NormaliseAzimuth(at.azimuth)};
        piece(s.YHStation, s.Ls2, k, 0);
        c.points[4] = {"HZ", s.HZ, s.X_HZ, s.Y_HZ, NormaliseAzimuth(s.F2)};
        pose = {s.X_HZ, s.Y_HZ, s.F2};
        station = s.HZ;
    }
    if (end_.station - station > kMinElementLength)
        AddExact(curves_.size() - 1, station, pose, end_.station - station, 0, 0);
}

void Route::CollectJdMainPoints()
{
    // ZY for ZH/HY without an entry spiral, YZ for YH/HZ without an exit one.
    for (std::size_t j = 0; j < curves_.size(); ++j) {
        const RouteCurve& c = curves_[j];
        for (int i = 0; i < 5; ++i) {
            if (i == 1 && c.curve.Ls1 == 0) continue;  // HY is ZH
            if (i == 3 && c.curve.Ls2 == 0) continue;  // YH is HZ
            std::string name = c.points[i].name;
            if (i == 0 && c.curve.Ls1 == 0) name = "ZY";
            if (i == 4 && c.curve.Ls2 == 0) name = "YZ";
            const MainPoint& m = c.points[i];
            mainPoints_.push_back({name, m.station, m.x, m.y, NormaliseAzimuth(m.azimuth), j});
        }
    }
}

std::string CurvatureRadiusText(double radius, int turn)
{
    if (radius == kStraight || turn == 0) return "∞";
    return std::string(turn > 0 ? "右 R" : "左 R") + FormatGeneral(radius);
}

Route::Built Route::BuildElements(const std::vector<ElementInput>& rows, const std::vector<BreakInput>& breaks)
{
    Built out;
    std::vector<StationCheck> checks;
    const auto where = [&](std::size_t i) {
        const ElementInput& e = rows[i];
        const std::string name = e.name.empty() ? std::string("(无名)") : e.name;
        if (e.line > 0) return "第 " + std::to_string(e.line) + " 行“" + name + "”";
        return "第 " + std::to_string(i + 1) + " 个线元“" + name + "”";
    };
    const auto fail = [&](int i, const std::string& what) {
        if (i < 0)
            out.error = RouteIssue{-1, 0, what};
        else
            out.error = RouteIssue{i, rows[i].line, where(i) + "：" + what};
        return out;
    };
    if (rows.empty()) return fail(-1, "线元表中没有线元。");
    const ElementInput& first = rows.front();
    if (!first.station || !first.x || !first.y || !first.azimuth)
        return fail(0, "第一个线元必须给出起点桩号、X、Y和起始方位角。");

    Route r;
    r.method_ = RouteMethod::Elements;
    r.mode_ = SpiralMode::Exact;
    r.elementRows_ = rows;
    double station = *first.station;
    double previousCurvature = 0;
    PlanPose pose{0, 0, 0};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ElementInput& e = rows[i];
        const int row = static_cast<int>(i);
        const bool hasStart = e.x || e.y || e.azimuth;
        if (hasStart && !(e.x && e.y && e.azimuth))
            return fail(row, "起点X、Y和方位角要么都给出，要么都空着。");
        for (const std::optional<double>* v : {&e.station, &e.x, &e.y, &e.azimuth})
            if (*v && !std::isfinite(**v)) return fail(row, "桩号、坐标或方位角不是有限的数。");
        if (!std::isfinite(e.length) || !(e.length > 0))
            return fail(row, "线元长度必须大于0（现为 " + (std::isfinite(e.length) ? Fixed3(e.length) : std::string("非有限值")) + "）。");
        for (double radius : {e.startRadius, e.endRadius})
            if (std::isnan(radius) || !(radius > 0)) return fail(row, "半径必须大于0，或空着表示直线端。");
        const bool curved = e.startRadius != kStraight || e.endRadius != kStraight;
        if (curved && e.turn != 1 && e.turn != -1) return fail(row, "曲线线元缺少转向（右或左）。");
        const double turn = curved ? e.turn : 0;
        const double k0 = e.startRadius == kStraight ? 0 : turn / e.startRadius;
        const double k1 = e.endRadius == kStraight ? 0 : turn / e.endRadius;
        // A spiral exists to make the curvature continuous: a jump at its
        // ends is a mistake. Without one (a line into an arc, a compound or
        // reverse curve) the jump is the design's.
        const ElementInput& before = i > 0 ? rows[i - 1] : e;
        const bool spiralJoint = before.startRadius != before.endRadius || e.startRadius != e.endRadius;
        if (i > 0 && spiralJoint && std::fabs(k0 - previousCurvature) > kCurvatureJumpTolerance) {
            const bool beforeCurved = before.startRadius != kStraight || before.endRadius != kStraight;
            r.curvatureJumps_.push_back({i, station, before.endRadius, e.startRadius,
                                         before.endRadius == kStraight || !beforeCurved ? 0 : before.turn,
                                         e.startRadius == kStraight ? 0 : static_cast<int>(turn)});
        }
        previousCurvature = k1;

        if (e.station && i > 0) checks.push_back({row, *e.station, station, e.zone});
        if (hasStart) {
            const PlanPose given{*e.x, *e.y, *e.azimuth};
            if (i > 0) {
                const double gap = std::hypot(given.x - pose.x, given.y - pose.y);
                const double kink = AzimuthDifference(given.azimuth, pose.azimuth);
                if (gap > kGapTolerance)
                    r.warnings_.push_back({row, e.line,
                                           where(i) + "：给定起点与上一线元终点相距 " + Fixed3(gap) + " m。"});
                if (std::fabs(kink) > kKinkTolerance) {
                    char buf[64];
                    std::snprintf(buf, sizeof buf, "%.1f", kink * 3600);
                    r.warnings_.push_back({row, e.line,
                                           where(i) + "：给定起始方位角与上一线元终点切线方向相差 " +
                                               std::string(buf) + "″。"});
                }
            }
            pose = given;
        }
        std::string why;
        std::optional<PlanElement> g = PlanElement::Make(pose.x, pose.y, pose.azimuth, e.length, k0, k1, &why);
        if (!g) return fail(row, why);
        RouteElement element = ElementOf(*g, i, station, station + e.length);
        element.name = e.name;
        pose = g->At(e.length);
        if (!std::isfinite(pose.x) || !std::isfinite(pose.y) || !std::isfinite(pose.azimuth))
            return fail(row, "终点坐标超出数值范围。");
        station += e.length;
        if (!std::isfinite(station)) return fail(row, "推算桩号超出数值范围。");
        r.elements_.push_back(std::move(element));
        r.geometry_.push_back(std::move(*g));
    }
    const RouteElement& a = r.elements_.front();
    const RouteElement& z = r.elements_.back();
    r.start_ = {"QD", a.startStation, a.start.x, a.start.y};
    r.end_ = {"ZD", z.endStation, z.end.x, z.end.y};
    if (const auto error = r.AttachBreaks(breaks)) {
        out.error = error;
        return out;
    }
    std::vector<RouteIssue> stationWarnings;
    for (const StationCheck& c : checks)
        if (const std::string problem = StationCheckProblem(r, c); !problem.empty())
            stationWarnings.push_back({c.row, rows[c.row].line, where(c.row) + "：" + problem});
    for (const CurvatureJump& j : r.curvatureJumps_) {
        // The joint's displayed station, with its zone where a 长链 shows it twice.
        const DisplayedStation at = r.Displayed(j.station);
        std::string station = FormatKStation(at.station);
        if (r.chainage().ZonesOf(at.station).size() > 1) station += "(" + std::to_string(at.zone) + "区)";
        stationWarnings.push_back({static_cast<int>(j.element), rows[j.element].line,
                                   where(j.element) + "：曲率在 " + station + " 处突变，上一线元终点半径 " +
                                       CurvatureRadiusText(j.radiusBefore, j.turnBefore) + "，本线元起点半径 " +
                                       CurvatureRadiusText(j.radiusAfter, j.turnAfter) + "。"});
    }
    // In row order with the gap and kink warnings.
    r.warnings_.insert(r.warnings_.end(), stationWarnings.begin(), stationWarnings.end());
    std::stable_sort(r.warnings_.begin(), r.warnings_.end(),
                     [](const RouteIssue& a, const RouteIssue& b) { return a.row < b.row; });
    for (std::size_t i = 0; i + 1 < r.elements_.size(); ++i) {
        const RouteElement& e = r.elements_[i];
        r.mainPoints_.push_back(
            {JunctionName(e, r.elements_[i + 1]), e.endStation, e.end.x, e.end.y, e.end.azimuth, i});
    }
    r.IndexStations();
    out.route = std::move(r);
    return out;
}

std::optional<RouteIssue> Route::AttachBreaks(const std::vector<BreakInput>& breaks)
{
    ChainageBuilt built = Chainage::Build(start_.station, length(), breaks);
    if (!built.chainage) {
        const ChainageIssue& e = *built.error;
        return RouteIssue{-1, e.line, "断链表" + e.message};
    }
    chainage_ = std::move(*built.chainage);
    return std::nullopt;
}

DisplayedStation Route::Displayed(double k) const
{
    if (chainage_.empty()) return {k, 0};
    const double d = std::clamp(k - start_.station, 0.0, length());
    const std::optional<DisplayedStation> s = chainage_.StationAt(d);
    return s ? *s : DisplayedStation{k, 0};
}

Route::StationLookup Route::StationOf(double displayed, std::optional<int> zone) const
{
    StationLookup out;
    if (std::isfinite(displayed)) {
        const DisplayedStation first = Displayed(start_.station), last = Displayed(end_.station);
        if ((!zone || *zone == first.zone) && displayed < first.station &&
            displayed >= first.station - kRouteEndTolerance)
            displayed = first.station;
        if ((!zone || *zone == last.zone) && displayed > last.station && displayed <= last.station + kRouteEndTolerance)
            displayed = last.station;
    }
    if (chainage_.empty()) {
        if (zone && *zone != 0) {
            out.error = "线路没有断链，只有区段 0。";
            out.miss = StationMiss::Other;
            return out;
        }
        out.station = displayed;
        return out;
    }
    const DistanceLookup d = chainage_.DistanceAt(displayed, zone);
    if (!d.distance) {
        out.error = d.error;
        out.miss = d.miss;
        return out;
    }
    out.station = start_.station + *d.distance;
    out.zone = d.zone;
    return out;
}

namespace {

// std::lower_bound's answer (the first index whose value is not below k, or
// the size) without a branch per step: a lookup's steps go either way at
// random, and mispredicted branches cost more than the comparisons.
std::size_t LowerBoundIndex(const std::vector<double>& values, double k)
{
    if (values.empty()) return 0;
    const double* base = values.data();
    std::size_t n = values.size();
    while (n > 1) {
        const std::size_t half = n / 2;
        base = base[half] < k ? base + half : base;
        n -= half;
    }
    return static_cast<std::size_t>(base - values.data()) + (*base < k ? 1 : 0);
}

}  // namespace

void Route::IndexStations()
{
    elementEnds_.clear();
    for (const RouteElement& e : elements_) elementEnds_.push_back(e.endStation);
    curveEnds_.clear();
    for (const RouteCurve& c : curves_) curveEnds_.push_back(c.curve.HZ);
}

std::size_t Route::ElementAt(double k) const
{
    if (elementEnds_.empty()) return 0;
    if (std::isnan(k)) return elementEnds_.size() - 1;
    return std::min(LowerBoundIndex(elementEnds_, k), elementEnds_.size() - 1);
}

std::size_t Route::CurveAt(double k) const
{
    if (method_ == RouteMethod::Elements) return ElementAt(k);
    if (std::isnan(k)) return curveEnds_.size() - 1;
    return std::min(LowerBoundIndex(curveEnds_, k), curveEnds_.size() - 1);
}

const std::string& Route::ServingName(std::size_t index) const
{
    static const std::string none;
    if (method_ == RouteMethod::Elements) return index < elements_.size() ? elements_[index].name : none;
    return index < curves_.size() ? curves_[index].name : none;
}

CentrelinePoint Route::ElementPointAt(std::size_t i, double k) const
{
    const RouteElement& e = elements_[i];
    k = std::clamp(k, e.startStation, e.endStation);
    if (mode_ == SpiralMode::Series) {
        const CurveState& s = curves_[e.curve].curve;
        const StakeQuery q{k, 0, 0};
        switch (e.kind) {
        case ElementKind::Arc: return YQ(s, q);
        case ElementKind::Spiral: return e.entry ? HY(s, q) : YH(s, q);
        case ElementKind::Line: break;
        }
        return k <= s.ZH ? ZX1(s, q) : ZX2(s, q);
    }
    const PlanPose p = geometry_[i].At(k - e.startStation);
    return {Checked(p.x, "中桩坐标X"), Checked(p.y, "中桩坐标Y"), Checked(p.azimuth, "切线方位角")};
}

double Route::ElementCurvatureAt(std::size_t i, double k) const
{
    const RouteElement& e = elements_[i];
    if (mode_ == SpiralMode::Series) {
        if (e.kind == ElementKind::Line) return 0;
        const CurveState& s = curves_[e.curve].curve;
        if (e.kind == ElementKind::Arc) return e.turn / s.R;
        const double fromTangent = e.entry ? k - s.ZH : s.HZ - k;
        const double ls = e.entry ? s.Ls1 : s.Ls2;
        return e.turn * fromTangent / (s.R * ls);
    }
    return geometry_[i].CurvatureAt(k - e.startStation);
}

std::optional<RouteStake> Route::PointAt(double k, double m, double a) const
{
    if (k < start_.station && k >= start_.station - kRouteEndTolerance) k = start_.station;
    if (k > end_.station && k <= end_.station + kRouteEndTolerance) k = end_.station;
    if (!(k >= start_.station && k <= end_.station)) return std::nullopt;
    if (mode_ == SpiralMode::Series) {
        const std::size_t j = CurveAt(k);
        const CurveState& s = curves_[j].curve;
        CentrelinePoint p;
        const StakeQuery q{k, m, a};
        // HY's station as typed back from a table (a last bit above the
        // double's) still belongs to the spiral, as the table's HY row does.
        if (s.Ls1 > 0 && std::fabs(k - s.HYStation) <= kMainPointTolerance)
            p = HY(s, q);
        // YH likewise is the exit spiral's point, as its element starts
        // there: one station, one answer (the arc's formula differs from
        // the series spiral's by centimetres on short curves).
        else if (s.Ls2 > 0 && std::fabs(k - s.YHStation) <= kMainPointTolerance)
            p = YH(s, q);
        else
            p = PointAtStation(s, k, m, a);
        p.azimuth = NormaliseAzimuth(p.azimuth);
        return RouteStake{p, j};
    }
    const std::size_t i = ElementAt(k);
    CentrelinePoint p = ElementPointAt(i, k);
    const double dir = p.azimuth + a;
    p.x = Checked(p.x + m * CosDeg(dir), "计算坐标X");
    p.y = Checked(p.y + m * SinDeg(dir), "计算坐标Y");
    p.azimuth = NormaliseAzimuth(p.azimuth);
    return RouteStake{p, method_ == RouteMethod::Elements ? i : CurveAt(k)};
}

}  // namespace tarvelo
