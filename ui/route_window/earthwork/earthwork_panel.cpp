#include "ui/route_window/earthwork/earthwork_panel.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>

#include "compute/earthwork_text.h"
#include "compute/ground_points.h"
#include "compute/route_inverse.h"
#include "core/files/ground_file.h"
#include "core/numbers/float_fault.h"
#include "reports/earthwork_report.h"
#include "reports/table_file.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/earthwork/earthwork_table_model.h"
#include "ui/route_window/earthwork/earthwork_view.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/document/table_file_dialogs.h"
#include "ui/route_window/sections/section_panel.h"
#include "ui/route_window/slope/template_pane.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }


QPushButton* MakeButton(const char* name, const QString& caption, const QString& tip, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    return button;
}

QDoubleSpinBox* MakeSpin(const char* name, double low, double high, double value, const QString& tip,
                         QWidget* parent)
{
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(low, high);
    spin->setDecimals(3);
    spin->setValue(value);
    spin->setSuffix(QStringLiteral(" m"));
    spin->setToolTip(tip);
    return spin;
}

QTableView* MakeTable(const char* name, EarthworkTableModel* model, QWidget* parent)
{
    auto* table = new QTableView(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setModel(model);
    table->setAlternatingRowColors(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    return table;
}

}  // namespace

EarthworkPanel::EarthworkPanel(UiServices& services, QString& lastFolder, QWidget* parent)
    : QWidget(parent), services_(services), lastFolder_(lastFolder),
      sectionsModel_(new EarthworkTableModel(EarthworkTableModel::Kind::Sections, this)),
      volumesModel_(new EarthworkTableModel(EarthworkTableModel::Kind::Volumes, this))
{
    setObjectName(QStringLiteral("earthworkPanel"));
    auto* box = new QGroupBox(QStringLiteral("土石方"));

    auto* ground = MakeButton("readGroundButton", QStringLiteral("读入地面线…"),
                              QStringLiteral("横断面地面线文件：桩号,偏距,高程，BEGIN 格式的 .hdm，"
                                             "或相对格式的 .hdm（另需中桩地面高程）"),
                              box);
    auto* centre = MakeButton("readCentreGroundButton", QStringLiteral("读入中桩地面高程…"),
                              QStringLiteral("相对格式 .hdm 所需的中桩地面高程文件：桩号,高程"), box);
    auto* points = MakeButton("readGroundPointsButton", QStringLiteral("读入RTK点…"),
                              QStringLiteral("RTK 实测点（点名,X,Y,H 或 CASS .dat），按间距和带宽归入断面"), box);
    auto* roadbed = MakeButton("readTemplateButton", QStringLiteral("读入模板…"),
                               QStringLiteral("路基模板文件：起始桩号,侧,部位,参数1..参数4，读入横断面页的路基模板表"), box);
    connect(ground, &QPushButton::clicked, this, &EarthworkPanel::readGround);
    connect(centre, &QPushButton::clicked, this, &EarthworkPanel::readCentreGround);
    connect(points, &QPushButton::clicked, this, &EarthworkPanel::readPoints);
    connect(roadbed, &QPushButton::clicked, this, &EarthworkPanel::templateWanted);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ground, centre, points, roadbed}) buttons->addWidget(b);
    buttons->addStretch();

    interval_ = MakeSpin("groundIntervalSpin", 0.001, 100000, 20,
                         QStringLiteral("RTK 点归入的断面：显示桩号为此间距整倍数的桩，逐区"), box);
    band_ = MakeSpin("groundBandSpin", 0, 1000, 0.5, QStringLiteral("点到断面沿线路的距离在此之内才归入该断面"), box);
    depth_ = MakeSpin("earthworkDepthSpin", 0, 100, 0,
                      QStringLiteral("路槽深度：路面宽度内设计线低于路面的深度，路槽两侧竖直"), box);
    exaggeration_ = new QCheckBox(QStringLiteral("竖向放大"), box);
    exaggeration_->setObjectName(QStringLiteral("earthworkExaggerationCheck"));
    exaggeration_->setToolTip(QStringLiteral("断面图的高程放大 %1 倍画出").arg(EarthworkView::kExaggeration));
    auto* numbers = new QHBoxLayout;
    const std::pair<const char*, QWidget*> labelled[] = {
        {"断面间距", interval_}, {"带宽", band_}, {"路槽深度", depth_}};
    for (const auto& [caption, widget] : labelled) {
        auto* label = new QLabel(QString::fromUtf8(caption), box);
        label->setBuddy(widget);
        numbers->addWidget(label);
        numbers->addWidget(widget);
    }
    numbers->addStretch();
    numbers->addWidget(exaggeration_);

    sectionsTable_ = MakeTable("earthworkSectionsTable", sectionsModel_, box);
    sectionsTable_->setToolTip(QStringLiteral("各断面的挖方、填方面积和坡脚、坡口；选中一行画出其断面，上下键逐桩"));
    volumesTable_ = MakeTable("earthworkVolumesTable", volumesModel_, box);
    volumesTable_->setToolTip(QStringLiteral("平均断面法：区间长度 × 两端面积之和 / 2"));
    auto* tables = new QSplitter(Qt::Vertical, box);
    tables->addWidget(sectionsTable_);
    tables->addWidget(volumesTable_);
    tables->setStretchFactor(0, 3);
    tables->setStretchFactor(1, 2);
    status_ = new QLabel(box);
    status_->setObjectName(QStringLiteral("earthworkStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(buttons);
    boxLayout->addLayout(numbers);
    boxLayout->addWidget(tables, 1);
    boxLayout->addWidget(status_);

    view_ = new EarthworkView;
    view_->setObjectName(QStringLiteral("earthworkView"));
    view_->setToolTip(QStringLiteral("选中断面的地面线、设计线与挖填。上下键逐桩，滚轮缩放，拖动平移"));
    auto* split = new QSplitter(Qt::Horizontal);
    split->setObjectName(QStringLiteral("earthworkSplitter"));
    split->addWidget(box);
    split->addWidget(view_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setCollapsible(0, false);
    split->setSizes({460, 540});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    connect(sectionsTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) {
                if (index.isValid()) showSection(index.row());
            });
    connect(view_, &EarthworkView::stepRequested, this, &EarthworkPanel::step);
    connect(exaggeration_, &QCheckBox::toggled, view_, &EarthworkView::setExaggerated);
    connect(depth_, &QDoubleSpinBox::valueChanged, this, &EarthworkPanel::recompute);
    for (QDoubleSpinBox* spin : {interval_, band_})
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] {
            if (source_ == GroundSource::Points) reread();
        });
    recompute();
}

