#include "ui/route_window/earthwork/earthwork_shading.h"

#include <cmath>
#include <optional>

namespace tarvelo {

namespace {

// Builds the regions piece by piece: a piece is a stretch [a, b] on which
// both lines are straight and the ground stays on one side of the design.
class RegionBuilder {
public:
    void piece(double a, double da, double ga, double b, double db, double gb)
    {
        const double e = (ga - da) + (gb - db);
        const int sign = e > 0 ? 1 : e < 0 ? -1 : 0;
        if (sign != sign_) {
            close();
            if (sign == 0) return;
            sign_ = sign;
            design_ = {{a, da}};
            ground_ = {{a, ga}};
        } else if (sign == 0) {
            return;
        } else if (design_.back().offset != a || design_.back().z != da) {
            design_.push_back({a, da});  // the design jumped at a vertical piece
        }
        design_.push_back({b, db});
        ground_.push_back({b, gb});
    }

    void close()
    {
        if (sign_ != 0) {
            std::vector<SectionVertex> polygon = design_;
            // Back along the ground; where both lines meet at an end the point is there once.
            for (auto it = ground_.rbegin(); it != ground_.rend(); ++it) {
                const SectionVertex& p = *it;
                const bool atDesignEnd = (it == ground_.rbegin() && p.offset == polygon.back().offset &&
                                          p.z == polygon.back().z) ||
                                         (std::next(it) == ground_.rend() && p.offset == polygon.front().offset &&
                                          p.z == polygon.front().z);
                if (!atDesignEnd) polygon.push_back(p);
            }
            (sign_ > 0 ? regions_.cut : regions_.fill).push_back(std::move(polygon));
        }
        sign_ = 0;
        design_.clear();
        ground_.clear();
    }

    CutFillRegions take()
    {
        close();
        return std::move(regions_);
    }

private:
    int sign_ = 0;
    std::vector<SectionVertex> design_, ground_;
    CutFillRegions regions_;
};

}  // namespace

CutFillRegions CutFillRegionsOf(const GroundSection& ground, const std::vector<SectionVertex>& design)
{
    RegionBuilder regions;
    for (std::size_t k = 0; k + 1 < design.size(); ++k) {
        const SectionVertex p0 = design[k], p1 = design[k + 1];
        if (!(p1.offset > p0.offset)) continue;  // a vertical piece: the next piece starts below or above it
        // The stretch's breaks: its ends and the ground's vertices inside it.
        std::vector<double> at = {p0.offset};
        for (const GroundPoint& g : ground.points())
            if (g.offset > p0.offset && g.offset < p1.offset) at.push_back(g.offset);
        at.push_back(p1.offset);
        const auto designAt = [&](double u) {
            if (u == p1.offset) return p1.z;
            return p0.z + (p1.z - p0.z) * (u - p0.offset) / (p1.offset - p0.offset);
        };
        for (std::size_t i = 0; i + 1 < at.size(); ++i) {
            const double a = at[i], b = at[i + 1];
            const std::optional<double> ga = ground.ElevationAt(a), gb = ground.ElevationAt(b);
            if (!ga || !gb) {
                regions.close();  // no ground here: nothing to shade
                continue;
            }
            const double da = designAt(a), db = designAt(b);
            const double ea = *ga - da, eb = *gb - db;
            if ((ea > 0 && eb < 0) || (ea < 0 && eb > 0)) {
                // The lines cross inside: split there, one point on both.
                const double t = ea / (ea - eb);
                const double m = a + t * (b - a), dm = da + t * (db - da);
                regions.piece(a, da, *ga, m, dm, dm);
                regions.piece(m, dm, dm, b, db, *gb);
            } else {
                regions.piece(a, da, *ga, b, db, *gb);
            }
        }
    }
    return regions.take();
}

double PolygonArea(const std::vector<SectionVertex>& polygon)
{
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const SectionVertex& p = polygon[i];
        const SectionVertex& q = polygon[(i + 1) % polygon.size()];
        twice += p.offset * q.z - q.offset * p.z;
    }
    return std::fabs(twice) / 2;
}

}  // namespace tarvelo
