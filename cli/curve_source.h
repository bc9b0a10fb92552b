#pragma once
// The eight curve texts of --curve FILE.

#include <optional>
#include <string>

#include "core/curve/curve_inputs.h"

namespace tarvelo {

struct CurveLoad {
    CurveTexts texts;
    std::optional<std::string> error;  // a sentence naming the file and the reason
};

// Reads a curve data file as the window's import command does.
CurveLoad LoadCurveTexts(const std::string& path);

}  // namespace tarvelo
