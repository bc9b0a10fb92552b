#pragma once
// The roadbed template table (路基模板) as the surveyor types it: one part
// of one side a row (起始桩号, 侧, 部位, 参数1..参数4), texts kept exactly as
// typed. Edits, undo, paste and marks are those of every text table
// (text_table_model.h), on the window's undo stack; the texts are read by
// ReadTemplateRows, and 参数3, 参数4 are shaded on a 路肩 row (a shoulder
// takes a width and a slope only).

#include "ui/route_window/tables/template_cells.h"
#include "ui/route_window/tables/text_table_model.h"

namespace tarvelo {

class TemplateTableModel : public TextRowsModel<TemplateRowTexts, TemplateRowsRead> {
    Q_OBJECT
public:
    explicit TemplateTableModel(QUndoStack* undo, QObject* parent = nullptr);

protected:
    bool cellUsed(int row, int column) const override;
    QString unusedCellTip() const override;
    bool leftAligned(int column) const override { return column == kTemplateSide || column == kTemplatePart; }
};

}  // namespace tarvelo
