#include "ui/main_window/main_window_mode.h"

#include <QRadioButton>
#include <QWidget>

namespace tarvelo {

namespace {

constexpr bool Y = true, N = false;

ModeRule Shown(const char* name, bool fs, bool is, bool fc)
{
    return {name, {fs, is, fc}, {Y, Y, Y}};
}

ModeRule Enabled(const char* name, bool fs, bool is, bool fc)
{
    return {name, {Y, Y, Y}, {fs, is, fc}};
}

void Check(QWidget* root, const char* name, bool checked)
{
    if (auto* option = root->findChild<QRadioButton*>(QString::fromLatin1(name)))
        option->setChecked(checked);
}

}  // namespace

const std::vector<ModeRule>& ModeRules()
{
    static const std::vector<ModeRule> rules = {
        Shown("Frame2", Y, Y, N),     Shown("Frame3", Y, Y, N),     Shown("Frame5", Y, Y, N),
        Shown("Frame6", Y, Y, N),     Shown("Frame7", Y, Y, N),     Shown("Frame8", N, N, Y),
        Shown("Frame9", N, N, Y),     Enabled("Text41", Y, N, N),   Enabled("Text42", Y, N, Y),
        Enabled("Text43", Y, N, Y),   Enabled("Text47", N, Y, N),   Enabled("Text48", N, Y, N),
        Enabled("Text9", N, N, Y),    Enabled("Text10", N, N, Y),   Enabled("Text11", N, N, Y),
        Shown("Command1", Y, Y, N),   Shown("Command5", Y, Y, N),   Shown("Command2", Y, N, N),
        Shown("Command4", N, Y, N),   Shown("Command6", N, N, Y),   Shown("Command7", N, N, Y),
        Shown("Command8", N, N, Y),
    };
    return rules;
}

void ApplyMode(QWidget* root, MainWindowMode mode)
{
    const int m = static_cast<int>(mode);
    for (const ModeRule& rule : ModeRules()) {
        QWidget* w = root->findChild<QWidget*>(rule.name);
        Q_ASSERT(w);
        if (!w) continue;
        w->setEnabled(rule.enabled[m]);
        w->setVisible(rule.visible[m]);
    }
    // Within each frame the option buttons are exclusive, so checking one
    // unchecks its partner.
    Check(root, mode == MainWindowMode::InverseSingle ? "Option2" : "Option1", true);
    Check(root, mode == MainWindowMode::ForwardContinuous ? "Option4" : "Option3", true);
}

OptionClick ClickOption(MainWindowMode current, ModeOption option)
{
    using M = MainWindowMode;
    const OptionClick unchanged{current, false, false, false};
    switch (option) {
    case ModeOption::Forward:
        if (current != M::InverseSingle) return unchanged;
        return {M::ForwardSingle, true, false, true};
    case ModeOption::Inverse:
        if (current == M::InverseSingle) return unchanged;
        return {M::InverseSingle, true, true, false};
    case ModeOption::Single:
        if (current != M::ForwardContinuous) return unchanged;
        return {M::ForwardSingle, true, false, false};
    case ModeOption::Continuous:
        if (current == M::ForwardContinuous) return unchanged;
        return {M::ForwardContinuous, true, false, current == M::InverseSingle};
    }
    return unchanged;
}

}  // namespace tarvelo
