#pragma once
// The surveyed points' table (实测点: 点名, X, Y, H) of slope staking and the
// level check, texts kept exactly as typed or pasted. Edits, undo, paste and
// marks are those of every text table (text_table_model.h); the texts are
// read by ReadPointRows.

#include "ui/route_window/tables/point_cells.h"
#include "ui/route_window/tables/text_table_model.h"

namespace tarvelo {

class PointTableModel : public TextRowsModel<PointRowTexts, PointRowsRead> {
    Q_OBJECT
public:
    // table: the table's name in the undo texts ("放样点表", "检测点表").
    PointTableModel(QUndoStack* undo, const QString& table, QObject* parent = nullptr);

protected:
    bool leftAligned(int column) const override { return column == kPointName; }
};

}  // namespace tarvelo
