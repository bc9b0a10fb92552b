#include "ui/tools/tool_windows.h"

#include "ui/tools/about_window.h"
#include "ui/tools/angle_converter_window.h"
#include "ui/tools/azimuth_window.h"
#include "ui/tools/help_page.h"
#include "ui/tools/tool_messages.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

// Shows a window and puts it in front of the others, un-minimising it.
QWidget* BringToFront(QWidget* window)
{
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

// A closed window is deleted later (WA_DeleteOnClose); until then it counts
// as gone, so the next request gets a fresh one with its defaults.
bool IsOpen(const QPointer<QWidget>& window) { return window && !window->isHidden(); }

QWidget* Adopt(QWidget* window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

}  // namespace

ToolWindows::ToolWindows(UiServices& services, QObject* parent)
    : QObject(parent), services_(services), helpCandidates_(HelpPageCandidates())
{
}

ToolWindows::~ToolWindows()
{
    for (QPointer<QWidget>* window : {&azimuth_, &converter_, &about_})
        delete window->data();
}

QWidget* ToolWindows::showAzimuthTool()
{
    if (!IsOpen(azimuth_)) azimuth_ = Adopt(new AzimuthWindow(services_));
    return BringToFront(azimuth_);
}

QWidget* ToolWindows::showAngleConverter()
{
    if (!IsOpen(converter_)) converter_ = Adopt(new AngleConverterWindow(services_));
    return BringToFront(converter_);
}

QWidget* ToolWindows::showAbout()
{
    if (!IsOpen(about_))
        about_ = Adopt(new AboutWindow([this](QWidget* from) { openHelp(from); }));
    return BringToFront(about_);
}

bool ToolWindows::openHelp(QWidget* parent)
{
    const QString page = FindHelpPage(helpCandidates_);
    if (page.isEmpty()) {
        services_.showMessage(parent, kMessageTitle, kHelpMissingMessage.arg(kHelpPageName),
                              MessageIcon::Information);
        return false;
    }
    QString error;
    if (services_.openLocation(page, &error)) return true;
    services_.showMessage(parent, kMessageTitle, kHelpNotOpenedMessage.arg(page),
                          MessageIcon::Information);
    return false;
}

void ToolWindows::setHelpPageCandidates(const QStringList& candidates)
{
    helpCandidates_ = candidates;
}

void ToolWindows::closeAll()
{
    for (QPointer<QWidget>* window : {&azimuth_, &converter_, &about_})
        if (*window) (*window)->close();
}

}  // namespace tarvelo
