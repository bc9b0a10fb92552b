#pragma once
// The design check's rows as CSV for spreadsheets (reports/csv_field.h: UTF-8
// with a byte-order mark, CR LF, RFC 4180 quoting): a header row, then one
// row per table row in line order, the columns of the JSON result
// (compute/design_check_json.h):
//   行号, 点名, 桩号, 分区, X(北), Y(东), ΔX, ΔY, 平面差, 高程差, 垂足桩号,
//   垂足偏距, 结论, 说明
// Stations, coordinates and differences in metres to 4 decimals (桩号 and
// 垂足桩号 in metres, not K notation, so a spreadsheet can sort them); a value
// the row does not have is an empty field. 结论 is the class in Chinese
// (DesignClassChinese), 说明 the reason of every row that is not 相符.

#include <QString>
#include <string>

#include "compute/design_check.h"
#include "reports/report_status.h"

namespace tarvelo {

// The whole file's bytes, byte-order mark first. Non-finite numbers throw
// FloatFault (CheckDesign gives none).
std::string DesignCheckCsv(const DesignCheckResult& result);

// Writes DesignCheckCsv to path with WriteFileBytes (atomic replacement).
// Never throws.
FileStatus WriteDesignCheckCsv(const QString& path, const DesignCheckResult& result);

}  // namespace tarvelo
