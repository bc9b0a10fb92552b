#pragma once
// A small route in closed form for the design check's tests, independent of
// the route engine: from K1+000 at (0, 0) a straight of 100 m due north
// (+X), then a circular arc of R 200 m turning right for 200 m (to K1+300),
// centre (100, 200). A grade line for the profile: z = z0 + grade (s − 1000).
// Optionally a chain break (断链): at the true station 1150 the displayed
// stations go back 50 m, so 1100 to 1150 occur twice, zone 1 before the
// break and zone 2 after it.

#include <cmath>
#include <optional>
#include <string>

#include "compute/design_check.h"
#include "compute/route_text.h"

namespace tarvelo::test {

class DesignTestRoute {
public:
    static constexpr double kStart = 1000, kStraight = 100, kR = 200, kArc = 200;
    static constexpr double kEnd = kStart + kStraight + kArc;
    static constexpr double kBreakTrue = 1150, kBreakBack = 50;

    double z0 = 100, grade = 0.02;
    bool chainBreak = false;

    // The point at a true station in [kStart, kEnd].
    static DesignPlanPoint At(double s)
    {
        if (s <= kStart + kStraight) return {s - kStart, 0};
        const double phi = (s - kStart - kStraight) / kR;
        return {kStraight + kR * std::sin(phi), kR - kR * std::cos(phi)};
    }

    std::optional<double> TrueStation(double shown, std::optional<int> zone, std::string* why) const
    {
        double s = shown;
        if (chainBreak) {
            const double backFrom = kBreakTrue - kBreakBack;
            const bool first = shown < kBreakTrue, second = shown >= backFrom;
            if (first && second && !zone) {
                *why = "桩号 " + FormatKStation(shown) + " 在断链前后各有一处，请在分区一栏写明。";
                return std::nullopt;
            }
            if (zone ? *zone == 2 : !first) s = shown + kBreakBack;
            if (zone && (*zone == 1 ? !first : *zone == 2 ? !second : true)) {
                *why = "分区 " + std::to_string(*zone) + " 没有桩号 " + FormatKStation(shown) + "。";
                return std::nullopt;
            }
        }
        if (s < kStart || s > kEnd) {
            *why = "桩号 " + FormatKStation(shown) + " 在线路起点 K1+000.000 之前或终点 " + FormatKStation(Shown(kEnd)) +
                   " 之后。";
            return std::nullopt;
        }
        return s;
    }

    double Shown(double s) const { return chainBreak && s >= kBreakTrue ? s - kBreakBack : s; }

    std::optional<DesignFoot> Foot(double x, double y) const
    {
        double best = INFINITY;
        DesignFoot foot;
        if (x >= 0 && x <= kStraight && std::fabs(y) < best) {
            best = std::fabs(y);
            foot = {kStart + x, {}, y};
        }
        const double vx = x - kStraight, vy = y - kR, r = std::hypot(vx, vy);
        const double phi = std::atan2(vx, -vy);
        if (r > 0 && phi >= 0 && phi <= kArc / kR && std::fabs(kR - r) < best) {
            best = std::fabs(kR - r);
            foot = {kStart + kStraight + kR * phi, {}, kR - r};
        }
        const DesignPlanPoint end = At(kEnd);
        const double toEnds = std::fmin(std::hypot(x, y), std::hypot(x - end.x, y - end.y));
        if (!(best <= toEnds)) return std::nullopt;
        if (chainBreak) {
            foot.zone = foot.station >= kBreakTrue ? 2 : 1;
            foot.station = Shown(foot.station);
            foot.twice = foot.station >= 1100 - 1e-9 && foot.station <= 1150 + 1e-9;  // the overlap
        }
        return foot;
    }

    DesignCheckRoute Interface(bool withProfile = true) const
    {
        DesignCheckRoute r;
        r.pointAt = [this](double shown, std::optional<int> zone, std::string* why) -> std::optional<DesignPlanPoint> {
            const std::optional<double> s = TrueStation(shown, zone, why);
            if (!s) return std::nullopt;
            return At(*s);
        };
        r.foot = [this](double x, double y) { return Foot(x, y); };
        if (withProfile)
            r.elevationAt = [this](double shown, std::optional<int> zone) -> std::optional<double> {
                std::string why;
                const std::optional<double> s = TrueStation(shown, zone, &why);
                if (!s) return std::nullopt;
                return z0 + grade * (*s - kStart);
            };
        return r;
    }
};

}  // namespace tarvelo::test
