#pragma once
// The route window's exports for the field and for CAD, and the two imports
// that fill its JD table from outside:
//   导出CASS坐标文件… (exportCassAction)   the stake table as a CASS .dat file
//   导出CSV…          (exportCsvAction)    the stake table as CSV
//   导出DXF…          (exportDxfAction)    the drawing, with the stake table's stakes
//   导出LandXML…      (exportLandXmlAction) the alignment
//   导入LandXML…      (importLandXmlAction) an alignment into the JD table
//   从主窗口导入      (importFromMainAction) the main window's curve as a one-JD route
// The stake formats and the DXF's stakes take the stake table's inputs as
// typed in the window (interval, start, end, offset, skew, main points), and
// the design elevation from the loaded profile when there is one, and the
// edge stakes and stakeout columns of the stake table where loaded. Every file
// is written atomically by the reports layer; a failure is one message that
// names the path and the reason, and the window keeps what it showed.
// Dialogs and messages go through UiServices.

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "compute/route_table.h"
#include "core/curve/curve_inputs.h"
#include "core/profile/profile.h"
#include "core/plan/route.h"
#include "reports/stake_file_export.h"
#include "ui/route_window/stakes/stake_extras_file.h"
#include "ui/route_window/stakes/stake_inputs.h"

class QAction;
class QWidget;

namespace tarvelo {

class RouteDocument;
class UiServices;

// The stake table's boxes of `window` (found by their objectNames
// intervalEdit ... skewEdit and mainPointsCheck); start and end count as
// "the route's end" while they hold the route's ends as the window fills
// them in. Missing boxes read as their defaults.
StakeInputTexts StakeInputTextsOf(const QWidget* window, const Route& route);

class RouteExportActions : public QObject {
    Q_OBJECT
public:
    using RowLoader = std::function<void(const std::vector<RoutePointInput>& rows, const QString& what)>;

    // window: the parent of dialogs and messages and where the stake boxes
    // are found. lastFolder: the window's last used folder, read and updated
    // by the file dialogs; it must outlive this object.
    RouteExportActions(QWidget* window, UiServices& services, RouteDocument* document,
                       QString& lastFolder);

    // The six actions, in menu order (exports, then imports).
    QList<QAction*> exportActions() const { return exports_; }
    QList<QAction*> importActions() const { return imports_; }

    // Where the inputs come from; each has a default (see above).
    void setStakeInputs(std::function<StakeInputTexts()> read) { stakeInputs_ = std::move(read); }
    // The loaded profile (null: none). Without a source there is no elevation.
    void setProfileSource(std::function<std::shared_ptr<const Profile>()> profile)
    {
        profile_ = std::move(profile);
    }
    // The stake table's cross sections and stakeout station: while any is
    // set the CASS and CSV files carry them (stake_extras_file.h).
    void setStakeExtras(std::function<StakeExtras()> extras) { extras_ = std::move(extras); }
    // The main window's eight input texts. Without it 从主窗口导入 says so.
    void setMainCurveSource(std::function<CurveTexts()> read) { mainCurve_ = std::move(read); }
    // Puts imported rows into the JD table as one undoable step named what.
    // Default: the document's table replaces all its rows.
    void setRowLoader(RowLoader load) { loadRows_ = std::move(load); }

    void exportCass();
    void exportCsv();
    void exportDxf();
    void exportLandXml();
    void importLandXml();
    void importFromMain();

private:
    void exportStakes(StakeFileFormat format, const QString& name, const QStringList& filters);
    // The route, or a message and null.
    std::shared_ptr<const Route> routeOrTell(const QString& doing);
    // The stake parameters of the boxes checked against the route, or a
    // message (focus on the failing box) and nullopt.
    std::optional<RouteTableParams> stakeParamsOrTell(const Route& route);
    ElevationAt elevation() const;
    void tell(const QString& text, QWidget* focus = nullptr);
    QString askSave(const QString& name, const QStringList& filters);
    QString askOpen(const QStringList& filters);

    QWidget* window_;
    UiServices& services_;
    RouteDocument* document_;
    QString& lastFolder_;
    QList<QAction*> exports_, imports_;
    std::function<StakeInputTexts()> stakeInputs_;
    std::function<std::shared_ptr<const Profile>()> profile_;
    std::function<CurveTexts()> mainCurve_;
    std::function<StakeExtras()> extras_;
    RowLoader loadRows_;
};

}  // namespace tarvelo
