#include "ui/route_window/document/table_file_dialogs.h"
#include "ui/route_window/sections/section_panel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainterPath>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

#include "compute/route_sections.h"
#include "compute/route_station_text.h"
#include "compute/route_text.h"
#include "core/files/cross_section_file.h"
#include "reports/table_file.h"
#include "reports/text_file.h"
#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/tables/section_table_model.h"
#include "ui/route_window/sections/section_view.h"
#include "ui/route_window/slope/level_panel.h"
#include "ui/route_window/slope/result_table_model.h"
#include "ui/route_window/slope/slope_design_inputs.h"
#include "ui/route_window/slope/slope_panel.h"
#include "ui/route_window/slope/template_pane.h"
#include "ui/route_window/stakes/stake_section_model.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

// At most this many of a file's bad lines are listed in one message.
constexpr std::size_t kListedErrors = 10;
// The plan's edge lines: a point every few metres, at most this many a side.
constexpr double kEdgeStep = 5;
constexpr double kMaxEdgePoints = 20000;

QAction* MakeAction(QObject* parent, const char* name, const QString& caption, const QKeySequence& keys = {})
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) action->setShortcut(keys);
    return action;
}

// Both pavement edges along the stretch the route and the sections share,
// in the plan's scene coordinates; each edge breaks where a point cannot be
// computed. Every row's station is a point, so a run-in's ends stay sharp.
QPainterPath PavementEdgesPath(const Route& route, const CrossSections& sections, Transition transition,
                               const PlanFrame& frame)
{
    const double from = std::max(route.start().station, sections.startStation());
    const double to = std::min(route.end().station, sections.endStation());
    QPainterPath path;
    if (!(from <= to)) return path;
    const double step = std::max(kEdgeStep, (to - from) / kMaxEdgePoints);
    std::vector<double> stations;
    const int count = static_cast<int>(std::floor((to - from) / step));
    for (int i = 0; i <= count; ++i) stations.push_back(from + i * step);
    for (const CrossSectionRow& r : sections.rows())
        if (r.station > from && r.station < to) stations.push_back(r.station);
    stations.push_back(to);
    std::sort(stations.begin(), stations.end());
    stations.erase(std::unique(stations.begin(), stations.end()), stations.end());
    for (int side : {-1, 1}) {
        bool drawing = false;
        for (double s : stations) {
            std::optional<RouteStake> p;
            if (const std::optional<Section> section = sections.SectionAt(s, transition)) {
                const double m = side < 0 ? -section->leftWidth : section->rightWidth;
                p = route.PointAt(s, m, 90);
            }
            if (!p) {
                drawing = false;
                continue;
            }
            const QPointF at = frame.toScene(p->point.x, p->point.y);
            if (drawing) path.lineTo(at);
            else path.moveTo(at);
            drawing = true;
        }
    }
    return path;
}

}  // namespace

