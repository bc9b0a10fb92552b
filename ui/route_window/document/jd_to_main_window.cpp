#include "ui/route_window/document/jd_to_main_window.h"

#include "ui/route_window/document/route_texts.h"

namespace tarvelo {

CurveTexts CurveTextsOfJd(const RouteCurve& curve)
{
    const CurveState& s = curve.curve;
    return {PlainNumberText(s.X),   PlainNumberText(s.Y),   PlainNumberText(s.JD),
            PlainNumberText(s.R),   PlainNumberText(s.Ls1), PlainNumberText(s.Ls2),
            DmsNumberText(curve.alpha), DmsNumberText(s.F)};
}

}  // namespace tarvelo
