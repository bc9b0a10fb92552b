#include "core/files/cross_section_file.h"

#include <optional>

#include "core/numbers/number_text.h"
#include "core/files/header_row.h"
#include "core/files/profile_file.h"
#include "core/files/route_file.h"
#include "core/files/text_table.h"

namespace tarvelo {

namespace {

constexpr std::size_t kColumns = 5;
const char* const kColumnNames[kColumns] = {"桩号", "左幅宽度", "右幅宽度", "左侧横坡", "右侧横坡"};

std::string LinePrefix(int line) { return "第 " + std::to_string(line) + " 行："; }

// The words that make a first row the header of a cross-section file.
const std::vector<std::string_view> kCrossSectionHeaderWords = {
    "桩号", "里程", "左幅宽度", "右幅宽度", "左幅", "右幅", "左宽", "右宽", "左侧横坡", "右侧横坡", "左横坡",
    "右横坡", "左横坡%", "右横坡%", "左侧横坡%", "右侧横坡%", "station", "chainage"};

}  // namespace

CrossSectionFileContent ParseCrossSectionFile(std::string_view utf8)
{
    CrossSectionFileContent out;
    std::vector<TableLine> lines = SplitTableLines(utf8);
    if (!lines.empty() && IsHeaderRow(lines.front(), kCrossSectionHeaderWords)) lines.erase(lines.begin());

    // The station of the row just before, when that row was read: a row after
    // a faulty one is not compared, so one mistake gives one message.
    std::optional<double> previous;
    std::optional<int> previousZone;  // the last zone a row named
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const TableLine& t = lines[index];
        const auto fail = [&](const std::string& reason) {
            out.errors.push_back(CrossSectionIssue{static_cast<int>(index), t.line, LinePrefix(t.line) + reason});
            previous.reset();
        };
        if (t.fields.size() < kColumns) {
            fail("只有 " + std::to_string(t.fields.size()) +
                 " 栏，每行应有桩号、左幅宽度、右幅宽度、左侧横坡和右侧横坡五栏。");
            continue;
        }
        std::size_t extra = kColumns;
        while (extra < t.fields.size() && t.fields[extra].empty()) ++extra;
        if (extra < t.fields.size()) {
            fail("多出了第 " + std::to_string(extra + 1) + " 栏“" + t.fields[extra] +
                 "”，每行只有桩号、左幅宽度、右幅宽度、左侧横坡和右侧横坡五栏。");
            continue;
        }
        CrossSectionRow row;
        row.line = t.line;
        const ZonedStationRead station = ReadZonedStationField(t.fields[0], &row.station, &row.zone);
        if (station != ZonedStationRead::Ok) {
            fail(t.fields[0].empty()                            ? std::string("缺少桩号。")
                 : station == ZonedStationRead::BadZone ? "桩号“" + t.fields[0] + "”的区段应写成“(1区)”这样的整数。"
                                                        : "桩号“" + t.fields[0] + "”既不是数，也不是 K5+030.5 这样的桩号。");
            continue;
        }
        double* const values[] = {&row.leftWidth, &row.rightWidth, &row.leftSlope, &row.rightSlope};
        bool read = true;
        for (std::size_t col = 1; col < kColumns && read; ++col) {
            if (ReadFieldNumber(t.fields[col], values[col - 1])) continue;
            fail(t.fields[col].empty() ? "缺少" + std::string(kColumnNames[col]) + "。"
                                       : std::string(kColumnNames[col]) + "“" + t.fields[col] + "”不是数。");
            read = false;
        }
        if (!read) continue;
        if (const auto fault = CrossSectionRowFault(row)) {
            fail(*fault);
            continue;
        }
        // A later zone of a 长链 starts below the stations before it.
        const bool laterZone = row.zone && previousZone && *row.zone > *previousZone;
        if (previous && !laterZone && !(row.station > *previous)) {
            fail("桩号 " + FormatGeneral(row.station) + " 不大于上一行的桩号 " + FormatGeneral(*previous) +
                 "，横断面的桩号必须逐行增大。");
            continue;
        }
        previous = row.station;
        if (row.zone) previousZone = row.zone;
        out.rows.push_back(row);
    }
    if (!out.errors.empty()) out.rows.clear();
    return out;
}

std::string FormatCrossSectionFile(const std::vector<CrossSectionRow>& rows)
{
    std::string out = "桩号,左幅宽度,右幅宽度,左横坡%,右横坡%\r\n";
    for (const CrossSectionRow& r : rows) {
        out += RoundTripText(r.station) + ',' + RoundTripText(r.leftWidth) + ',' + RoundTripText(r.rightWidth) +
               ',' + RoundTripText(r.leftSlope) + ',' + RoundTripText(r.rightSlope) + "\r\n";
    }
    return out;
}

}  // namespace tarvelo
