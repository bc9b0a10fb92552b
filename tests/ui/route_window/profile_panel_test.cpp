// The grade-point table and the profile drawing of the route window, on
// their own: the example profile imported through the dialog seam, edits
// that redraw at once, bad cells and refused profiles told without a box,
// paste and undo, the profile file and the vertical-curve table written.
//
// Reference values of the example profile (examples/profile-example.csv),
// worked by hand from its grade points:
//   grades  i0 = 17.36/620 = +2.8 %, i1 = −17.48/920 = −1.9 %,
//           i2 = 20.40/1360 = +1.5 %, i3 = −9.60/1200 = −0.8 %,
//           i4 = 13.20/1100 = +1.2 %;
//   K10+620 (R 12000): ω = −0.047, Lv = 564, T = 282, E = 282²/24000 = 3.3135,
//           the curve from K10+338 (on the grade line 369.76 − 0.028·282 =
//           361.864) to K10+902, its middle 369.76 − 3.3135 = 366.4465.

#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QFile>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>

#include <memory>

#include "core/files/profile_file.h"
#include "reports/gbk_text.h"
#include "reports/profile_report.h"
#include "reports/text_file.h"
#include "tests/ui/support/fake_ui_services.h"
#include "tests/ui/support/widget_test.h"
#include "ui/route_window/tables/profile_cells.h"
#include "ui/route_window/profile/profile_document.h"
#include "ui/route_window/profile/profile_label.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/tables/profile_table_model.h"
#include "ui/route_window/profile/profile_view.h"