void EarthworkPanel::attach(RouteDocument* route, ProfilePanel* profile, SectionPanel* sections)
{
    connect(route, &RouteDocument::routeChanged, this, [this, route] { setRoute(route->route()); });
    connect(profile, &ProfilePanel::profileChanged, this, &EarthworkPanel::setProfile);
    connect(sections, &SectionPanel::sectionsChanged, this, &EarthworkPanel::setPavement);
    connect(sections, &SectionPanel::templateChanged, this, &EarthworkPanel::setTemplate);
    connect(this, &EarthworkPanel::templateWanted, sections->templatePane(), &TemplatePane::importTemplate);
    route_ = route->route();
    profile_ = profile->profile();
    pavement_ = sections->sections();
    transition_ = sections->transition();
    template_ = sections->roadbed();
    templateNote_ = template_ ? QStringLiteral("路基模板取自横断面表。") : QString();
    reread();
}

void EarthworkPanel::setRoute(std::shared_ptr<const Route> route)
{
    if (route == route_) return;
    route_ = std::move(route);
    reread();
}

void EarthworkPanel::setProfile(std::shared_ptr<const Profile> profile)
{
    profile_ = std::move(profile);
    recompute();
}

void EarthworkPanel::setPavement(std::shared_ptr<const CrossSections> pavement, Transition transition)
{
    pavement_ = std::move(pavement);
    transition_ = transition;
    recompute();
}

void EarthworkPanel::setTemplate(std::shared_ptr<const RoadbedTemplate> roadbed)
{
    template_ = std::move(roadbed);
    templateNote_ = template_ ? QStringLiteral("路基模板取自横断面表。") : QString();
    recompute();
}

