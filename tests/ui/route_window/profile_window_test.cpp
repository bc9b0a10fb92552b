// The profile in the route window: its file commands in the 文件 menu, its
// table and drawing beside the plan, its status in the status bar, its
// edits on the window's undo stack, the design elevation in the stake
// table and in the inverse box.
//
// Hand-worked elevations on the example profile (see profile_panel_test.cpp):
// K11+000 lies on the grade line from K10+620 (369.76 m, −1.9 %) between
// the curves ending at K10+902 and starting at K11+404, so its elevation is
// 369.76 − 0.019·380 = 362.540; K10+000 is the start, 352.400.

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include "compute/route_text.h"
#include "core/numbers/number_text.h"
#include "core/files/profile_file.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/tables/profile_cells.h"
#include "ui/route_window/profile/profile_document.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/tables/profile_table_model.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/profile/profile_view.h"
#include "ui/route_window/stakes/stake_elevation_model.h"

namespace tarvelo::uitest {
namespace {

const QString kExampleProfile = QStringLiteral(TARVELO_SOURCE_DIR "/examples/profile-example.csv");

// The example profile as the engine builds it from the file, no window involved.
Profile ExampleProfile()
{
    QFile f(kExampleProfile);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const ProfileFileContent read = ParseProfileFile(f.readAll().toStdString());
    EXPECT_TRUE(read.ok());
    Profile::Built built = Profile::Build(read.points);
    EXPECT_TRUE(built.profile.has_value());
    return std::move(*built.profile);
}

class ProfileWindow : public RouteWindowTest {
protected:
    void importProfile(const QString& path = kExampleProfile)
    {
        desktop.queueFileAnswer(path);
        trigger("importProfileAction");
    }
    ProfileTableModel* profileModel() { return route->profilePanel()->document()->table(); }
    const StakeElevationModel& stakes()
    {
        return *qobject_cast<StakeElevationModel*>(model("stakeTable"));
    }
};

TEST_F(ProfileWindow, FileMenuHoldsTheProfileCommandsAndTheProfileIsATabBesideThePlan)
{
    QStringList captions;
    for (QAction* a : child<QMenu>("fileMenu")->actions()) captions << a->text();
    for (const char* c : {"导入纵断面…", "导出纵断面…", "保存竖曲线要素表…"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c))) << c;
    // Before 关闭, after the route's own commands.
    EXPECT_LT(captions.indexOf(QStringLiteral("保存平面图…")), captions.indexOf(QStringLiteral("导入纵断面…")));
    EXPECT_LT(captions.indexOf(QStringLiteral("保存竖曲线要素表…")), captions.indexOf(QStringLiteral("关闭")));

    auto* tabs = child<QTabWidget>("viewTabs");
    EXPECT_EQ(tabs->currentWidget(), route->planView());  // the plan first, as before
    tabs->setCurrentWidget(route->profilePanel());
    EXPECT_TRUE(table("profileTable")->isVisible());
    EXPECT_TRUE(child<ProfileView>("profileView")->isVisible());

    importProfile();
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(table("profileTable")->model()->rowCount(), 6);
    const QString shown = child<QLabel>("profileStatus")->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("竖曲线 4 个"))) << shown.toStdString();
    // An overlapping profile: named in the status bar, no box.
    ASSERT_TRUE(profileModel()->setData(profileModel()->index(2, kProfileR), QStringLiteral("40000"), Qt::EditRole));
    EXPECT_TRUE(child<QLabel>("profileStatus")->text().contains(QStringLiteral("第 3 行")));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    // The window's 撤销 undoes profile edits as it does JD edits.
    trigger("undoAction");
    EXPECT_EQ(profileModel()->data(profileModel()->index(2, kProfileR), Qt::DisplayRole).toString(),
              QStringLiteral("8000"));
    EXPECT_TRUE(route->profilePanel()->profile());
}

