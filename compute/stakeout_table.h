#pragma once
// The continuous stakeout table.

#include <cstddef>
#include <functional>
#include <string_view>
#include <optional>
#include <string>
#include <vector>

#include "core/curve/curve_state.h"

namespace tarvelo {

// Header line of the table (without its CR LF).
inline constexpr const char* kTableHeader =
    "里程 偏距 偏角  坐标X       坐标Y         切线方位角F";

// The largest table the command builds; a larger one is refused before any
// stake is computed.
inline constexpr std::size_t kMaxTableRows = 1000000;

struct TableParams {
    double start = 0, end = 0, interval = 0;  // metres
    double m = 0;                             // offset, metres
    double a = 0;                             // skew, decimal degrees
    std::string offsetText, skewText;         // as typed, for the columns
};

// The number of rows the loop produces: stations start, start + J, ... by
// repeated addition while K <= end (J >= 0) or K >= end (J < 0). nullopt when
// J is 0 with a non-empty table, or when the count exceeds limit (counting
// stops there, so this is bounded however small J is).
std::optional<std::size_t> CountTableRows(double start, double end, double interval,
                                          std::size_t limit = kMaxTableRows);

struct TableResult {
    // Set when the table was refused before computing (J = 0, too many rows):
    // text is then empty and the window keeps its previous table.
    std::optional<std::string> refusal;
    // The table: header and one row per stake, each line ending in CR LF. On
    // a fault it holds the header and the rows before the faulting stake.
    std::string text;
    std::size_t rows = 0;
    std::optional<std::string> fault;
};

// Builds the table for a state after SJ and YS. Each stake by PointAtStation;
// row = station (FormatGeneral), 3 spaces, offset text, 2 spaces, skew text,
// 2 spaces, X "0.0000", 2 spaces, Y "0.0000", 3 spaces, azimuth DMS text.
TableResult BuildStakeoutTable(const CurveState& s, const TableParams& p);

// The same table handed out as it is made, so that a table of any length
// needs memory for one piece of it only: `sink` gets the header line, then
// runs of whole lines of about 64 KiB, every line ending in `eol` ("\r\n"
// for the window and the report, "\n" for the command line). The same
// refusals (nothing is sunk) and fault rule (the lines before the faulting
// stake have been sunk, then `fault` is set) as BuildStakeoutTable, which
// is this with eol CR LF and a sink that keeps everything.
struct TableStreamResult {
    std::optional<std::string> refusal;
    std::size_t rows = 0;
    std::optional<std::string> fault;
};
TableStreamResult StreamStakeoutTable(const CurveState& s, const TableParams& p, std::string_view eol,
                                      const std::function<void(std::string_view)>& sink);

// Every stake as numbers, for callers that want them rather than text (the
// command-line JSON). Same refusals and fault rule as BuildStakeoutTable: on
// a fault `rows` holds the stakes before it.
struct StakeRow {
    double station, x, y, azimuth;
};
struct StakeRowsResult {
    std::optional<std::string> refusal;
    std::vector<StakeRow> rows;
    std::optional<std::string> fault;
};
StakeRowsResult ComputeStakeRows(const CurveState& s, const TableParams& p);

// Messages of the command's own checks, in check order after the station
// check of the single-point command.
inline constexpr const char* kOffsetMissingMessage = "请输入“计算偏距m”！";
inline constexpr const char* kSkewMissingMessage = "请输入“计算偏角a”！";
inline constexpr const char* kIntervalMissingMessage = "请输入“计算间距J”！";
inline constexpr const char* kStartMissingMessage = "请输入“起点桩号K”！";
inline constexpr const char* kEndMissingMessage = "请输入“止点桩号K”！";

// Reading the table's five texts (offset, skew, interval, start, end),
// checked in that order: the first blank one fails
// with its message and field. Otherwise m, start, end and J by the
// lenient reader, a by DmsToDegrees of its lenient value, and the offset and
// skew texts kept as typed for the columns. Throws FloatFault for a number
// beyond the range of a double.
enum class TableField { Offset, Skew, Interval, Start, End };

struct TableParamsResult {
    std::optional<TableParams> params;
    TableField failed = TableField::Offset;  // when params is empty
    std::string message;                     // its message
};
TableParamsResult ReadTableParams(const std::string& offset, const std::string& skew,
                                  const std::string& interval, const std::string& start,
                                  const std::string& end);

}  // namespace tarvelo
