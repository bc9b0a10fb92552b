#pragma once
// The stake files of the route window when cross sections or a stakeout
// station are loaded: the CASS and CSV stake files of
// reports/stake_file_export.h with what their formats can carry of the
// stake table's further columns.
//  - CASS (点名,编码,Y,X,高程): after each stake its two edge stakes as points
//    of their own, named after the stake with "左" / "右"
//    ("K10+700.000左"), their design elevations where known. A CASS file
//    has no column for angles: the stakeout values are not written. After
//    the last stake the earthwork's catch stakes (坡脚, 坡口) when there are
//    any, named as `route earthwork --format dat` names them.
//  - CSV: the columns of the plain file, then 左边桩X, 左边桩Y, 左边桩高程,
//    右边桩X, 右边桩Y, 右边桩高程 with sections, and 放样方位角, 水平角 (the
//    reading, d°mˊs" to whole seconds), 平距 (3 decimals) and, when the
//    station has its heights, 高差 (3 decimals, signed) with a station;
//    a cell is empty where the value does not exist (sections that do not
//    reach the stake, a stake without elevation).
// Written row by row through StreamedFile, as WriteStakeFile: an existing
// file survives any failure untouched.

#include <QString>
#include <memory>
#include <optional>

#include "reports/stake_file_export.h"
#include "ui/route_window/stakes/stake_section_model.h"

namespace tarvelo {

// StakeExtras (stake_section_model.h): what the stake table adds to the plain file.

// Writes the CASS or CSV file (format Cass or Csv; Report is refused with a
// message) of the route's table with parameters p, the design elevation by
// `elevation` (may be empty) and the extras. The parameters are checked
// first (CheckRouteTable). A row that cannot be computed abandons the file
// with the fault's message.
FileStatus WriteStakeFileWithExtras(const QString& path, const Route& route, const RouteTableParams& p,
                                    StakeFileFormat format, const ElevationAt& elevation,
                                    const StakeExtras& extras);

}  // namespace tarvelo
