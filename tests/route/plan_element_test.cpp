// The exact plan element against an independent quadrature of its defining
// integral, its closed forms and its edges.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/numbers/angles.h"
#include "core/curve/clothoid.h"
#include "core/plan/plan_element.h"

namespace tarvelo {
namespace {

struct Reference {
    long double x, y;
};

// ∫(cos θ, sin θ) over [0, s] by composite 5-point Gauss–Legendre on steps of
// at most 0.25 m in long double: with the heading turning by under 0.03 rad
// a step, its error is far below a micrometre over 10 km. Azimuth 0 at the
// start, so x is along the start tangent and y to its right.
Reference Quadrature(double s, double L, double k0, double k1)
{
    static const long double node[5] = {0.0L, -0.538469310105683091036L, 0.538469310105683091036L,
                                        -0.906179845938663992798L, 0.906179845938663992798L};
    static const long double weight[5] = {0.568888888888888888889L, 0.478628670499366468041L,
                                          0.478628670499366468041L, 0.236926885056189087515L,
                                          0.236926885056189087515L};
    const long double c = (static_cast<long double>(k1) - k0) / L;
    const long n = static_cast<long>(std::ceil(s / 0.25));
    const long double h = static_cast<long double>(s) / n;
    long double x = 0, y = 0;
    for (long i = 0; i < n; ++i) {
        const long double mid = (i + 0.5L) * h;
        for (int j = 0; j < 5; ++j) {
            const long double t = mid + node[j] * h / 2;
            const long double theta = k0 * t + c * t * t / 2;
            x += weight[j] * h / 2 * std::cos(theta);
            y += weight[j] * h / 2 * std::sin(theta);
        }
    }
    return {x, y};
}

struct ClothoidCase {
    const char* name;
    double L, k0, k1;
};

TEST(PlanElement, ClothoidsAgreeWithQuadratureToAMicrometre)
{
    const ClothoidCase cases[] = {
        {"entry spiral R 300", 120, 0, 1.0 / 300},
        {"exit spiral R 300, left", 120, -1.0 / 300, 0},
        {"sharp spiral R 95.78", 110, 0, 1 / 95.78},
        {"R 10 m, five radians", 100, 0, 0.1},
        {"egg curve R 500 to R 300", 80, 1.0 / 500, 1.0 / 300},
        {"opening egg R 300 to R 1000, left", 150, -1.0 / 300, -1.0 / 1000},
        {"inflection spiral", 200, -1.0 / 300, 1.0 / 300},
        {"10 km from R 5000 to R 2000", 10000, 1.0 / 5000, 1.0 / 2000},
        {"10 km down to R 10 m", 10000, 0, 0.1},
    };
    for (const ClothoidCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<PlanElement> e = PlanElement::Make(0, 0, 0, c.L, c.k0, c.k1);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->shape(), PlanShape::Clothoid);
        for (double f : {0.137, 0.5, 0.8125, 1.0}) {
            const double s = c.L * f;
            const Reference r = Quadrature(s, c.L, c.k0, c.k1);
            const PlanPose p = e->At(s);
            EXPECT_NEAR(p.x, static_cast<double>(r.x), 1e-7) << "s = " << s;
            EXPECT_NEAR(p.y, static_cast<double>(r.y), 1e-7) << "s = " << s;
            const double turned = c.k0 * s + (c.k1 - c.k0) * s * s / (2 * c.L);
            EXPECT_NEAR(p.azimuth, turned * 180 / kPi, 1e-9);
        }
    }
}

TEST(PlanElement, PlacedByItsStartPointAndAzimuth)
{
    // The same spiral started at (1000, 2000) heading 135°: its local (x, y)
    // rotate by the azimuth, y to the right of the start tangent.
    const double L = 90, k1 = 1.0 / 250;
    const std::optional<PlanElement> local = PlanElement::Make(0, 0, 0, L, 0, k1);
    const std::optional<PlanElement> placed = PlanElement::Make(1000, 2000, 135, L, 0, k1);
    ASSERT_TRUE(local && placed);
    const PlanPose a = local->At(L), b = placed->At(L);
    const double c = CosDeg(135), s = SinDeg(135);
    EXPECT_NEAR(b.x, 1000 + a.x * c - a.y * s, 1e-9);
    EXPECT_NEAR(b.y, 2000 + a.x * s + a.y * c, 1e-9);
    EXPECT_NEAR(b.azimuth, 135 + a.azimuth, 1e-12);
}

TEST(PlanElement, ArcsAndLinesInClosedForm)
{
    // A right arc of R 200 from the origin heading north: centre (0, 200).
    const std::optional<PlanElement> arc = PlanElement::Make(0, 0, 0, 500, 1.0 / 200, 1.0 / 200);
    ASSERT_TRUE(arc);
    EXPECT_EQ(arc->shape(), PlanShape::Arc);
    for (double s : {0.0, 1e-9, 10.0, 314.159, 500.0}) {
        const double phi = s / 200;
        const PlanPose p = arc->At(s);
        EXPECT_NEAR(p.x, 200 * std::sin(phi), 1e-9);
        EXPECT_NEAR(p.y, 200 * (1 - std::cos(phi)), 1e-9);
    }
    // A radius of 1e9 m is a line to within its sagitta s²/2R (to the
    // 15-digit π's cos 90° ≈ 1.6e-15 times the length).
    const std::optional<PlanElement> flat = PlanElement::Make(0, 0, 90, 1000, -1e-9, -1e-9);
    ASSERT_TRUE(flat);
    EXPECT_NEAR(flat->At(1000).y, 1000, 1e-9);
    EXPECT_NEAR(flat->At(1000).x, 1000.0 * 1000 / 2e9, 1e-11);
    const std::optional<PlanElement> line = PlanElement::Make(5, 5, 45, 10, 0, 0);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->shape(), PlanShape::Line);
    EXPECT_NEAR(line->At(10).x, 5 + 10 * CosDeg(45), 1e-12);
    EXPECT_NEAR(line->At(10).y, 5 + 10 * SinDeg(45), 1e-12);
}

