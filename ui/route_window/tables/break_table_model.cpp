#include "ui/route_window/tables/break_table_model.h"

namespace tarvelo {

BreakTableModel::BreakTableModel(QUndoStack* undo, QObject* parent)
    : TextRowsModel(undo, kBreakColumnCaptions, &ReadBreakRows, QStringLiteral("断链表"), parent)
{
}

}  // namespace tarvelo
