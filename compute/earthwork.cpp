#include "compute/earthwork.h"

#include <algorithm>
#include <cmath>

#include "core/numbers/float_fault.h"

namespace tarvelo {

namespace {

const char* SideName(RoadSide s) { return s == RoadSide::Left ? "左侧" : "右侧"; }

// One side from the centre outward to its catch: the roadbed top (the
// pavement part `depth` lower, with a vertical side at its edge), then the
// branch up to the catch. Sets *problem instead when there is none.
struct SideResult {
    std::vector<SectionVertex> line;  // outward, the centre first
    std::optional<CatchStake> stake;
    std::string problem;
};

SideResult ComputeSide(const EarthworkDesign& d, const GroundSection& ground, double k, double zc, RoadSide side)
{
    SideResult r;
    const SideTemplateAt* tpl = d.roadbed->At(k, side);
    if (!tpl) {
        r.problem = std::string(SideName(side)) + "没有路基模板";
        return r;
    }
    double width = 0, slope = 0;
    if (d.pavement) {
        const std::optional<Section> s = d.pavement->SectionAt(k, d.transition);
        if (!s) {
            r.problem = "没有横断面（路面宽度）";
            return r;
        }
        width = side == RoadSide::Left ? s->leftWidth : s->rightWidth;
        slope = side == RoadSide::Left ? s->leftSlope : s->rightSlope;
    }
    const std::optional<SideSection> sec = SideSection::Make(side, zc, width, slope, tpl->side);
    if (!sec) throw FloatFault("路基设计线");
    const SectionVertex hinge = sec->hinge();
    const std::optional<double> zg = ground.ElevationAt(hinge.offset);
    if (!zg) {
        r.problem = std::string(SideName(side)) + "地面线未测到路基边缘";
        return r;
    }
    const SlopeBranch branch = sec->BranchFor(*zg);
    const char* what = branch == SlopeBranch::Fill ? "坡脚" : "坡口";
    if (!sec->has(branch)) {
        r.problem = std::string(SideName(side)) + "模板没有" + (branch == SlopeBranch::Fill ? "填方" : "挖方") + "边坡";
        return r;
    }
    const Crossing c = BranchCrossing(ground, *sec, branch);
    if (c.outcome == CrossingOutcome::GroundEnds) {
        r.problem = std::string(SideName(side)) + "地面线在" + what + "之前结束";
        return r;
    }
    if (c.outcome != CrossingOutcome::Found) {
        r.problem = std::string(SideName(side)) + "边坡与地面线不相交";
        return r;
    }
    // The roadbed top, the trough lowered over the pavement.
    const std::vector<SectionVertex>& top = sec->roadTop();
    const double s = SideSign(side);
    r.line.push_back({0, width > 0 ? zc - d.depth : zc});
    for (std::size_t i = 1; i < top.size(); ++i) {
        const bool pavementEdge = width > 0 && i == 1;
        if (pavementEdge && d.depth > 0) r.line.push_back({top[i].offset, top[i].z - d.depth});
        r.line.push_back(top[i]);
    }
    // The branch to the catch: the vertices before the crossing's piece.
    const BranchLine& b = sec->branch(branch);
    std::size_t first = 0;
    if (branch == SlopeBranch::Cut)
        while (first < b.levels.size() && b.levels[first] == 0) ++first;
    const std::size_t last = std::min(first + static_cast<std::size_t>(c.piece), b.vertices.size() - 1);
    for (std::size_t i = 1; i <= last; ++i) r.line.push_back(b.vertices[i]);
    if (s * c.point.offset > s * r.line.back().offset || c.point.z != r.line.back().z) r.line.push_back(c.point);
    CatchStake stake;
    stake.branch = branch;
    stake.offset = c.point.offset;
    stake.z = c.point.z;
    stake.level = c.level;
    const std::optional<RouteStake> p = d.route->PointAt(k, c.point.offset, 90);
    if (!p) throw FloatFault("坡脚坐标");
    stake.x = p->point.x;
    stake.y = p->point.y;
    r.stake = stake;
    return r;
}

}  // namespace

EarthworkSection ComputeEarthworkSection(const EarthworkDesign& d, const GroundSection& ground)
{
    EarthworkSection out;
    out.at = ground.at();
    const double k = d.route->start().station + ground.at().distance;
    const std::optional<double> zc = d.profile->ElevationNear(k);
    if (!zc) {
        out.problem = "该桩号没有设计高程（纵断面未覆盖）";
        return out;
    }
    SideResult left = ComputeSide(d, ground, k, *zc, RoadSide::Left);
    SideResult right = ComputeSide(d, ground, k, *zc, RoadSide::Right);
    if (left.stake) out.left = left.stake;
    if (right.stake) out.right = right.stake;
    if (!left.problem.empty() || !right.problem.empty()) {
        out.problem = left.problem;
        if (!right.problem.empty()) out.problem += (out.problem.empty() ? "" : "；") + right.problem;
        return out;
    }
    out.design.assign(left.line.rbegin(), left.line.rend());
    // Both sides start at the centre; it is one point unless only one side
    // has a pavement lowered by the depth.
    const bool sameCentre = right.line.front().z == left.line.front().z;
    out.design.insert(out.design.end(), right.line.begin() + (sameCentre ? 1 : 0), right.line.end());
    const std::optional<CutFill> a =
        CutFillAreas(ground, out.design, out.design.front().offset, out.design.back().offset);
    if (!a) {
        out.problem = "设计线与地面线不能围成断面";
        return out;
    }
    out.areas = a;
    return out;
}

EarthworkResult ComputeEarthwork(const EarthworkDesign& d, const std::vector<GroundSection>& ground)
{
    EarthworkResult r;
    r.sections.reserve(ground.size());
    for (const GroundSection& g : ground) {
        r.sections.push_back(ComputeEarthworkSection(d, g));
        if (!r.sections.back().problem.empty()) ++r.problems;
    }
    for (std::size_t i = 1; i < r.sections.size(); ++i) {
        const EarthworkSection &a = r.sections[i - 1], &b = r.sections[i];
        EarthworkInterval v;
        v.from = i - 1;
        v.to = i;
        v.length = Checked(b.at.distance - a.at.distance, "断面间距");
        if (a.areas && b.areas) {
            v.cut = AverageEndAreaVolume(v.length, a.areas->cut, b.areas->cut);
            v.fill = AverageEndAreaVolume(v.length, a.areas->fill, b.areas->fill);
            r.cut = Checked(r.cut + *v.cut, "挖方数量");
            r.fill = Checked(r.fill + *v.fill, "填方数量");
        } else {
            ++r.leftOut;
        }
        v.runningCut = r.cut;
        v.runningFill = r.fill;
        r.intervals.push_back(v);
    }
    return r;
}

}  // namespace tarvelo
