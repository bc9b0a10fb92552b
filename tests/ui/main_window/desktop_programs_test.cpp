// The Tools menu's desktop programs: which calculator and editor start, with
// which arguments, the welcome text reaching the editor through a file, and
// the messages when none is installed or the launch fails. Programs are
// found on PATH, which each test points at a folder of stand-in programs.

#include <QFile>
#include <QTemporaryDir>

#include "tests/ui/main_window/main_window_fixture.h"
#include "ui/main_window/external_programs.h"

namespace tarvelo::uitest {
namespace {

#ifndef Q_OS_WIN

class DesktopPrograms : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(bin.isValid());
        savedPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
    }
    void TearDown() override
    {
        qputenv("PATH", savedPath);
        for (const RecordedLaunch& l : desktop.launches)
            for (const QString& a : l.arguments)
                if (a.contains(QStringLiteral("tarvelo-welcome-"))) QFile::remove(a);
        MainWindowTest::TearDown();
    }

    // A stand-in program of that name on PATH.
    QString install(const char* name)
    {
        const QString file = bin.filePath(QString::fromLatin1(name));
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nexit 0\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return file;
    }

    QStringList inputs()
    {
        QStringList texts;
        for (int i = 1; i <= 8; ++i) texts << box(("Text" + QByteArray::number(i)).constData())->text();
        return texts;
    }

    QTemporaryDir bin;
    QByteArray savedPath;
};

TEST_F(DesktopPrograms, CalculatorStartsTheFirstInstalledInOrderOfPreference)
{
    install("xcalc");
    const QString galculator = install("galculator");
    action("Calc")->trigger();
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].program, galculator);
    EXPECT_TRUE(desktop.launches[0].arguments.isEmpty());
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(DesktopPrograms, NoCalculatorInstalledIsReportedAndNothingStarts)
{
    action("Calc")->trigger();
    EXPECT_TRUE(desktop.launches.empty());
    const RecordedMessage& m = onlyMessage();
    EXPECT_EQ(m.title, QStringLiteral("提示"));
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_TRUE(m.text.contains(QStringLiteral("计算器"))) << m.text;
    EXPECT_TRUE(m.text.contains(QStringLiteral("gnome-calculator"))) << m.text;
}

TEST_F(DesktopPrograms, CalculatorThatFailsToStartIsReportedAndTheWindowStaysAsItWas)
{
    install("kcalc");
    press("Command1");
    const QStringList before = inputs();
    const QString zh = text("Label45");
    desktop.programsSucceed = false;
    action("Calc")->trigger();
    expectOnlyMessage(desktop.programError);
    EXPECT_EQ(inputs(), before);
    EXPECT_EQ(text("Label45"), zh);
    EXPECT_EQ(window->mode(), MainWindowMode::ForwardSingle);
}

TEST_F(DesktopPrograms, NotepadOpensAFileHoldingTheWelcomeTextInTheFirstInstalledEditor)
{
    install("xdg-open");
    const QString mousepad = install("mousepad");
    action("Notepad")->trigger();
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].program, mousepad);
    ASSERT_EQ(desktop.launches[0].arguments.size(), 1);
    QFile welcome(desktop.launches[0].arguments[0]);
    ASSERT_TRUE(welcome.open(QIODevice::ReadOnly)) << welcome.fileName();
    // Three spaces, the greeting, the address; no line break.
    EXPECT_EQ(QString::fromUtf8(welcome.readAll()),
              QStringLiteral("   欢迎使用记事本文档，更多测量资料请访问：") + kMakerBlogAddress);
}

TEST_F(DesktopPrograms, NotepadFallsBackToTheDesktopsOpenerWithoutAKnownEditor)
{
    const QString opener = install("xdg-open");
    action("Notepad")->trigger();
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].program, opener);
    EXPECT_TRUE(QFile::exists(desktop.launches[0].arguments.value(0)));
}

TEST_F(DesktopPrograms, NoEditorInstalledOrAFailedLaunchIsReported)
{
    action("Notepad")->trigger();
    EXPECT_TRUE(desktop.launches.empty());
    EXPECT_TRUE(onlyMessage().text.contains(QStringLiteral("文本编辑器"))) << messageTexts();

    desktop.reset();
    install("gedit");
    desktop.programsSucceed = false;
    action("Notepad")->trigger();
    expectOnlyMessage(desktop.programError);
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_FALSE(QFile::exists(desktop.launches[0].arguments.value(0)))
        << "the welcome file of a failed launch is left behind";
}

#endif  // Q_OS_WIN

using ToolItems = MainWindowTest;

#ifdef TARVELO_HAVE_TOOL_WINDOWS
TEST_F(ToolItems, EachToolItemShowsItsWindowOnceAndTheMainWindowStaysAsItWas)
{
    press("Command1");
    const QString zh = text("Label45");
    const struct {
        const char* item;
        const char* form;
    } tools[] = {{"FWJ", "方位角和距离"}, {"Red", "角度转弧度"}, {"About", "AAbout"}};
    for (const auto& t : tools) {
        action(t.item)->trigger();
        action(t.item)->trigger();
        int shown = 0;
        for (QWidget* w : visibleTopLevelWindows())
            if (w->objectName() == QString::fromUtf8(t.form)) ++shown;
        EXPECT_EQ(shown, 1) << t.form;
    }
    EXPECT_EQ(text("Label45"), zh);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    for (QWidget* w : visibleTopLevelWindows())
        if (w != window.get()) w->close();
}
TEST_F(ToolItems, OnlineHelpThatCannotBeShownIsReportedOverTheMainWindow)
{
    // Whether the help page is missing or the desktop cannot open it, the
    // message belongs to the main window, which stays as it was.
    desktop.locationsSucceed = false;
    action("LianBang")->trigger();
    const RecordedMessage& m = onlyMessage();
    EXPECT_EQ(m.parent, window.get());
    EXPECT_EQ(m.title, QStringLiteral("提示"));
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(visibleTopLevelWindows().size(), 1u);
}
#else
TEST_F(ToolItems, ToolWindowItemsAreInPlaceAndOpenNothingYet)
{
    press("Command1");
    const QString zh = text("Label45");
    for (const char* name : {"FWJ", "Red", "About", "LianBang"}) action(name)->trigger();
    EXPECT_EQ(visibleTopLevelWindows().size(), 1u);
    EXPECT_EQ(text("Label45"), zh);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_TRUE(desktop.locations.empty());
}
#endif

}  // namespace
}  // namespace tarvelo::uitest
