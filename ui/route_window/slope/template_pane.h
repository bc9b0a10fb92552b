#pragma once
// The roadbed template's table in the 横断面 tab (templatePane): the
// template table (templateTable: 起始桩号, 侧, 部位, 参数1..参数4, edited,
// pasted and undone like every text table, on the window's undo stack),
// insert/delete buttons, a status line (templateStatus) naming the first
// bad cell or row, and the file commands for the 文件 menu
// ("导入路基模板…", "导出路基模板…") reading and writing through the
// template file's reader and writer (core/files/template_file.h).
//
// The typed stations are displayed stations: across the route's chain
// breaks they move to the route's own, as the command line moves a
// template file's. After every change the template (null while the table
// is empty or does not make one) is announced by templateChanged.

#include <QList>
#include <QWidget>
#include <memory>

#include "core/plan/route.h"
#include "core/section/roadbed_template.h"

class QAction;
class QLabel;
class QTableView;
class QUndoStack;

namespace tarvelo {

class TemplateTableModel;
class UiServices;

class TemplatePane : public QWidget {
    Q_OBJECT
public:
    TemplatePane(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent = nullptr);

    // The route whose chain breaks place the stations (null: as typed).
    void setRoute(std::shared_ptr<const Route> route);

    TemplateTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    const std::shared_ptr<const RoadbedTemplate>& roadbed() const { return roadbed_; }
    // importTemplateAction, exportTemplateAction.
    QList<QAction*> fileActions() const { return fileActions_; }

    void importTemplate();
    void exportTemplate();

signals:
    void templateChanged(std::shared_ptr<const RoadbedTemplate> roadbed);

private:
    void rebuild();
    void tell(const QString& text, QWidget* focus = nullptr);

    UiServices& services_;
    QString& lastFolder_;
    TemplateTableModel* model_;
    QTableView* table_;
    QLabel* status_;
    QList<QAction*> fileActions_;
    std::shared_ptr<const Route> route_;
    std::shared_ptr<const RoadbedTemplate> roadbed_;
};

}  // namespace tarvelo
