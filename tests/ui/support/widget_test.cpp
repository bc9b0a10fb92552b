#include "tests/ui/support/widget_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace tarvelo::uitest {

namespace {

// Deletes what deleteLater() left for the event loop, so closed windows
// with WA_DeleteOnClose are really gone.
void FlushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

SeenModal Describe(QWidget* w)
{
    SeenModal s;
    s.className = QString::fromLatin1(w->metaObject()->className());
    s.title = w->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
        s.text = box->text();
        s.icon = box->icon();
    }
    return s;
}

}  // namespace

bool WidgetTest::pressMessageBoxButton(QWidget* widget, int which)
{
    auto* box = qobject_cast<QMessageBox*>(widget);
    if (!box) return false;
    QAbstractButton* button = nullptr;
    if (which != 0) {
        button = box->button(static_cast<QMessageBox::StandardButton>(which));
    } else {
        const auto buttons = box->buttons();
        if (buttons.size() == 1)
            button = buttons.front();
        else
            button = box->defaultButton() ? box->defaultButton() : box->escapeButton();
    }
    if (!button) return false;
    button->click();
    return true;
}

bool WidgetTest::pressDialogButton(QWidget* dialog, const QString& text)
{
    if (!dialog) return false;
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
        if (b->text() == text && b->isVisible() && b->isEnabled()) {
            b->click();
            return true;
        }
    }
    return false;
}

bool WidgetTest::closeModal(QWidget* modal)
{
    if (!modal) return true;
    QPointer<QWidget> guard(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        if (!pressMessageBoxButton(box, QMessageBox::Ok) &&
            !pressMessageBoxButton(box, QMessageBox::Cancel) &&
            !pressMessageBoxButton(box, QMessageBox::Close))
            pressMessageBoxButton(box, 0);
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        bool pressed = false;
        for (auto* bb : dialog->findChildren<QDialogButtonBox*>()) {
            for (auto role : {QDialogButtonBox::Cancel, QDialogButtonBox::Close,
                              QDialogButtonBox::Ok}) {
                if (QPushButton* b = bb->button(role); b && b->isEnabled()) {
                    b->click();
                    pressed = true;
                    break;
                }
            }
            if (pressed) break;
        }
        if (!pressed && guard && guard->isVisible()) dialog->reject();
    } else {
        modal->close();
    }
    return !guard || !guard->isVisible();
}

std::vector<QWidget*> WidgetTest::visibleTopLevelWindows()
{
    std::vector<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow() && w->windowType() != Qt::ToolTip &&
            w->windowType() != Qt::Popup)
            out.push_back(w);
    return out;
}

void WidgetTest::showAndActivate(QWidget* window)
{
    ASSERT_NE(window, nullptr);
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window))
        << "window \"" << window->windowTitle() << "\" could not be activated";
}

WidgetTest::WidgetTest()
{
    watchdog_.setInterval(20);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] { watch(); });
}

WidgetTest::~WidgetTest()
{
    watchdog_.stop();
    FlushDeferredDeletes();
    for (QWidget* w : visibleTopLevelWindows()) {
        ADD_FAILURE() << "window left open after the test: "
                      << w->metaObject()->className() << " \"" << w->objectName()
                      << "\" titled \"" << w->windowTitle() << "\"";
        w->close();
    }
    FlushDeferredDeletes();
}

void WidgetTest::SetUp()
{
    const auto open = visibleTopLevelWindows();
    EXPECT_TRUE(open.empty()) << open.size() << " window(s) open before the test";
    watchdog_.start();
}

void WidgetTest::TearDown()
{
    if (modalHandler_)
        ADD_FAILURE() << "a modal window was expected but none appeared";
    modalHandler_ = nullptr;
    // A modal window still up now would block the next test.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "modal window still open at the end of the test: "
                      << modal->windowTitle();
        closeModal(modal);
    }
    watchdog_.stop();
}

void WidgetTest::expectModal(std::function<void(QWidget*)> handler)
{
    modalHandler_ = std::move(handler);
}

void WidgetTest::watch()
{
    if (inWatch_) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    inWatch_ = true;
    SeenModal seen = Describe(modal);
    QPointer<QWidget> guard(modal);
    if (modalHandler_) {
        seen.expected = true;
        seen_.push_back(seen);
        auto handler = std::move(modalHandler_);
        modalHandler_ = nullptr;
        try {
            handler(modal);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "modal handler threw: " << e.what();
        } catch (...) {
            ADD_FAILURE() << "modal handler threw";
        }
        if (guard && guard->isVisible()) {
            ADD_FAILURE() << "the modal handler left \"" << seen.title << "\" open";
            closeModal(guard);
        }
    } else {
        seen_.push_back(seen);
        ADD_FAILURE() << "unexpected modal " << seen.className << " titled \"" << seen.title
                      << "\": " << seen.text;
        if (!closeModal(modal))
            ADD_FAILURE() << "the watchdog could not close \"" << seen.title << "\"";
    }
    inWatch_ = false;
}

}  // namespace tarvelo::uitest