TEST(PlanElement, ContinuousAcrossItsAnchors)
{
    // Anchors sit every few metres on a sharp spiral; the position must not
    // jump where a query moves from one anchor to the next.
    const std::optional<PlanElement> e = PlanElement::Make(0, 0, 0, 1000, 0, 0.05);
    ASSERT_TRUE(e);
    for (double s = 0.5; s < 1000; s += 7.31) {
        const PlanPose a = e->At(std::nextafter(s, 0.0)), b = e->At(s);
        EXPECT_NEAR(a.x, b.x, 1e-9);
        EXPECT_NEAR(a.y, b.y, 1e-9);
    }
    for (double s = 0; s < 1000; s += 1) {
        const PlanPose a = e->At(s), b = e->At(s + 1e-6);
        EXPECT_NEAR(std::hypot(b.x - a.x, b.y - a.y), 1e-6, 1e-11) << s;
    }
}

TEST(PlanElement, EdgesAndRefusals)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Bad {
        double x0, y0, az, L, k0, k1;
    };
    const Bad refused[] = {
        {0, 0, 0, 0, 0, 0},          {0, 0, 0, -1, 0, 0.01},     {0, 0, 0, nan, 0, 0},
        {0, 0, 0, inf, 0, 0},        {nan, 0, 0, 10, 0, 0},      {0, inf, 0, 10, 0, 0},
        {0, 0, nan, 10, 0, 0},       {0, 0, 0, 10, nan, 0},      {0, 0, 0, 10, 0, inf},
        {0, 0, 0, 1e9, 0, 1e3},  // turning through far more than a million radians
    };
    for (const Bad& b : refused) {
        std::string why;
        EXPECT_FALSE(PlanElement::Make(b.x0, b.y0, b.az, b.L, b.k0, b.k1, &why));
        EXPECT_FALSE(why.empty());
    }
    const std::optional<PlanElement> e = PlanElement::Make(10, 20, 30, 50, 0, 0.01);
    ASSERT_TRUE(e);
    EXPECT_TRUE(std::isnan(e->At(nan).x));
    // Queries beyond the ends are clamped to the ends.
    EXPECT_EQ(e->At(-5).x, e->At(0).x);
    EXPECT_EQ(e->At(0).x, 10);
    EXPECT_EQ(e->At(0).y, 20);
    EXPECT_EQ(e->At(80).y, e->At(50).y);
    EXPECT_DOUBLE_EQ(e->CurvatureAt(50), 0.01);
    EXPECT_DOUBLE_EQ(e->CurvatureAt(25), 0.005);
}

TEST(PlanElement, PhaseIntegralOfZeroPhaseIsTheLength)
{
    double re = 0, im = 0;
    PhaseIntegral(0, 0, 3.5, &re, &im);
    EXPECT_EQ(re, 3.5);
    EXPECT_EQ(im, 0);
    // Only the quadratic term: every other Taylor term vanishes, the sum
    // must not stop at the first zero.
    PhaseIntegral(0, 0.5, 1, &re, &im);
    const Reference r = Quadrature(1, 1, 0, 1);
    EXPECT_NEAR(re, static_cast<double>(r.x), 1e-15);
    EXPECT_NEAR(im, static_cast<double>(r.y), 1e-15);
    PhaseIntegral(std::numeric_limits<double>::quiet_NaN(), 0, 1, &re, &im);
    EXPECT_TRUE(std::isnan(re) && std::isnan(im));
}

TEST(ExactSpiralShift, ShiftAndIncrementFromTheExactEndPoint)
{
    // Flat spirals: the three-term series of p and q is exact to far below a
    // micrometre there.
    for (const auto& [r, ls] : {std::pair{1000.0, 100.0}, {600.0, 150.0}, {2000.0, 50.0}}) {
        const SpiralShift s = ExactSpiralShift(r, ls);
        const double p = ls * ls / (24 * r) - std::pow(ls, 4) / (2688 * std::pow(r, 3)) +
                         std::pow(ls, 6) / (506880 * std::pow(r, 5));
        const double q = ls / 2 - std::pow(ls, 3) / (240 * r * r) + std::pow(ls, 5) / (34560 * std::pow(r, 4));
        EXPECT_NEAR(s.p, p, 1e-7);
        EXPECT_NEAR(s.q, q, 1e-7);
    }
    // A sharp one against the quadrature of its end point.
    const double r = 95.78, ls = 110;
    const SpiralShift s = ExactSpiralShift(r, ls);
    const Reference end = Quadrature(ls, ls, 0, 1 / r);
    const double beta = ls / (2 * r);
    EXPECT_NEAR(s.p, static_cast<double>(end.y) - r * (1 - std::cos(beta)), 1e-8);
    EXPECT_NEAR(s.q, static_cast<double>(end.x) - r * std::sin(beta), 1e-8);
    const SpiralShift none = ExactSpiralShift(300, 0);
    EXPECT_EQ(none.p, 0);
    EXPECT_EQ(none.q, 0);
    EXPECT_TRUE(std::isnan(ExactSpiralShift(0, 10).p));
    EXPECT_TRUE(std::isnan(ExactSpiralShift(100, -1).q));
}

}  // namespace
}  // namespace tarvelo
