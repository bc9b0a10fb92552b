#pragma once
// The first steps of every computing command: check the eight curve inputs,
// then SJ and YS.

#include <optional>

#include "core/curve/curve_inputs.h"
#include "core/curve/curve_state.h"

namespace tarvelo {

// SJ then YS: the one way a curve is prepared from its texts. Precondition:
// the texts passed ValidateCurveInputs. Throws FloatFault from SJ or YS.
void PrepareCurveState(CurveState& s, const CurveTexts& texts);

// Runs ValidateCurveInputs; on success SJ and YS on s and returns nullopt.
// On a failed check returns it and leaves s untouched. Throws FloatFault from
// SJ or YS.
std::optional<InputFailure> PrepareCurve(CurveState& s, const CurveTexts& texts);

}  // namespace tarvelo
