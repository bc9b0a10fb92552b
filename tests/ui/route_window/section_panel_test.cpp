// The cross sections in the route window: the 横断面 tab's table (typed,
// imported, undone), the drawing of the stake row's section, the edge
// stakes and the total-station columns of the stake table, the stakeout
// sheet, the pavement edges on the plan, and the one zoomable view the plan,
// the profile and the section share.
//
// Reference values worked by hand:
//  - K10+700 lies on JD1's circle (HY K10+652.698 to YH K11+091.317), where
//    examples/sections-example.csv holds left 3.75 m at +4 %, right 3.95 m
//    at -4 % (a right curve tilted down to the right). On the example
//    profile it is on the crest of K10+620 (R 12000, grades +2.8 % and
//    -1.9 %, T 282, the curve from K10+338): 362 m into the curve, on the
//    grade line 352.4 + 0.028·700 = 372.0, less 362²/24000 = 5.4601667, so
//    366.5398333. The left edge 3.75·0.04 = 0.15 higher (366.6898), the
//    right edge 3.95·0.04 = 0.158 lower (366.3818); the edges 3.75 m and
//    3.95 m square to the tangent azimuth α: X ∓ w·sin α, Y ± w·cos α.
//  - K12+500 lies on JD3's circle (a left curve): left 4.15 m at -6 %,
//    right 3.75 m at +6 %; K10+100 on the straight: -2 % both sides.
//  - The published stakeout example: station J (502.110, 496.225),
//    backsight K (746.202, 456.588), stake P (450.000, 560.000).
//    α(JK) = atan2(-39.637, 244.092) = 350°46ˊ35", α(JP) = atan2(63.775,
//    -52.110) = 129°15ˊ07", β = α(JP) - α(JK) + 360° = 138°28ˊ32",
//    D = √(52.110² + 63.775²) = 82.357 m.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGraphicsPathItem>
#include <QUndoStack>
#include <QWheelEvent>
#include <cmath>

#include "core/numbers/angles.h"
#include "core/files/cross_section_file.h"
#include "reports/gbk_text.h"
#include "reports/table_file.h"
#include "reports/text_file.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/profile/profile_view.h"
#include "ui/route_window/tables/section_cells.h"
#include "ui/route_window/sections/section_panel.h"
#include "ui/route_window/tables/section_table_model.h"
#include "ui/route_window/sections/section_view.h"
#include "ui/route_window/stakes/stake_section_model.h"
#include "ui/route_window/stakes/stakeout_panel.h"

namespace tarvelo::uitest {
namespace {

const QString kExampleRoute = QStringLiteral(TARVELO_SOURCE_DIR "/examples/route-example.csv");
const QString kExampleProfile = QStringLiteral(TARVELO_SOURCE_DIR "/examples/profile-example.csv");
const QString kExampleSections = QStringLiteral(TARVELO_SOURCE_DIR "/examples/sections-example.csv");

constexpr double kCoordTol = 0.00006;  // the table's 4 decimals, rounded
constexpr double kZTol = 0.0006;       // elevations to 3 decimals

// The example route as the engine builds it from its file.
Route ExampleRoute()
{
    const FileResult<std::string> text = ReadTableFileText(kExampleRoute);
    EXPECT_TRUE(text.ok());
    return RouteOfText(*text.value);
}

CrossSections ExampleSections()
{
    const FileResult<std::string> text = ReadTableFileText(kExampleSections);
    EXPECT_TRUE(text.ok());
    CrossSections::Built built = CrossSections::Build(ParseCrossSectionFile(*text.value).rows);
    EXPECT_TRUE(built.sections.has_value());
    return std::move(*built.sections);
}

class SectionPanelTest : public RouteWindowTest {
protected:
    SectionPanel* panel() { return child<SectionPanel>("sectionPanel"); }
    SectionView* view() { return child<SectionView>("sectionView"); }
    StakeSectionModel* stakes() { return qobject_cast<StakeSectionModel*>(model("stakeTable")); }

