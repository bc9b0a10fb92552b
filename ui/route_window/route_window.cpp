// The route window's layout, menus and wiring; the commands live in
// route_window_commands.cpp and route_window_files.cpp.

#include "ui/route_window/route_window.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include "compute/route_inverse.h"
#include "core/files/route_file.h"
#include "ui/route_window/stakes/batch_inverse.h"
#include "ui/route_window/definition/break_pane.h"
#include "ui/route_window/earthwork/earthwork_panel.h"
#include "ui/route_window/check/check_panel.h"
#include "ui/route_window/definition/curve_table_model.h"
#include "ui/route_window/definition/element_list_model.h"
#include "ui/route_window/stakes/inverse_results_model.h"
#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/tables/jd_table_model.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/profile/profile_view.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/document/route_export_actions.h"
#include "ui/route_window/sections/section_panel.h"
#include "ui/route_window/stakes/stake_section_model.h"
#include "ui/route_window/stakes/stakeout_panel.h"
#include "ui/route_window/definition/route_method_pane.h"

namespace tarvelo {

namespace {

QTableView* MakeTable(const char* name, QAbstractItemModel* model, QWidget* parent)
{
    auto* table = new QTableView(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setModel(model);
    table->setAlternatingRowColors(true);
    table->setTabKeyNavigation(false);  // Tab leaves the table, as everywhere else
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setHighlightSections(false);
    return table;
}

QLineEdit* MakeEdit(const char* name, const QString& text, const QString& tip, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(tip);
    return edit;
}

QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QAction* AddAction(QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) action->setShortcut(keys);
    return action;
}

}  // namespace

RouteWindow::RouteWindow(UiServices& services, std::function<void(const CurveTexts&)> sendToMain,
                         QWidget* parent)
    : QMainWindow(parent), services_(services), sendToMain_(std::move(sendToMain)),
      document_(new RouteDocument(this)), curves_(new CurveTableModel(this)),
      elementList_(new ElementListModel(this)), stakes_(new StakeSectionModel(this)),
      answers_(new InverseResultsModel(this))
{
    setObjectName(QStringLiteral("RouteWindow"));
    setWindowTitle(QStringLiteral("线路计算"));

    auto* left = new QSplitter(Qt::Vertical);
    methodPane_ = new RouteMethodPane(document_, buildJdPane());
    left->addWidget(methodPane_);
    left->addWidget(buildCurvePane());
    breakPane_ = new BreakPane(services_, document_, lastFolder_);
    left->addWidget(breakPane_);
    left->setStretchFactor(0, 1);
    left->setStretchFactor(1, 1);

    plan_ = new PlanView;
    plan_->setObjectName(QStringLiteral("planView"));
    plan_->setToolTip(QStringLiteral("滚轮缩放，拖动平移，Home 键显示全图"));
    auto* tools = new QTabWidget;
    tools->setObjectName(QStringLiteral("toolTabs"));
    tools->addTab(buildStakePane(), QStringLiteral("逐桩坐标(&Z)"));
    tools->addTab(buildInversePane(), QStringLiteral("坐标反算(&N)"));
    // The profile beside the plan: its grade-point table and drawing.
    profile_ = new ProfilePanel(services_, document_->undoStack(), lastFolder_);
    tools->addTab(new CheckPanel(services_, lastFolder_, document_, profile_, plan_), QStringLiteral("复核(&H)"));
    auto* views = new QTabWidget;
    views->setObjectName(QStringLiteral("viewTabs"));
    views->addTab(plan_, QStringLiteral("平面图(&M)"));
    views->addTab(profile_, QStringLiteral("纵断面(&P)"));
    sections_ = new SectionPanel(services_, document_->undoStack(), lastFolder_);
    views->addTab(sections_, QStringLiteral("横断面(&C)"));
    earthwork_ = new EarthworkPanel(services_, lastFolder_);
    views->addTab(earthwork_, QStringLiteral("土石方"));
    auto* right = new QSplitter(Qt::Vertical);
    right->addWidget(views);
    right->addWidget(tools);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);

    auto* main = new QSplitter(Qt::Horizontal);
    main->setObjectName(QStringLiteral("mainSplitter"));
    main->addWidget(left);
    main->addWidget(right);
    main->setStretchFactor(0, 5);
    main->setStretchFactor(1, 4);
    setCentralWidget(main);

