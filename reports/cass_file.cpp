#include "reports/cass_file.h"

#include <QString>

#include "compute/route_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/gbk_text.h"

namespace tarvelo {

namespace {

bool IsAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

bool AppendCassRow(std::string& out, std::string_view name, double x, double y,
                   std::optional<double> elevation)
{
    Checked(x, "X");
    Checked(y, "Y");
    if (elevation) Checked(*elevation, "高程");
    if (name.empty() || name.find_first_of(",\r\n") != std::string_view::npos) return false;
    if (IsAscii(name)) {
        out.append(name);
    } else {
        const FileResult<QByteArray> gbk =
            EncodeGbk(QString::fromUtf8(name.data(), qsizetype(name.size())));
        if (!gbk.ok()) return false;
        out.append(gbk.value->constData(), std::size_t(gbk.value->size()));
    }
    out += ",,";
    AppendFixed(out, y, 4);
    out += ',';
    AppendFixed(out, x, 4);
    out += ',';
    if (elevation) AppendFixed(out, *elevation, 3);
    out += "\r\n";
    return true;
}

std::string StakeName(const RouteTableEntry& entry)
{
    std::string name;
    if (!entry.kind.empty()) {
        name = entry.kind;
        name += '-';
    }
    name += EntryStationText(entry, 3);
    return name;
}

void AppendCassStakeRow(std::string& out, const RouteTableRow& row, std::optional<double> elevation)
{
    AppendCassRow(out, StakeName(row.entry), row.stake.point.x, row.stake.point.y, elevation);
}

}  // namespace tarvelo
