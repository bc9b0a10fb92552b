#include "centreline.h"

#include <cmath>

#include "angles.h"
#include "float_fault.h"

namespace tarvelo {

namespace {

double TurnSign(const CurveState& s) { return s.alpha > 0 ? 1.0 : -1.0; }

// The last step of every method: the centreline point (xc, yc) moved by the
// offset m along FWJ + a. FWJ must already be stored.
void ApplyOffset(CurveState& s, double xc, double yc)
{
    const double dir = s.FWJ + s.a;
    s.Xp = Checked(xc + s.m * CosDeg(dir), "计算坐标X");
    s.Yp = Checked(yc + s.m * SinDeg(dir), "计算坐标Y");
}

// Clothoid local coordinates at arc length l from the spiral's tangent point,
// series truncated after the second term; each term (power of l / constant)
// / power of R / power of Ls.
double SpiralX(double l, double r, double ls)
{
    return l - std::pow(l, 5) / 40 / std::pow(r, 2) / std::pow(ls, 2);
}
double SpiralY(double l, double r, double ls)
{
    return std::pow(l, 3) / 6 / r / ls - std::pow(l, 7) / 336 / std::pow(r, 3) / std::pow(ls, 3);
}

// Tangent deflection in degrees at arc length l along a spiral.
double SpiralDeflection(double l, double r, double ls)
{
    return std::pow(l, 2) / 2 / r / ls * 180 / kPi;
}

}  // namespace

const char* SegmentName(Segment seg)
{
    switch (seg) {
    case Segment::ZX1: return "ZX1";
    case Segment::HY: return "HY";
    case Segment::YQ: return "YQ";
    case Segment::YH: return "YH";
    case Segment::ZX2: return "ZX2";
    }
    return "";
}

void ZX1(CurveState& s)
{
    const double d = Checked(s.ZH - s.K, "桩号");
    const double xc = Checked(s.X_ZH + d * CosDeg(s.FZH), "中桩坐标X");
    const double yc = Checked(s.Y_ZH + d * SinDeg(s.FZH), "中桩坐标Y");
    s.FWJ = s.F;
    ApplyOffset(s, xc, yc);
}

void HY(CurveState& s)
{
    if (s.Ls1 == 0) {
        YQ(s);
        return;
    }
    const double k = TurnSign(s);
    const double l = Checked(s.K - s.ZH, "桩号");
    const double beta = Checked(SpiralDeflection(l, s.R, s.Ls1), "缓和曲线切线角");
    s.FWJ = Checked(s.F + k * beta, "切线方位角");
    const double x = Checked(SpiralX(l, s.R, s.Ls1), "缓和曲线坐标x");
    const double y = Checked(SpiralY(l, s.R, s.Ls1), "缓和曲线坐标y");
    const double xc = Checked(s.X_ZH + x * CosDeg(s.F) - k * y * SinDeg(s.F), "中桩坐标X");
    const double yc = Checked(s.Y_ZH + x * SinDeg(s.F) + k * y * CosDeg(s.F), "中桩坐标Y");
    ApplyOffset(s, xc, yc);
}

void YQ(CurveState& s)
{
    const double k = TurnSign(s);
    const double l = Checked(s.K - s.ZH, "桩号");
    const double phi = Checked((l - s.Ls1 * 0.5) / s.R * 180 / kPi, "圆曲线切线角");
    s.FWJ = Checked(s.F + k * phi, "切线方位角");
    // The entry-side shift and increment hold for the whole arc, also past QZ.
    const double x = Checked(s.R * SinDeg(phi) + s.q1, "圆曲线坐标x");
    const double y = Checked(s.R * (1 - CosDeg(phi)) + s.p1, "圆曲线坐标y");
    const double xc = Checked(s.X_ZH + x * CosDeg(s.F) - k * y * SinDeg(s.F), "中桩坐标X");
    const double yc = Checked(s.Y_ZH + x * SinDeg(s.F) + k * y * CosDeg(s.F), "中桩坐标Y");
    ApplyOffset(s, xc, yc);
}

void YH(CurveState& s)
{
    double b = s.F2 + 180;
    if (b > 360) b -= 360;
    if (s.Ls2 == 0) {
        YQ(s);
        return;
    }
    const double k = TurnSign(s);
    const double l = Checked(s.HZ - s.K, "桩号");
    const double beta = Checked(SpiralDeflection(l, s.R, s.Ls2), "缓和曲线切线角");
    s.FWJ = Checked(s.F2 - k * beta, "切线方位角");
    const double x = Checked(SpiralX(l, s.R, s.Ls2), "缓和曲线坐标x");
    const double y = Checked(SpiralY(l, s.R, s.Ls2), "缓和曲线坐标y");
    // Seen from HZ looking back the curve bends to the other side.
    const double xc = Checked(s.X_HZ + x * CosDeg(b) + k * y * SinDeg(b), "中桩坐标X");
    const double yc = Checked(s.Y_HZ + x * SinDeg(b) - k * y * CosDeg(b), "中桩坐标Y");
    ApplyOffset(s, xc, yc);
}

void ZX2(CurveState& s)
{
    const double d = Checked(s.K - s.HZ, "桩号");
    const double xc = Checked(s.X_HZ + d * CosDeg(s.F2), "中桩坐标X");
    const double yc = Checked(s.Y_HZ + d * SinDeg(s.F2), "中桩坐标Y");
    s.FWJ = s.F2;
    ApplyOffset(s, xc, yc);
}

Segment SegmentAt(const CurveState& s, double k)
{
    if (k <= s.ZH) return Segment::ZX1;
    if (k <= s.HYStation) return Segment::HY;
    if (k <= s.YHStation) return Segment::YQ;
    if (k <= s.HZ) return Segment::YH;
    return Segment::ZX2;
}

CentrelinePoint PointAtStation(CurveState& s, double k, double m, double a)
{
    s.K = k;
    s.m = m;
    s.a = a;
    switch (SegmentAt(s, k)) {
    case Segment::ZX1: ZX1(s); break;
    case Segment::HY: HY(s); break;
    case Segment::YQ: YQ(s); break;
    case Segment::YH: YH(s); break;
    case Segment::ZX2: ZX2(s); break;
    }
    return {s.Xp, s.Yp, s.FWJ};
}

}  // namespace tarvelo
