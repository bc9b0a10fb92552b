#include "core/profile/profile.h"

#include <algorithm>
#include <cmath>

#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

// Curves may overlap or pass an end by this much: designers make curves meet
// exactly, and S + T computed on both sides differs by rounding.
constexpr double kOverlapTolerance = 1e-6;

// "第 7 行：" for a point read from a file, "第 3 个变坡点：" for a typed one.
std::string Where(const GradePointInput& p, std::size_t index)
{
    if (p.line > 0) return "第 " + std::to_string(p.line) + " 行：";
    return "第 " + std::to_string(index + 1) + " 个变坡点：";
}

Profile::Built Refuse(const GradePointInput& p, std::size_t index, const std::string& reason)
{
    Profile::Built built;
    built.error = ProfileIssue{p.line, Where(p, index) + reason};
    return built;
}

}  // namespace

Profile::Built Profile::Build(const std::vector<GradePointInput>& points)
{
    const std::size_t n = points.size();
    if (n < 2) {
        Built built;
        built.error = ProfileIssue{
            0, "纵断面至少要有起点和终点两个变坡点，现在只有 " + std::to_string(n) + " 个。"};
        return built;
    }
    for (std::size_t k = 0; k < n; ++k) {
        const GradePointInput& p = points[k];
        if (!std::isfinite(p.station)) return Refuse(p, k, "桩号不是有限的数。");
        if (!std::isfinite(p.elevation)) return Refuse(p, k, "高程不是有限的数。");
        if (p.R && !std::isfinite(*p.R)) return Refuse(p, k, "竖曲线半径R不是有限的数。");
    }
    for (std::size_t k = 1; k < n; ++k) {
        const GradePointInput& p = points[k];
        if (!(p.station > points[k - 1].station))
            return Refuse(p, k,
                          "桩号 " + FormatGeneral(p.station) + " 不大于上一个变坡点的桩号 " +
                              FormatGeneral(points[k - 1].station) + "，变坡点的桩号必须逐个增大。");
    }
    if (points.front().R) return Refuse(points.front(), 0, "纵断面的起点不设竖曲线，半径R一栏应当空着。");
    if (points.back().R) return Refuse(points.back(), n - 1, "纵断面的终点不设竖曲线，半径R一栏应当空着。");
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const GradePointInput& p = points[k];
        if (!p.R) return Refuse(p, k, "变坡点缺少竖曲线半径R。");
        if (!(*p.R > 0)) return Refuse(p, k, "竖曲线半径R为 " + FormatGeneral(*p.R) + "，应当大于零。");
    }

    Profile profile;
    profile.points_ = points;
    profile.stations_.reserve(n);
    for (const GradePointInput& p : points) profile.stations_.push_back(p.station);
    profile.grades_.reserve(n - 1);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double grade = (points[k + 1].elevation - points[k].elevation) /
                             (points[k + 1].station - points[k].station);
        if (!std::isfinite(grade))
            return Refuse(points[k + 1], k + 1, "与上一个变坡点之间的坡度超出了可计算的范围。");
        profile.grades_.push_back(grade);
    }

    double maxElevation = 0, maxExternal = 0;
    std::size_t maxAt = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (std::fabs(points[k].elevation) > maxElevation) {
            maxElevation = std::fabs(points[k].elevation);
            maxAt = k;
        }
    }
    profile.curves_.reserve(n - 2);
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const GradePointInput& p = points[k];
        VerticalCurve c;
        c.station = p.station;
        c.elevation = p.elevation;
        c.R = *p.R;
        c.gradeIn = profile.grades_[k - 1];
        c.gradeOut = profile.grades_[k];
        c.omega = c.gradeOut - c.gradeIn;
        c.Lv = c.R * std::fabs(c.omega);
        c.T = c.Lv / 2;
        // T * (T / 2R) rather than T^2 / 2R: T^2 can overflow where E cannot.
        c.E = c.T * (c.T / (2 * c.R));
        c.start = c.station - c.T;
        c.end = c.station + c.T;
        if (!std::isfinite(c.omega) || !std::isfinite(c.Lv) || !std::isfinite(c.E) ||
            !std::isfinite(c.start) || !std::isfinite(c.end))
            return Refuse(p, k, "竖曲线要素超出了可计算的范围。");
        maxExternal = std::max(maxExternal, c.E);
        profile.curves_.push_back(c);
    }

    for (std::size_t j = 0; j < profile.curves_.size(); ++j) {
        const VerticalCurve& c = profile.curves_[j];
        const std::size_t k = j + 1;
        if (c.start < points.front().station - kOverlapTolerance)
            return Refuse(points[k], k,
                          "竖曲线起点 " + FormatGeneral(c.start) + " 在纵断面起点 " +
                              FormatGeneral(points.front().station) + " 之前，半径R太大或变坡点离起点太近。");
        if (c.end > points.back().station + kOverlapTolerance)
            return Refuse(points[k], k,
                          "竖曲线终点 " + FormatGeneral(c.end) + " 在纵断面终点 " +
                              FormatGeneral(points.back().station) + " 之后，半径R太大或变坡点离终点太近。");
        if (j + 1 < profile.curves_.size()) {
            const VerticalCurve& next = profile.curves_[j + 1];
            if (c.end > next.start + kOverlapTolerance)
                return Refuse(points[k + 1], k + 1,
                              "竖曲线起点 " + FormatGeneral(next.start) + " 在上一个竖曲线终点 " +
                                  FormatGeneral(c.end) + " 之前，两个竖曲线重叠，应减小半径R。");
        }
    }

    // Inside a curve the elevation lies between the grade line and the chord
    // of the curve, so it never exceeds max|H| + max E; with that sum (and
    // room for rounding) finite every query stays finite.
    if (!std::isfinite(2 * (maxElevation + maxExternal)))
        return Refuse(points[maxAt], maxAt, "高程过大，纵断面上的高程超出了可计算的范围。");

    Built built;
    built.profile = std::move(profile);
    return built;
}

