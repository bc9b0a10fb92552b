#include "ui/route_window/tables/point_table_model.h"

namespace tarvelo {

PointTableModel::PointTableModel(QUndoStack* undo, const QString& table, QObject* parent)
    : TextRowsModel(undo, kPointColumnCaptions, &ReadPointRows, table, parent)
{
}

}  // namespace tarvelo
