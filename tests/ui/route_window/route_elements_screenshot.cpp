// Renders the route window offscreen with an element file (the shipped
// ramp) into the given PNG: the element table, the element list, the plan
// with its main points and the 20 m stakes.
//
//   route_elements_screenshot examples/ramp-elements.csv docs/route-window-elements.png
//
// Any message box is an error: it is printed and the tool ends with exit code 1.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <cstdio>

#include "tests/ui/route_window/screenshot_desktop.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/route_window.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: route_elements_screenshot ELEMENT_FILE PNG\n");
        return 2;
    }
    tarvelo::ScreenshotDesktop desktop(QString::fromLocal8Bit(argv[1]));
    tarvelo::RouteWindow window(desktop, {});
    window.show();
    QApplication::processEvents();
    window.importRoute();
    const auto route = window.document()->route();
    if (!route || route->method() != tarvelo::RouteMethod::Elements) {
        std::fprintf(stderr, "no element route: %s\n", qUtf8Printable(window.document()->status()));
        return 1;
    }
    // Large enough that the plan names the ramp's main points.
    window.resize(1900, 1100);
    window.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->setSizes({680, 1220});
    if (auto* right = qobject_cast<QSplitter*>(window.findChild<QTabWidget*>(QStringLiteral("viewTabs"))->parentWidget()))
        right->setSizes({780, 320});
    window.findChild<QLineEdit*>(QStringLiteral("intervalEdit"))->setText(QStringLiteral("20"));
    window.findChild<QPushButton*>(QStringLiteral("stakeButton"))->click();
    QApplication::processEvents();
    window.planView()->fit();
    if (argc == 4) {
        const double zoom = QString::fromLocal8Bit(argv[3]).toDouble();
        tarvelo::PlanView* plan = window.planView();
        plan->setPixelsPerMetre(plan->pixelsPerMetre() * zoom);
        const double x = (route->start().x + route->end().x) / 2, y = (route->start().y + route->end().y) / 2;
        plan->centreOnSurvey(x, y, false);
        QApplication::processEvents();
    }
    std::printf("ramp at %.3f pixels a metre, %d labels shown\n", window.planView()->pixelsPerMetre(),
                window.planView()->planScene()->visibleLabelCount());
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s\n", argv[2]);
    return 0;
}
