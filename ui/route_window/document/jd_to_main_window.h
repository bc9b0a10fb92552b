#pragma once
// One JD of the route as the main window's eight input texts (Text1 ...
// Text8: X, Y, station, R, Ls1, Ls2, α, F), so that its "计算要素" computes
// that JD's curve: numbers in their shortest plain round-trip form, α (signed,
// right +) and F (the incoming leg's azimuth) as d.mmss numbers with six
// decimals of seconds (DmsNumberText), which the window reads back within
// 1.4e-10°.

#include "core/curve/curve_inputs.h"
#include "core/plan/route.h"

namespace tarvelo {

CurveTexts CurveTextsOfJd(const RouteCurve& curve);

}  // namespace tarvelo
