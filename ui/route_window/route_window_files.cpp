// The route window's file commands: the route file (import, export; CSV or
// an Excel workbook), the
// two GBK reports, the plan as a picture and the batch inverse of a points
// file. The dialogs come from UiServices and start in the folder used last
// in this session; a file that cannot be read or written is reported in a
// message and the window keeps what it showed.

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>

#include "compute/route_inverse.h"
#include "core/files/element_file.h"
#include "core/numbers/float_fault.h"
#include "core/files/route_file.h"
#include "reports/route_report.h"
#include "reports/stake_file_export.h"
#include "reports/table_file.h"
#include "reports/text_file.h"
#include "ui/route_window/stakes/batch_inverse.h"
#include "ui/route_window/tables/element_table_model.h"
#include "ui/route_window/stakes/inverse_results_model.h"
#include "ui/route_window/tables/jd_table_model.h"
#include "ui/route_window/plan/plan_export.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/document/table_file_dialogs.h"
#include "ui/route_window/definition/route_method_pane.h"
#include "ui/route_window/route_window.h"
#include "ui/route_window/stakes/stake_table_model.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

QStringList TextReportFilters()
{
    return {QStringLiteral("文本文件(*.txt)"), QStringLiteral("所有文件(*.*)")};
}

// At most this many of a file's bad lines are listed in one message.
constexpr std::size_t kListedErrors = 10;

QString ErrorList(const std::vector<std::string>& errors)
{
    QStringList lines;
    for (std::size_t i = 0; i < errors.size() && i < kListedErrors; ++i) lines << U(errors[i]);
    if (errors.size() > kListedErrors)
        lines << QStringLiteral("……共 %1 处错误。").arg(errors.size());
    return lines.join(u'\n');
}

}  // namespace

