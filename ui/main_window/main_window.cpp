#include "ui/main_window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/main_window/control_names.h"
#include "ui/main_window/external_programs.h"
#include "ui/main_window/fitted_cell.h"
#include "ui/main_window/main_form_layout.h"
#include "ui/main_window/shared_file_dialog.h"
#include "ui/main_window/window_font.h"
#include "ui/ui_services.h"
#ifdef TARVELO_HAVE_TOOL_WINDOWS
#include "ui/tools/tool_windows.h"
#endif
#ifdef TARVELO_HAVE_ROUTE_WINDOW
#include "ui/route_window/route_window_launcher.h"
#endif

namespace tarvelo {

MainWindow::MainWindow(UiServices& services, QWidget* parent)
    : QMainWindow(parent), services_(services), fileDialog_(new SharedFileDialog(services, this))
{
    setObjectName(QStringLiteral("测量工程"));
    setWindowTitle(kApplicationTitle);
    setFont(MainWindowFont());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    BuildMainForm(client);
    setCentralWidget(client);
    buildMenus();
    // The client area has a fixed size; the window is that plus the menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

#ifdef TARVELO_HAVE_TOOL_WINDOWS
    tools_ = new ToolWindows(services_, this);
#endif
#ifdef TARVELO_HAVE_ROUTE_WINDOW
    routeWindow_ = new RouteWindowLauncher(
        services_, [this](const CurveTexts& texts) { receiveCurve(texts); }, this);
    routeWindow_->setMainCurveSource([this] { return curveTexts(); });
#endif
    connectControls();
    ApplyMode(this, mode_);
    box("Text1")->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus()
{
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
        void (MainWindow::*run)();
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::vector<Item> items;
    };
    // Items without a handler here are wired to the tool windows below.
    const Menu menus[] = {
        {"File", "文件(&F)",
         {{"Open", "导入数据", "Ctrl+O", &MainWindow::importCurve},
          {"Export", "导出数据", "Ctrl+S", &MainWindow::exportCurve},
          {"Exit", "退出", "Ctrl+E", &MainWindow::exitProgram}}},
        {"GongJu", "工具(&T)",
         {{"FWJ", "方位角和距离", nullptr, nullptr},
          {"Red", "角度弧度转换", nullptr, nullptr},
          {"Notepad", "记事本", nullptr, &MainWindow::startNotepad},
          {"Calc", "计算器", nullptr, &MainWindow::startCalculator},
#ifdef TARVELO_HAVE_ROUTE_WINDOW
          {"XianLu", "线路计算", nullptr, nullptr},
#endif
         }},
        {"BangZhu", "帮助(&H)",
         {{"LianBang", "联机帮助", nullptr, nullptr}, {"About", "关于", nullptr, nullptr}}},
    };
    for (const Menu& m : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        for (const Item& item : m.items) {
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QString::fromLatin1(item.name));
            if (item.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            if (item.run) connect(action, &QAction::triggered, this, item.run);
        }
    }
}

void MainWindow::connectControls()
{
    const std::pair<const char*, void (MainWindow::*)()> buttons[] = {
        {"Command1", &MainWindow::computeElements},   {"Command2", &MainWindow::computeForwardPoint},
        {"Command3", &MainWindow::clearCurveInputs},  {"Command4", &MainWindow::computeInverse},
        {"Command5", &MainWindow::saveElementsReport}, {"Command6", &MainWindow::computeTable},
        {"Command7", &MainWindow::saveResultsReport}, {"Command8", &MainWindow::showElementsHint},
    };
    for (const auto& [name, run] : buttons)
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this, run);

