#include "ui/route_window/tables/element_table_model.h"

namespace tarvelo {

ElementTableModel::ElementTableModel(QUndoStack* undo, QObject* parent)
    : TextRowsModel(undo, kElementColumnCaptions, &ReadElementRows, QStringLiteral("线元表"), parent)
{
}

QString ElementTableModel::placeholder(int row, int column) const
{
    return column == kElementName ? QStringLiteral("E%1").arg(row + 1) : QString();
}

bool ElementTableModel::leftAligned(int column) const
{
    return column == kElementName || column == kElementTurn;
}

}  // namespace tarvelo
