#include "ui/route_window/definition/element_list_model.h"

#include <cmath>

#include "compute/route_text.h"
#include "core/numbers/number_text.h"
#include "compute/route_station_text.h"

namespace tarvelo {

namespace {

const char* const kCaptions[ElementListModel::kColumnCount] = {
    "名称", "类型", "起点桩号", "终点桩号", "长度", "起点半径", "终点半径", "转向"};

QString U(const std::string& s) { return QString::fromStdString(s); }

QString RadiusText(double r) { return std::isinf(r) ? QStringLiteral("∞") : U(FormatRounded4(r)); }

}  // namespace

void ElementListModel::setRoute(std::shared_ptr<const Route> route)
{
    beginResetModel();
    route_ = route && route->method() == RouteMethod::Elements ? std::move(route) : nullptr;
    endResetModel();
}

QString ElementListModel::cellText(int row, int column) const
{
    const RouteElement& e = route_->elements()[row];
    switch (column) {
    case kName: return U(e.name);
    case kKind:
        switch (e.kind) {
        case ElementKind::Line: return QStringLiteral("直线");
        case ElementKind::Spiral: return QStringLiteral("缓和曲线");
        case ElementKind::Arc: return QStringLiteral("圆曲线");
        }
        return {};
    case kStart: return U(RouteStationText(*route_, e.startStation));
    case kEnd: return U(RouteStationText(*route_, e.endStation));
    case kLength: return U(FormatFixed(e.endStation - e.startStation, 3));
    case kRStart: return RadiusText(e.startRadius);
    case kREnd: return RadiusText(e.endRadius);
    case kTurn: return e.turn > 0 ? QStringLiteral("右") : e.turn < 0 ? QStringLiteral("左") : QString();
    default: return {};
    }
}

int ElementListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !route_ ? 0 : static_cast<int>(route_->elements().size());
}

int ElementListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ElementListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !route_) return {};
    if (role == Qt::DisplayRole) return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return index.column() == kName || index.column() == kKind || index.column() == kTurn
                   ? int(Qt::AlignLeft | Qt::AlignVCenter)
                   : int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ElementListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kColumnCount ? QString::fromUtf8(kCaptions[section]) : QVariant();
    return section + 1;
}

}  // namespace tarvelo
