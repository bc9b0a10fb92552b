// Renders the tool windows with their default contents into PNG files:
//   tool_screenshots [output dir]      (default: the current directory)
// writes tool-azimuth.png, tool-converter.png and about.png. Runs offscreen
// unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

#include "tests/ui/support/fake_ui_services.h"
#include "ui/tools/tool_windows.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    tarvelo::uitest::FakeUiServices services;
    tarvelo::ToolWindows tools(services);
    const struct {
        QWidget* window;
        const char* file;
    } shots[] = {
        {tools.showAzimuthTool(), "tool-azimuth.png"},
        {tools.showAngleConverter(), "tool-converter.png"},
        {tools.showAbout(), "about.png"},
    };
    int failures = 0;
    for (const auto& shot : shots) {
        QApplication::processEvents();
        const QString path = out.filePath(QString::fromLatin1(shot.file));
        if (shot.window->grab().save(path)) {
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
        } else {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    tools.closeAll();
    return failures == 0 ? 0 : 1;
}
