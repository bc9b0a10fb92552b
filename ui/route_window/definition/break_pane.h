#pragma once
// The chain breaks (断链表) in the route window: the break table
// (breakTable, edited, pasted and undone like the JD table) with its row
// buttons, and its file commands for the 文件 menu ("导入断链表…",
// "导出断链表…"; objectNames importBreaksAction, exportBreaksAction).
// Dialogs and boxes go through UiServices.

#include <QGroupBox>
#include <QList>

class QAction;
class QTableView;

namespace tarvelo {

class RouteDocument;
class UiServices;

class BreakPane : public QGroupBox {
    Q_OBJECT
public:
    // lastFolder: the window's last used folder, read and updated by the dialogs.
    BreakPane(UiServices& services, RouteDocument* document, QString& lastFolder, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }
    QList<QAction*> fileActions() const { return fileActions_; }

    void importBreaks();
    void exportBreaks();

private:
    void tell(const QString& text, QWidget* focus = nullptr);

    UiServices& services_;
    RouteDocument* document_;
    QString& lastFolder_;
    QTableView* table_;
    QList<QAction*> fileActions_;
};

}  // namespace tarvelo
