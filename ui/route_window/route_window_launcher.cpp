#include "ui/route_window/route_window_launcher.h"

#include "ui/route_window/route_window.h"

namespace tarvelo {

RouteWindowLauncher::RouteWindowLauncher(UiServices& services,
                                         std::function<void(const CurveTexts&)> sendToMain,
                                         QObject* parent)
    : QObject(parent), services_(services), sendToMain_(std::move(sendToMain))
{
}

RouteWindowLauncher::~RouteWindowLauncher() { delete window_.data(); }

RouteWindow* RouteWindowLauncher::window() const
{
    // A closed window waits for deleteLater; it counts as gone already.
    return window_ && !window_->isHidden() ? window_.data() : nullptr;
}

RouteWindow* RouteWindowLauncher::show()
{
    if (!window()) {
        window_ = new RouteWindow(services_, sendToMain_);
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setLastFolder(lastFolder_);
        window_->setMainCurveSource(mainCurve_);
        // Read as the window closes: the folder outlives it.
        RouteWindow* w = window_;
        connect(w, &RouteWindow::closing, this, [this, w] { lastFolder_ = w->lastFolder(); });
    }
    if (window_->isMinimized()) window_->showNormal();
    window_->show();
    window_->raise();
    window_->activateWindow();
    return window_;
}

void RouteWindowLauncher::close()
{
    if (window_) window_->close();
}

}  // namespace tarvelo
