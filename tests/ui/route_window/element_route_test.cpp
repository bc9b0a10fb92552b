// Element routes (线元法) in the route window: the element table typed,
// pasted, undone and marked; switching between the two methods; the element
// file in and out; and the spiral mode of a JD route.
//
// The hand-worked route: from (0, 0) due north 100 m, a right arc of R 100
// through 90° (length 50π), then due east 100 m. The arc starts at X 100,
// Y 0 heading north, so its centre lies 100 m east, at (100, 100); it ends
// at (200, 100) heading east, and the route at station 200 + 50π = 357.0796,
// X 200, Y 200.

#include <QBrush>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QStackedWidget>
#include <QUndoStack>
#include <cmath>

#include "core/files/element_file.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/tables/element_cells.h"
#include "ui/route_window/definition/element_list_model.h"
#include "ui/route_window/plan/plan_scene.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/document/route_document.h"

namespace tarvelo::uitest {
namespace {

constexpr double kPi = 3.14159265358979323846;

class ElementRoute : public RouteWindowTest {
protected:
    QComboBox* combo(const char* name) { return child<QComboBox>(name); }
    void chooseElements() { combo("methodCombo")->setCurrentIndex(1); }
    void typeElement(int row, int column, const QString& text)
    {
        QAbstractItemModel* m = model("elementTable");
        while (m->rowCount() <= row) {
            table("elementTable")->setCurrentIndex({});
            child<QPushButton>("elementInsertRowButton")->click();
        }
        ASSERT_TRUE(m->setData(m->index(row, column), text, Qt::EditRole));
    }
    double endStation()
    {
        const auto r = route->document()->route();
        return r ? r->end().station : std::nan("");
    }
    static QString exampleText()
    {
        QFile f(QStringLiteral(TARVELO_SOURCE_DIR "/examples/ramp-elements.csv"));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QString::fromUtf8(f.readAll());
    }
    // The example's data rows: comments and the header left out.
    static QString exampleRows()
    {
        QStringList rows;
        for (const QString& line : exampleText().split(u'\n')) {
            const QString t = line.trimmed();
            if (t.isEmpty() || t.startsWith(u'#') || t.startsWith(QLatin1String("name"))) continue;
            rows << t;
        }
        return rows.join(u'\n');
    }
    static Route ExampleRoute()
    {
        const ElementFileParse parsed = ParseElementFile(exampleText().toStdString());
        EXPECT_TRUE(parsed.errors.empty());
        Route::Built built = Route::BuildElements(parsed.rows);
        EXPECT_TRUE(built.route);
        return std::move(*built.route);
    }
    void pasteExample()
    {
        table("elementTable")->setCurrentIndex(model("elementTable")->index(0, 0));
        QApplication::clipboard()->setText(exampleRows());
        trigger("elementPasteAction");
    }
};

QColor Background(const QVariant& v) { return v.value<QBrush>().color(); }

TEST_F(ElementRoute, TypedFromScratchTheTableBuildsTheHandWorkedRoute)
{
    chooseElements();
    EXPECT_EQ(child<QStackedWidget>("methodStack")->currentIndex(), 1);
    EXPECT_FALSE(combo("spiralCombo")->isEnabled());
    // Name, station, X, Y, azimuth, length, R start, R end, turn.
    const char* rows[3][9] = {{"", "0", "0", "0", "0", "100", "", "", ""},
                              {"", "", "", "", "", "157.07963267948966", "100", "100", "右"},
                              {"", "", "", "", "", "100", "", "", ""}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 9; ++c)
            if (*rows[r][c]) typeElement(r, c, QString::fromUtf8(rows[r][c]));
    const auto built = route->document()->route();
    ASSERT_TRUE(built) << status().toStdString();
    EXPECT_EQ(built->method(), RouteMethod::Elements);
    EXPECT_NEAR(built->end().station, 200 + 50 * kPi, 1e-9);
    EXPECT_NEAR(built->end().x, 200, 1e-6);
    EXPECT_NEAR(built->end().y, 200, 1e-6);
    // A stake on the arc at 45°: centre (100, 100), radius 100, towards the north-west.
    const auto stake = built->PointAt(100 + 25 * kPi, 0, 90);
    ASSERT_TRUE(stake);
    EXPECT_NEAR(stake->point.x, 100 + 100 * std::sin(kPi / 4), 1e-6);
    EXPECT_NEAR(stake->point.y, 100 - 100 * std::cos(kPi / 4), 1e-6);
    EXPECT_NEAR(stake->point.azimuth, 45, 1e-9);
    // The empty names show the names the route uses; the status counts the elements.
    EXPECT_EQ(cell("elementTable", 1, kElementName), QStringLiteral("E2"));
    EXPECT_TRUE(status().startsWith(QStringLiteral("3 个线元"))) << status().toStdString();
    // The stake table of the element route, from the window's button.
    edit("intervalEdit")->setText(QStringLiteral("100"));
    press("stakeButton");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_GE(model("stakeTable")->rowCount(), 5);
    // The element list takes the curve table's place; nothing to send to the main window.
    EXPECT_FALSE(table("curveTable")->isVisibleTo(route));
    EXPECT_TRUE(table("elementListTable")->isVisibleTo(route));
    EXPECT_EQ(model("elementListTable")->rowCount(), 3);
    EXPECT_EQ(cell("elementListTable", 1, ElementListModel::kKind), QStringLiteral("圆曲线"));
    EXPECT_EQ(cell("elementListTable", 1, ElementListModel::kEnd), QStringLiteral("K0+257.080"));
    EXPECT_FALSE(child<QPushButton>("sendToMainButton")->isEnabled());
}

TEST_F(ElementRoute, PastedExampleRowsBuildTheExampleRouteAndEditsUndoAndRedo)
{
    chooseElements();
    pasteExample();
    const Route example = ExampleRoute();
    ASSERT_EQ(model("elementTable")->rowCount(), 14);
    ASSERT_TRUE(route->document()->route()) << status().toStdString();
    EXPECT_DOUBLE_EQ(endStation(), example.end().station);
    EXPECT_EQ(route->document()->route()->mainPoints().size(), example.mainPoints().size());

    // C1 90 m -> 100 m: the route is 10 m longer; undo and redo walk it back and forth.
    QUndoStack* undo = route->document()->undoStack();
    const int steps = undo->count();
    typeElement(2, kElementLength, QStringLiteral("100"));
    EXPECT_EQ(undo->count(), steps + 1);
    EXPECT_NEAR(endStation(), example.end().station + 10, 1e-9);
    trigger("undoAction");
    EXPECT_EQ(cell("elementTable", 2, kElementLength), QStringLiteral("90"));
    EXPECT_DOUBLE_EQ(endStation(), example.end().station);
    trigger("redoAction");
    EXPECT_NEAR(endStation(), example.end().station + 10, 1e-9);
    trigger("undoAction");
    trigger("undoAction");  // the paste
    EXPECT_EQ(model("elementTable")->rowCount(), 0);
    EXPECT_FALSE(route->document()->route());
}

TEST_F(ElementRoute, BadCellsAreMarkedWithTheirReasonAndAWarningRowIsHighlighted)
{
    chooseElements();
    pasteExample();
    const QColor bad(255, 196, 196);
    const struct {
        int row, column;
        const char* text;
        const char* says;
    } cases[] = {
        {2, kElementRStart, "-5", "第 3 行：起点半径 必须大于 0：“-5”"},
        {3, kElementREnd, "abc", "第 4 行：终点半径 不是数：“abc”"},
        {1, kElementTurn, "上", "第 2 行：转向“上”无法识别"},
        {5, kElementLength, "0", "第 6 行：线元长度必须大于 0"},
        {0, kElementStation, "K0+0x", "第 1 行：桩号不是数"},
        {4, kElementY, "458000", "第 5 行：起点 X、Y 和方位角应三项都给出或都留空"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        typeElement(c.row, c.column, QString::fromUtf8(c.text));
        // A partial start marks the first of X, Y, azimuth left empty.
        const int marked = c.column == kElementY ? kElementX : c.column;
        EXPECT_EQ(Background(cellRole("elementTable", c.row, marked, Qt::BackgroundRole)), bad);
        EXPECT_TRUE(cellRole("elementTable", c.row, marked, Qt::ToolTipRole)
                        .toString()
                        .startsWith(QString::fromUtf8(c.says)))
            << cellRole("elementTable", c.row, marked, Qt::ToolTipRole).toString().toStdString();
        EXPECT_TRUE(status().startsWith(QString::fromUtf8(c.says))) << status().toStdString();
        EXPECT_FALSE(route->document()->route());
        trigger("undoAction");
        EXPECT_TRUE(route->document()->route()) << status().toStdString();
    }

    // A start given on row 8 (L2) 5 m off where A2 ends: the route is built
    // with a warning, and the row is highlighted with it.
    const Route example = ExampleRoute();
    const RouteElement& a2 = example.elements()[5];
    const QString x = QString::number(a2.end.x + 5, 'f', 6);
    const QString y = QString::number(a2.end.y, 'f', 6);
    const QString az = QString::fromStdString(std::to_string(DegreesToDmsNumber(a2.end.azimuth)));
    table("elementTable")->setCurrentIndex(model("elementTable")->index(6, kElementX));
    QApplication::clipboard()->setText(x + u'\t' + y + u'\t' + az);
    trigger("elementPasteAction");
    ASSERT_TRUE(route->document()->route()) << status().toStdString();
    EXPECT_TRUE(status().contains(QStringLiteral("警告"))) << status().toStdString();
    EXPECT_EQ(Background(cellRole("elementTable", 6, kElementName, Qt::BackgroundRole)), QColor(255, 246, 205));
    EXPECT_FALSE(cellRole("elementTable", 6, kElementName, Qt::ToolTipRole).toString().isEmpty());
}

TEST_F(ElementRoute, SwitchingMethodsKeepsBothTablesAndBuildsFromTheChosenOne)
{
    importText(kRightAngleRoute);
    ASSERT_TRUE(route->document()->route());
    EXPECT_NEAR(endStation(), 1871.2389, 1e-4);
    chooseElements();
    EXPECT_FALSE(route->document()->route());  // an empty element table: no route, no error
    EXPECT_FALSE(route->document()->hasError());
    EXPECT_EQ(model("curveTable")->rowCount(), 0);
    pasteExample();
    const double elements = ExampleRoute().end().station;
    EXPECT_DOUBLE_EQ(endStation(), elements);

    combo("methodCombo")->setCurrentIndex(0);
    EXPECT_EQ(child<QStackedWidget>("methodStack")->currentIndex(), 0);
    EXPECT_TRUE(combo("spiralCombo")->isEnabled());
    EXPECT_EQ(model("jdTable")->rowCount(), 3);
    EXPECT_EQ(model("elementTable")->rowCount(), 14);
    EXPECT_NEAR(endStation(), 1871.2389, 1e-4);
    EXPECT_EQ(model("curveTable")->rowCount(), 1);
    EXPECT_EQ(model("elementListTable")->rowCount(), 0);
    EXPECT_TRUE(child<QPushButton>("sendToMainButton")->isEnabled());

    // The switch is an undo step of its own.
    trigger("undoAction");
    EXPECT_EQ(combo("methodCombo")->currentIndex(), 1);
    EXPECT_DOUBLE_EQ(endStation(), elements);
}

TEST_F(ElementRoute, ImportedElementFileSwitchesToElementsDrawsThePlanAndExportsTheSameRows)
{
    desktop.queueFileAnswer(QStringLiteral(TARVELO_SOURCE_DIR "/examples/ramp-elements.csv"));
    trigger("importAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(combo("methodCombo")->currentIndex(), 1);
    EXPECT_EQ(child<QStackedWidget>("methodStack")->currentIndex(), 1);
    ASSERT_EQ(model("elementTable")->rowCount(), 14);
    EXPECT_EQ(cell("elementTable", 0, kElementName), QStringLiteral("L1"));
    EXPECT_EQ(cell("elementTable", 0, kElementAzimuth), QStringLiteral("30"));
    EXPECT_EQ(cell("elementTable", 1, kElementTurn), QStringLiteral("右"));
    const Route example = ExampleRoute();
    ASSERT_TRUE(route->document()->route()) << status().toStdString();
    EXPECT_DOUBLE_EQ(endStation(), example.end().station);
    // The plan holds the ramp: its extent is the route's.
    PlanScene* plan = route->planView()->planScene();
    EXPECT_TRUE(plan->hasRoute());
    EXPECT_FALSE(plan->routeRect().isEmpty());
    EXPECT_EQ(model("elementListTable")->rowCount(), static_cast<int>(example.elements().size()));

    const QString out = dir.filePath(QStringLiteral("out.csv"));
    desktop.queueFileAnswer(out);
    trigger("exportAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const ElementFileParse back = ParseElementFile(f.readAll().toStdString());
    ASSERT_TRUE(back.errors.empty()) << back.errors[0].message;
    const ElementFileParse original = ParseElementFile(exampleText().toStdString());
    ASSERT_EQ(back.rows.size(), original.rows.size());
    for (std::size_t i = 0; i < back.rows.size(); ++i) {
        SCOPED_TRACE(i);
        const ElementInput &a = back.rows[i], &b = original.rows[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.station, b.station);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
        EXPECT_EQ(a.azimuth.has_value(), b.azimuth.has_value());
        if (a.azimuth) {
            EXPECT_NEAR(*a.azimuth, *b.azimuth, 1e-12);
        }
        EXPECT_EQ(a.length, b.length);
        EXPECT_EQ(a.startRadius, b.startRadius);
        EXPECT_EQ(a.endRadius, b.endRadius);
        EXPECT_EQ(a.turn, b.turn);
    }

    // Undo takes the import back and the method with it.
    trigger("undoAction");
    EXPECT_EQ(model("elementTable")->rowCount(), 0);
    EXPECT_EQ(combo("methodCombo")->currentIndex(), 0);
}

TEST_F(ElementRoute, SpiralComboMovesTheStakesOfASharpCurveByTheSeriesError)
{
    // R 60 with 80 m spirals through 90°: the series' spiral end lies some
    // 73 mm from the clothoid's.
    const char sharp[] = "QD,0,0,0\nJD1,500,0,,60,80,80\nZD,500,-600\n";
    importText(sharp);
    ASSERT_TRUE(route->document()->route()) << status().toStdString();
    EXPECT_EQ(combo("spiralCombo")->currentIndex(), 0);
    const auto exact = route->document()->route();
    EXPECT_EQ(exact->spiralMode(), SpiralMode::Exact);
    combo("spiralCombo")->setCurrentIndex(1);
    const auto series = route->document()->route();
    ASSERT_TRUE(series);
    EXPECT_EQ(series->spiralMode(), SpiralMode::Series);
    // The window's series route is the engine's.
    const Route engine = *Route::Build(exact->rows(), SpiralMode::Series).route;
    const double hy = engine.curves()[0].curve.HYStation;
    const auto a = series->PointAt(hy, 0, 90), b = engine.PointAt(hy, 0, 90);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->point.x, b->point.x);
    EXPECT_EQ(a->point.y, b->point.y);
    // The HY stake moves by about the series error the curve table reports.
    const auto e = exact->PointAt(exact->curves()[0].curve.HYStation, 0, 90);
    ASSERT_TRUE(e);
    const double movedMm = std::hypot(a->point.x - e->point.x, a->point.y - e->point.y) * 1000;
    const double errorMm = exact->curves()[0].seriesErrorMm[0];
    RecordProperty("movedMm", std::to_string(movedMm));
    RecordProperty("seriesErrorMm", std::to_string(errorMm));
    EXPECT_GT(errorMm, 1.0);
    // The rest of the curve moves too (the series' p and q), but by far less
    // than a millimetre here.
    EXPECT_NEAR(movedMm, errorMm, 1.0) << movedMm << " mm against " << errorMm;
    // Back to exact: the same route as before.
    combo("spiralCombo")->setCurrentIndex(0);
    EXPECT_DOUBLE_EQ(endStation(), exact->end().station);
    // 线元法 leaves the spiral choice out.
    chooseElements();
    EXPECT_FALSE(combo("spiralCombo")->isEnabled());
}

}  // namespace
}  // namespace tarvelo::uitest
