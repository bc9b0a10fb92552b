#include "ui/route_window/tables/template_table_model.h"

namespace tarvelo {

TemplateTableModel::TemplateTableModel(QUndoStack* undo, QObject* parent)
    : TextRowsModel(undo, kTemplateColumnCaptions, &ReadTemplateRows, QStringLiteral("路基模板表"), parent)
{
}

bool TemplateTableModel::cellUsed(int row, int column) const
{
    if (column < kTemplateP1) return true;
    return column - kTemplateP1 < TemplateParameterCount(texts()[std::size_t(row)][kTemplatePart]);
}

QString TemplateTableModel::unusedCellTip() const
{
    return QStringLiteral("路肩只有宽度（参数1）和横坡 %（参数2）");
}

}  // namespace tarvelo
