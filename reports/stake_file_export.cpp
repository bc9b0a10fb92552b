#include "reports/stake_file_export.h"

#include <string>

#include "core/float_fault.h"
#include "reports/cass_file.h"
#include "reports/stake_csv.h"
#include "reports/streamed_file.h"

namespace tarvelo {

FileStatus WriteStakeFile(const QString& path, const Route& route, const RouteTableParams& p,
                          StakeFileFormat format, const ElevationAt& elevation, std::size_t* rows)
{
    std::size_t expected = 0;
    if (const auto refusal = CheckRouteTable(route, p, &expected))
        return FileStatus::Failure(QString::fromStdString(*refusal));

    StreamedFile file(path);
    if (FileStatus s = file.Open(); !s.ok()) return s;

    const bool withElevation = bool(elevation);
    std::string chunk;
    chunk.reserve(1 << 16);
    if (format == StakeFileFormat::Csv) {
        chunk.append(kUtf8Bom);
        AppendStakeCsvHeader(chunk, withElevation);
    }
    std::size_t count = 0;
    try {
        RouteTableCursor cursor(route, p);
        RouteTableEntry entry;
        while (cursor.Next(&entry)) {
            const RouteTableRow row = ComputeRouteTableRow(route, entry, p);
            const std::optional<double> z = withElevation ? elevation(entry.station) : std::nullopt;
            if (format == StakeFileFormat::Cass)
                AppendCassStakeRow(chunk, row, z);
            else
                AppendStakeCsvRow(chunk, StakeName(entry), row, p.m, z, withElevation);
            ++count;
            if (chunk.size() >= (1 << 16) - 512) {
                if (FileStatus s = file.Write(chunk); !s.ok()) return s;
                chunk.clear();
            }
        }
    } catch (const FloatFault& f) {
        file.Cancel();
        return FileStatus::Failure(
            SaveFailureMessage(path, QString::fromUtf8(f.what()) + QStringLiteral("原文件未改动。")));
    }
    if (FileStatus s = file.Write(chunk); !s.ok()) return s;
    if (FileStatus s = file.Commit(); !s.ok()) return s;
    if (rows) *rows = count;
    return FileStatus::Success();
}

}  // namespace tarvelo
