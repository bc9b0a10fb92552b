#include "ui/route_window/tables/text_table_actions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QTableView>

#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/tables/text_table_model.h"

namespace tarvelo {

void PasteIntoTable(QTableView* view, TextTableModel* model)
{
    const std::string text = QApplication::clipboard()->text().toStdString();
    const QModelIndex at = view->currentIndex();
    const int row = at.isValid() ? at.row() : model->rowCount();
    const int column = at.isValid() ? at.column() : 0;
    model->paste(row, column, SplitPastedBlock(text));
}

void InsertTableRow(QTableView* view, TextTableModel* model)
{
    const QModelIndex at = view->currentIndex();
    const int row = at.isValid() ? at.row() : model->rowCount();
    model->insertEmptyRows(row, 1);
    // With Ctrl still held from Ctrl+Ins the view would otherwise add the new
    // row to the old selection, and a following Ctrl+Del would take both.
    view->selectionModel()->setCurrentIndex(model->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

void DeleteTableRows(QTableView* view, TextTableModel* model)
{
    std::vector<int> rows;
    for (const QModelIndex& i : view->selectionModel()->selectedIndexes()) rows.push_back(i.row());
    if (rows.empty() && view->currentIndex().isValid()) rows.push_back(view->currentIndex().row());
    model->removeRowSet(std::move(rows));
}

void ClearTableCells(QTableView* view, TextTableModel* model)
{
    QModelIndexList cells = view->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && view->currentIndex().isValid()) cells << view->currentIndex();
    model->clearCells(cells);
}

QList<QAction*> AddTextTableActions(QTableView* view, TextTableModel* model, const char* prefix,
                                    QWidget* owner)
{
    const struct {
        const char* name;
        QString caption;
        QKeySequence keys;
        void (*run)(QTableView*, TextTableModel*);
    } commands[] = {
        {"PasteAction", QStringLiteral("粘贴"), QKeySequence::Paste, &PasteIntoTable},
        {"InsertRowAction", QStringLiteral("插入行"), QKeySequence(QStringLiteral("Ctrl+Ins")), &InsertTableRow},
        {"DeleteRowsAction", QStringLiteral("删除行"), QKeySequence(QStringLiteral("Ctrl+Del")), &DeleteTableRows},
        {"ClearCellsAction", QStringLiteral("清除单元格"), QKeySequence::Delete, &ClearTableCells},
    };
    QList<QAction*> actions;
    for (const auto& c : commands) {
        auto* action = new QAction(c.caption, owner);
        action->setObjectName(QString::fromLatin1(prefix) + QString::fromLatin1(c.name));
        action->setShortcut(c.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        view->addAction(action);
        const auto run = c.run;
        QObject::connect(action, &QAction::triggered, view, [view, model, run] { run(view, model); });
        actions << action;
    }
    return actions;
}

}  // namespace tarvelo
