// Exit ends the program at once: every window of it closes, without a
// question. In its own executable, because it also tells the application to
// quit.

#include <QWidget>

#include "tests/ui/main_window/main_window_fixture.h"

namespace tarvelo::uitest {
namespace {

using ExitItem = MainWindowTest;

TEST_F(ExitItem, ExitClosesTheMainWindowAndEveryOtherWindowWithoutAsking)
{
    QWidget tool;  // stands in for an open tool window
    tool.setWindowTitle(QStringLiteral("方位角和距离"));
    tool.show();
    action("Exit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(tool.isVisible());
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_TRUE(visibleTopLevelWindows().empty());
}

}  // namespace
}  // namespace tarvelo::uitest
