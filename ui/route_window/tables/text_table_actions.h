#pragma once
// The editing commands of a text table's view (paste from a spreadsheet,
// insert a row, delete the selected rows, clear the selected cells), for
// the tables that come with no commands of their own in the window's menus
// (the element table, the break table). Each is one undo step of the model.

#include <QList>

class QAction;
class QTableView;
class QWidget;

namespace tarvelo {

class TextTableModel;

// The clipboard's text (SplitPastedBlock) written from the current cell on;
// at the end of the table without a current cell.
void PasteIntoTable(QTableView* view, TextTableModel* model);
// An empty row above the current one, or at the end without a current row;
// the new row becomes the only selection.
void InsertTableRow(QTableView* view, TextTableModel* model);
// The rows of the selected cells, or the current row.
void DeleteTableRows(QTableView* view, TextTableModel* model);
// The selected cells, or the current cell.
void ClearTableCells(QTableView* view, TextTableModel* model);

// The four commands as actions of the view, named <prefix>PasteAction,
// <prefix>InsertRowAction, <prefix>DeleteRowsAction, <prefix>ClearCellsAction,
// with the keys the JD table uses (Ctrl+V, Ctrl+Ins, Ctrl+Del, Delete),
// live only while the view has the focus. Owned by `owner`.
QList<QAction*> AddTextTableActions(QTableView* view, TextTableModel* model, const char* prefix,
                                    QWidget* owner);

}  // namespace tarvelo
