#include "core/section/ground_section.h"

#include <algorithm>
#include <cmath>

#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

GroundSection::Built GroundSection::Build(SectionStation at, std::vector<GroundPoint> points)
{
    Built b;
    if (!std::isfinite(at.distance) || !std::isfinite(at.station)) {
        b.error = "断面桩号不是有限的数。";
        return b;
    }
    if (points.size() < 2) {
        b.error = "断面只有 " + std::to_string(points.size()) + " 个点，至少要 2 个。";
        return b;
    }
    for (const GroundPoint& p : points)
        if (!std::isfinite(p.offset) || !std::isfinite(p.z)) {
            b.error = "断面的点" + (p.name.empty() ? std::string() : "“" + p.name + "”") + "的偏距或高程不是有限的数。";
            return b;
        }
    std::stable_sort(points.begin(), points.end(),
                     [](const GroundPoint& a, const GroundPoint& c) { return a.offset < c.offset; });
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].offset == points[i - 1].offset) {
            b.error = "断面有两个点的偏距相同（" + FormatGeneral(points[i].offset) + " m）。";
            return b;
        }
    GroundSection s;
    s.at_ = at;
    s.points_ = std::move(points);
    b.section = std::move(s);
    return b;
}

std::optional<double> GroundSection::ElevationAt(double offset) const
{
    if (!(offset >= leftEnd() && offset <= rightEnd())) return std::nullopt;
    const auto it = std::lower_bound(points_.begin(), points_.end(), offset,
                                     [](const GroundPoint& p, double o) { return p.offset < o; });
    if (it->offset == offset) return it->z;
    const GroundPoint& a = *(it - 1);
    const GroundPoint& c = *it;
    return a.z + (c.z - a.z) * (offset - a.offset) / (c.offset - a.offset);
}

std::vector<SectionVertex> GroundSection::Line() const
{
    std::vector<SectionVertex> line;
    line.reserve(points_.size());
    for (const GroundPoint& p : points_) line.push_back({p.offset, p.z});
    return line;
}

namespace {

// The ground seen from the centre outward on one side: u = |offset| on that
// side (u increasing outward), z as surveyed. On the left the line is
// mirrored, so one search serves both sides.
struct OutwardGround {
    std::vector<double> u, z;

    OutwardGround(const GroundSection& g, RoadSide side)
    {
        const auto& pts = g.points();
        u.reserve(pts.size());
        z.reserve(pts.size());
        if (side == RoadSide::Right) {
            for (const GroundPoint& p : pts) u.push_back(p.offset), z.push_back(p.z);
        } else {
            for (auto it = pts.rbegin(); it != pts.rend(); ++it) u.push_back(-it->offset), z.push_back(it->z);
        }
    }
    double first() const { return u.front(); }
    double last() const { return u.back(); }
    // Elevation at v in [first, last]; i: the index of the piece [u_i, u_i+1] holding v.
    double At(double v, std::size_t i) const
    {
        if (v == u[i]) return z[i];
        return z[i] + (z[i + 1] - z[i]) * (v - u[i]) / (u[i + 1] - u[i]);
    }
    // The piece holding v (the last piece for v at the outer end).
    std::size_t PieceOf(double v) const
    {
        std::size_t i = static_cast<std::size_t>(std::upper_bound(u.begin(), u.end(), v) - u.begin());
        if (i == 0) return 0;
        return std::min(i - 1, u.size() - 2);
    }
};

struct Piece {
    double u0, z0, u1, z1;
    double ZAt(double v) const { return v == u0 ? z0 : v == u1 ? z1 : z0 + (z1 - z0) * (v - u0) / (u1 - u0); }
};

}  // namespace

Crossing FirstCrossing(const GroundSection& ground, RoadSide side, const std::vector<SectionVertex>& branch,
                       std::optional<SectionDirection> lastRay)
{
    Crossing none;
    if (branch.empty()) return none;
    const double s = side == RoadSide::Right ? 1.0 : -1.0;
    for (const SectionVertex& p : branch) {
        Checked(p.offset, "边坡偏距");
        Checked(p.z, "边坡高程");
    }
    if (lastRay) {
        Checked(lastRay->dOffset, "边坡方向");
        Checked(lastRay->dz, "边坡方向");
    }
    const OutwardGround g(ground, side);
    const auto found = [s](double u, double z, int piece) {
        Crossing c;
        c.outcome = CrossingOutcome::Found;
        c.point = {s * u + 0.0, z};
        c.piece = piece;
        return c;
    };
    const auto ends = [] {
        Crossing c;
        c.outcome = CrossingOutcome::GroundEnds;
        return c;
    };

    const double startU = s * branch.front().offset;
    if (!(startU >= g.first() && startU <= g.last())) return ends();
    if (branch.front().z == g.At(startU, g.PieceOf(startU))) return found(startU, branch.front().z, 0);

    const std::size_t pieces = branch.size() - 1 + (lastRay ? 1 : 0);
    for (std::size_t k = 0; k < pieces; ++k) {
        const bool ray = k + 1 == branch.size();
        const double u0 = s * branch[k].offset, z0 = branch[k].z;
        double du, dz;
        if (ray) {
            du = s * lastRay->dOffset;
            dz = lastRay->dz;
        } else {
            du = s * branch[k + 1].offset - u0;
            dz = branch[k + 1].z - z0;
        }
        if (du < 0 || (ray && du == 0 && dz == 0)) return none;  // against the branch's contract
        if (du == 0) {
            // A vertical piece meets the ground where it stands, if the
            // ground's elevation there lies on it.
            const double zg = g.At(u0, g.PieceOf(u0));
            if (ray) {
                if ((zg - z0) * dz >= 0) return found(u0, zg, static_cast<int>(k));
                return none;
            }
            const double z1 = z0 + dz;
            if ((zg - z0) * (zg - z1) <= 0) return found(u0, zg, static_cast<int>(k));
            continue;
        }
        // The piece as far as the ground goes.
        const double uEnd = ray ? g.last() : u0 + du;
        const double reach = std::min(uEnd, g.last());
        const Piece p{u0, z0, ray ? reach : u0 + du, ray ? z0 + dz / du * (reach - u0) : z0 + dz};
        if (ray && reach <= u0) return ends();
        std::size_t i = g.PieceOf(u0);
        double ua = u0, da = z0 - g.At(u0, i);
        while (ua < reach) {
            // The next ground vertex beyond ua, or the end of this piece.
            double ub = std::min(reach, g.u[i + 1]);
            if (ub <= ua) {
                ++i;
                continue;
            }
            const double db = p.ZAt(ub) - g.At(ub, i);
            if (db == 0) return found(ub, p.ZAt(ub), static_cast<int>(k));
            if ((da < 0) != (db < 0)) {
                const double t = da / (da - db);
                const double v = Checked(ua + t * (ub - ua), "坡脚偏距");
                return found(v, Checked(p.ZAt(v), "坡脚高程"), static_cast<int>(k));
            }
            ua = ub;
            da = db;
        }
        if (ray || uEnd > g.last()) return ends();
    }
    return none;
}

