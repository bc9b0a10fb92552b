#include "main_points.h"

#include "core/angles.h"
#include "core/float_fault.h"
#include "core/number_text.h"

namespace tarvelo {

const std::array<ElementCellName, 12> kElementCells = {{
    {"T1", "Label65"}, {"T2", "Label66"}, {"betao1", "Label67"}, {"E", "Label68"},
    {"p1", "Label69"}, {"p2", "Label70"}, {"betao2", "Label71"}, {"L", "Label72"},
    {"q1", "Label73"}, {"q2", "Label74"}, {"Dh", "Label75"},     {"Ly", "Label76"},
}};

const std::array<std::array<const char*, 4>, 5> kMainStakeCells = {{
    {"Label45", "Label46", "Label47", "Label48"},
    {"Label49", "Label50", "Label51", "Label52"},
    {"Label53", "Label54", "Label55", "Label56"},
    {"Label57", "Label58", "Label59", "Label60"},
    {"Label61", "Label62", "Label63", "Label64"},
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
            {"Label65", s.T1}, {"Label66", s.T2}, {"Label69", s.p1}, {"Label70", s.p2},
            {"Label73", s.q1}, {"Label74", s.q2}, {"Label67", s.betao1}, {"Label71", s.betao2},
            {"Label68", s.E},  {"Label72", s.L},
            {"Label76", Checked(ArcLengthCell(s), "圆曲线长Ly")},
            {"Label75", Checked(TangentCurveDifference(s), "切曲差Dh")},
        };
        for (const auto& [label, value] : params) cells.emplace_back(label, FormatRounded4(value));
        for (int row = 1; row <= 3; ++row) AddPointRow(cells, row, ComputeMainPoint(s, row));
    } catch (const FloatFault& fault) {
        out.fault = fault.what();
    }
    return out;
}

}  // namespace tarvelo
