#pragma once
// 测量工程, the main window: the curve inputs, the three computation modes,
// the result tables, the eight command buttons and the menus.
//
// The controls are made from the layout tables of main_form_layout.h and are
// found by their objectNames. Each handler reads its controls, calls the
// engine or the file layer and writes its result controls; every message
// goes through UiServices as a modal box with the information icon.

#include <QMainWindow>
#include <array>

#include "core/curve/curve_inputs.h"
#include "core/curve/curve_state.h"
#include "ui/main_window/main_window_mode.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tarvelo {

class RouteWindowLauncher;
class SharedFileDialog;
class ToolWindows;
class UiServices;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(UiServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindowMode mode() const { return mode_; }

private:
    void buildMenus();
    void connectControls();

    // Option buttons and the clear command.
    void clickOption(ModeOption option);
    void clearCurveInputs();  // Command3

    // Computing commands.
    void computeElements();        // Command1
    void computeForwardPoint();    // Command2
    void computeTable();           // Command6
    void computeInverse();         // Command4

    // Reports and the curve data file.
    void saveElementsReport();  // Command5
    void showElementsHint();    // Command8
    void saveResultsReport();   // Command7
    void importCurve();         // Open
    void exportCurve();         // Export

    // The Tools menu's desktop programs and Exit.
    void startCalculator();  // Calc
    void startNotepad();     // Notepad
    void exitProgram();      // Exit
    // A JD handed over by the route window: its eight texts into Text1 ...
    // Text8, and this window to the front; nothing else changes.
    void receiveCurve(const CurveTexts& texts);

    // Controls by name.
    QLineEdit* box(const char* name) const;
    QLabel* label(const char* name) const;
    QPlainTextEdit* resultsBox() const;
    void setLabel(const char* name, const QString& text);

    CurveTexts curveTexts() const;
    // Runs the eight curve-input checks; on a failure shows its message,
    // moves the focus to its box and returns false.
    bool curveInputsPass();
    // The ZH station cell is filled; the single-point commands trim it.
    bool elementsComputedTrimmed() const;
    // Shows a message box titled 提示; then, when focus is given, moves the
    // keyboard focus there.
    void tell(const QString& text, QWidget* focus = nullptr);
    void tell(const std::string& text, QWidget* focus = nullptr);
    void tell(const char* text, QWidget* focus = nullptr);

    UiServices& services_;
    SharedFileDialog* fileDialog_;
    ToolWindows* tools_ = nullptr;
    RouteWindowLauncher* routeWindow_ = nullptr;
    CurveState state_;
    MainWindowMode mode_ = MainWindowMode::ForwardSingle;
    // The stations the main-stakes table shows, from its last filling.
    std::array<double, 5> shownStations_{};
};

}  // namespace tarvelo
