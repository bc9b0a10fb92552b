#pragma once
// The vertical-curve table (竖曲线要素表) of a profile, as a GBK text report.
//
// Layout, every line ended by CR LF:
//   two blank lines, the title "竖曲线要素表" centred over the table, a blank
//   line, the range line "纵断面 K4+800.000 至 K5+300.000，变坡点 3 个，竖曲线
//   1 个", a rule of "-", the header row, a rule, one row per grade point
//   between the ends, a rule, two blank lines and the signature line
//   "计算：", 24 spaces, "复核：", 24 spaces, "监理：".
// Columns, in this order, right-aligned, two spaces apart: 变坡点桩号 (K
// notation), 高程, 半径R, 坡差ω(%), 凸/凹 ("凸" for a crest, "凹" for a sag,
// "—" where the grade does not change), 切线长T, 外距E, 曲线长Lv, 起点桩号,
// 终点桩号, 前坡i1(%), 后坡i2(%). Lengths and elevations to 3 decimals,
// stations in K notation to 3 decimals, ω and the grades in percent to 3
// decimals. A column is as wide as its widest cell, widths counted as the
// text shows in a fixed-width font on a Chinese system: one column for an
// ASCII character, two for any other (its GBK bytes). A profile without
// curves (two grade points) has a table of no rows.

#include <QString>

#include "core/plan/route.h"
#include "core/profile/profile.h"
#include "reports/report_status.h"

namespace tarvelo {

// The report text. Throws FloatFault when a value is not finite (a grade in
// percent beyond the range of a double). With a route, the profile's
// stations are the route's own (ProfileOnRoute) and print as the route's
// displayed stations, with their zone where a 长链 shows them twice
// (RouteStationText); without one they print as they are.
QString ProfileCurveTableReport(const Profile& profile, const Route* route = nullptr);

// Writes ProfileCurveTableReport(profile, route) to path with WriteTextFile (GBK,
// atomic replacement, any existing file untouched on failure). A FloatFault
// is an error too: nothing is written. Never throws.
FileStatus WriteProfileCurveTableReport(const QString& path, const Profile& profile,
                                        const Route* route = nullptr);

}  // namespace tarvelo
