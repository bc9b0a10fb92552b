// tarvelo: the desktop program. Opens the main window 测量工程 on the real
// desktop (message boxes, file dialogs, program launches).
//
// Without a display the toolkit would abort with its own error; the program
// says what is missing instead and ends with exit code 2.

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "ui/main_window/main_window.h"
#include "ui/qt_ui_services.h"
#include "ui/tools/help_page.h"

namespace {

constexpr int kNoDisplayExitCode = 2;

const char kNoDisplayMessage[] =
    "tarvelo: 无法打开窗口：没有可用的图形显示。"
    "请在图形桌面中运行，或设置 DISPLAY / WAYLAND_DISPLAY（无显示时可用 tarvelo-cli）。\n"
    "tarvelo: cannot open the window: no graphical display is available.\n";

bool Set(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v;
}

// On X11/Wayland desktops a display is named by the environment; a platform
// chosen explicitly (QT_QPA_PLATFORM, e.g. offscreen) is taken as given.
bool DisplayNamed()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// The toolkit ends with a fatal message when its platform cannot start (a
// display that is named but unreachable); turn that into the plain message.
void FatalToNoDisplay(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplayMessage, stderr);
        std::fprintf(stderr, "(%s)\n", text.toLocal8Bit().constData());
        std::_Exit(kNoDisplayExitCode);
    }
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv)
{
    if (!DisplayNamed()) {
        std::fputs(kNoDisplayMessage, stderr);
        return kNoDisplayExitCode;
    }
    const QtMessageHandler previous = qInstallMessageHandler(FatalToNoDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);

    tarvelo::QtUiServices services;
    tarvelo::MainWindow window(services);
    window.show();
    // TARVELO_SELF_CHECK: the window starts as usual, then the program says
    // where it finds its help page and examples and ends, with status 0 when
    // the help page is found (how the package test checks an unpacked tree).
    if (qEnvironmentVariableIsSet("TARVELO_SELF_CHECK")) {
        // UTF-8, as on Linux: Windows' ANSI code page may lack the path's characters.
        std::fputs(tarvelo::DataPlacesReport().toUtf8().constData(), stdout);
        return tarvelo::FindHelpPage(tarvelo::HelpPageCandidates()).isEmpty() ? 1 : 0;
    }
    return app.exec();
}
