#include "cli/json_output.h"

#include <nlohmann/json.hpp>

#include "core/numbers/float_fault.h"

namespace tarvelo {

namespace {

std::string Dump(const nlohmann::ordered_json& j)
{
    return j.dump() + "\n";
}

}  // namespace

std::string ElementsJson(const MainPoints& points, const CurveState& s)
{
    nlohmann::ordered_json j;
    auto& list = j["points"] = nlohmann::ordered_json::array();
    for (const MainPoint& p : points)
        list.push_back({{"name", p.name}, {"station", p.station}, {"x", p.x}, {"y", p.y},
                        {"azimuth", p.azimuth}});
    j["elements"] = {
        {"T1", s.T1},
        {"T2", s.T2},
        {"betao1", s.betao1},
        {"betao2", s.betao2},
        {"p1", s.p1},
        {"p2", s.p2},
        {"q1", s.q1},
        {"q2", s.q2},
        {"E", s.E},
        {"L", s.L},
        {"Ly", Checked(ArcLengthCell(s), "圆曲线长Ly")},
        {"Dh", Checked(TangentCurveDifference(s), "切曲差Dh")},
    };
    return Dump(j);
}

std::string PointJson(const CentrelinePoint& p, Segment segment)
{
    return Dump({{"x", p.x}, {"y", p.y}, {"azimuth", p.azimuth}, {"segment", SegmentName(segment)}});
}

std::string TableJson(const std::vector<StakeRow>& rows)
{
    nlohmann::ordered_json j;
    auto& list = j["rows"] = nlohmann::ordered_json::array();
    for (const StakeRow& r : rows)
        list.push_back({{"station", r.station}, {"x", r.x}, {"y", r.y}, {"azimuth", r.azimuth}});
    return Dump(j);
}

std::string InverseJson(const StationOffset& r)
{
    switch (r.outcome) {
    case InverseOutcome::Ok:
        return Dump({{"outcome", "ok"}, {"station", r.station}, {"offset", r.offset}});
    case InverseOutcome::OutOfRange:
        return Dump({{"outcome", "out_of_range"}});
    case InverseOutcome::NoConvergence:
        break;
    }
    return Dump({{"outcome", "no_convergence"}});
}

}  // namespace tarvelo