    routeStatus_ = new QLabel;
    routeStatus_->setObjectName(QStringLiteral("routeStatus"));
    routeStatus_->setTextFormat(Qt::PlainText);
    cursorStatus_ = new QLabel;
    cursorStatus_->setObjectName(QStringLiteral("cursorStatus"));
    cursorStatus_->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(routeStatus_, 1);
    statusBar()->addWidget(profile_->statusLabel());
    statusBar()->addPermanentWidget(cursorStatus_);

    buildMenus();
    connect(document_, &RouteDocument::routeChanged, this, &RouteWindow::routeChanged);
    connect(plan_, &PlanView::cursorMoved, this, &RouteWindow::showCursor);
    connect(profile_, &ProfilePanel::profileChanged, this,
            [this](std::shared_ptr<const Profile> profile) {
                // stakes_ is the StakeElevationModel made above.
                static_cast<StakeElevationModel*>(stakes_)->setProfile(std::move(profile));
            });
    connect(plan_, &PlanView::cursorLeft, cursorStatus_, &QLabel::clear);
    connect(profile_->view(), &ProfileView::cursorMoved, this, [this](double station, double elevation) {
        cursorStatus_->setText(profile_->cursorText(station, elevation));
    });
    connect(profile_->view(), &ProfileView::cursorLeft, cursorStatus_, &QLabel::clear);
    connect(curveTable_, &QTableView::clicked, this, &RouteWindow::centreOnCurveRow);
    connect(curveTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &RouteWindow::centreOnCurveRow);
    connect(stakeTable_, &QTableView::clicked, this, &RouteWindow::centreOnStakeRow);
    connect(stakeTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &RouteWindow::centreOnStakeRow);
    sections_->attach(document_, plan_, profile_, stakeTable_, static_cast<StakeSectionModel*>(stakes_));
    earthwork_->attach(document_, profile_, sections_);

    // Sized for a 1366×768 laptop screen with its task bar and title bar.
    resize(1320, 690);
    main->setSizes({700, 620});
    left->setSizes({300, 230, 110});
    right->setSizes({400, 230});
    routeChanged();
    jdTable_->setFocus();
}

RouteWindow::~RouteWindow()
{
    // Closing may commit an open cell editor into the table; the window's
    // own members are gone by then and must not hear of the change.
    disconnect(document_, nullptr, this, nullptr);
}

void RouteWindow::setMainCurveSource(std::function<CurveTexts()> read)
{
    exports_->setMainCurveSource(std::move(read));
}

void RouteWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    file->setObjectName(QStringLiteral("fileMenu"));
    connect(AddAction(file, "importAction", QStringLiteral("导入线路"), QKeySequence(QStringLiteral("Ctrl+O"))),
            &QAction::triggered, this, &RouteWindow::importRoute);
    connect(AddAction(file, "exportAction", QStringLiteral("导出线路"), QKeySequence(QStringLiteral("Ctrl+S"))),
            &QAction::triggered, this, &RouteWindow::exportRoute);
    file->addSeparator();
    connect(AddAction(file, "curveReportAction", QStringLiteral("保存直曲表…")), &QAction::triggered,
            this, &RouteWindow::saveCurveReport);
    connect(AddAction(file, "stakeReportAction", QStringLiteral("保存逐桩坐标表…")),
            &QAction::triggered, this, &RouteWindow::saveStakeReport);
    connect(AddAction(file, "savePlanAction", QStringLiteral("保存平面图…")), &QAction::triggered,
            this, &RouteWindow::savePlan);
    file->addSeparator();
    exports_ = new RouteExportActions(this, services_, document_, lastFolder_);
    exports_->setProfileSource([this] { return profile_->profile(); });
    exports_->setStakeExtras([this] {
        StakeExtras extras = static_cast<StakeSectionModel*>(stakes_)->extras();
        extras.catchStakes = earthwork_->catchStakeRows();
        return extras;
    });
    // An import takes the route file's way in: one undo step, the plan fits it.
    exports_->setRowLoader([this](const std::vector<RoutePointInput>& rows, const QString& what) {
        fitNextRoute_ = true;
        document_->loadJdRows(JdTextsOf(rows), what);
    });
    file->addActions(exports_->importActions());
    file->addActions(exports_->exportActions());
    file->addSeparator();
    file->addActions(profile_->fileActions());
    file->addActions(sections_->fileActions());
    file->addAction(stakeout_->reportAction());
    file->addActions(breakPane_->fileActions());
    file->addSeparator();
    connect(AddAction(file, "closeAction", QStringLiteral("关闭")), &QAction::triggered, this,
            &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    edit->setObjectName(QStringLiteral("editMenu"));
    QAction* undo = document_->undoStack()->createUndoAction(this, QStringLiteral("撤销"));
    undo->setObjectName(QStringLiteral("undoAction"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = document_->undoStack()->createRedoAction(this, QStringLiteral("重做"));
    redo->setObjectName(QStringLiteral("redoAction"));
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence::Redo});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    // Paste, insert, delete and clear act on the JD table and only while it
    // has the focus: elsewhere the keys keep their usual meaning.
    const struct {
        const char* name;
        QString caption;
        QKeySequence keys;
        void (RouteWindow::*run)();
    } tableActions[] = {
        {"pasteAction", QStringLiteral("粘贴"), QKeySequence::Paste, &RouteWindow::pasteIntoJdTable},
        {"insertRowAction", QStringLiteral("插入行"), QKeySequence(QStringLiteral("Ctrl+Ins")),
         &RouteWindow::insertJdRow},
        {"deleteRowsAction", QStringLiteral("删除行"), QKeySequence(QStringLiteral("Ctrl+Del")),
         &RouteWindow::deleteJdRows},
        {"clearCellsAction", QStringLiteral("清除单元格"), QKeySequence::Delete,
         &RouteWindow::clearJdCells},
    };
    for (const auto& a : tableActions) {
        QAction* action = AddAction(edit, a.name, a.caption, a.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        jdTable_->addAction(action);
        connect(action, &QAction::triggered, this, a.run);
    }

    QMenu* view = menuBar()->addMenu(QStringLiteral("视图(&V)"));
    view->setObjectName(QStringLiteral("viewMenu"));
    QAction* fit = AddAction(view, "fitAction", QStringLiteral("全图"), QKeySequence(Qt::Key_Home));
    fit->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    plan_->addAction(fit);
    connect(fit, &QAction::triggered, plan_, &PlanView::fit);
    QAction* in = AddAction(view, "zoomInAction", QStringLiteral("放大"), QKeySequence::ZoomIn);
    QAction* out = AddAction(view, "zoomOutAction", QStringLiteral("缩小"), QKeySequence::ZoomOut);
    connect(in, &QAction::triggered, this, [this] { plan_->setPixelsPerMetre(plan_->pixelsPerMetre() * 2); });
    connect(out, &QAction::triggered, this, [this] { plan_->setPixelsPerMetre(plan_->pixelsPerMetre() / 2); });
    QAction* focusPlan = AddAction(view, "focusPlanAction", QStringLiteral("平面图"),
                                   QKeySequence(QStringLiteral("F6")));
    connect(focusPlan, &QAction::triggered, plan_, [this] { plan_->setFocus(); });
}

QWidget* RouteWindow::buildJdPane()
{
    auto* box = new QGroupBox(QStringLiteral("交点表"));
    jdTable_ = MakeTable("jdTable", document_->table(), box);
    jdTable_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
    jdTable_->setToolTip(QStringLiteral("可直接编辑；从电子表格复制的数据可用 Ctrl+V 粘贴"));
    jdTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* insert = MakeButton("insertRowButton", QStringLiteral("插入行(&I)"), box);
    auto* remove = MakeButton("deleteRowsButton", QStringLiteral("删除行(&D)"), box);
    connect(insert, &QPushButton::clicked, this, &RouteWindow::insertJdRow);
    connect(remove, &QPushButton::clicked, this, &RouteWindow::deleteJdRows);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(jdTable_);
    layout->addLayout(buttons);
    return box;
}

QWidget* RouteWindow::buildCurvePane()
{
    auto* box = new QGroupBox(QStringLiteral("曲线要素表"));
    curveBox_ = box;
    curveTable_ = MakeTable("curveTable", curves_, box);
    curveTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    curveTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    curveTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    // An element route lists its elements in the curve table's place.
    elementListTable_ = MakeTable("elementListTable", elementList_, box);
    elementListTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    elementListTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    elementListTable_->hide();
    auto* send = MakeButton("sendToMainButton", QStringLiteral("送到主窗口"), box);
    sendButton_ = send;
    send->setToolTip(QStringLiteral("把当前交点的八项要素填入主窗口，在主窗口点“计算要素”即得该曲线"));
    connect(send, &QPushButton::clicked, this, &RouteWindow::sendToMain);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(send);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(curveTable_);
    layout->addWidget(elementListTable_);
    layout->addLayout(buttons);
    return box;
}

QWidget* RouteWindow::buildStakePane()
{
    auto* pane = new QWidget;
    interval_ = MakeEdit("intervalEdit", QStringLiteral("20"), QStringLiteral("桩距 (m)"), pane);
    start_ = MakeEdit("startEdit", {}, QStringLiteral("起点桩号 (m)，默认线路起点"), pane);
    end_ = MakeEdit("endEdit", {}, QStringLiteral("止点桩号 (m)，默认线路终点"), pane);
    offset_ = MakeEdit("offsetEdit", QStringLiteral("0"), QStringLiteral("偏距 (m)，右为正"), pane);
    skew_ = MakeEdit("skewEdit", QStringLiteral("90"), QStringLiteral("斜交角 (d.mmss)，90 为垂直"), pane);
    mainPoints_ = new QCheckBox(QStringLiteral("插入主点"), pane);
    mainPoints_->setObjectName(QStringLiteral("mainPointsCheck"));
    mainPoints_->setChecked(true);
    auto* compute = MakeButton("stakeButton", QStringLiteral("计算逐桩坐标"), pane);
    connect(compute, &QPushButton::clicked, this, &RouteWindow::computeStakes);

    auto* inputs = new QGridLayout;
    const struct {
        const char* caption;
        QLineEdit* edit;
    } rows[] = {{"间距(&J)", interval_}, {"起点(&S)", start_},  {"止点(&E)", end_},
                {"偏距(&O)", offset_},  {"斜交角(&A)", skew_}};
    int column = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromUtf8(r.caption), pane);
        label->setBuddy(r.edit);
        inputs->addWidget(label, column < 6 ? 0 : 1, column % 6);
        inputs->addWidget(r.edit, column < 6 ? 0 : 1, column % 6 + 1);
        column += 2;
    }
    inputs->addWidget(mainPoints_, 1, 4);
    inputs->addWidget(compute, 1, 5);
    stakeTable_ = MakeTable("stakeTable", stakes_, pane);
    stakeTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stakeTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    stakeTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    stakeTable_->verticalHeader()->hide();
    stakeTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(pane);
    layout->addLayout(inputs);
    layout->addWidget(stakeTable_);
    stakeout_ = new StakeoutPanel(services_, static_cast<StakeSectionModel*>(stakes_), lastFolder_, pane);
    layout->addWidget(stakeout_);
    return pane;
}

