#pragma once
// Writing a route's stake table in one of the field formats, streaming: rows
// are computed, formatted and passed on a block at a time, so the memory
// stays flat for a table of any length (the table's own limit is
// kMaxRouteTableRows).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "compute/route_table.h"
#include "reports/report_status.h"

namespace tarvelo {

enum class StakeFileFormat {
    Cass,    // .dat coordinate file, GBK (reports/cass_file.h)
    Csv,     // UTF-8 with BOM (reports/stake_csv.h)
    Report,  // the 逐桩坐标表 text report, GBK (reports/stake_report.h)
};

// The design elevation at a station, or nullopt where there is none.
using ElevationAt = std::function<std::optional<double>(double station)>;

// Receives the bytes in order; returns false to stop (a failed write).
using ByteSink = std::function<bool(std::string_view)>;

// Further CSV columns after each row's own (the stakeout from an instrument,
// say): their header names, and each row's fields (UTF-8 text, quoted by
// the writer where CSV needs it; as many as names). Other formats ignore
// them.
struct StakeCsvColumns {
    std::vector<std::string> names;
    std::function<std::vector<std::string>(const RouteTableRow& row, std::optional<double> elevation)> fields;
};

// Formats the table of route with parameters p and hands it to sink in
// blocks of about 64 kB. fileForm: the bytes of the file (CASS and the report
// in GBK, the CSV after a UTF-8 byte-order mark); otherwise UTF-8 text for a
// terminal (no byte-order mark; the same line ends). elevation may be empty:
// then CASS leaves the field empty and the CSV and report have no elevation
// column. Precondition: CheckRouteTable(route, p) passed. Returns the number
// of rows, or nullopt when the sink refused a block. Throws FloatFault for a
// row that cannot be computed, std::runtime_error for report text GBK
// cannot hold (the table's own texts always fit).
std::optional<std::size_t> StreamStakeTable(const Route& route, const RouteTableParams& p,
                                            StakeFileFormat format, const ElevationAt& elevation,
                                            bool fileForm, const ByteSink& sink,
                                            const StakeCsvColumns* extra = nullptr);

// Writes the table to path atomically (an existing file survives any failure
// untouched). The parameters are checked first (CheckRouteTable) and a
// refusal is returned before the file is touched. A floating-point fault
// while computing a row abandons the file and returns the fault's message.
// *rows, when given, receives the number of rows written.
FileStatus WriteStakeFile(const QString& path, const Route& route, const RouteTableParams& p,
                          StakeFileFormat format, const ElevationAt& elevation = {},
                          std::size_t* rows = nullptr, const StakeCsvColumns* extra = nullptr);

}  // namespace tarvelo
