#include "ui/route_window/document/table_file_dialogs.h"
#include "ui/route_window/slope/template_pane.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>

#include "core/files/template_file.h"
#include "reports/csv_field.h"
#include "reports/table_file.h"
#include "reports/text_file.h"
#include "ui/route_window/slope/table_views.h"
#include "ui/route_window/tables/template_table_model.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

// At most this many of a file's bad lines are listed in one message.
constexpr std::size_t kListedErrors = 10;

}  // namespace

TemplatePane::TemplatePane(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent)
    : QWidget(parent), services_(services), lastFolder_(lastFolder), model_(new TemplateTableModel(undo, this))
{
    setObjectName(QStringLiteral("templatePane"));
    table_ = MakeEditableView(
        model_, QStringLiteral("templateTable"), "template",
        QStringLiteral("每行一侧的一个部位，自起始桩号起：侧 左/右/两侧；部位 路肩（宽度, 横坡%）、"
                       "边沟（底宽, 深, 内坡 m1, 外坡 m2）、挖方/填方（坡率 m, 高, 平台宽, 平台横坡%）"),
        this);

    status_ = MakeStatusLine(QStringLiteral("templateStatus"), this);
    LayOutEditableTable(this, table_, model_, "template", {}, status_);

    auto* open = new QAction(QStringLiteral("导入路基模板…"), this);
    open->setObjectName(QStringLiteral("importTemplateAction"));
    auto* save = new QAction(QStringLiteral("导出路基模板…"), this);
    save->setObjectName(QStringLiteral("exportTemplateAction"));
    connect(open, &QAction::triggered, this, &TemplatePane::importTemplate);
    connect(save, &QAction::triggered, this, &TemplatePane::exportTemplate);
    fileActions_ = {open, save};

    connect(model_, &TemplateTableModel::textsChanged, this, &TemplatePane::rebuild);
}

void TemplatePane::setRoute(std::shared_ptr<const Route> route)
{
    route_ = std::move(route);
    rebuild();
}

void TemplatePane::rebuild()
{
    roadbed_.reset();
    QString text;
    const TemplateRowsRead& read = model_->read();
    if (!read.problems.empty()) {
        text = U(read.problems.front().message);
        if (read.problems.size() > 1) text += QStringLiteral("（另有 %1 处）").arg(read.problems.size() - 1);
    } else if (!read.rows.empty()) {
        // Displayed stations onto the route's own, as the command line does.
        std::vector<TemplateRow> rows = read.rows;
        for (TemplateRow& row : rows) {
            if (!route_) break;
            const Route::StationLookup at = route_->StationOf(row.station);
            if (!at.station) {
                text = QStringLiteral("第 %1 行“起始桩号”：").arg(row.line) + U(at.error);
                model_->setRowIssue(row.line - 1, text);
                break;
            }
            row.station = *at.station;
        }
        if (text.isEmpty()) {
            RoadbedTemplate::Built built = RoadbedTemplate::Build(rows);
            if (built.error) {
                text = U(built.error->message);
                model_->setRowIssue(built.error->line - 1, text);
            } else {
                roadbed_ = std::make_shared<const RoadbedTemplate>(std::move(*built.roadbed));
            }
        }
    }
    if (roadbed_)
        text = QStringLiteral("路基模板 %1 行：左侧 %2 个、右侧 %3 个起始桩号")
                   .arg(read.rows.size())
                   .arg(roadbed_->sides(RoadSide::Left).size())
                   .arg(roadbed_->sides(RoadSide::Right).size());
    status_->setStyleSheet(roadbed_ || text.isEmpty() ? QString() : QStringLiteral("color: #b00000;"));
    status_->setText(text);
    emit templateChanged(roadbed_);
}

void TemplatePane::tell(const QString& text, QWidget* focus)
{
    services_.showMessage(window(), kMessageTitle, text, MessageIcon::Information);
    if (focus) focus->setFocus();
}

void TemplatePane::importTemplate()
{
    const QString path = services_.getOpenFileName(window(), lastFolder_, TableFileFilters(TableFile::Template));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const FileResult<std::string> text = ReadTableFileText(path);
    if (!text.ok()) return tell(*text.error);
    const TemplateFileContent read = ParseTemplateFile(*text.value);
    if (!read.ok()) {
        QStringList lines;
        for (std::size_t i = 0; i < read.errors.size() && i < kListedErrors; ++i) lines << U(read.errors[i].message);
        if (read.errors.size() > kListedErrors) lines << QStringLiteral("……共 %1 处错误。").arg(read.errors.size());
        return tell(QStringLiteral("路基模板文件“%1”有误，未导入：\n").arg(path) + lines.join(u'\n'));
    }
    model_->replaceAll(TemplateTextsOf(read.rows), QStringLiteral("导入路基模板"));
}

void TemplatePane::exportTemplate()
{
    const TemplateRowsRead& read = model_->read();
    if (!read.problems.empty()) return tell(U(read.problems.front().message), table_);
    if (read.rows.empty()) return tell(QStringLiteral("路基模板表是空的。"), table_);
    const QString name = QStringLiteral("路基模板.csv");
    const QString path = services_.getSaveFileName(
        window(), lastFolder_.isEmpty() ? name : QDir(lastFolder_).filePath(name), TableFileFilters(TableFile::Template));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    // UTF-8 with a byte-order mark, so a spreadsheet on a Chinese system reads it as UTF-8.
    const std::string bytes = std::string(kUtf8Bom) + FormatTemplateFile(read.rows);
    const FileStatus written = SaveTableFile(path, TableFile::Template, [&bytes](const QString& file) {
        return WriteFileBytes(file, QByteArray::fromStdString(bytes));
    });
    if (!written.ok()) tell(*written.error);
}

}  // namespace tarvelo
