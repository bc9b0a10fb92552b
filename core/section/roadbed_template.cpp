#include "core/section/roadbed_template.h"

#include <algorithm>
#include <cmath>

#include "core/numbers/number_text.h"
#include "core/section/cross_section.h"

namespace tarvelo {

namespace {

constexpr int kFirstParameter = 4;  // column of 参数1

const char* PartName(TemplatePart part)
{
    switch (part) {
    case TemplatePart::Shoulder: return "路肩";
    case TemplatePart::Ditch: return "边沟";
    case TemplatePart::Cut: return "挖方";
    case TemplatePart::Fill: break;
    }
    return "填方";
}

TemplateIssue Issue(int column, std::string reason) { return {0, column, std::move(reason)}; }

// The row's place for a message: its file line, or its number when typed.
std::string Where(const TemplateRow& row, std::size_t index, int column)
{
    const int n = row.line > 0 ? row.line : int(index) + 1;
    return "第 " + std::to_string(n) + " 行“" + TemplateColumnName(column) + "”：";
}

TemplateIssue Placed(const TemplateRow& row, std::size_t index, TemplateIssue issue)
{
    issue.line = row.line;
    issue.message = Where(row, index, issue.column) + issue.message;
    return issue;
}

// Checks parameter i (0-based) of a row: presence and range.
enum class Range { NonNegative, Positive, Slope };

std::optional<TemplateIssue> ParameterFault(const TemplateRow& row, int i, const char* what, bool required,
                                            Range range)
{
    const int column = kFirstParameter + i;
    const std::optional<double>& v = row.p[std::size_t(i)];
    if (!v) {
        if (required) return Issue(column, std::string(PartName(row.part)) + "须给出" + what + "。");
        return std::nullopt;
    }
    if (!std::isfinite(*v)) return Issue(column, std::string(what) + "不是有限的数。");
    switch (range) {
    case Range::Slope:
        if (std::fabs(*v) > kMaxCrossSlopePercent)
            return Issue(column, std::string(what) + " " + FormatGeneral(*v) + "% 超出 ±" +
                                     FormatGeneral(kMaxCrossSlopePercent) + "%。");
        return std::nullopt;
    case Range::Positive:
        if (!(*v > 0)) return Issue(column, std::string(what) + "须大于 0：" + FormatGeneral(*v) + "。");
        break;
    case Range::NonNegative:
        if (*v < 0) return Issue(column, std::string(what) + "不能为负：" + FormatGeneral(*v) + "。");
        break;
    }
    if (*v > kMaxTemplateValue)
        return Issue(column, std::string(what) + " " + FormatGeneral(*v) + " 超出可计算范围（不得超过 " +
                                 FormatGeneral(kMaxTemplateValue) + "）。");
    return std::nullopt;
}

std::optional<TemplateIssue> NoParameter(const TemplateRow& row, int i, const char* message)
{
    if (row.p[std::size_t(i)]) return Issue(kFirstParameter + i, message);
    return std::nullopt;
}

double Z(double z0, double width, double slopePercent) { return z0 + width * slopePercent / 100; }

bool Finite(const SectionVertex& v) { return std::isfinite(v.offset) && std::isfinite(v.z); }

// Appends the levels of one branch after its first vertex; down = -1 for
// fill, +1 for cut.
void AppendLevels(BranchLine& line, const std::vector<SlopeLevel>& levels, double sign, double down)
{
    for (std::size_t i = 0; i + 1 < levels.size(); ++i) {
        const SlopeLevel& l = levels[i];
        const SectionVertex& a = line.vertices.back();
        const double h = l.height.value_or(0);
        line.vertices.push_back({a.offset + sign * l.ratio * h, a.z + down * h});
        line.levels.push_back(int(i) + 1);
        if (l.bermWidth > 0) {
            const SectionVertex& b = line.vertices.back();
            line.vertices.push_back({b.offset + sign * l.bermWidth, Z(b.z, l.bermWidth, l.bermSlopePercent)});
            line.levels.push_back(int(i) + 1);
        }
    }
    line.lastRatio = levels.back().ratio;
    line.lastLevel = int(levels.size());
}

}  // namespace

const char* TemplateColumnName(int column)
{
    static const char* const kNames[] = {"整行", "起始桩号", "侧", "部位", "参数1", "参数2", "参数3", "参数4"};
    return column >= 0 && column <= 7 ? kNames[column] : "整行";
}

std::optional<TemplateIssue> TemplateRowFault(const TemplateRow& row)
{
    if (!std::isfinite(row.station)) return Issue(1, "起始桩号不是有限的数。");
    std::optional<TemplateIssue> f;
    const auto check = [&](int i, const char* what, bool required, Range range) {
        if (!f) f = ParameterFault(row, i, what, required, range);
    };
    switch (row.part) {
    case TemplatePart::Shoulder:
        check(0, "宽度", true, Range::NonNegative);
        check(1, "横坡", true, Range::Slope);
        for (int i = 2; i < 4 && !f; ++i) f = NoParameter(row, i, "路肩只有宽度和横坡两个参数。");
        return f;
    case TemplatePart::Ditch:
        check(0, "底宽", true, Range::NonNegative);
        check(1, "沟深", true, Range::Positive);
        check(2, "内侧坡率", true, Range::NonNegative);
        check(3, "外侧坡率", true, Range::NonNegative);
        return f;
    case TemplatePart::Cut:
    case TemplatePart::Fill:
        if (row.part == TemplatePart::Fill)
            check(0, "坡率", true, Range::Positive);
        else
            check(0, "坡率", true, Range::NonNegative);
        check(1, "高度", false, Range::Positive);
        check(2, "平台宽度", false, Range::NonNegative);
        check(3, "平台横坡", false, Range::Slope);
        if (!f && row.p[3] && !row.p[2]) f = Issue(7, "平台横坡要与平台宽度一起给出。");
        return f;
    }
    return f;
}

RoadbedTemplate::Built RoadbedTemplate::Build(const std::vector<TemplateRow>& rows)
{
    Built built;
    if (rows.empty()) {
        built.error = TemplateIssue{0, 0, "路基模板中没有任何行。"};
        return built;
    }
    // Each side's groups in first-appearance order, rows by index.
    struct Group {
        double station;
        std::vector<std::size_t> rows;
    };
    std::vector<Group> groups[2];
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TemplateRow& row = rows[i];
        if (auto fault = TemplateRowFault(row)) {
            built.error = Placed(row, i, *fault);
            return built;
        }
        for (int s = 0; s < 2; ++s) {
            const bool wanted = row.sides == TemplateSides::Both || (s == 0) == (row.sides == TemplateSides::Left);
            if (!wanted) continue;
            auto it = std::find_if(groups[s].begin(), groups[s].end(),
                                   [&](const Group& g) { return g.station == row.station; });
            if (it == groups[s].end()) {
                groups[s].push_back({row.station, {}});
                it = groups[s].end() - 1;
            }
            it->rows.push_back(i);
        }
    }
    RoadbedTemplate t;
    for (int s = 0; s < 2; ++s) {
        const char* sideName = s == 0 ? "左侧" : "右侧";
        std::vector<SideTemplateAt>& out = s == 0 ? t.left_ : t.right_;
        for (const Group& g : groups[s]) {
            SideTemplateAt at;
            at.station = g.station;
            at.line = rows[g.rows.front()].line;
            std::vector<std::size_t> cutRows, fillRows;
            std::optional<std::size_t> ditchRow;
            for (const std::size_t i : g.rows) {
                const TemplateRow& r = rows[i];
                const auto p = [&r](int k) { return r.p[std::size_t(k)].value_or(0); };
                switch (r.part) {
                case TemplatePart::Shoulder: at.side.shoulders.push_back({p(0), p(1)}); break;
                case TemplatePart::Ditch:
                    if (ditchRow) {
                        built.error = Placed(r, i, Issue(3, std::string(sideName) + "在同一起始桩号已有一条边沟。"));
                        return built;
                    }
                    ditchRow = i;
                    at.side.ditch = Ditch{p(0), p(1), p(2), p(3)};
                    break;
                case TemplatePart::Cut:
                case TemplatePart::Fill: {
                    SlopeLevel l{p(0), r.p[1], p(2), r.p[2] ? p(3) : 0};
                    (r.part == TemplatePart::Cut ? at.side.cut : at.side.fill).push_back(l);
                    (r.part == TemplatePart::Cut ? cutRows : fillRows).push_back(i);
                    break;
                }
                }
            }
            if (ditchRow && at.side.cut.empty()) {
                built.error = Placed(rows[*ditchRow], *ditchRow,
                                     Issue(3, std::string(sideName) + "没有挖方边坡：边沟设在挖方坡脚，填方一侧不设边沟。"));
                return built;
            }
            for (const auto* branch : {&cutRows, &fillRows}) {
                for (std::size_t j = 0; j < branch->size(); ++j) {
                    const std::size_t i = (*branch)[j];
                    const TemplateRow& r = rows[i];
                    const std::string kind = PartName(r.part);
                    const bool last = j + 1 == branch->size();
                    std::optional<TemplateIssue> fault;
                    if (!last && !r.p[1])
                        fault = Issue(5, "不是最后一级的" + kind + "边坡须给出高度。");
                    else if (last && r.p[1])
                        fault = Issue(5, "最后一级" + kind + "边坡一直延伸到地面，不给高度。");
                    else if (last && (r.p[2] || r.p[3]))
                        fault = Issue(r.p[2] ? 6 : 7, "最后一级" + kind + "边坡之后不能有平台。");
                    if (fault) {
                        built.error = Placed(r, i, *fault);
                        return built;
                    }
                }
            }
            out.push_back(std::move(at));
        }
        std::stable_sort(out.begin(), out.end(),
                         [](const SideTemplateAt& a, const SideTemplateAt& b) { return a.station < b.station; });
    }
    built.roadbed = std::move(t);
    return built;
}

