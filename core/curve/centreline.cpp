#include "core/curve/centreline.h"

#include <cmath>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"

namespace tarvelo {

namespace {

double TurnSign(const CurveState& s) { return s.alpha > 0 ? 1.0 : -1.0; }

// The last step of every method: the centreline point (xc, yc) moved by the
// offset m along FWJ + a.
CentrelinePoint ApplyOffset(const StakeQuery& q, double xc, double yc, double fwj)
{
    const double dir = fwj + q.a;
    return {Checked(xc + q.m * CosDeg(dir), "计算坐标X"), Checked(yc + q.m * SinDeg(dir), "计算坐标Y"),
            fwj};
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

CentrelinePoint ZX1(const CurveState& s, const StakeQuery& q)
{
    const double d = Checked(s.ZH - q.k, "桩号");
    const double xc = Checked(s.X_ZH + d * CosDeg(s.FZH), "中桩坐标X");
    const double yc = Checked(s.Y_ZH + d * SinDeg(s.FZH), "中桩坐标Y");
    return ApplyOffset(q, xc, yc, s.F);
}

CentrelinePoint HY(const CurveState& s, const StakeQuery& q)
{
    if (s.Ls1 == 0) return YQ(s, q);
    const double k = TurnSign(s);
    const double l = Checked(q.k - s.ZH, "桩号");
    const double beta = Checked(SpiralDeflection(l, s.R, s.Ls1), "缓和曲线切线角");
    const double fwj = Checked(s.F + k * beta, "切线方位角");
    const double x = Checked(SpiralX(l, s.R, s.Ls1), "缓和曲线坐标x");
    const double y = Checked(SpiralY(l, s.R, s.Ls1), "缓和曲线坐标y");
    const double xc = Checked(s.X_ZH + x * CosDeg(s.F) - k * y * SinDeg(s.F), "中桩坐标X");
    const double yc = Checked(s.Y_ZH + x * SinDeg(s.F) + k * y * CosDeg(s.F), "中桩坐标Y");
    return ApplyOffset(q, xc, yc, fwj);
}

CentrelinePoint YQ(const CurveState& s, const StakeQuery& q)
{
    const double k = TurnSign(s);
    const double l = Checked(q.k - s.ZH, "桩号");
    const double phi = Checked((l - s.Ls1 * 0.5) / s.R * 180 / kPi, "圆曲线切线角");
    const double fwj = Checked(s.F + k * phi, "切线方位角");
    // The entry-side shift and increment hold for the whole arc, also past QZ.
    const double x = Checked(s.R * SinDeg(phi) + s.q1, "圆曲线坐标x");
    const double y = Checked(s.R * (1 - CosDeg(phi)) + s.p1, "圆曲线坐标y");
    const double xc = Checked(s.X_ZH + x * CosDeg(s.F) - k * y * SinDeg(s.F), "中桩坐标X");
    const double yc = Checked(s.Y_ZH + x * SinDeg(s.F) + k * y * CosDeg(s.F), "中桩坐标Y");
    return ApplyOffset(q, xc, yc, fwj);
}

CentrelinePoint YH(const CurveState& s, const StakeQuery& q)
{
    double b = s.F2 + 180;
    if (b > 360) b -= 360;
    if (s.Ls2 == 0) return YQ(s, q);
    const double k = TurnSign(s);
    const double l = Checked(s.HZ - q.k, "桩号");
    const double beta = Checked(SpiralDeflection(l, s.R, s.Ls2), "缓和曲线切线角");
    const double fwj = Checked(s.F2 - k * beta, "切线方位角");
    const double x = Checked(SpiralX(l, s.R, s.Ls2), "缓和曲线坐标x");
    const double y = Checked(SpiralY(l, s.R, s.Ls2), "缓和曲线坐标y");
    // Seen from HZ looking back the curve bends to the other side.
    const double xc = Checked(s.X_HZ + x * CosDeg(b) + k * y * SinDeg(b), "中桩坐标X");
    const double yc = Checked(s.Y_HZ + x * SinDeg(b) - k * y * CosDeg(b), "中桩坐标Y");
    return ApplyOffset(q, xc, yc, fwj);
}

CentrelinePoint ZX2(const CurveState& s, const StakeQuery& q)
{
    const double d = Checked(q.k - s.HZ, "桩号");
    const double xc = Checked(s.X_HZ + d * CosDeg(s.F2), "中桩坐标X");
    const double yc = Checked(s.Y_HZ + d * SinDeg(s.F2), "中桩坐标Y");
    return ApplyOffset(q, xc, yc, s.F2);
}

Segment SegmentAt(const CurveState& s, double k)
{
    if (k <= s.ZH) return Segment::ZX1;
    if (k <= s.HYStation) return Segment::HY;
    if (k <= s.YHStation) return Segment::YQ;
    if (k <= s.HZ) return Segment::YH;
    return Segment::ZX2;
}

CentrelinePoint PointAtStation(const CurveState& s, double k, double m, double a)
{
    const StakeQuery q{k, m, a};
    switch (SegmentAt(s, k)) {
    case Segment::ZX1: return ZX1(s, q);
    case Segment::HY: return HY(s, q);
    case Segment::YQ: return YQ(s, q);
    case Segment::YH: return YH(s, q);
    case Segment::ZX2: break;
    }
    return ZX2(s, q);
}

}  // namespace tarvelo