QString RouteWindow::askOpen(const QStringList& filters)
{
    const QString path = services_.getOpenFileName(this, lastFolder_, filters);
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

QString RouteWindow::askSave(const QString& name, const QStringList& filters)
{
    const QString suggested = lastFolder_.isEmpty() ? name : QDir(lastFolder_).filePath(name);
    const QString path = services_.getSaveFileName(this, suggested, filters);
    if (!path.isEmpty()) lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

void RouteWindow::importRoute()
{
    const QString path = askOpen(TableFileFilters(TableFile::Route));
    if (path.isEmpty()) return;
    // A workbook's bad rows are named by their cells.
    const TableReadLog reads;
    const auto tell = [this, &reads](const QString& message) {
        RouteWindow::tell(QString::fromStdString(reads.NameCells(message.toStdString())));
    };
    const FileResult<std::string> text = ReadTableFileText(path);
    if (!text.ok()) return tell(*text.error);
    // A header with a length column makes it an element file (线元法).
    if (IsElementFileHeader(*text.value)) {
        const ElementFileParse parsed = ParseElementFile(*text.value);
        if (!parsed.errors.empty()) {
            std::vector<std::string> errors;
            for (const RouteIssue& e : parsed.errors) errors.push_back(e.message);
            return tell(QStringLiteral("线元文件“%1”有误，未导入：\n").arg(path) + ErrorList(errors));
        }
        fitNextRoute_ = true;
        try {
            return document_->loadElementRows(ElementTextsOf(parsed.rows), QStringLiteral("导入线元"));
        } catch (const FloatFault& fault) {
            return tell(QString::fromUtf8(fault.what()));
        }
    }
    const RouteFileParse parsed = ParseRouteFile(*text.value);
    if (!parsed.errors.empty()) {
        std::vector<std::string> errors;
        for (const RouteIssue& e : parsed.errors) errors.push_back(e.message);
        return tell(QStringLiteral("线路文件“%1”有误，未导入：\n").arg(path) + ErrorList(errors));
    }
    fitNextRoute_ = true;
    document_->loadJdRows(JdTextsOf(parsed.rows), QStringLiteral("导入线路"));
}

void RouteWindow::exportRoute()
{
    std::string bytes;
    QString name;
    if (document_->method() == RouteMethod::Elements) {
        const ElementRowsRead& read = document_->elementTable()->read();
        QWidget* table = methodPane_->elementTable();
        if (!read.problems.empty()) return tell(U(read.problems.front().message), table);
        if (read.rows.empty()) return tell(QStringLiteral("线元表是空的。"), table);
        try {
            bytes = FormatElementFile(read.rows);
        } catch (const FloatFault& fault) {
            return tell(QString::fromUtf8(fault.what()), table);
        }
        name = QStringLiteral("线元.csv");
    } else {
        const JdRowsRead& read = document_->table()->read();
        if (!read.problems.empty()) return tell(U(read.problems.front().message), jdTable_);
        if (read.rows.empty()) return tell(QStringLiteral("交点表是空的。"), jdTable_);
        bytes = FormatRouteFile(read.rows);
        name = QStringLiteral("线路.csv");
    }
    const QString path = askSave(name, TableFileFilters(TableFile::Route));
    if (path.isEmpty()) return;
    const FileStatus written = SaveTableFile(path, TableFile::Route, [&bytes](const QString& file) {
        return WriteFileBytes(file, QByteArray::fromStdString(bytes));
    });
    if (!written.ok()) tell(*written.error);
}

void RouteWindow::saveCurveReport()
{
    const std::shared_ptr<const Route> route = document_->route();
    if (!route) return tell(QStringLiteral("交点表有误，不能保存：") + document_->status(), jdTable_);
    const QString path = askSave(QStringLiteral("直曲表.txt"), TextReportFilters());
    if (path.isEmpty()) return;
    try {
        const FileStatus written = WriteRouteCurveTableReport(path, *route);
        if (!written.ok()) tell(*written.error);
    } catch (const FloatFault& fault) {
        tell(QString::fromUtf8(fault.what()));
    }
}

void RouteWindow::saveStakeReport()
{
    if (stakes_->size() == 0) return tell(QStringLiteral("请先点击“计算逐桩坐标”！"));
    const QString path = askSave(QStringLiteral("逐桩坐标表.txt"), TextReportFilters());
    if (path.isEmpty()) return;
    // The table shown belongs to the current route (an edit clears it); the
    // report streams from the route, as the command line writes it, with the
    // design elevation where a profile is loaded.
    const std::shared_ptr<const Route> route = document_->route();
    if (!route) return tell(QStringLiteral("交点表有误，不能保存：") + document_->status(), jdTable_);
    ElevationAt elevation;
    if (const std::shared_ptr<const Profile> profile = profile_->profile())
        elevation = [profile](double k) { return profile->ElevationNear(k); };
    const FileStatus written =
        WriteStakeFile(path, *route, stakes_->params(), StakeFileFormat::Report, elevation);
    if (!written.ok()) tell(*written.error);
}

void RouteWindow::savePlan()
{
    if (!document_->route()) return tell(QStringLiteral("交点表有误，没有平面图可保存。"), jdTable_);
    const QString path = askSave(QStringLiteral("平面图.png"), PlanFileFilters());
    if (path.isEmpty()) return;
    QString error;
    if (!SavePlan(*plan_, path, &error)) tell(error);
}

void RouteWindow::inverseBatch()
{
    if (!inverse_) return tell(QStringLiteral("交点表有误，不能反算：") + document_->status(), jdTable_);
    const QString path = askOpen(TableFileFilters(TableFile::Points));
    if (path.isEmpty()) return;
    const TableReadLog reads;  // a workbook's bad rows are named by their cells
    const FileResult<std::string> text = ReadTableFileText(path);
    if (!text.ok()) return tell(*text.error);
    const SurveyedPointsRead read = ReadSurveyedPoints(*text.value);
    if (!read.errors.empty())
        return tell(QString::fromStdString(reads.NameCells(
            (QStringLiteral("点文件“%1”有误：\n").arg(path) + ErrorList(read.errors)).toStdString())));
    const std::vector<InverseAnswer> answers = InverseAll(*inverse_, read.points);
    answers_->setAnswers(*inverseRoute_, answers);
    inverseResult_->setText(QStringLiteral("已反算 %1 个点").arg(answers.size()));

    const QString out = askSave(QFileInfo(path).completeBaseName() + QStringLiteral("_反算.txt"),
                                TextReportFilters());
    if (out.isEmpty()) return;
    QStringList lines;
    QStringList heading;
    for (const char* caption : kAnswerCaptions) heading << QString::fromUtf8(caption);
    lines << heading.join(u',');
    for (const AnswerTexts& row : answers_->rows()) {
        QStringList fields;
        for (const std::string& field : row) fields << U(field);
        lines << fields.join(u',');
    }
    const FileStatus written = WriteTextFile(out, JoinLinesCrLf(lines));
    if (!written.ok()) tell(*written.error);
}

}  // namespace tarvelo
