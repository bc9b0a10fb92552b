#pragma once
// The table views of the slope room, set up alike: rows of the font's
// height, headers that do not light up, and either edited in place (the
// template and point tables, their commands from text_table_actions.h) or
// read-only with whole rows chosen (the result tables).

#include <QList>
#include <QString>

class QAbstractItemModel;
class QLabel;
class QTableView;
class QWidget;

namespace tarvelo {

class TextTableModel;

// An editable view of a text table, named `name`, with the table's paste,
// insert, delete and clear commands (<prefix>PasteAction, ...).
QTableView* MakeEditableView(TextTableModel* model, const QString& name, const char* prefix, const QString& tip,
                             QWidget* parent);

// A read-only view, rows chosen whole, named `name`.
QTableView* MakeResultView(QAbstractItemModel* model, const QString& name, QWidget* parent);

// A status line: plain text, wrapped, named `name`.
QLabel* MakeStatusLine(const QString& name, QWidget* parent);

// The owner's layout: the table, under it `first` (may be empty), 插入行 and
// 删除行 (<prefix>InsertRowButton, <prefix>DeleteRowsButton, acting on the
// table) in a row, then the status line.
void LayOutEditableTable(QWidget* owner, QTableView* table, TextTableModel* model, const char* prefix,
                         const QList<QWidget*>& first, QLabel* status);

}  // namespace tarvelo
