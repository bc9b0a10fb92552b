#pragma once
// The vertical profile's part of the route window: the grade-point table
// (profileTable, editable like the JD table), the profile drawing
// (profileView), the profile's status line for the window's status bar, and
// the profile's file commands for the 文件 menu ("导入纵断面…",
// "导出纵断面…", "保存竖曲线要素表…"). Dialogs and boxes go through
// UiServices; editing never raises a box.

#include <QList>
#include <QWidget>
#include <memory>

#include "core/plan/route.h"

#include "core/profile/profile.h"

class QAction;
class QLabel;
class QTableView;
class QUndoStack;

namespace tarvelo {

class ProfileDocument;
class ProfileView;
class UiServices;

class ProfilePanel : public QWidget {
    Q_OBJECT
public:
    // undo: the window's stack (shared with the JD table). lastFolder: the
    // window's last used folder, read and updated by the file dialogs.
    ProfilePanel(UiServices& services, QUndoStack* undo, QString& lastFolder,
                 QWidget* parent = nullptr);
    ~ProfilePanel() override;

    ProfileDocument* document() const { return document_; }
    // The profile on the route (its grade points moved across the route's
    // chain breaks; the table's own profile without breaks): what stakes,
    // sections and the design check take their elevations from. Null while
    // there is no profile or it does not fit the route's breaks.
    const std::shared_ptr<const Profile>& profile() const { return onRoute_; }
    // The route the profile's stations are read on (null: none).
    void setRoute(std::shared_ptr<const Route> route);
    QTableView* table() const { return table_; }
    ProfileView* view() const { return view_; }
    // profileStatus: the profile's line for the window's status bar.
    QLabel* statusLabel() const { return status_; }
    // importProfileAction, exportProfileAction, profileReportAction.
    QList<QAction*> fileActions() const { return fileActions_; }

    // The status bar's words for the cursor over the drawing: its station
    // (K notation) and elevation, and the design elevation there, or that
    // the profile does not reach it. "" without a profile.
    QString cursorText(double station, double elevation) const;

    void importProfile();
    void exportProfile();
    void saveCurveReport();
    void pasteIntoTable();
    void insertRow();
    void deleteRows();
    void clearCells();

signals:
    // The profile on the route changed (after any edit of the table or the
    // route); null while there is none.
    void profileChanged(std::shared_ptr<const Profile> profile);

private:
    void rebuilt();
    void tell(const QString& text, QWidget* focus = nullptr);
    QString askOpen(const QStringList& filters);
    QString askSave(const QString& name, const QStringList& filters);

    UiServices& services_;
    QString& lastFolder_;
    ProfileDocument* document_;
    QTableView* table_;
    ProfileView* view_;
    QLabel* status_;
    QList<QAction*> fileActions_;
    bool fitNext_ = true;
    std::shared_ptr<const Route> route_;
    std::shared_ptr<const Profile> onRoute_;
    void placeOnRoute();
};

}  // namespace tarvelo
