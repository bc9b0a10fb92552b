#include "ui/route_window/tables/section_table_model.h"

#include <QBrush>
#include <QColor>
#include <QUndoStack>
#include <algorithm>

#include "ui/route_window/tables/row_edits.h"
#include "ui/route_window/tables/splice_rows_command.h"

namespace tarvelo {

namespace {

// The JD table's colours, so every table speaks alike.
const QColor kBadCell(255, 196, 196);
const QColor kErrorRow(255, 226, 150);

}  // namespace

SectionTableModel::SectionTableModel(QUndoStack* undo, QObject* parent)
    : QAbstractTableModel(parent), undo_(undo)
{
}

void SectionTableModel::replaceRows(int first, int count, std::vector<SectionRowTexts> rows,
                                    const QString& what)
{
    first = std::clamp(first, 0, rowCount());
    count = std::clamp(count, 0, rowCount() - first);
    std::vector<SectionRowTexts> before(rows_.begin() + first, rows_.begin() + first + count);
    if (before == rows) return;
    undo_->push(new SpliceRowsCommand<SectionTableModel, SectionRowTexts>(this, first, std::move(before),
                                                                          std::move(rows), what));
}

void SectionTableModel::replaceAll(std::vector<SectionRowTexts> rows, const QString& what)
{
    replaceRows(0, rowCount(), std::move(rows), what);
}

bool SectionTableModel::paste(int row, int column, const std::vector<std::vector<std::string>>& block)
{
    if (block.empty() || row < 0 || column < 0 || column >= kSectionColumnCount) return false;
    row = std::min(row, rowCount());
    const int replaced = std::min(static_cast<int>(block.size()), rowCount() - row);
    replaceRows(row, replaced, PastedRows(rows_, row, column, block), QStringLiteral("粘贴"));
    return true;
}

void SectionTableModel::insertEmptyRows(int row, int count)
{
    if (count > 0) replaceRows(row, 0, std::vector<SectionRowTexts>(count), QStringLiteral("插入行"));
}

void SectionTableModel::removeRowSet(std::vector<int> rows)
{
    rows = ExistingRows(std::move(rows), rowCount());
    if (rows.empty()) return;
    // One splice from the first removed row to the last: the delete is one step.
    std::vector<SectionRowTexts> kept;
    for (int r = rows.front(), k = 0; r <= rows.back(); ++r) {
        if (rows[k] == r) ++k;
        else kept.push_back(rows_[r]);
    }
    replaceRows(rows.front(), rows.back() - rows.front() + 1, std::move(kept), QStringLiteral("删除行"));
}

void SectionTableModel::clearCells(const QModelIndexList& cells)
{
    std::vector<int> touched;
    for (const QModelIndex& i : cells)
        if (i.isValid() && i.model() == this) touched.push_back(i.row());
    if (touched.empty()) return;
    const auto [low, high] = std::minmax_element(touched.begin(), touched.end());
    const int first = *low, last = *high;
    std::vector<SectionRowTexts> rows(rows_.begin() + first, rows_.begin() + last + 1);
    for (const QModelIndex& i : cells)
        if (i.isValid() && i.model() == this) rows[i.row() - first][i.column()].clear();
    replaceRows(first, last - first + 1, std::move(rows), QStringLiteral("清除单元格"));
}

void SectionTableModel::applySplice(int first, int count, const std::vector<SectionRowTexts>& rows)
{
    const int common = std::min(count, static_cast<int>(rows.size()));
    std::copy(rows.begin(), rows.begin() + common, rows_.begin() + first);
    if (static_cast<int>(rows.size()) > count) {
        beginInsertRows({}, first + common, first + static_cast<int>(rows.size()) - 1);
        rows_.insert(rows_.begin() + first + common, rows.begin() + common, rows.end());
        endInsertRows();
    } else if (static_cast<int>(rows.size()) < count) {
        beginRemoveRows({}, first + common, first + count - 1);
        rows_.erase(rows_.begin() + first + common, rows_.begin() + first + count);
        endRemoveRows();
    }
    read_ = ReadSectionRows(rows_);
    issueRow_ = -1;
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kSectionColumnCount - 1));
    emit textsChanged();
}

void SectionTableModel::setRowIssue(int row, const QString& message)
{
    const int old = issueRow_;
    issueRow_ = row >= 0 && row < rowCount() ? row : -1;
    issueMessage_ = message;
    for (int r : {old, issueRow_})
        if (r >= 0) emit dataChanged(index(r, 0), index(r, kSectionColumnCount - 1));
}

int SectionTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SectionTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kSectionColumnCount;
}

QVariant SectionTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int row = index.row(), column = index.column();
    const auto problem = std::find_if(read_.problems.begin(), read_.problems.end(), [&](const auto& p) {
        return p.row == row && p.column == column;
    });
    const bool bad = problem != read_.problems.end();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return QString::fromStdString(rows_[row][column]);
    case Qt::BackgroundRole:
        if (bad) return QBrush(kBadCell);
        if (row == issueRow_) return QBrush(kErrorRow);
        return {};
    case Qt::ToolTipRole:
        if (bad) return QString::fromStdString(problem->message);
        if (row == issueRow_) return issueMessage_;
        return {};
    case Qt::TextAlignmentRole: return int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant SectionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section >= 0 && section < kSectionColumnCount ? QString::fromUtf8(kSectionColumnCaptions[section])
                                                         : QVariant();
}

Qt::ItemFlags SectionTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable : Qt::NoItemFlags;
}

bool SectionTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) return false;
    SectionRowTexts row = rows_[index.row()];
    row[index.column()] = value.toString().toStdString();
    const QString what = QStringLiteral("编辑横断面表第 %1 行 %2")
                             .arg(index.row() + 1)
                             .arg(QString::fromUtf8(kSectionColumnCaptions[index.column()]));
    replaceRows(index.row(), 1, {std::move(row)}, what);
    return true;
}

}  // namespace tarvelo
