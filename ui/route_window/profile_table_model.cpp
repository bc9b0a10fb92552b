#include "ui/route_window/profile_table_model.h"

#include <QBrush>
#include <QColor>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>

#include "ui/route_window/row_edits.h"
#include "ui/route_window/splice_rows_command.h"

namespace tarvelo {

namespace {

// The JD table's colours, so both tables speak alike.
const QColor kBadCell(255, 196, 196);
const QColor kErrorRow(255, 226, 150);
const QColor kUnusedCell(236, 236, 236);

QString U(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ProfileTableModel::ProfileTableModel(QUndoStack* undo, QObject* parent)
    : QAbstractTableModel(parent), undo_(undo)
{
    read_ = ReadProfileRows(rows_);
}

void ProfileTableModel::replaceRows(int first, int count, std::vector<ProfileRowTexts> rows,
                                    const QString& what)
{
    first = std::clamp(first, 0, rowCount());
    count = std::clamp(count, 0, rowCount() - first);
    std::vector<ProfileRowTexts> before(rows_.begin() + first, rows_.begin() + first + count);
    if (before == rows) return;
    undo_->push(new SpliceRowsCommand<ProfileTableModel, ProfileRowTexts>(
        this, first, std::move(before), std::move(rows), what));
}

void ProfileTableModel::replaceAll(std::vector<ProfileRowTexts> rows, const QString& what)
{
    replaceRows(0, rowCount(), std::move(rows), what);
}

bool ProfileTableModel::paste(int row, int column, const std::vector<std::vector<std::string>>& block)
{
    if (block.empty() || row < 0 || column < 0 || column >= kProfileColumnCount) return false;
    row = std::min(row, rowCount());
    std::vector<ProfileRowTexts> rows = PastedRows(rows_, row, column, block);
    const int replaced = std::min(static_cast<int>(block.size()), rowCount() - row);
    replaceRows(row, replaced, std::move(rows), QStringLiteral("粘贴"));
    return true;
}

void ProfileTableModel::insertEmptyRows(int row, int count)
{
    if (count <= 0) return;
    replaceRows(row, 0, std::vector<ProfileRowTexts>(count), QStringLiteral("插入行"));
}

void ProfileTableModel::removeRowSet(std::vector<int> rows)
{
    rows = ExistingRows(std::move(rows), rowCount());
    if (rows.empty()) return;
    // The rows kept, in order: one splice of the span from the first removed
    // row to the last, so the whole delete is one step.
    const int first = rows.front(), last = rows.back();
    std::vector<ProfileRowTexts> kept;
    for (int r = first, k = 0; r <= last; ++r) {
        if (rows[k] == r) ++k;
        else kept.push_back(rows_[r]);
    }
    replaceRows(first, last - first + 1, std::move(kept), QStringLiteral("删除行"));
}

void ProfileTableModel::clearCells(const QModelIndexList& cells)
{
    int first = rowCount(), last = -1;
    for (const QModelIndex& i : cells) {
        if (!i.isValid() || i.model() != this) continue;
        first = std::min(first, i.row());
        last = std::max(last, i.row());
    }
    if (last < first) return;
    std::vector<ProfileRowTexts> rows(rows_.begin() + first, rows_.begin() + last + 1);
    for (const QModelIndex& i : cells)
        if (i.isValid() && i.model() == this) rows[i.row() - first][i.column()].clear();
    replaceRows(first, last - first + 1, std::move(rows), QStringLiteral("清除单元格"));
}

void ProfileTableModel::applySplice(int first, int count, const std::vector<ProfileRowTexts>& rows)
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
    read_ = ReadProfileRows(rows_);
    // Which rows are the ends, and every mark, may have moved.
    issueRow_ = -1;
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kProfileColumnCount - 1));
    emit textsChanged();
}

void ProfileTableModel::setRowIssue(int row, const QString& message)
{
    const int old = issueRow_;
    issueRow_ = row >= 0 && row < rowCount() ? row : -1;
    issueMessage_ = message;
    for (int r : {old, issueRow_})
        if (r >= 0 && r < rowCount()) emit dataChanged(index(r, 0), index(r, kProfileColumnCount - 1));
}

const ProfileCellProblem* ProfileTableModel::problemAt(int row, int column) const
{
    for (const ProfileCellProblem& p : read_.problems)
        if (p.row == row && p.column == column) return &p;
    return nullptr;
}

int ProfileTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ProfileTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kProfileColumnCount;
}

QVariant ProfileTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int row = index.row(), column = index.column();
    const bool used = ProfileCellUsed(row, rowCount(), column);
    const ProfileCellProblem* problem = problemAt(row, column);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return U(rows_[row][column]);
    case Qt::BackgroundRole:
        if (problem) return QBrush(kBadCell);
        if (!used) return QBrush(kUnusedCell);
        if (row == issueRow_) return QBrush(kErrorRow);
        return {};
    case Qt::ToolTipRole:
        if (problem) return U(problem->message);
        if (row == issueRow_) return issueMessage_;
        if (!used) return QStringLiteral("纵断面的起点和终点不设竖曲线，R 空着。");
        return {};
    case Qt::TextAlignmentRole: return int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant ProfileTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kProfileColumnCount
                   ? QString::fromUtf8(kProfileColumnCaptions[section])
                   : QVariant();
    return section + 1;
}

Qt::ItemFlags ProfileTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    // A stray value in an unused cell (pasted there) can still be cleared.
    if (ProfileCellUsed(index.row(), rowCount(), index.column()) ||
        !rows_[index.row()][index.column()].empty())
        f |= Qt::ItemIsEditable;
    return f;
}

bool ProfileTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) return false;
    ProfileRowTexts row = rows_[index.row()];
    row[index.column()] = value.toString().toStdString();
    const QString what = QStringLiteral("编辑变坡点表第 %1 行 %2")
                             .arg(index.row() + 1)
                             .arg(QString::fromUtf8(kProfileColumnCaptions[index.column()]));
    replaceRows(index.row(), 1, {std::move(row)}, what);
    return true;
}

}  // namespace tarvelo
