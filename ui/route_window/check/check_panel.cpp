#include "ui/route_window/check/check_panel.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "compute/route_station_text.h"
#include "compute/route_design_check.h"
#include "compute/route_inverse.h"
#include "compute/route_text.h"
#include "core/numbers/number_text.h"
#include "reports/design_check_report.h"
#include "reports/table_file.h"
#include "ui/route_window/check/check_table_model.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/document/table_file_dialogs.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

// Choosing a flagged row zooms in, when needed, until its design point and
// the route's point lie this many pixels apart, but not closer than kCloseUp
// pixels a metre: a millimetre's difference is not worth losing the road.
constexpr double kApartPixels = 80;
constexpr double kCloseUp = 5;

// How long a refused tolerance stays in the status bar (ms).
constexpr int kMessageTime = 15000;

QString Metres(double v) { return U(FormatGeneral(v)) + QStringLiteral(" m"); }

// The text of a tolerance box as a number; NaN when it is not one, which
// DesignToleranceProblem refuses.
double ToleranceOf(const QLineEdit* edit)
{
    double v = 0;
    return ParseWholeNumber(edit->text().trimmed().toStdString(), &v) ? v : NAN;
}

QLineEdit* MakeToleranceEdit(const char* name, const QString& tip, QWidget* parent)
{
    auto* edit = new QLineEdit(QStringLiteral("0.005"), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(tip);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0.000000")) + 24);
    return edit;
}

}  // namespace

CheckPanel::CheckPanel(UiServices& services, QString& lastFolder, RouteDocument* document, ProfilePanel* profile,
                       PlanView* plan, QWidget* parent)
    : QWidget(parent), services_(services), lastFolder_(lastFolder), document_(document), profilePanel_(profile),
      plan_(plan), model_(new CheckTableModel(this))
{
    setObjectName(QStringLiteral("checkPanel"));
    auto* load = new QPushButton(QStringLiteral("读入设计逐桩坐标表…"), this);
    load->setObjectName(QStringLiteral("loadDesignButton"));
    load->setToolTip(QStringLiteral("设计文件每行一桩：点名, 桩号, X, Y[, 高程]，可带表头；逐桩与当前线路复核"));
    designFile_ = new QLabel(this);
    designFile_->setObjectName(QStringLiteral("designFileLabel"));
    designFile_->setTextFormat(Qt::PlainText);
    tolerance_ = MakeToleranceEdit("toleranceEdit", QStringLiteral("平面限差 (m)：设计点与线路上同一桩号的点相距不超过它即为相符"), this);
    toleranceZ_ = MakeToleranceEdit("toleranceZEdit", QStringLiteral("高程限差 (m)：设计高程与纵断面高程之差不超过它即为相符"), this);
    auto* labelPlan = new QLabel(QStringLiteral("平面限差(&L)"), this);
    labelPlan->setBuddy(tolerance_);
    auto* labelZ = new QLabel(QStringLiteral("高程限差(&G)"), this);
    labelZ->setBuddy(toleranceZ_);
    auto* save = new QPushButton(QStringLiteral("保存复核报告…"), this);
    save->setObjectName(QStringLiteral("saveCheckReportButton"));
    save->setToolTip(QStringLiteral("把复核结果写成 GBK 文本报告“设计逐桩坐标复核表”"));

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("checkSummary"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("checkTable"));
    table_->setModel(model_);
    table_->setTabKeyNavigation(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Columns as wide as their numbers: a station cut to "K10+…" helps nobody.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->setToolTip(QStringLiteral("不相符的行在前并以底色标出；选中一行，平面图即移到该设计点"));

    auto* row = new QHBoxLayout;
    row->addWidget(load);
    row->addWidget(designFile_, 1);
    row->addWidget(labelPlan);
    row->addWidget(tolerance_);
    row->addWidget(labelZ);
    row->addWidget(toleranceZ_);
    row->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);

    connect(load, &QPushButton::clicked, this, &CheckPanel::loadDesign);
    connect(save, &QPushButton::clicked, this, &CheckPanel::saveReport);
    connect(tolerance_, &QLineEdit::editingFinished, this, &CheckPanel::readTolerances);
    connect(toleranceZ_, &QLineEdit::editingFinished, this, &CheckPanel::readTolerances);
    connect(document_, &RouteDocument::routeChanged, this, &CheckPanel::recheck);
    connect(profilePanel_, &ProfilePanel::profileChanged, this, &CheckPanel::recheck);
    connect(table_, &QTableView::clicked, this, &CheckPanel::centreOnRow);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CheckPanel::centreOnRow);
    recheck();
}

