// The file commands of the main window: the elements report (Command5) and
// its hint in continuous mode (Command8), the results report (Command7), and
// the curve data file (Open, Export). All four use the shared dialog CDg1 and
// record the chosen path in txtFileName. A file that cannot be written or
// read is reported in a message; the window then keeps what it showed.

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "ui/main_window/control_names.h"
#include "compute/main_points.h"
#include "reports/curve_data_file.h"
#include "reports/elements_report.h"
#include "reports/results_report.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/shared_file_dialog.h"

namespace tarvelo {

namespace {

inline constexpr const char* kSingleModeForElementsMessage = "请选择“单点计算”显示曲线要素！";
inline constexpr const char* kTableMissingMessage = "请点击“点击计算”！";

}  // namespace

void MainWindow::saveElementsReport()
{
    // Not trimmed here, unlike the single-point commands.
    if (label("Label45")->text().isEmpty()) return tell(kElementsNotComputedMessage);
    const QString path = fileDialog_->chooseSaveFile(ReportFilters());
    if (path.isEmpty()) return;
    box("txtFileName")->setText(path);

    ElementsReportInput input;
    input.stations = shownStations_;
    for (int row = 0; row < 5; ++row) {
        const auto& cells = kMainStakeLabels[row];
        input.stakes[row] = {label(cells[1])->text().toStdString(),
                             label(cells[2])->text().toStdString(),
                             label(cells[3])->text().toStdString()};
    }
    for (std::size_t i = 0; i < kElementLabels.size(); ++i)
        input.elements[i] = label(kElementLabels[i])->text().toStdString();
    const FileStatus written = WriteElementsReport(path, input);
    if (!written.ok()) tell(*written.error);
}

void MainWindow::showElementsHint() { tell(kSingleModeForElementsMessage); }

void MainWindow::saveResultsReport()
{
    // The box's own text, exactly: only a truly empty box is refused.
    const QString table = resultsBox()->toPlainText();
    if (table.isEmpty()) return tell(kTableMissingMessage);
    const QString path = fileDialog_->chooseSaveFile(ReportFilters());
    if (path.isEmpty()) return;
    box("txtFileName")->setText(path);
    const FileStatus written = WriteResultsReport(path, table);
    if (!written.ok()) tell(*written.error);
}

void MainWindow::importCurve()
{
    const QString path = fileDialog_->chooseOpenFile(CurveDataFilters());
    if (path.isEmpty()) return;
    box("txtFileName")->setText(path);
    // All eight lines are read before any box changes.
    const FileResult<CurveTexts> read = ImportCurveInputs(path);
    if (!read.ok()) return tell(*read.error);
    for (int i = 0; i < kCurveInputCount; ++i)
        box(kCurveInputBoxes[i])->setText(QString::fromStdString((*read.value)[i]));
}

void MainWindow::exportCurve()
{
    const QString path = fileDialog_->chooseSaveFile(CurveDataFilters());
    if (path.isEmpty()) return;
    box("txtFileName")->setText(path);
    const FileStatus written = ExportCurveInputs(path, curveTexts());
    if (!written.ok()) tell(*written.error);
}

}  // namespace tarvelo
