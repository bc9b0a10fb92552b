// 边坡放样 and 高程检测 in the route window against tarvelo-cli: the example
// road loaded into the window through its file commands, the result tables
// compared cell by cell with `route slope` / `route level --format csv` on
// the same files (with and without the example's chain breaks), and the
// section drawing of a chosen point.
//
// Reference values: at K10+300 the example profile gives the centre 360.800
// (L2 lies on the centre 0.3 m below the surface at 360.500); the right
// roadbed edge is 3.75 m of pavement at -2 %, 0.75 m at -2 % and 0.75 m at
// -4 % out, 5.250 m at 360.800 - 0.075 - 0.015 - 0.030 = 360.680 (the
// README's hinge). P1, 14 m right at 354.000, is staked where 1:1.5 falls
// 6.680 m: 5.250 + 10.020 = 15.270 m out.

#include <QApplication>
#include <QClipboard>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QItemSelectionModel>

#include "tests/ui/route_window/slope_window_fixture.h"
#include "ui/route_window/slope/level_panel.h"

namespace tarvelo::uitest {
namespace {

constexpr double kOffsetTol = 0.0006;  // the table's 3 decimals, rounded

// Whether the path passes through p (a vertex within tol metres).
bool HasVertex(const QPainterPath& path, QPointF p, double tol)
{
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (std::fabs(e.x - p.x()) <= tol && std::fabs(e.y - p.y()) <= tol) return true;
    }
    return false;
}

TEST_F(SlopeWindowTest, SlopeStakesShowTheCommandLinesTextsWithAndWithoutChainBreaks)
{
    for (const bool breaks : {false, true}) {
        SCOPED_TRACE(breaks ? "with breaks" : "without breaks");
        loadExample(breaks);
        importPoints("slopeImportPointsButton", Example("slope-points-example.csv"));
        ASSERT_EQ(model("slopeResultsTable")->rowCount(), 8);
        expectTableIs("slopeResultsTable",
                      cliCsv("slope", exampleArguments(breaks) << "--points" << Example("slope-points-example.csv")));
        // P6 at the route's own K13+500: 60 m of 短链 and 50 m of 长链 behind it.
        EXPECT_EQ(cell("slopeResultsTable", 5, 1), breaks ? QStringLiteral("K13+510.000") : QStringLiteral("K13+500.000"));
        EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    }
}

TEST_F(SlopeWindowTest, LevelChecksShowTheCommandLinesTextsAndSummaryAtEachDepthAndTolerance)
{
    loadExample();
    importPoints("levelImportPointsButton", Example("level-points-example.csv"));
    auto* depth = child<QDoubleSpinBox>("levelDepthSpin");
    auto* tolerance = child<QDoubleSpinBox>("levelToleranceSpin");
    EXPECT_EQ(depth->value(), 0);
    EXPECT_EQ(tolerance->value(), LevelPanel::kDefaultTolerance);
    const struct {
        double depth, tolerance;
        const char* summary;  // the first summary line
    } cases[] = {
        {0.3, 0.010, "检测 7 点：合格 5 点，超限 2 点，无法检测 0 点。"},
        {0.3, 0.020, "检测 7 点：合格 7 点，超限 0 点，无法检测 0 点。"},
        {0.0, 0.010, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        depth->setValue(c.depth);
        tolerance->setValue(c.tolerance);
        const QStringList options = {QStringLiteral("--points"), Example("level-points-example.csv"),
                                     QStringLiteral("--depth"), QString::number(c.depth),
                                     QStringLiteral("--tolerance-z"), QString::number(c.tolerance)};
        expectTableIs("levelResultsTable", cliCsv("level", exampleArguments(false) + options));
        // The plain output ends with the summary lines.
        QStringList text = runCli(QStringList{QStringLiteral("route"), QStringLiteral("level")} +
                                  exampleArguments(false) + options)
                               .split(u'\n', Qt::SkipEmptyParts);
        const QString summary = child<QLabel>("levelSummary")->text();
        EXPECT_EQ(summary, text[text.size() - 2] + QStringLiteral("  ") + text.back());
        if (c.summary) {
            EXPECT_TRUE(summary.startsWith(QString::fromUtf8(c.summary))) << summary.toStdString();
        }
    }
    EXPECT_TRUE(child<QLabel>("levelSummary")->text().contains(QStringLiteral("（L5）")));
}

TEST_F(SlopeWindowTest, AChosenPointIsDrawnOnItsDesignSectionWithItsCatch)
{
    loadExample();
    importPoints("slopeImportPointsButton", Example("slope-points-example.csv"));
    QTableView* results = table("slopeResultsTable");
    const struct {
        int row;
        double offset, z;            // the point
        double gripOffset;           // its catch, at the point's elevation
        double hingeOffset, hingeZ;  // the roadbed edge, from the table
        const char* label;
        const char* station;
    } rows[] = {
        {0, 14.0, 354.0, 15.270, 5.250, 360.680, "坡脚", "K10+300.000"},
        {1, -20.0, 351.5, -21.245, -5.250, 360.680, "坡脚", "K10+300.000"},
        {2, 12.0, 358.0, 10.563, 5.250, 353.316, "坡口", "K11+540.000"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        results->selectionModel()->setCurrentIndex(model("slopeResultsTable")->index(r.row, 0),
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ASSERT_TRUE(view()->drawing());
        EXPECT_EQ(view()->drawing()->stationText, QString::fromUtf8(r.station));
        ASSERT_TRUE(view()->drawing()->centreZ);
        const double zc = *view()->drawing()->centreZ;
        if (r.row == 0) {
            EXPECT_NEAR(zc, 360.800, 0.0005);
        }
        const double ex = view()->exaggeration();
        ASSERT_NE(view()->pointMark(), nullptr);
        ASSERT_NE(view()->gripMark(), nullptr);
        const QPointF point = view()->toScene(r.offset, r.z - zc);
        EXPECT_NEAR(view()->pointMark()->pos().x(), point.x(), kOffsetTol);
        EXPECT_NEAR(view()->pointMark()->pos().y(), point.y(), 1e-9);
        const QPointF grip = view()->toScene(r.gripOffset, r.z - zc);
        EXPECT_NEAR(view()->gripMark()->pos().x(), grip.x(), kOffsetTol);
        EXPECT_NEAR(view()->gripMark()->pos().y(), grip.y(), 1e-9);
        const auto* label = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(view()->gripMark()->childItems().value(0));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(r.label));
        // The whole design section: the roadbed edge is a vertex of its lines, and they reach past the catch.
        ASSERT_NE(view()->designLines(), nullptr);
        const QPainterPath lines = view()->designLines()->path();
        EXPECT_TRUE(HasVertex(lines, view()->toScene(r.hingeOffset, r.hingeZ - zc), ex * kOffsetTol));
        EXPECT_GE(std::fabs(r.offset < 0 ? lines.boundingRect().left() : lines.boundingRect().right()),
                  std::fabs(r.gripOffset) + SectionView::kBranchReach - kOffsetTol);
        EXPECT_TRUE(view()->scene()->sceneRect().contains(grip));
    }

    // A level point is marked alone; without a template the drawing is the pavement's again.
    importPoints("levelImportPointsButton", Example("level-points-example.csv"));
    table("levelResultsTable")->selectionModel()->setCurrentIndex(model("levelResultsTable")->index(5, 0),
                                                                  QItemSelectionModel::ClearAndSelect);
    ASSERT_NE(view()->pointMark(), nullptr);
    EXPECT_EQ(view()->gripMark(), nullptr);
    EXPECT_NEAR(view()->pointMark()->pos().x(), view()->toScene(-10.0, 0).x(), kOffsetTol);
    templates()->replaceAll({}, QStringLiteral("清空"));
    EXPECT_FALSE(panel()->roadbed());
    EXPECT_EQ(view()->designLines(), nullptr);
    // The mark goes with the answers it came from.
    EXPECT_EQ(view()->pointMark(), nullptr);
    EXPECT_EQ(model("slopeResultsTable")->rowCount(), 0);
    EXPECT_TRUE(child<QLabel>("slopeStatus")->text().contains(QStringLiteral("没有路基模板")));
}

TEST_F(SlopeWindowTest, PastedPointsAreStakedAndAPointWithoutItsElevationIsSaidNotDropped)
{
    loadExample();
    // P1 and P2 of the example as a spreadsheet copies them, P2's H left out.
    QApplication::clipboard()->setText(QStringLiteral("P1\t3378275.5885\t455119.3607\t354.000\n"
                                                      "P2\t3378287.6323\t455087.5653\t\n"));
    table("slopePointsTable")->setFocus();
    trigger("slopePasteAction");
    ASSERT_EQ(model("slopePointsTable")->rowCount(), 2);
    EXPECT_EQ(model("slopeResultsTable")->rowCount(), 0);
    const QString said = child<QLabel>("slopePointsStatus")->text();
    EXPECT_TRUE(said.contains(QStringLiteral("第 2 行")) && said.contains(QStringLiteral("H"))) << said.toStdString();
    EXPECT_TRUE(cellRole("slopePointsTable", 1, 3, Qt::BackgroundRole).isValid());
    // With its elevation both are staked, as the README's table has them.
    QAbstractItemModel* points = model("slopePointsTable");
    ASSERT_TRUE(points->setData(points->index(1, 3), QStringLiteral("351.5"), Qt::EditRole));
    ASSERT_EQ(model("slopeResultsTable")->rowCount(), 2);
    EXPECT_EQ(cell("slopeResultsTable", 0, 13), QStringLiteral("向外 1.270"));
    EXPECT_EQ(cell("slopeResultsTable", 1, 8), QStringLiteral("21.245"));
    EXPECT_EQ(cell("slopeResultsTable", 1, 12), QStringLiteral("2"));  // below the berm, on the second level
    trigger("undoAction");
    EXPECT_EQ(model("slopeResultsTable")->rowCount(), 0);
}

}  // namespace
}  // namespace tarvelo::uitest
