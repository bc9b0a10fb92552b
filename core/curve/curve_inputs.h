#pragma once
// The eight curve inputs: their captions, default texts, tooltips and check
// messages, the check that every computing command runs first, and SJ, which
// reads the eight texts into the CurveState.

#include <array>
#include <optional>
#include <string>

#include "core/curve/curve_state.h"

namespace tarvelo {

inline constexpr int kCurveInputCount = 8;

// Texts of the eight inputs in field order (UTF-8).
using CurveTexts = std::array<std::string, kCurveInputCount>;

// The eight inputs in their order; InputFailure::index and CurveTexts
// follow it. The window maps each field to its own controls.
enum class CurveField { X, Y, JD, R, Ls1, Ls2, Alpha, F };

struct CurveInputDef {
    CurveField field;
    const char* caption;   // caption text, spacing kept
    const char* defaultText;
    const char* tooltip;   // same on box and label
    const char* message;   // shown when the check of this box fails
    bool mustBeNonZeroNumber;  // R and alpha: strict number, not zero
};

extern const std::array<CurveInputDef, kCurveInputCount> kCurveInputs;

// The default texts of a new window.
CurveTexts DefaultCurveTexts();

// Index (0-based, in field order) and message of the first box that fails its
// check, in box order; nullopt when all eight pass. A box fails when blank
// (empty after trimming spaces); R and alpha also fail when their trimmed
// text is not wholly a number or that number is zero.
struct InputFailure {
    int index;
    std::string message;
};
std::optional<InputFailure> ValidateCurveInputs(const CurveTexts& texts);

// SJ: the eight texts by the lenient reader into X, Y, JD, R, Ls1, Ls2, alpha,
// F; alpha and F then from d.mmss to decimal degrees. No validation: callers
// validate first. A text whose number overflows a double throws FloatFault;
// in that case no field has changed.
void SJ(CurveState& s, const CurveTexts& texts);

// The ElementsComputed message (elements table never filled).
inline constexpr const char* kElementsNotComputedMessage = "请先点击“计算要素”按钮！";

}  // namespace tarvelo
