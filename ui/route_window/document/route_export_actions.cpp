#include "ui/route_window/document/route_export_actions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QWidget>
#include <exception>

#include "compute/curve_command.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/plan/route_from_curve.h"
#include "reports/dxf_writer.h"
#include "reports/landxml_reader.h"
#include "reports/landxml_writer.h"
#include "ui/route_window/tables/element_cells.h"
#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/tables/jd_table_model.h"
#include "ui/route_window/document/route_document.h"
#include "compute/route_station_text.h"
#include "ui/route_window/document/table_file_dialogs.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

const QString kAllFiles = QStringLiteral("所有文件(*.*)");

// The stake boxes' objectNames, in StakeField order.
const char* const kStakeBoxes[] = {"intervalEdit", "startEdit", "endEdit", "offsetEdit", "skewEdit"};

// The wait cursor while a long table is written.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QAction* MakeAction(QObject* parent, const char* name, const QString& caption)
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// A write that may throw past the reports layer's own handling (a fault in
// a row, text GBK cannot hold) becomes a status like any other failure.
template <class Write>
FileStatus Guarded(Write write)
{
    try {
        WaitCursor wait;
        return write();
    } catch (const std::exception& e) {
        return FileStatus::Failure(QString::fromUtf8(e.what()));
    }
}

}  // namespace

StakeInputTexts StakeInputTextsOf(const QWidget* window, const Route& route)
{
    StakeInputTexts texts;
    std::string* const fields[] = {&texts.interval, &texts.start, &texts.end, &texts.offset, &texts.skew};
    for (int i = 0; i < 5; ++i)
        if (auto* box = window->findChild<QLineEdit*>(QString::fromLatin1(kStakeBoxes[i])))
            *fields[i] = box->text().toStdString();
    if (auto* check = window->findChild<QCheckBox*>(QStringLiteral("mainPointsCheck")))
        texts.mainPoints = check->isChecked();
    // The window fills start and end with the route's ends in this form.
    texts.startDefault = RouteStationNumber(route, route.start().station);
    texts.endDefault = RouteStationNumber(route, route.end().station);
    return texts;
}

RouteExportActions::RouteExportActions(QWidget* window, UiServices& services, RouteDocument* document,
                                       QString& lastFolder)
    : QObject(window), window_(window), services_(services), document_(document), lastFolder_(lastFolder)
{
    const struct {
        const char* name;
        QString caption;
        void (RouteExportActions::*run)();
        bool isExport;
    } actions[] = {
        {"exportCassAction", QStringLiteral("导出CASS坐标文件…"), &RouteExportActions::exportCass, true},
        {"exportCsvAction", QStringLiteral("导出CSV…"), &RouteExportActions::exportCsv, true},
        {"exportDxfAction", QStringLiteral("导出DXF…"), &RouteExportActions::exportDxf, true},
        {"exportLandXmlAction", QStringLiteral("导出LandXML…"), &RouteExportActions::exportLandXml, true},
        {"importLandXmlAction", QStringLiteral("导入LandXML…"), &RouteExportActions::importLandXml, false},
        {"importFromMainAction", QStringLiteral("从主窗口导入"), &RouteExportActions::importFromMain, false},
    };
    for (const auto& a : actions) {
        QAction* action = MakeAction(this, a.name, a.caption);
        connect(action, &QAction::triggered, this, a.run);
        (a.isExport ? exports_ : imports_) << action;
    }
    exports_[0]->setToolTip(QStringLiteral("逐桩坐标表写成 CASS 坐标文件（点名,编码,Y,X,高程），供 RTK 手簿和全站仪放样"));
    exports_[2]->setToolTip(QStringLiteral("中线、切线、交点和逐桩坐标表的桩点写成 DXF 图形"));
    imports_[1]->setToolTip(QStringLiteral("主窗口的单条曲线作为一个交点的线路，起终点在 ZH、HZ 外 100 m 的切线上"));

    stakeInputs_ = [this] {
        const std::shared_ptr<const Route> route = document_->route();
        return route ? StakeInputTextsOf(window_, *route) : StakeInputTexts{};
    };
    loadRows_ = [this](const std::vector<RoutePointInput>& rows, const QString& what) {
        document_->loadJdRows(JdTextsOf(rows), what);
    };
}

void RouteExportActions::tell(const QString& text, QWidget* focus)
{
    services_.showMessage(window_, kMessageTitle, text, MessageIcon::Information);
    if (focus) focus->setFocus();
}

