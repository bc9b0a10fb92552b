#include "reports/stake_file_export.h"

#include <stdexcept>
#include <string>

#include "compute/route_station_text.h"
#include "core/numbers/float_fault.h"
#include "reports/cass_file.h"
#include "reports/csv_field.h"
#include "reports/gbk_text.h"
#include "reports/stake_csv.h"
#include "reports/stake_report.h"
#include "reports/streamed_file.h"

namespace tarvelo {

namespace {

constexpr std::size_t kBlock = 1 << 16;

// Text GBK cannot hold (the table's own texts never are).
struct GbkFailure : std::runtime_error {
    explicit GbkFailure(const QString& m) : std::runtime_error(m.toStdString()), message(m) {}
    QString message;
};

}  // namespace

std::optional<std::size_t> StreamStakeTable(const Route& route, const RouteTableParams& p,
                                            StakeFileFormat format, const ElevationAt& elevation,
                                            bool fileForm, const ByteSink& sink, const StakeCsvColumns* extra)
{
    const bool extraCsv = extra && format == StakeFileFormat::Csv;
    // The extra fields go before the row's CR LF.
    const auto appendExtra = [](std::string& out, const std::vector<std::string>& fields) {
        out.resize(out.size() - 2);
        for (const std::string& f : fields) {
            out += ',';
            AppendCsvField(out, f);
        }
        out += "\r\n";
    };
    const bool withElevation = bool(elevation);
    // The report is formatted in UTF-8 and its file is GBK: each block is
    // converted on its way out (CASS rows are GBK already).
    const bool toGbk = fileForm && format == StakeFileFormat::Report;
    std::string chunk;
    chunk.reserve(kBlock + 1024);
    const auto flush = [&]() {
        if (chunk.empty()) return true;
        bool ok;
        if (toGbk) {
            const FileResult<QByteArray> gbk = EncodeGbk(QString::fromUtf8(chunk.data(), qsizetype(chunk.size())));
            if (!gbk.ok()) throw GbkFailure(*gbk.error);
            ok = sink(std::string_view(gbk.value->constData(), std::size_t(gbk.value->size())));
        } else {
            ok = sink(chunk);
        }
        chunk.clear();
        return ok;
    };

    RouteTableCursor cursor(route, p);
    RouteTableEntry entry;
    std::size_t count = 0;
    bool headDone = false;
    while (cursor.Next(&entry)) {
        const RouteTableRow row = ComputeRouteTableRow(route, entry, p);
        if (!headDone) {
            headDone = true;
            if (format == StakeFileFormat::Csv) {
                if (fileForm) chunk.append(kUtf8Bom);
                AppendStakeCsvHeader(chunk, withElevation, route.hasBreaks());
                if (extraCsv) appendExtra(chunk, extra->names);
            } else if (format == StakeFileFormat::Report) {
                AppendStakeReportHead(chunk, p, RouteStationText(route, p.start.value_or(route.start().station)),
                                      RouteStationText(route, p.end.value_or(route.end().station)), withElevation);
            }
        }
        const std::optional<double> z = withElevation ? elevation(entry.station) : std::nullopt;
        switch (format) {
        case StakeFileFormat::Cass: AppendCassStakeRow(chunk, row, z); break;
        case StakeFileFormat::Csv:
            AppendStakeCsvRow(chunk, StakeName(entry), row, p.m, z, withElevation, route.hasBreaks());
            if (extraCsv) appendExtra(chunk, extra->fields(row, z));
            break;
        case StakeFileFormat::Report: AppendStakeReportRow(chunk, row, z, withElevation); break;
        }
        ++count;
        if (chunk.size() >= kBlock && !flush()) return std::nullopt;
    }
    if (format == StakeFileFormat::Report) AppendStakeReportTail(chunk);
    if (!flush()) return std::nullopt;
    return count;
}

FileStatus WriteStakeFile(const QString& path, const Route& route, const RouteTableParams& p,
                          StakeFileFormat format, const ElevationAt& elevation, std::size_t* rows,
                          const StakeCsvColumns* extra)
{
    std::size_t expected = 0;
    if (const auto refusal = CheckRouteTable(route, p, &expected))
        return FileStatus::Failure(QString::fromStdString(*refusal));

    StreamedFile file(path);
    if (FileStatus s = file.Open(); !s.ok()) return s;
    FileStatus failure;
    const ByteSink sink = [&](std::string_view bytes) {
        failure = file.Write(bytes);
        return failure.ok();
    };
    std::optional<std::size_t> count;
    try {
        count = StreamStakeTable(route, p, format, elevation, true, sink, extra);
    } catch (const FloatFault& f) {
        file.Cancel();
        return FileStatus::Failure(
            SaveFailureMessage(path, QString::fromUtf8(f.what()) + QStringLiteral("原文件未改动。")));
    } catch (const GbkFailure& f) {
        file.Cancel();
        return FileStatus::Failure(SaveFailureMessage(path, f.message + QStringLiteral("原文件未改动。")));
    }
    if (!count) return failure;
    if (FileStatus s = file.Commit(); !s.ok()) return s;
    if (rows) *rows = *count;
    return FileStatus::Success();
}

}  // namespace tarvelo
