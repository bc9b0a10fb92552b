#pragma once
// The stake table as CSV for spreadsheets: a header row and one row per
// stake, UTF-8 with a byte-order mark (so that a Chinese spreadsheet does not
// take it for GBK), every line ending in CR LF, fields quoted as RFC 4180
// asks when they hold a comma, a double quote or a line break.
//
// Columns: 点名, 桩号 (metres, 4 decimals), X(北), Y(东) (4 decimals),
// 方位角(度) (decimal degrees in [0, 360), 8 decimals), 方位角(度分秒)
// (DegreesToDmsText, whose seconds mark is a double quote, so that field is
// always quoted), 类型 (ZH HY QZ YH HZ ZY YZ QD ZD or empty), 偏距 (metres,
// 4 decimals, right +), and 高程 (3 decimals, empty where a row has none)
// when the table carries elevations. On a route with chain breaks a 区段
// column follows 桩号: the zone the station is read in (the zone before the
// break on a break row), as `route point --zone` takes it.

#include <optional>
#include <string>
#include <string_view>

#include "compute/route_table.h"
#include "reports/csv_field.h"

namespace tarvelo {

// Appends the header row (without the byte-order mark; the file writer puts
// that first).
void AppendStakeCsvHeader(std::string& out, bool withElevation, bool withZone = false);

// Appends one stake row. name: UTF-8 (StakeName for table rows). offset: the
// table's offset m. The elevation column is written only withElevation
// (empty when elevation is nullopt). Non-finite numbers throw FloatFault.
void AppendStakeCsvRow(std::string& out, std::string_view name, const RouteTableRow& row,
                       double offset, std::optional<double> elevation, bool withElevation,
                       bool withZone = false);

}  // namespace tarvelo
