#pragma once
// The stake table (逐桩坐标表) of the route: exactly the rows of the route
// table (CheckRouteTable, RouteTableCursor) for the given parameters.
//
// Only the cheap part of each row is kept (16 bytes: station, main point,
// JD); its point is computed when the view asks for it (ComputeRouteTableRow),
// so a million-row table fills in a fraction of a second and scrolls freely.

#include <QAbstractTableModel>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compute/route_table.h"

namespace tarvelo {

class StakeTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kStation, kX, kY, kAzimuth, kKind, kColumnCount };
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the table with the route table of `route` and `params`; on a
    // refusal (CheckRouteTable's sentence) the table stays as it was.
    std::optional<std::string> fill(std::shared_ptr<const Route> route,
                                    const RouteTableParams& params);
    void clear();

    std::size_t size() const { return entries_.size(); }
    // The route of the table (null while there is none).
    const std::shared_ptr<const Route>& route() const { return route_; }
    const RouteTableParams& params() const { return params_; }
    RouteTableEntry entry(std::size_t row) const;
    // The computed row; throws FloatFault as ComputeRouteTableRow does.
    RouteTableRow computedRow(std::size_t row) const;
    // The text of a cell as shown; "" where the point could not be computed.
    QString cellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Packed {
        double station;
        std::int32_t jd;    // -1: none
        std::uint8_t kind;  // index into kinds_
    };
    // The row the view asked for last, with its point: a view asks for each
    // column of a row in turn.
    const RouteTableRow* cached(std::size_t row) const;

    std::shared_ptr<const Route> route_;
    RouteTableParams params_;
    std::vector<Packed> entries_;
    std::vector<std::string> kinds_;  // the few distinct names ("", QD, ZH ...)
    mutable std::size_t cachedRow_ = SIZE_MAX;
    mutable std::optional<RouteTableRow> cachedValue_;
};

}  // namespace tarvelo