QWidget* RouteWindow::buildInversePane()
{
    auto* pane = new QWidget;
    inverseX_ = MakeEdit("inverseXEdit", {}, QStringLiteral("实测点坐标 X (m)"), pane);
    inverseY_ = MakeEdit("inverseYEdit", {}, QStringLiteral("实测点坐标 Y (m)"), pane);
    auto* one = MakeButton("inverseButton", QStringLiteral("反算(&R)"), pane);
    auto* batch = MakeButton("batchInverseButton", QStringLiteral("批量反算…"), pane);
    batch->setToolTip(QStringLiteral("读入“点名,X,Y”点文件，逐点反算桩号和偏距，并保存结果"));
    inverseResult_ = new QLabel(pane);
    inverseResult_->setObjectName(QStringLiteral("inverseResult"));
    inverseResult_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(one, &QPushButton::clicked, this, &RouteWindow::inverseOnePoint);
    connect(batch, &QPushButton::clicked, this, &RouteWindow::inverseBatch);
    connect(inverseY_, &QLineEdit::returnPressed, this, &RouteWindow::inverseOnePoint);

    auto* labelX = new QLabel(QStringLiteral("X(&X)"), pane);
    labelX->setBuddy(inverseX_);
    auto* labelY = new QLabel(QStringLiteral("Y(&Y)"), pane);
    labelY->setBuddy(inverseY_);
    auto* row = new QHBoxLayout;
    row->addWidget(labelX);
    row->addWidget(inverseX_);
    row->addWidget(labelY);
    row->addWidget(inverseY_);
    row->addWidget(one);
    row->addWidget(batch);
    inverseTable_ = MakeTable("inverseTable", answers_, pane);
    inverseTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    inverseTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(pane);
    layout->addLayout(row);
    layout->addWidget(inverseResult_);
    layout->addWidget(inverseTable_);
    return pane;
}

void RouteWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    QMainWindow::closeEvent(event);
}

}  // namespace tarvelo
