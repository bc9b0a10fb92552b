#include "ui/route_window/tables/jd_cells.h"

#include "core/files/text_table.h"
#include "ui/route_window/document/route_texts.h"

namespace tarvelo {

const std::array<const char*, kJdColumnCount> kJdColumnCaptions = {"点名", "X",  "Y",  "桩号",
                                                                    "R",    "Ls1", "Ls2"};

namespace {

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string CellName(int row, int column)
{
    return "第 " + std::to_string(row + 1) + " 行 " + kJdColumnCaptions[column];
}

}  // namespace

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
        const JdRowTexts& t = texts[row];
        const bool isJd = row > 0 && row < count - 1;
        RoutePointInput p;
        const std::string name(Trimmed(t[kJdName]));
        p.name = name.empty() ? DefaultPointName(row, count) : name;
        // Every column of the row is looked at, so each bad cell is marked,
        // not only the first.
        for (int column = kJdX; column < kJdColumnCount; ++column) {
            const std::string text(Trimmed(t[column]));
            const auto problem = [&](const std::string& what) {
                out.problems.push_back({row, column, CellName(row, column) + what});
            };
            if (!JdCellUsed(row, count, column)) {
                if (!text.empty()) problem("不用填写：起点QD和终点ZD没有 R、Ls1、Ls2。");
                continue;
            }
            if (text.empty()) {
                if (column == kJdX || column == kJdY || (column == kJdStation && row == 0) ||
                    (column == kJdR && isJd))
                    problem("缺少数值。");
                continue;
            }
            double v = 0;
            if (!ReadFieldNumber(text, &v)) {
                problem("不是数：“" + text + "”。");
                continue;
            }
            switch (column) {
            case kJdX: p.x = v; break;
            case kJdY: p.y = v; break;
            case kJdStation: p.station = v; break;
            case kJdR: p.R = v; break;
            case kJdLs1: p.Ls1 = v; break;
            case kJdLs2: p.Ls2 = v; break;
            default: break;
            }
        }
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
            fields.emplace_back(Trimmed(line.substr(0, end)));
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
        if (p.station) t[kJdStation] = PlainNumberText(*p.station);
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
