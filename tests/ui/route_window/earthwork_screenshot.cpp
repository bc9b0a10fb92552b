// Renders the route window's 土石方 tab offscreen with the shipped example
// (route, profile, pavement, roadbed template, ground sections) at one
// section, its cut and fill shaded:
//
//   earthwork_screenshot ROUTE PROFILE SECTIONS TEMPLATE GROUND OUT.png [STATION [DEPTH]]
//
// STATION (a displayed station; default K10+180) must be a section of the
// ground file; DEPTH the trough depth in metres (default 0.8, which puts
// that section in cut under the pavement and in fill at its shoulders).
// Any message box is an error: it is printed and the tool ends with exit
// code 1.

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <cmath>
#include <cstdio>
#include <string>

#include "compute/ground_points.h"
#include "compute/route_station_text.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/earthwork/earthwork_panel.h"
#include "ui/route_window/earthwork/earthwork_view.h"
#include "tests/ui/route_window/screenshot_desktop.h"
#include "ui/route_window/route_window.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 7 || argc > 9) {
        std::fprintf(stderr,
                     "usage: earthwork_screenshot ROUTE PROFILE SECTIONS TEMPLATE GROUND OUT.png [STATION [DEPTH]]\n");
        return 2;
    }
    const std::string typed = argc >= 8 ? argv[7] : "K10+180";
    const double depth = argc >= 9 ? std::atof(argv[8]) : 0.8;
    QStringList files;
    for (int i = 1; i <= 5; ++i) files << QString::fromLocal8Bit(argv[i]);
    tarvelo::ScreenshotDesktop desktop(files);
    tarvelo::RouteWindow window(desktop, {});
    window.resize(1600, 1000);
    window.show();
    QApplication::processEvents();
    for (const char* action : {"importAction", "importProfileAction", "importSectionsAction"})
        window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    if (!window.document()->route()) {
        std::fprintf(stderr, "the route is refused: %s\n", qUtf8Printable(window.document()->status()));
        return 1;
    }
    auto* panel = window.findChild<tarvelo::EarthworkPanel*>(QStringLiteral("earthworkPanel"));
    window.findChild<QAction*>(QStringLiteral("importTemplateAction"))->trigger();
    panel->readGround();
    panel->findChild<QDoubleSpinBox*>(QStringLiteral("earthworkDepthSpin"))->setValue(depth);
    panel->findChild<QCheckBox*>(QStringLiteral("earthworkExaggerationCheck"))->setChecked(true);
    if (!panel->result()) {
        std::fprintf(stderr, "no earthwork: %s\n", qUtf8Printable(panel->statusLabel()->text()));
        return 1;
    }
    const tarvelo::Route& route = *window.document()->route();
    const tarvelo::TypedStation at = tarvelo::ReadRouteStation(route, typed);
    if (!at.station) {
        std::fprintf(stderr, "%s: %s\n", typed.c_str(), at.error.c_str());
        return 2;
    }
    int row = -1;
    const auto& sections = panel->result()->sections;
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (std::fabs(tarvelo::RouteStationOf(route, sections[i].at) - *at.station) < 1e-6) row = static_cast<int>(i);
    if (row < 0) {
        std::fprintf(stderr, "no ground section at %s\n", typed.c_str());
        return 2;
    }
    window.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->setSizes({420, 1180});
    // Most of the height to the views, the tab's tables beside the drawing.
    auto* views = window.findChild<QTabWidget*>(QStringLiteral("viewTabs"));
    if (auto* right = qobject_cast<QSplitter*>(views->parentWidget())) right->setSizes({760, 140});
    if (auto* split = panel->findChild<QSplitter*>(QStringLiteral("earthworkSplitter"))) split->setSizes({560, 620});
    views->setCurrentWidget(panel);
    QApplication::processEvents();
    panel->showSection(row);
    panel->view()->fit();
    QApplication::processEvents();
    const QString path = QString::fromLocal8Bit(argv[6]);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
        return 1;
    }
    std::printf("%s\n", qUtf8Printable(path));
    return 0;
}