TEST_F(ProfileWindow, PasteAndUndoKeysActOnTheTableThatHasTheFocus)
{
    importText(kFiveJdRoute);
    importProfile();
    child<QTabWidget>("viewTabs")->setCurrentWidget(route->profilePanel());
    QTableView* profileTable = table("profileTable");
    const auto jdTexts = [&] {
        QStringList all;
        QAbstractItemModel* m = model("jdTable");
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c) all << m->data(m->index(r, c), Qt::EditRole).toString();
        return all;
    };
    const QStringList jdBefore = jdTexts();

    profileTable->setFocus();
    profileTable->setCurrentIndex(profileModel()->index(1, kProfileR));
    QApplication::clipboard()->setText(QStringLiteral("6000"));
    QTest::keyClick(profileTable, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(profileModel()->data(profileModel()->index(1, kProfileR), Qt::DisplayRole).toString(),
              QStringLiteral("6000"));
    EXPECT_EQ(jdTexts(), jdBefore);  // the JD table's paste did not fire as well
    QTest::keyClick(profileTable, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(profileModel()->data(profileModel()->index(1, kProfileR), Qt::DisplayRole).toString(),
              QStringLiteral("12000"));

    // Ctrl+Ins adds a row above the current one; Ctrl+Del takes it away.
    QTest::keyClick(profileTable, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(profileModel()->rowCount(), 7);
    EXPECT_TRUE(profileModel()->texts()[1] == ProfileRowTexts{});
    QTest::keyClick(profileTable, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(profileModel()->rowCount(), 6);
    EXPECT_TRUE(route->profilePanel()->profile());
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(ProfileWindow, CursorOverTheDrawingShowsStationElevationAndDesignElevation)
{
    ProfilePanel* panel = route->profilePanel();
    EXPECT_EQ(panel->cursorText(11000, 362.54), QString());  // no profile yet
    importProfile();
    EXPECT_EQ(panel->cursorText(11000, 370.004),
              QStringLiteral("桩号 K11+000.000  高程 370.00  设计高程 362.540 m"));
    EXPECT_EQ(panel->cursorText(9000, 350), QStringLiteral("桩号 K9+000.000  高程 350.00  不在纵断面范围内"));

    child<QTabWidget>("viewTabs")->setCurrentWidget(panel);
    ProfileView* view = child<ProfileView>("profileView");
    view->fit();
    QTest::mouseMove(view->viewport(), view->mapFromScene(ProfileScene::ToScene(12000, 360)));
    const QString shown = child<QLabel>("cursorStatus")->text();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("桩号 K1")) && shown.contains(QStringLiteral("设计高程")))
        << shown.toStdString();
}

TEST_F(ProfileWindow, StakeTableElevationIsTheProfilesElevationAtEveryRowAndEmptyBeyondIt)
{
    importText(kFiveJdRoute);
    edit("intervalEdit")->setText(QStringLiteral("20"));
    press("stakeButton");
    const int rows = model("stakeTable")->rowCount();
    ASSERT_GT(rows, 200);
    const int z = StakeElevationModel::kElevation;
    EXPECT_EQ(model("stakeTable")->headerData(z, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("设计高程"));
    for (int r = 0; r < rows; ++r) ASSERT_EQ(cell("stakeTable", r, z), QString()) << r;  // no profile yet

    importProfile();
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const Profile engine = ExampleProfile();
    int atK11 = -1;
    for (int r = 0; r < rows; ++r) {
        const double station = stakes().entry(static_cast<std::size_t>(r)).station;
        if (station == 11000) atK11 = r;
        const std::optional<double> want = engine.ElevationAt(station);
        ASSERT_TRUE(want) << station;  // the profile runs past the route's end
        ASSERT_EQ(cell("stakeTable", r, z), QString::fromStdString(FormatFixed(*want, 3))) << station;
    }
    EXPECT_EQ(cell("stakeTable", 0, z), QStringLiteral("352.400"));
    ASSERT_GE(atK11, 0);
    EXPECT_EQ(cell("stakeTable", atK11, z), QStringLiteral("362.540"));

    // The profile shortened to K15+000: later stakes have no elevation, never
    // an extrapolated one; the earlier ones keep theirs.
    ASSERT_TRUE(profileModel()->setData(profileModel()->index(5, kProfileStation), QStringLiteral("15000"),
                                        Qt::EditRole));
    ASSERT_TRUE(route->profilePanel()->profile());
    const Profile& shorter = *route->profilePanel()->profile();
    int beyond = 0;
    for (int r = 0; r < rows; ++r) {
        const double station = stakes().entry(static_cast<std::size_t>(r)).station;
        const std::optional<double> want = shorter.ElevationAt(station);
        ASSERT_EQ(want.has_value(), station <= 15000) << station;
        ASSERT_EQ(cell("stakeTable", r, z), want ? QString::fromStdString(FormatFixed(*want, 3)) : QString());
        beyond += !want;
    }
    EXPECT_GT(beyond, 5);
    // The stake table's own columns are unchanged by the profile.
    EXPECT_EQ(cell("stakeTable", 0, StakeTableModel::kKind), QStringLiteral("QD"));
}

TEST_F(ProfileWindow, InverseBoxShowsTheDesignElevationAtTheFoundStation)
{
    importText(kFiveJdRoute);
    const Route engine = RouteOfText(kFiveJdRoute);
    const auto point = engine.PointAt(11000, 5, 90);  // 5 m right of K11+000
    ASSERT_TRUE(point);
    edit("inverseXEdit")->setText(QString::fromStdString(FormatFixed(point->point.x, 4)));
    edit("inverseYEdit")->setText(QString::fromStdString(FormatFixed(point->point.y, 4)));
    press("inverseButton");
    const QString before = child<QLabel>("inverseResult")->text();
    EXPECT_TRUE(before.startsWith(QStringLiteral("K11+000.000"))) << before.toStdString();
    EXPECT_FALSE(before.contains(QStringLiteral("高程")));  // no profile loaded

    importProfile();
    press("inverseButton");
    const QString with = child<QLabel>("inverseResult")->text();
    EXPECT_TRUE(with.startsWith(before)) << with.toStdString();
    EXPECT_TRUE(with.contains(QStringLiteral("设计高程 362.540 m"))) << with.toStdString();

    // A station the profile does not reach: said so, no number. The first
    // two grade points deleted, the profile starts at K11+540.
    profileModel()->removeRowSet({0, 1});
    ASSERT_TRUE(profileModel()->setData(profileModel()->index(0, kProfileR), QString(), Qt::EditRole));
    ASSERT_TRUE(route->profilePanel()->profile()) << child<QLabel>("profileStatus")->text().toStdString();
    EXPECT_EQ(route->profilePanel()->profile()->startStation(), 11540);
    press("inverseButton");
    const QString outside = child<QLabel>("inverseResult")->text();
    EXPECT_TRUE(outside.contains(QStringLiteral("不在纵断面范围内"))) << outside.toStdString();
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

}  // namespace
}  // namespace tarvelo::uitest
