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
#include <cstdio>

#include "ui/route_window/plan_view.h"
#include "ui/route_window/route_document.h"
#include "ui/route_window/route_window.h"
#include "ui/ui_services.h"

namespace {

class FileDesktop : public tarvelo::UiServices {
public:
    explicit FileDesktop(QString file) : file_(std::move(file)) {}
    void showMessage(QWidget*, const QString& title, const QString& text, tarvelo::MessageIcon) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
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
        std::fprintf(stderr, "usage: route_elements_screenshot ELEMENT_FILE PNG\n");
        return 2;
    }
    FileDesktop desktop(QString::fromLocal8Bit(argv[1]));
    tarvelo::RouteWindow window(desktop, {});
    window.show();
    QApplication::processEvents();
    window.importRoute();
    const auto route = window.document()->route();
    if (!route || route->method() != tarvelo::RouteMethod::Elements) {
        std::fprintf(stderr, "no element route: %s\n", qUtf8Printable(window.document()->status()));
        return 1;
    }
    window.findChild<QLineEdit*>(QStringLiteral("intervalEdit"))->setText(QStringLiteral("20"));
    window.findChild<QPushButton*>(QStringLiteral("stakeButton"))->click();
    QApplication::processEvents();
    window.planView()->fit();
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
