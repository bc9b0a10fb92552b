#pragma once
// The roadbed template (路基模板): what lies outside the pavement on each
// side of the road, from a starting station on, and the design section it
// makes at one station (路基边缘, the fill slope down to its foot 坡脚, the
// cut slope with its ditch up to its top 坡口).
//
// Units and signs, as everywhere in Tarvelo:
//  - widths, heights, depths, offsets and elevations in metres;
//  - offsets perpendicular to the centreline, left negative, right positive;
//    a SideSection answers in signed offsets of its own side (never the
//    other sign; 0 only at the centre);
//  - ratios m horizontal per vertical (1:1.5 is 1.5), >= 0;
//  - slopes in percent, positive rising away from the centreline (outward),
//    as the cross-section table's cross slopes; within
//    +-kMaxCrossSlopePercent.
//
// One side's template (SideTemplate) holds, outward in this order:
//  - shoulder pieces (路肩: 硬路肩, 土路肩), each a width at a slope, from
//    the pavement edge (or from the centre when there is no pavement) to the
//    roadbed edge, the hinge (uH, zH);
//  - the fill branch (填方): level after level from the hinge, each going
//    out m*h while falling h, then its berm (平台: width, slope %); the last
//    level has no height and falls without end;
//  - the cut branch (挖方): the ditch when there is one (边沟: down the inner
//    side 1:m1 by its depth, across its bottom, up the outer side 1:m2 back to
//    zH), then level after level rising h over m*h, each with its berm; the
//    last rises without end.
// Which branch holds at a point is decided by its elevation: below zH fill,
// at or above zH cut.
//
// Templates, SideSections and every result are immutable values: built
// once, checked, then only queried through const methods. Nothing here
// throws for finite input within the limits below; non-finite input is
// refused by Build and answered with nullopt by the queries.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

// Widths, heights, depths and ratios beyond this are refused: no roadbed
// comes near it, and it keeps every offset and elevation finite.
inline constexpr double kMaxTemplateValue = 10000;

// A route position this far (metres) before a template's starting station
// still gets that template: stations in files carry three decimals, and
// stations mapped through chain breaks differ from them by rounding.
inline constexpr double kTemplateStationTolerance = 0.001;

enum class RoadSide { Left, Right };
enum class SlopeBranch { Fill, Cut };

// -1 for the left, +1 for the right: the sign of that side's offsets.
inline double SideSign(RoadSide side) { return side == RoadSide::Left ? -1.0 : 1.0; }

struct ShoulderPiece {
    double width = 0;         // >= 0
    double slopePercent = 0;  // rising outward +
};

// Berm width 0 means no berm (its slope is then 0 and means nothing).
struct SlopeLevel {
    double ratio = 0;                  // m; > 0 for fill, >= 0 for cut (0: a vertical rock face)
    std::optional<double> height;      // h > 0; absent exactly on the branch's last level
    double bermWidth = 0;              // >= 0; 0 on the last level
    double bermSlopePercent = 0;       // rising outward +
};

struct Ditch {
    double bottomWidth = 0;  // >= 0
    double depth = 0;        // > 0
    double innerRatio = 0;   // m1 >= 0, the side next to the road
    double outerRatio = 0;   // m2 >= 0
};

struct SideTemplate {
    std::vector<ShoulderPiece> shoulders;  // outward, in file order; may be empty
    std::optional<Ditch> ditch;            // only with cut levels
    std::vector<SlopeLevel> cut;           // empty: no cut branch on this side
    std::vector<SlopeLevel> fill;          // empty: no fill branch on this side
};

// The parts of one side from one station on.
struct SideTemplateAt {
    double station = 0;  // the route position it starts at
    int line = 0;        // the line of its first row in the source file; 0 when typed
    SideTemplate side;
};

enum class TemplateSides { Left, Right, Both };
enum class TemplatePart { Shoulder, Ditch, Cut, Fill };

// One row of the template table as typed or read from a file: one part of
// one side from a station on. p holds the parameters as the table gives them
// (an empty cell is nullopt):
//   Shoulder: width, slope %
//   Ditch:    bottom width, depth, inner ratio, outer ratio
//   Cut/Fill: ratio m, height h, berm width, berm slope %
struct TemplateRow {
    double station = 0;  // a route position; the caller maps displayed stations first
    TemplateSides sides = TemplateSides::Both;
    TemplatePart part = TemplatePart::Shoulder;
    std::array<std::optional<double>, 4> p{};
    int line = 0;  // line in the source file; 0 when typed
};

// Why a template cannot be built or its file read. line: the file line (0
// when typed or the whole table is meant); column: the 1-based cell at fault
// (1 起始桩号, 2 侧, 3 部位, 4..7 参数1..参数4; 0 for the whole row).
// message: a complete Chinese sentence naming the line (or the row's number
// when typed) and the cell, then the reason.
struct TemplateIssue {
    int line = 0;
    int column = 0;
    std::string message;
};

// The cell names of the template table, 1-based as TemplateIssue::column.
const char* TemplateColumnName(int column);

// The fault of one row on its own, or nullopt: a parameter that is not
// finite or beyond kMaxTemplateValue, a required parameter missing, a
// parameter given where the part has none, a negative width, a height or
// depth that is not > 0, a fill ratio that is not > 0, a negative ratio, a
// slope beyond +-kMaxCrossSlopePercent, a berm slope without a berm width.
// The issue's message is the reason without the line prefix; its column
// names the cell. The file reader and Build both use it.
std::optional<TemplateIssue> TemplateRowFault(const TemplateRow& row);

class RoadbedTemplate {
public:
    struct Built;

