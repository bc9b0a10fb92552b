#pragma once
// The design check's rows as a read-only table: 行, 点名, 桩号, ΔX, ΔY,
// 平距差, Δ高程, 垂足桩号, 垂足偏距, 结论. The rows that are not 相符 come
// first, on a tinted background with their reason as the tooltip, then the
// rest; each group in line order.

#include <QAbstractTableModel>
#include <vector>

#include "compute/design_check.h"

namespace tarvelo {

class CheckTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kLine, kName, kStation, kDx, kDy, kDistance, kDz, kFootStation, kFootOffset, kClass, kColumns };

    using QAbstractTableModel::QAbstractTableModel;

    // Shows result's rows in the order above (an empty result: no rows).
    void setResult(const DesignCheckResult& result);
    void clear();

    std::size_t size() const { return rows_.size(); }
    // The row shown at r (0 <= r < size()).
    const DesignCheckRow& row(std::size_t r) const { return rows_[r]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The background of a row that is not 相符.
    static QColor flaggedBackground();

private:
    std::vector<DesignCheckRow> rows_;
};

}  // namespace tarvelo