    const std::pair<const char*, ModeOption> options[] = {
        {"Option1", ModeOption::Forward},
        {"Option2", ModeOption::Inverse},
        {"Option3", ModeOption::Single},
        {"Option4", ModeOption::Continuous},
    };
    for (const auto& [name, option] : options) {
        connect(findChild<QRadioButton*>(QString::fromLatin1(name)), &QRadioButton::clicked, this,
                [this, option = option] { clickOption(option); });
    }

#ifdef TARVELO_HAVE_TOOL_WINDOWS
    connect(findChild<QAction*>("FWJ"), &QAction::triggered, tools_, &ToolWindows::showAzimuthTool);
    connect(findChild<QAction*>("Red"), &QAction::triggered, tools_,
            &ToolWindows::showAngleConverter);
    connect(findChild<QAction*>("About"), &QAction::triggered, tools_, &ToolWindows::showAbout);
    connect(findChild<QAction*>("LianBang"), &QAction::triggered, this,
            [this] { tools_->openHelp(this); });
#endif
#ifdef TARVELO_HAVE_ROUTE_WINDOW
    connect(findChild<QAction*>("XianLu"), &QAction::triggered, routeWindow_,
            &RouteWindowLauncher::show);
#endif
}

// --- controls --------------------------------------------------------------

QLineEdit* MainWindow::box(const char* name) const
{
    auto* w = findChild<QLineEdit*>(QString::fromLatin1(name));
    Q_ASSERT(w);
    return w;
}

QLabel* MainWindow::label(const char* name) const
{
    auto* w = findChild<QLabel*>(QString::fromLatin1(name));
    Q_ASSERT(w);
    return w;
}

QPlainTextEdit* MainWindow::resultsBox() const
{
    return findChild<QPlainTextEdit*>(QStringLiteral("Text12"));
}

void MainWindow::setLabel(const char* name, const QString& text)
{
    QLabel* cell = label(name);
    cell->setText(text);
    // The station cells of the main stakes: every station up to 999 km is
    // read whole, in a smaller font where the cell is too narrow for it.
    for (const char* station : {"Label45", "Label49", "Label53", "Label57", "Label61"})
        if (qstrcmp(name, station) == 0) FitLabelText(cell, MainWindowFont());
}

void MainWindow::tell(const QString& text, QWidget* focus)
{
    services_.showMessage(this, kMessageTitle, text, MessageIcon::Information);
    if (focus) focus->setFocus();
}

void MainWindow::tell(const std::string& text, QWidget* focus)
{
    tell(QString::fromStdString(text), focus);
}

void MainWindow::tell(const char* text, QWidget* focus) { tell(QString::fromUtf8(text), focus); }

// --- modes and the clear command ----------------------------------------------

void MainWindow::clickOption(ModeOption option)
{
    const OptionClick click = ClickOption(mode_, option);
    if (click.clearForwardResult) {
        for (const char* name : {"Label77", "Label78", "Label79"}) setLabel(name, {});
    }
    if (click.clearInverseResult) {
        for (const char* name : {"Label80", "Label81"}) setLabel(name, {});
    }
    mode_ = click.mode;
    // Also when nothing changed: the toolkit may have moved the check mark
    // within the clicked group, and the mode puts it back.
    ApplyMode(this, mode_);
}

void MainWindow::clearCurveInputs()
{
    for (const char* name : kCurveInputBoxes) box(name)->clear();
    box("Text1")->setFocus();
}

// --- desktop programs and Exit -----------------------------------------------

void MainWindow::startCalculator()
{
    const auto launch = CalculatorLaunch();
    if (!launch) return tell(NoCalculatorMessage());
    QString error;
    if (!services_.startProgram(launch->program, launch->arguments, &error)) tell(error);
}

void MainWindow::startNotepad()
{
    QString error;
    const auto file = WriteWelcomeFile(&error);
    if (!file) return tell(error);
    const auto launch = TextEditorLaunch(*file);
    if (!launch) {
        QFile::remove(*file);
        return tell(NoTextEditorMessage());
    }
    if (!services_.startProgram(launch->program, launch->arguments, &error)) {
        QFile::remove(*file);
        tell(error);
    }
}

void MainWindow::exitProgram()
{
    // Every window of the program closes, the tool windows included; no
    // file is open outside a running command.
#ifdef TARVELO_HAVE_TOOL_WINDOWS
    tools_->closeAll();
#endif
#ifdef TARVELO_HAVE_ROUTE_WINDOW
    routeWindow_->close();
#endif
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void MainWindow::receiveCurve(const CurveTexts& texts)
{
    for (int i = 0; i < kCurveInputCount; ++i)
        box(kCurveInputBoxes[i])->setText(QString::fromStdString(texts[i]));
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

}  // namespace tarvelo
