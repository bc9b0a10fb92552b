#include "ui/route_window/stakes/stake_table_model.h"

#include <exception>

#include "compute/route_station_text.h"
#include "compute/route_text.h"
#include "core/numbers/angles.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

const char* const kCaptions[StakeTableModel::kColumnCount] = {"桩号", "X", "Y", "方位角",
                                                              "主点"};

QString U(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

std::optional<std::string> StakeTableModel::fill(std::shared_ptr<const Route> route,
                                                 const RouteTableParams& params)
{
    std::size_t rows = 0;
    if (auto refusal = CheckRouteTable(*route, params, &rows)) return refusal;
    std::vector<Packed> entries;
    entries.reserve(rows);
    std::vector<std::string> kinds{std::string()};
    RouteTableCursor cursor(*route, params);
    RouteTableEntry e;
    while (cursor.Next(&e)) {
        std::size_t kind = 0;
        while (kind < kinds.size() && kinds[kind] != e.kind) ++kind;
        if (kind == kinds.size()) kinds.push_back(e.kind);
        entries.push_back({e.station, e.jd ? static_cast<std::int32_t>(*e.jd) : -1,
                           static_cast<std::uint8_t>(kind)});
    }
    beginResetModel();
    route_ = std::move(route);
    params_ = params;
    entries_ = std::move(entries);
    kinds_ = std::move(kinds);
    cachedRow_ = SIZE_MAX;
    endResetModel();
    return std::nullopt;
}

void StakeTableModel::clear()
{
    beginResetModel();
    route_.reset();
    entries_ = {};
    cachedRow_ = SIZE_MAX;
    endResetModel();
}

RouteTableEntry StakeTableModel::entry(std::size_t row) const
{
    const Packed& p = entries_[row];
    RouteTableEntry e;
    e.station = p.station;
    const DisplayedStation shown = route_->Displayed(p.station);
    e.displayed = shown.station;
    e.zone = shown.zone;
    e.twice = StationShownTwice(*route_, shown.station);
    e.kind = kinds_[p.kind];
    if (p.jd >= 0) e.jd = static_cast<std::size_t>(p.jd);
    return e;
}

RouteTableRow StakeTableModel::computedRow(std::size_t row) const
{
    return ComputeRouteTableRow(*route_, entry(row), params_);
}

const RouteTableRow* StakeTableModel::cached(std::size_t row) const
{
    if (row != cachedRow_) {
        cachedRow_ = row;
        try {
            cachedValue_ = computedRow(row);
        } catch (const std::exception&) {
            cachedValue_.reset();  // shown empty; the route itself computed, so this is rare
        }
    }
    return cachedValue_ ? &*cachedValue_ : nullptr;
}

QString StakeTableModel::cellText(int row, int column) const
{
    const std::size_t r = static_cast<std::size_t>(row);
    if (column == kStation) return U(RouteStationText(*route_, entries_[r].station));
    if (column == kKind) return U(kinds_[entries_[r].kind]);
    const RouteTableRow* value = cached(r);
    if (!value) return {};
    const CentrelinePoint& p = value->stake.point;
    switch (column) {
    case kX: return U(FormatFixed(p.x, 4));
    case kY: return U(FormatFixed(p.y, 4));
    case kAzimuth: return U(DegreesToDmsText(p.azimuth));
    default: return {};
    }
}

int StakeTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int StakeTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant StakeTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    switch (role) {
    case Qt::DisplayRole: return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == kKind ? int(Qt::AlignCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant StakeTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kColumnCount ? QString::fromUtf8(kCaptions[section]) : QVariant();
    return section + 1;
}

}  // namespace tarvelo
