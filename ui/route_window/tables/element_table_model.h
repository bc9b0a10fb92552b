#pragma once
// The element table (线元表) as the surveyor types it: one row per element
// in route order, the nine columns of the element file, texts kept exactly
// as typed. Edits, undo, paste and marks are those of every text table
// (text_table_model.h); the texts are read by ReadElementRows, and an empty
// name shows the name the route will use (E1, E2, ...).

#include "ui/route_window/tables/element_cells.h"
#include "ui/route_window/tables/text_table_model.h"

namespace tarvelo {

class ElementTableModel : public TextRowsModel<ElementRowTexts, ElementRowsRead> {
    Q_OBJECT
public:
    explicit ElementTableModel(QUndoStack* undo, QObject* parent = nullptr);

protected:
    QString placeholder(int row, int column) const override;
    bool leftAligned(int column) const override;
};

}  // namespace tarvelo
