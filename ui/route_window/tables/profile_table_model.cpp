#include "ui/route_window/tables/profile_table_model.h"

namespace tarvelo {

ProfileTableModel::ProfileTableModel(QUndoStack* undo, QObject* parent)
    : TextRowsModel(undo, kProfileColumnCaptions, &ReadProfileRows, QStringLiteral("变坡点表"), parent)
{
}

bool ProfileTableModel::cellUsed(int row, int column) const
{
    return ProfileCellUsed(row, rowCount(), column);
}

QString ProfileTableModel::unusedCellTip() const
{
    return QStringLiteral("纵断面的起点和终点不设竖曲线，R 空着。");
}

}  // namespace tarvelo
