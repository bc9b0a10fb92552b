#pragma once
// The route's stake table as a GBK text report, the 逐桩坐标表 of Chinese
// road documents: a title, the range and interval, one row per stake with its
// displayed station in K notation (its zone where a 长链 shows it twice, a
// break row as "K13+100.000=K13+050.000"), X (north) and Y (east) to 4 decimals, the tangent
// azimuth in d°mˊs", the main point's name and, when the table carries
// elevations, the design elevation to 3 decimals; then the signature line.
// Every line ends in CR LF. Rows are formatted one at a time (UTF-8 here; the
// file writer turns each block into GBK), so the table streams to its file.
//
// Layout: two empty lines, "逐桩坐标表" after 30 spaces, an empty line, the
// line "起点 K… 止点 K… 间距 J m" (with "偏距 m m 偏角 d°mˊs"" when the
// offset is not 0), an empty line, the column heads, a rule of 80 "-", the
// rows, two empty lines and "计算：", "复核：", "监理：" 32 spaces apart.
// Columns start at 1, 17, 33, 49, 67 (and 75 for the elevation), counted as
// a fixed-width font on a Chinese system shows them: an ASCII character takes
// one column, any other (Chinese, °, ˊ) two.

#include <optional>
#include <string>

#include "compute/route_table.h"

namespace tarvelo {

// The lines before the first row. UTF-8. start, end: the range's ends as
// the rows print them (EntryStationText, or RouteStationText for an end
// that is no row of its own).
void AppendStakeReportHead(std::string& out, const RouteTableParams& p, const std::string& start,
                           const std::string& end, bool withElevation);

// One row, its station as EntryStationText writes it. UTF-8. Non-finite numbers throw FloatFault.
void AppendStakeReportRow(std::string& out, const RouteTableRow& row, std::optional<double> elevation,
                          bool withElevation);

// The lines after the last row. UTF-8.
void AppendStakeReportTail(std::string& out);

}  // namespace tarvelo
