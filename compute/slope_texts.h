#pragma once
// The rows of slope staking (边坡放样) and the level check (高程检测) as the
// crew reads them: the same texts in tarvelo-cli's table and CSV and in the
// route window's result tables, so both show the same numbers. Plain C++
// (UTF-8 strings).
//
// Stations by RouteStationText (with the zone where a 长链 shows a station
// twice); offsets unsigned with the side 左/右; lengths and elevations to
// 3 decimals, coordinates to 4; Δh signed ("+0.012", "-0.004", "0.000").

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compute/slope_stake.h"

namespace tarvelo {

// 点名 桩号 偏距 侧 填挖 路基边缘偏距 路基边缘高程 放样点 放样点偏距 X Y 放样点高程
// 级 移动 设计高程 高差 说明 (17 columns).
const std::vector<std::string>& SlopeHeader();
enum SlopeTextColumn { kSlopeName, kSlopeStation, kSlopeOffset, kSlopeSide, kSlopeBranch, kSlopeHingeOffset,
                       kSlopeHingeZ, kSlopeCatch, kSlopeCatchOffset, kSlopeX, kSlopeY, kSlopeCatchZ,
                       kSlopeLevel, kSlopeMove, kSlopeDesignZ, kSlopeDz, kSlopeReason };

// One point's row: cells beyond what the outcome gives are empty; the
// reason (说明) for every outcome but Ok; 移动 "向外 1.270", "向内 1.437" or
// "到位" when it rounds to nothing.
std::vector<std::string> SlopeRowTexts(const Route& route, const std::string& name, const SlopeStake& s);

// 点名 桩号 偏距 侧 部位 实测高程 设计高程 高差 高低 结论 说明 (11 columns).
const std::vector<std::string>& LevelHeader();
enum LevelTextColumn { kLevelName, kLevelStation, kLevelOffset, kLevelSide, kLevelPart, kLevelZ, kLevelDesignZ,
                       kLevelDz, kLevelHighLow, kLevelVerdict, kLevelReason };

// One point's row (z its surveyed elevation): 部位 路基顶/填方边坡/挖方边坡,
// 高低 高/低/平, 结论 合格/超限, or 无法检测 with the reason.
std::vector<std::string> LevelRowTexts(const Route& route, const std::string& name, double z, const LevelCheck& c);

struct LevelSummary {
    std::size_t points = 0, within = 0, beyond = 0, unchecked = 0;
    std::optional<double> maxDz;  // the checked Δh of largest size, signed (the first of equals)
    std::string maxName;          // its point's name
};
// names: one per check, in order.
LevelSummary SummariseLevels(const std::vector<std::string>& names, const std::vector<LevelCheck>& checks);
// "检测 7 点：合格 5 点，超限 2 点，无法检测 0 点。" and, when a point was
// checked, "最大高差 -0.016 m（L5）".
std::vector<std::string> LevelSummaryLines(const LevelSummary& s);

}  // namespace tarvelo
