#include "ui/route_window/tables/jd_cells.h"

#include "core/files/text_table.h"
#include "ui/route_window/document/route_texts.h"

namespace tarvelo {

const std::array<CellColumn, kJdColumnCount> kJdColumns = {{{"点名", CellKind::Text},
                                                           {"X", CellKind::Number},
                                                           {"Y", CellKind::Number},
                                                           {"桩号", CellKind::Number},
                                                           {"R", CellKind::Number},
                                                           {"Ls1", CellKind::Number},
                                                           {"Ls2", CellKind::Number}}};
const std::array<const char*, kJdColumnCount> kJdColumnCaptions = CaptionsOf(kJdColumns);

bool JdCellUsed(int row, int rowCount, int column)
{
    const bool endRow = row == 0 || row == rowCount - 1;
    return !(endRow && column >= kJdR);
}

std::string DefaultPointName(int row, int rowCount)
{
    if (row == 0) return "QD";
    if (row == rowCount - 1) return "ZD";
    return "JD" + std::to_string(row);
}

JdRowsRead ReadJdRows(const std::vector<JdRowTexts>& texts)
{
    JdRowsRead out;
    const int count = static_cast<int>(texts.size());
    for (int row = 0; row < count; ++row) {
        const JdRowTexts& t = texts[std::size_t(row)];
        const bool isJd = row > 0 && row < count - 1;
        const auto rule = [&](int column) {
            const bool required = column == kJdX || column == kJdY || (column == kJdStation && row == 0) ||
                                  (column == kJdR && isJd);
            return CellRule{JdCellUsed(row, count, column), required, "起点QD和终点ZD没有 R、Ls1、Ls2。"};
        };
        const auto v = ReadNumberCells(t, row, kJdColumns, rule, out.problems);
        RoutePointInput p;
        const std::string name = TrimCell(t[kJdName]);
        p.name = name.empty() ? DefaultPointName(row, count) : name;
        p.x = v[kJdX].value_or(p.x);
        p.y = v[kJdY].value_or(p.y);
        p.station = v[kJdStation];
        p.zone = StationCellZone(TrimCell(t[kJdStation]));
        p.R = v[kJdR].value_or(p.R);
        p.Ls1 = v[kJdLs1].value_or(p.Ls1);
        p.Ls2 = v[kJdLs2].value_or(p.Ls2);
        out.rows.push_back(std::move(p));
    }
    if (!out.problems.empty()) out.rows.clear();
    return out;
}

std::vector<std::vector<std::string>> SplitPastedBlock(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    bool tabs = false;
    for (std::string_view line : lines) tabs = tabs || line.find('\t') != std::string_view::npos;
    const char separator = tabs ? '\t' : ',';
    std::vector<std::vector<std::string>> rows;
    for (std::string_view line : lines) {
        std::vector<std::string> fields;
        for (;;) {
            const std::size_t end = line.find(separator);
            fields.push_back(TrimCell(line.substr(0, end)));
            if (end == std::string_view::npos) break;
            line.remove_prefix(end + 1);
        }
        rows.push_back(std::move(fields));
    }
    return rows;
}

std::vector<JdRowTexts> JdTextsOf(const std::vector<RoutePointInput>& rows)
{
    std::vector<JdRowTexts> out;
    const int count = static_cast<int>(rows.size());
    for (int row = 0; row < count; ++row) {
        const RoutePointInput& p = rows[row];
        JdRowTexts t;
        t[kJdName] = p.name;
        t[kJdX] = PlainNumberText(p.x);
        t[kJdY] = PlainNumberText(p.y);
        if (p.station) t[kJdStation] = PlainNumberText(*p.station) + (p.zone ? "(" + std::to_string(*p.zone) + "区)" : std::string());
        if (JdCellUsed(row, count, kJdR)) {
            t[kJdR] = PlainNumberText(p.R);
            t[kJdLs1] = PlainNumberText(p.Ls1);
            t[kJdLs2] = PlainNumberText(p.Ls2);
        }
        out.push_back(std::move(t));
    }
    return out;
}

}  // namespace tarvelo
