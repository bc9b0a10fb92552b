#include "ui/route_window/tables/jd_table_model.h"

namespace tarvelo {

JdTableModel::JdTableModel(QUndoStack* undo, QObject* parent)
    : TextRowsModel(undo, kJdColumnCaptions, &ReadJdRows, QString(), parent)
{
}

bool JdTableModel::cellUsed(int row, int column) const { return JdCellUsed(row, rowCount(), column); }

QString JdTableModel::unusedCellTip() const
{
    return QStringLiteral("起点QD和终点ZD没有 R、Ls1、Ls2。");
}

QString JdTableModel::placeholder(int row, int column) const
{
    // An empty name shows the name the route will use, in the hint colour.
    return column == kJdName ? QString::fromStdString(DefaultPointName(row, rowCount())) : QString();
}

}  // namespace tarvelo
