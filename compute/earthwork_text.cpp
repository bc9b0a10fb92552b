#include "compute/earthwork_text.h"

#include <optional>

#include "compute/ground_points.h"
#include "compute/route_station_text.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

std::string Opt(const std::optional<double>& v, int decimals) { return v ? FormatFixed(*v, decimals) : "-"; }

void AppendCatch(std::vector<std::string>& row, const std::optional<CatchStake>& c)
{
    if (!c) {
        row.insert(row.end(), {"-", "-", "-", "-", "-"});
        return;
    }
    row.insert(row.end(), {CatchStakeWord(c->branch), FormatFixed(c->offset, 3), FormatFixed(c->x, 4),
                           FormatFixed(c->y, 4), FormatFixed(c->z, 3)});
}

}  // namespace

const std::vector<std::string>& EarthworkTableHeader()
{
    static const std::vector<std::string> header = {
        "桩号", "挖方面积", "填方面积", "左侧", "左偏距", "左X", "左Y", "左高程", "右侧", "右偏距",
        "右X",  "右Y",     "右高程",   "距离", "挖方",   "填方", "累计挖方", "累计填方", "问题"};
    return header;
}

const char* CatchStakeWord(SlopeBranch branch) { return branch == SlopeBranch::Fill ? "坡脚" : "坡口"; }

std::string EarthworkStationText(const Route& route, const EarthworkSection& section)
{
    return RouteStationText(route, RouteStationOf(route, section.at));
}

std::vector<std::vector<std::string>> EarthworkTableRows(const Route& route, const EarthworkResult& r)
{
    std::vector<std::vector<std::string>> rows;
    rows.reserve(r.sections.size());
    for (std::size_t i = 0; i < r.sections.size(); ++i) {
        const EarthworkSection& s = r.sections[i];
        std::vector<std::string> row = {EarthworkStationText(route, s), s.areas ? FormatFixed(s.areas->cut, 3) : "-",
                                        s.areas ? FormatFixed(s.areas->fill, 3) : "-"};
        AppendCatch(row, s.left);
        AppendCatch(row, s.right);
        if (i == 0) {
            row.insert(row.end(), {"", "", "", "", ""});
        } else {
            const EarthworkInterval& v = r.intervals[i - 1];
            row.insert(row.end(), {FormatFixed(v.length, 3), Opt(v.cut, 3), Opt(v.fill, 3), FormatFixed(v.runningCut, 3),
                                   FormatFixed(v.runningFill, 3)});
        }
        row.push_back(s.problem);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string EarthworkTotalsText(const EarthworkResult& r)
{
    std::string s = "合计 挖方 " + FormatFixed(r.cut, 3) + " m³，填方 " + FormatFixed(r.fill, 3) + " m³";
    if (r.leftOut) s += "；" + std::to_string(r.leftOut) + " 个区间因断面有问题未计入";
    return s;
}

std::string CatchStakeName(const Route& route, const EarthworkSection& section, RoadSide side)
{
    const std::optional<CatchStake>& c = side == RoadSide::Left ? section.left : section.right;
    return EarthworkStationText(route, section) + "-" + (side == RoadSide::Left ? "左" : "右") +
           CatchStakeWord(c->branch);
}

}  // namespace tarvelo
