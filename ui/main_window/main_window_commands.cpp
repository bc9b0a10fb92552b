// The computing commands of the main window: compute elements (Command1),
// the single-point forward computation (Command2), the continuous table
// (Command6) and the inverse computation (Command4).
//
// Each runs its checks in order and stops at the first failure with its
// message and focus move. When the engine reports a fault, a refused table
// or an inverse that does not converge, the command shows that in a message
// and every control keeps what it showed before: results are written only
// once they are complete.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/main_window/control_names.h"
#include "compute/curve_command.h"
#include "compute/forward_point.h"
#include "compute/main_points.h"
#include "compute/stakeout_table.h"
#include "compute/station_offset.h"
#include "core/curve/centreline.h"
#include "core/curve/curve_elements.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/results_box_text.h"

namespace tarvelo {

namespace {

std::string TextOf(const QLineEdit* box) { return box->text().toStdString(); }

// The wait cursor while a long computation blocks the window; restored
// before any message is shown.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString NoConvergenceMessage()
{
    return QStringLiteral(
               "反算迭代%1次后仍未收敛，无法确定该点的桩号（该点可能位于曲线外侧、交点附近）。"
               "请检查输入的坐标！")
        .arg(kMaxIterations);
}

}  // namespace

CurveTexts MainWindow::curveTexts() const
{
    CurveTexts texts;
    for (int i = 0; i < kCurveInputCount; ++i) texts[i] = TextOf(box(kCurveInputBoxes[i]));
    return texts;
}

bool MainWindow::curveInputsPass()
{
    const auto failure = ValidateCurveInputs(curveTexts());
    if (!failure) return true;
    tell(failure->message, box(kCurveInputBoxes[failure->index]));
    return false;
}

bool MainWindow::elementsComputedTrimmed() const
{
    return !IsBlank(label("Label45")->text().toStdString());
}

void MainWindow::computeElements()
{
    if (!curveInputsPass()) return;
    try {
        PrepareCurveState(state_, curveTexts());
        const ElementsDisplay display = ComputeElementsDisplay(state_);
        if (display.fault) return tell(*display.fault);
        for (const auto& [name, text] : display.cells)
            setLabel(LabelOfCell(name), QString::fromStdString(text));
        shownStations_ = {state_.ZH, state_.HYStation, state_.QZ, state_.YHStation, state_.HZ};
    } catch (const FloatFault& fault) {
        tell(fault.what());
    }
}

void MainWindow::computeForwardPoint()
{
    if (!curveInputsPass()) return;
    QLineEdit* station = box("Text41");
    if (IsBlank(TextOf(station))) return tell(kStationMissingMessage, station);
    if (!elementsComputedTrimmed()) return tell(kElementsNotComputedMessage);
    try {
        const StakeQueryResult read =
            ReadStakeQuery(TextOf(station), TextOf(box("Text42")), TextOf(box("Text43")));
        if (!read.query) {
            return tell(read.message, box(BoxOf(read.failed)));
        }
        PrepareCurveState(state_, curveTexts());
        const StakeQuery& q = *read.query;
        const ForwardTexts result = FormatForwardResult(PointAtStation(state_, q.k, q.m, q.a));
        setLabel("Label77", QString::fromStdString(result.x));
        setLabel("Label78", QString::fromStdString(result.y));
        setLabel("Label79", QString::fromStdString(result.azimuth));
    } catch (const FloatFault& fault) {
        tell(fault.what());
    }
}

void MainWindow::computeTable()
{
    if (!curveInputsPass()) return;
    // Text41 is disabled in this mode, so the focus cannot go there.
    if (IsBlank(TextOf(box("Text41")))) return tell(kStationMissingMessage);
    try {
        const TableParamsResult read =
            ReadTableParams(TextOf(box("Text42")), TextOf(box("Text43")), TextOf(box("Text9")),
                            TextOf(box("Text10")), TextOf(box("Text11")));
        if (!read.params) {
            return tell(read.message, box(BoxOf(read.failed)));
        }
        PrepareCurveState(state_, curveTexts());
        TableResult table;
        {
            WaitCursor wait;
            table = BuildStakeoutTable(state_, *read.params);
            if (!table.refusal && !table.fault) {
                // Built once and set once: the box lays out only what it shows.
                resultsBox()->setPlainText(ResultsBoxText(table.text, table.rows + 1));
            }
        }
        if (table.refusal) return tell(*table.refusal);
        if (table.fault) return tell(*table.fault);
    } catch (const FloatFault& fault) {
        tell(fault.what());
    }
}

void MainWindow::computeInverse()
{
    if (!curveInputsPass()) return;
    QLineEdit* x = box("Text47");
    QLineEdit* y = box("Text48");
    if (IsBlank(TextOf(x))) return tell(kInverseXMissingMessage, x);
    if (IsBlank(TextOf(y))) return tell(kInverseYMissingMessage, y);
    if (!elementsComputedTrimmed()) return tell(kElementsNotComputedMessage);
    try {
        PrepareCurveState(state_, curveTexts());
        const double xg = Checked(ReadLeadingNumber(TextOf(x)), "反算坐标X");
        const double yg = Checked(ReadLeadingNumber(TextOf(y)), "反算坐标Y");
        const StationOffset found = ComputeStationOffset(state_, xg, yg);
        if (found.outcome == InverseOutcome::NoConvergence) return tell(NoConvergenceMessage());
        const InverseTexts result = FormatStationOffset(found);
        setLabel("Label80", QString::fromStdString(result.station));
        setLabel("Label81", QString::fromStdString(result.offset));
    } catch (const FloatFault& fault) {
        tell(fault.what());
    }
}

}  // namespace tarvelo
