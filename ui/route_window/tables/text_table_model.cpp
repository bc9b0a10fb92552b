#include "ui/route_window/tables/text_table_model.h"

#include <QBrush>
#include <QColor>

namespace tarvelo {

namespace {

// One set of colours, so every table speaks alike.
const QColor kBadCell(255, 196, 196);
const QColor kErrorRow(255, 226, 150);
const QColor kWarningRow(255, 246, 205);
const QColor kUnusedCell(236, 236, 236);

QString U(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TextTableModel::TextTableModel(QUndoStack* undo, int columns, const char* const* captions,
                               QString table, QObject* parent)
    : QAbstractTableModel(parent), undo_(undo), columns_(columns), captions_(captions),
      table_(std::move(table))
{
}

void TextTableModel::spliced()
{
    issueRow_ = -1;
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columns_ - 1));
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    }
    emit textsChanged();
}

void TextTableModel::setRowIssue(int row, const QString& message, bool error)
{
    const int old = issueRow_;
    issueRow_ = row >= 0 && row < rowCount() ? row : -1;
    issueMessage_ = message;
    issueIsError_ = error;
    for (int r : {old, issueRow_})
        if (r >= 0 && r < rowCount()) emit dataChanged(index(r, 0), index(r, columns_ - 1));
}

int TextTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : textRowCount();
}

int TextTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int row = index.row(), column = index.column();
    const std::string& text = cellText(row, column);
    switch (role) {
    case Qt::DisplayRole:
        if (text.empty()) {
            const QString hint = placeholder(row, column);
            if (!hint.isEmpty()) return hint;
        }
        return U(text);
    case Qt::EditRole: return U(text);
    case Qt::ForegroundRole:
        if (text.empty() && !placeholder(row, column).isEmpty()) return QBrush(Qt::gray);
        return {};
    case Qt::BackgroundRole:
        if (cellProblem(row, column)) return QBrush(kBadCell);
        if (!cellUsed(row, column)) return QBrush(kUnusedCell);
        if (row == issueRow_) return QBrush(issueIsError_ ? kErrorRow : kWarningRow);
        return {};
    case Qt::ToolTipRole:
        if (const std::string* problem = cellProblem(row, column)) return U(*problem);
        if (row == issueRow_) return issueMessage_;
        if (!cellUsed(row, column)) {
            const QString tip = unusedCellTip();
            if (!tip.isEmpty()) return tip;
        }
        return {};
    case Qt::TextAlignmentRole:
        return leftAligned(column) ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                   : int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < columns_ ? QString::fromUtf8(captions_[section]) : QVariant();
    return section + 1;
}

Qt::ItemFlags TextTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    // A stray value in an unused cell (pasted there) can still be cleared.
    if (cellUsed(index.row(), index.column()) || !cellText(index.row(), index.column()).empty())
        f |= Qt::ItemIsEditable;
    return f;
}

bool TextTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) return false;
    const QString what = QStringLiteral("编辑%1第 %2 行 %3")
                             .arg(table_)
                             .arg(index.row() + 1)
                             .arg(QString::fromUtf8(captions_[index.column()]));
    editCell(index.row(), index.column(), value.toString().toStdString(), what);
    return true;
}

}  // namespace tarvelo
