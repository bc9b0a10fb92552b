// Renders the route window's 横断面 tab offscreen with the shipped example
// (route, profile, cross sections) at one stake of the stake table, so the
// picture shows a superelevated section with its elevations:
//
//   section_screenshot ROUTE PROFILE SECTIONS OUT.png [STATION [BREAKS]]
//
// STATION (a displayed station as the window reads it, with its zone where
// a 长链 shows it twice; default 12600, on JD3's circle at 6 %) must be a
// stake of the 20 m table. BREAKS: the route's chain breaks. Any message box is an error: it is printed and the tool
// ends with exit code 1.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <cmath>
#include <cstdio>
#include <string>
#include <QStringList>

#include "compute/route_station_text.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/route_window.h"
#include "ui/route_window/sections/section_panel.h"
#include "ui/route_window/sections/section_view.h"
#include "ui/route_window/stakes/stake_section_model.h"
#include "tests/ui/route_window/screenshot_desktop.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 5 || argc > 7) {
        std::fprintf(stderr, "usage: section_screenshot ROUTE PROFILE SECTIONS OUT.png [STATION [BREAKS]]\n");
        return 2;
    }
    const std::string typed = argc >= 6 ? argv[5] : "12600";
    QStringList files{QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                              QString::fromLocal8Bit(argv[3])};
    if (argc == 7) files.insert(1, QString::fromLocal8Bit(argv[6]));
    tarvelo::ScreenshotDesktop desktop(std::move(files));
    tarvelo::RouteWindow window(desktop, {});
    // Larger than the window's first size, most of it to the views, so the
    // section stands out beside its table.
    window.resize(1600, 900);
    window.show();
    QApplication::processEvents();
    window.findChild<QAction*>(QStringLiteral("importAction"))->trigger();
    if (argc == 7) window.findChild<QAction*>(QStringLiteral("importBreaksAction"))->trigger();
    window.findChild<QAction*>(QStringLiteral("importProfileAction"))->trigger();
    window.findChild<QAction*>(QStringLiteral("importSectionsAction"))->trigger();
    if (!window.document()->route()) {
        std::fprintf(stderr, "the route is refused: %s\n", qUtf8Printable(window.document()->status()));
        return 1;
    }
    auto* panel = window.findChild<tarvelo::SectionPanel*>(QStringLiteral("sectionPanel"));
    const tarvelo::TypedStation at = tarvelo::ReadRouteStation(*window.document()->route(), typed);
    if (!at.station) {
        std::fprintf(stderr, "%s: %s\n", typed.c_str(), at.error.c_str());
        return 2;
    }
    const double station = *at.station;
    if (!panel->sections()) {
        std::fprintf(stderr, "the cross sections are refused\n");
        return 1;
    }
    window.findChild<QPushButton*>(QStringLiteral("stakeButton"))->click();
    auto* stakes = window.findChild<QTableView*>(QStringLiteral("stakeTable"));
    auto* model = static_cast<tarvelo::StakeSectionModel*>(stakes->model());
    int row = -1;
    for (int i = 0; i < model->rowCount(); ++i)
        if (std::fabs(model->entry(static_cast<std::size_t>(i)).station - station) < 1e-6) row = i;
    if (row < 0) {
        std::fprintf(stderr, "no stake at %s in the 20 m table\n", typed.c_str());
        return 2;
    }
    window.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->setSizes({560, 1040});
    window.findChild<QTabWidget*>(QStringLiteral("viewTabs"))->setCurrentWidget(panel);
    // The whole height to the drawing: 边坡放样 and 高程检测 folded away.
    window.findChild<QSplitter*>(QStringLiteral("slopeSplitter"))->setSizes({1, 0});
    QApplication::processEvents();
    stakes->setCurrentIndex(model->index(row, 0));
    stakes->scrollTo(model->index(row, 0));
    panel->view()->fit();
    QApplication::processEvents();
    const QString path = QString::fromLocal8Bit(argv[4]);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
        return 1;
    }
    std::printf("%s\n", qUtf8Printable(path));
    return 0;
}