std::size_t Profile::LegAt(double s) const
{
    const auto after = std::upper_bound(stations_.begin(), stations_.end(), s);
    const std::size_t k = std::size_t(after - stations_.begin()) - 1;
    return std::min(k, stations_.size() - 2);
}

std::optional<double> Profile::ElevationNear(double s) const
{
    if (s < stations_.front() && s >= stations_.front() - kProfileEndTolerance) s = stations_.front();
    if (s > stations_.back() && s <= stations_.back() + kProfileEndTolerance) s = stations_.back();
    return ElevationAt(s);
}

std::optional<double> Profile::ElevationAt(double s) const
{
    if (!(s >= stations_.front() && s <= stations_.back())) return std::nullopt;
    const std::size_t k = LegAt(s);
    const double grade = grades_[k];
    const double before = s - stations_[k], after = stations_[k + 1] - s;
    // From the nearer grade point, so that a grade point's own station gives
    // its elevation exactly.
    double h = before <= after ? points_[k].elevation + grade * before
                               : points_[k + 1].elevation - grade * after;
    // The end part of the curve at point k, the start part of the one at k+1.
    if (k >= 1) {
        const VerticalCurve& c = curves_[k - 1];
        if (s < c.end) {
            const double x = c.end - s;
            const double y = x * (x / (2 * c.R));
            h += c.omega < 0 ? -y : y;
        }
    }
    if (k + 1 <= curves_.size()) {
        const VerticalCurve& c = curves_[k];
        if (s > c.start) {
            const double x = s - c.start;
            const double y = x * (x / (2 * c.R));
            h += c.omega < 0 ? -y : y;
        }
    }
    return h;
}

std::optional<double> Profile::GradeAt(double s) const
{
    if (!(s >= stations_.front() && s <= stations_.back())) return std::nullopt;
    const std::size_t k = LegAt(s);
    double grade = grades_[k];
    // d/ds of -+(end - s)^2/2R and of +-(s - start)^2/2R.
    if (k >= 1) {
        const VerticalCurve& c = curves_[k - 1];
        if (s < c.end) {
            const double slope = (c.end - s) / c.R;
            grade += c.omega < 0 ? slope : -slope;
        }
    }
    if (k + 1 <= curves_.size()) {
        const VerticalCurve& c = curves_[k];
        if (s > c.start) {
            const double slope = (s - c.start) / c.R;
            grade += c.omega < 0 ? -slope : slope;
        }
    }
    return grade;
}

}  // namespace tarvelo
