#include "core/files/break_file.h"

#include "core/files/header_row.h"
#include "core/files/route_file.h"
#include "core/numbers/station_text.h"
#include "core/files/text_table.h"

namespace tarvelo {

namespace {

std::string LinePrefix(int line) { return "第 " + std::to_string(line) + " 行："; }

// The words that make a first row the header of a break file.
const std::vector<std::string_view> kBreakHeaderWords = {
    "断前桩号", "断后桩号", "断前", "断后", "断前里程", "断后里程", "名称", "备注", "back", "ahead", "name"};

}  // namespace

BreakRowRead ReadBreakFields(const std::vector<std::string>& fields)
{
    BreakRowRead out;
    BreakInput b;
    for (int col : {0, 1}) {
        const char* what = col == 0 ? "断前桩号" : "断后桩号";
        const std::string field = col < static_cast<int>(fields.size()) ? fields[col] : std::string();
        double v = 0;
        out.column = col;
        if (field.empty()) {
            out.message = std::string("缺少") + what + "，每行应有断前桩号和断后桩号两栏（名称可有可无）。";
            return out;
        }
        const ZonedStationRead read = ReadZonedStationField(field, &v, col == 0 ? &out.backZone : &out.aheadZone);
        if (read != ZonedStationRead::Ok) {
            out.message = std::string(what) + "“" + field + "”" +
                          (read == ZonedStationRead::BadZone ? "的区段应写成“(1区)”这样的整数。"
                                                             : "既不是数，也不是 K3+444.600 这样的桩号。");
            return out;
        }
        (col == 0 ? b.back : b.ahead) = v;
    }
    out.column = -1;
    if (fields.size() >= 3) b.name = fields[2];
    out.row = std::move(b);
    return out;
}

BreakFileContent ParseBreakFile(std::string_view utf8)
{
    BreakFileContent out;
    std::vector<TableLine> lines = SplitTableLines(utf8);
    if (!lines.empty() && IsHeaderRow(lines.front(), kBreakHeaderWords)) lines.erase(lines.begin());
    std::vector<BreakInput> rows;
    for (const TableLine& t : lines) {
        const auto fail = [&](const std::string& reason) {
            out.errors.push_back(ChainageIssue{static_cast<int>(rows.size() + out.errors.size()), t.line,
                                               LinePrefix(t.line) + reason});
        };
        std::size_t extra = 3;
        while (extra < t.fields.size() && t.fields[extra].empty()) ++extra;
        if (extra < t.fields.size()) {
            fail("多出了第 " + std::to_string(extra + 1) + " 栏“" + t.fields[extra] +
                 "”，每行只有断前桩号、断后桩号和名称三栏。");
            continue;
        }
        BreakRowRead read = ReadBreakFields(t.fields);
        if (!read.row) {
            fail(read.message);
            continue;
        }
        // The k-th break stands between zones k and k + 1.
        const int k = static_cast<int>(rows.size() + out.errors.size());
        if ((read.backZone && *read.backZone != k) || (read.aheadZone && *read.aheadZone != k + 1)) {
            fail("这是第 " + std::to_string(k + 1) + " 个断链，断前桩号在区段 " + std::to_string(k) +
                 "、断后桩号在区段 " + std::to_string(k + 1) + "，与所写的区段不符。");
            continue;
        }
        read.row->line = t.line;
        rows.push_back(std::move(*read.row));
    }
    if (out.errors.empty()) out.rows = std::move(rows);
    return out;
}

std::string FormatBreakFile(const std::vector<BreakInput>& rows)
{
    std::string out = "断前桩号,断后桩号,名称\r\n";
    for (const BreakInput& b : rows) {
        out += RoundTripText(b.back) + ',' + RoundTripText(b.ahead);
        if (!b.name.empty()) {
            std::string name = b.name;
            for (char& c : name)
                if (c == ',' || c == '\t' || c == '\r' || c == '\n') c = ' ';
            out += ',' + name;
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace tarvelo
