#pragma once
// The total station's stakeout sheet (放样数据表) as a GBK text report: what
// the instrument operator reads in the field, one stake a row.
//
// Layout, every line ended by CR LF:
//   two blank lines, the title "放样数据表" centred over the table, a blank
//   line;
//   the station line "测站 J  X=502.1100  Y=496.2250" with, when given,
//   "  高程 100.000  仪器高 1.500  棱镜高 1.800";
//   the backsight line "后视 K  X=…  Y=…  方位角 350°46ˊ35"  距离 247.289 m"
//   for a backsight point, "后视方位角 350°46ˊ35"" for an azimuth;
//   a rule of "-", the header row, a rule, one row per stake in the given
//   order, a rule;
//   when any row has a height difference, the line explaining its sign
//   ("高差dh = 设计高程 - (测站高程 + 仪器高 - 棱镜高)：正值为设计高程高于平视时
//   棱镜的底端，负值为低于。");
//   two blank lines and the signature line "计算：", 24 spaces, "复核：",
//   24 spaces, "监理：".
// Columns, two spaces apart: 点名 (left-aligned), 水平角 (d°mˊs" to whole
// seconds, FormatAngleDms: the reading with the backsight set to 0°0ˊ0"),
// 平距(m) to 3 decimals, then 高差dh(m) to 3 decimals with its sign ("+"
// above the sight base) when any row has one, then 备注 (left-aligned) when
// any row has a note; numbers right-aligned. A stake on the station shows
// "—" for its angle and the note "放样点与测站重合". A column is as wide as its
// widest cell, widths counted as a fixed-width font on a Chinese system shows
// them (DisplayWidth). Coordinates to 4 decimals, heights to 3.

#include <QString>

#include "compute/total_station.h"
#include "reports/report_status.h"

namespace tarvelo {

// The report text. Throws FloatFault for a value that is not finite.
QString StakeoutReport(const InstrumentStation& station, const Backsight& backsight, const StakeoutData& data);

// Writes StakeoutReport to path with WriteTextFile (GBK, atomic replacement,
// any existing file untouched on failure). A FloatFault is an error too:
// nothing is written. Never throws.
FileStatus WriteStakeoutReport(const QString& path, const InstrumentStation& station, const Backsight& backsight,
                               const StakeoutData& data);

}  // namespace tarvelo
