#pragma once
// The main window's three computation modes: which frames, boxes and buttons
// each shows and enables, and how a click on one of the four option buttons
// moves between them.

#include <QString>
#include <vector>

class QWidget;

namespace tarvelo {

enum class MainWindowMode { ForwardSingle, InverseSingle, ForwardContinuous };

// One control whose state depends on the mode, indexed by the mode's value.
struct ModeRule {
    QString name;      // objectName
    bool visible[3];   // ForwardSingle, InverseSingle, ForwardContinuous
    bool enabled[3];
};

// Every mode-dependent control. Those not listed (the curve inputs, Frame1,
// Frame4, the option buttons, Command3) never change.
const std::vector<ModeRule>& ModeRules();

// Sets visibility and enabled state of the controls under root as the rules
// say for mode. The option buttons are set to show the mode: Option1 or
// Option2 for the direction, Option3 or Option4 for the method.
void ApplyMode(QWidget* root, MainWindowMode mode);

// The option buttons Option1 ... Option4.
enum class ModeOption { Forward = 1, Inverse = 2, Single = 3, Continuous = 4 };

// What a click on an option button does from the current mode. Clicking the
// option that is already selected changes nothing (changed is false and no
// result is cleared).
struct OptionClick {
    MainWindowMode mode;
    bool changed;
    bool clearForwardResult;  // Label77, Label78, Label79
    bool clearInverseResult;  // Label80, Label81
};
OptionClick ClickOption(MainWindowMode current, ModeOption option);

}  // namespace tarvelo