std::optional<EarthworkPanel::OpenedText> EarthworkPanel::openText(TableFile kind)
{
    const QString path = services_.getOpenFileName(window(), lastFolder_, TableFileFilters(kind));
    if (path.isEmpty()) return std::nullopt;
    lastFolder_ = QFileInfo(path).absolutePath();
    FileResult<std::string> text = ReadTableFileText(path);
    if (!text.ok()) {
        tell(*text.error);
        return std::nullopt;
    }
    return OpenedText{path, std::move(*text.value)};
}

void EarthworkPanel::tell(const QString& text)
{
    services_.showMessage(window(), kMessageTitle, text, MessageIcon::Information);
}

void EarthworkPanel::readGround()
{
    std::optional<OpenedText> file = openText(TableFile::Ground);
    if (!file) return;
    source_ = GroundSource::File;
    groundPath_ = file->path;
    groundText_ = std::move(file->text);
    reread();
    if (groundFault_) tell(groundNote_);
}

void EarthworkPanel::readCentreGround()
{
    std::optional<OpenedText> file = openText(TableFile::CentreGround);
    if (!file) return;
    centrePath_ = file->path;
    centreText_ = std::move(file->text);
    // A relative .hdm read before its centre ground is read again with it.
    reread();
    if (groundFault_ && source_ == GroundSource::File) tell(groundNote_);
}

void EarthworkPanel::readPoints()
{
    std::optional<OpenedText> file = openText(TableFile::Points);
    if (!file) return;
    PointFileContent points = ParsePointFile(file->text);
    if (!points.ok()) {
        QString message = QStringLiteral("点文件“%1”有错误：").arg(file->path);
        for (const std::string& e : points.errors) message += QStringLiteral("\n") + U(e);
        return tell(message);
    }
    source_ = GroundSource::Points;
    pointsPath_ = file->path;
    points_ = std::move(points);
    reread();
    if (groundFault_) tell(groundNote_);
}

void EarthworkPanel::reread()
{
    readGroundSources();
    recompute();
}

void EarthworkPanel::readGroundSources()
{
    ground_.clear();
    groundNote_.clear();
    groundFault_ = false;
    if (source_ == GroundSource::None || !route_) return;
    try {
        const GroundStationReader stations = RouteGroundStations(*route_);
        if (source_ == GroundSource::File) {
            std::vector<CentreGround> centre;
            if (centreText_) {
                CentreGroundContent c = ParseCentreGroundFile(*centreText_, stations);
                if (!c.ok()) {
                    groundFault_ = true;
                    groundNote_ = QStringLiteral("中桩地面高程文件“%1”有错误：").arg(centrePath_);
                    for (const std::string& e : c.errors) groundNote_ += QStringLiteral("\n") + U(e);
                    return;
                }
                centre = std::move(c.points);
            }
            const GroundFileContent g = ParseGroundFile(*groundText_, stations, centreText_ ? &centre : nullptr);
            if (!g.ok()) {
                groundFault_ = true;
                groundNote_ = QStringLiteral("横断面地面线文件“%1”不能读入：").arg(groundPath_) + U(g.refused);
                if (g.form == GroundFileForm::HdmRelative && !centreText_)
                    groundNote_ += QStringLiteral("请用“读入中桩地面高程…”给出。");
                for (const std::string& p : g.problems) groundNote_ += QStringLiteral("\n") + U(p);
                return;
            }
            ground_ = g.sections;
            groundNote_ = U(DescribeGroundFile(g));
            if (centreText_ && g.form == GroundFileForm::HdmRelative)
                groundNote_ += QStringLiteral("，中桩地面高程取自“%1”").arg(QFileInfo(centrePath_).fileName());
            for (const std::string& p : g.problems) groundNote_ += QStringLiteral("\n") + U(p);
        } else {
            std::vector<SectionStation> at;
            if (const auto refused = SectionStationsByInterval(*route_, interval_->value(), &at)) {
                groundFault_ = true;
                groundNote_ = U(*refused);
                return;
            }
            const RouteInverse inverse(*route_);
            PointSections sorted = SortPointsIntoSections(*route_, inverse, points_->points, at, band_->value());
            groundNote_ = U(DescribePointSections(*points_, sorted)).trimmed();
            ground_ = std::move(sorted.sections);
        }
    } catch (const std::exception& e) {
        ground_.clear();
        groundFault_ = true;
        groundNote_ = QStringLiteral("地面线不能读入：") + QString::fromUtf8(e.what());
    }
}

