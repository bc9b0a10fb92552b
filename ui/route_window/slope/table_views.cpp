#include "ui/route_window/slope/table_views.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/route_window/tables/text_table_actions.h"
#include "ui/route_window/tables/text_table_model.h"

namespace tarvelo {

namespace {

QTableView* MakeView(QAbstractItemModel* model, const QString& name, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    return view;
}

}  // namespace

QTableView* MakeEditableView(TextTableModel* model, const QString& name, const char* prefix, const QString& tip,
                             QWidget* parent)
{
    QTableView* view = MakeView(model, name, parent);
    view->setTabKeyNavigation(false);  // Tab leaves the table, as in the JD table
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setToolTip(tip);
    AddTextTableActions(view, model, prefix, parent);
    return view;
}

QTableView* MakeResultView(QAbstractItemModel* model, const QString& name, QWidget* parent)
{
    QTableView* view = MakeView(model, name, parent);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

QLabel* MakeStatusLine(const QString& name, QWidget* parent)
{
    auto* status = new QLabel(parent);
    status->setObjectName(name);
    status->setTextFormat(Qt::PlainText);
    status->setWordWrap(true);
    return status;
}

void LayOutEditableTable(QWidget* owner, QTableView* table, TextTableModel* model, const char* prefix,
                         const QList<QWidget*>& first, QLabel* status)
{
    const QString p = QString::fromLatin1(prefix);
    auto* insert = new QPushButton(QStringLiteral("插入行"), owner);
    insert->setObjectName(p + QStringLiteral("InsertRowButton"));
    auto* remove = new QPushButton(QStringLiteral("删除行"), owner);
    remove->setObjectName(p + QStringLiteral("DeleteRowsButton"));
    QObject::connect(insert, &QPushButton::clicked, table, [table, model] { InsertTableRow(table, model); });
    QObject::connect(remove, &QPushButton::clicked, table, [table, model] { DeleteTableRows(table, model); });
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : first) buttons->addWidget(w);
    buttons->addWidget(insert);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(owner);
    layout->addWidget(table);
    layout->addLayout(buttons);
    layout->addWidget(status);
}

}  // namespace tarvelo
