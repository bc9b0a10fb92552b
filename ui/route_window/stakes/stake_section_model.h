#pragma once
// The stake table with the cross sections and the total station: every
// column of StakeElevationModel, then
//  - while cross sections are loaded (setSections): 左边桩X, 左边桩Y,
//    左边桩高程, 右边桩X, 右边桩Y, 右边桩高程 — the pavement edges on the
//    row's skew line (EdgeOffsetsAtSkew of the section at the row's station,
//    by the chosen transition; Route::PointAt), their design elevations by
//    EdgeElevation from the profile's elevation at the station (empty
//    without a profile there); empty where the table does not reach the
//    station;
//  - while a stakeout station is set (setStakeout): 放样方位角, 水平角 (the
//    reading with the backsight at 0°0ˊ0", to whole seconds), 平距 (m, 3
//    decimals) of the row's stake by ComputeStakeout, and 高差 (3 decimals,
//    signed) when the station has its elevation and instrument height and
//    the stake its design elevation.
// Values are computed when the view asks, one row at a time.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compute/total_station.h"
#include "core/section/cross_section.h"
#include "ui/route_window/stakes/stake_elevation_model.h"

namespace tarvelo {

// The instrument station and its orientation, as the 放样 panel reads them.
struct StakeoutSetup {
    InstrumentStation station;
    Backsight backsight;
};

// What the stake table adds to the plain stake files (stake_extras_file.h).
struct StakeExtras {
    std::shared_ptr<const CrossSections> sections;
    Transition transition = Transition::Linear;
    std::optional<StakeoutSetup> stakeout;
    // CASS rows written after the stakes in a CASS file (the earthwork's
    // catch stakes, reports/earthwork_report.h); empty: none.
    std::string catchStakes;
    bool any() const { return sections || stakeout || !catchStakes.empty(); }
};

// The pavement edges of one stake row.
struct EdgeStakes {
    CentrelinePoint left, right;
    std::optional<double> leftZ, rightZ;  // with a centre elevation only
};

// The edges at `station` on the skew line a (decimal degrees, 90 square),
// or nullopt where the sections do not reach the station, the skew runs
// along the centreline or the route has no point there. centreZ: the
// design elevation of the centre, when known. Throws FloatFault as
// EdgeElevation.
std::optional<EdgeStakes> EdgeStakesAt(const Route& route, const CrossSections& sections,
                                       Transition transition, double station, double skew,
                                       std::optional<double> centreZ);

// The design elevation of a stake at `station`, offset m (right +) along the
// skew a (decimal degrees): centreZ on the centreline (m == 0); off it the
// section's elevation at m·sin a from the centre (OffsetElevation), nullopt
// without sections, where they do not reach, or beyond the pavement's edge.
// Throws FloatFault as EdgeElevation.
std::optional<double> StakeDesignElevation(const CrossSections* sections, Transition transition,
                                           double station, double m, double a, std::optional<double> centreZ);

class StakeSectionModel : public StakeElevationModel {
    Q_OBJECT
public:
    using StakeElevationModel::StakeElevationModel;

    enum EdgeColumn { kLeftX, kLeftY, kLeftZ, kRightX, kRightY, kRightZ, kEdgeColumnCount };
    enum StakeoutColumn { kOutAzimuth, kOutAngle, kOutDistance, kOutHeight, kStakeoutColumnCount };

    void setSections(std::shared_ptr<const CrossSections> sections, Transition transition);
    const std::shared_ptr<const CrossSections>& sections() const { return sections_; }
    Transition transition() const { return transition_; }
    // nullopt: no stakeout columns.
    void setStakeout(std::optional<StakeoutSetup> setup);
    const std::optional<StakeoutSetup>& stakeout() const { return stakeout_; }
    // The sections and stakeout for the stake files (stake_extras_file.h).
    StakeExtras extras() const { return {sections_, transition_, stakeout_, {}}; }
    // Every cell shown again (after the profile changed, say).
    void refresh();

    // The first edge column (-1 without sections) and the first stakeout column (-1 without).
    int edgeColumn() const;
    int stakeoutColumn() const;
    // The row's edges (nullopt without sections or where they do not reach).
    std::optional<EdgeStakes> edges(int row) const;
    // The design elevation of the row's own stake: the profile's at the
    // station, on an offset row the elevation at that offset from the
    // section (nullopt without one).
    std::optional<double> stakeElevation(int row) const;
    // The stakeout line of the row's stake (nullopt without a setup or
    // when the row's point cannot be computed).
    std::optional<StakeoutLine> stakeoutLine(int row) const;
    // The stakes for the stakeout sheet: every row's stake, then, with
    // sections, its left and right edge stakes ("K10+700.000左" ...).
    std::vector<StakeTarget> stakeoutTargets() const;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // Makes the group of columns from `first` go from `before` to `after`
    // columns around apply(), which changes what columnCount() says.
    template <class Apply>
    void resizeColumnGroup(int first, int before, int after, Apply apply);
    bool hasHeightColumn() const;
    QString extraText(int row, int column) const;

    std::shared_ptr<const CrossSections> sections_;
    Transition transition_ = Transition::Linear;
    std::optional<StakeoutSetup> stakeout_;
};

}  // namespace tarvelo
