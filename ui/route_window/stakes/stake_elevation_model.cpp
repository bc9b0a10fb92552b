#include "ui/route_window/stakes/stake_elevation_model.h"

#include "core/numbers/number_text.h"

namespace tarvelo {

void StakeElevationModel::setProfile(std::shared_ptr<const Profile> profile)
{
    profile_ = std::move(profile);
    if (rowCount() > 0) emit dataChanged(index(0, kElevation), index(rowCount() - 1, kElevation));
}

QString StakeElevationModel::elevationText(int row) const
{
    if (!profile_ || row < 0 || row >= rowCount()) return {};
    const std::optional<double> z = profile_->ElevationNear(entry(static_cast<std::size_t>(row)).station);
    return z ? QString::fromStdString(FormatFixed(*z, 3)) : QString();
}

int StakeElevationModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount + 1;
}

QVariant StakeElevationModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != kElevation) return StakeTableModel::data(index, role);
    switch (role) {
    case Qt::DisplayRole: return elevationText(index.row());
    case Qt::TextAlignmentRole: return int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant StakeElevationModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == kElevation)
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("设计高程")) : QVariant();
    return StakeTableModel::headerData(section, orientation, role);
}

}  // namespace tarvelo
