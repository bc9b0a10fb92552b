#pragma once
// The base of every widget test: a watchdog that keeps unexpected modal
// boxes from hanging a test, helpers to answer real modal boxes by their
// buttons, a check that no window outlives its test, and lookup of controls
// by objectName.
//
// Usage:
//   class MyWindowTest : public tarvelo::uitest::WidgetTest { ... };
//   TEST_F(MyWindowTest, ...) {
//       auto* box = findChildByName<QLineEdit>(window, "Text1");
//       expectModal([](QWidget* m) { pressMessageBoxButton(m); });
//       ...
//   }

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/ui/support/qt_printers.h"

class QMessageBox;

namespace tarvelo::uitest {

// Thrown (after the failure is recorded) when a control is missing, so the
// test body stops instead of dereferencing a null pointer. GoogleTest
// reports the exception as part of the failed test.
class MissingWidget : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one child of root (or root itself) of type T named objectName. Fails
// the running test and throws MissingWidget when there is none, or when the
// name is not unique. Call it from the test body, not from a Qt callback.
template <typename T>
T* findChildByName(QObject* root, const QString& objectName)
{
    if (!root) {
        ADD_FAILURE() << "no window to look for \"" << objectName << "\" in";
        throw MissingWidget("missing root");
    }
    QList<T*> found = root->findChildren<T*>(objectName);
    if (root->objectName() == objectName)
        if (T* self = qobject_cast<T*>(root)) found.prepend(self);
    if (found.size() == 1) return found.front();
    ADD_FAILURE() << (found.isEmpty() ? "no " : "more than one ")
                  << T::staticMetaObject.className() << " named \"" << objectName
                  << "\" in " << root->metaObject()->className() << " \""
                  << root->objectName() << "\"";
    throw MissingWidget(objectName.toStdString());
}

// What the watchdog saw of a real modal window.
struct SeenModal {
    QString className;
    QString title;
    QString text;       // QMessageBox text, else empty
    int icon = 0;       // QMessageBox::Icon, else 0
    bool expected = false;
};

class WidgetTest : public ::testing::Test {
public:
    // Clicks a button of a real QMessageBox: `which` (a
    // QMessageBox::StandardButton value) or, with 0, its only / default
    // button. Returns false when the widget is no message box or has no such
    // button.
    static bool pressMessageBoxButton(QWidget* box, int which = 0);

    // Clicks the push button captioned `text` inside a real dialog.
    static bool pressDialogButton(QWidget* dialog, const QString& text);

    // Closes any modal window by its button (OK / Cancel / Close / the only
    // one), else by rejecting it. Returns false if it is still visible.
    static bool closeModal(QWidget* modal);

    // The visible top-level windows right now.
    static std::vector<QWidget*> visibleTopLevelWindows();

    // Shows a window and makes it the active one, so that focus checks mean
    // what they say. Fails the test if the window cannot be activated.
    static void showAndActivate(QWidget* window);

protected:
    WidgetTest();
    // Checks, after the derived fixture's members are gone, that no window
    // is left visible; leftovers fail the test and are closed.
    ~WidgetTest() override;

    void SetUp() override;
    void TearDown() override;

    // The next real modal window goes to `handler`, which should close it
    // (e.g. with pressMessageBoxButton); without a handler a modal window
    // fails the test and is closed by the watchdog. A modal window the
    // handler leaves open fails the test as well.
    void expectModal(std::function<void(QWidget*)> handler);
    bool modalExpected() const { return static_cast<bool>(modalHandler_); }

    // Every modal window the watchdog met during this test.
    const std::vector<SeenModal>& seenModals() const { return seen_; }

private:
    void watch();

    QTimer watchdog_;
    std::function<void(QWidget*)> modalHandler_;
    std::vector<SeenModal> seen_;
    bool inWatch_ = false;
};

}  // namespace tarvelo::uitest
