#pragma once
// The 土石方数量表 of route earthwork: per section its station and cut and
// fill areas, per interval its length and volumes by the average-end-area
// method, and the totals, in the layout of a design document's earthwork
// table. GBK, CR LF, columns aligned by display width.

#include <QString>

#include <cstddef>
#include <string>

#include "compute/earthwork.h"
#include "core/plan/route.h"
#include "reports/report_status.h"

namespace tarvelo {

// The report's text (lines ending in CR LF). Throws FloatFault for a
// non-finite value.
QString EarthworkReport(const Route& route, const std::string& routeName, const EarthworkResult& result);

// Writes EarthworkReport atomically as GBK; a fault becomes the status's error.
FileStatus WriteEarthworkReport(const QString& path, const Route& route, const std::string& routeName,
                                const EarthworkResult& result);

// Appends the catch stakes (坡脚, 坡口) of every section as CASS rows
// (reports/cass_file.h), left then right, sections in the result's order,
// each named CatchStakeName (compute/earthwork_text.h): the file the rover
// stakes them from. Returns how many were appended. Throws FloatFault for a
// non-finite coordinate.
std::size_t AppendCatchStakeRows(std::string& out, const Route& route, const EarthworkResult& result);

}  // namespace tarvelo
