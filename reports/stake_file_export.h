#pragma once
// Writing a route's stake table to a file in one of the field formats,
// streaming: rows are computed, formatted and written one at a time, so the
// memory stays flat for a table of any length (the table's own limit is
// kMaxRouteTableRows).

#include <functional>
#include <optional>

#include <QString>

#include "compute/route_table.h"
#include "reports/report_status.h"

namespace tarvelo {

enum class StakeFileFormat {
    Cass,  // .dat, GBK, see reports/cass_file.h
    Csv,   // UTF-8 with BOM, see reports/stake_csv.h
};

// The design elevation at a station, or nullopt where there is none.
using ElevationAt = std::function<std::optional<double>(double station)>;

// Writes the table of route with parameters p to path, atomically (an
// existing file survives any failure untouched). The parameters are checked
// first (CheckRouteTable) and a refusal is returned before the file is
// touched. A floating-point fault while computing a row abandons the file and
// returns the fault's message. elevation may be empty (no elevations: CASS
// leaves the field empty, the CSV has no 高程 column). *rows, when given,
// receives the number of rows written.
FileStatus WriteStakeFile(const QString& path, const Route& route, const RouteTableParams& p,
                          StakeFileFormat format, const ElevationAt& elevation = {},
                          std::size_t* rows = nullptr);

}  // namespace tarvelo
