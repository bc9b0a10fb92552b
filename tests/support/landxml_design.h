#pragma once
// Hand-made LandXML alignments for the import tests: a small designer that
// lays lines, arcs and clothoids end to end and writes them as design
// software does (Start, End, Center, PI, rot, radii), with every coordinate
// worked out here independently of the reader: an arc's End from its Center
// by trigonometry, a clothoid's by its power series
//   u(l) = sum (-1)^n l^(4n+1) / ((4n+1) (2n)! (2A^2)^(2n))
//   v(l) = sum (-1)^n l^(4n+3) / ((4n+3) (2n+1)! (2A^2)^(2n+1)),
// an egg curve as the piece of the clothoid A^2 = L / (1/R2 - 1/R1) between
// the two radii, a spiral of falling curvature as one of rising curvature
// run backwards and mirrored.
// Coordinates are north, east; azimuths in radians clockwise from north.

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace tarvelo::testing {

struct Pt {
    double x = 0, y = 0;
};

inline std::string Num(double v)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

inline std::string PtText(Pt p) { return Num(p.x) + " " + Num(p.y); }

inline Pt Turned(Pt p, double a) { return {p.x * std::cos(a) - p.y * std::sin(a), p.x * std::sin(a) + p.y * std::cos(a)}; }

// A point of the clothoid u + i v at arc length l from its origin.
inline Pt ClothoidPoint(double l, double A2)
{
    double u = 0, v = 0, fact2n = 1;  // (2n)!
    for (int n = 0; n < 12; ++n) {
        if (n > 0) fact2n *= (2.0 * n - 1) * (2.0 * n);
        const double sign = n % 2 ? -1 : 1;
        u += sign * std::pow(l, 4 * n + 1) / ((4 * n + 1) * fact2n * std::pow(2 * A2, 2 * n));
        v += sign * std::pow(l, 4 * n + 3) / ((4 * n + 3) * fact2n * (2 * n + 1) * std::pow(2 * A2, 2 * n + 1));
    }
    return {u, v};
}

// The right-turning piece of rising curvature ka -> kb (ka < kb, ka >= 0),
// from the origin heading north: its end and the heading there.
inline void RisingSpiral(double ka, double kb, double L, Pt* end, double* heading)
{
    const double A2 = L / (kb - ka);
    const double l1 = A2 * ka, l2 = l1 + L;
    const Pt p1 = ClothoidPoint(l1, A2), p2 = ClothoidPoint(l2, A2);
    const double t1 = l1 * l1 / (2 * A2), t2 = l2 * l2 / (2 * A2);
    *end = Turned({p2.x - p1.x, p2.y - p1.y}, -t1);
    *heading = t2 - t1;
}

class Designer {
public:
    Designer(double x, double y, double azimuth) : p_{x, y}, az_(azimuth) {}

    Pt at() const { return p_; }
    double azimuth() const { return az_; }

    // A straight; an extra attribute text may be added (length="-0.06").
    void Line(double L, const std::string& extra = "")
    {
        const Pt e{p_.x + L * std::cos(az_), p_.y + L * std::sin(az_)};
        xml_ += "<Line" + extra + "><Start>" + PtText(p_) + "</Start><End>" + PtText(e) + "</End></Line>";
        starts_.push_back(p_);
        p_ = e;
    }

    // An arc of radius R, length L, turn +1 right / -1 left.
    void Arc(double R, double L, int turn, bool withLength = true)
    {
        const Pt c{p_.x - turn * R * std::sin(az_), p_.y + turn * R * std::cos(az_)};
        const double beta = std::atan2(p_.y - c.y, p_.x - c.x) + turn * L / R;
        const Pt e{c.x + R * std::cos(beta), c.y + R * std::sin(beta)};
        const double delta = L / R;
        std::string pi;
        if (delta < 3.0) {  // no PI for arcs near 180 degrees and beyond
            const double T = R * std::tan(delta / 2);
            pi = "<PI>" + PtText({p_.x + T * std::cos(az_), p_.y + T * std::sin(az_)}) + "</PI>";
        }
        xml_ += "<Curve rot=\"" + std::string(turn > 0 ? "cw" : "ccw") + "\" radius=\"" + Num(R) + "\"" +
                (withLength ? " length=\"" + Num(L) + "\"" : std::string()) + "><Start>" + PtText(p_) +
                "</Start><Center>" + PtText(c) + "</Center><End>" + PtText(e) + "</End>" + pi + "</Curve>";
        starts_.push_back(p_);
        p_ = e;
        az_ += turn * delta;
    }

    // A clothoid from radius r0 to r1 (infinity for a straight end).
    void Spiral(double r0, double r1, double L, int turn, bool withPi = true, const char* type = "clothoid")
    {
        const double k0 = std::isinf(r0) ? 0 : 1 / r0, k1 = std::isinf(r1) ? 0 : 1 / r1;
        Pt local;
        double h = 0;
        if (k1 >= k0) {
            RisingSpiral(k0, k1, L, &local, &h);
        } else {
            // Run backwards along the rising piece k1 -> k0, mirrored so that
            // it still turns right: from M(C(L)) to the origin.
            Pt c;
            RisingSpiral(k1, k0, L, &c, &h);
            local = Turned({-c.x, c.y}, -(std::acos(-1.0) - h));
        }
        if (turn < 0) local.y = -local.y;
        const Pt w = Turned(local, az_);
        const Pt e{p_.x + w.x, p_.y + w.y};
        const double az1 = az_ + turn * h;
        std::string pi;
        if (withPi) {
            // Start + a d0 = End - b d1.
            const double d0x = std::cos(az_), d0y = std::sin(az_), d1x = std::cos(az1), d1y = std::sin(az1);
            const double den = d0x * d1y - d0y * d1x;
            const double a = ((e.x - p_.x) * d1y - (e.y - p_.y) * d1x) / den;
            pi = "<PI>" + PtText({p_.x + a * d0x, p_.y + a * d0y}) + "</PI>";
        }
        const auto radius = [](double r) { return std::isinf(r) ? std::string("INF") : Num(r); };
        xml_ += "<Spiral length=\"" + Num(L) + "\" radiusStart=\"" + radius(r0) + "\" radiusEnd=\"" + radius(r1) +
                "\" rot=\"" + (turn > 0 ? "cw" : "ccw") + "\" spiType=\"" + type + "\"><Start>" + PtText(p_) +
                "</Start>" + pi + "<End>" + PtText(e) + "</End></Spiral>";
        starts_.push_back(p_);
        p_ = e;
        az_ = az1;
    }

    // Moves the pen without drawing: a kink (radians) or a gap (metres ahead).
    void Kink(double a) { az_ += a; }
    void Jump(double dx, double dy) { p_ = {p_.x + dx, p_.y + dy}; }

    const std::string& xml() const { return xml_; }
    const std::vector<Pt>& starts() const { return starts_; }

private:
    Pt p_;
    double az_;
    std::string xml_;
    std::vector<Pt> starts_;
};

inline const char* const kLandXmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">"
    "<Units><Metric linearUnit=\"meter\" areaUnit=\"squareMeter\" volumeUnit=\"cubicMeter\" "
    "angularUnit=\"decimal degrees\" directionUnit=\"decimal degrees\"/></Units><Alignments>";
inline const char* const kLandXmlTail = "</Alignments></LandXML>";

inline std::string AlignmentXml(const std::string& name, double staStart, const std::string& coordGeom,
                                const std::string& rest = "")
{
    return "<Alignment name=\"" + name + "\" staStart=\"" + Num(staStart) + "\"><CoordGeom>" + coordGeom +
           "</CoordGeom>" + rest + "</Alignment>";
}

inline std::string LandXmlDoc(const std::string& alignments) { return kLandXmlHead + alignments + kLandXmlTail; }

}  // namespace tarvelo::testing
