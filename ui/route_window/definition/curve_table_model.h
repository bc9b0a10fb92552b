#pragma once
// The curve table (直线、曲线及转角表): one read-only row per JD with its
// station, deflection, radius, spirals, elements, the five main stations in
// K notation, the straight to the next curve and how far the spiral series
// lies from the exact clothoid (warning colour above kSeriesWarningMm, the
// limit of the curve table report).

#include <QAbstractTableModel>
#include <memory>

#include "core/plan/route.h"

namespace tarvelo {

class CurveTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        kName, kStation, kDeflection, kR, kLs1, kLs2, kT1, kT2, kL, kE,
        kZH, kHY, kQZ, kYH, kHZ, kStraight, kSeries, kColumnCount
    };
    using QAbstractTableModel::QAbstractTableModel;

    // Null empties the table.
    void setRoute(std::shared_ptr<const Route> route);
    const std::shared_ptr<const Route>& route() const { return route_; }

    // The text of a cell as shown (for reports and tests); row, column valid.
    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const Route> route_;
};

}  // namespace tarvelo
