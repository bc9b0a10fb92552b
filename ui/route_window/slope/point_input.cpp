#include "ui/route_window/document/table_file_dialogs.h"
#include "ui/route_window/slope/point_input.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "reports/table_file.h"
#include "ui/route_window/slope/table_views.h"
#include "ui/route_window/tables/point_table_model.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

// At most this many of a file's bad lines are listed in one message.
constexpr std::size_t kListedErrors = 10;

}  // namespace

PointInput::PointInput(UiServices& services, QUndoStack* undo, QString& lastFolder, const QString& table,
                       const char* prefix, QWidget* parent)
    : QGroupBox(QStringLiteral("实测点"), parent), services_(services), lastFolder_(lastFolder),
      model_(new PointTableModel(undo, table, this))
{
    const QString p = QString::fromLatin1(prefix);
    table_ = MakeEditableView(model_, p + QStringLiteral("PointsTable"), prefix,
                              QStringLiteral("实测点：点名, X (北), Y (东), H (高程)。可直接输入，"
                                             "从电子表格复制的数据可用 Ctrl+V 粘贴"),
                              this);
    // Four short columns: all of them in sight, the coordinates' digits shortened.
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* open = new QPushButton(QStringLiteral("导入点…"), this);
    open->setObjectName(p + QStringLiteral("ImportPointsButton"));
    open->setToolTip(QStringLiteral("读入点文件：点名,X,Y,H 的 CSV，或 CASS 的 .dat"));
    connect(open, &QPushButton::clicked, this, &PointInput::importPoints);
    status_ = MakeStatusLine(p + QStringLiteral("PointsStatus"), this);
    LayOutEditableTable(this, table_, model_, prefix, {open}, status_);

    connect(model_, &PointTableModel::textsChanged, this, &PointInput::reread);
}

const std::vector<SurveyPoint>& PointInput::points() const { return model_->read().rows; }

void PointInput::reread()
{
    const PointRowsRead& read = model_->read();
    QString text;
    if (!read.problems.empty()) {
        text = U(read.problems.front().message);
        if (read.problems.size() > 1) text += QStringLiteral("（另有 %1 处）").arg(read.problems.size() - 1);
    } else if (!read.rows.empty()) {
        text = read_.isEmpty() ? QStringLiteral("%1 个点").arg(read.rows.size()) : read_;
    }
    read_.clear();  // what a file held is said once, after its import
    status_->setStyleSheet(read.problems.empty() ? QString() : QStringLiteral("color: #b00000;"));
    status_->setText(text);
    emit pointsChanged();
}

void PointInput::importPoints()
{
    const QString path = services_.getOpenFileName(window(), lastFolder_, TableFileFilters(TableFile::Points));
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const FileResult<std::string> text = ReadTableFileText(path);
    if (!text.ok()) {
        services_.showMessage(window(), kMessageTitle, *text.error, MessageIcon::Information);
        return;
    }
    const PointFileContent read = ParsePointFile(*text.value);
    if (!read.ok()) {
        QStringList lines;
        for (std::size_t i = 0; i < read.errors.size() && i < kListedErrors; ++i) lines << U(read.errors[i]);
        if (read.errors.size() > kListedErrors) lines << QStringLiteral("……共 %1 处错误。").arg(read.errors.size());
        services_.showMessage(window(), kMessageTitle,
                              QStringLiteral("点文件“%1”有误，未导入：\n").arg(path) + lines.join(u'\n'),
                              MessageIcon::Information);
        return;
    }
    // Points without an elevation come in too: their empty H is marked.
    read_ = U(DescribePointFile(read));
    model_->replaceAll(PointTextsOf(read.points), QStringLiteral("导入点"));
    read_.clear();
}

}  // namespace tarvelo
