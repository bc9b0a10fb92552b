#include "curve_command.h"

#include "core/curve/curve_elements.h"

namespace tarvelo {

void PrepareCurveState(CurveState& s, const CurveTexts& texts)
{
    SJ(s, texts);
    YS(s);
}

std::optional<InputFailure> PrepareCurve(CurveState& s, const CurveTexts& texts)
{
    if (auto failure = ValidateCurveInputs(texts)) return failure;
    PrepareCurveState(s, texts);
    return std::nullopt;
}

}  // namespace tarvelo
