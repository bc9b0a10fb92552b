#pragma once
// The 土石方 tab of the route window (earthworkPanel): the ground read in
// (a ground-section file in any of its three forms, the relative .hdm with
// its centre-ground file, or the crew's RTK points sorted into sections at
// an interval and band as `tarvelo-cli route ground` sorts them), the roadbed
// template, the trough depth; the sections table and the volume table as
// `tarvelo-cli route earthwork` prints them; the drawing of the chosen
// section (earthworkView), Up / Down stepping through the stations; and a
// status line saying what was read and what was left out.
//
// The design comes from the rest of the window (attach): the route, the
// profile on it, the pavement and the roadbed template of the 横断面 tab
// (one template for the slope stakes and the earthwork: "读入模板…" here
// reads it into that tab's table). The computation is the
// engine's (compute/earthwork.h); the tab only shows it. Dialogs and boxes
// go through UiServices.

#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compute/earthwork.h"
#include "core/files/point_file.h"
#include "core/plan/route.h"
#include "core/profile/profile.h"
#include "core/section/cross_section.h"
#include "core/section/ground_section.h"
#include "core/section/roadbed_template.h"
#include "ui/route_window/document/table_file_dialogs.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QTableView;

namespace tarvelo {

class EarthworkTableModel;
class EarthworkView;
class ProfilePanel;
class RouteDocument;
class SectionPanel;
class UiServices;

class EarthworkPanel : public QWidget {
    Q_OBJECT
public:
    EarthworkPanel(UiServices& services, QString& lastFolder, QWidget* parent = nullptr);

    // Follows the window's route, the profile on it and the 横断面 tab's
    // pavement. Call once.
    void attach(RouteDocument* route, ProfilePanel* profile, SectionPanel* sections);

    QTableView* sectionsTable() const { return sectionsTable_; }
    QTableView* volumesTable() const { return volumesTable_; }
    EarthworkView* view() const { return view_; }
    QLabel* statusLabel() const { return status_; }
    // The last result (null while an input is missing or refused) and the
    // ground sections it was computed on, index for index.
    const std::shared_ptr<const EarthworkResult>& result() const { return result_; }
    const std::vector<GroundSection>& groundSections() const { return ground_; }
    // The catch stakes of the result as CASS rows (reports/earthwork_report.h),
    // as `route earthwork --format dat` writes them; empty without a result.
    std::string catchStakeRows() const;

public slots:
    void setRoute(std::shared_ptr<const Route> route);
    void setProfile(std::shared_ptr<const Profile> profile);
    void setPavement(std::shared_ptr<const CrossSections> pavement, Transition transition);
    // The roadbed template, on the route's own stations (null: none), as the
    // 横断面 tab's template table announces it.
    void setTemplate(std::shared_ptr<const RoadbedTemplate> roadbed);

    void readGround();        // readGroundButton
    void readCentreGround();  // readCentreGroundButton
    void readPoints();        // readGroundPointsButton
    // Draws the section of this row of the sections table and makes it current.
    void showSection(int row);
    // The previous (-1) or next (+1) section.
    void step(int step);

signals:
    // After every computation (the result may be null).
    void resultChanged();
    // readTemplateButton: the template file is read into the 横断面 tab's table.
    void templateWanted();

private:
    enum class GroundSource { None, File, Points };
    struct OpenedText {
        QString path;
        std::string text;  // UTF-8, as the readers take it
    };
    // The file chosen in the open dialog (the kind's files, a workbook or
    // all files) and its text; nullopt when cancelled or unreadable (said in a box).
    std::optional<OpenedText> openText(TableFile kind);
    void tell(const QString& text);
    // Reads the kept files again on the current route (their stations are
    // displayed stations), then computes.
    void reread();
    void readGroundSources();
    void recompute();

    UiServices& services_;
    QString& lastFolder_;
    EarthworkTableModel* sectionsModel_;
    EarthworkTableModel* volumesModel_;
    QTableView* sectionsTable_;
    QTableView* volumesTable_;
    EarthworkView* view_;
    QLabel* status_;
    QDoubleSpinBox *interval_, *band_, *depth_;
    QCheckBox* exaggeration_;

    std::shared_ptr<const Route> route_;
    std::shared_ptr<const Profile> profile_;
    std::shared_ptr<const CrossSections> pavement_;
    Transition transition_ = Transition::Linear;

    // The sources as read from their files, kept to be read again on a new route.
    GroundSource source_ = GroundSource::None;
    QString groundPath_, centrePath_, pointsPath_;
    std::optional<std::string> groundText_, centreText_;
    std::optional<PointFileContent> points_;

    std::shared_ptr<const RoadbedTemplate> template_;
    std::vector<GroundSection> ground_;
    QString groundNote_, templateNote_;
    bool groundFault_ = false;
    std::shared_ptr<const EarthworkResult> result_;
};

}  // namespace tarvelo
