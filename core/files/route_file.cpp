#include "core/files/route_file.h"

#include <charconv>

#include "core/files/header_row.h"
#include "core/numbers/station_text.h"
#include "core/files/text_table.h"

namespace tarvelo {

namespace {

constexpr int kColumns = 7;
const char* const kColumnNames[kColumns] = {"点名", "X", "Y", "桩号", "R", "Ls1", "Ls2"};

// The words that make a first row the header of a route file.
const std::vector<std::string_view> kRouteHeaderWords = {
    "点名", "点号", "名称", "交点", "x", "y", "桩号", "里程", "r", "半径", "ls1", "ls2", "name", "point", "station"};

std::string At(int line) { return "第 " + std::to_string(line) + " 行："; }

bool Number(const TableLine& t, int col, double* v)
{
    return col < static_cast<int>(t.fields.size()) && ReadFieldNumber(t.fields[col], v);
}

bool Empty(const TableLine& t, int col)
{
    return col >= static_cast<int>(t.fields.size()) || t.fields[col].empty();
}

}  // namespace

RouteFileParse ParseRouteFile(std::string_view utf8)
{
    RouteFileParse out;
    std::vector<TableLine> lines = SplitTableLines(utf8);
    if (!lines.empty() && IsHeaderRow(lines.front(), kRouteHeaderWords)) lines.erase(lines.begin());
    const int count = static_cast<int>(lines.size());
    if (count < 3) {
        out.errors.push_back({-1, 0,
                              "线路文件至少要有起点QD、一个交点JD和终点ZD三行数据，这里只有 " +
                                  std::to_string(count) + " 行。"});
        return out;
    }
    std::vector<RoutePointInput> rows;
    for (int i = 0; i < count; ++i) {
        const TableLine& t = lines[i];
        const bool isJd = i > 0 && i < count - 1;
        const auto bad = [&](const std::string& what) {
            out.errors.push_back({i, t.line, At(t.line) + what});
        };
        if (static_cast<int>(t.fields.size()) > kColumns && !t.fields[kColumns].empty()) {
            bad("列数太多：应为 点名, X, Y, 桩号, R, Ls1, Ls2 七列。");
            continue;
        }
        RoutePointInput p;
        p.line = t.line;
        p.name = t.fields[0];
        if (p.name.empty()) p.name = i == 0 ? "QD" : (i == count - 1 ? "ZD" : "JD" + std::to_string(i));
        bool ok = true;
        for (int col : {1, 2}) {
            double v;
            if (!Number(t, col, &v)) {
                bad(std::string(kColumnNames[col]) + " 不是数：“" +
                    (col < static_cast<int>(t.fields.size()) ? t.fields[col] : std::string()) + "”。");
                ok = false;
                break;
            }
            (col == 1 ? p.x : p.y) = v;
        }
        if (!ok) continue;
        if (!Empty(t, 3)) {
            double v;
            if (ReadZonedStationField(t.fields[3], &v, &p.zone) != ZonedStationRead::Ok) {
                bad("桩号不是数：“" + t.fields[3] + "”。");
                continue;
            }
            p.station = v;
        } else if (i == 0) {
            bad("起点QD缺少桩号。");
            continue;
        }
        if (isJd) {
            if (Empty(t, 4)) {
                bad("交点缺少半径R。");
                continue;
            }
            for (int col : {4, 5, 6}) {
                double v = 0;
                if (col > 4 && Empty(t, col)) continue;  // no spiral
                if (!Number(t, col, &v)) {
                    bad(std::string(kColumnNames[col]) + " 不是数：“" + t.fields[col] + "”。");
                    ok = false;
                    break;
                }
                (col == 4 ? p.R : col == 5 ? p.Ls1 : p.Ls2) = v;
            }
            if (!ok) continue;
        } else if (!Empty(t, 4) || !Empty(t, 5) || !Empty(t, 6)) {
            bad(std::string(i == 0 ? "起点QD" : "终点ZD") + "不设曲线，R、Ls1、Ls2 应为空。");
            continue;
        }
        rows.push_back(std::move(p));
    }
    if (out.errors.empty()) out.rows = std::move(rows);
    return out;
}

std::string FormatRouteFile(const std::vector<RoutePointInput>& rows)
{
    std::string out = "点名,X,Y,桩号,R,Ls1,Ls2\r\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RoutePointInput& p = rows[i];
        std::string name = p.name;
        for (char& c : name)
            if (c == ',' || c == '\t' || c == '\r' || c == '\n') c = ' ';
        out += name;
        out += ',' + RoundTripText(p.x) + ',' + RoundTripText(p.y) + ',';
        if (p.station) out += RoundTripText(*p.station);
        if (i > 0 && i + 1 < rows.size())
            out += ',' + RoundTripText(p.R) + ',' + RoundTripText(p.Ls1) + ',' + RoundTripText(p.Ls2);
        else
            out += ",,,";
        out += "\r\n";
    }
    return out;
}

}  // namespace tarvelo
