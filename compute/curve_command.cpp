#include "curve_command.h"

#include "core/curve_elements.h"

namespace tarvelo {

std::optional<InputFailure> PrepareCurve(CurveState& s, const CurveTexts& texts)
{
    if (auto failure = ValidateCurveInputs(texts)) return failure;
    SJ(s, texts);
    YS(s);
    return std::nullopt;
}

}  // namespace tarvelo
