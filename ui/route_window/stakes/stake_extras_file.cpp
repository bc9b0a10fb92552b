#include "ui/route_window/stakes/stake_extras_file.h"

#include <exception>

#include "compute/route_table.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/cass_file.h"
#include "reports/csv_field.h"
#include "reports/stake_csv.h"
#include "reports/streamed_file.h"

namespace tarvelo {

namespace {

constexpr std::size_t kBlock = 1 << 16;

void DropLineEnd(std::string& out)
{
    if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0) out.resize(out.size() - 2);
}

void AppendNumber(std::string& out, std::optional<double> v, int decimals, bool sign = false)
{
    out += ',';
    if (!v) return;
    if (sign && *v > 0) out += '+';
    AppendFixed(out, *v, decimals);
}

bool HasHeights(const StakeExtras& extras)
{
    return extras.stakeout && extras.stakeout->station.elevation && extras.stakeout->station.instrumentHeight;
}

void AppendCsvExtrasHeader(std::string& out, const StakeExtras& extras)
{
    DropLineEnd(out);
    if (extras.sections) out += ",左边桩X,左边桩Y,左边桩高程,右边桩X,右边桩Y,右边桩高程";
    if (extras.stakeout) out += ",放样方位角,水平角,平距";
    if (HasHeights(extras)) out += ",高差";
    out += "\r\n";
}

}  // namespace

FileStatus WriteStakeFileWithExtras(const QString& path, const Route& route, const RouteTableParams& p,
                                    StakeFileFormat format, const ElevationAt& elevation,
                                    const StakeExtras& extras)
{
    if (format == StakeFileFormat::Report)
        return FileStatus::Failure(QStringLiteral("逐桩坐标表不带边桩和放样数据。"));
    std::size_t expected = 0;
    if (const auto refusal = CheckRouteTable(route, p, &expected))
        return FileStatus::Failure(QString::fromStdString(*refusal));
    StreamedFile file(path);
    if (FileStatus s = file.Open(); !s.ok()) return s;
    const bool withElevation = bool(elevation);
    std::string chunk;
    if (format == StakeFileFormat::Csv) {
        chunk.append(kUtf8Bom);
        AppendStakeCsvHeader(chunk, withElevation, route.hasBreaks());
        AppendCsvExtrasHeader(chunk, extras);
    }
    try {
        RouteTableCursor cursor(route, p);
        RouteTableEntry entry;
        while (cursor.Next(&entry)) {
            const RouteTableRow row = ComputeRouteTableRow(route, entry, p);
            const std::optional<double> z = withElevation ? elevation(entry.station) : std::nullopt;
            std::optional<EdgeStakes> edges;
            if (extras.sections)
                edges = EdgeStakesAt(route, *extras.sections, extras.transition, entry.station, p.a, z);
            const std::string name = StakeName(entry);
            if (format == StakeFileFormat::Cass) {
                AppendCassStakeRow(chunk, row, z);
                if (edges) {
                    AppendCassRow(chunk, name + "左", edges->left.x, edges->left.y, edges->leftZ);
                    AppendCassRow(chunk, name + "右", edges->right.x, edges->right.y, edges->rightZ);
                }
            } else {
                AppendStakeCsvRow(chunk, name, row, p.m, z, withElevation, route.hasBreaks());
                DropLineEnd(chunk);
                if (extras.sections) {
                    const bool e = edges.has_value();
                    AppendNumber(chunk, e ? std::optional(edges->left.x) : std::nullopt, 4);
                    AppendNumber(chunk, e ? std::optional(edges->left.y) : std::nullopt, 4);
                    AppendNumber(chunk, e ? edges->leftZ : std::nullopt, 3);
                    AppendNumber(chunk, e ? std::optional(edges->right.x) : std::nullopt, 4);
                    AppendNumber(chunk, e ? std::optional(edges->right.y) : std::nullopt, 4);
                    AppendNumber(chunk, e ? edges->rightZ : std::nullopt, 3);
                }
                if (extras.stakeout) {
                    const std::optional<double> target =
                        StakeDesignElevation(extras.sections.get(), extras.transition, entry.station, p.m, p.a, z);
                    const StakeoutResult out = ComputeStakeout(
                        extras.stakeout->station, extras.stakeout->backsight,
                        {StakeTarget{name, row.stake.point.x, row.stake.point.y, target}});
                    if (!out.data) throw std::runtime_error(out.refusal.value_or(std::string()));
                    const StakeoutLine& line = out.data->lines.front();
                    chunk += ',';
                    if (line.azimuth) AppendCsvField(chunk, FormatAngleDms(*line.azimuth));
                    else AppendCsvField(chunk, line.note);
                    chunk += ',';
                    if (line.angle) AppendCsvField(chunk, FormatAngleDms(*line.angle));
                    AppendNumber(chunk, line.distance, 3);
                    if (HasHeights(extras)) AppendNumber(chunk, line.designAboveSight, 3, true);
                }
                chunk += "\r\n";
            }
            if (chunk.size() >= kBlock) {
                if (FileStatus s = file.Write(chunk); !s.ok()) return s;
                chunk.clear();
            }
        }
    } catch (const std::exception& e) {
        file.Cancel();
        return FileStatus::Failure(
            SaveFailureMessage(path, QString::fromUtf8(e.what()) + QStringLiteral("原文件未改动。")));
    }
    if (format == StakeFileFormat::Cass) chunk += extras.catchStakes;
    if (FileStatus s = file.Write(chunk); !s.ok()) return s;
    return file.Commit();
}

}  // namespace tarvelo
