#include "ui/route_window/profile/profile_panel.h"

#include "compute/route_profile.h"
#include "compute/route_station_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
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

#include "compute/route_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/files/profile_file.h"
#include "reports/profile_report.h"
#include "reports/table_file.h"
#include "reports/text_file.h"
#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/profile/profile_document.h"
#include "ui/route_window/tables/profile_table_model.h"
#include "ui/route_window/profile/profile_view.h"
#include "ui/route_window/document/table_file_dialogs.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {


// At most this many of a file's bad lines are listed in one message.
constexpr std::size_t kListedErrors = 10;

QAction* MakeAction(QObject* parent, const char* name, const QString& caption,
                    const QKeySequence& keys = {})
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) action->setShortcut(keys);
    return action;
}

}  // namespace

ProfilePanel::ProfilePanel(UiServices& services, QUndoStack* undo, QString& lastFolder,
                           QWidget* parent)
    : QWidget(parent), services_(services), lastFolder_(lastFolder),
      document_(new ProfileDocument(undo, this))
{
    setObjectName(QStringLiteral("profilePanel"));
    auto* box = new QGroupBox(QStringLiteral("变坡点表"));
    table_ = new QTableView(box);
    table_->setObjectName(QStringLiteral("profileTable"));
    table_->setModel(document_->table());
    table_->setAlternatingRowColors(true);
    table_->setTabKeyNavigation(false);  // Tab leaves the table, as in the JD table
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setToolTip(QStringLiteral("变坡点按桩号顺序；起终点的竖曲线半径R空着。可直接编辑，"
                                      "从电子表格复制的数据可用 Ctrl+V 粘贴"));
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Columns as wide as their captions and numbers: the table stays narrow
    // beside the drawing, and no caption is cut.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->horizontalHeader()->setHighlightSections(false);

    auto* insert = new QPushButton(QStringLiteral("插入行"), box);
    insert->setObjectName(QStringLiteral("profileInsertRowButton"));
    auto* remove = new QPushButton(QStringLiteral("删除行"), box);
    remove->setObjectName(QStringLiteral("profileDeleteRowsButton"));
    connect(insert, &QPushButton::clicked, this, &ProfilePanel::insertRow);
    connect(remove, &QPushButton::clicked, this, &ProfilePanel::deleteRows);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(table_);
    boxLayout->addLayout(buttons);

    view_ = new ProfileView;
    view_->setObjectName(QStringLiteral("profileView"));
    view_->setToolTip(QStringLiteral("滚轮缩放，拖动平移，Home 键显示全图"));
    auto* fit = MakeAction(this, "profileFitAction", QStringLiteral("全图"), QKeySequence(Qt::Key_Home));
    fit->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view_->addAction(fit);
    connect(fit, &QAction::triggered, view_, &ProfileView::fit);

    auto* split = new QSplitter(Qt::Horizontal);
    split->setObjectName(QStringLiteral("profileSplitter"));
    split->addWidget(box);
    split->addWidget(view_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setCollapsible(0, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("profileStatus"));
    status_->setTextFormat(Qt::PlainText);

    // Paste, insert, delete and clear act on this table only while it has
    // the focus; the same keys serve the JD table while it has.
    const struct {
        const char* name;
        QString caption;
        QKeySequence keys;
        void (ProfilePanel::*run)();
    } tableActions[] = {
        {"profilePasteAction", QStringLiteral("粘贴"), QKeySequence::Paste, &ProfilePanel::pasteIntoTable},
        {"profileInsertRowAction", QStringLiteral("插入行"), QKeySequence(QStringLiteral("Ctrl+Ins")),
         &ProfilePanel::insertRow},
        {"profileDeleteRowsAction", QStringLiteral("删除行"), QKeySequence(QStringLiteral("Ctrl+Del")),
         &ProfilePanel::deleteRows},
        {"profileClearCellsAction", QStringLiteral("清除单元格"), QKeySequence::Delete,
         &ProfilePanel::clearCells},
    };
    for (const auto& a : tableActions) {
        QAction* action = MakeAction(this, a.name, a.caption, a.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        table_->addAction(action);
        connect(action, &QAction::triggered, this, a.run);
    }

    QAction* open = MakeAction(this, "importProfileAction", QStringLiteral("导入纵断面…"));
    QAction* save = MakeAction(this, "exportProfileAction", QStringLiteral("导出纵断面…"));
    QAction* report = MakeAction(this, "profileReportAction", QStringLiteral("保存竖曲线要素表…"));
    connect(open, &QAction::triggered, this, &ProfilePanel::importProfile);
    connect(save, &QAction::triggered, this, &ProfilePanel::exportProfile);
    connect(report, &QAction::triggered, this, &ProfilePanel::saveCurveReport);
    fileActions_ = {open, save, report};

    connect(document_, &ProfileDocument::profileChanged, this, &ProfilePanel::rebuilt);
    rebuilt();
}

ProfilePanel::~ProfilePanel()
{
    // Closing may commit an open cell editor; the panel's widgets are gone by then.
    disconnect(document_, nullptr, this, nullptr);
}

void ProfilePanel::setRoute(std::shared_ptr<const Route> route)
{
    route_ = std::move(route);
    placeOnRoute();
}

void ProfilePanel::placeOnRoute()
{
    const std::shared_ptr<const Profile>& own = document_->profile();
    onRoute_ = own;
    view_->setStationText({});
    if (own && route_ && route_->hasBreaks()) {
        std::string error;
        std::optional<Profile> moved = ProfileOnRoute(*own, *route_, &error);
        onRoute_ = moved ? std::make_shared<const Profile>(std::move(*moved)) : nullptr;
        if (!moved) {
            status_->setText(QString::fromStdString("纵断面与断链不符：" + error));
            status_->setStyleSheet(QStringLiteral("color: #b00000;"));
        } else {
            // Drawn along the road, as the elevations are computed; labelled
            // with the displayed stations the design writes.
            const std::shared_ptr<const Route> route = route_;
            view_->setStationText([route](double k) { return RouteStationText(*route, k); });
        }
    }
    if (own) view_->setProfile(onRoute_ ? onRoute_ : own, false);
    emit profileChanged(onRoute_);
}

void ProfilePanel::rebuilt()
{
    status_->setText(document_->status());
    status_->setStyleSheet(document_->hasError() ? QStringLiteral("color: #b00000;") : QString());
    const std::shared_ptr<const Profile>& profile = document_->profile();
    // A profile with an error keeps nothing on screen that is no longer true.
    view_->setProfile(profile, fitNext_ && profile);
    if (profile) fitNext_ = false;
    placeOnRoute();
}

QString ProfilePanel::cursorText(double station, double elevation) const
{
    // The drawing is the profile on the route when there is one.
    const std::shared_ptr<const Profile> profile = onRoute_ ? onRoute_ : document_->profile();
    if (!profile) return {};
    try {
        QString text = QStringLiteral("桩号 %1  高程 %2  ")
                           .arg(QString::fromStdString(view_->StationText(station)),
                                QString::fromStdString(FormatFixed(elevation, 2)));
        const std::optional<double> z = profile->ElevationNear(station);
        return text + (z ? QStringLiteral("设计高程 %1 m").arg(QString::fromStdString(FormatFixed(*z, 3)))
                         : QStringLiteral("不在纵断面范围内"));
    } catch (const FloatFault&) {
        return {};  // a cursor beyond every number's range
    }
}

void ProfilePanel::tell(const QString& text, QWidget* focus)
{
    services_.showMessage(window(), kMessageTitle, text, MessageIcon::Information);
    if (focus) focus->setFocus();
}

QString ProfilePanel::askOpen(const QStringList& filters)
{
    const QString path = services_.getOpenFileName(window(), lastFolder_, filters);
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

QString ProfilePanel::askSave(const QString& name, const QStringList& filters)
{
    const QString suggested = lastFolder_.isEmpty() ? name : QDir(lastFolder_).filePath(name);
    const QString path = services_.getSaveFileName(window(), suggested, filters);
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

void ProfilePanel::importProfile()
{
    const QString path = askOpen(TableFileFilters(TableFile::Profile));
    if (path.isEmpty()) return;
    const FileResult<std::string> text = ReadTableFileText(path);
    if (!text.ok()) return tell(*text.error);
    const ProfileFileContent read = ParseProfileFile(*text.value);
    if (!read.ok()) {
        QStringList lines;
        for (std::size_t i = 0; i < read.errors.size() && i < kListedErrors; ++i)
            lines << QString::fromStdString(read.errors[i].message);
        if (read.errors.size() > kListedErrors)
            lines << QStringLiteral("……共 %1 处错误。").arg(read.errors.size());
        return tell(QStringLiteral("纵断面文件“%1”有误，未导入：\n").arg(path) + lines.join(u'\n'));
    }
    // Stations out of order or overlapping curves are the profile's checks:
    // the rows come into the table, where the status bar and the marked row
    // show what to mend.
    fitNext_ = true;
    document_->table()->replaceAll(ProfileTextsOf(read.points), QStringLiteral("导入纵断面"));
}

void ProfilePanel::exportProfile()
{
    const ProfileRowsRead& read = document_->table()->read();
    if (!read.problems.empty()) return tell(QString::fromStdString(read.problems.front().message), table_);
    if (read.rows.empty()) return tell(QStringLiteral("变坡点表是空的。"), table_);
    const QString path = askSave(QStringLiteral("纵断面.csv"), TableFileFilters(TableFile::Profile));
    if (path.isEmpty()) return;
    // UTF-8 with a byte-order mark: a spreadsheet on a Chinese system then
    // opens it as UTF-8 rather than GBK.
    const QByteArray bytes =
        QByteArray("\xEF\xBB\xBF") + QByteArray::fromStdString(FormatProfileFile(read.rows));
    const FileStatus written =
        SaveTableFile(path, TableFile::Profile, [&bytes](const QString& file) { return WriteFileBytes(file, bytes); });
    if (!written.ok()) tell(*written.error);
}

void ProfilePanel::saveCurveReport()
{
    const std::shared_ptr<const Profile>& profile = document_->profile();
    if (!profile) {
        const QString why = document_->status().isEmpty() ? QStringLiteral("变坡点表是空的。")
                                                          : document_->status();
        return tell(QStringLiteral("不能保存竖曲线要素表：") + why, table_);
    }
    const QString path = askSave(QStringLiteral("竖曲线要素表.txt"),
                                 {QStringLiteral("文本文件(*.txt)"), QStringLiteral("所有文件(*.*)")});
    if (path.isEmpty()) return;
    // On a route with chain breaks the table the command line prints: the
    // curves along the road, the displayed stations.
    const bool onRoute = onRoute_ && route_ && route_->hasBreaks();
    const FileStatus written = onRoute ? WriteProfileCurveTableReport(path, *onRoute_, route_.get())
                                       : WriteProfileCurveTableReport(path, *profile);
    if (!written.ok()) tell(*written.error);
}

void ProfilePanel::pasteIntoTable()
{
    const std::string text = QApplication::clipboard()->text().toStdString();
    const QModelIndex at = table_->currentIndex();
    const int row = at.isValid() ? at.row() : document_->table()->rowCount();
    const int column = at.isValid() ? at.column() : 0;
    document_->table()->paste(row, column, SplitPastedBlock(text));
}

void ProfilePanel::insertRow()
{
    // Above the current row; without one, before the last grade point (a new
    // point is most often one between the ends).
    const QModelIndex at = table_->currentIndex();
    const int row = at.isValid() ? at.row() : std::max(document_->table()->rowCount() - 1, 0);
    document_->table()->insertEmptyRows(row, 1);
    // The new row alone is selected: with Ctrl still held from Ctrl+Ins the
    // view would otherwise add it to the old selection, and a following
    // Ctrl+Del would take both.
    table_->selectionModel()->setCurrentIndex(document_->table()->index(row, 0),
                                              QItemSelectionModel::ClearAndSelect);
}

void ProfilePanel::deleteRows()
{
    std::vector<int> rows;
    for (const QModelIndex& i : table_->selectionModel()->selectedIndexes()) rows.push_back(i.row());
    if (rows.empty() && table_->currentIndex().isValid()) rows.push_back(table_->currentIndex().row());
    document_->table()->removeRowSet(std::move(rows));
}

void ProfilePanel::clearCells()
{
    QModelIndexList cells = table_->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && table_->currentIndex().isValid()) cells << table_->currentIndex();
    document_->table()->clearCells(cells);
}

}  // namespace tarvelo
