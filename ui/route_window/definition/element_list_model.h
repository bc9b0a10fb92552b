#pragma once
// The element list of an element route (线元要素表), shown where a JD route
// shows its curve table: one read-only row per piece of the centreline with
// its name, kind (直线 / 缓和曲线 / 圆曲线), start and end stations in K
// notation, length, end radii (∞ for a straight end) and turn. A JD route,
// or none, leaves it empty.

#include <QAbstractTableModel>
#include <memory>

#include "core/plan/route.h"

namespace tarvelo {

class ElementListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kName, kKind, kStart, kEnd, kLength, kRStart, kREnd, kTurn, kColumnCount };
    using QAbstractTableModel::QAbstractTableModel;

    // Null or a JD route empties the list.
    void setRoute(std::shared_ptr<const Route> route);
    const std::shared_ptr<const Route>& route() const { return route_; }

    // The text of a cell as shown; row, column valid.
    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const Route> route_;  // an element route, or null
};

}  // namespace tarvelo
