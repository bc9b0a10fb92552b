#include "ui/route_window/definition/break_pane.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/files/break_file.h"
#include "reports/table_file.h"
#include "reports/text_file.h"
#include "ui/route_window/tables/break_table_model.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/tables/text_table_actions.h"
#include "ui/route_window/document/table_file_dialogs.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {


}  // namespace

BreakPane::BreakPane(UiServices& services, RouteDocument* document, QString& lastFolder, QWidget* parent)
    : QGroupBox(QStringLiteral("断链表"), parent), services_(services), document_(document),
      lastFolder_(lastFolder)
{
    setObjectName(QStringLiteral("breakPane"));
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("breakTable"));
    table_->setModel(document_->breakTable());
    table_->setAlternatingRowColors(true);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setToolTip(QStringLiteral("每行一个断链：断前桩号 = 断后桩号（米数或 K3+444.600），按线路顺序；"
                                      "有断链时，表中和窗口中的桩号都是断链后的显示桩号"));
    AddTextTableActions(table_, document_->breakTable(), "break", this);

    auto* insert = new QPushButton(QStringLiteral("插入行"), this);
    insert->setObjectName(QStringLiteral("breakInsertRowButton"));
    auto* remove = new QPushButton(QStringLiteral("删除行"), this);
    remove->setObjectName(QStringLiteral("breakDeleteRowsButton"));
    connect(insert, &QPushButton::clicked, this, [this] { InsertTableRow(table_, document_->breakTable()); });
    connect(remove, &QPushButton::clicked, this, [this] { DeleteTableRows(table_, document_->breakTable()); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);

    auto* open = new QAction(QStringLiteral("导入断链表…"), this);
    open->setObjectName(QStringLiteral("importBreaksAction"));
    auto* save = new QAction(QStringLiteral("导出断链表…"), this);
    save->setObjectName(QStringLiteral("exportBreaksAction"));
    connect(open, &QAction::triggered, this, &BreakPane::importBreaks);
    connect(save, &QAction::triggered, this, &BreakPane::exportBreaks);
    fileActions_ = {open, save};
}

void BreakPane::tell(const QString& text, QWidget* focus)
{
    services_.showMessage(window(), kMessageTitle, text, MessageIcon::Information);
    if (focus) focus->setFocus();
}

void BreakPane::importBreaks()
{
    const QString path = services_.getOpenFileName(window(), lastFolder_, TableFileFilters(TableFile::Breaks));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const FileResult<std::string> text = ReadTableFileText(path);
    if (!text.ok()) return tell(*text.error);
    const BreakFileContent read = ParseBreakFile(*text.value);
    if (!read.ok()) {
        QStringList lines;
        for (std::size_t i = 0; i < read.errors.size() && i < 10; ++i)
            lines << QString::fromStdString(read.errors[i].message);
        if (read.errors.size() > 10) lines << QStringLiteral("……共 %1 处错误。").arg(read.errors.size());
        return tell(QStringLiteral("断链文件“%1”有误，未导入：\n").arg(path) + lines.join(u'\n'));
    }
    // Whether the breaks fit the route is the route's check: the rows come
    // in, and the status bar and the marked row show what to mend.
    document_->breakTable()->replaceAll(BreakTextsOf(read.rows), QStringLiteral("导入断链表"));
}

void BreakPane::exportBreaks()
{
    const BreakRowsRead& read = document_->breakTable()->read();
    if (!read.problems.empty()) return tell(QString::fromStdString(read.problems.front().message), table_);
    if (read.rows.empty()) return tell(QStringLiteral("断链表是空的。"), table_);
    const QString name = QStringLiteral("断链表.csv");
    const QString suggested = lastFolder_.isEmpty() ? name : QDir(lastFolder_).filePath(name);
    const QString path = services_.getSaveFileName(window(), suggested, TableFileFilters(TableFile::Breaks));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const FileStatus written = SaveTableFile(path, TableFile::Breaks, [&read](const QString& file) {
        return WriteFileBytes(file, QByteArray::fromStdString(FormatBreakFile(read.rows)));
    });
    if (!written.ok()) tell(*written.error);
}

}  // namespace tarvelo