namespace tarvelo::uitest {
namespace {

const QString kExampleProfile = QStringLiteral(TARVELO_SOURCE_DIR "/examples/profile-example.csv");

// Scene y is −10 × elevation: elevations compared in metres to 1e-9 m
// become 1e-8 scene units.
constexpr double kSceneTol = 1e-8;

QColor Background(const QVariant& v) { return v.value<QBrush>().color(); }

TEST(ProfileCells, EveryBadCellIsNamedAndOnlyGoodTablesGivePoints)
{
    using T = std::vector<ProfileRowTexts>;
    const struct {
        const char* what;
        T texts;
        std::vector<std::pair<int, int>> bad;  // (row, column) of each problem
    } cases[] = {
        {"empty table", {}, {}},
        {"K notation, metres, spaces", {{"K4+800", " 416.18 ", ""}, {"5030", "427.68", "2000"}, {"5+300", "416.88", ""}}, {}},
        {"R on an end", {{"0", "1", "5"}, {"10", "2", ""}}, {{0, kProfileR}}},
        {"R missing between", {{"0", "1", ""}, {"10", "2", ""}, {"20", "1", ""}}, {{1, kProfileR}}},
        {"letters and non-finite", {{"1O", "1", ""}, {"10", "inf", "x"}, {"20", "", ""}},
         {{0, kProfileStation}, {1, kProfileElevation}, {1, kProfileR}, {2, kProfileElevation}}},
        {"K metres of 1000", {{"K1+000", "1", ""}, {"K1+1000", "2", ""}}, {{1, kProfileStation}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ProfileRowsRead read = ReadProfileRows(c.texts);
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
    // The good table's values and lines (rows counted from 1).
    const ProfileRowsRead read =
        ReadProfileRows({{"K4+800", " 416.18 ", ""}, {"5030", "427.68", "2000"}, {"5300", "416.88", ""}});
    ASSERT_EQ(read.rows.size(), 3u);
    EXPECT_EQ(read.rows[0].station, 4800);
    EXPECT_EQ(read.rows[0].elevation, 416.18);
    EXPECT_FALSE(read.rows[0].R);
    EXPECT_EQ(read.rows[1].R, 2000);
    EXPECT_EQ(read.rows[1].line, 2);
}

class ProfilePanelTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        panel = std::make_unique<ProfilePanel>(desktop, &undo, folder);
        panel->resize(1100, 420);
        showAndActivate(panel.get());
    }
    void TearDown() override
    {
        panel.reset();
        WidgetTest::TearDown();
    }

    ProfileTableModel* model() const { return panel->document()->table(); }
    ProfileScene* scene() const { return panel->view()->profileScene(); }
    QString cell(int row, int column) const { return model()->data(model()->index(row, column), Qt::DisplayRole).toString(); }
    QVariant role(int row, int column, int r) const { return model()->data(model()->index(row, column), r); }
    void type(int row, int column, const QString& text)
    {
        ASSERT_TRUE(model()->setData(model()->index(row, column), text, Qt::EditRole));
    }
    QString status() const { return panel->statusLabel()->text(); }
    QAction* action(const char* name) const
    {
        return findChildByName<QAction>(panel.get(), QString::fromLatin1(name));
    }
    void importFile(const QString& path)
    {
        desktop.queueFileAnswer(path);
        action("importProfileAction")->trigger();
    }
    std::string messageTexts() const
    {
        std::string all;
        for (const auto& m : desktop.messages) all += m.text.toStdString() + "\n";
        return all;
    }

    FakeUiServices desktop;
    QTemporaryDir dir;
    QUndoStack undo;
    QString folder;
    std::unique_ptr<ProfilePanel> panel;
};

TEST_F(ProfilePanelTest, ExampleProfileImportsIntoTableDrawingAndStatus)
{
    importFile(kExampleProfile);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].kind, DialogKind::Open);
    EXPECT_EQ(desktop.dialogs[0].filters,
              QStringList({QStringLiteral("纵断面文件(*.csv *.txt *.xlsx)"), QStringLiteral("Excel工作簿(*.xlsx)"),
                           QStringLiteral("所有文件(*.*)")}));
    ASSERT_EQ(model()->rowCount(), 6);
    EXPECT_EQ(cell(0, kProfileStation), QStringLiteral("10000"));
    EXPECT_EQ(cell(0, kProfileElevation), QStringLiteral("352.4"));
    EXPECT_EQ(cell(0, kProfileR), QString());
    EXPECT_EQ(cell(1, kProfileR), QStringLiteral("12000"));
    EXPECT_EQ(cell(5, kProfileStation), QStringLiteral("15200"));
    EXPECT_TRUE(status().contains(QStringLiteral("K10+000.000 — K15+200.000，变坡点 6 个，竖曲线 4 个")))
        << status().toStdString();

    // One item per grade line and per curve, a label per grade point and per line.
    ASSERT_EQ(scene()->gradeLines().size(), 5u);
    ASSERT_EQ(scene()->curveItems().size(), 4u);
    ASSERT_EQ(scene()->pointLabels().size(), 6u);
    ASSERT_EQ(scene()->gradeLabels().size(), 5u);
    const char* grades[] = {"+2.800%", "-1.900%", "+1.500%", "-0.800%", "+1.200%"};
    const char* lengths[] = {"L=620.000", "L=920.000", "L=1360.000", "L=1200.000", "L=1100.000"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(scene()->gradeLabels()[k]->lines(),
                  QStringList({QString::fromUtf8(grades[k]), QString::fromUtf8(lengths[k])}));
    }
    const QLineF first = scene()->gradeLines()[0]->line();
    EXPECT_NEAR(first.x1(), 10000, kSceneTol);
    EXPECT_NEAR(first.y1(), -3524.0, kSceneTol);  // 352.4 m, 10× up
    EXPECT_NEAR(first.x2(), 10620, kSceneTol);
    EXPECT_NEAR(first.y2(), -3697.6, kSceneTol);

