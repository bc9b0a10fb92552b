#pragma once
// YS: the curve elements and main points from the inputs of the CurveState.

#include "core/curve/curve_state.h"

namespace tarvelo {

// Computes p1, p2, q1, q2, betao1, betao2, Ly, T1, T2, E, L, the stations ZH,
// HYStation, QZ, YHStation, HZ, FZH, X_ZH, Y_ZH, F2, X_HZ, Y_HZ from the
// inputs, in twenty steps. Precondition: inputs filled by SJ with R != 0 and
// alpha != 0. Only the sign of alpha reaches F2; everything else uses |alpha|.
// FZH and F2 are reduced once by 360 when strictly above 360; a negative F2
// stays negative. Spirals too long for the deflection give a negative Ly, not
// a fault. A non-finite step result throws FloatFault: the fields of earlier
// steps then hold their new values, later ones their previous values.
void YS(CurveState& s);

// Steps 5 to 20 of YS alone: everything after the shifts and tangent
// increments, from the p1, p2, q1, q2 already in s. YS runs it after its
// series; the route's exact clothoids run it after their own p and q, so the
// two agree in every formula but those four values. Same preconditions and
// faults as YS.
void CurveElementsFromShifts(CurveState& s);

}  // namespace tarvelo