Crossing BranchCrossing(const GroundSection& ground, const SideSection& section, SlopeBranch branch)
{
    if (!section.has(branch)) return {};
    const BranchLine& line = section.branch(branch);
    // In cut the ditch's own pieces (level 0) lie below the hinge: the slope
    // starts at its outer top.
    std::size_t first = 0;
    if (branch == SlopeBranch::Cut)
        while (first < line.levels.size() && line.levels[first] == 0) ++first;
    const std::vector<SectionVertex> from(line.vertices.begin() + static_cast<std::ptrdiff_t>(first),
                                          line.vertices.end());
    const double s = SideSign(section.side());
    const double up = branch == SlopeBranch::Cut ? 1.0 : -1.0;
    Crossing c = FirstCrossing(ground, section.side(), from, SectionDirection{s * line.lastRatio, up});
    if (c.outcome == CrossingOutcome::Found) {
        const std::size_t segment = first + static_cast<std::size_t>(c.piece);
        c.level = segment < line.levels.size() ? line.levels[segment] : line.lastLevel;
    }
    return c;
}

std::optional<CutFill> CutFillAreas(const GroundSection& ground, const std::vector<SectionVertex>& design, double from,
                                    double to)
{
    Checked(from, "断面范围");
    Checked(to, "断面范围");
    for (const SectionVertex& p : design) {
        Checked(p.offset, "设计线偏距");
        Checked(p.z, "设计线高程");
    }
    if (from > to || design.size() < 2) return std::nullopt;
    if (ground.leftEnd() > from || ground.rightEnd() < to) return std::nullopt;
    if (design.front().offset > from || design.back().offset < to) return std::nullopt;
    for (std::size_t i = 1; i < design.size(); ++i)
        if (design[i].offset < design[i - 1].offset) return std::nullopt;

    const std::vector<GroundPoint>& g = ground.points();
    // Every offset where either line bends, within (from, to), in order.
    std::vector<double> cuts;
    cuts.reserve(g.size() + design.size() + 2);
    cuts.push_back(from);
    std::size_t gi = 0, di = 0;
    while (gi < g.size() || di < design.size()) {
        double next;
        if (di >= design.size() || (gi < g.size() && g[gi].offset <= design[di].offset))
            next = g[gi++].offset;
        else
            next = design[di++].offset;
        if (next > cuts.back() && next < to) cuts.push_back(next);
    }
    if (to > cuts.back()) cuts.push_back(to);

    CutFill a;
    std::size_t gj = 0, dj = 0;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
        const double p = cuts[k], q = cuts[k + 1];
        while (gj + 2 < g.size() && g[gj + 1].offset <= p) ++gj;
        // The design piece that runs over (p, q): after any vertical jump at p.
        while (dj + 2 < design.size() && design[dj + 1].offset <= p) ++dj;
        const GroundPoint &g0 = g[gj], &g1 = g[gj + 1];
        const SectionVertex &d0 = design[dj], &d1 = design[dj + 1];
        const auto groundAt = [&](double v) { return g0.z + (g1.z - g0.z) * (v - g0.offset) / (g1.offset - g0.offset); };
        const auto designAt = [&](double v) {
            return d1.offset == d0.offset ? d1.z : d0.z + (d1.z - d0.z) * (v - d0.offset) / (d1.offset - d0.offset);
        };
        const double h0 = groundAt(p) - designAt(p), h1 = groundAt(q) - designAt(q), w = q - p;
        if (h0 >= 0 && h1 >= 0) {
            a.cut += (h0 + h1) / 2 * w;
        } else if (h0 <= 0 && h1 <= 0) {
            a.fill -= (h0 + h1) / 2 * w;
        } else {
            // The lines cross inside: a triangle on each side.
            const double t = h0 / (h0 - h1);
            const double first = h0 * t * w / 2, second = h1 * (1 - t) * w / 2;
            if (h0 > 0) {
                a.cut += first;
                a.fill -= second;
            } else {
                a.fill -= first;
                a.cut += second;
            }
        }
    }
    Checked(a.cut, "挖方面积");
    Checked(a.fill, "填方面积");
    return a;
}

double AverageEndAreaVolume(double length, double area1, double area2)
{
    return Checked(length * (area1 + area2) / 2, "土石方数量");
}

}  // namespace tarvelo