    const QStringList crest = scene()->pointLabels()[1]->lines();
    ASSERT_EQ(crest.size(), 5);
    EXPECT_EQ(crest.mid(0, 4), QStringList({QStringLiteral("K10+620.000"), QStringLiteral("H=369.760"),
                                            QStringLiteral("R=12000"), QStringLiteral("T=282.000")}));
    ASSERT_TRUE(crest[4].startsWith(QStringLiteral("E=")));
    EXPECT_NEAR(crest[4].mid(2).toDouble(), 3.3135, 5e-4 + 1e-9);  // shown to 3 decimals
    EXPECT_EQ(scene()->pointLabels()[0]->lines(),
              QStringList({QStringLiteral("K10+000.000"), QStringLiteral("H=352.400")}));

    // The crest's parabola: from its start on the grade line, through the
    // crest's middle E below the grade point, to its end.
    const QPainterPath path = scene()->curveItems()[0]->path();
    ASSERT_EQ(path.elementCount(), ProfileScene::kCurveSamples + 1);
    EXPECT_NEAR(path.elementAt(0).x, 10338, 1e-9);
    EXPECT_NEAR(path.elementAt(0).y, -3618.64, 1e-7);
    EXPECT_NEAR(path.elementAt(ProfileScene::kCurveSamples / 2).x, 10620, 1e-9);
    EXPECT_NEAR(path.elementAt(ProfileScene::kCurveSamples / 2).y, -3664.465, 1e-7);
    EXPECT_NEAR(path.elementAt(ProfileScene::kCurveSamples).x, 10902, 1e-9);
}

TEST_F(ProfilePanelTest, LabelsKeepTheirSizeOnScreenAtEveryZoomAndTheViewZoomsAboutTheCursor)
{
    importFile(kExampleProfile);
    ProfileView* view = panel->view();
    ProfileLabel* label = scene()->pointLabels()[1];
    EXPECT_TRUE(label->flags() & QGraphicsItem::ItemIgnoresTransformations);
    const auto onScreen = [&] {
        return label->deviceTransform(view->viewportTransform()).mapRect(label->boundingRect()).size();
    };
    view->setPixelsPerMetre(0.05);
    const QSizeF far = onScreen();
    view->setPixelsPerMetre(20);
    EXPECT_EQ(onScreen(), far);

    // Labels that would overlap are hidden, the grade points between the
    // ends kept first; zooming in brings them all back.
    const auto visibleBoxes = [&] {
        std::vector<QRectF> boxes;
        std::vector<ProfileLabel*> all = scene()->pointLabels();
        all.insert(all.end(), scene()->gradeLabels().begin(), scene()->gradeLabels().end());
        for (ProfileLabel* l : all)
            if (l->isVisible()) boxes.push_back(l->deviceTransform(view->viewportTransform()).mapRect(l->boxRect()));
        return boxes;
    };
    for (double scale : {0.005, 0.02, 0.05, 0.1, 0.25, 1.0}) {
        SCOPED_TRACE(scale);
        view->setPixelsPerMetre(scale);
        const std::vector<QRectF> boxes = visibleBoxes();
        ASSERT_FALSE(boxes.empty());
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t j = i + 1; j < boxes.size(); ++j) EXPECT_FALSE(boxes[i].intersects(boxes[j]));
        EXPECT_TRUE(scene()->pointLabels()[1]->isVisible());
    }
    view->setPixelsPerMetre(0.02);  // 5.2 km in about 100 px
    EXPECT_LT(visibleBoxes().size(), 11u);
    view->setPixelsPerMetre(0.25);  // the example's labels stand apart from here on
    EXPECT_EQ(visibleBoxes().size(), 11u);

    // Fit shows every grade point inside the view.
    view->fit();
    for (const GradePointInput& p : panel->profile()->points()) {
        const QPoint at = view->mapFromScene(ProfileScene::ToScene(p.station, p.elevation));
        EXPECT_TRUE(view->viewport()->rect().contains(at)) << p.station;
    }
    // The zoom is clamped to its range.
    view->setPixelsPerMetre(1e9);
    EXPECT_EQ(view->pixelsPerMetre(), ProfileView::kMaxPixelsPerMetre);
    view->setPixelsPerMetre(0);
    EXPECT_EQ(view->pixelsPerMetre(), ProfileView::kMinPixelsPerMetre);
}

