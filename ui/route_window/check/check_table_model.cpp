#include "ui/route_window/check/check_table_model.h"

#include <QColor>
#include <algorithm>

#include "compute/route_text.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

const char* const kCaptions[CheckTableModel::kColumns] = {
    "行", "点名", "桩号", "ΔX", "ΔY", "平距差", "Δ高程", "垂足桩号", "垂足偏距", "结论"};

QString U(const std::string& s) { return QString::fromStdString(s); }

// Differences and offsets to the tenth of a millimetre: the tolerances are
// millimetres. CheckDesign's numbers are finite, so FormatFixed never throws.
QString F4(const std::optional<double>& v) { return v ? U(FormatFixed(*v, 4)) : QString(); }


}  // namespace

QColor CheckTableModel::flaggedBackground() { return QColor(255, 214, 214); }

void CheckTableModel::setResult(const DesignCheckResult& result)
{
    beginResetModel();
    rows_ = result.rows;
    std::stable_sort(rows_.begin(), rows_.end(), [](const DesignCheckRow& a, const DesignCheckRow& b) {
        const bool flaggedA = a.kind != DesignClass::Ok, flaggedB = b.kind != DesignClass::Ok;
        if (flaggedA != flaggedB) return flaggedA;
        return a.line < b.line;
    });
    endResetModel();
}

void CheckTableModel::clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int CheckTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CheckTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant CheckTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const DesignCheckRow& r = rows_[std::size_t(index.row())];
    const bool flagged = r.kind != DesignClass::Ok;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case kLine: return r.line;
        case kName: return U(r.name);
        case kStation: return r.station ? U(DesignRowStationText(r)) : QString();
        case kDx: return F4(r.dx);
        case kDy: return F4(r.dy);
        case kDistance: return F4(r.distance);
        case kDz: return F4(r.dz);
        case kFootStation: return r.footStation ? U(DesignFootText(r)) : QString();
        case kFootOffset: return F4(r.footOffset);
        case kClass: return QString::fromUtf8(DesignClassChinese(r.kind));
        }
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == kName || index.column() == kClass ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                                   : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (flagged) return flaggedBackground();
        return {};
    case Qt::ForegroundRole:
        if (flagged && index.column() == kClass) return QColor(170, 0, 0);
        return {};
    case Qt::ToolTipRole:
        if (!flagged) return {};
        return r.text.empty() ? U(r.reason) : U(r.reason) + QStringLiteral("\n") + U(r.text);
    }
    return {};
}

QVariant CheckTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return section >= 0 && section < kColumns ? QString::fromUtf8(kCaptions[section]) : QVariant();
}

}  // namespace tarvelo