    // The template of the rows, or the first reason it cannot be one. Rows
    // with the same station and side make that side's template from that
    // station, parts in row order (a Both row joins both sides). Refused,
    // naming the row's line and cell:
    //  - no rows at all;
    //  - a row fault (TemplateRowFault);
    //  - a second ditch on one side and station;
    //  - a ditch on a side without cut levels (a ditch on the fill side);
    //  - a level that is not its branch's last without a height, a height
    //    on the last level, a berm after the last level.
    static Built Build(const std::vector<TemplateRow>& rows);

    // Each side's templates in increasing station order.
    const std::vector<SideTemplateAt>& sides(RoadSide side) const
    {
        return side == RoadSide::Left ? left_ : right_;
    }

    // The side's template in force at route position s: the one with the
    // greatest starting station <= s + kTemplateStationTolerance. nullptr
    // before that side's first station, for a side that has none, or for NaN.
    // The pointer lives as long as this value. O(log n).
    const SideTemplateAt* At(double s, RoadSide side) const;

private:
    std::vector<SideTemplateAt> left_, right_;
};

struct RoadbedTemplate::Built {
    std::optional<RoadbedTemplate> roadbed;
    std::optional<TemplateIssue> error;  // set exactly when roadbed is not
};

// One side's template as one line for reports and tooltips:
// "路肩 0.75 m -4%；边沟 底宽 0.6 深 0.6 1:1/1:1；挖方 1:0.75 高 8 平台 2 m 2%，1:1；填方 1:1.5 高 8 平台 2 m -2%，1:1.75".
std::string DescribeSideTemplate(const SideTemplate& side);

// A point of the design section: signed offset, elevation.
struct SectionVertex {
    double offset = 0;
    double z = 0;
};

// Where a branch reaches an elevation.
struct CatchPoint {
    double offset = 0;  // signed, on the section's side
    double z = 0;       // the elevation asked for
    int level = 0;      // the level it lies on, 1 = first; a berm belongs to the level before it
};

// One branch from the hinge outward: vertices[0] is the hinge; segment i
// runs from vertices[i] to vertices[i + 1] and belongs to level levels[i]
// (0 for the ditch); after the last vertex the last level runs without end,
// going |m| outward per metre of height (down for fill, up for cut).
struct BranchLine {
    std::vector<SectionVertex> vertices;
    std::vector<int> levels;  // one per segment
    double lastRatio = 0;     // m of the unbounded last level
    int lastLevel = 1;        // its number
};

// The design section on one side at one station: the roadbed top from the
// centre (offset 0, the centre's design elevation) through the pavement edge
// and the shoulder pieces to the hinge, and the two branches beyond.
class SideSection {
public:
    // pavementWidth >= 0 and pavementSlopePercent (as a cross section's
    // side; width 0 when there is no pavement table: the shoulders then
    // start at the centre). nullopt when an input is not finite or a vertex
    // would not be (values near the largest double).
    static std::optional<SideSection> Make(RoadSide side, double centreZ, double pavementWidth,
                                           double pavementSlopePercent, const SideTemplate& tpl);

    RoadSide side() const { return side_; }
    SectionVertex hinge() const { return top_.back(); }
    // The roadbed top from the centre to the hinge, inclusive, outward.
    const std::vector<SectionVertex>& roadTop() const { return top_; }
    // Whether the template has that branch on this side.
    bool has(SlopeBranch b) const;
    // The branch; empty vertices when !has(b).
    const BranchLine& branch(SlopeBranch b) const { return b == SlopeBranch::Fill ? fill_ : cut_; }

    // The branch a point of elevation z lies against: Fill when z < zH,
    // else Cut. Precondition: z finite.
    SlopeBranch BranchFor(double z) const { return z < hinge().z ? SlopeBranch::Fill : SlopeBranch::Cut; }

    // The roadbed top's elevation at `offset` (signed, on this side; -0 and
    // 0 both the centre): linear between the vertices. nullopt when the
    // offset lies on the other side, beyond the hinge by more than 1e-9 m,
    // or is NaN.
    std::optional<double> TopElevation(double offset) const;

    // The branch's elevation at `offset` (signed, on this side), |offset| >=
    // |uH| (the hinge itself included). Where the branch runs vertically (a
    // face of m = 0, a vertical ditch side) the point reached first going
    // outward. nullopt when the branch is missing, the offset lies inside
    // the hinge or on the other side, lies beyond a vertical last level (no
    // design surface there), or is NaN.
    std::optional<double> BranchElevation(SlopeBranch b, double offset) const;

    // Where the branch first reaches elevation z going outward: for fill
    // from the hinge, z <= zH expected; for cut from the ditch's outer top
    // (the hinge when there is no ditch), z >= zH expected. A z the branch
    // meets only along a level stretch (a flat berm) gives that stretch's
    // inner end. nullopt when the branch is missing, never reaches z (z
    // above zH for fill, below it for cut, or a berm rising away), or z is
    // NaN.
    std::optional<CatchPoint> Catch(SlopeBranch b, double z) const;

    // The whole design line of this side for drawing: the roadbed top, then
    // the branch's vertices, then the last level carried `extent` metres
    // further out in offset (or up/down by `extent` for a vertical last
    // level). Just the roadbed top when the branch is missing.
    std::vector<SectionVertex> Outline(SlopeBranch b, double extent) const;

private:
    RoadSide side_ = RoadSide::Right;
    std::vector<SectionVertex> top_;
    BranchLine fill_, cut_;
    std::size_t cutSearchStart_ = 0;  // the cut branch's vertex after the ditch
};

}  // namespace tarvelo
