#pragma once
// The design check (设计复核) as a GBK text report, “设计逐桩坐标复核表”.
//
// Layout, every line ended by CR LF:
//   two blank lines, the title centred over the tables, a blank line;
//   "线路文件：<name>", "设计文件：<name>" (when given), "限差：平面 0.005 m，
//   高程 0.005 m", a blank line;
//   the summary: "复核 N 行：相符 a 行，桩号不符 b 行，坐标不符 c 行，高程不符
//   d 行，超出线路 e 行，无法读取 f 行。", then "最大平面差 0.0123 m（第 7 行
//   P3）", "最大高程差 0.0040 m（第 9 行 P5）" and "相符各行平面差的均方根
//   0.0012 m" ("—" where there is no such value), a blank line;
//   "一、不相符的行（k 行）": the table of every row that is not 相符, then
//   one line per such row giving its reason (each starts "第 N 行："); or the
//   line "全部相符。" when there is none; a blank line;
//   "二、全部各行（N 行）": the table of all rows;
//   two blank lines and "计算：", 24 spaces, "复核：", 24 spaces, "监理：".
// A table is a rule of "-", the header row, a rule, the rows, a rule.
// Columns, two spaces apart: 行号, 点名 (left-aligned), 桩号 (K notation, 3
// decimals), 分区 (only when the design table has a zone column), X(北),
// Y(东) (the design's, 4 decimals), ΔX, ΔY, 平面差, 高程差, 垂足桩号 (K
// notation), 垂足偏距 (4 decimals, right +), 结论 (the class in Chinese,
// left-aligned); numbers right-aligned, an empty cell where a row has no
// value. A column is as wide as its widest cell in both tables, counted as
// a fixed-width font on a Chinese system shows the text (DisplayWidth).

#include <QString>
#include <QStringList>

#include "compute/design_check.h"
#include "reports/report_status.h"

namespace tarvelo {

// The summary's four lines as the report writes them: "复核 N 行：相符 a
// 行，…。", "最大平面差 …", "最大高程差 …", "相符各行平面差的均方根 …" ("—"
// where there is no such value). Throws FloatFault for a number that is not
// finite.
QStringList DesignCheckSummaryLines(const DesignCheckSummary& summary);

// The report text. routeFile, designFile: the files' names as the user
// knows them (designFile may be empty). Throws FloatFault for a number that
// is not finite (CheckDesign gives none).
QString DesignCheckReport(const DesignCheckResult& result, const QString& routeFile,
                          const QString& designFile);

// Writes DesignCheckReport to path with WriteTextFile (GBK, atomic
// replacement; a name GBK cannot hold is refused with its position and
// nothing is written). Never throws.
FileStatus WriteDesignCheckReport(const QString& path, const DesignCheckResult& result,
                                  const QString& routeFile, const QString& designFile);

}  // namespace tarvelo