TEST_F(ProfilePanelTest, FarTinyAndHugeProfilesDrawAndPaintAtEveryZoom)
{
    const struct {
        const char* what;
        std::vector<ProfileRowTexts> rows;
    } cases[] = {
        // Stations of 10^17 m, where doubles are 16 m apart: a grid that
        // stepped by adding 2 m would never move.
        {"far", {{"100000000000000000", "100", ""}, {"100000000000001024", "110", "5000"}, {"100000000000002048", "100", ""}}},
        {"millimetres", {{"0", "0", ""}, {"0.001", "0.001", "0.0001"}, {"0.002", "0", ""}}},
        {"below sea level", {{"-500", "-120.5", ""}, {"0", "-100", "3000"}, {"400", "-130", ""}}},
        {"huge grades", {{"0", "1e12", ""}, {"1", "-1e12", "1e-300"}, {"2", "1e12", ""}}},
    };
    ProfileView* view = panel->view();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        model()->replaceAll(c.rows, QStringLiteral("test"));
        ASSERT_TRUE(panel->profile()) << status().toStdString();
        EXPECT_EQ(scene()->gradeLines().size(), 2u);
        EXPECT_EQ(scene()->pointLabels().size(), 3u);
        for (double scale : {ProfileView::kMinPixelsPerMetre, 1.0, ProfileView::kMaxPixelsPerMetre}) {
            view->setPixelsPerMetre(scale);
            EXPECT_FALSE(view->grab().isNull());  // paints grid, texts and items
        }
        view->fit();
        EXPECT_FALSE(view->grab().isNull());
    }
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(ProfilePanelTest, EveryEditRedrawsAtOnce)
{
    importFile(kExampleProfile);
    type(1, kProfileR, QStringLiteral("6000"));  // T = 6000·0.047/2
    EXPECT_EQ(scene()->pointLabels()[1]->lines()[3], QStringLiteral("T=141.000"));
    type(1, kProfileElevation, QStringLiteral("379.76"));  // i0 = 27.36/620
    EXPECT_EQ(scene()->gradeLabels()[0]->lines()[0], QStringLiteral("+4.413%"));
    type(2, kProfileStation, QStringLiteral("K11+600"));  // K notation in the table too
    EXPECT_EQ(scene()->pointLabels()[2]->lines()[0], QStringLiteral("K11+600.000"));
    EXPECT_EQ(panel->profile()->points()[2].station, 11600);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(ProfilePanelTest, BadCellsAndRefusedProfilesAreMarkedAndToldInTheStatusWithoutABox)
{
    importFile(kExampleProfile);
    const QColor normal = Background(role(2, kProfileElevation, Qt::BackgroundRole));
    type(2, kProfileElevation, QStringLiteral("35O.28"));  // a letter O for a zero
    const QColor marked = Background(role(2, kProfileElevation, Qt::BackgroundRole));
    EXPECT_NE(marked, normal);
    const QString tip = role(2, kProfileElevation, Qt::ToolTipRole).toString();
    EXPECT_TRUE(tip.contains(QStringLiteral("第 3 行")) && tip.contains(QStringLiteral("35O.28")))
        << tip.toStdString();
    EXPECT_TRUE(status().contains(QStringLiteral("不是数"))) << status().toStdString();
    EXPECT_TRUE(panel->document()->hasError());
    EXPECT_FALSE(panel->profile());
    EXPECT_TRUE(scene()->gradeLines().empty());  // nothing drawn that is no longer true
    type(2, kProfileElevation, QStringLiteral("352.28"));
    ASSERT_TRUE(panel->profile());

    // Refused profiles: the status names the row, the row is highlighted.
    const struct {
        int row, column;
        const char* text;
        int named;  // the row the profile names, from 0
        const char* says;
    } cases[] = {
        // T = 40000·0.047/2 = 940: the curve would start at K9+680, before the profile.
        {1, kProfileR, "40000", 1, "起点"},
        // T = 40000·0.034/2 = 680: starts at K10+860, inside K10+620's curve (to K10+902).
        {2, kProfileR, "40000", 2, "重叠"},
        // Not after the row before.
        {3, kProfileStation, "11500", 3, "桩号"},
        // R 0 between the ends.
        {4, kProfileR, "0", 4, "R"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString before = cell(c.row, c.column);
        type(c.row, c.column, QString::fromUtf8(c.text));
        EXPECT_FALSE(panel->profile());
        EXPECT_TRUE(status().contains(QStringLiteral("第 %1 行").arg(c.named + 1))) << status().toStdString();
        EXPECT_TRUE(status().contains(QString::fromUtf8(c.says))) << status().toStdString();
        EXPECT_NE(Background(role(c.named, kProfileStation, Qt::BackgroundRole)), normal);
        EXPECT_EQ(role(c.named, kProfileStation, Qt::ToolTipRole).toString(),
                  status().mid(status().indexOf(QStringLiteral("第"))));
        type(c.row, c.column, before);
        ASSERT_TRUE(panel->profile()) << status().toStdString();
        EXPECT_EQ(Background(role(c.named, kProfileStation, Qt::BackgroundRole)), normal);
    }
    // An empty row inserted is two missing values, not a crash.
    model()->insertEmptyRows(3, 1);
    EXPECT_TRUE(status().contains(QStringLiteral("缺少数值"))) << status().toStdString();
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(ProfilePanelTest, SpreadsheetBlockPastesAndEveryStepUndoes)
{
    QApplication::clipboard()->setText(QStringLiteral(
        "K10+000\t352.400\t\nK10+620\t369.760\t12000\r\nK11+540\t352.280\t8000\n"
        "K12+900\t372.680\t15000\nK14+100\t363.080\t10000\nK15+200\t376.280\t\n"));
    action("profilePasteAction")->trigger();
    ASSERT_EQ(model()->rowCount(), 6);
    ASSERT_TRUE(panel->profile()) << status().toStdString();
    EXPECT_EQ(panel->profile()->curves().size(), 4u);
    EXPECT_EQ(cell(3, kProfileStation), QStringLiteral("K12+900"));  // kept as typed

    // Two radii pasted over rows 2 and 3 from the R cell down: one step.
    panel->table()->setCurrentIndex(model()->index(1, kProfileR));
    QApplication::clipboard()->setText(QStringLiteral("6000\n4000"));
    action("profilePasteAction")->trigger();
    EXPECT_EQ(cell(1, kProfileR), QStringLiteral("6000"));
    EXPECT_EQ(cell(2, kProfileR), QStringLiteral("4000"));
    undo.undo();
    EXPECT_EQ(cell(1, kProfileR), QStringLiteral("12000"));
    EXPECT_EQ(cell(2, kProfileR), QStringLiteral("8000"));

    // Delete two rows, one step; undo brings both back, redo removes them.
    model()->removeRowSet({4, 2});
    EXPECT_EQ(model()->rowCount(), 4);
    EXPECT_EQ(cell(2, kProfileStation), QStringLiteral("K12+900"));
    undo.undo();
    ASSERT_EQ(model()->rowCount(), 6);
    EXPECT_EQ(cell(2, kProfileStation), QStringLiteral("K11+540"));
    EXPECT_EQ(cell(4, kProfileStation), QStringLiteral("K14+100"));
    undo.redo();
    EXPECT_EQ(model()->rowCount(), 4);
    undo.undo();

    // Back to the empty table: no profile, no error, nothing drawn.
    undo.undo();
    EXPECT_EQ(model()->rowCount(), 0);
    EXPECT_FALSE(panel->profile());
    EXPECT_FALSE(panel->document()->hasError());
    EXPECT_TRUE(scene()->gradeLines().empty());
    undo.redo();
    EXPECT_EQ(model()->rowCount(), 6);
    EXPECT_TRUE(panel->profile());
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(ProfilePanelTest, ExportedFileIsUtf8WithMarkAndCrLfAndReadsBackToTheSameProfile)
{
    importFile(kExampleProfile);
    const QString out = dir.filePath(QStringLiteral("exported.csv"));
    desktop.queueFileAnswer(out);
    action("exportProfileAction")->trigger();
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_EQ(desktop.dialogs.size(), 2u);
    EXPECT_EQ(desktop.dialogs[1].kind, DialogKind::Save);
    EXPECT_EQ(desktop.dialogs[1].filters, desktop.dialogs[0].filters);
    // Started in the folder of the file imported before.
    EXPECT_TRUE(desktop.dialogs[1].currentName.startsWith(QStringLiteral(TARVELO_SOURCE_DIR "/examples")))
        << desktop.dialogs[1].currentName.toStdString();

    const auto bytes = ReadFileBytes(out);
    ASSERT_TRUE(bytes.ok());
    ASSERT_TRUE(bytes.value->startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.value->count("\n"), bytes.value->count("\r\n"));
    EXPECT_EQ(bytes.value->count("\r\n"), 7);  // header and six points

    QFile original(kExampleProfile);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const ProfileFileContent want = ParseProfileFile(original.readAll().toStdString());
    const ProfileFileContent got = ParseProfileFile(bytes.value->mid(3).toStdString());
    ASSERT_TRUE(want.ok() && got.ok());
    ASSERT_EQ(got.points.size(), want.points.size());
    for (std::size_t i = 0; i < want.points.size(); ++i) {
        EXPECT_EQ(got.points[i].station, want.points[i].station);
        EXPECT_EQ(got.points[i].elevation, want.points[i].elevation);
        EXPECT_EQ(got.points[i].R, want.points[i].R);
    }

    // Changed, then the exported file imported again: the table as it was.
    const auto shown = model()->texts();
    type(1, kProfileR, QStringLiteral("9000"));
    importFile(out);
    EXPECT_EQ(model()->texts(), shown);
}

TEST_F(ProfilePanelTest, CurveTableReportIsTheGbkReportOfTheProfileShown)
{
    importFile(kExampleProfile);
    const QString out = dir.filePath(QStringLiteral("竖曲线.txt"));
    desktop.queueFileAnswer(out);
    action("profileReportAction")->trigger();
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(desktop.dialogs.back().currentName.section(u'/', -1), QStringLiteral("竖曲线要素表.txt"));
    const auto bytes = ReadFileBytes(out);
    ASSERT_TRUE(bytes.ok());
    const auto gbk = EncodeGbk(ProfileCurveTableReport(*panel->profile()));
    ASSERT_TRUE(gbk.ok());
    EXPECT_EQ(*bytes.value, *gbk.value);

    // A table that is not a profile: told why, and no file asked for.
    type(1, kProfileR, QString());
    desktop.reset();
    action("profileReportAction")->trigger();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("第 2 行"))) << messageTexts();
    EXPECT_TRUE(desktop.dialogs.empty());
}

TEST_F(ProfilePanelTest, BadProfileFileListsItsLinesAndLeavesTheTableAsItWas)
{
    importFile(kExampleProfile);
    const auto shown = model()->texts();
    const QString bad = dir.filePath(QStringLiteral("bad.csv"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("桩号,高程,R\nK10+000,abc,\nK10+500,360,oops\nK11+000,355,\n");
    f.close();
    desktop.reset();
    importFile(bad);
    ASSERT_EQ(desktop.messages.size(), 1u);
    const QString text = desktop.messages[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("第 2 行")) && text.contains(QStringLiteral("第 3 行")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("未导入")));
    EXPECT_EQ(model()->texts(), shown);
}

}  // namespace
}  // namespace tarvelo::uitest
