#include "ui/route_window/jd_to_main_window.h"

#include "core/route_file.h"
#include "ui/route_window/route_texts.h"

namespace tarvelo {

CurveTexts CurveTextsOfJd(const RouteCurve& curve)
{
    const CurveState& s = curve.curve;
    return {RoundTripText(s.X),   RoundTripText(s.Y),   RoundTripText(s.JD),
            RoundTripText(s.R),   RoundTripText(s.Ls1), RoundTripText(s.Ls2),
            DmsNumberText(curve.alpha), DmsNumberText(s.F)};
}

}  // namespace tarvelo
