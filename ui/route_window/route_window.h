#pragma once
// 线路计算, the route window: the JD table, the curve table, the plan, the
// stake table and the inverse of surveyed points, with the main window one
// click away ("送到主窗口").
//
// The window lays out its controls and wires them to the models
// (RouteDocument, CurveTableModel, StakeTableModel, PlanView); every message
// box and file dialog goes through UiServices. Editing never raises a box:
// what is wrong shows in the status bar and on the table.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "core/curve/curve_inputs.h"
#include "core/plan/route.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tarvelo {

class BreakPane;
class CurveTableModel;
class EarthworkPanel;
class ElementListModel;
class RouteMethodPane;
class InverseResultsModel;
class PlanView;
class ProfilePanel;
class RouteExportActions;
class RouteDocument;
class RouteInverse;
class SectionPanel;
class StakeoutPanel;
class StakeTableModel;
class UiServices;

class RouteWindow : public QMainWindow {
    Q_OBJECT
public:
    // sendToMain receives the current JD's eight texts for the main window.
    RouteWindow(UiServices& services, std::function<void(const CurveTexts&)> sendToMain,
                QWidget* parent = nullptr);
    ~RouteWindow() override;

    RouteDocument* document() const { return document_; }
    PlanView* planView() const { return plan_; }
    // The folder the file dialogs open in: the one used last. The launcher
    // hands it from one window to the next, so it lasts the session.
    const QString& lastFolder() const { return lastFolder_; }
    void setLastFolder(const QString& folder) { lastFolder_ = folder; }
    // The vertical profile: its table, drawing and file commands.
    ProfilePanel* profilePanel() const { return profile_; }
    // The main window's eight input texts, read by "从主窗口导入".
    void setMainCurveSource(std::function<CurveTexts()> read);

    // File commands (the 文件 menu).
    void importRoute();
    void exportRoute();
    void saveCurveReport();
    void saveStakeReport();
    void savePlan();

    // The other commands.
    void computeStakes();       // stakeButton
    void inverseOnePoint();     // inverseButton
    void inverseBatch();        // batchInverseButton
    void sendToMain();          // sendToMainButton
    void pasteIntoJdTable();
    void insertJdRow();
    void deleteJdRows();
    void clearJdCells();

signals:
    // The window is closing (its title bar, 关闭, or Exit).
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QWidget* buildJdPane();
    QWidget* buildCurvePane();
    QWidget* buildStakePane();
    QWidget* buildInversePane();
    void routeChanged();
    void showCursor(double x, double y);
    void centreOnCurveRow(const QModelIndex& index);
    void centreOnStakeRow(const QModelIndex& index);

    void tell(const QString& text, QWidget* focus = nullptr);
    QString askOpen(const QStringList& filters);
    QString askSave(const QString& name, const QStringList& filters);

    UiServices& services_;
    std::function<void(const CurveTexts&)> sendToMain_;
    RouteDocument* document_;
    CurveTableModel* curves_;
    ElementListModel* elementList_;  // the curve table of an element route
    StakeTableModel* stakes_;
    InverseResultsModel* answers_;
    std::unique_ptr<RouteInverse> inverse_;
    std::shared_ptr<const Route> inverseRoute_;  // the route inverse_ refers to

    QTableView* jdTable_;
    QTableView* curveTable_;
    QTableView* elementListTable_;
    QGroupBox* curveBox_;
    QPushButton* sendButton_;
    RouteMethodPane* methodPane_;
    BreakPane* breakPane_;
    QTableView* stakeTable_;
    QTableView* inverseTable_;
    PlanView* plan_;
    ProfilePanel* profile_;
    SectionPanel* sections_;    // the 横断面 tab
    EarthworkPanel* earthwork_;  // the 土石方 tab
    StakeoutPanel* stakeout_;   // the total station's boxes under the stake table
    RouteExportActions* exports_ = nullptr;  // the exports and imports of the 文件 menu
    QLineEdit *interval_, *start_, *end_, *offset_, *skew_;
    QCheckBox* mainPoints_;
    QLineEdit *inverseX_, *inverseY_;
    QLabel* inverseResult_;
    QLabel* routeStatus_;
    QLabel* cursorStatus_;
    QString startDefault_, endDefault_;
    QString lastFolder_;     // of the last file dialog, for this session
    bool fitNextRoute_ = true;
};

}  // namespace tarvelo
