#pragma once
// The break table (断链表) as the surveyor types it: one row per chain break
// in route order (断前桩号, 断后桩号, 名称), texts kept exactly as typed.
// Edits, undo, paste and marks are those of every text table
// (text_table_model.h); the texts are read by ReadBreakRows.

#include "ui/route_window/tables/break_cells.h"
#include "ui/route_window/tables/text_table_model.h"

namespace tarvelo {

class BreakTableModel : public TextRowsModel<BreakRowTexts, BreakRowsRead> {
    Q_OBJECT
public:
    explicit BreakTableModel(QUndoStack* undo, QObject* parent = nullptr);

protected:
    bool leftAligned(int column) const override { return column == kBreakName; }
};

}  // namespace tarvelo
