// Renders the route window's 复核 tab offscreen into a PNG for the README:
// the route and its profile imported, the design's stake table with its
// planted errors checked, the flagged row of a wrong coordinate chosen, so
// the plan shows its design point ringed and joined to the route's point:
//
//   check_screenshot examples/route-example.csv examples/profile-example.csv
//       examples/design-check-example.csv docs/route-window-check.png
//
// (one command line)
//
// Every file goes through the window's own buttons. Any message box, or a
// file the window refuses, is an error: printed, exit code 1.

#include <QApplication>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <cstdio>
#include <cstdlib>

#include "ui/route_window/check/check_panel.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/route_window.h"
#include "ui/ui_services.h"

namespace {

class FileDesktop : public tarvelo::UiServices {
public:
    explicit FileDesktop(QStringList files) : files_(std::move(files)) {}
    void showMessage(QWidget*, const QString& title, const QString& text, tarvelo::MessageIcon) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
        std::exit(1);
    }
    QString getSaveFileName(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString getOpenFileName(QWidget*, const QString&, const QStringList&) override
    {
        return files_.isEmpty() ? QString() : files_.takeFirst();
    }
    bool startProgram(const QString&, const QStringList&, QString*) override { return false; }
    bool openLocation(const QString&, QString*) override { return false; }

private:
    QStringList files_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: check_screenshot ROUTE_FILE PROFILE_FILE DESIGN_FILE OUT.png\n");
        return 2;
    }
    FileDesktop desktop({QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                         QString::fromLocal8Bit(argv[3])});
    tarvelo::RouteWindow window(desktop, {});
    // Larger than the usual window: the tab's table needs its columns and rows.
    window.resize(1500, 820);
    window.show();
    QApplication::processEvents();
    window.importRoute();
    window.profilePanel()->importProfile();
    if (!window.document()->route() || !window.profilePanel()->profile()) {
        std::fprintf(stderr, "the route or the profile is refused\n");
        return 1;
    }
    auto* panel = window.findChild<tarvelo::CheckPanel*>(QStringLiteral("checkPanel"));
    window.findChild<QTabWidget*>(QStringLiteral("toolTabs"))->setCurrentWidget(panel);
    // More of the width and height to the tab than the usual window gives it.
    window.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->setSizes({700, 800});
    if (auto* right = qobject_cast<QSplitter*>(panel->parentWidget()->parentWidget()->parentWidget()))
        right->setSizes({400, 360});
    panel->loadDesign();
    if (!panel->result()) {
        std::fprintf(stderr, "the design table is refused\n");
        return 1;
    }
    QApplication::processEvents();
    window.planView()->fit();
    // The flagged rows come first in line order: P5's station, P12's X.
    panel->table()->setCurrentIndex(panel->table()->model()->index(1, 0));
    QApplication::processEvents();
    const QString out = QString::fromLocal8Bit(argv[4]);
    if (!window.grab().save(out)) {
        std::fprintf(stderr, "cannot write %s\n", argv[4]);
        return 1;
    }
    std::printf("%s\n", argv[4]);
    return 0;
}
