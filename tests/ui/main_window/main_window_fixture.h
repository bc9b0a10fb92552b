#pragma once
// The real main window on the fake desktop, shown and active, with its
// controls found by objectName.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>

#include "tests/ui/support/fake_ui_services.h"
#include "tests/ui/support/widget_test.h"
#include "ui/main_window/main_window.h"
#include "ui/ui_services.h"

namespace tarvelo::uitest {

class MainWindowTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        window = std::make_unique<MainWindow>(desktop);
        showAndActivate(window.get());
    }

    void TearDown() override
    {
        window.reset();
        WidgetTest::TearDown();
    }

    QLineEdit* box(const char* name) { return findChildByName<QLineEdit>(window.get(), name); }
    QLabel* label(const char* name) { return findChildByName<QLabel>(window.get(), name); }
    QPushButton* button(const char* name)
    {
        return findChildByName<QPushButton>(window.get(), name);
    }
    QRadioButton* option(const char* name)
    {
        return findChildByName<QRadioButton>(window.get(), name);
    }
    QAction* action(const char* name) { return findChildByName<QAction>(window.get(), name); }
    QWidget* control(const char* name) { return findChildByName<QWidget>(window.get(), name); }
    QPlainTextEdit* results() { return findChildByName<QPlainTextEdit>(window.get(), "Text12"); }

    QString text(const char* labelName) { return label(labelName)->text(); }
    void type(const char* boxName, const QString& text) { box(boxName)->setText(text); }
    // A click as the user makes it: the button must be on screen.
    void press(const char* name)
    {
        QPushButton* b = button(name);
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << name << " cannot be pressed now";
        b->click();
    }
    void choose(const char* name) { option(name)->click(); }

    QWidget* focused() const { return QApplication::focusWidget(); }
    void focusOn(const char* name)
    {
        control(name)->setFocus();
        ASSERT_EQ(focused(), control(name));
    }

    // The one message shown since the last reset(); fails when there are
    // none or several.
    const RecordedMessage& onlyMessage()
    {
        EXPECT_EQ(desktop.messages.size(), 1u) << messageTexts();
        return desktop.lastMessage();
    }
    // Exactly one message since the last reset: this text, titled 提示,
    // with the information icon.
    void expectOnlyMessage(const QString& text)
    {
        const RecordedMessage& m = onlyMessage();
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.title, QStringLiteral("提示"));
        EXPECT_EQ(m.icon, MessageIcon::Information);
        EXPECT_EQ(m.parent, window.get());
    }
    std::string messageTexts() const
    {
        std::string all;
        for (const auto& m : desktop.messages) all += m.text.toStdString() + "\n";
        return all;
    }

    FakeUiServices desktop;
    std::unique_ptr<MainWindow> window;
};

// The text of the results box split into lines ("\n" line ends), without
// the empty remainder after the last line end.
inline QStringList ResultLines(const QPlainTextEdit* box)
{
    QStringList lines = box->toPlainText().split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

}  // namespace tarvelo::uitest