const SideTemplateAt* RoadbedTemplate::At(double s, RoadSide side) const
{
    if (std::isnan(s)) return nullptr;
    const std::vector<SideTemplateAt>& v = sides(side);
    const auto it = std::upper_bound(v.begin(), v.end(), s + kTemplateStationTolerance,
                                     [](double k, const SideTemplateAt& a) { return k < a.station; });
    if (it == v.begin()) return nullptr;
    return &*(it - 1);
}

std::string DescribeSideTemplate(const SideTemplate& side)
{
    std::string s;
    const auto part = [&s](const std::string& text) { s += (s.empty() ? "" : "；") + text; };
    const auto g = [](double v) { return FormatGeneral(v); };
    for (const ShoulderPiece& p : side.shoulders) part("路肩 " + g(p.width) + " m " + g(p.slopePercent) + "%");
    if (side.ditch)
        part("边沟 底宽 " + g(side.ditch->bottomWidth) + " 深 " + g(side.ditch->depth) + " 1:" +
             g(side.ditch->innerRatio) + "/1:" + g(side.ditch->outerRatio));
    for (const auto& [name, levels] : {std::pair{"挖方", &side.cut}, std::pair{"填方", &side.fill}}) {
        if (levels->empty()) continue;
        std::string text = name;
        for (std::size_t i = 0; i < levels->size(); ++i) {
            const SlopeLevel& l = (*levels)[i];
            text += (i ? "，1:" : " 1:") + g(l.ratio);
            if (l.height) text += " 高 " + g(*l.height);
            if (l.bermWidth > 0) text += " 平台 " + g(l.bermWidth) + " m " + g(l.bermSlopePercent) + "%";
        }
        part(text);
    }
    return s.empty() ? "无" : s;
}

