#include "ui/route_window/jd_table_model.h"

#include <QBrush>
#include <QColor>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>

#include "ui/route_window/row_edits.h"
#include "ui/route_window/splice_rows_command.h"

namespace tarvelo {

namespace {

const QColor kBadCell(255, 196, 196);
const QColor kErrorRow(255, 226, 150);
const QColor kWarningRow(255, 246, 205);
const QColor kUnusedCell(236, 236, 236);

QString U(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

JdTableModel::JdTableModel(QUndoStack* undo, QObject* parent)
    : QAbstractTableModel(parent), undo_(undo)
{
    read_ = ReadJdRows(rows_);
}

void JdTableModel::replaceRows(int first, int count, std::vector<JdRowTexts> rows,
                               const QString& what)
{
    first = std::clamp(first, 0, rowCount());
    count = std::clamp(count, 0, rowCount() - first);
    std::vector<JdRowTexts> before(rows_.begin() + first, rows_.begin() + first + count);
    if (before == rows) return;  // nothing would change: no undo step either
    undo_->push(new SpliceRowsCommand<JdTableModel, JdRowTexts>(this, first, std::move(before),
                                                                std::move(rows), what));
}

void JdTableModel::replaceAll(std::vector<JdRowTexts> rows, const QString& what)
{
    replaceRows(0, rowCount(), std::move(rows), what);
}

bool JdTableModel::paste(int row, int column, const std::vector<std::vector<std::string>>& block)
{
    if (block.empty() || row < 0 || column < 0 || column >= kJdColumnCount) return false;
    row = std::min(row, rowCount());
    std::vector<JdRowTexts> rows = PastedRows(rows_, row, column, block);
    const int replaced = std::min(static_cast<int>(block.size()), rowCount() - row);
    replaceRows(row, replaced, std::move(rows), QStringLiteral("粘贴"));
    return true;
}

void JdTableModel::insertEmptyRows(int row, int count)
{
    if (count <= 0) return;
    replaceRows(row, 0, std::vector<JdRowTexts>(count), QStringLiteral("插入行"));
}

void JdTableModel::removeRowSet(std::vector<int> rows)
{
    rows = ExistingRows(std::move(rows), rowCount());
    if (rows.empty()) return;
    // Contiguous runs from the bottom up, so earlier row numbers stay valid.
    undo_->beginMacro(QStringLiteral("删除行"));
    std::size_t end = rows.size();
    while (end > 0) {
        std::size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1) --begin;
        replaceRows(rows[begin], static_cast<int>(end - begin), {}, QStringLiteral("删除行"));
        end = begin;
    }
    undo_->endMacro();
}

void JdTableModel::applySplice(int first, int count, const std::vector<JdRowTexts>& rows)
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
    read_ = ReadJdRows(rows_);
    // Which row is QD or ZD, the default names and every mark may have moved.
    issueRow_ = -1;
    if (!rows_.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kJdColumnCount - 1));
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
    emit textsChanged();
}

void JdTableModel::setRowIssue(int row, const QString& message, bool error)
{
    const int old = issueRow_;
    issueRow_ = row >= 0 && row < rowCount() ? row : -1;
    issueMessage_ = message;
    issueIsError_ = error;
    for (int r : {old, issueRow_})
        if (r >= 0 && r < rowCount()) emit dataChanged(index(r, 0), index(r, kJdColumnCount - 1));
}

const JdCellProblem* JdTableModel::problemAt(int row, int column) const
{
    for (const JdCellProblem& p : read_.problems)
        if (p.row == row && p.column == column) return &p;
    return nullptr;
}

int JdTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int JdTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kJdColumnCount;
}

QVariant JdTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int row = index.row(), column = index.column();
    const std::string& text = rows_[row][column];
    const bool used = JdCellUsed(row, rowCount(), column);
    const JdCellProblem* problem = problemAt(row, column);
    switch (role) {
    case Qt::DisplayRole:
        // An empty name shows the name the route will use, in the hint colour.
        if (column == kJdName && text.empty()) return U(DefaultPointName(row, rowCount()));
        return U(text);
    case Qt::EditRole: return U(text);
    case Qt::ForegroundRole:
        if (column == kJdName && text.empty()) return QBrush(Qt::gray);
        return {};
    case Qt::BackgroundRole:
        if (problem) return QBrush(kBadCell);
        if (!used) return QBrush(kUnusedCell);
        if (row == issueRow_) return QBrush(issueIsError_ ? kErrorRow : kWarningRow);
        return {};
    case Qt::ToolTipRole:
        if (problem) return U(problem->message);
        if (row == issueRow_) return issueMessage_;
        if (!used) return QStringLiteral("起点QD和终点ZD没有 R、Ls1、Ls2。");
        return {};
    case Qt::TextAlignmentRole:
        return column == kJdName ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                 : int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant JdTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kJdColumnCount ? QString::fromUtf8(kJdColumnCaptions[section])
                                                         : QVariant();
    return section + 1;
}

Qt::ItemFlags JdTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    // A stray value in an unused cell (pasted there) can still be cleared.
    if (JdCellUsed(index.row(), rowCount(), index.column()) ||
        !rows_[index.row()][index.column()].empty())
        f |= Qt::ItemIsEditable;
    return f;
}

bool JdTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) return false;
    JdRowTexts row = rows_[index.row()];
    row[index.column()] = value.toString().toStdString();
    const QString what = QStringLiteral("编辑第 %1 行 %2")
                             .arg(index.row() + 1)
                             .arg(QString::fromUtf8(kJdColumnCaptions[index.column()]));
    replaceRows(index.row(), 1, {std::move(row)}, what);
    return true;
}

}  // namespace tarvelo
