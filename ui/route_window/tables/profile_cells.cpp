#include "ui/route_window/tables/profile_cells.h"

#include "core/files/profile_file.h"
#include "core/files/route_file.h"
#include "core/files/text_table.h"

namespace tarvelo {

const std::array<const char*, kProfileColumnCount> kProfileColumnCaptions = {"变坡点桩号", "高程",
                                                                             "竖曲线半径R"};

namespace {

std::string Trimmed(const std::string& s)
{
    std::size_t first = 0, last = s.size();
    while (first < last && (s[first] == ' ' || s[first] == '\t')) ++first;
    while (last > first && (s[last - 1] == ' ' || s[last - 1] == '\t' || s[last - 1] == '\r')) --last;
    return s.substr(first, last - first);
}

}  // namespace

bool ProfileCellUsed(int row, int rowCount, int column)
{
    return column != kProfileR || (row > 0 && row < rowCount - 1);
}

ProfileRowsRead ReadProfileRows(const std::vector<ProfileRowTexts>& texts)
{
    ProfileRowsRead out;
    const int count = static_cast<int>(texts.size());
    for (int row = 0; row < count; ++row) {
        GradePointInput p;
        p.line = row + 1;
        // Every cell of the row is looked at, so each bad cell is marked.
        for (int column = 0; column < kProfileColumnCount; ++column) {
            const std::string text = Trimmed(texts[row][column]);
            const auto problem = [&](const std::string& what) {
                out.problems.push_back({row, column, "第 " + std::to_string(row + 1) + " 行 " +
                                                         kProfileColumnCaptions[column] + what});
            };
            if (!ProfileCellUsed(row, count, column)) {
                if (!text.empty()) problem("不用填写：纵断面的起点和终点不设竖曲线。");
                continue;
            }
            if (text.empty()) {
                problem("缺少数值。");
                continue;
            }
            double v = 0;
            const bool read = column == kProfileStation ? ReadStationField(text, &v)
                                                        : ReadFieldNumber(text, &v);
            if (!read) {
                problem(column == kProfileStation
                            ? "既不是数，也不是 K5+030.5 这样的桩号：“" + text + "”。"
                            : "不是数：“" + text + "”。");
                continue;
            }
            if (column == kProfileStation) p.station = v;
            else if (column == kProfileElevation) p.elevation = v;
            else p.R = v;
        }
        out.points.push_back(p);
    }
    if (!out.problems.empty()) out.points.clear();
    return out;
}

std::vector<ProfileRowTexts> ProfileTextsOf(const std::vector<GradePointInput>& points)
{
    std::vector<ProfileRowTexts> out;
    for (const GradePointInput& p : points) {
        ProfileRowTexts t;
        t[kProfileStation] = RoundTripText(p.station);
        t[kProfileElevation] = RoundTripText(p.elevation);
        if (p.R) t[kProfileR] = RoundTripText(*p.R);
        out.push_back(std::move(t));
    }
    return out;
}

}  // namespace tarvelo
