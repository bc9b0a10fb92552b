// The route window's commands: following the route as it changes, the stake
// table, the inverse of one point and of a file of points, the JD table's
// editing commands and handing a JD to the main window.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <set>

#include "compute/route_inverse.h"
#include "compute/route_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/files/route_file.h"
#include "ui/route_window/stakes/batch_inverse.h"
#include "ui/route_window/definition/curve_table_model.h"
#include "ui/route_window/definition/element_list_model.h"
#include "ui/route_window/tables/jd_table_model.h"
#include "ui/route_window/document/jd_to_main_window.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/document/route_document.h"
#include "compute/route_station_text.h"
#include "ui/route_window/route_window.h"
#include "ui/route_window/stakes/stake_inputs.h"
#include "ui/route_window/stakes/stake_table_model.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QLineEdit* edit) { return edit->text().toStdString(); }

// The wait cursor while a long computation blocks the window.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void RouteWindow::tell(const QString& text, QWidget* focus)
{
    services_.showMessage(this, kMessageTitle, text, MessageIcon::Information);
    if (focus) focus->setFocus();
}

void RouteWindow::routeChanged()
{
    const std::shared_ptr<const Route>& route = document_->route();
    profile_->setRoute(route);
    routeStatus_->setText(document_->status());
    routeStatus_->setStyleSheet(document_->hasError() ? QStringLiteral("color: #b00000;") : QString());
    curves_->setRoute(route);
    if (route && route->curves().size() <= 1000) curveTable_->resizeColumnsToContents();
    // An element route has no JDs: its elements in the curve table's place,
    // and nothing to send to the main window.
    const bool elements = document_->method() == RouteMethod::Elements;
    elementList_->setRoute(route);
    curveTable_->setVisible(!elements);
    elementListTable_->setVisible(elements);
    curveBox_->setTitle(elements ? QStringLiteral("线元要素表") : QStringLiteral("曲线要素表"));
    sendButton_->setEnabled(!elements);
    plan_->setRoute(route, fitNextRoute_ && route);
    if (route) fitNextRoute_ = false;
    // A stake table of the old route would no longer be true.
    stakes_->clear();
    inverse_.reset();
    inverseRoute_ = route;
    if (route) inverse_ = std::make_unique<RouteInverse>(*route);
    if (!route) return;
    // The range boxes follow the route's ends while they hold the old ends.
    // Displayed stations, as every station the window shows.
    const QString start = U(RouteStationNumber(*route, route->start().station));
    const QString end = U(RouteStationNumber(*route, route->end().station));
    if (start_->text().trimmed().isEmpty() || start_->text() == startDefault_) start_->setText(start);
    if (end_->text().trimmed().isEmpty() || end_->text() == endDefault_) end_->setText(end);
    startDefault_ = start;
    endDefault_ = end;
}

void RouteWindow::showCursor(double x, double y)
{
    QString text = QStringLiteral("X=%1  Y=%2  ").arg(U(FormatFixed(x, 3)), U(FormatFixed(y, 3)));
    if (inverse_) {
        try {
            text += U(FootText(*inverseRoute_, inverse_->Find(x, y)));
        } catch (const FloatFault&) {
            // A cursor far outside every number's range: only the coordinates.
        }
    }
    cursorStatus_->setText(text);
}

void RouteWindow::centreOnCurveRow(const QModelIndex& index)
{
    if (!index.isValid() || !curves_->route()) return;
    const CurveState& s = curves_->route()->curves()[index.row()].curve;
    plan_->centreOnSurvey(s.X, s.Y);
}

void RouteWindow::centreOnStakeRow(const QModelIndex& index)
{
    if (!index.isValid()) return;
    try {
        const RouteTableRow row = stakes_->computedRow(static_cast<std::size_t>(index.row()));
        plan_->centreOnSurvey(row.stake.point.x, row.stake.point.y);
    } catch (const FloatFault&) {
    }
}

