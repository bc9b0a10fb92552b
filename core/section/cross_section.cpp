#include "core/section/cross_section.h"

#include <algorithm>
#include <cmath>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

// "第 7 行：" for a row read from a file, "第 3 个横断面：" for a typed one.
std::string Where(const CrossSectionRow& r, std::size_t index)
{
    if (r.line > 0) return "第 " + std::to_string(r.line) + " 行：";
    return "第 " + std::to_string(index + 1) + " 个横断面：";
}

CrossSections::Built Refuse(const CrossSectionRow& r, std::size_t index, const std::string& reason)
{
    CrossSections::Built built;
    built.error = CrossSectionIssue{static_cast<int>(index), r.line, Where(r, index) + reason};
    return built;
}

std::string PlainLabel(double s) { return FormatFixed(s, 3) + " m"; }

std::string Label(StationLabel label, double s)
{
    if (!std::isfinite(s)) return "?";
    return label ? label(s) : PlainLabel(s);
}

// a + (b - a) w from the nearer end, so that w = 0 gives a and w = 1 gives b
// exactly, and the result never leaves [min(a, b), max(a, b)].
double Blend(double a, double b, double w)
{
    return w <= 0.5 ? a + (b - a) * w : b - (b - a) * (1 - w);
}

}  // namespace

std::optional<std::string> CrossSectionRowFault(const CrossSectionRow& r)
{
    if (!std::isfinite(r.station)) return "桩号不是有限的数。";
    if (!std::isfinite(r.leftWidth)) return "左幅宽度不是有限的数。";
    if (!std::isfinite(r.rightWidth)) return "右幅宽度不是有限的数。";
    if (!std::isfinite(r.leftSlope)) return "左侧横坡不是有限的数。";
    if (!std::isfinite(r.rightSlope)) return "右侧横坡不是有限的数。";
    if (r.leftWidth < 0) return "左幅宽度为 " + FormatGeneral(r.leftWidth) + " m，宽度不能为负。";
    if (r.rightWidth < 0) return "右幅宽度为 " + FormatGeneral(r.rightWidth) + " m，宽度不能为负。";
    const std::string limit = FormatGeneral(kMaxCrossSlopePercent);
    if (std::fabs(r.leftSlope) > kMaxCrossSlopePercent)
        return "左侧横坡为 " + FormatGeneral(r.leftSlope) + "%，超出了 ±" + limit + "% 的范围。";
    if (std::fabs(r.rightSlope) > kMaxCrossSlopePercent)
        return "右侧横坡为 " + FormatGeneral(r.rightSlope) + "%，超出了 ±" + limit + "% 的范围。";
    return std::nullopt;
}

CrossSections::Built CrossSections::Build(const std::vector<CrossSectionRow>& rows)
{
    if (rows.empty()) {
        Built built;
        built.error = CrossSectionIssue{-1, 0, "横断面表没有数据行，至少要有一个桩号的横断面。"};
        return built;
    }
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const CrossSectionRow& r = rows[k];
        if (const auto fault = CrossSectionRowFault(r)) return Refuse(r, k, *fault);
        if (k == 0) continue;
        const double before = rows[k - 1].station;
        if (!(r.station > before))
            return Refuse(r, k,
                          "桩号 " + FormatGeneral(r.station) + " 不大于上一行的桩号 " + FormatGeneral(before) +
                              "，横断面的桩号必须逐行增大。");
        if (!std::isfinite(r.station - before))
            return Refuse(r, k, "与上一行的桩号相差过大，超出了可计算的范围。");
    }
    Built built;
    CrossSections sections;
    sections.rows_ = rows;
    for (CrossSectionRow& r : sections.rows_) {
        // -0 widths are stored as 0: a width is a distance.
        r.leftWidth += 0.0;
        r.rightWidth += 0.0;
    }
    built.sections = std::move(sections);
    return built;
}

bool CrossSections::Covers(double s) const
{
    return s >= startStation() - kCrossSectionEndTolerance && s <= endStation() + kCrossSectionEndTolerance;
}

std::optional<Section> CrossSections::SectionAt(double s, Transition law) const
{
    if (!Covers(s)) return std::nullopt;
    const auto section = [](const CrossSectionRow& r) {
        return Section{r.leftWidth, r.rightWidth, r.leftSlope, r.rightSlope};
    };
    if (s <= startStation()) return section(rows_.front());
    if (s >= endStation()) return section(rows_.back());
    // The first row after s: s lies in (S_{k}, S_{k+1}] with k + 1 = it.
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), s,
                                     [](const CrossSectionRow& r, double v) { return r.station < v; });
    const CrossSectionRow& b = *it;
    if (b.station == s) return section(b);
    const CrossSectionRow& a = *(it - 1);
    // s - S_k <= S_{k+1} - S_k, which Build found finite.
    double t = (s - a.station) / (b.station - a.station);
    t = std::clamp(t, 0.0, 1.0);
    const double w = law == Transition::Cubic ? t * t * (3 - 2 * t) : t;
    return Section{Blend(a.leftWidth, b.leftWidth, w), Blend(a.rightWidth, b.rightWidth, w),
                   Blend(a.leftSlope, b.leftSlope, w), Blend(a.rightSlope, b.rightSlope, w)};
}

std::optional<std::string> CrossSections::CheckCovers(double from, double to, StationLabel label) const
{
    if (Covers(from) && Covers(to)) return std::nullopt;
    const std::string range = Label(label, startStation()) + " 至 " + Label(label, endStation());
    if (from == to)
        return "桩号 " + Label(label, from) + " 在横断面表 " + range + " 之外，没有横断面。";
    return "桩号范围 " + Label(label, from) + " 至 " + Label(label, to) + " 超出横断面表 " + range +
           "，超出的桩没有横断面。";
}

double EdgeElevation(double centreZ, double width, double slopePercent)
{
    return Checked(centreZ + width * slopePercent / 100, "边桩高程");
}

std::optional<double> OffsetElevation(const Section& section, double centreZ, double offset)
{
    if (std::isnan(offset)) return std::nullopt;
    if (offset == 0) return Checked(centreZ, "边桩高程");
    const bool left = offset < 0;
    const double distance = std::fabs(offset);
    const double width = left ? section.leftWidth : section.rightWidth;
    if (!(distance <= width + kCrossSectionEndTolerance)) return std::nullopt;
    return EdgeElevation(centreZ, distance, left ? section.leftSlope : section.rightSlope);
}

std::optional<EdgeOffsets> EdgeOffsetsAtSkew(const Section& section, double skewDegrees)
{
    if (!std::isfinite(skewDegrees)) return std::nullopt;
    const double sine = SinDeg(skewDegrees);
    if (!(std::fabs(sine) >= 1.745e-4)) return std::nullopt;
    const double left = -section.leftWidth / sine, right = section.rightWidth / sine;
    if (!std::isfinite(left) || !std::isfinite(right)) return std::nullopt;
    return EdgeOffsets{left + 0.0, right + 0.0};
}

}  // namespace tarvelo
