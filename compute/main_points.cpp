#include "main_points.h"

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

const std::array<const char*, 12> kElementNames = {
    "T1", "T2", "betao1", "E", "p1", "p2", "betao2", "L", "q1", "q2", "Dh", "Ly",
};

const std::array<std::array<const char*, 4>, 5> kMainStakeCells = {{
    {"ZH.station", "ZH.x", "ZH.y", "ZH.azimuth"},
    {"HY.station", "HY.x", "HY.y", "HY.azimuth"},
    {"QZ.station", "QZ.x", "QZ.y", "QZ.azimuth"},
    {"YH.station", "YH.x", "YH.y", "YH.azimuth"},
    {"HZ.station", "HZ.x", "HZ.y", "HZ.azimuth"},
}};

namespace {

void AddPointRow(std::vector<Cell>& cells, int row, const MainPoint& p)
{
    cells.emplace_back(kMainStakeCells[row][1], FormatRounded4(p.x));
    cells.emplace_back(kMainStakeCells[row][2], FormatRounded4(p.y));
    cells.emplace_back(kMainStakeCells[row][3], DegreesToDmsText(p.azimuth));
}

}  // namespace

ElementsDisplay ComputeElementsDisplay(const CurveState& s)
{
    ElementsDisplay out;
    auto& cells = out.cells;
    try {
        const double stations[5] = {s.ZH, s.HYStation, s.QZ, s.YHStation, s.HZ};
        for (int row = 0; row < 5; ++row)
            cells.emplace_back(kMainStakeCells[row][0], FormatStation(stations[row], 4));
        AddPointRow(cells, 0, ComputeMainPoint(s, 0));
        AddPointRow(cells, 4, ComputeMainPoint(s, 4));
        const std::pair<const char*, double> params[12] = {
            {"T1", s.T1}, {"T2", s.T2}, {"p1", s.p1}, {"p2", s.p2},
            {"q1", s.q1}, {"q2", s.q2}, {"betao1", s.betao1}, {"betao2", s.betao2},
            {"E", s.E},   {"L", s.L},
            {"Ly", Checked(ArcLengthCell(s), "圆曲线长Ly")},
            {"Dh", Checked(TangentCurveDifference(s), "切曲差Dh")},
        };
        for (const auto& [label, value] : params) cells.emplace_back(label, FormatRounded4(value));
        for (int row = 1; row <= 3; ++row) AddPointRow(cells, row, ComputeMainPoint(s, row));
    } catch (const FloatFault& fault) {
        out.fault = fault.what();
    }
    return out;
}

}  // namespace tarvelo
