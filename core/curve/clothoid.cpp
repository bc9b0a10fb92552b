#include "core/curve/clothoid.h"

#include <cmath>
#include <limits>

#include "core/plan/plan_element.h"

namespace tarvelo {

namespace {

// Beyond this angle (radians) the alternating series loses all its digits to
// cancellation in double precision; no road spiral comes near it.
constexpr double kMaxSeriesAngle = 20;

}  // namespace

ClothoidXY ExactClothoid(double l, double r, double ls)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (!std::isfinite(l) || !std::isfinite(r) || !std::isfinite(ls) || r <= 0 || ls <= 0 || l < 0)
        return {nan, nan};
    // With t = l²/(2·r·ls), the tangent angle at l:
    //   x = l·Σ (−1)ⁿ t²ⁿ / ((4n+1)(2n)!),  y = l·Σ (−1)ⁿ t²ⁿ⁺¹ / ((4n+3)(2n+1)!).
    const double t = l * l / (2 * r * ls);
    if (t > kMaxSeriesAngle) return {nan, nan};
    double c = 1;  // t^(2n) / (2n)!
    double d = t;  // t^(2n+1) / (2n+1)!
    double sx = 0, sy = 0;
    for (int n = 0; n < 200; ++n) {
        const double sign = (n % 2 == 0) ? 1.0 : -1.0;
        const double tx = sign * c / (4 * n + 1);
        const double ty = sign * d / (4 * n + 3);
        const double nx = sx + tx, ny = sy + ty;
        if (nx == sx && ny == sy) break;
        sx = nx;
        sy = ny;
        c *= t * t / ((2 * n + 1) * (2 * n + 2));
        d *= t * t / ((2 * n + 2) * (2 * n + 3));
    }
    return {l * sx, l * sy};
}

double SeriesErrorMm(double r, double ls)
{
    if (ls == 0) return 0;
    const ClothoidXY exact = ExactClothoid(ls, r, ls);
    // The two-term series of the curve engine at l = ls.
    const double l = ls;
    const double x = l - std::pow(l, 5) / 40 / std::pow(r, 2) / std::pow(ls, 2);
    const double y = std::pow(l, 3) / 6 / r / ls - std::pow(l, 7) / 336 / std::pow(r, 3) / std::pow(ls, 3);
    return std::hypot(x - exact.x, y - exact.y) * 1000;
}

SpiralShift ExactSpiralShift(double r, double ls)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (!std::isfinite(r) || !std::isfinite(ls) || r <= 0 || ls < 0) return {nan, nan, nan, nan};
    if (ls == 0) return {0, 0, 0, 0};
    const std::optional<PlanElement> spiral = PlanElement::Make(0, 0, 0, ls, 0, 1 / r);
    if (!spiral) return {nan, nan, nan, nan};
    // In the start frame: azimuth 0 is x (along), 90° is y (to the turn's side).
    const PlanPose end = spiral->At(ls);
    const double beta = ls / (2 * r);
    const double half = std::sin(beta / 2);
    // 1 − cos β as 2·sin²(β/2): no cancellation for a flat spiral.
    return {end.y - 2 * r * half * half, end.x - r * std::sin(beta), end.x, end.y};
}

}  // namespace tarvelo
