#pragma once
// The earthwork's texts (土石方): the table tarvelo-cli route earthwork
// prints and writes as CSV, its totals line and the catch stakes' names.
// The route window shows the same cells, so both take them from here: the
// same digits, the same station texts (the displayed station, with its zone
// where a 长链 shows it twice). Plain C++.

#include <string>
#include <vector>

#include "compute/earthwork.h"
#include "core/plan/route.h"

namespace tarvelo {

// The table's columns, in order.
enum EarthworkColumn {
    kEwStation,      // 桩号
    kEwCutArea,      // 挖方面积, m², 3 decimals; "-" for a section with a problem
    kEwFillArea,     // 填方面积
    kEwLeftBranch,   // 左侧: 坡脚 / 坡口, "-" without a catch
    kEwLeftOffset,   // 左偏距, m, 3 decimals (signed)
    kEwLeftX,        // 左X, 4 decimals
    kEwLeftY,        // 左Y
    kEwLeftZ,        // 左高程, 3 decimals
    kEwRightBranch,  // 右侧 ... as the left
    kEwRightOffset,
    kEwRightX,
    kEwRightY,
    kEwRightZ,
    kEwLength,       // 距离: of the interval that ends at this section, 3 decimals; "" on the first row
    kEwCut,          // 挖方, m³; "-" when the interval has no volume
    kEwFill,         // 填方
    kEwRunningCut,   // 累计挖方
    kEwRunningFill,  // 累计填方
    kEwProblem,      // 问题: the section's problem sentence, or ""
    kEwColumns
};

// The captions, kEwColumns of them (UTF-8).
const std::vector<std::string>& EarthworkTableHeader();

// "坡脚" for a fill catch, "坡口" for a cut catch.
const char* CatchStakeWord(SlopeBranch branch);

// The displayed station of a section as every earthwork output names it:
// RouteStationText with 3 decimals. Throws FloatFault for a non-finite station.
std::string EarthworkStationText(const Route& route, const EarthworkSection& section);

// One row a section, in the result's order, kEwColumns cells each (no
// header). Throws FloatFault for a non-finite value.
std::vector<std::vector<std::string>> EarthworkTableRows(const Route& route, const EarthworkResult& result);

// "合计 挖方 1402.999 m³，填方 0.000 m³" and, when intervals were left out,
// "；2 个区间因断面有问题未计入"; no line end.
std::string EarthworkTotalsText(const EarthworkResult& result);

// The point name of the catch stake on one side for the rover:
// "K10+200.000-左坡口". Precondition: the section has a catch on that side.
std::string CatchStakeName(const Route& route, const EarthworkSection& section, RoadSide side);

}  // namespace tarvelo
