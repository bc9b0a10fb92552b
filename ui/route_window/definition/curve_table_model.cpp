#include "ui/route_window/definition/curve_table_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "compute/route_text.h"
#include "core/numbers/number_text.h"
#include "reports/route_report.h"
#include "compute/route_station_text.h"
#include "ui/route_window/document/route_texts.h"

namespace tarvelo {

namespace {

const char* const kCaptions[CurveTableModel::kColumnCount] = {
    "交点", "交点桩号", "转角", "R", "Ls1", "Ls2", "T1", "T2", "L", "E",
    "ZH", "HY", "QZ", "YH", "HZ", "直线长", "级数误差(mm)"};

const char* const kTips[CurveTableModel::kColumnCount] = {
    "交点名", "交点的连续桩号", "转角：左转或右转", "圆曲线半径 (m)", "第一缓和曲线长 (m)",
    "第二缓和曲线长 (m)", "第一切线长 (m)", "第二切线长 (m)", "曲线总长 (m)", "外距 (m)",
    "直缓点桩号", "缓圆点桩号", "曲中点桩号", "圆缓点桩号", "缓直点桩号",
    "到下一曲线（或终点）的直线段长 (m)",
    "缓和曲线级数公式的终点与精确回旋线终点之差（第一/第二缓和曲线，毫米）；超过 1 mm 时以警告色显示"};

QString U(const std::string& s) { return QString::fromStdString(s); }

QString Mm(double v) { return U(FormatFixed(v, 2)); }

}  // namespace

void CurveTableModel::setRoute(std::shared_ptr<const Route> route)
{
    beginResetModel();
    route_ = std::move(route);
    endResetModel();
}

QString CurveTableModel::cellText(int row, int column) const
{
    const RouteCurve& c = route_->curves()[row];
    const CurveState& s = c.curve;
    switch (column) {
    case kName: return U(c.name);
    case kStation: return U(RouteStationText(*route_, s.JD));
    case kDeflection: return U(DeflectionText(c.alpha));
    case kR: return U(FormatRounded4(s.R));
    case kLs1: return U(FormatRounded4(s.Ls1));
    case kLs2: return U(FormatRounded4(s.Ls2));
    case kT1: return U(FormatFixed(s.T1, 3));
    case kT2: return U(FormatFixed(s.T2, 3));
    case kL: return U(FormatFixed(s.L, 3));
    case kE: return U(FormatFixed(s.E, 3));
    case kZH: return U(RouteStationText(*route_, s.ZH));
    case kHY: return U(RouteStationText(*route_, s.HYStation));
    case kQZ: return U(RouteStationText(*route_, s.QZ));
    case kYH: return U(RouteStationText(*route_, s.YHStation));
    case kHZ: return U(RouteStationText(*route_, s.HZ));
    case kStraight: return U(FormatFixed(route_->legs()[row + 1].tangent, 3));
    case kSeries: return Mm(c.seriesErrorMm[0]) + QStringLiteral(" / ") + Mm(c.seriesErrorMm[1]);
    default: return {};
    }
}

int CurveTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !route_ ? 0 : static_cast<int>(route_->curves().size());
}

int CurveTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CurveTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !route_) return {};
    const RouteCurve& c = route_->curves()[index.row()];
    const bool seriesWarning =
        std::max(c.seriesErrorMm[0], c.seriesErrorMm[1]) > kSeriesWarningMm;
    switch (role) {
    case Qt::DisplayRole: return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == kName ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                       : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (index.column() == kSeries && seriesWarning) return QBrush(QColor(255, 190, 120));
        return {};
    case Qt::ToolTipRole:
        if (index.column() == kSeries && seriesWarning)
            return QStringLiteral("级数公式误差超过 1 mm：此缓和曲线太陡，请核对放样点。");
        return QString::fromUtf8(kTips[index.column()]);
    default: return {};
    }
}

QVariant CurveTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < kColumnCount) {
        if (role == Qt::DisplayRole) return QString::fromUtf8(kCaptions[section]);
        if (role == Qt::ToolTipRole) return QString::fromUtf8(kTips[section]);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) return section + 1;
    return {};
}

}  // namespace tarvelo
