// Renders the profile drawing of a profile file (the shipped example)
// offscreen into a PNG for the README:
//
//   profile_screenshot examples/profile-example.csv docs/route-profile.png
//       [examples/route-example.csv docs/route-window-profile.png [BREAKS]]
//
// With a route file too, the whole route window follows: the route (and its
// chain breaks, when a break file is given) and the profile imported, the
// 20 m stake table with its design elevations, the profile's tab in front.
//
// The file goes through the window's own import (the grade-point table and
// its profile), so the picture is what the route window shows. Any message
// box, or a profile the table refuses, is an error: printed, exit code 1.

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QUndoStack>
#include <cstdio>
#include <cstdlib>

#include "ui/route_window/profile/profile_document.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/profile/profile_view.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/route_window.h"
#include "ui/ui_services.h"

namespace {

class FileDesktop : public tarvelo::UiServices {
public:
    explicit FileDesktop(QStringList files) : files_(std::move(files)) {}
    void showMessage(QWidget*, const QString& title, const QString& text,
                     tarvelo::MessageIcon) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qUtf8Printable(title),
                     qUtf8Printable(text));
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

bool SaveWindow(const QString& route, const QString& profile, const QString& out, const QString& breaks)
{
    FileDesktop desktop(breaks.isEmpty() ? QStringList{route, profile} : QStringList{route, breaks, profile});
    tarvelo::RouteWindow window(desktop, {});
    window.resize(1320, 690);
    window.show();
    QApplication::processEvents();
    window.importRoute();
    if (!breaks.isEmpty()) window.findChild<QAction*>(QStringLiteral("importBreaksAction"))->trigger();
    window.profilePanel()->importProfile();
    if (!window.document()->route() || !window.profilePanel()->profile()) {
        std::fprintf(stderr, "the route or the profile is refused\n");
        return false;
    }
    window.findChild<QLineEdit*>(QStringLiteral("intervalEdit"))->setText(QStringLiteral("20"));
    window.computeStakes();
    window.findChild<QTabWidget*>(QStringLiteral("viewTabs"))->setCurrentWidget(window.profilePanel());
    QApplication::processEvents();
    window.profilePanel()->view()->fit();
    QApplication::processEvents();
    if (!window.grab().save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(out));
        return false;
    }
    std::printf("%s\n", qUtf8Printable(out));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3 && argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: profile_screenshot PROFILE_FILE OUT.png [ROUTE_FILE WINDOW.png [BREAKS_FILE]]\n");
        return 2;
    }
    FileDesktop desktop({QString::fromLocal8Bit(argv[1])});
    QUndoStack undo;
    QString folder;
    tarvelo::ProfilePanel panel(desktop, &undo, folder);
    panel.importProfile();
    if (!panel.profile()) {
        std::fprintf(stderr, "the profile is refused: %s\n",
                     qUtf8Printable(panel.document()->status()));
        return 1;
    }
    // The drawing alone, at a size that keeps the README page readable.
    tarvelo::ProfileView* view = panel.view();
    view->setParent(nullptr);
    view->resize(1200, 520);
    view->show();
    QApplication::processEvents();
    view->fit();
    QApplication::processEvents();
    std::printf("%.4f pixels a metre of station\n", view->pixelsPerMetre());
    const QString out = QString::fromLocal8Bit(argv[2]);
    if (!view->grab().save(out)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s\n", argv[2]);
    if (argc >= 5 && !SaveWindow(QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[1]),
                                 QString::fromLocal8Bit(argv[4]), argc == 6 ? QString::fromLocal8Bit(argv[5]) : QString()))
        return 1;
    return 0;
}