SectionPanel::SectionPanel(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent)
    : QWidget(parent), services_(services), lastFolder_(lastFolder), model_(new SectionTableModel(undo, this))
{
    setObjectName(QStringLiteral("sectionPanel"));
    auto* box = new QGroupBox(QStringLiteral("横断面表"));
    table_ = new QTableView(box);
    table_->setObjectName(QStringLiteral("sectionTable"));
    table_->setModel(model_);
    table_->setAlternatingRowColors(true);
    table_->setTabKeyNavigation(false);  // Tab leaves the table, as in the JD table
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setToolTip(QStringLiteral("横断面按桩号顺序：半幅宽度 (m，含加宽)，横坡 (%，向外升高为正)。"
                                      "可直接编辑，从电子表格复制的数据可用 Ctrl+V 粘贴"));
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setHighlightSections(false);

    auto* insert = new QPushButton(QStringLiteral("插入行"), box);
    insert->setObjectName(QStringLiteral("sectionInsertRowButton"));
    auto* remove = new QPushButton(QStringLiteral("删除行"), box);
    remove->setObjectName(QStringLiteral("sectionDeleteRowsButton"));
    connect(insert, &QPushButton::clicked, this, &SectionPanel::insertRow);
    connect(remove, &QPushButton::clicked, this, &SectionPanel::deleteRows);
    transition_ = new QComboBox(box);
    transition_->setObjectName(QStringLiteral("transitionCombo"));
    transition_->addItems({QStringLiteral("线性"), QStringLiteral("三次")});
    transition_->setToolTip(QStringLiteral("两个横断面之间宽度和横坡的过渡：线性，或三次抛物线（两端无折点）"));
    exaggeration_ = new QCheckBox(QStringLiteral("竖向放大"), box);
    exaggeration_->setObjectName(QStringLiteral("exaggerationCheck"));
    exaggeration_->setChecked(true);
    exaggeration_->setToolTip(QStringLiteral("横断面图的高程放大 %1 倍画出").arg(SectionView::kExaggeration));
    auto* transitionLabel = new QLabel(QStringLiteral("过渡(&G)"), box);
    transitionLabel->setBuddy(transition_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(transitionLabel);
    buttons->addWidget(transition_);
    buttons->addWidget(exaggeration_);
    status_ = new QLabel(box);
    status_->setObjectName(QStringLiteral("sectionStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(table_);
    boxLayout->addLayout(buttons);
    boxLayout->addWidget(status_);

    view_ = new SectionView;
    view_->setObjectName(QStringLiteral("sectionView"));
    view_->setToolTip(QStringLiteral("逐桩坐标表当前行的横断面。滚轮缩放，拖动平移，Home 键显示全图"));
    auto* fit = MakeAction(this, "sectionFitAction", QStringLiteral("全图"), QKeySequence(Qt::Key_Home));
    fit->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view_->addAction(fit);
    connect(fit, &QAction::triggered, view_, &SectionView::fit);

    template_ = new TemplatePane(services, undo, lastFolder);
    auto* tables = new QTabWidget;
    tables->setObjectName(QStringLiteral("sectionTablesTabs"));
    tables->addTab(box, QStringLiteral("横断面表"));
    tables->addTab(template_, QStringLiteral("路基模板"));
    slope_ = new SlopePanel(services, undo, lastFolder);
    level_ = new LevelPanel(services, undo, lastFolder);
    slopeTabs_ = new QTabWidget;
    slopeTabs_->setObjectName(QStringLiteral("slopeTabs"));
    slopeTabs_->addTab(slope_, QStringLiteral("边坡放样"));
    slopeTabs_->addTab(level_, QStringLiteral("高程检测"));
    auto* drawingSplit = new QSplitter(Qt::Vertical);
    drawingSplit->setObjectName(QStringLiteral("slopeSplitter"));
    drawingSplit->addWidget(view_);
    drawingSplit->addWidget(slopeTabs_);
    drawingSplit->setStretchFactor(0, 1);
    drawingSplit->setSizes({500, 300});

    auto* split = new QSplitter(Qt::Horizontal);
    split->setObjectName(QStringLiteral("sectionSplitter"));
    split->addWidget(tables);
    split->addWidget(drawingSplit);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setCollapsible(0, false);
    split->setSizes({380, 620});  // most of the width to the drawing
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    // Paste, insert, delete and clear act on this table only while it has the focus.
    const struct {
        const char* name;
        QString caption;
        QKeySequence keys;
        void (SectionPanel::*run)();
    } tableActions[] = {
        {"sectionPasteAction", QStringLiteral("粘贴"), QKeySequence::Paste, &SectionPanel::pasteIntoTable},
        {"sectionInsertRowAction", QStringLiteral("插入行"), QKeySequence(QStringLiteral("Ctrl+Ins")),
         &SectionPanel::insertRow},
        {"sectionDeleteRowsAction", QStringLiteral("删除行"), QKeySequence(QStringLiteral("Ctrl+Del")),
         &SectionPanel::deleteRows},
        {"sectionClearCellsAction", QStringLiteral("清除单元格"), QKeySequence::Delete, &SectionPanel::clearCells},
    };
    for (const auto& a : tableActions) {
        QAction* action = MakeAction(this, a.name, a.caption, a.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        table_->addAction(action);
        connect(action, &QAction::triggered, this, a.run);
    }

    QAction* open = MakeAction(this, "importSectionsAction", QStringLiteral("导入横断面…"));
    QAction* save = MakeAction(this, "exportSectionsAction", QStringLiteral("导出横断面…"));
    QAction* picture = MakeAction(this, "sectionPictureAction", QStringLiteral("保存横断面图…"));
    connect(open, &QAction::triggered, this, &SectionPanel::importSections);
    connect(save, &QAction::triggered, this, &SectionPanel::exportSections);
    connect(picture, &QAction::triggered, this, &SectionPanel::savePicture);
    fileActions_ = QList<QAction*>{open, save, picture} + template_->fileActions();

    connect(model_, &SectionTableModel::textsChanged, this, &SectionPanel::rebuild);
    connect(transition_, &QComboBox::currentIndexChanged, this, [this] {
        refreshDesign();
        drawPlanEdges();
        emit sectionsChanged(sections_, transition());
    });
    connect(template_, &TemplatePane::templateChanged, this,
            [this](std::shared_ptr<const RoadbedTemplate> roadbed) {
                refreshDesign();
                emit templateChanged(std::move(roadbed));
            });
    // A chosen point is drawn until its panel's answers are made again (a
    // changed point, template or design): its catch may have moved.
    const std::array<PointResultsPanel*, 2> sources = {slope_, level_};
    for (PointResultsPanel* source : sources) {
        connect(source, &PointResultsPanel::pointChosen, this,
                [this, source](double station, const SectionMark& mark) {
                    showMark(station, mark);
                    markSource_ = source;
                });
        connect(source->results(), &QAbstractItemModel::modelReset, this, [this, source] {
            if (markSource_ != source) return;
            mark_.reset();
            markSource_ = nullptr;
            redraw(false);
        });
    }
    connect(exaggeration_, &QCheckBox::toggled, view_, &SectionView::setExaggerated);
    // A row of the table shows its own section.
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) {
                const SectionRowsRead& read = model_->read();
                if (index.isValid() && index.row() < static_cast<int>(read.rows.size()))
                    showStation(read.rows[index.row()].station);
            });
    rebuild();
}

SectionPanel::~SectionPanel()
{
    // Closing may commit an open cell editor; the panel's widgets are gone by then.
    disconnect(model_, nullptr, this, nullptr);
}

void SectionPanel::attach(RouteDocument* route, PlanView* plan, ProfilePanel* profile, QTableView* stakeTable,
                          StakeSectionModel* stakes)
{
    route_ = route;
    plan_ = plan;
    profile_ = profile;
    // The plan's route is rebuilt first (the window's own connection), then its edges.
    // The sections follow the route's chain breaks (rebuild draws the edges too).
    connect(route, &RouteDocument::routeChanged, this, &SectionPanel::rebuild);
    connect(route, &RouteDocument::routeChanged, this, [this] { template_->setRoute(route_->route()); });
    connect(this, &SectionPanel::sectionsChanged, stakes,
            [stakes](std::shared_ptr<const CrossSections> sections, Transition t) {
                stakes->setSections(std::move(sections), t);
            });
    connect(profile, &ProfilePanel::profileChanged, this, [this, stakes] {
        refreshDesign();
        stakes->refresh();
    });
    const auto follow = [this, stakes](const QModelIndex& index) {
        if (index.isValid() && index.row() < stakes->rowCount())
            showStation(stakes->entry(static_cast<std::size_t>(index.row())).station);
    };
    connect(stakeTable, &QTableView::clicked, this, follow);
    connect(stakeTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this, follow);
    stakes->setSections(sections_, transition());
    template_->setRoute(route->route());
    drawPlanEdges();
}

const std::shared_ptr<const RoadbedTemplate>& SectionPanel::roadbed() const { return template_->roadbed(); }

void SectionPanel::refreshDesign()
{
    design_ = std::make_shared<const SlopeDesignInputs>(route_ ? route_->route() : nullptr,
                                                        profile_ ? profile_->profile() : nullptr, sections_,
                                                        transition(), template_->roadbed(), design_.get());
    slope_->setDesign(design_);
    level_->setDesign(design_);
    redraw(false);
}

Transition SectionPanel::transition() const
{
    return transition_->currentIndex() == 1 ? Transition::Cubic : Transition::Linear;
}

void SectionPanel::rebuild()
{
    sections_.reset();
    tableStatus_.clear();
    bool error = false;
    const SectionRowsRead& read = model_->read();
    if (!read.problems.empty()) {
        error = true;
        tableStatus_ = QStringLiteral("横断面：") + U(read.problems.front().message);
        if (read.problems.size() > 1) tableStatus_ += QStringLiteral("（另有 %1 处）").arg(read.problems.size() - 1);
    } else if (!read.rows.empty()) {
        // The typed stations are displayed stations: across chain breaks
        // they move to the route's own, as the command line moves them.
        std::vector<CrossSectionRow> rows = read.rows;
        const std::shared_ptr<const Route> route = route_ ? route_->route() : nullptr;
        std::string moved;
        CrossSections::Built built;
        if (route && !MoveSectionRowsOntoRoute(&rows, *route, &moved)) {
            error = true;
            tableStatus_ = QStringLiteral("横断面与断链不符：") + U(moved);
        } else {
            built = CrossSections::Build(rows);
        }
        if (error) {
            // said above
        } else if (built.error) {
            error = true;
            tableStatus_ = QStringLiteral("横断面：") + U(built.error->message);
            model_->setRowIssue(built.error->row, U(built.error->message));
        } else {
            sections_ = std::make_shared<const CrossSections>(std::move(*built.sections));
            tableStatus_ = QStringLiteral("横断面 %1 — %2，%3 个断面")
                               .arg(StationLabel(sections_->startStation()), StationLabel(sections_->endStation()))
                               .arg(sections_->rows().size());
        }
    }
    status_->setStyleSheet(error ? QStringLiteral("color: #b00000;") : QString());
    refreshDesign();
    drawPlanEdges();
    emit sectionsChanged(sections_, transition());
}

void SectionPanel::showStation(double station)
{
    station_ = station;
    mark_.reset();
    markSource_ = nullptr;
    redraw(true);
}

void SectionPanel::showMark(double station, const SectionMark& mark)
{
    station_ = station;
    mark_ = std::make_unique<SectionMark>(mark);
    markSource_ = nullptr;
    redraw(true);
}

QString SectionPanel::StationLabel(double station) const
{
    const std::shared_ptr<const Route> route = route_ ? route_->route() : nullptr;
    return U(route ? RouteStationText(*route, station, 3) : FormatKStation(station, 3));
}

void SectionPanel::redraw(bool fit)
{
    QString note;
    std::optional<SectionDrawing> drawing;
    const std::optional<SlopeDesign> design = design_ ? design_->design() : std::nullopt;
    const bool withTemplate = design && design->roadbed;
    if (sections_ || (withTemplate && station_)) {
        // Before a stake row is chosen: the table's first section.
        const double station = station_.value_or(sections_ ? sections_->startStation() : 0);
        // Without a section table the template's shoulders start at the centre.
        const std::optional<Section> section = sections_ ? sections_->SectionAt(station, transition()) : Section{};
        if (section) {
            drawing = SectionDrawing{station, StationLabel(station), *section, std::nullopt, {}, {}, {}};
            if (profile_ && profile_->profile()) drawing->centreZ = profile_->profile()->ElevationNear(station);
            if (withTemplate && drawing->centreZ) {
                const SideTemplateAt* used = nullptr;
                std::string why;
                try {
                    drawing->left = DesignSideAt(*design, station, RoadSide::Left, &used, &why);
                    drawing->right = DesignSideAt(*design, station, RoadSide::Right, &used, &why);
                } catch (const std::exception& e) {
                    note = U(e.what());
                }
            }
            if (mark_) drawing->mark = *mark_;
        } else {
            const QString where = std::isfinite(station) ? StationLabel(station) : QStringLiteral("?");
            note = QStringLiteral("桩号 %1 不在横断面表范围内。").arg(where);
        }
    }
    view_->setDrawing(std::move(drawing), fit);
    status_->setText(note.isEmpty() ? tableStatus_ : tableStatus_ + QStringLiteral("\n") + note);
}

void SectionPanel::drawPlanEdges()
{
    if (!plan_) return;
    const std::shared_ptr<const Route> route = route_ ? route_->route() : nullptr;
    QPainterPath edges;
    if (route && sections_) {
        try {
            edges = PavementEdgesPath(*route, *sections_, transition(), plan_->planScene()->frame());
        } catch (const std::exception&) {
            edges = QPainterPath();  // a route beyond every number's range: no edges
        }
    }
    plan_->planScene()->setPavementEdges(edges);
}

void SectionPanel::tell(const QString& text, QWidget* focus)
{
    services_.showMessage(window(), kMessageTitle, text, MessageIcon::Information);
    if (focus) focus->setFocus();
}

void SectionPanel::importSections()
{
    const QString path = services_.getOpenFileName(window(), lastFolder_, TableFileFilters(TableFile::Sections));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const FileResult<std::string> text = ReadTableFileText(path);
    if (!text.ok()) return tell(*text.error);
    const CrossSectionFileContent read = ParseCrossSectionFile(*text.value);
    if (!read.ok()) {
        QStringList lines;
        for (std::size_t i = 0; i < read.errors.size() && i < kListedErrors; ++i)
            lines << U(read.errors[i].message);
        if (read.errors.size() > kListedErrors) lines << QStringLiteral("……共 %1 处错误。").arg(read.errors.size());
        return tell(QStringLiteral("横断面文件“%1”有误，未导入：\n").arg(path) + lines.join(u'\n'));
    }
    model_->replaceAll(SectionTextsOf(read.rows), QStringLiteral("导入横断面"));
    view_->fit();
}

void SectionPanel::exportSections()
{
    const SectionRowsRead& read = model_->read();
    if (!read.problems.empty()) return tell(U(read.problems.front().message), table_);
    if (read.rows.empty()) return tell(QStringLiteral("横断面表是空的。"), table_);
    const QString name = QStringLiteral("横断面.csv");
    const QString path = services_.getSaveFileName(
        window(), lastFolder_.isEmpty() ? name : QDir(lastFolder_).filePath(name), TableFileFilters(TableFile::Sections));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    // UTF-8 with a byte-order mark, so a spreadsheet on a Chinese system reads it as UTF-8.
    const QByteArray bytes =
        QByteArray("\xEF\xBB\xBF") + QByteArray::fromStdString(FormatCrossSectionFile(read.rows));
    const FileStatus written =
        SaveTableFile(path, TableFile::Sections, [&bytes](const QString& file) { return WriteFileBytes(file, bytes); });
    if (!written.ok()) tell(*written.error);
}

void SectionPanel::savePicture()
{
    if (!view_->drawing()) {
        const QString why = status_->text().isEmpty() ? QStringLiteral("横断面表是空的。") : status_->text();
        return tell(QStringLiteral("没有横断面图可保存：") + why, table_);
    }
    const QString name = QStringLiteral("横断面图.png");
    const QString path = services_.getSaveFileName(
        window(), lastFolder_.isEmpty() ? name : QDir(lastFolder_).filePath(name), ViewPictureFilters());
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    QString error;
    if (!SaveViewPicture(*view_, path, &error)) tell(error);
}

void SectionPanel::pasteIntoTable()
{
    const QModelIndex at = table_->currentIndex();
    model_->paste(at.isValid() ? at.row() : model_->rowCount(), at.isValid() ? at.column() : 0,
                  SplitPastedBlock(QApplication::clipboard()->text().toStdString()));
}

void SectionPanel::insertRow()
{
    const QModelIndex at = table_->currentIndex();
    const int row = at.isValid() ? at.row() : model_->rowCount();
    model_->insertEmptyRows(row, 1);
    table_->selectionModel()->setCurrentIndex(model_->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

void SectionPanel::deleteRows()
{
    std::vector<int> rows;
    for (const QModelIndex& i : table_->selectionModel()->selectedIndexes()) rows.push_back(i.row());
    if (rows.empty() && table_->currentIndex().isValid()) rows.push_back(table_->currentIndex().row());
    model_->removeRowSet(std::move(rows));
}

void SectionPanel::clearCells()
{
    QModelIndexList cells = table_->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && table_->currentIndex().isValid()) cells << table_->currentIndex();
    model_->clearCells(cells);
}

}  // namespace tarvelo