CheckPanel::~CheckPanel() = default;

void CheckPanel::tell(const QString& text)
{
    services_.showMessage(window(), kMessageTitle, text, MessageIcon::Information);
}

void CheckPanel::recheck()
{
    if (!document_ || !plan_ || !profilePanel_) return;  // the window is being taken down
    // The row chosen stays chosen through the rerun (found by its line),
    // without moving the plan again.
    const QModelIndex current = table_->currentIndex();
    const int chosenLine = current.isValid() ? model_->row(std::size_t(current.row())).line : 0;
    result_.reset();
    model_->clear();
    plan_->planScene()->setCheckMarks({});
    const std::shared_ptr<const Route> route = document_->route();
    if (!route) {
        summary_->setText(document_->hasError()
                              ? QStringLiteral("交点表有误，不能复核：") + document_->status()
                              : QStringLiteral("还没有线路：请先输入交点表或从“文件 → 导入线路”读入，再复核设计逐桩坐标表。"));
        return;
    }
    if (!design_) {
        summary_->setText(QStringLiteral("请读入设计逐桩坐标表（每行一桩：点名, 桩号, X, Y[, 高程]），"
                                         "逐桩与当前线路及纵断面复核。"));
        return;
    }
    const std::shared_ptr<const Profile> profile = profilePanel_->profile();
    QStringList lines;
    try {
        const RouteInverse inverse(*route);
        result_ = CheckDesign(*design_, DesignCheckRouteOf(*route, inverse, profile.get()), tolerances_);
        lines = DesignCheckSummaryLines(result_->summary);
    } catch (const std::exception& e) {
        // A route whose pieces cannot all be indexed (FloatFault): say so.
        result_.reset();
        summary_->setText(QStringLiteral("不能复核：") + QString::fromUtf8(e.what()));
        return;
    }
    model_->setResult(*result_);
    for (std::size_t r = 0; chosenLine > 0 && r < model_->size(); ++r) {
        if (model_->row(r).line != chosenLine) continue;
        keepPlan_ = true;
        table_->setCurrentIndex(model_->index(int(r), 0));
        table_->scrollTo(table_->currentIndex());
        keepPlan_ = false;
        break;
    }

    QString text = lines.value(0);
    const bool elevations = std::any_of(design_->rows.begin(), design_->rows.end(),
                                        [](const DesignRow& r) { return r.elevation.has_value(); });
    if (elevations && !profile) text += QStringLiteral("未读入纵断面，高程未复核。");
    summary_->setText(text + QLatin1Char('\n') + lines.mid(1).join(QStringLiteral("；")) + QStringLiteral("。"));

    std::vector<PlanCheckMark> marks;
    for (const DesignCheckRow& r : result_->rows) {
        if (r.kind == DesignClass::Ok || !r.x || !r.y) continue;
        PlanCheckMark m;
        m.design = {*r.x, *r.y};
        if (r.dx && r.dy) m.computed = DesignPlanPoint{*r.x - *r.dx, *r.y - *r.dy};
        m.label = (r.name.empty() ? QStringLiteral("第 %1 行").arg(r.line) : U(r.name)) + QLatin1Char(' ') +
                  QString::fromUtf8(DesignClassChinese(r.kind));
        marks.push_back(std::move(m));
    }
    plan_->planScene()->setCheckMarks(std::move(marks));
}

