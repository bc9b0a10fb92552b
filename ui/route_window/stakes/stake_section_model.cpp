#include "ui/route_window/stakes/stake_section_model.h"

#include <exception>

#include "compute/route_text.h"
#include "core/numbers/angles.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

const char* const kEdgeCaptions[StakeSectionModel::kEdgeColumnCount] = {
    "左边桩X", "左边桩Y", "左边桩高程", "右边桩X", "右边桩Y", "右边桩高程"};
const char* const kStakeoutCaptions[StakeSectionModel::kStakeoutColumnCount] = {"放样方位角", "水平角",
                                                                                "平距", "高差"};

QString U(const std::string& s) { return QString::fromStdString(s); }

QString Signed3(double v) { return (v > 0 ? QStringLiteral("+") : QString()) + U(FormatFixed(v, 3)); }

}  // namespace

std::optional<EdgeStakes> EdgeStakesAt(const Route& route, const CrossSections& sections,
                                       Transition transition, double station, double skew,
                                       std::optional<double> centreZ)
{
    const std::optional<Section> section = sections.SectionAt(station, transition);
    if (!section) return std::nullopt;
    const std::optional<EdgeOffsets> offsets = EdgeOffsetsAtSkew(*section, skew);
    if (!offsets) return std::nullopt;
    const std::optional<RouteStake> left = route.PointAt(station, offsets->left, skew);
    const std::optional<RouteStake> right = route.PointAt(station, offsets->right, skew);
    if (!left || !right) return std::nullopt;
    EdgeStakes out{left->point, right->point, std::nullopt, std::nullopt};
    if (centreZ) {
        out.leftZ = EdgeElevation(*centreZ, section->leftWidth, section->leftSlope);
        out.rightZ = EdgeElevation(*centreZ, section->rightWidth, section->rightSlope);
    }
    return out;
}

std::optional<double> StakeDesignElevation(const CrossSections* sections, Transition transition,
                                           double station, double m, double a, std::optional<double> centreZ)
{
    if (!centreZ || m == 0) return centreZ;
    // Off the centreline the pavement's slope decides: only with a section.
    if (!sections) return std::nullopt;
    const std::optional<Section> section = sections->SectionAt(station, transition);
    if (!section) return std::nullopt;
    return OffsetElevation(*section, *centreZ, m * SinDeg(a));
}

void StakeSectionModel::setSections(std::shared_ptr<const CrossSections> sections, Transition transition)
{
    const int first = kElevation + 1;
    const int before = sections_ ? kEdgeColumnCount : 0, after = sections ? kEdgeColumnCount : 0;
    resizeColumnGroup(first, before, after, [&] {
        sections_ = std::move(sections);
        transition_ = transition;
    });
}

void StakeSectionModel::setStakeout(std::optional<StakeoutSetup> setup)
{
    const int first = kElevation + 1 + (sections_ ? kEdgeColumnCount : 0);
    const auto count = [](const std::optional<StakeoutSetup>& s) {
        if (!s) return 0;
        return s->station.elevation && s->station.instrumentHeight ? int(kStakeoutColumnCount)
                                                                   : int(kStakeoutColumnCount) - 1;
    };
    const int before = count(stakeout_), after = count(setup);
    resizeColumnGroup(first, before, after, [&] { stakeout_ = std::move(setup); });
}

template <class Apply>
void StakeSectionModel::resizeColumnGroup(int first, int before, int after, Apply apply)
{
    // Columns come and go at the group's end, so the view keeps its rows,
    // its current row and where it is scrolled to (a reset would lose them).
    if (after > before) {
        beginInsertColumns({}, first + before, first + after - 1);
        apply();
        endInsertColumns();
    } else if (after < before) {
        beginRemoveColumns({}, first + after, first + before - 1);
        apply();
        endRemoveColumns();
    } else {
        apply();
    }
    refresh();
}

void StakeSectionModel::refresh()
{
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int StakeSectionModel::edgeColumn() const { return sections_ ? kElevation + 1 : -1; }

int StakeSectionModel::stakeoutColumn() const
{
    if (!stakeout_) return -1;
    return kElevation + 1 + (sections_ ? kEdgeColumnCount : 0);
}

bool StakeSectionModel::hasHeightColumn() const
{
    return stakeout_ && stakeout_->station.elevation && stakeout_->station.instrumentHeight;
}

int StakeSectionModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    int n = kElevation + 1;
    if (sections_) n += kEdgeColumnCount;
    if (stakeout_) n += hasHeightColumn() ? kStakeoutColumnCount : kStakeoutColumnCount - 1;
    return n;
}

