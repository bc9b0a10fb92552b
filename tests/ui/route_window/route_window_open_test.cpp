// Opening the route window from the main window's tools menu: one modeless
// window, brought forward when chosen again, new after closing; its menus
// and keyboard access.

#include <QMenu>
#include <QMenuBar>
#include <QCheckBox>

#include "tests/ui/route_window/route_window_fixture.h"

namespace tarvelo::uitest {
namespace {

using RouteWindowOpen = RouteWindowTest;

int CountRouteWindows()
{
    int n = 0;
    for (QWidget* w : WidgetTest::visibleTopLevelWindows())
        n += w->objectName() == QLatin1String("RouteWindow");
    return n;
}

TEST_F(RouteWindowOpen, ToolsMenuEndsWithTheRouteItemWhichOpensOneModelessWindow)
{
    QMenu* tools = findChildByName<QMenu>(main.get(), "GongJu");
    ASSERT_FALSE(tools->actions().isEmpty());
    EXPECT_EQ(tools->actions().back()->objectName(), QStringLiteral("XianLu"));
    EXPECT_EQ(tools->actions().back()->text(), QStringLiteral("线路计算"));

    ASSERT_NE(route, nullptr);
    EXPECT_EQ(route->windowTitle(), QStringLiteral("线路计算"));
    EXPECT_EQ(route->parentWidget(), nullptr);
    EXPECT_EQ(route->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(CountRouteWindows(), 1);
}

TEST_F(RouteWindowOpen, ChoosingItAgainBringsTheSameWindowForwardWithItsContents)
{
    importText(kRightAngleRoute);
    showAndActivate(main.get());
    EXPECT_EQ(openFromMenu(), route);
    EXPECT_EQ(CountRouteWindows(), 1);
    EXPECT_EQ(model("jdTable")->rowCount(), 3);
    EXPECT_TRUE(QTest::qWaitForWindowActive(route));
}

TEST_F(RouteWindowOpen, ClosedWindowIsCreatedAfreshAndExitClosesIt)
{
    importText(kRightAngleRoute);
    QPointer<RouteWindow> old = route;
    trigger("closeAction");
    EXPECT_EQ(CountRouteWindows(), 0);
    RouteWindow* fresh = openFromMenu();
    EXPECT_NE(fresh, old.data());
    route = fresh;
    EXPECT_EQ(model("jdTable")->rowCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    // The folder of the last file lasts the session: the new window's
    // dialogs open there.
    desktop.queueFileAnswer(QString());
    trigger("importAction");
    ASSERT_EQ(desktop.dialogs.size(), 2u);
    EXPECT_EQ(desktop.dialogs[1].currentName, dir.path());
}

TEST_F(RouteWindowOpen, MenusCarryAccessKeysAndTheNamedShortcuts)
{
    QStringList titles;
    for (QAction* a : route->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"文件(&F)", "编辑(&E)", "视图(&V)"}));
    const struct {
        const char* action;
        const char* caption;
        QKeySequence keys;
    } items[] = {
        {"importAction", "导入线路", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"exportAction", "导出线路", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"curveReportAction", "保存直曲表…", {}},
        {"stakeReportAction", "保存逐桩坐标表…", {}},
        {"closeAction", "关闭", {}},
        {"undoAction", "撤销", QKeySequence::Undo},
        {"fitAction", "全图", QKeySequence(Qt::Key_Home)},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(item.action);
        QAction* a = child<QAction>(item.action);
        EXPECT_EQ(a->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(a->shortcut(), item.keys);
    }
    // Every push button and the stake inputs can be reached by keyboard.
    for (const char* name : {"stakeButton", "sendToMainButton", "inverseButton", "batchInverseButton"})
        EXPECT_NE(child<QPushButton>(name)->focusPolicy() & Qt::TabFocus, 0) << name;
    EXPECT_EQ(child<QPushButton>("stakeButton")->text(), QStringLiteral("计算逐桩坐标"));
}

TEST_F(RouteWindowOpen, DefaultSizeFitsALaptopScreenOf1366By768)
{
    EXPECT_LE(route->width(), 1366);
    EXPECT_LE(route->frameGeometry().height(), 768 - 40);  // room for a task bar
    EXPECT_GE(route->width(), 1000);
    EXPECT_GE(route->height(), 600);
    EXPECT_EQ(edit("intervalEdit")->text(), QStringLiteral("20"));
    EXPECT_EQ(edit("offsetEdit")->text(), QStringLiteral("0"));
    EXPECT_EQ(edit("skewEdit")->text(), QStringLiteral("90"));
    EXPECT_TRUE(child<QCheckBox>("mainPointsCheck")->isChecked());
    EXPECT_EQ(child<QCheckBox>("mainPointsCheck")->text(), QStringLiteral("插入主点"));
}

}  // namespace
}  // namespace tarvelo::uitest
