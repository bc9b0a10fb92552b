#pragma once
// The route window as the main window's tools menu opens it: modeless, at
// most one, brought to the front with its contents while open, created
// afresh after it was closed (the rule of the other tool windows). The
// window has no parent and deletes itself when closed; the launcher deletes
// an open one when it goes itself.

#include <QObject>
#include <QPointer>
#include <functional>

#include "core/curve/curve_inputs.h"

namespace tarvelo {

class RouteWindow;
class UiServices;

class RouteWindowLauncher : public QObject {
    Q_OBJECT
public:
    RouteWindowLauncher(UiServices& services, std::function<void(const CurveTexts&)> sendToMain,
                        QObject* parent = nullptr);
    ~RouteWindowLauncher() override;

    // The main window's eight input texts, for every window it opens
    // ("从主窗口导入").
    void setMainCurveSource(std::function<CurveTexts()> read) { mainCurve_ = std::move(read); }

    RouteWindow* show();
    void close();  // the main window's Exit
    RouteWindow* window() const;  // the open window, or null

private:
    UiServices& services_;
    std::function<void(const CurveTexts&)> sendToMain_;
    std::function<CurveTexts()> mainCurve_;
    QPointer<RouteWindow> window_;
    QString lastFolder_;  // of the windows closed before, for the next one
};

}  // namespace tarvelo