std::optional<EdgeStakes> StakeSectionModel::edges(int row) const
{
    if (!sections_ || !route() || row < 0 || row >= rowCount()) return std::nullopt;
    const double station = entry(static_cast<std::size_t>(row)).station;
    const std::optional<double> z = profile() ? profile()->ElevationNear(station) : std::nullopt;
    try {
        return EdgeStakesAt(*route(), *sections_, transition_, station, params().a, z);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<double> StakeSectionModel::stakeElevation(int row) const
{
    if (!profile() || row < 0 || row >= rowCount()) return std::nullopt;
    const double station = entry(static_cast<std::size_t>(row)).station;
    try {
        return StakeDesignElevation(sections_.get(), transition_, station, params().m, params().a,
                                    profile()->ElevationNear(station));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<StakeoutLine> StakeSectionModel::stakeoutLine(int row) const
{
    if (!stakeout_ || row < 0 || row >= rowCount()) return std::nullopt;
    try {
        const RouteTableRow r = computedRow(static_cast<std::size_t>(row));
        StakeTarget target{cellText(row, kStation).toStdString(), r.stake.point.x, r.stake.point.y,
                           stakeElevation(row)};
        const StakeoutResult result = ComputeStakeout(stakeout_->station, stakeout_->backsight, {target});
        if (!result.data) return std::nullopt;
        return result.data->lines.front();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::vector<StakeTarget> StakeSectionModel::stakeoutTargets() const
{
    std::vector<StakeTarget> out;
    for (int row = 0; row < rowCount(); ++row) {
        const std::string name = cellText(row, kStation).toStdString();
        const RouteTableRow r = computedRow(static_cast<std::size_t>(row));
        out.push_back({name, r.stake.point.x, r.stake.point.y, stakeElevation(row)});
        if (const std::optional<EdgeStakes> e = edges(row)) {
            out.push_back({name + "左", e->left.x, e->left.y, e->leftZ});
            out.push_back({name + "右", e->right.x, e->right.y, e->rightZ});
        }
    }
    return out;
}

QString StakeSectionModel::extraText(int row, int column) const
{
    const int edge = edgeColumn(), out = stakeoutColumn();
    if (edge >= 0 && column >= edge && column < edge + kEdgeColumnCount) {
        const std::optional<EdgeStakes> e = edges(row);
        if (!e) return {};
        switch (column - edge) {
        case kLeftX: return U(FormatFixed(e->left.x, 4));
        case kLeftY: return U(FormatFixed(e->left.y, 4));
        case kLeftZ: return e->leftZ ? U(FormatFixed(*e->leftZ, 3)) : QString();
        case kRightX: return U(FormatFixed(e->right.x, 4));
        case kRightY: return U(FormatFixed(e->right.y, 4));
        default: return e->rightZ ? U(FormatFixed(*e->rightZ, 3)) : QString();
        }
    }
    if (out >= 0 && column >= out) {
        const std::optional<StakeoutLine> line = stakeoutLine(row);
        if (!line) return {};
        switch (column - out) {
        case kOutAzimuth: return line->azimuth ? U(FormatAngleDms(*line->azimuth)) : U(line->note);
        case kOutAngle: return line->angle ? U(FormatAngleDms(*line->angle)) : QStringLiteral("—");
        case kOutDistance: return U(FormatFixed(line->distance, 3));
        default: return line->designAboveSight ? Signed3(*line->designAboveSight) : QString();
        }
    }
    return {};
}

QVariant StakeSectionModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() <= kElevation) return StakeElevationModel::data(index, role);
    switch (role) {
    case Qt::DisplayRole: return extraText(index.row(), index.column());
    case Qt::TextAlignmentRole: return int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant StakeSectionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section <= kElevation)
        return StakeElevationModel::headerData(section, orientation, role);
    if (role != Qt::DisplayRole) return {};
    const int edge = edgeColumn(), out = stakeoutColumn();
    if (edge >= 0 && section >= edge && section < edge + kEdgeColumnCount)
        return QString::fromUtf8(kEdgeCaptions[section - edge]);
    if (out >= 0 && section >= out && section < columnCount())
        return QString::fromUtf8(kStakeoutCaptions[section - out]);
    return {};
}

}  // namespace tarvelo
