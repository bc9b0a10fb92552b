#include "reports/stake_report.h"

#include <cmath>

#include "compute/route_text.h"
#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

constexpr int kColumns[] = {1, 17, 33, 49, 67, 75};

// Columns UTF-8 text since `from` takes in a fixed-width font on a Chinese
// system: 1 for ASCII, 2 for any other character (GBK's double-byte ones).
std::size_t Width(const std::string& s, std::size_t from)
{
    std::size_t n = 0;
    for (std::size_t i = from; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) n += 1;
        else if ((c & 0xC0) != 0x80) n += 2;
    }
    return n;
}

// Pads the current line (which began at lineStart) to the column, leaving at
// least one space after a field that ran long.
void PadTo(std::string& out, std::size_t lineStart, int column)
{
    const std::size_t used = Width(out, lineStart);
    const std::size_t want = std::size_t(column - 1);
    out.append(used < want ? want - used : 1, ' ');
}

}  // namespace

void AppendStakeReportHead(std::string& out, const RouteTableParams& p, const std::string& start,
                           const std::string& end, bool withElevation)
{
    out += "\r\n\r\n";
    out.append(30, ' ');
    out += "逐桩坐标表\r\n\r\n";
    out += "起点 ";
    out += start;
    out += "  止点 ";
    out += end;
    out += "  间距 ";
    out += FormatGeneral(Checked(p.interval, "间距"));
    out += " m";
    if (p.m != 0) {
        out += "  偏距 ";
        AppendFixed(out, p.m, 3);
        out += " m  偏角 ";
        AppendDmsText(out, p.a);
    }
    out += "\r\n\r\n";
    const std::size_t line = out.size();
    const char* heads[] = {"桩号", "X(北)", "Y(东)", "切线方位角", "主点", "设计高程"};
    for (int i = 0; i < (withElevation ? 6 : 5); ++i) {
        if (i) PadTo(out, line, kColumns[i]);
        out += heads[i];
    }
    out += "\r\n";
    out.append(80, '-');
    out += "\r\n";
}

void AppendStakeReportRow(std::string& out, const RouteTableRow& row, std::optional<double> elevation,
                          bool withElevation)
{
    const std::size_t line = out.size();
    out += EntryStationText(row.entry);
    PadTo(out, line, kColumns[1]);
    AppendFixed(out, row.stake.point.x, 4);
    PadTo(out, line, kColumns[2]);
    AppendFixed(out, row.stake.point.y, 4);
    PadTo(out, line, kColumns[3]);
    AppendDmsText(out, row.stake.point.azimuth);
    if (!row.entry.kind.empty() || withElevation) {
        PadTo(out, line, kColumns[4]);
        out += row.entry.kind;
    }
    if (withElevation && elevation) {
        PadTo(out, line, kColumns[5]);
        AppendFixed(out, Checked(*elevation, "设计高程"), 3);
    }
    // No trailing spaces.
    while (out.size() > line && out.back() == ' ') out.pop_back();
    out += "\r\n";
}

void AppendStakeReportTail(std::string& out)
{
    out += "\r\n\r\n计算：";
    out.append(32, ' ');
    out += "复核：";
    out.append(32, ' ');
    out += "监理：\r\n";
}

}  // namespace tarvelo
