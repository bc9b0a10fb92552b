#include "core/files/profile_file.h"

#include <cmath>
#include <string>

#include "core/numbers/number_text.h"
#include "core/files/header_row.h"
#include "core/files/text_table.h"

namespace tarvelo {

namespace {

std::string LinePrefix(int line) { return "第 " + std::to_string(line) + " 行："; }

// The words that make a first row the header of a profile file.
const std::vector<std::string_view> kProfileHeaderWords = {
    "桩号", "变坡点桩号", "里程", "高程", "变坡点高程", "设计高程", "r", "半径", "竖曲线半径",
    "station", "chainage", "elevation", "height", "radius"};

}  // namespace

ProfileFileContent ParseProfileFile(std::string_view utf8)
{
    ProfileFileContent out;
    std::vector<TableLine> rows = SplitTableLines(utf8);
    if (!rows.empty() && IsHeaderRow(rows.front(), kProfileHeaderWords)) rows.erase(rows.begin());

    for (const TableLine& row : rows) {
        const std::string where = LinePrefix(row.line);
        const auto fail = [&](const std::string& reason) {
            out.errors.push_back(ProfileIssue{row.line, where + reason});
        };
        if (row.fields.size() < 2) {
            fail("只有一栏“" + row.fields[0] + "”，每行应有桩号、高程和竖曲线半径R三栏（起终点的R空着）。");
            continue;
        }
        std::size_t extra = 3;
        while (extra < row.fields.size() && row.fields[extra].empty()) ++extra;
        if (extra < row.fields.size()) {
            fail("多出了第 " + std::to_string(extra + 1) + " 栏“" + row.fields[extra] +
                 "”，每行只有桩号、高程和竖曲线半径R三栏。");
            continue;
        }
        GradePointInput p;
        p.line = row.line;
        const ZonedStationRead station = ReadZonedStationField(row.fields[0], &p.station, &p.zone);
        if (station != ZonedStationRead::Ok) {
            fail(row.fields[0].empty()                          ? std::string("缺少桩号。")
                 : station == ZonedStationRead::BadZone ? "桩号“" + row.fields[0] + "”的区段应写成“(1区)”这样的整数。"
                                                        : "桩号“" + row.fields[0] + "”既不是数，也不是 K5+030.5 这样的桩号。");
            continue;
        }
        if (!ReadFieldNumber(row.fields[1], &p.elevation)) {
            fail(row.fields[1].empty() ? std::string("缺少高程。")
                                       : "高程“" + row.fields[1] + "”不是数。");
            continue;
        }
        if (row.fields.size() >= 3 && !row.fields[2].empty()) {
            double r = 0;
            if (!ReadFieldNumber(row.fields[2], &r)) {
                fail("竖曲线半径R“" + row.fields[2] + "”不是数。");
                continue;
            }
            p.R = r;
        }
        out.points.push_back(p);
    }

    // The R rule needs the row's place in the profile; it is judged only
    // when every row was read, since a dropped row moves the ends.
    if (out.errors.empty()) {
        const std::size_t n = out.points.size();
        for (std::size_t k = 0; k < n; ++k) {
            const GradePointInput& p = out.points[k];
            const std::string where = LinePrefix(p.line);
            const bool end = k == 0 || k + 1 == n;
            if (end && p.R)
                out.errors.push_back(ProfileIssue{
                    p.line, where + (k == 0 ? "纵断面的起点" : "纵断面的终点") +
                                "不设竖曲线，半径R一栏应当空着。"});
            else if (!end && !p.R)
                out.errors.push_back(ProfileIssue{p.line, where + "变坡点缺少竖曲线半径R。"});
            else if (!end && !(*p.R > 0))
                out.errors.push_back(ProfileIssue{
                    p.line, where + "竖曲线半径R为 " + FormatGeneral(*p.R) + "，应当大于零。"});
        }
    }
    if (!out.errors.empty()) out.points.clear();
    return out;
}

std::string FormatProfileFile(const std::vector<GradePointInput>& points)
{
    std::string out = "桩号,高程,R\r\n";
    for (const GradePointInput& p : points) {
        out += RoundTripText(p.station);
        if (p.zone) out += "(" + std::to_string(*p.zone) + "区)";
        out += ',' + RoundTripText(p.elevation) + ',';
        if (p.R) out += RoundTripText(*p.R);
        out += "\r\n";
    }
    return out;
}

}  // namespace tarvelo
