#include "ui/route_window/tables/point_cells.h"

#include "core/numbers/number_text.h"

namespace tarvelo {

const std::array<CellColumn, kPointColumnCount> kPointColumns = {
    {{"点名", CellKind::Text}, {"X", CellKind::Number}, {"Y", CellKind::Number}, {"H", CellKind::Number}}};
const std::array<const char*, kPointColumnCount> kPointColumnCaptions = CaptionsOf(kPointColumns);

PointRowsRead ReadPointRows(const std::vector<PointRowTexts>& texts)
{
    PointRowsRead out;
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const auto v =
            ReadNumberCells(texts[row], int(row), kPointColumns, [](int) { return CellRule{}; }, out.problems);
        SurveyPoint p;
        p.line = int(row) + 1;
        p.name = TrimCell(texts[row][kPointName]);
        p.x = v[kPointX].value_or(0);
        p.y = v[kPointY].value_or(0);
        p.z = v[kPointZ];
        out.rows.push_back(std::move(p));
    }
    if (!out.problems.empty()) out.rows.clear();
    return out;
}

std::vector<PointRowTexts> PointTextsOf(const std::vector<SurveyPoint>& points)
{
    std::vector<PointRowTexts> out;
    for (const SurveyPoint& p : points)
        out.push_back({p.name, RoundTripText(p.x), RoundTripText(p.y), p.z ? RoundTripText(*p.z) : std::string()});
    return out;
}

}  // namespace tarvelo
