#pragma once
// The two field computations on the roadbed template, per surveyed point:
//  - slope staking (边坡放样): where the fill slope meets the ground (坡脚)
//    or the cut slope leaves it (坡口), for ground level through the shot,
//    and how far the rod must move;
//  - the level check (高程检测): the design elevation under the rod and the
//    point's height above it.
// Plain C++. Units: metres; offsets perpendicular to the centre line, left
// negative; stations are the route's own (start + distance), the caller
// shows them as displayed stations.

#include <optional>
#include <string>

#include "compute/route_inverse.h"
#include "core/plan/route.h"
#include "core/profile/profile.h"
#include "core/section/cross_section.h"
#include "core/section/roadbed_template.h"

namespace tarvelo {

// A point this close (metres) to the centre line has no side.
inline constexpr double kCentreLineTolerance = 0.001;

// What a point is computed against. The references must outlive it.
// profile: already on the route's own stations (ProfileOnRoute). sections:
// the pavement, nullptr when there is none (the template's shoulders start
// at the centre). roadbed: nullptr when there is no template.
struct SlopeDesign {
    const Route& route;
    const RouteInverse& inverse;
    const Profile& profile;
    const CrossSections* sections = nullptr;
    const RoadbedTemplate* roadbed = nullptr;
    Transition transition = Transition::Linear;
};

enum class SlopeOutcome { Ok, Outside, Centre, NoTemplate, NoProfile };

// One surveyed point's slope stake. Fields beyond `outcome` are set as far as
// the outcome allows: station and offset from Centre on, side and the rest
// only for Ok (and for NoTemplate the side).
struct SlopeStake {
    SlopeOutcome outcome = SlopeOutcome::Outside;
    double station = 0;  // the route's own station of the nearest foot
    double offset = 0;   // signed, left negative
    RoadSide side = RoadSide::Right;
    SlopeBranch branch = SlopeBranch::Fill;  // below the hinge fill, at or above it cut
    SectionVertex hinge;                     // signed offset, elevation
    CatchPoint catchPoint;                   // where the branch reaches the point's elevation
    double catchX = 0, catchY = 0;           // its coordinates (north, east)
    double move = 0;                         // |catch offset| - |offset|: + outward (向外), - inward (向内)
    std::optional<double> designZ;           // the branch at the point's own offset (none inside the hinge)
    std::optional<double> dz;                // z - designZ
    const SideTemplateAt* used = nullptr;    // the side's template in force (Ok, and NoTemplate when some)
    std::string reason;                      // a sentence for every outcome but Ok
};

// The slope stake of the point (x north, y east, z its elevation). Requires
// design.roadbed. Throws FloatFault for non-finite input or a result that is
// not finite.
SlopeStake ComputeSlopeStake(const SlopeDesign& design, double x, double y, double z);

enum class LevelOutcome { Ok, Outside, NoProfile, NoTemplate, OutsideSection };
enum class LevelPart { Road, Fill, Cut };

struct LevelCheck {
    LevelOutcome outcome = LevelOutcome::Outside;
    double station = 0, offset = 0;  // as SlopeStake
    LevelPart part = LevelPart::Road;
    double designZ = 0, dz = 0;      // Ok only; dz = z - designZ (+ 高: still to cut, - 低: still to fill)
    bool within = false;             // |dz| <= tolerance (Ok only)
    std::string reason;              // a sentence for every outcome but Ok
};

// The level check of the point: inside the roadbed top (|offset| <= |uH|)
// the road top lowered by depth (metres below the finished surface, >= 0);
// beyond the hinge the branch the point's elevation selects (needs the
// template: without one, or where its branch has no surface, OutsideSection;
// before the side's first template station NoTemplate). Without a template
// the roadbed top ends at the pavement edge. within: |dz| <= toleranceZ +
// 1e-9 (the design's millimetres in binary). Throws FloatFault as above.
LevelCheck ComputeLevelCheck(const SlopeDesign& design, double x, double y, double z, double depth,
                             double toleranceZ);

// The design section of one side at the route's own station k: the pavement
// of design.sections (or none), the side's template (or an empty one), the
// profile's centre elevation. nullopt and *reason when the profile or the
// cross sections do not reach k. The window's section drawing uses it too.
std::optional<SideSection> DesignSideAt(const SlopeDesign& design, double k, RoadSide side,
                                        const SideTemplateAt** used, std::string* reason);

const char* SlopeOutcomeName(SlopeOutcome o);  // "ok", "outside", "centre", "no_template", "no_profile"
const char* LevelOutcomeName(LevelOutcome o);  // "ok", "outside", "no_profile", "no_template", "outside_section"
const char* LevelPartName(LevelPart p);        // "road", "fill", "cut"

}  // namespace tarvelo
