#include "core/curve/curve_elements.h"

#include <cmath>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"

namespace tarvelo {

namespace {

// Shift p of the arc for a spiral of length ls: three series terms, each
// (power of ls / constant) / power of R.
double Shift(double ls, double r)
{
    return std::pow(ls, 2) / 24 / r - std::pow(ls, 4) / 2688 / std::pow(r, 3) +
           std::pow(ls, 6) / 506880 / std::pow(r, 5);
}

// Tangent increment q for a spiral of length ls.
double TangentIncrement(double ls, double r)
{
    return ls / 2 - std::pow(ls, 3) / 240 / std::pow(r, 2) + std::pow(ls, 5) / 34560 / std::pow(r, 4);
}

// Reduces an azimuth once by 360 when it is strictly above 360.
double ReduceOnce(double az) { return az > 360 ? az - 360 : az; }

}  // namespace

void YS(CurveState& s)
{
    const double R = s.R;
    s.p1 = Checked(Shift(s.Ls1, R), "内移值p1");
    s.p2 = Checked(Shift(s.Ls2, R), "内移值p2");
    s.q1 = Checked(TangentIncrement(s.Ls1, R), "切线增值q1");
    s.q2 = Checked(TangentIncrement(s.Ls2, R), "切线增值q2");
    CurveElementsFromShifts(s);
}

void CurveElementsFromShifts(CurveState& s)
{
    const double R = s.R;
    const double absAlpha = std::fabs(s.alpha);
    s.betao1 = Checked(s.Ls1 * 90 / kPi / R, "切线角βo1");
    s.betao2 = Checked(s.Ls2 * 90 / kPi / R, "切线角βo2");
    s.Ly = Checked((absAlpha - s.betao1 - s.betao2) * R * kPi / 180, "圆曲线长Ly");
    s.T1 = Checked((R + s.p1) * TanDeg(absAlpha / 2) + (s.p2 - s.p1) / SinDeg(absAlpha) + s.q1,
                   "第一切线长T1");
    s.T2 = Checked((s.p1 - s.p2) / SinDeg(absAlpha) + (R + s.p2) * TanDeg(absAlpha / 2) + s.q2,
                   "第二切线长T2");
    s.E = Checked((R + s.p1) / CosDeg(absAlpha / 2) - R, "外失距E");
    s.L = Checked(s.Ly + s.Ls1 + s.Ls2, "曲线长L");
    s.ZH = Checked(s.JD - s.T1, "直缓桩号ZH");
    s.HYStation = Checked(s.ZH + s.Ls1, "缓圆桩号HY");
    s.QZ = Checked(s.HYStation + s.Ly / 2, "曲中桩号QZ");
    s.YHStation = Checked(s.HYStation + s.Ly, "圆缓桩号YH");
    s.HZ = Checked(s.ZH + s.L, "缓直桩号HZ");
    s.FZH = Checked(ReduceOnce(s.F + 180), "第一切线反方位角");
    s.X_ZH = Checked(s.X + s.T1 * CosDeg(s.FZH), "直缓点坐标X");
    s.Y_ZH = Checked(s.Y + s.T1 * SinDeg(s.FZH), "直缓点坐标Y");
    s.F2 = Checked(ReduceOnce(s.F + s.alpha), "第二切线方位角");
    s.X_HZ = Checked(s.X + s.T2 * CosDeg(s.F2), "缓直点坐标X");
    s.Y_HZ = Checked(s.Y + s.T2 * SinDeg(s.F2), "缓直点坐标Y");
}

}  // namespace tarvelo
