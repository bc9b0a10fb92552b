#include "ui/route_window/tables/section_cells.h"

#include <cmath>

#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "core/files/text_table.h"

namespace tarvelo {

const std::array<CellColumn, kSectionColumnCount> kSectionColumns = {{{"桩号", CellKind::Station},
                                                                     {"左幅宽度", CellKind::Number},
                                                                     {"右幅宽度", CellKind::Number},
                                                                     {"左横坡%", CellKind::Number},
                                                                     {"右横坡%", CellKind::Number}}};
const std::array<const char*, kSectionColumnCount> kSectionColumnCaptions = CaptionsOf(kSectionColumns);

namespace {

// A station as the table shows it: to 4 decimals where that is the same
// position within a nanometre (a K-notation station "K12+891.219" reads as
// 12000 + 891.219, a hair from 12891.219, and should not show 16 digits);
// otherwise every digit.
std::string StationText(double v)
{
    const std::string short4 = FormatRounded4(v);
    double back = 0;
    if (ReadFieldNumber(short4, &back) && std::fabs(back - v) <= 1e-9) return short4;
    return RoundTripText(v);
}

}  // namespace

SectionRowsRead ReadSectionRows(const std::vector<SectionRowTexts>& texts)
{
    SectionRowsRead out;
    for (std::size_t row = 0; row < texts.size(); ++row) {
        const auto v = ReadNumberCells(texts[row], int(row), kSectionColumns, [](int) { return CellRule{}; },
                                       out.problems);
        const auto at = [&](int column) { return v[std::size_t(column)].value_or(0); };
        out.rows.push_back({at(kSectionStation), at(kSectionLeftWidth), at(kSectionRightWidth),
                            at(kSectionLeftSlope), at(kSectionRightSlope), static_cast<int>(row) + 1,
                            StationCellZone(TrimCell(texts[row][kSectionStation]))});
    }
    if (!out.problems.empty()) out.rows.clear();
    return out;
}

std::vector<SectionRowTexts> SectionTextsOf(const std::vector<CrossSectionRow>& rows)
{
    std::vector<SectionRowTexts> out;
    for (const CrossSectionRow& r : rows)
        out.push_back({StationText(r.station) + (r.zone ? "(" + std::to_string(*r.zone) + "区)" : std::string()),
                       RoundTripText(r.leftWidth), RoundTripText(r.rightWidth),
                       RoundTripText(r.leftSlope), RoundTripText(r.rightSlope)});
    return out;
}

}  // namespace tarvelo