    void importWith(const char* action, const QString& path)
    {
        desktop.queueFileAnswer(path);
        trigger(action);
    }
    // The example route, profile and sections loaded.
    void loadExample(bool withProfile = true)
    {
        importWith("importAction", kExampleRoute);
        if (withProfile) importWith("importProfileAction", kExampleProfile);
        importWith("importSectionsAction", kExampleSections);
        ASSERT_TRUE(panel()->sections()) << child<QLabel>("sectionStatus")->text().toStdString();
    }
    void computeStakes(const QString& start, const QString& end, const QString& interval)
    {
        edit("startEdit")->setText(start);
        edit("endEdit")->setText(end);
        edit("intervalEdit")->setText(interval);
        press("stakeButton");
        ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    }
    // The stake table's column with this caption (-1: none).
    int column(const QString& caption)
    {
        QAbstractItemModel* m = model("stakeTable");
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == caption) return c;
        return -1;
    }
    double number(int row, const QString& caption)
    {
        const int c = column(caption);
        EXPECT_GE(c, 0) << caption.toStdString();
        return cell("stakeTable", row, c).toDouble();
    }
    void chooseStakeRow(int row)
    {
        table("stakeTable")->setCurrentIndex(model("stakeTable")->index(row, 0));
    }
};

TEST(SectionCells, EveryBadCellIsNamedAndGoodRowsReadWithTheirRowAsLine)
{
    using T = std::vector<SectionRowTexts>;
    const struct {
        const char* what;
        T texts;
        std::vector<std::pair<int, int>> bad;
    } cases[] = {
        {"empty table", {}, {}},
        {"K notation, metres, spaces", {{"K10+000", " 3.75 ", "3.75", "-2", "-2"}, {"10100.5", "4", "3.5", "6", "-6"}}, {}},
        {"missing cells", {{"0", "", "3", "-2", "-2"}, {"", "3", "3", "-2", ""}},
         {{0, kSectionLeftWidth}, {1, kSectionStation}, {1, kSectionRightSlope}}},
        {"letters and non-finite", {{"1O", "3", "inf", "-2", "x"}},
         {{0, kSectionStation}, {0, kSectionRightWidth}, {0, kSectionRightSlope}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SectionRowsRead read = ReadSectionRows(c.texts);
        ASSERT_EQ(read.problems.size(), c.bad.size());
        for (std::size_t i = 0; i < c.bad.size(); ++i) {
            EXPECT_EQ(read.problems[i].row, c.bad[i].first);
            EXPECT_EQ(read.problems[i].column, c.bad[i].second);
            EXPECT_NE(read.problems[i].message.find("第 " + std::to_string(c.bad[i].first + 1) + " 行"),
                      std::string::npos)
                << read.problems[i].message;
        }
        EXPECT_EQ(read.rows.size(), c.bad.empty() ? c.texts.size() : 0u);
    }
    const SectionRowsRead read = ReadSectionRows({{"K10+000", " 3.75 ", "3.95", "4", "-4"}, {"10100.5", "4", "3.5", "6", "-6"}});
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.rows[0].station, 10000);
    EXPECT_EQ(read.rows[0].rightWidth, 3.95);
    EXPECT_EQ(read.rows[0].leftSlope, 4);
    EXPECT_EQ(read.rows[1].line, 2);
    // Texts of rows read back to the same rows.
    const SectionRowsRead again = ReadSectionRows(SectionTextsOf(read.rows));
    ASSERT_EQ(again.rows.size(), 2u);
    EXPECT_EQ(again.rows[1].station, 10100.5);
    EXPECT_EQ(again.rows[1].rightSlope, -6);
    // A K-notation station a hair off its decimal shows its decimals; a
    // station that needs every digit keeps them.
    const CrossSectionRow k{12000 + 891.219, 4.15, 3.75, -6, 6, 0};
    const CrossSectionRow fine{100.00001234, 1, 1, -2, -2, 0};
    const std::vector<SectionRowTexts> shown = SectionTextsOf({k, fine});
    EXPECT_EQ(shown[0][kSectionStation], "12891.219");
    EXPECT_EQ(shown[1][kSectionStation], "100.00001234");
    EXPECT_EQ(ReadSectionRows(shown).rows[1].station, 100.00001234);
}

TEST(StakeoutTexts, EachSlipIsToldAndOnlyAWholeStationGivesASetup)
{
    const auto texts = [](QString x, QString y, QString bx, QString by, QString az, QString h = {},
                          QString ih = {}) {
        StakeoutTexts t;
        t.stationName = QStringLiteral("J");
        t.x = std::move(x);
        t.y = std::move(y);
        t.backsightX = std::move(bx);
        t.backsightY = std::move(by);
        t.backsightAzimuth = std::move(az);
        t.h = std::move(h);
        t.instrumentHeight = std::move(ih);
        return t;
    };
    const struct {
        const char* what;
        StakeoutTexts texts;
        bool setup;
        const char* said;  // a word of the message ("" for none)
    } cases[] = {
        {"nothing typed", texts({}, {}, {}, {}, {}), false, ""},
        {"only the backsight", texts({}, {}, QStringLiteral("1"), QStringLiteral("2"), {}), false, ""},
        {"station Y missing", texts(QStringLiteral("502.11"), {}, {}, {}, QStringLiteral("0")), false, "Y"},
        {"station X not a number", texts(QStringLiteral("5o2"), QStringLiteral("1"), {}, {}, {}), false, "测站X"},
        {"no backsight", texts(QStringLiteral("1"), QStringLiteral("2"), {}, {}, {}), false, "后视"},
        {"backsight half typed", texts(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), {}, {}), false, "后视"},
        {"point and azimuth", texts(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")), false, "后视"},
        {"backsight on the station", texts(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2"), {}), false, "后视"},
        {"height not a number", texts(QStringLiteral("1"), QStringLiteral("2"), {}, {}, QStringLiteral("0"), QStringLiteral("inf")), false, "测站高程"},
        {"a point", texts(QStringLiteral("502.110"), QStringLiteral("496.225"), QStringLiteral("746.202"), QStringLiteral("456.588"), {}), true, ""},
        {"an azimuth in d.mmss, heights", texts(QStringLiteral("1"), QStringLiteral("2"), {}, {}, QStringLiteral("350.4635"), QStringLiteral("100"), QStringLiteral("1.5")), true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const StakeoutTextsRead read = ReadStakeoutTexts(c.texts);
        EXPECT_EQ(read.setup.has_value(), c.setup);
        if (*c.said) EXPECT_TRUE(read.message.contains(QString::fromUtf8(c.said))) << read.message.toStdString();
        else EXPECT_TRUE(read.message.isEmpty()) << read.message.toStdString();
    }
    const StakeoutTextsRead az = ReadStakeoutTexts(cases[10].texts);
    ASSERT_TRUE(az.setup && az.setup->backsight.azimuth);
    EXPECT_NEAR(*az.setup->backsight.azimuth, 350 + 46 / 60.0 + 35 / 3600.0, 1e-9);
    EXPECT_EQ(az.setup->station.elevation, 100);
    EXPECT_EQ(az.setup->station.instrumentHeight, 1.5);
    EXPECT_EQ(az.setup->station.targetHeight, 0);
    EXPECT_EQ(az.setup->station.name, "J");
}

TEST_F(SectionPanelTest, EdgeStakesOnASuperelevatedCurveStandAtTheirWidthsAndElevations)
{
    loadExample();
    computeStakes(QStringLiteral("10700"), QStringLiteral("10720"), QStringLiteral("20"));
    ASSERT_EQ(model("stakeTable")->rowCount(), 2);
    const Route engine = ExampleRoute();
    const CentrelinePoint c = engine.PointAt(10700, 0, 90)->point;
    const double alpha = c.azimuth * kPi / 180;
    EXPECT_NEAR(number(0, QStringLiteral("左边桩X")), c.x + 3.75 * std::sin(alpha), kCoordTol);
    EXPECT_NEAR(number(0, QStringLiteral("左边桩Y")), c.y - 3.75 * std::cos(alpha), kCoordTol);
    EXPECT_NEAR(number(0, QStringLiteral("右边桩X")), c.x - 3.95 * std::sin(alpha), kCoordTol);
    EXPECT_NEAR(number(0, QStringLiteral("右边桩Y")), c.y + 3.95 * std::cos(alpha), kCoordTol);
    EXPECT_EQ(cell("stakeTable", 0, column(QStringLiteral("设计高程"))), QStringLiteral("366.540"));
    EXPECT_EQ(cell("stakeTable", 0, column(QStringLiteral("左边桩高程"))), QStringLiteral("366.690"));
    EXPECT_EQ(cell("stakeTable", 0, column(QStringLiteral("右边桩高程"))), QStringLiteral("366.382"));

    // The same row's section drawn: the edges' elevations and the slopes.
    chooseStakeRow(0);
    ASSERT_TRUE(view()->drawing());
    EXPECT_EQ(view()->drawing()->station, 10700);
    EXPECT_EQ(view()->elevationText(-1), QStringLiteral("366.690"));
    EXPECT_EQ(view()->elevationText(0), QStringLiteral("366.540"));
    EXPECT_EQ(view()->elevationText(1), QStringLiteral("366.382"));

    // Without sections the edge columns go; with them back they return,
    // and the chosen row stays chosen.
    chooseStakeRow(1);
    panel()->model()->replaceAll({}, QStringLiteral("test"));
    EXPECT_EQ(column(QStringLiteral("左边桩X")), -1);
    EXPECT_EQ(model("stakeTable")->columnCount(), 6);
    trigger("undoAction");
    EXPECT_GE(column(QStringLiteral("左边桩X")), 0);
    EXPECT_EQ(model("stakeTable")->columnCount(), 12);
    EXPECT_EQ(table("stakeTable")->currentIndex().row(), 1);
    // An edit of a section shows at once in the edge columns.
    SectionTableModel* m = panel()->model();
    ASSERT_TRUE(m->setData(m->index(3, kSectionLeftSlope), QStringLiteral("5"), Qt::EditRole));
    ASSERT_TRUE(m->setData(m->index(2, kSectionLeftSlope), QStringLiteral("5"), Qt::EditRole));
    EXPECT_EQ(cell("stakeTable", 0, column(QStringLiteral("左边桩高程"))), QStringLiteral("366.727"));  // + 3.75 · 0.05
    EXPECT_EQ(table("stakeTable")->currentIndex().row(), 1);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(SectionPanelTest, ASkewedStakeRowPutsItsEdgesOnTheSkewLine)
{
    loadExample();
    edit("skewEdit")->setText(QStringLiteral("60"));
    computeStakes(QStringLiteral("10100"), QStringLiteral("10100"), QStringLiteral("20"));
    const Route engine = ExampleRoute();
    // Along a 60° skew the 3.75 m half width is 3.75 / sin 60° away.
    const double m = 3.75 / std::sin(60 * kPi / 180);
    const CentrelinePoint left = engine.PointAt(10100, -m, 60)->point;
    EXPECT_NEAR(number(0, QStringLiteral("左边桩X")), left.x, kCoordTol);
    EXPECT_NEAR(number(0, QStringLiteral("左边桩Y")), left.y, kCoordTol);
    // Its distance square to the centreline is the half width.
    const CentrelinePoint c = engine.PointAt(10100, 0, 90)->point;
    const double a = c.azimuth * kPi / 180;
    EXPECT_NEAR(-(left.x - c.x) * std::sin(a) + (left.y - c.y) * std::cos(a), -3.75, 1e-6);
}

TEST_F(SectionPanelTest, SectionEditsUndoAndRedoAndRedrawAtOnce)
{
    loadExample(false);
    SectionTableModel* m = panel()->model();
    ASSERT_EQ(m->rowCount(), 22);
    panel()->showStation(10000);
    EXPECT_EQ(view()->drawing()->section.leftWidth, 3.75);
    ASSERT_TRUE(m->setData(m->index(0, kSectionLeftWidth), QStringLiteral("5.5"), Qt::EditRole));
    EXPECT_EQ(panel()->sections()->rows()[0].leftWidth, 5.5);
    EXPECT_EQ(view()->drawing()->section.leftWidth, 5.5);
    // Without a profile the drawing states heights above the centre.
    EXPECT_EQ(view()->elevationText(-1), QStringLiteral("-0.110"));
    trigger("undoAction");
    EXPECT_EQ(m->data(m->index(0, kSectionLeftWidth), Qt::DisplayRole).toString(), QStringLiteral("3.75"));
    EXPECT_EQ(view()->drawing()->section.leftWidth, 3.75);
    trigger("redoAction");
    EXPECT_EQ(m->data(m->index(0, kSectionLeftWidth), Qt::DisplayRole).toString(), QStringLiteral("5.5"));
    EXPECT_EQ(view()->drawing()->section.leftWidth, 5.5);

    // A bad cell and a station out of order are marked, and told in the status line.
    ASSERT_TRUE(m->setData(m->index(1, kSectionStation), QStringLiteral("9000"), Qt::EditRole));
    EXPECT_FALSE(panel()->sections());
    EXPECT_FALSE(view()->drawing());
    const QString status = child<QLabel>("sectionStatus")->text();
    EXPECT_TRUE(status.contains(QStringLiteral("第 2 行"))) << status.toStdString();
    EXPECT_TRUE(m->data(m->index(1, 0), Qt::BackgroundRole).isValid());
    ASSERT_TRUE(m->setData(m->index(2, kSectionLeftSlope), QStringLiteral("abc"), Qt::EditRole));
    EXPECT_TRUE(m->data(m->index(2, kSectionLeftSlope), Qt::ToolTipRole).toString().contains(QStringLiteral("abc")));
    trigger("undoAction");
    trigger("undoAction");
    EXPECT_TRUE(panel()->sections());
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(SectionPanelTest, TheDrawingFollowsTheChosenStakeRowAndTheTransition)
{
    loadExample();
    computeStakes(QStringLiteral("10000"), QStringLiteral("15191.07"), QStringLiteral("100"));
    const CrossSections engine = ExampleSections();
    const struct {
        double station;
        double leftWidth, rightWidth, leftSlope, rightSlope;
    } rows[] = {{12500, 4.15, 3.75, -6, 6}, {10100, 3.75, 3.75, -2, -2}, {10700, 3.75, 3.95, 4, -4}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.station);
        int row = -1;
        for (int i = 0; i < stakes()->rowCount(); ++i)
            if (stakes()->entry(i).station == r.station) row = i;
        ASSERT_GE(row, 0);
        chooseStakeRow(row);
        ASSERT_TRUE(view()->drawing());
        const Section& s = view()->drawing()->section;
        EXPECT_EQ(view()->drawing()->station, r.station);
        EXPECT_EQ(s.leftWidth, r.leftWidth);
        EXPECT_EQ(s.rightWidth, r.rightWidth);
        EXPECT_EQ(s.leftSlope, r.leftSlope);
        EXPECT_EQ(s.rightSlope, r.rightSlope);
        // The pavement line runs from the left edge through the centre.
        const QPainterPath path = view()->pavement()->path();
        ASSERT_EQ(path.elementCount(), 3);
        EXPECT_NEAR(path.elementAt(0).x, -r.leftWidth, 1e-12);
        EXPECT_NEAR(path.elementAt(0).y, view()->toScene(0, r.leftWidth * r.leftSlope / 100).y(), 1e-12);
        EXPECT_NEAR(path.elementAt(2).x, r.rightWidth, 1e-12);
    }
    // A run-in stake: K11+600 between K11+588.262 (-2/-2) and K11+648.262
    // (+5/-5) is a fifth of the way, t = 11.738/60.
    int row = -1;
    for (int i = 0; i < stakes()->rowCount(); ++i)
        if (stakes()->entry(i).station == 11600) row = i;
    ASSERT_GE(row, 0);
    chooseStakeRow(row);
    const double t = 11.738 / 60;
    EXPECT_NEAR(view()->drawing()->section.leftSlope, -2 + 7 * t, 1e-9);
    child<QComboBox>("transitionCombo")->setCurrentIndex(1);
    EXPECT_NEAR(view()->drawing()->section.leftSlope, -2 + 7 * (3 * t * t - 2 * t * t * t), 1e-9);
    EXPECT_EQ(stakes()->transition(), Transition::Cubic);
    EXPECT_NEAR(view()->drawing()->section.leftSlope,
                engine.SectionAt(11600, Transition::Cubic)->leftSlope, 1e-12);

    // The exaggeration switch stretches the heights tenfold and back.
    const double y10 = view()->pavement()->path().elementAt(0).y;
    child<QCheckBox>("exaggerationCheck")->setChecked(false);
    EXPECT_NEAR(view()->pavement()->path().elementAt(0).y, y10 / SectionView::kExaggeration, 1e-12);
    EXPECT_EQ(view()->exaggeration(), 1);
}

TEST_F(SectionPanelTest, NarrowHugeAndUnreachedSectionsDrawAtEveryZoom)
{
    const struct {
        const char* what;
        std::vector<SectionRowTexts> rows;
        double station;
    } cases[] = {
        {"no width", {{"0", "0", "0", "20", "-20"}, {"10", "0", "0", "-20", "20"}}, 5},
        {"one side only", {{"0", "0", "7.5", "0", "-2"}}, 0},
        {"a kilometre wide", {{"0", "1000", "1000", "20", "20"}, {"1e6", "1000", "1000", "20", "20"}}, 5e5},
        {"far stations", {{"1e15", "3.75", "3.75", "-2", "-2"}, {"1.000000000001e15", "3.75", "3.75", "-2", "-2"}}, 1e15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        panel()->model()->replaceAll(c.rows, QStringLiteral("test"));
        ASSERT_TRUE(panel()->sections()) << child<QLabel>("sectionStatus")->text().toStdString();
        panel()->showStation(c.station);
        ASSERT_TRUE(view()->drawing());
        for (double scale : {SectionView::kMinPixelsPerMetre, 1.0, SectionView::kMaxPixelsPerMetre}) {
            view()->setPixelsPerMetre(scale);
            EXPECT_FALSE(view()->grab().isNull());
        }
        view()->fit();
        EXPECT_GE(view()->pixelsPerMetre(), SectionView::kMinPixelsPerMetre);
        EXPECT_FALSE(view()->grab().isNull());
    }
    // A station the table does not reach: no drawing, the status says which.
    panel()->showStation(2e15);
    EXPECT_FALSE(view()->drawing());
    EXPECT_TRUE(child<QLabel>("sectionStatus")->text().contains(QStringLiteral("不在横断面表范围内")));
    panel()->showStation(std::nan(""));
    EXPECT_FALSE(view()->drawing());
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(SectionPanelTest, ThePlanShowsBothPavementEdgesWhileSectionsAreLoaded)
{
    importWith("importAction", kExampleRoute);
    PlanScene* scene = route->planView()->planScene();
    EXPECT_EQ(scene->pavementEdges(), nullptr);
    importWith("importSectionsAction", kExampleSections);
    ASSERT_NE(scene->pavementEdges(), nullptr);
    const QPainterPath edges = scene->pavementEdges()->path();
    const Route engine = ExampleRoute();
    // The left edge starts 3.75 m left of QD; two move-tos, one per edge.
    const CentrelinePoint start = engine.PointAt(10000, -3.75, 90)->point;
    const QPointF first = scene->frame().toScene(start.x, start.y);
    EXPECT_NEAR(edges.elementAt(0).x, first.x(), 1e-6);
    EXPECT_NEAR(edges.elementAt(0).y, first.y(), 1e-6);
    int moves = 0;
    for (int i = 0; i < edges.elementCount(); ++i) moves += edges.elementAt(i).isMoveTo();
    EXPECT_EQ(moves, 2);
    // An edit of the route keeps them; an empty table takes them away.
    typeCell(1, 4, QStringLiteral("820"));
    EXPECT_NE(scene->pavementEdges(), nullptr);
    panel()->model()->replaceAll({}, QStringLiteral("test"));
    EXPECT_EQ(scene->pavementEdges(), nullptr);
}

// A route whose start QD stands on the published example's stake P.
const char kRouteFromP[] = "QD,450,560,0\nJD1,1450,560,,300,0,0\nZD,1450,1560\n";

TEST_F(SectionPanelTest, StakeoutColumnsOfThePublishedExample)
{
    importText(kRouteFromP);
    computeStakes(QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("20"));
    EXPECT_EQ(column(QStringLiteral("水平角")), -1);
    child<QGroupBox>("stakeoutPanel")->setChecked(true);
    edit("instrumentX")->setText(QStringLiteral("502.110"));
    edit("instrumentY")->setText(QStringLiteral("496.225"));
    edit("backsightX")->setText(QStringLiteral("746.202"));
    EXPECT_EQ(column(QStringLiteral("水平角")), -1);  // the backsight is half typed
    EXPECT_FALSE(child<QLabel>("stakeoutStatus")->text().isEmpty());
    edit("backsightY")->setText(QStringLiteral("456.588"));
    EXPECT_TRUE(child<QLabel>("stakeoutStatus")->text().isEmpty());
    ASSERT_GE(column(QStringLiteral("水平角")), 0);
    EXPECT_EQ(cell("stakeTable", 0, column(QStringLiteral("水平角"))), QStringLiteral("138°28ˊ32\""));
    EXPECT_EQ(cell("stakeTable", 0, column(QStringLiteral("平距"))), QStringLiteral("82.357"));
    EXPECT_EQ(cell("stakeTable", 0, column(QStringLiteral("放样方位角"))), QStringLiteral("129°15ˊ7\""));
    EXPECT_EQ(column(QStringLiteral("高差")), -1);  // no station elevation

    // The backsight by its azimuth instead (350°46ˊ35", d.mmss): the angle
    // within the rounding of that azimuth to the second.
    edit("backsightX")->clear();
    edit("backsightY")->clear();
    edit("backsightAzimuth")->setText(QStringLiteral("350.4635"));
    const std::optional<StakeoutLine> line = stakes()->stakeoutLine(0);
    ASSERT_TRUE(line && line->angle);
    EXPECT_NEAR(*line->angle, DmsToDegrees(138.2832), 1.0 / 3600);

    // Heights: a level profile at 110 m, the station at 100 m, instrument
    // 1.5 m, prism 1.8 m: dh = 110 - (100 + 1.5 - 1.8) = +10.300.
    desktop.queueFileAnswer(writeFile(QStringLiteral("level.csv"), "0,110,\n2000,110,\n"));
    trigger("importProfileAction");
    edit("instrumentH")->setText(QStringLiteral("100"));
    edit("instrumentHeight")->setText(QStringLiteral("1.5"));
    edit("targetHeight")->setText(QStringLiteral("1.8"));
    ASSERT_GE(column(QStringLiteral("高差")), 0);
    EXPECT_EQ(cell("stakeTable", 0, column(QStringLiteral("高差"))), QStringLiteral("+10.300"));
    // A typing slip is told under the boxes and the columns go.
    edit("instrumentHeight")->setText(QStringLiteral("1.5m"));
    EXPECT_TRUE(child<QLabel>("stakeoutStatus")->text().contains(QStringLiteral("仪器高")));
    EXPECT_EQ(column(QStringLiteral("水平角")), -1);
    // Mended, then the group folded away: the columns go with it.
    edit("instrumentHeight")->setText(QStringLiteral("1.5"));
    EXPECT_GE(column(QStringLiteral("水平角")), 0);
    child<QGroupBox>("stakeoutPanel")->setChecked(false);
    EXPECT_EQ(column(QStringLiteral("水平角")), -1);
    EXPECT_FALSE(edit("instrumentX")->isVisible());
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(SectionPanelTest, TheStakeoutSheetHoldsEveryStakeAndItsEdges)
{
    loadExample();
    computeStakes(QStringLiteral("10700"), QStringLiteral("10720"), QStringLiteral("20"));
    // Asked before the station is typed: told, nothing written.
    const QString path = dir.filePath(QStringLiteral("放样.txt"));
    trigger("stakeoutReportAction");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_FALSE(QFile::exists(path));
    desktop.messages.clear();

    const Route engine = ExampleRoute();
    const CentrelinePoint c = engine.PointAt(10700, 0, 90)->point;
    // The station 30 m north of the stake, the backsight due north of it:
    // the stake straight behind, 180° turned, 30 m away.
    child<QGroupBox>("stakeoutPanel")->setChecked(true);
    edit("instrumentX")->setText(QString::number(c.x + 30, 'f', 6));
    edit("instrumentY")->setText(QString::number(c.y, 'f', 6));
    edit("backsightAzimuth")->setText(QStringLiteral("0"));
    desktop.queueFileAnswer(path);
    trigger("stakeoutReportAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const auto bytes = ReadFileBytes(path);
    ASSERT_TRUE(bytes.ok());
    const auto decoded = DecodeTextBytes(*bytes.value);
    ASSERT_TRUE(decoded.ok());
    const QString text = decoded.value->text;
    EXPECT_TRUE(text.contains(QStringLiteral("放样数据表")));
    EXPECT_TRUE(text.contains(QStringLiteral("K10+700.000左")));
    EXPECT_TRUE(text.contains(QStringLiteral("K10+720.000右")));
    EXPECT_TRUE(text.contains(QStringLiteral("180°0ˊ0\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("30.000")));
}

TEST_F(SectionPanelTest, SectionFileImportsExportsAndRefusesABadFile)
{
    loadExample(false);
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    desktop.queueFileAnswer(out);
    trigger("exportSectionsAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const FileResult<std::string> back = ReadTableFileText(out);
    ASSERT_TRUE(back.ok());
    const CrossSectionFileContent read = ParseCrossSectionFile(*back.value);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.rows.size(), 22u);
    EXPECT_EQ(read.rows[2].station, 10652.698);
    EXPECT_EQ(read.rows[2].rightWidth, 3.95);

    // A bad file is refused with its line, and the table keeps its rows.
    importWith("importSectionsAction", writeFile(QStringLiteral("bad.csv"), "0,3,3,-2,-2\n10,3,x,-2,-2\n"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(desktop.messages[0].text.indexOf(QStringLiteral("第 2 行")), -1)
        << desktop.messages[0].text.toStdString();
    EXPECT_EQ(panel()->model()->rowCount(), 22);
}

// The three drawings share one view: fit shows the drawing, the wheel zooms
// about the cursor, the zoom stays in its range, Home fits again and each
// saves as PNG, SVG and PDF.
TEST_F(SectionPanelTest, PlanProfileAndSectionZoomFitAndSaveAlike)
{
    loadExample();
    route->profilePanel()->view()->fit();
    ZoomView* views[] = {route->planView(), route->profilePanel()->view(), view()};
    QTabWidget* tabs = child<QTabWidget>("viewTabs");
    for (int i = 0; i < 3; ++i) {
        ZoomView* v = views[i];
        SCOPED_TRACE(v->objectName().toStdString());
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        v->fit();
        const double fitted = v->pixelsPerMetre();
        EXPECT_GT(fitted, v->limits().minPixelsPerMetre);
        // Wheel: two notches in, about the cursor.
        const QPoint cursor(v->viewport()->width() / 3, v->viewport()->height() / 4);
        const QPointF under = v->mapToScene(cursor);
        QWheelEvent wheel(cursor, v->viewport()->mapToGlobal(cursor), QPoint(), QPoint(0, 240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(v->viewport(), &wheel);
        EXPECT_NEAR(v->pixelsPerMetre(), fitted * 1.5625, fitted * 1e-9);
        const QPointF after = v->mapFromScene(under);
        EXPECT_NEAR(after.x(), cursor.x(), 1.0);
        EXPECT_NEAR(after.y(), cursor.y(), 1.0);
        v->setPixelsPerMetre(1e12);
        EXPECT_EQ(v->pixelsPerMetre(), v->limits().maxPixelsPerMetre);
        v->setPixelsPerMetre(0);
        EXPECT_EQ(v->pixelsPerMetre(), v->limits().minPixelsPerMetre);
        // Home fits again.
        v->setFocus();
        QTest::keyClick(v, Qt::Key_Home);
        EXPECT_DOUBLE_EQ(v->pixelsPerMetre(), fitted);
        // Pictures in the three formats.
        const struct {
            const char* suffix;
            QByteArray magic;
        } formats[] = {{"png", QByteArray("\x89PNG")}, {"svg", QByteArray("<?xml")}, {"pdf", QByteArray("%PDF-")}};
        for (const auto& f : formats) {
            const QString path = dir.filePath(QStringLiteral("view%1.%2").arg(i).arg(QString::fromLatin1(f.suffix)));
            QString error;
            ASSERT_EQ(SaveViewPicture(*v, path, &error), path) << error.toStdString();
            const auto bytes = ReadFileBytes(path);
            ASSERT_TRUE(bytes.ok());
            EXPECT_TRUE(bytes.value->startsWith(f.magic)) << f.suffix;
        }
    }
    // The section's own command, through the dialog.
    const QString picture = dir.filePath(QStringLiteral("section"));
    desktop.queueFileAnswer(picture);
    trigger("sectionPictureAction");
    EXPECT_TRUE(QFile::exists(picture + QStringLiteral(".png")));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

}  // namespace
}  // namespace tarvelo::uitest

namespace tarvelo::uitest {
namespace {

// A CSV line's fields (none of the fields tested holds a comma).
QStringList CsvFields(const QString& line)
{
    QStringList fields = line.split(u',');
    for (QString& f : fields)
        if (f.startsWith(u'"') && f.endsWith(u'"')) f = f.mid(1, f.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return fields;
}

TEST_F(SectionPanelTest, StakeFilesCarryTheEdgeStakesAndTheStakeoutColumns)
{
    loadExample();
    computeStakes(QStringLiteral("10700"), QStringLiteral("10720"), QStringLiteral("20"));
    const CentrelinePoint c = ExampleRoute().PointAt(10700, 0, 90)->point;
    child<QGroupBox>("stakeoutPanel")->setChecked(true);
    edit("instrumentX")->setText(QString::number(c.x + 30, 'f', 6));
    edit("instrumentY")->setText(QString::number(c.y, 'f', 6));
    edit("backsightAzimuth")->setText(QStringLiteral("0"));

    const QString csv = dir.filePath(QStringLiteral("stakes.csv"));
    desktop.queueFileAnswer(csv);
    trigger("exportCsvAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const auto csvBytes = ReadFileBytes(csv);
    ASSERT_TRUE(csvBytes.ok());
    ASSERT_TRUE(csvBytes.value->startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csvBytes.value->mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    const QStringList head = CsvFields(lines[0]);
    const QStringList first = CsvFields(lines[1]);
    ASSERT_EQ(first.size(), head.size()) << lines[1].toStdString();
    const auto field = [&](const char* caption) {
        const int i = head.indexOf(QString::fromUtf8(caption));
        EXPECT_GE(i, 0) << caption;
        return i >= 0 ? first[i] : QString();
    };
    EXPECT_EQ(field("高程"), QStringLiteral("366.540"));
    EXPECT_EQ(field("左边桩高程"), QStringLiteral("366.690"));
    EXPECT_EQ(field("右边桩高程"), QStringLiteral("366.382"));
    EXPECT_EQ(field("水平角"), QStringLiteral("180°0ˊ0\""));
    EXPECT_EQ(field("平距"), QStringLiteral("30.000"));
    EXPECT_EQ(head.indexOf(QStringLiteral("高差")), -1);  // the station has no heights
    // The edges as the table shows them.
    EXPECT_EQ(field("左边桩X"), cell("stakeTable", 0, column(QStringLiteral("左边桩X"))));
    EXPECT_EQ(field("右边桩Y"), cell("stakeTable", 0, column(QStringLiteral("右边桩Y"))));

    // CASS: each stake followed by its edges as points of their own.
    const QString cass = dir.filePath(QStringLiteral("stakes.dat"));
    desktop.queueFileAnswer(cass);
    trigger("exportCassAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const auto cassBytes = ReadFileBytes(cass);
    ASSERT_TRUE(cassBytes.ok());
    const auto decoded = DecodeTextBytes(*cassBytes.value);
    ASSERT_TRUE(decoded.ok());
    const QStringList points = decoded.value->text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(points.size(), 6);
    EXPECT_TRUE(points[0].startsWith(QStringLiteral("K10+700.000,,")));
    EXPECT_EQ(CsvFields(points[1]), (QStringList{QStringLiteral("K10+700.000左"), QString(),
                                                 cell("stakeTable", 0, column(QStringLiteral("左边桩Y"))),
                                                 cell("stakeTable", 0, column(QStringLiteral("左边桩X"))),
                                                 QStringLiteral("366.690")}));
    EXPECT_TRUE(points[5].startsWith(QStringLiteral("K10+720.000右,,")));
}

}  // namespace
}  // namespace tarvelo::uitest
