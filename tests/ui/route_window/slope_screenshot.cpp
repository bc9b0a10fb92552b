// Renders the route window's 横断面 tab offscreen with the shipped example
// (route, profile, cross sections, roadbed template) and the example slope
// points, one of them chosen in 边坡放样, so the picture shows the whole
// design section with the point and its catch marked:
//
//   slope_screenshot ROUTE PROFILE SECTIONS TEMPLATE POINTS OUT.png [ROW]
//
// ROW: the result row chosen, from 1 (default 3, P3 in the cut with its
// ditch). Any message box is an error: it is printed and the tool ends with
// exit code 1.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <cstdio>
#include <QStringList>
#include <string>

#include "ui/route_window/document/route_document.h"
#include "ui/route_window/route_window.h"
#include "ui/route_window/sections/section_panel.h"
#include "ui/route_window/sections/section_view.h"
#include "tests/ui/route_window/screenshot_desktop.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 7 || argc > 8) {
        std::fprintf(stderr, "usage: slope_screenshot ROUTE PROFILE SECTIONS TEMPLATE POINTS OUT.png [ROW]\n");
        return 2;
    }
    const int row = argc == 8 ? std::atoi(argv[7]) - 1 : 2;
    QStringList files;
    for (int i = 1; i <= 5; ++i) files.push_back(QString::fromLocal8Bit(argv[i]));
    tarvelo::ScreenshotDesktop desktop(std::move(files));
    tarvelo::RouteWindow window(desktop, {});
    window.resize(1600, 960);
    window.show();
    QApplication::processEvents();
    for (const char* action : {"importAction", "importProfileAction", "importSectionsAction", "importTemplateAction"})
        window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    if (!window.document()->route()) {
        std::fprintf(stderr, "the route is refused: %s\n", qUtf8Printable(window.document()->status()));
        return 1;
    }
    auto* panel = window.findChild<tarvelo::SectionPanel*>(QStringLiteral("sectionPanel"));
    if (!panel->sections() || !panel->roadbed()) {
        std::fprintf(stderr, "the cross sections or the template are refused\n");
        return 1;
    }
    window.findChild<QPushButton*>(QStringLiteral("slopeImportPointsButton"))->click();
    auto* results = window.findChild<QTableView*>(QStringLiteral("slopeResultsTable"));
    if (row < 0 || row >= results->model()->rowCount()) {
        std::fprintf(stderr, "no result row %d\n", row + 1);
        return 2;
    }
    window.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->setSizes({360, 1240});
    window.findChild<QTabWidget*>(QStringLiteral("viewTabs"))->setCurrentWidget(panel);
    auto* tables = window.findChild<QTabWidget*>(QStringLiteral("sectionTablesTabs"));
    tables->setCurrentIndex(1);  // the template
    window.findChild<QSplitter*>(QStringLiteral("sectionSplitter"))->setSizes({420, 820});
    // Most of the height to the views, above the stake table.
    if (auto* right = qobject_cast<QSplitter*>(window.findChild<QTabWidget*>(QStringLiteral("viewTabs"))->parentWidget()))
        right->setSizes({800, 160});
    // True scale: the slopes as steep as they are.
    window.findChild<QCheckBox*>(QStringLiteral("exaggerationCheck"))->setChecked(false);
    QApplication::processEvents();
    results->selectionModel()->setCurrentIndex(results->model()->index(row, 0),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    results->scrollTo(results->model()->index(row, 0));
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
