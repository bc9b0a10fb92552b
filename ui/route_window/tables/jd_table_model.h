#pragma once
// The JD table as the surveyor types it: one row per point (QD, the JDs,
// ZD), the seven columns of jd_cells.h, texts kept exactly as typed.
//
// Edits, undo, paste and marks are those of every text table
// (text_table_model.h); the texts are read by ReadJdRows, an empty name
// shows the name the route will use, and R, Ls1, Ls2 are shaded on QD and ZD.

#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/tables/text_table_model.h"

namespace tarvelo {

class JdTableModel : public TextRowsModel<JdRowTexts, JdRowsRead> {
    Q_OBJECT
public:
    explicit JdTableModel(QUndoStack* undo, QObject* parent = nullptr);

protected:
    bool cellUsed(int row, int column) const override;
    QString unusedCellTip() const override;
    QString placeholder(int row, int column) const override;
    bool leftAligned(int column) const override { return column == kJdName; }
};

}  // namespace tarvelo