void EarthworkPanel::recompute()
{
    // The station shown stays shown when it is still there.
    const double shown = view_->drawing() ? view_->drawing()->section.at.distance : NAN;
    result_.reset();
    QStringList lines;
    if (!groundNote_.isEmpty()) lines << groundNote_;
    if (!templateNote_.isEmpty()) lines << templateNote_;
    QStringList missing;
    if (!route_) missing << QStringLiteral("线路");
    if (!profile_) missing << QStringLiteral("纵断面");
    if (!template_) missing << QStringLiteral("路基模板");
    if (ground_.empty()) missing << QStringLiteral("地面线");
    bool fault = groundFault_;
    std::vector<std::vector<std::string>> rows;
    if (missing.isEmpty()) {
        EarthworkDesign design;
        design.route = route_.get();
        design.profile = profile_.get();
        design.roadbed = template_.get();
        design.pavement = pavement_.get();
        design.transition = transition_;
        design.depth = depth_->value();
        try {
            auto result = std::make_shared<EarthworkResult>(ComputeEarthwork(design, ground_));
            rows = EarthworkTableRows(*route_, *result);
            QString summary = QStringLiteral("%1 个断面").arg(result->sections.size());
            if (result->problems) summary += QStringLiteral("，%1 个有问题").arg(result->problems);
            lines << summary + QStringLiteral("；") + U(EarthworkTotalsText(*result));
            result_ = std::move(result);
        } catch (const FloatFault& f) {
            fault = true;
            lines << QStringLiteral("土石方不能计算：") + QString::fromUtf8(f.what());
        }
    } else {
        lines << QStringLiteral("土石方还需要：") + missing.join(QStringLiteral("、")) + QStringLiteral("。");
    }
    if (result_) {
        sectionsModel_->setResult(rows, *result_);
        volumesModel_->setResult(rows, *result_);
    } else {
        sectionsModel_->clear();
        volumesModel_->clear();
    }
    status_->setText(lines.join(u'\n'));
    status_->setStyleSheet(fault ? QStringLiteral("color: #b00000;") : QString());
    int row = result_ && !result_->sections.empty() ? 0 : -1;
    if (result_)
        for (std::size_t i = 0; i < result_->sections.size(); ++i)
            if (result_->sections[i].at.distance == shown) row = static_cast<int>(i);
    if (row < 0) view_->setDrawing(std::nullopt, false);
    else showSection(row);
    emit resultChanged();
}

void EarthworkPanel::showSection(int row)
{
    if (!result_ || row < 0 || row >= static_cast<int>(result_->sections.size())) return;
    const QModelIndex index = sectionsModel_->index(row, 0);
    if (sectionsTable_->currentIndex().row() != row) {
        // Making it current comes back here through the selection.
        sectionsTable_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                     QItemSelectionModel::Rows);
        return;
    }
    sectionsTable_->scrollTo(index);
    const EarthworkSection& s = result_->sections[static_cast<std::size_t>(row)];
    const auto cell = [this, row](int column) {
        return sectionsModel_->data(sectionsModel_->index(row, column), Qt::DisplayRole).toString();
    };
    const bool sameStation = view_->drawing() && view_->drawing()->section.at.distance == s.at.distance;
    view_->setDrawing(EarthworkDrawing{s, ground_[static_cast<std::size_t>(row)], cell(EarthworkTableModel::kStation),
                                       cell(EarthworkTableModel::kCutArea), cell(EarthworkTableModel::kFillArea)},
                      !sameStation);
}

void EarthworkPanel::step(int step)
{
    if (!result_ || result_->sections.empty()) return;
    const int last = static_cast<int>(result_->sections.size()) - 1;
    const int current = sectionsTable_->currentIndex().isValid() ? sectionsTable_->currentIndex().row() : 0;
    showSection(std::clamp(current + step, 0, last));
}

std::string EarthworkPanel::catchStakeRows() const
{
    std::string rows;
    if (!route_ || !result_) return rows;
    try {
        AppendCatchStakeRows(rows, *route_, *result_);
    } catch (const FloatFault&) {
        rows.clear();  // the engine's catches are finite; nothing half-written if not
    }
    return rows;
}

}  // namespace tarvelo
