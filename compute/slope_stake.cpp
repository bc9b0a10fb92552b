#include "compute/slope_stake.h"

#include <algorithm>
#include <cmath>

#include "compute/route_station_text.h"
#include "core/numbers/float_fault.h"

namespace tarvelo {

namespace {

// The foot of the point and what every outcome shares; false when the
// point lies beyond an end of the route.
bool Foot(const SlopeDesign& d, double x, double y, double z, double* k, double* offset)
{
    Checked(x, "X");
    Checked(y, "Y");
    Checked(z, "高程");
    const RouteFoot f = d.inverse.Find(x, y);
    if (f.outcome == RouteFootOutcome::Outside) return false;
    *k = f.station;
    *offset = f.offset;
    return true;
}

std::string NoProfileReason(const Route& r, double k)
{
    return "桩号 " + RouteStationText(r, k) + " 不在纵断面的范围之内，没有设计高程。";
}

}  // namespace

std::optional<SideSection> DesignSideAt(const SlopeDesign& d, double k, RoadSide side, const SideTemplateAt** used,
                                        std::string* reason)
{
    *used = nullptr;
    const std::optional<double> zc = d.profile.ElevationNear(k);
    if (!zc) {
        *reason = NoProfileReason(d.route, k);
        return std::nullopt;
    }
    double width = 0, slope = 0;
    if (d.sections) {
        const std::optional<Section> s = d.sections->SectionAt(k, d.transition);
        if (!s) {
            *reason = "桩号 " + RouteStationText(d.route, k) + " 在横断面表的范围之外，没有路面宽度。";
            return std::nullopt;
        }
        width = side == RoadSide::Left ? s->leftWidth : s->rightWidth;
        slope = side == RoadSide::Left ? s->leftSlope : s->rightSlope;
    }
    if (d.roadbed) *used = d.roadbed->At(k, side);
    const SideTemplate none;
    std::optional<SideSection> section = SideSection::Make(side, *zc, width, slope, *used ? (*used)->side : none);
    if (!section) throw FloatFault("路基边缘高程");
    return section;
}

SlopeStake ComputeSlopeStake(const SlopeDesign& d, double x, double y, double z)
{
    SlopeStake s;
    if (!Foot(d, x, y, z, &s.station, &s.offset)) {
        s.outcome = SlopeOutcome::Outside;
        s.reason = "点不在线路范围之内（垂足在起点之前或终点之后）。";
        return s;
    }
    if (std::fabs(s.offset) <= kCentreLineTolerance) {
        s.outcome = SlopeOutcome::Centre;
        s.reason = "点在中线上，分不出左右侧。";
        return s;
    }
    if (!d.profile.ElevationNear(s.station)) {
        s.outcome = SlopeOutcome::NoProfile;
        s.reason = NoProfileReason(d.route, s.station);
        return s;
    }
    s.side = s.offset < 0 ? RoadSide::Left : RoadSide::Right;
    const char* sideName = s.side == RoadSide::Left ? "左侧" : "右侧";
    const std::optional<SideSection> section = DesignSideAt(d, s.station, s.side, &s.used, &s.reason);
    s.outcome = SlopeOutcome::NoTemplate;
    if (!section) return s;
    if (!s.used) {
        s.reason = "桩号 " + RouteStationText(d.route, s.station) + " 在" + sideName + "第一个模板起始桩号之前，没有路基模板。";
        return s;
    }
    s.hinge = section->hinge();
    s.branch = section->BranchFor(z);
    if (!section->has(s.branch)) {
        s.reason = std::string(sideName) + "的路基模板（起始桩号 " + RouteStationText(d.route, s.used->station) +
                   "）没有" + (s.branch == SlopeBranch::Fill ? "填方" : "挖方") + "边坡。";
        return s;
    }
    const std::optional<CatchPoint> c = section->Catch(s.branch, z);
    if (!c) {
        // Only a berm rising away from the road can keep a branch from an
        // elevation on its own side of the hinge.
        s.reason = "边坡到不了该点的高程（平台横坡使边坡折回）。";
        return s;
    }
    s.outcome = SlopeOutcome::Ok;
    s.reason.clear();
    s.catchPoint = *c;
    const std::optional<RouteStake> at = d.route.PointAt(s.station, c->offset, 90);
    if (!at) throw FloatFault("坡脚坐标");
    s.catchX = Checked(at->point.x, "坡脚X");
    s.catchY = Checked(at->point.y, "坡脚Y");
    s.move = Checked(std::fabs(c->offset) - std::fabs(s.offset), "移动距离");
    s.designZ = section->BranchElevation(s.branch, s.offset);
    if (s.designZ) s.dz = Checked(z - *s.designZ, "高差");
    return s;
}

LevelCheck ComputeLevelCheck(const SlopeDesign& d, double x, double y, double z, double depth, double toleranceZ)
{
    LevelCheck c;
    if (!Foot(d, x, y, z, &c.station, &c.offset)) {
        c.outcome = LevelOutcome::Outside;
        c.reason = "点不在线路范围之内（垂足在起点之前或终点之后）。";
        return c;
    }
    if (!d.profile.ElevationNear(c.station)) {
        c.outcome = LevelOutcome::NoProfile;
        c.reason = NoProfileReason(d.route, c.station);
        return c;
    }
    const RoadSide side = c.offset < 0 ? RoadSide::Left : RoadSide::Right;
    const SideTemplateAt* used = nullptr;
    const std::optional<SideSection> section = DesignSideAt(d, c.station, side, &used, &c.reason);
    if (!section) {
        c.outcome = LevelOutcome::OutsideSection;
        return c;
    }
    const double uH = std::fabs(section->hinge().offset);
    if (std::fabs(c.offset) <= uH + 1e-9) {
        c.part = LevelPart::Road;
        c.designZ = Checked(*section->TopElevation(std::clamp(c.offset, -uH, uH)) - depth, "设计高程");
    } else {
        const char* sideName = side == RoadSide::Left ? "左侧" : "右侧";
        if (d.roadbed && !used) {
            c.outcome = LevelOutcome::NoTemplate;
            c.reason = "桩号 " + RouteStationText(d.route, c.station) + " 在" + sideName +
                       "第一个模板起始桩号之前，没有路基模板。";
            return c;
        }
        const SlopeBranch b = section->BranchFor(z);
        c.part = b == SlopeBranch::Fill ? LevelPart::Fill : LevelPart::Cut;
        const std::optional<double> design = section->BranchElevation(b, c.offset);
        if (!design) {
            c.outcome = LevelOutcome::OutsideSection;
            c.reason = !d.roadbed ? std::string("点在路面以外，没有路基模板就没有设计高程（需要 --template）。")
                                  : std::string(sideName) + "在该偏距处没有" + (b == SlopeBranch::Fill ? "填方" : "挖方") +
                                        "边坡。";
            return c;
        }
        c.designZ = *design;
    }
    c.outcome = LevelOutcome::Ok;
    c.reason.clear();
    c.dz = Checked(z - c.designZ, "高差");
    c.within = std::fabs(c.dz) <= toleranceZ + 1e-9;
    return c;
}

const char* SlopeOutcomeName(SlopeOutcome o)
{
    switch (o) {
    case SlopeOutcome::Ok: return "ok";
    case SlopeOutcome::Outside: return "outside";
    case SlopeOutcome::Centre: return "centre";
    case SlopeOutcome::NoTemplate: return "no_template";
    case SlopeOutcome::NoProfile: break;
    }
    return "no_profile";
}

const char* LevelOutcomeName(LevelOutcome o)
{
    switch (o) {
    case LevelOutcome::Ok: return "ok";
    case LevelOutcome::Outside: return "outside";
    case LevelOutcome::NoProfile: return "no_profile";
    case LevelOutcome::NoTemplate: return "no_template";
    case LevelOutcome::OutsideSection: break;
    }
    return "outside_section";
}

const char* LevelPartName(LevelPart p)
{
    switch (p) {
    case LevelPart::Road: return "road";
    case LevelPart::Fill: return "fill";
    case LevelPart::Cut: break;
    }
    return "cut";
}

}  // namespace tarvelo
