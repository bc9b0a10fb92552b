#pragma once
// The stake table as the window shows it: every column of StakeTableModel,
// then 设计高程, the design elevation of the row's station on the loaded
// profile (Profile::ElevationAt, 3 decimals), empty where no profile is
// loaded or the profile does not reach the station (never extrapolated).
//
// The stake table's own columns, rows and report stay as they are; the
// elevation is one more column after them, computed when the view asks.

#include <memory>

#include "core/profile/profile.h"
#include "ui/route_window/stakes/stake_table_model.h"

namespace tarvelo {

class StakeElevationModel : public StakeTableModel {
    Q_OBJECT
public:
    using StakeTableModel::StakeTableModel;

    // The column after the stake table's own.
    static constexpr int kElevation = kColumnCount;

    void setProfile(std::shared_ptr<const Profile> profile);
    const std::shared_ptr<const Profile>& profile() const { return profile_; }
    // The shown text of a row's elevation ("" where there is none).
    QString elevationText(int row) const;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const Profile> profile_;
};

}  // namespace tarvelo