void RouteWindow::computeStakes()
{
    const std::shared_ptr<const Route> route = document_->route();
    if (!route) return tell(QStringLiteral("交点表有误，不能计算：") + document_->status(), jdTable_);
    StakeInputTexts texts;
    texts.interval = S(interval_);
    texts.start = S(start_);
    texts.end = S(end_);
    texts.offset = S(offset_);
    texts.skew = S(skew_);
    texts.mainPoints = mainPoints_->isChecked();
    texts.startDefault = startDefault_.toStdString();
    texts.endDefault = endDefault_.toStdString();
    const StakeInputsRead read = ReadStakeInputs(texts, route.get());
    if (!read.params) {
        QLineEdit* const boxes[] = {interval_, start_, end_, offset_, skew_};
        return tell(U(read.message), boxes[static_cast<int>(read.failed)]);
    }
    std::optional<std::string> refusal;
    std::vector<PlanStake> marks;
    try {
        WaitCursor wait;
        refusal = stakes_->fill(route, *read.params);
        if (!refusal) {
            marks.reserve(stakes_->size());
            const PlanFrame& frame = plan_->planScene()->frame();
            for (std::size_t r = 0; r < stakes_->size(); ++r) {
                const RouteTableRow row = stakes_->computedRow(r);
                marks.push_back({frame.toScene(row.stake.point.x, row.stake.point.y),
                                 row.entry.displayed, !row.entry.kind.empty(), row.entry.twice ? row.entry.zone : -1});
            }
        }
    } catch (const FloatFault& fault) {
        stakes_->clear();
        return tell(QString::fromUtf8(fault.what()));
    }
    if (refusal) return tell(U(*refusal));
    plan_->planScene()->setStakes(std::move(marks), read.params->interval);
}

void RouteWindow::inverseOnePoint()
{
    if (!inverse_) return tell(QStringLiteral("交点表有误，不能反算：") + document_->status(), jdTable_);
    double x = 0, y = 0;
    if (!ParseWholeNumber(S(inverseX_), &x) || !std::isfinite(x))
        return tell(QStringLiteral("请输入实测点的坐标X！"), inverseX_);
    if (!ParseWholeNumber(S(inverseY_), &y) || !std::isfinite(y))
        return tell(QStringLiteral("请输入实测点的坐标Y！"), inverseY_);
    const RouteFoot foot = inverse_->Find(x, y);
    QString text = U(FootText(*inverseRoute_, foot));
    // The design elevation at the found station, where a profile reaches it.
    if (foot.outcome == RouteFootOutcome::Ok && profile_->profile()) {
        const std::optional<double> z = profile_->profile()->ElevationNear(foot.station);
        text += z ? QStringLiteral("  设计高程 %1 m").arg(U(FormatFixed(*z, 3)))
                  : QStringLiteral("  设计高程：桩号不在纵断面范围内");
    }
    inverseResult_->setText(text);
    if (foot.outcome == RouteFootOutcome::Ok) {
        const auto at = document_->route()->PointAt(foot.station, 0, 90);
        if (at) plan_->centreOnSurvey(at->point.x, at->point.y);
    }
}

void RouteWindow::sendToMain()
{
    const QModelIndex current = curveTable_->currentIndex();
    if (!curves_->route() || !current.isValid())
        return tell(QStringLiteral("请先在曲线要素表中选择一个交点！"), curveTable_);
    if (sendToMain_) sendToMain_(CurveTextsOfJd(curves_->route()->curves()[current.row()]));
}

void RouteWindow::pasteIntoJdTable()
{
    const std::string text = QApplication::clipboard()->text().toStdString();
    const QModelIndex at = jdTable_->currentIndex();
    const int row = at.isValid() ? at.row() : document_->table()->rowCount();
    const int column = at.isValid() ? at.column() : 0;
    document_->table()->paste(row, column, SplitPastedBlock(text));
}

void RouteWindow::insertJdRow()
{
    JdTableModel* table = document_->table();
    const QModelIndex at = jdTable_->currentIndex();
    // Above the current row; never above QD, and before ZD without a current row.
    int row = at.isValid() ? std::max(at.row(), 1) : std::max(table->rowCount() - 1, 0);
    row = std::min(row, table->rowCount());
    table->insertEmptyRows(row, 1);
    jdTable_->setCurrentIndex(table->index(row, 0));
}

void RouteWindow::deleteJdRows()
{
    std::vector<int> rows;
    for (const QModelIndex& index : jdTable_->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    if (rows.empty() && jdTable_->currentIndex().isValid()) rows.push_back(jdTable_->currentIndex().row());
    document_->table()->removeRowSet(rows);
}

void RouteWindow::clearJdCells()
{
    QModelIndexList cells = jdTable_->selectionModel()->selectedIndexes();
    if (cells.isEmpty() && jdTable_->currentIndex().isValid()) cells << jdTable_->currentIndex();
    if (cells.isEmpty()) return;
    JdTableModel* table = document_->table();
    int first = table->rowCount(), last = -1;
    for (const QModelIndex& c : cells) {
        first = std::min(first, c.row());
        last = std::max(last, c.row());
    }
    std::vector<JdRowTexts> rows(table->texts().begin() + first, table->texts().begin() + last + 1);
    for (const QModelIndex& c : cells) rows[c.row() - first][c.column()].clear();
    table->replaceRows(first, last - first + 1, std::move(rows), QStringLiteral("清除"));
}

}  // namespace tarvelo