std::optional<SideSection> SideSection::Make(RoadSide side, double centreZ, double pavementWidth,
                                             double pavementSlopePercent, const SideTemplate& tpl)
{
    if (!std::isfinite(centreZ) || !std::isfinite(pavementWidth) || !std::isfinite(pavementSlopePercent) ||
        pavementWidth < 0)
        return std::nullopt;
    SideSection s;
    s.side_ = side;
    const double sign = SideSign(side);
    // Sized once: a stake computation makes one section per point.
    s.top_.reserve(2 + tpl.shoulders.size());
    s.fill_.vertices.reserve(1 + 2 * tpl.fill.size());
    s.fill_.levels.reserve(2 * tpl.fill.size());
    s.cut_.vertices.reserve(4 + 2 * tpl.cut.size());
    s.cut_.levels.reserve(3 + 2 * tpl.cut.size());
    s.top_.push_back({0, centreZ});
    if (pavementWidth > 0) s.top_.push_back({sign * pavementWidth, Z(centreZ, pavementWidth, pavementSlopePercent)});
    for (const ShoulderPiece& p : tpl.shoulders) {
        if (!(p.width > 0)) continue;
        const SectionVertex& a = s.top_.back();
        s.top_.push_back({a.offset + sign * p.width, Z(a.z, p.width, p.slopePercent)});
    }
    const SectionVertex hinge = s.top_.back();
    if (!tpl.fill.empty()) {
        s.fill_.vertices.push_back(hinge);
        AppendLevels(s.fill_, tpl.fill, sign, -1);
    }
    if (!tpl.cut.empty()) {
        s.cut_.vertices.push_back(hinge);
        if (tpl.ditch) {
            const Ditch& d = *tpl.ditch;
            const double u = hinge.offset;
            double a = u + sign * d.innerRatio * d.depth;
            s.cut_.vertices.push_back({a, hinge.z - d.depth});
            s.cut_.levels.push_back(0);
            if (d.bottomWidth > 0) {
                a += sign * d.bottomWidth;
                s.cut_.vertices.push_back({a, hinge.z - d.depth});
                s.cut_.levels.push_back(0);
            }
            s.cut_.vertices.push_back({a + sign * d.outerRatio * d.depth, hinge.z});
            s.cut_.levels.push_back(0);
            s.cutSearchStart_ = s.cut_.vertices.size() - 1;
        }
        AppendLevels(s.cut_, tpl.cut, sign, +1);
    }
    for (const auto* line : {&s.top_, &s.fill_.vertices, &s.cut_.vertices})
        for (const SectionVertex& v : *line)
            if (!Finite(v)) return std::nullopt;
    return s;
}

