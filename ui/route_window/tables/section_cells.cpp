#include "ui/route_window/tables/section_cells.h"

#include <cmath>

#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "core/files/text_table.h"

namespace tarvelo {

const std::array<const char*, kSectionColumnCount> kSectionColumnCaptions = {
    "桩号", "左幅宽度", "右幅宽度", "左横坡%", "右横坡%"};

namespace {

std::string Trimmed(const std::string& s)
{
    std::size_t first = 0, last = s.size();
    while (first < last && (s[first] == ' ' || s[first] == '\t')) ++first;
    while (last > first && (s[last - 1] == ' ' || s[last - 1] == '\t' || s[last - 1] == '\r')) --last;
    return s.substr(first, last - first);
}

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
        double values[kSectionColumnCount] = {};
        // Every cell of the row is looked at, so each bad cell is marked.
        for (int column = 0; column < kSectionColumnCount; ++column) {
            const std::string text = Trimmed(texts[row][column]);
            const std::string where =
                "第 " + std::to_string(row + 1) + " 行 " + kSectionColumnCaptions[column];
            const auto problem = [&](const std::string& what) {
                out.problems.push_back({static_cast<int>(row), column, where + what});
            };
            if (text.empty()) {
                problem("缺少数值。");
                continue;
            }
            const bool read = column == kSectionStation ? ReadStationField(text, &values[column])
                                                        : ReadFieldNumber(text, &values[column]);
            if (!read)
                problem(column == kSectionStation ? "既不是数，也不是 K5+030.5 这样的桩号：“" + text + "”。"
                                                  : "不是数：“" + text + "”。");
        }
        out.rows.push_back({values[kSectionStation], values[kSectionLeftWidth], values[kSectionRightWidth],
                            values[kSectionLeftSlope], values[kSectionRightSlope], static_cast<int>(row) + 1});
    }
    if (!out.problems.empty()) out.rows.clear();
    return out;
}

std::vector<SectionRowTexts> SectionTextsOf(const std::vector<CrossSectionRow>& rows)
{
    std::vector<SectionRowTexts> out;
    for (const CrossSectionRow& r : rows)
        out.push_back({StationText(r.station), RoundTripText(r.leftWidth), RoundTripText(r.rightWidth),
                       RoundTripText(r.leftSlope), RoundTripText(r.rightSlope)});
    return out;
}

}  // namespace tarvelo
