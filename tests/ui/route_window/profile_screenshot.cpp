// Renders the profile drawing of a profile file (the shipped example)
// offscreen into a PNG for the README:
//
//   profile_screenshot examples/profile-example.csv docs/route-profile.png
//
// The file goes through the window's own import (the grade-point table and
// its profile), so the picture is what the route window shows. Any message
// box, or a profile the table refuses, is an error: printed, exit code 1.

#include <QApplication>
#include <QUndoStack>
#include <cstdio>
#include <cstdlib>

#include "ui/route_window/profile_document.h"
#include "ui/route_window/profile_panel.h"
#include "ui/route_window/profile_view.h"
#include "ui/ui_services.h"

namespace {

class FileDesktop : public tarvelo::UiServices {
public:
    explicit FileDesktop(QString file) : file_(std::move(file)) {}
    void showMessage(QWidget*, const QString& title, const QString& text,
                     tarvelo::MessageIcon) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qUtf8Printable(title),
                     qUtf8Printable(text));
        std::exit(1);
    }
    QString getSaveFileName(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString getOpenFileName(QWidget*, const QString&, const QStringList&) override { return file_; }
    bool startProgram(const QString&, const QStringList&, QString*) override { return false; }
    bool openLocation(const QString&, QString*) override { return false; }

private:
    QString file_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: profile_screenshot PROFILE_FILE OUT.png\n");
        return 2;
    }
    FileDesktop desktop(QString::fromLocal8Bit(argv[1]));
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
    return 0;
}