bool SideSection::has(SlopeBranch b) const { return !branch(b).vertices.empty(); }

std::optional<double> SideSection::TopElevation(double offset) const
{
    const double u = SideSign(side_) * offset;
    if (!(u >= 0)) {
        if (offset == 0) return top_.front().z;
        return std::nullopt;
    }
    const double uH = SideSign(side_) * hinge().offset;
    if (u > uH + 1e-9) return std::nullopt;
    for (std::size_t i = 1; i < top_.size(); ++i) {
        const double a = SideSign(side_) * top_[i - 1].offset, b = SideSign(side_) * top_[i].offset;
        if (u <= b) return top_[i - 1].z + (top_[i].z - top_[i - 1].z) * (u - a) / (b - a);
    }
    return hinge().z;
}

std::optional<double> SideSection::BranchElevation(SlopeBranch which, double offset) const
{
    const BranchLine& line = branch(which);
    if (line.vertices.empty()) return std::nullopt;
    const double sign = SideSign(side_);
    const double u = sign * offset;
    const double uH = sign * line.vertices.front().offset;
    if (!(u >= uH)) return std::nullopt;
    const std::vector<SectionVertex>& v = line.vertices;
    for (std::size_t i = 0; i + 1 < v.size(); ++i) {
        const double a = sign * v[i].offset, b = sign * v[i + 1].offset;
        if (u > b) continue;
        if (b == a || u == a) return v[i].z;
        return v[i].z + (v[i + 1].z - v[i].z) * (u - a) / (b - a);
    }
    const SectionVertex& last = v.back();
    const double du = u - sign * last.offset;
    if (du == 0) return last.z;
    if (line.lastRatio == 0) return std::nullopt;
    const double rise = du / line.lastRatio;
    const double z = which == SlopeBranch::Fill ? last.z - rise : last.z + rise;
    if (!std::isfinite(z)) return std::nullopt;
    return z;
}

std::optional<CatchPoint> SideSection::Catch(SlopeBranch which, double z) const
{
    const BranchLine& line = branch(which);
    if (line.vertices.empty() || std::isnan(z)) return std::nullopt;
    const std::vector<SectionVertex>& v = line.vertices;
    const std::size_t start = which == SlopeBranch::Cut ? cutSearchStart_ : 0;
    const auto levelAt = [&](std::size_t i) {
        if (i == start) return i < line.levels.size() ? line.levels[i] : line.lastLevel;
        return line.levels[i - 1];
    };
    for (std::size_t i = start; i < v.size(); ++i) {
        if (v[i].z == z) return CatchPoint{v[i].offset, z, levelAt(i)};
        if (i + 1 == v.size()) break;
        const double z0 = v[i].z, z1 = v[i + 1].z;
        if ((z0 < z && z < z1) || (z1 < z && z < z0)) {
            const double t = (z - z0) / (z1 - z0);
            return CatchPoint{v[i].offset + (v[i + 1].offset - v[i].offset) * t, z, line.levels[i]};
        }
    }
    const SectionVertex& last = v.back();
    const double dz = which == SlopeBranch::Fill ? last.z - z : z - last.z;
    if (!(dz > 0)) return std::nullopt;
    const double offset = last.offset + SideSign(side_) * line.lastRatio * dz;
    if (!std::isfinite(offset)) return std::nullopt;
    return CatchPoint{offset, z, line.lastLevel};
}

std::vector<SectionVertex> SideSection::Outline(SlopeBranch which, double extent) const
{
    std::vector<SectionVertex> out = top_;
    const BranchLine& line = branch(which);
    if (line.vertices.empty()) return out;
    out.insert(out.end(), line.vertices.begin() + 1, line.vertices.end());
    const SectionVertex last = line.vertices.back();
    const double down = which == SlopeBranch::Fill ? -1 : 1;
    if (line.lastRatio == 0)
        out.push_back({last.offset, last.z + down * extent});
    else
        out.push_back({last.offset + SideSign(side_) * extent, last.z + down * extent / line.lastRatio});
    return out;
}

}  // namespace tarvelo
