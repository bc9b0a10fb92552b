#pragma once
// The cross sections' part of the route window (横断面 tab, sectionPanel):
// the cross-section table (sectionTable, editable like the grade-point
// table, one undo stack with the window), the transition law between its
// rows (transitionCombo: 线性 / 三次), the drawing of the section at the
// stake table's current row (sectionView) with its vertical exaggeration
// switch (exaggerationCheck), a status line (sectionStatus), and the file
// commands for the 文件 menu ("导入横断面…", "导出横断面…", "保存横断面图…").
// Beside the section table the roadbed template's table (TemplatePane,
// sub-tab 路基模板 of sectionTablesTabs), under the drawing 边坡放样 and
// 高程检测 (slopeTabs: SlopePanel, LevelPanel). With a template the drawing
// shows the whole design section; a chosen slope or level row draws its
// point's station with the point (and its catch) marked.
//
// attach() ties it to the rest of the window: the stake table's current row
// chooses the station drawn, the loaded profile gives the centre's design
// elevation, the plan shows the pavement edges, and the stake model gets the
// sections for its edge-stake columns. Dialogs and boxes go through
// UiServices; editing never raises a box.

#include <QList>
#include <QWidget>
#include <memory>
#include <optional>

#include "core/section/cross_section.h"
#include "core/section/roadbed_template.h"
#include "core/profile/profile.h"
#include "core/plan/route.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QTabWidget;
class QTableView;
class QUndoStack;

namespace tarvelo {

class PlanView;
class LevelPanel;
class PointResultsPanel;
class ProfilePanel;
class RouteDocument;
class SlopeDesignInputs;
class SlopePanel;
struct SectionMark;
class TemplatePane;
class SectionTableModel;
class SectionView;
class StakeSectionModel;
class UiServices;

class SectionPanel : public QWidget {
    Q_OBJECT
public:
    SectionPanel(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent = nullptr);
    ~SectionPanel() override;

    // Wires the panel to the window's route, plan, profile and stake table
    // (see above). Call once, after the window's own connections.
    void attach(RouteDocument* route, PlanView* plan, ProfilePanel* profile, QTableView* stakeTable,
                StakeSectionModel* stakes);

    SectionTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    SectionView* view() const { return view_; }
    // The sections of the current table; null while it is empty or does not make one.
    const std::shared_ptr<const CrossSections>& sections() const { return sections_; }
    Transition transition() const;
    TemplatePane* templatePane() const { return template_; }
    SlopePanel* slopePanel() const { return slope_; }
    LevelPanel* levelPanel() const { return level_; }
    // The template of the template table; null while it is empty or does not make one.
    const std::shared_ptr<const RoadbedTemplate>& roadbed() const;
    // importSectionsAction, exportSectionsAction, sectionPictureAction,
    // importTemplateAction, exportTemplateAction.
    QList<QAction*> fileActions() const { return fileActions_; }

    // Draws the section at this route station (nothing where the table does
    // not reach it: the status says so).
    void showStation(double station);
    // Draws the section at this route station with a surveyed point marked.
    void showMark(double station, const SectionMark& mark);

    void importSections();
    void exportSections();
    void savePicture();
    void pasteIntoTable();
    void insertRow();
    void deleteRows();
    void clearCells();

signals:
    // After every change of the table or of the transition; null while there is none.
    void sectionsChanged(std::shared_ptr<const CrossSections> sections, Transition transition);
    // After every change of the template table; null while there is none.
    void templateChanged(std::shared_ptr<const RoadbedTemplate> roadbed);

private:
    void rebuild();
    // The design slope staking, the level check and the drawing work on,
    // made again from the route, profile, sections and template; redraws.
    void refreshDesign();
    void redraw(bool fit);
    // A station of the route's own as the window shows it: the displayed
    // station, its zone where a 长链 shows it twice (as typed without a route).
    QString StationLabel(double station) const;
    void drawPlanEdges();
    void tell(const QString& text, QWidget* focus = nullptr);

    UiServices& services_;
    QString& lastFolder_;
    SectionTableModel* model_;
    QTableView* table_;
    QComboBox* transition_;
    QCheckBox* exaggeration_;
    SectionView* view_;
    QLabel* status_;
    QList<QAction*> fileActions_;
    std::shared_ptr<const CrossSections> sections_;
    QString tableStatus_;
    std::optional<double> station_;  // the station drawn (the stake row's)
    RouteDocument* route_ = nullptr;
    PlanView* plan_ = nullptr;
    ProfilePanel* profile_ = nullptr;
    TemplatePane* template_;
    QTabWidget* slopeTabs_;
    SlopePanel* slope_;
    LevelPanel* level_;
    std::shared_ptr<const SlopeDesignInputs> design_;
    std::unique_ptr<SectionMark> mark_;  // the chosen point, drawn at station_
    QObject* markSource_ = nullptr;      // the panel it was chosen in, if any
};

}  // namespace tarvelo
