#pragma once
// The grade-point table (变坡点表) as the surveyor types it: one row per
// grade point in station order, the three columns of profile_cells.h, texts
// kept exactly as typed.
//
// Edits, undo, paste and marks are those of every text table
// (text_table_model.h), on the undo stack it is given (the window's, shared
// with the JD table, so one 撤销 undoes the last edit of either table); the
// texts are read by ReadProfileRows, and R is shaded on the end rows.

#include "ui/route_window/tables/profile_cells.h"
#include "ui/route_window/tables/text_table_model.h"

namespace tarvelo {

class ProfileTableModel : public TextRowsModel<ProfileRowTexts, ProfileRowsRead> {
    Q_OBJECT
public:
    explicit ProfileTableModel(QUndoStack* undo, QObject* parent = nullptr);

protected:
    bool cellUsed(int row, int column) const override;
    QString unusedCellTip() const override;
};

}  // namespace tarvelo
