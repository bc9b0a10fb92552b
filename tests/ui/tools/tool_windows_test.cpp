// ToolWindows: each window at most once, brought to the front while open,
// created afresh after closing; closeAll; the help command.

#include <QLabel>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/ui/tools/tool_window_test.h"
#include "ui/tools/tool_messages.h"

namespace tarvelo::uitest {
namespace {

class ToolWindowsTest : public ToolWindowTest {
protected:
    // The visible top-level windows with this form name.
    static int countOpen(const QString& formName)
    {
        int n = 0;
        for (QWidget* w : visibleTopLevelWindows()) n += w->objectName() == formName;
        return n;
    }
};

struct Form {
    QWidget* (ToolWindows::*show)();
    const char* formName;
};
const Form kForms[] = {
    {&ToolWindows::showAzimuthTool, "方位角和距离"},
    {&ToolWindows::showAngleConverter, "角度转弧度"},
    {&ToolWindows::showAbout, "AAbout"},
};

TEST_F(ToolWindowsTest, EachWindowOpensModelessWithoutParentSoTheMainWindowStaysUsable)
{
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.formName);
        QWidget* w = (tools.get()->*form.show)();
        EXPECT_EQ(w->objectName(), QString::fromUtf8(form.formName));
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->isWindow());
        EXPECT_EQ(w->parentWidget(), nullptr);
        EXPECT_EQ(w->windowModality(), Qt::NonModal);
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ToolWindowsTest, ChoosingAnOpenWindowAgainBringsTheSameWindowForwardWithItsContents)
{
    QWidget* azimuth = open(&ToolWindows::showAzimuthTool);
    box(azimuth, "txtXa")->setText(QStringLiteral("12345"));
    QWidget* converter = open(&ToolWindows::showAngleConverter);
    box(converter, "Text1")->setText(QStringLiteral("77"));
    QWidget* about = open(&ToolWindows::showAbout);
    EXPECT_EQ(QApplication::activeWindow(), about);

    EXPECT_EQ(open(&ToolWindows::showAzimuthTool), azimuth);
    EXPECT_EQ(QApplication::activeWindow(), azimuth);
    EXPECT_EQ(box(azimuth, "txtXa")->text(), QStringLiteral("12345"));
    EXPECT_EQ(open(&ToolWindows::showAngleConverter), converter);
    EXPECT_EQ(box(converter, "Text1")->text(), QStringLiteral("77"));
    EXPECT_EQ(open(&ToolWindows::showAbout), about);
    for (const Form& form : kForms) EXPECT_EQ(countOpen(QString::fromUtf8(form.formName)), 1);
}

TEST_F(ToolWindowsTest, WindowClosedByItsTitleBarIsCreatedAfreshWithDefaultsNextTime)
{
    QWidget* azimuth = tools->showAzimuthTool();
    box(azimuth, "txtXa")->setText(QStringLiteral("1"));
    QPointer<QWidget> old = azimuth;
    azimuth->close();
    // Reopened at once, before the closed one is deleted: still a new window.
    QWidget* fresh = tools->showAzimuthTool();
    EXPECT_NE(fresh, old.data());
    EXPECT_EQ(box(fresh, "txtXa")->text(), QStringLiteral("3367011.241"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());  // the closed window does not linger
    EXPECT_EQ(countOpen(QStringLiteral("方位角和距离")), 1);

    QWidget* converter = tools->showAngleConverter();
    box(converter, "Text4")->setText(QStringLiteral("5"));
    converter->close();
    EXPECT_EQ(box(tools->showAngleConverter(), "Text4")->text(), QStringLiteral("0"));
}

TEST_F(ToolWindowsTest, CloseAllClosesEveryOpenToolWindowAsExitDoes)
{
    QPointer<QWidget> windows[] = {tools->showAzimuthTool(), tools->showAngleConverter(),
                                   tools->showAbout()};
    ASSERT_EQ(visibleTopLevelWindows().size(), 3u);
    tools->closeAll();
    EXPECT_TRUE(visibleTopLevelWindows().empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto& w : windows) EXPECT_TRUE(w.isNull());
    // Opening after Exit-like closing starts afresh, and closing nothing is harmless.
    tools->closeAll();
    EXPECT_EQ(box(tools->showAzimuthTool(), "txtS")->text(), QStringLiteral("0"));
}

TEST_F(ToolWindowsTest, CloseAllWithOnlySomeWindowsOpenClosesThoseAndOpensNothing)
{
    tools->showAbout();
    tools->closeAll();
    EXPECT_TRUE(visibleTopLevelWindows().empty());
}

TEST_F(ToolWindowsTest, HelpOpensTheShippedPageThroughTheDesktop)
{
    EXPECT_TRUE(tools->openHelp(nullptr));
    ASSERT_EQ(services.locations.size(), 1u);
    EXPECT_TRUE(services.locations[0].location.endsWith(QStringLiteral("help/index.html")));
    EXPECT_TRUE(QFileInfo(services.locations[0].location).isAbsolute());
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(services.launches.empty());  // no program started by name
}

TEST_F(ToolWindowsTest, HelpWhenTheBrowserFailsShowsAClearMessageToTheAskingWindow)
{
    QWidget asking;
    services.locationsSucceed = false;
    EXPECT_FALSE(tools->openHelp(&asking));
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].parent, &asking);
    EXPECT_EQ(services.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(services.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(services.messages[0].text,
              kHelpNotOpenedMessage.arg(services.locations[0].location));
}

TEST_F(ToolWindowsTest, HelpWhenThePageIsMissingSaysSoAndOpensNothing)
{
    QTemporaryDir dir;
    tools->setHelpPageCandidates({dir.filePath(QStringLiteral("help/index.html"))});
    EXPECT_FALSE(tools->openHelp(nullptr));
    EXPECT_TRUE(services.locations.empty());
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, kHelpMissingMessage.arg(QStringLiteral("help/index.html")));
}

}  // namespace
}  // namespace tarvelo::uitest