QString RouteExportActions::askSave(const QString& name, const QStringList& filters)
{
    const QString suggested = lastFolder_.isEmpty() ? name : QDir(lastFolder_).filePath(name);
    const QString path = services_.getSaveFileName(window_, suggested, filters);
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

QString RouteExportActions::askOpen(const QStringList& filters)
{
    const QString path = services_.getOpenFileName(window_, lastFolder_, filters);
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

std::shared_ptr<const Route> RouteExportActions::routeOrTell(const QString& doing)
{
    std::shared_ptr<const Route> route = document_->route();
    if (!route)
        tell(QStringLiteral("交点表有误，不能%1：").arg(doing) + document_->status(),
             window_->findChild<QWidget*>(QStringLiteral("jdTable")));
    return route;
}

std::optional<RouteTableParams> RouteExportActions::stakeParamsOrTell(const Route& route)
{
    const StakeInputsRead read = ReadStakeInputs(stakeInputs_(), &route);
    if (!read.params) {
        tell(U(read.message),
             window_->findChild<QWidget*>(QString::fromLatin1(kStakeBoxes[static_cast<int>(read.failed)])));
        return std::nullopt;
    }
    std::size_t rows = 0;
    if (const auto refusal = CheckRouteTable(route, *read.params, &rows)) {
        tell(U(*refusal));
        return std::nullopt;
    }
    return read.params;
}

ElevationAt RouteExportActions::elevation() const
{
    std::shared_ptr<const Profile> profile = profile_ ? profile_() : nullptr;
    if (!profile) return {};
    return [profile](double station) { return profile->ElevationNear(station); };
}

void RouteExportActions::exportStakes(StakeFileFormat format, const QString& name, const QStringList& filters)
{
    const std::shared_ptr<const Route> route = routeOrTell(QStringLiteral("导出"));
    if (!route) return;
    const std::optional<RouteTableParams> params = stakeParamsOrTell(*route);
    if (!params) return;
    const QString path = askSave(name, filters);
    if (path.isEmpty()) return;
    const ElevationAt z = elevation();
    const StakeExtras extras = extras_ ? extras_() : StakeExtras{};
    const auto write = [&](const QString& file) {
        return extras.any() ? WriteStakeFileWithExtras(file, *route, *params, format, z, extras)
                            : WriteStakeFile(file, *route, *params, format, z);
    };
    const FileStatus written = Guarded([&] {
        return format == StakeFileFormat::Csv ? SaveTableFile(path, TableFile::StakeTable, write) : write(path);
    });
    if (!written.ok()) tell(*written.error);
}

void RouteExportActions::exportCass()
{
    exportStakes(StakeFileFormat::Cass, QStringLiteral("逐桩坐标.dat"), {QStringLiteral("CASS坐标文件(*.dat)"), kAllFiles});
}

void RouteExportActions::exportCsv()
{
    // The CSV may be saved as a workbook too.
    exportStakes(StakeFileFormat::Csv, QStringLiteral("逐桩坐标.csv"), TableFileFilters(TableFile::StakeTable));
}

void RouteExportActions::exportDxf()
{
    const std::shared_ptr<const Route> route = routeOrTell(QStringLiteral("导出"));
    if (!route) return;
    const std::optional<RouteTableParams> params = stakeParamsOrTell(*route);
    if (!params) return;
    const QString path = askSave(QStringLiteral("线路.dxf"), {QStringLiteral("DXF图形(*.dxf)"), kAllFiles});
    if (path.isEmpty()) return;
    const FileStatus written = Guarded([&] { return WriteRouteDxf(path, *route, params); });
    if (!written.ok()) tell(*written.error);
}

void RouteExportActions::exportLandXml()
{
    const std::shared_ptr<const Route> route = routeOrTell(QStringLiteral("导出"));
    if (!route) return;
    const QString path = askSave(QStringLiteral("线路.xml"), {QStringLiteral("LandXML文件(*.xml)"), kAllFiles});
    if (path.isEmpty()) return;
    // A route has no name of its own; the file's is the one a CAD user sees.
    const QString name = QFileInfo(path).completeBaseName();
    const FileStatus written = Guarded([&] { return WriteLandXml(path, *route, name); });
    if (!written.ok()) tell(*written.error);
}

void RouteExportActions::importLandXml()
{
    const QString path = askOpen({QStringLiteral("LandXML文件(*.xml)"), kAllFiles});
    if (path.isEmpty()) return;
    const FileResult<LandXmlAlignment> read = ReadLandXmlFile(path);
    if (!read.ok()) return tell(*read.error);
    // An alignment that is no JD route comes in as an element route (线元法).
    if (!read.value->elements.empty()) {
        try {
            return document_->loadElementRows(ElementTextsOf(read.value->elements), QStringLiteral("导入LandXML"));
        } catch (const FloatFault& fault) {
            return tell(QString::fromUtf8(fault.what()));
        }
    }
    loadRows_(read.value->rows, QStringLiteral("导入LandXML"));
}

void RouteExportActions::importFromMain()
{
    if (!mainCurve_) return tell(QStringLiteral("没有可导入的主窗口。"));
    const CurveTexts texts = mainCurve_();
    if (const auto failure = ValidateCurveInputs(texts))
        return tell(QStringLiteral("主窗口的曲线要素有误，未导入：") + U(failure->message));
    std::vector<RoutePointInput> rows;
    try {
        CurveState curve;
        PrepareCurveState(curve, texts);
        if (const auto refusal = RouteFromCurveRefusal(curve)) return tell(U(*refusal));
        rows = RouteRowsFromCurve(curve);
    } catch (const FloatFault& fault) {
        return tell(QString::fromUtf8(fault.what()));
    }
    // Only a curve that makes a route comes in: the window's curve with
    // spirals too long for its deflection has no route to show.
    const Route::Built built = Route::Build(rows);
    if (!built.route)
        return tell(QStringLiteral("主窗口的曲线不能构成线路，未导入：") + U(built.error->message));
    loadRows_(rows, QStringLiteral("从主窗口导入"));
}

}  // namespace tarvelo
