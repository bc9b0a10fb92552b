#include "reports/stake_csv.h"

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

void AppendStakeCsvHeader(std::string& out, bool withElevation, bool withZone)
{
    out += withZone ? "点名,桩号,区段,X(北),Y(东),方位角(度),方位角(度分秒),类型,偏距"
                    : "点名,桩号,X(北),Y(东),方位角(度),方位角(度分秒),类型,偏距";
    if (withElevation) out += ",高程";
    out += "\r\n";
}

void AppendStakeCsvRow(std::string& out, std::string_view name, const RouteTableRow& row,
                       double offset, std::optional<double> elevation, bool withElevation, bool withZone)
{
    const CentrelinePoint& p = row.stake.point;
    AppendCsvField(out, name);
    out += ',';
    AppendFixed(out, row.entry.displayed, 4);
    out += ',';
    if (withZone) {
        out += std::to_string(row.entry.zone);
        out += ',';
    }
    AppendFixed(out, p.x, 4);
    out += ',';
    AppendFixed(out, p.y, 4);
    out += ',';
    // An azimuth a hair below 360 rounds to 360; the column stays in [0, 360).
    const std::size_t azimuthAt = out.size();
    AppendFixed(out, p.azimuth, 8);
    if (out.compare(azimuthAt, 4, "360.") == 0) out.replace(azimuthAt, 3, "0");
    out += ',';
    AppendCsvField(out, DegreesToDmsText(p.azimuth));
    out += ',';
    AppendCsvField(out, row.entry.kind);
    out += ',';
    AppendFixed(out, offset, 4);
    if (withElevation) {
        out += ',';
        if (elevation) AppendFixed(out, Checked(*elevation, "高程"), 3);
    }
    out += "\r\n";
}

}  // namespace tarvelo
