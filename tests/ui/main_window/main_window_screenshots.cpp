// Renders the main window offscreen in its three modes after "计算要素" with
// the default curve, into DIR/main-forward-single.png, DIR/main-inverse.png
// and DIR/main-continuous.png (the pictures of the README):
//
//   main_window_screenshots docs
//
// Every computation of the defaults succeeds, so any message box is an error:
// it is printed and the tool ends with exit code 1.

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>

#include "ui/main_window/main_window.h"
#include "ui/ui_services.h"

namespace {

class NoDesktop : public tarvelo::UiServices {
public:
    void showMessage(QWidget*, const QString& title, const QString& text,
                     tarvelo::MessageIcon) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qUtf8Printable(title),
                     qUtf8Printable(text));
        std::exit(1);
    }
    QString getSaveFileName(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString getOpenFileName(QWidget*, const QString&, const QStringList&) override { return {}; }
    bool startProgram(const QString&, const QStringList&, QString*) override { return false; }
    bool openLocation(const QString&, QString*) override { return false; }
};

template <typename T>
T* Find(QWidget* w, const char* name)
{
    T* found = w->findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "no control %s\n", name);
        std::exit(1);
    }
    return found;
}

bool Save(QWidget* window, const QDir& dir, const char* file)
{
    QApplication::processEvents();
    const QString path = dir.filePath(QString::fromLatin1(file));
    if (!window->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    std::printf("%s\n", qUtf8Printable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: main_window_screenshots DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists()) {
        std::fprintf(stderr, "no folder %s\n", argv[1]);
        return 2;
    }

    NoDesktop desktop;
    tarvelo::MainWindow window(desktop);
    window.show();
    Find<QPushButton>(&window, "Command1")->click();
    Find<QPushButton>(&window, "Command2")->click();
    bool ok = Save(&window, dir, "main-forward-single.png");

    Find<QRadioButton>(&window, "Option2")->click();
    Find<QPushButton>(&window, "Command4")->click();
    ok = Save(&window, dir, "main-inverse.png") && ok;

    Find<QRadioButton>(&window, "Option4")->click();
    Find<QPushButton>(&window, "Command6")->click();
    ok = Save(&window, dir, "main-continuous.png") && ok;
    return ok ? 0 : 1;
}
