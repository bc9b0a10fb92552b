#include "core/plan/route_from_curve.h"

#include <cmath>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"

namespace tarvelo {

std::optional<std::string> RouteFromCurveRefusal(const CurveState& s)
{
    const double values[] = {s.X, s.Y, s.JD, s.R, s.Ls1, s.Ls2, s.alpha, s.F, s.F2, s.T1, s.T2, s.ZH, s.HZ};
    for (double v : values)
        if (!std::isfinite(v)) return std::string("曲线的要素不是有限数，不能作为线路导入。");
    if (std::fabs(s.alpha) >= 180)
        return std::string("偏角 α 的绝对值不小于 180°，线路的一个交点不能转过这样的角度，不能作为线路导入。");
    return std::nullopt;
}

std::vector<RoutePointInput> RouteRowsFromCurve(const CurveState& s)
{
    const double back = s.T1 + kRouteTangentBeyondCurve;
    const double ahead = s.T2 + kRouteTangentBeyondCurve;
    RoutePointInput qd;
    qd.name = "QD";
    qd.x = Checked(s.X - back * CosDeg(s.F), "QD的X");
    qd.y = Checked(s.Y - back * SinDeg(s.F), "QD的Y");
    qd.station = Checked(s.ZH - kRouteTangentBeyondCurve, "QD的桩号");

    RoutePointInput jd;
    jd.name = "JD1";
    jd.x = s.X;
    jd.y = s.Y;
    jd.station = s.JD;
    jd.R = s.R;
    jd.Ls1 = s.Ls1;
    jd.Ls2 = s.Ls2;

    RoutePointInput zd;
    zd.name = "ZD";
    zd.x = Checked(s.X + ahead * CosDeg(s.F2), "ZD的X");
    zd.y = Checked(s.Y + ahead * SinDeg(s.F2), "ZD的Y");
    return {qd, jd, zd};
}

}  // namespace tarvelo
