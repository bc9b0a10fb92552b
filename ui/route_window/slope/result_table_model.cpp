#include "ui/route_window/slope/result_table_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

namespace tarvelo {

namespace {

const QColor kUnanswered(255, 236, 200);

}  // namespace

ResultTableModel::ResultTableModel(std::vector<std::string> header, std::vector<int> left, int reason,
                                   QObject* parent)
    : QAbstractTableModel(parent), header_(std::move(header)), left_(std::move(left)), reason_(reason)
{
}

void ResultTableModel::setRows(std::vector<std::vector<std::string>> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ResultTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const std::vector<std::string>& row = rows_[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(row[std::size_t(index.column())]);
    case Qt::ToolTipRole:
        return row[std::size_t(reason_)].empty() ? QVariant() : QString::fromStdString(row[std::size_t(reason_)]);
    case Qt::BackgroundRole:
        return row[std::size_t(reason_)].empty() ? QVariant() : QVariant(QBrush(kUnanswered));
    case Qt::TextAlignmentRole:
        return std::find(left_.begin(), left_.end(), index.column()) != left_.end()
                   ? int(Qt::AlignLeft | Qt::AlignVCenter)
                   : int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section >= 0 && section < columnCount() ? QString::fromStdString(header_[std::size_t(section)])
                                                   : QVariant();
}

}  // namespace tarvelo
