#include "compute/survey_tools.h"

#include <cmath>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

AzimuthDistance AzimuthAndDistance(double xa, double ya, double xb, double yb)
{
    const double dx = Checked(xb - xa, "坐标差ΔX");
    const double dy = Checked(yb - ya, "坐标差ΔY");

    AzimuthDistance result;
    if (std::fabs(dx) < 1e-8) return result;  // divisor zero

    const double dy2 = Checked(dy * dy, "坐标差ΔY的平方");
    const double dx2 = Checked(dx * dx, "坐标差ΔX的平方");
    result.distance = Checked(std::sqrt(Checked(dy2 + dx2, "距离的平方")), "距离");

    double azimuth;
    if (std::fabs(dx) < 1e-6) {
        azimuth = dy > 0 ? 90 : 270;
    } else {
        // Same order of operations as the field formula: atan * 180 / kPi.
        azimuth = Checked(std::atan(dy / dx) * 180 / kPi, "方位角");
        if (dx < 0)
            azimuth += 180;
        else if (dy < 0)
            azimuth += 360;
    }
    // -0 from dy == -0, and 360 from a tiny negative dy, both mean north.
    if (azimuth == 0 || azimuth >= 360) azimuth = 0;
    result.azimuth = azimuth;
    result.ok = true;
    return result;
}

WholeDms SplitDegreesTruncated(double degrees)
{
    Checked(degrees, "方位角");
    if (!(std::fabs(degrees) < 1e15)) throw FloatFault("方位角");
    WholeDms out;
    const double d = std::trunc(degrees);
    const double r = (degrees - d) * 60;
    const double m = std::trunc(r);
    const double s = std::trunc((r - m) * 60);
    // + 0.0 turns -0 into 0 before the conversion to integers.
    out.degrees = static_cast<long long>(d + 0.0);
    out.minutes = static_cast<long long>(m + 0.0);
    out.seconds = static_cast<long long>(s + 0.0);
    return out;
}

double DegMinSecToRadians(double d, double m, double s)
{
    Checked(d, "度");
    Checked(m, "分");
    Checked(s, "秒");
    const double degrees = Checked(d + m / 60 + s / 3600, "角度");
    return Checked(degrees * kPi / 180, "弧度");
}

DegMinSec RadiansToDegMinSec(double radians)
{
    Checked(radians, "弧度");
    const double x = Checked(radians * 180 / kPi, "角度");
    DegMinSec out;
    out.degrees = std::floor(x);
    const double t = (x - out.degrees) * 60;
    out.minutes = std::floor(t);
    out.seconds = std::floor((t - out.minutes) * 600) / 10;
    return out;
}

std::string FormatRadians(double radians) { return FormatFixed(radians, 9); }

}  // namespace tarvelo
