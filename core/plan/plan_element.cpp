#include "core/plan/plan_element.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/numbers/angles.h"

namespace tarvelo {

namespace {

// Between two anchors the heading turns by at most kMaxTurn·(1 + 1/2) rad:
// the power series then converges to full double precision within about 20
// terms.
constexpr double kMaxTurn = 0.5;
// More anchors than this would be an element turning through about a million
// radians: no road has one, and its table would not fit in memory.
constexpr double kMaxAnchors = 1e6;

// 1/k for k = 0 .. 201: the series below multiplies instead of dividing, a
// division costing several multiplications.
struct Reciprocals {
    double r[202];
    constexpr Reciprocals() : r{}
    {
        for (int k = 1; k < 202; ++k) r[k] = 1.0 / k;
    }
};
constexpr Reciprocals kReciprocal;

}  // namespace

void PhaseIntegral(double a, double b, double d, double* re, double* im)
{
    // f(t) = exp(i·g(t)), g = a·t + b·t², satisfies f' = i·g'·f, so its
    // Taylor coefficients obey (n+1)·f[n+1] = i·(a·f[n] + 2b·f[n-1]). Scaled
    // by dⁿ they stay of the size of the phase's powers over n!.
    const double A = a * d, B = b * d * d;
    if (!std::isfinite(A) || !std::isfinite(B)) {
        *re = *im = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    double pr = 0, pi = 0;  // u[n-1]
    double cr = 1, ci = 0;  // u[n]
    double sr = 1, si = 0;  // Σ u[k] / (k+1)
    int quiet = 0;
    for (int n = 0; n < 200; ++n) {
        const double vr = A * cr + 2 * B * pr, vi = A * ci + 2 * B * pi;
        // u[n+1] = i·v / (n+1)
        const double inv = kReciprocal.r[n + 1], next = kReciprocal.r[n + 2];
        const double nr = -vi * inv, ni = vr * inv;
        const double tr = nr * next, ti = ni * next;
        const double before_r = sr, before_i = si;
        sr += tr;
        si += ti;
        pr = cr;
        pi = ci;
        cr = nr;
        ci = ni;
        // Every other term can vanish (a == 0): stop only after two terms in
        // a row changed nothing.
        quiet = (sr == before_r && si == before_i) ? quiet + 1 : 0;
        if (quiet >= 2) break;
    }
    *re = d * sr;
    *im = d * si;
}

std::optional<PlanElement> PlanElement::Make(double x0, double y0, double az0, double L, double k0,
                                             double k1, std::string* why)
{
    const auto refuse = [why](const char* text) -> std::optional<PlanElement> {
        if (why) *why = text;
        return std::nullopt;
    };
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(az0) || !std::isfinite(L) ||
        !std::isfinite(k0) || !std::isfinite(k1))
        return refuse("线元的起点、方位角、长度或曲率不是有限的数。");
    if (!(L > 0)) return refuse("线元长度必须大于0。");
    PlanElement e;
    e.x0_ = x0;
    e.y0_ = y0;
    e.az0_ = az0;
    e.cos0_ = CosDeg(az0);
    e.sin0_ = SinDeg(az0);
    e.length_ = L;
    e.k0_ = k0;
    e.k1_ = k1;
    e.rate_ = (k1 - k0) / L;
    if (k0 == 0 && k1 == 0) {
        e.shape_ = PlanShape::Line;
        return e;
    }
    if (k0 == k1) {
        e.shape_ = PlanShape::Arc;
        return e;
    }
    e.shape_ = PlanShape::Clothoid;
    const double kMax = std::max(std::fabs(k0), std::fabs(k1));
    const double step = std::min(kMaxTurn / kMax, std::sqrt(2 * kMaxTurn / std::fabs(e.rate_)));
    const double count = std::ceil(L / step);
    if (!(count <= kMaxAnchors)) return refuse("线元转过的角度太大（超过一百万弧度），无法计算。");
    const std::size_t n = std::max<std::size_t>(1, static_cast<std::size_t>(count));
    e.spacing_ = L / static_cast<double>(n);
    e.anchors_.resize(n);
    double u = 0, v = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const double s = e.spacing_ * static_cast<double>(j);
        const double turned = e.TurnedAt(s);
        Anchor& a = e.anchors_[j];
        a.u = u;
        a.v = v;
        a.cs = std::cos(turned);
        a.sn = std::sin(turned);
        a.kappa = k0 + e.rate_ * s;
        // On to the next anchor from this one, so that each step is short.
        double re = 0, im = 0;
        PhaseIntegral(a.kappa, e.rate_ / 2, e.spacing_, &re, &im);
        u += a.cs * re - a.sn * im;
        v += a.sn * re + a.cs * im;
    }
    return e;
}

double PlanElement::TurnedAt(double s) const
{
    s = std::clamp(s, 0.0, length_);
    return k0_ * s + rate_ * s * s / 2;
}

double PlanElement::CurvatureAt(double s) const
{
    s = std::clamp(s, 0.0, length_);
    return k0_ + rate_ * s;
}

void PlanElement::Local(double s, double* u, double* v) const
{
    switch (shape_) {
    case PlanShape::Line:
        *u = s;
        *v = 0;
        return;
    case PlanShape::Arc: {
        // The chord turns by half the arc's angle; its length s·sinc(φ/2)
        // has no cancellation, however large the radius.
        const double half = k0_ * s / 2;
        const double sh = std::sin(half), ch = std::cos(half);
        // s·sinc(half), reusing sin(half): the same value as Sinc(half).
        const double chord = std::fabs(half) < 1e-4 ? s * (1 - half * half / 6) : s * (sh / half);
        *u = chord * ch;
        *v = chord * sh;
        return;
    }
    case PlanShape::Clothoid: break;
    }
    std::size_t j = static_cast<std::size_t>(s / spacing_);
    if (j >= anchors_.size()) j = anchors_.size() - 1;
    const Anchor& a = anchors_[j];
    const double d = s - spacing_ * static_cast<double>(j);
    double re = 0, im = 0;
    PhaseIntegral(a.kappa, rate_ / 2, d, &re, &im);
    *u = a.u + a.cs * re - a.sn * im;
    *v = a.v + a.sn * re + a.cs * im;
}

PlanPose PlanElement::At(double s) const
{
    if (std::isnan(s)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan, nan};
    }
    s = std::clamp(s, 0.0, length_);
    double u = 0, v = 0;
    Local(s, &u, &v);
    // v lies to the right of the start tangent, i.e. along azimuth az0 + 90°.
    return {x0_ + u * cos0_ - v * sin0_, y0_ + u * sin0_ + v * cos0_,
            az0_ + TurnedAt(s) * (180 / kPi)};
}

}  // namespace tarvelo
