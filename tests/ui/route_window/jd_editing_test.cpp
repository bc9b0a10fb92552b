// Editing the JD table: every edit recomputes the route; bad cells and bad
// routes are shown in the status bar and on the table, never in a box;
// pasting a spreadsheet block; insert, delete, undo and redo.
//
// Reference values of the right-angle route are worked by hand (see the
// fixture): T = R·tan 45° = R, ZY = 1000 − R, L = R·π/2.

#include <QBrush>
#include <QClipboard>
#include <QTest>

#include "core/numbers/number_text.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/definition/curve_table_model.h"
#include "ui/route_window/tables/jd_cells.h"

namespace tarvelo::uitest {
namespace {

using JdEditing = RouteWindowTest;
using C = CurveTableModel;

QColor Background(const QVariant& v) { return v.value<QBrush>().color(); }

TEST_F(JdEditing, ImportedRouteShowsEveryRowAndCurveWithHandWorkedElements)
{
    importText(kRightAngleRoute);
    ASSERT_EQ(model("jdTable")->rowCount(), 3);
    ASSERT_EQ(model("curveTable")->rowCount(), 1);
    EXPECT_EQ(cell("curveTable", 0, C::kName), QStringLiteral("JD1"));
    EXPECT_EQ(cell("curveTable", 0, C::kStation), QStringLiteral("K1+000.000"));
    EXPECT_EQ(cell("curveTable", 0, C::kDeflection), QStringLiteral("右 90°0′0.0″"));
    EXPECT_EQ(cell("curveTable", 0, C::kT1), QStringLiteral("300.000"));
    EXPECT_EQ(cell("curveTable", 0, C::kL), QStringLiteral("471.239"));
    EXPECT_EQ(cell("curveTable", 0, C::kE), QStringLiteral("124.264"));  // R(√2 − 1)
    EXPECT_EQ(cell("curveTable", 0, C::kZH), QStringLiteral("K0+700.000"));
    EXPECT_EQ(cell("curveTable", 0, C::kQZ), QStringLiteral("K0+935.619"));
    EXPECT_EQ(cell("curveTable", 0, C::kHZ), QStringLiteral("K1+171.239"));
    EXPECT_EQ(cell("curveTable", 0, C::kStraight), QStringLiteral("700.000"));
    EXPECT_EQ(cell("curveTable", 0, C::kSeries), QStringLiteral("0.00 / 0.00"));
    EXPECT_TRUE(status().contains(QStringLiteral("K1+871.239"))) << status().toStdString();
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(JdEditing, SharpSpiralsShowTheirSeriesErrorInTheWarningColour)
{
    // R 95.78, Ls 110: the truncated series ends about 55 mm from the exact
    // clothoid (the published case); 90° leaves room for both spirals.
    importText("QD,0,0,0\nJD1,1000,0,,95.78,110,110\nZD,1000,1000\n");
    ASSERT_EQ(model("curveTable")->rowCount(), 1);
    const QString series = cell("curveTable", 0, C::kSeries);
    const QStringList both = series.split(QStringLiteral(" / "));
    ASSERT_EQ(both.size(), 2) << series.toStdString();
    EXPECT_NEAR(both[0].toDouble(), 55, 2) << series.toStdString();
    EXPECT_EQ(both[0], both[1]);
    EXPECT_TRUE(cellRole("curveTable", 0, C::kSeries, Qt::BackgroundRole).isValid());
    EXPECT_TRUE(cellRole("curveTable", 0, C::kSeries, Qt::ToolTipRole).toString().contains(QStringLiteral("1 mm")));
    // A gentle spiral: well under a millimetre, no warning.
    typeCell(1, kJdR, QStringLiteral("600"));
    EXPECT_FALSE(cellRole("curveTable", 0, C::kSeries, Qt::BackgroundRole).isValid());
}

TEST_F(JdEditing, EveryCellEditRecomputesTheCurveTableAtOnce)
{
    importText(kRightAngleRoute);
    typeCell(1, kJdR, QStringLiteral("400"));
    EXPECT_EQ(cell("curveTable", 0, C::kT1), QStringLiteral("400.000"));
    EXPECT_EQ(cell("curveTable", 0, C::kZH), QStringLiteral("K0+600.000"));
    // Moving the start station moves every station by as much.
    typeCell(0, kJdStation, QStringLiteral("5000"));
    EXPECT_EQ(cell("curveTable", 0, C::kZH), QStringLiteral("K5+600.000"));
    // Turning the road left: ZD west of JD1.
    typeCell(2, kJdY, QStringLiteral("-1000"));
    EXPECT_EQ(cell("curveTable", 0, C::kDeflection), QStringLiteral("左 90°0′0.0″"));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(JdEditing, CellThatIsNotANumberIsMarkedAndExplainedWithoutABox)
{
    importText(kRightAngleRoute);
    const QColor normal = Background(cellRole("jdTable", 1, kJdX, Qt::BackgroundRole));
    typeCell(1, kJdX, QStringLiteral("10OO"));  // letters O typed for zeros
    const QColor marked = Background(cellRole("jdTable", 1, kJdX, Qt::BackgroundRole));
    EXPECT_NE(marked, normal);
    const QString tip = cellRole("jdTable", 1, kJdX, Qt::ToolTipRole).toString();
    EXPECT_TRUE(tip.contains(QStringLiteral("不是数"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("10OO")));
    EXPECT_TRUE(tip.contains(QStringLiteral("第 2 行")));
    EXPECT_TRUE(status().contains(QStringLiteral("不是数"))) << status().toStdString();
    EXPECT_EQ(model("curveTable")->rowCount(), 0);  // no stale curve to send anywhere
    // The neighbouring cells are not marked.
    EXPECT_NE(Background(cellRole("jdTable", 1, kJdY, Qt::BackgroundRole)), marked);

    typeCell(1, kJdX, QStringLiteral("1000"));
    EXPECT_EQ(model("curveTable")->rowCount(), 1);
    EXPECT_FALSE(cellRole("jdTable", 1, kJdX, Qt::ToolTipRole).toString().contains(QStringLiteral("不是数")));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(JdEditing, RoutesTheEngineRefusesAreReportedOnTheirRowNeverAsABox)
{
    importText(kRightAngleRoute);
    const struct {
        int row, column;
        const char* text;
        int markedRow;
        const char* says;
    } cases[] = {
        {1, kJdR, "1200", 1, "JD1"},     // T 1200 > the 1000 m legs: no room
        {1, kJdR, "-5", 1, "半径"},       // R <= 0
        {1, kJdLs1, "1000", 1, "JD1"},   // β1 = Ls/2R = 95.5° > α: spiral longer than the curve
        {2, kJdY, "0", 2, "ZD"},         // ZD on JD1: a leg of length 0
        {1, kJdR, "", 1, "缺少"},         // R missing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        importText(kRightAngleRoute);
        typeCell(c.row, c.column, QString::fromUtf8(c.text));
        EXPECT_TRUE(status().contains(QString::fromUtf8(c.says))) << status().toStdString();
        EXPECT_EQ(model("curveTable")->rowCount(), 0);
        // The row named is highlighted (or its cell marked).
        EXPECT_TRUE(cellRole("jdTable", c.markedRow, kJdX, Qt::BackgroundRole).isValid() ||
                    cellRole("jdTable", c.markedRow, c.column, Qt::BackgroundRole).isValid());
    }
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(JdEditing, OverlappingCurvesNameTheJdAndHighlightItsRow)
{
    // Two JDs 200 m apart with radii whose tangents need far more.
    importText("QD,0,0,0\nJD1,1000,0,,500,0,0\nJD2,1000,200,,500,0,0\nZD,0,200\n");
    EXPECT_EQ(model("curveTable")->rowCount(), 0);
    EXPECT_TRUE(status().contains(QStringLiteral("JD"))) << status().toStdString();
    int highlighted = 0;
    for (int row = 0; row < 4; ++row)
        highlighted += cellRole("jdTable", row, kJdX, Qt::BackgroundRole).isValid();
    EXPECT_EQ(highlighted, 1);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(JdEditing, SpreadsheetBlockPastesOverCellsAndGrowsTheTableAsOneUndoStep)
{
    table("jdTable")->setFocus();
    QApplication::clipboard()->setText(
        QStringLiteral("QD\t0\t0\t0\r\nJD1\t1000\t0\t\t300\t0\t0\r\nZD\t1000\t1000\r\n"));
    trigger("pasteAction");
    ASSERT_EQ(model("jdTable")->rowCount(), 3);
    EXPECT_EQ(cell("curveTable", 0, C::kZH), QStringLiteral("K0+700.000"));

    // A two-cell block (R and Ls1 of JD1) where the current cell is.
    table("jdTable")->setCurrentIndex(model("jdTable")->index(1, kJdR));
    QApplication::clipboard()->setText(QStringLiteral("400\t50\n"));
    trigger("pasteAction");
    EXPECT_EQ(cell("jdTable", 1, kJdR), QStringLiteral("400"));
    EXPECT_EQ(cell("jdTable", 1, kJdLs1), QStringLiteral("50"));
    EXPECT_EQ(cell("jdTable", 1, kJdLs2), QStringLiteral("0"));
    EXPECT_EQ(cell("curveTable", 0, C::kR), QStringLiteral("400"));

    trigger("undoAction");
    EXPECT_EQ(cell("jdTable", 1, kJdR), QStringLiteral("300"));
    EXPECT_EQ(cell("jdTable", 1, kJdLs1), QStringLiteral("0"));
    trigger("undoAction");
    EXPECT_EQ(model("jdTable")->rowCount(), 0);
    trigger("redoAction");
    EXPECT_EQ(model("jdTable")->rowCount(), 3);
    EXPECT_EQ(cell("curveTable", 0, C::kZH), QStringLiteral("K0+700.000"));
}

TEST_F(JdEditing, UndoAndRedoWalkBackAndForthThroughEditsInsertsAndDeletes)
{
    importText(kRightAngleRoute);
    typeCell(1, kJdR, QStringLiteral("250"));
    table("jdTable")->setCurrentIndex(model("jdTable")->index(1, 0));
    trigger("insertRowAction");
    ASSERT_EQ(model("jdTable")->rowCount(), 4);
    EXPECT_TRUE(status().contains(QStringLiteral("缺少")));  // the new row is empty
    trigger("deleteRowsAction");  // the new row is current
    ASSERT_EQ(model("jdTable")->rowCount(), 3);
    EXPECT_EQ(cell("curveTable", 0, C::kT1), QStringLiteral("250.000"));

    trigger("undoAction");  // the delete
    EXPECT_EQ(model("jdTable")->rowCount(), 4);
    trigger("undoAction");  // the insert
    EXPECT_EQ(model("jdTable")->rowCount(), 3);
    trigger("undoAction");  // the edit
    EXPECT_EQ(cell("curveTable", 0, C::kT1), QStringLiteral("300.000"));
    trigger("redoAction");
    EXPECT_EQ(cell("curveTable", 0, C::kT1), QStringLiteral("250.000"));
    // An edit that changes nothing is no undo step.
    typeCell(1, kJdR, QStringLiteral("250"));
    trigger("undoAction");
    EXPECT_EQ(cell("curveTable", 0, C::kT1), QStringLiteral("300.000"));
}

TEST_F(JdEditing, DeleteKeyClearsTheSelectedCellsAndTypingEditsTheCell)
{
    importText(kRightAngleRoute);
    QTableView* jd = table("jdTable");
    showAndActivate(route);
    jd->setFocus();
    jd->setCurrentIndex(model("jdTable")->index(1, kJdLs1));
    QTest::keyClick(jd, Qt::Key_Delete);
    EXPECT_EQ(cell("jdTable", 1, kJdLs1), QString());
    EXPECT_EQ(model("curveTable")->rowCount(), 1);  // an empty spiral is 0
    // Typing starts the editor; Enter commits.
    jd->setCurrentIndex(model("jdTable")->index(1, kJdR));
    QTest::keyClick(jd, Qt::Key_3);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, jd) << "typing did not open the cell's editor";
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor)) << editor->metaObject()->className();
    EXPECT_EQ(qobject_cast<QLineEdit*>(editor)->text(), QStringLiteral("3"));
    QTest::keyClicks(editor, QStringLiteral("50"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the delegate commits in a queued call
    EXPECT_EQ(cell("jdTable", 1, kJdR), QStringLiteral("350"));
    EXPECT_EQ(cell("curveTable", 0, C::kT1), QStringLiteral("350.000"));
}

}  // namespace
}  // namespace tarvelo::uitest
