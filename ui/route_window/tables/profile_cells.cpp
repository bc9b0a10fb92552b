#include "ui/route_window/tables/profile_cells.h"

#include "core/files/profile_file.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

const std::array<CellColumn, kProfileColumnCount> kProfileColumns = {{
    {"变坡点桩号", CellKind::Station}, {"高程", CellKind::Number}, {"竖曲线半径R", CellKind::Number}}};
const std::array<const char*, kProfileColumnCount> kProfileColumnCaptions = CaptionsOf(kProfileColumns);

bool ProfileCellUsed(int row, int rowCount, int column)
{
    return column != kProfileR || (row > 0 && row < rowCount - 1);
}

ProfileRowsRead ReadProfileRows(const std::vector<ProfileRowTexts>& texts)
{
    ProfileRowsRead out;
    const int count = static_cast<int>(texts.size());
    for (int row = 0; row < count; ++row) {
        const auto rule = [&](int column) {
            return CellRule{ProfileCellUsed(row, count, column), true, "纵断面的起点和终点不设竖曲线。"};
        };
        const auto v = ReadNumberCells(texts[std::size_t(row)], row, kProfileColumns, rule, out.problems);
        GradePointInput p;
        p.line = row + 1;
        p.station = v[kProfileStation].value_or(0);
        p.zone = StationCellZone(TrimCell(texts[std::size_t(row)][kProfileStation]));
        p.elevation = v[kProfileElevation].value_or(0);
        p.R = v[kProfileR];
        out.rows.push_back(p);
    }
    if (!out.problems.empty()) out.rows.clear();
    return out;
}

std::vector<ProfileRowTexts> ProfileTextsOf(const std::vector<GradePointInput>& points)
{
    std::vector<ProfileRowTexts> out;
    for (const GradePointInput& p : points) {
        ProfileRowTexts t;
        t[kProfileStation] = RoundTripText(p.station) + (p.zone ? "(" + std::to_string(*p.zone) + "区)" : std::string());
        t[kProfileElevation] = RoundTripText(p.elevation);
        if (p.R) t[kProfileR] = RoundTripText(*p.R);
        out.push_back(std::move(t));
    }
    return out;
}

}  // namespace tarvelo
