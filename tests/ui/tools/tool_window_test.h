#pragma once
// Shared base of the tool window tests: a fake desktop and the ToolWindows
// under test, gone before the fixture checks that no window is left open.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "tests/ui/support/fake_ui_services.h"
#include "tests/ui/support/widget_test.h"
#include "ui/tools/tool_windows.h"
#include "ui/ui_services.h"

namespace tarvelo::uitest {

class ToolWindowTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        tools = std::make_unique<ToolWindows>(services);
    }
    void TearDown() override
    {
        tools.reset();
        WidgetTest::TearDown();
    }

    // The window, shown and active so that focus checks are meaningful.
    QWidget* open(QWidget* (ToolWindows::*show)())
    {
        QWidget* window = (tools.get()->*show)();
        showAndActivate(window);
        return window;
    }

    QLineEdit* box(QWidget* window, const char* name)
    {
        return findChildByName<QLineEdit>(window, QString::fromUtf8(name));
    }
    QPushButton* button(QWidget* window, const char* name)
    {
        return findChildByName<QPushButton>(window, QString::fromUtf8(name));
    }

    // The name of the widget that has the keyboard focus, "" if none.
    static QString focusName()
    {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }

    // Presses Tab in the focused control and returns the next control's name.
    static QString tabFromFocus()
    {
        QWidget* w = QApplication::focusWidget();
        if (!w) return QString();
        QTest::keyClick(w, Qt::Key_Tab);
        return focusName();
    }

    FakeUiServices services;
    std::unique_ptr<ToolWindows> tools;
};

}  // namespace tarvelo::uitest
