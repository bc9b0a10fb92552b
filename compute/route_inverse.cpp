#include "route_inverse.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"

namespace tarvelo {

namespace {

// Newton steps on a spiral stop below this station change (metres).
constexpr double kStepTolerance = 1e-8;
constexpr int kMaxSteps = 60;
// Samples along a spiral that seed the search: enough that the nearest one
// lies in the basin of the true foot for any point off the curve.
constexpr int kSpiralSamples = 8;
// A point whose along-track distance before QD (or after ZD) exceeds this
// (metres) lies beyond that end; nearer, its foot is the end itself.
constexpr double kBeyondEnd = kRouteEndTolerance;

struct Candidate {
    double station = 0;
    double distance = std::numeric_limits<double>::infinity();
};

double DistanceTo(const CentrelinePoint& c, double x, double y) { return std::hypot(x - c.x, y - c.y); }

Candidate Evaluate(const Route& route, std::size_t i, double k, double x, double y)
{
    return {k, DistanceTo(route.ElementPointAt(i, k), x, y)};
}

Candidate NearestOnLine(const Route& route, std::size_t i, double x, double y)
{
    const RouteElement& e = route.elements()[i];
    const double len = e.endStation - e.startStation;
    const double along = (x - e.start.x) * CosDeg(e.start.azimuth) + (y - e.start.y) * SinDeg(e.start.azimuth);
    return Evaluate(route, i, e.startStation + std::clamp(along, 0.0, len), x, y);
}

Candidate NearestOnArc(const Route& route, std::size_t i, double x, double y)
{
    const RouteElement& e = route.elements()[i];
    const double len = e.endStation - e.startStation;
    const double a0 = AzimuthOf(e.start.x - e.centreX, e.start.y - e.centreY);
    const double ap = AzimuthOf(x - e.centreX, y - e.centreY);
    // A right-hand arc runs clockwise about its centre: the azimuth from the
    // centre grows with the station.
    const double turned = NormaliseAzimuth(e.turn * (ap - a0));
    const double s = turned / 180 * kPi * e.radius;
    if (s <= len) return Evaluate(route, i, e.startStation + s, x, y);
    const Candidate a = Evaluate(route, i, e.startStation, x, y);
    const Candidate b = Evaluate(route, i, e.endStation, x, y);
    return a.distance <= b.distance ? a : b;
}

Candidate NearestOnSpiral(const Route& route, std::size_t i, double x, double y)
{
    const RouteElement& e = route.elements()[i];
    const double len = e.endStation - e.startStation;
    Candidate best;
    // A long or sharp spiral turns through more: one sample per quarter
    // radian keeps the nearest sample in the true foot's basin.
    const int samples = static_cast<int>(std::clamp(std::ceil(len / e.radius / 0.25), double(kSpiralSamples), 4096.0));
    for (int n = 0; n <= samples; ++n) {
        const Candidate c = Evaluate(route, i, e.startStation + len * n / samples, x, y);
        if (c.distance < best.distance) best = c;
    }
    // Newton on the station: the along-track error divided by the rate at
    // which it changes, 1 − κ·(offset towards the centre of curvature).
    double k = best.station;
    for (int step = 0; step < kMaxSteps; ++step) {
        const CentrelinePoint c = route.ElementPointAt(i, k);
        const double cs = CosDeg(c.azimuth), sn = SinDeg(c.azimuth);
        const double vx = x - c.x, vy = y - c.y;
        const double along = vx * cs + vy * sn;
        const double right = -vx * sn + vy * cs;
        // κ is signed right +, so κ·right is the offset towards the centre
        // of curvature times the curvature.
        double rate = 1 - route.ElementCurvatureAt(i, k) * right;
        if (rate < 0.1) rate = 1;  // near the centre of curvature: plain steps
        const double next = std::clamp(k + along / rate, e.startStation, e.endStation);
        const double moved = next - k;
        k = next;
        if (std::fabs(moved) < kStepTolerance) break;
    }
    const Candidate refined = Evaluate(route, i, k, x, y);
    return refined.distance <= best.distance ? refined : best;
}

Candidate NearestOn(const Route& route, std::size_t i, double x, double y)
{
    switch (route.elements()[i].kind) {
    case ElementKind::Arc: return NearestOnArc(route, i, x, y);
    case ElementKind::Spiral: return NearestOnSpiral(route, i, x, y);
    case ElementKind::Line: break;
    }
    return NearestOnLine(route, i, x, y);
}

// Distance from (x, y) to the segment from a to b.
double SegmentDistance(const CentrelinePoint& a, const CentrelinePoint& b, double x, double y)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

double BoxDistance(double minX, double minY, double maxX, double maxY, double x, double y)
{
    const double dx = std::max({minX - x, 0.0, x - maxX});
    const double dy = std::max({minY - y, 0.0, y - maxY});
    return std::hypot(dx, dy);
}

}  // namespace

RouteInverse::RouteInverse(const Route& route) : route_(route)
{
    const auto& elements = route.elements();
    boxes_.reserve(elements.size());
    sagittas_.reserve(elements.size());
    for (const RouteElement& e : elements) {
        // A convex piece turning through at most 180° stays within its
        // chord's box widened by the sagitta bound len²·κ/8; any piece
        // stays within its length of its start.
        const double len = e.endStation - e.startStation;
        double grow = 0;
        if (e.kind != ElementKind::Line) {
            const double turned = len / e.radius;  // at most, in radians
            grow = turned <= kPi ? std::min(len * len / (8 * e.radius), 2 * e.radius) : len;
        }
        grow += 1e-6;
        sagittas_.push_back(grow);
        boxes_.push_back({std::min(e.start.x, e.end.x) - grow, std::min(e.start.y, e.end.y) - grow,
                          std::max(e.start.x, e.end.x) + grow, std::max(e.start.y, e.end.y) + grow});
    }
    if (!elements.empty()) {
        nodes_.reserve(2 * elements.size());
        BuildNode(0, elements.size());
    }
}

int RouteInverse::BuildNode(std::size_t first, std::size_t last)
{
    const int index = static_cast<int>(nodes_.size());
    nodes_.push_back({});
    Node n{boxes_[first][0], boxes_[first][1], boxes_[first][2], boxes_[first][3], first, last};
    for (std::size_t i = first + 1; i < last; ++i) {
        n.minX = std::min(n.minX, boxes_[i][0]);
        n.minY = std::min(n.minY, boxes_[i][1]);
        n.maxX = std::max(n.maxX, boxes_[i][2]);
        n.maxY = std::max(n.maxY, boxes_[i][3]);
    }
    // Elements in route order are neighbours on the ground too, so halving
    // the range gives tight boxes without any sorting.
    if (last - first > 2) {
        const std::size_t mid = first + (last - first) / 2;
        n.left = BuildNode(first, mid);
        n.right = BuildNode(mid, last);
    }
    nodes_[index] = n;
    return index;
}

RouteFoot RouteInverse::Find(double x, double y) const
{
    Checked(x, "反算坐标X");
    Checked(y, "反算坐标Y");
    const auto& elements = route_.elements();
    Candidate best;
    std::size_t bestElement = 0;
    // Depth first, nearer child first, pruning boxes farther than the best
    // foot so far: a point is answered from the few elements around it.
    // The tree halves its range at every level, so its depth is below 64
    // for any number of elements a size_t can count; the stack holds at most
    // one entry more than the depth.
    int stack[66];
    int top = 0;
    if (!nodes_.empty()) stack[top++] = 0;
    while (top > 0) {
        const Node& n = nodes_[stack[--top]];
        if (BoxDistance(n.minX, n.minY, n.maxX, n.maxY, x, y) > best.distance) continue;
        if (n.left < 0) {
            for (std::size_t i = n.first; i < n.last; ++i) {
                if (BoxDistance(boxes_[i][0], boxes_[i][1], boxes_[i][2], boxes_[i][3], x, y) >
                    best.distance)
                    continue;
                // The piece stays within its sagitta of its chord: a cheap
                // bound that spares the spiral's search beside a straight.
                if (SegmentDistance(elements[i].start, elements[i].end, x, y) - sagittas_[i] >
                    best.distance)
                    continue;
                const Candidate c = NearestOn(route_, i, x, y);
                if (c.distance < best.distance) {
                    best = c;
                    bestElement = i;
                }
            }
            continue;
        }
        const Node& l = nodes_[n.left];
        const Node& r = nodes_[n.right];
        const double dl = BoxDistance(l.minX, l.minY, l.maxX, l.maxY, x, y);
        const double dr = BoxDistance(r.minX, r.minY, r.maxX, r.maxY, x, y);
        if (dl <= dr) {
            stack[top++] = n.right;
            stack[top++] = n.left;
        } else {
            stack[top++] = n.left;
            stack[top++] = n.right;
        }
    }
    RouteFoot out;
    if (!std::isfinite(best.distance)) {
        out.outcome = RouteFootOutcome::Outside;
        return out;
    }
    // The nearest point is an end of the route and the point lies beyond it:
    // no perpendicular foot is nearer than QD or ZD.
    const CentrelinePoint c = route_.ElementPointAt(bestElement, best.station);
    const double along = (x - c.x) * CosDeg(c.azimuth) + (y - c.y) * SinDeg(c.azimuth);
    if ((best.station <= route_.start().station && along < -kBeyondEnd) ||
        (best.station >= route_.end().station && along > kBeyondEnd)) {
        out.outcome = RouteFootOutcome::Outside;
        return out;
    }
    const double right = -(x - c.x) * SinDeg(c.azimuth) + (y - c.y) * CosDeg(c.azimuth);
    out.station = best.station;
    out.offset = Checked(right < 0 ? -best.distance : best.distance, "反算偏距");
    out.jd = route_.CurveAt(best.station);
    return out;
}

}  // namespace tarvelo