void CheckPanel::readTolerances()
{
    const DesignTolerances read{ToleranceOf(tolerance_), ToleranceOf(toleranceZ_)};
    const std::string problem = DesignToleranceProblem(read);
    QStatusBar* bar = nullptr;
    if (auto* main = qobject_cast<QMainWindow*>(window())) bar = main->statusBar();
    const bool planBad = !DesignToleranceProblem({read.plan, 0}).empty();
    const bool zBad = !DesignToleranceProblem({0, read.z}).empty();
    tolerance_->setStyleSheet(planBad ? QStringLiteral("color: #b00000;") : QString());
    toleranceZ_->setStyleSheet(zBad ? QStringLiteral("color: #b00000;") : QString());
    if (!problem.empty()) {
        const QString message = U(problem) + QStringLiteral("复核仍按平面 %1、高程 %2 的限差。")
                                                 .arg(Metres(tolerances_.plan), Metres(tolerances_.z));
        if (bar) bar->showMessage(message, kMessageTime);
        return;
    }
    if (bar && bar->currentMessage().contains(QStringLiteral("复核仍按"))) bar->clearMessage();
    if (read.plan == tolerances_.plan && read.z == tolerances_.z) return;
    tolerances_ = read;
    recheck();
}

void CheckPanel::centreOnRow(const QModelIndex& index)
{
    if (keepPlan_ || !plan_ || !index.isValid() || std::size_t(index.row()) >= model_->size()) return;
    const DesignCheckRow& r = model_->row(std::size_t(index.row()));
    if (!r.x || !r.y) return;  // an unreadable row has no point
    if (r.kind != DesignClass::Ok && r.distance && *r.distance > 0) {
        const double wanted = std::min(kApartPixels / *r.distance, kCloseUp);
        if (plan_->pixelsPerMetre() < wanted) plan_->setPixelsPerMetre(wanted);
    }
    plan_->centreOnSurvey(*r.x, *r.y);
}

void CheckPanel::loadDesign()
{
    const QString path = services_.getOpenFileName(
        window(), lastFolder_, TableFileFilters(TableFile::DesignStakes));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const FileResult<std::string> text = ReadTableFileText(path);
    if (!text.ok()) return tell(*text.error);
    DesignTable table = ParseDesignTable(*text.value);
    if (table.rows.empty() && table.unreadable.empty())
        return tell(QStringLiteral("设计逐桩坐标表“%1”中没有桩，未读入。").arg(path));
    design_ = std::move(table);
    designPath_ = path;
    designFile_->setText(QFileInfo(path).fileName());
    designFile_->setToolTip(QDir::toNativeSeparators(path));
    recheck();
}

void CheckPanel::saveReport()
{
    if (!document_) return;
    if (!result_) {
        if (!document_->route())
            return tell(document_->hasError() ? QStringLiteral("交点表有误，不能复核：") + document_->status()
                                              : QStringLiteral("还没有线路，不能复核。"));
        return tell(design_ ? summary_->text() : QStringLiteral("请先读入设计逐桩坐标表！"));
    }
    const QString name = QFileInfo(designPath_).completeBaseName() + QStringLiteral("_复核.txt");
    const QString suggested = lastFolder_.isEmpty() ? name : QDir(lastFolder_).filePath(name);
    const QString path = services_.getSaveFileName(
        window(), suggested, {QStringLiteral("文本文件(*.txt)"), QStringLiteral("所有文件(*.*)")});
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const std::shared_ptr<const Route> route = document_->route();
    const QString routeName = QStringLiteral("线路计算窗口中的线路（%1 至 %2）")
                                  .arg(U(RouteStationText(*route, route->start().station, 3)),
                                       U(RouteStationText(*route, route->end().station, 3)));
    const FileStatus written = WriteDesignCheckReport(path, *result_, routeName, QFileInfo(designPath_).fileName());
    if (!written.ok()) tell(*written.error);
}

}  // namespace tarvelo
