#pragma once
// Single-point forward computation: station, offset and skew texts to the
// stake's coordinates and the tangent azimuth.

#include <optional>
#include <string>

#include "core/curve/centreline.h"
#include "core/curve/curve_state.h"

namespace tarvelo {

inline constexpr const char* kStationMissingMessage = "请输入“计算桩号K”！";

// The three texts of a stake query, for naming the one that failed.
enum class StakeField { Station, Offset, Skew };

struct StakeQueryResult {
    std::optional<StakeQuery> query;
    StakeField failed = StakeField::Station;  // when query is empty
    std::string message;                      // its message
};

// K by the lenient reader. When the offset or the skew text is blank, m = 0
// and a = 90 together; otherwise both must be wholly numbers (strict). a then
// from d.mmss to degrees. Fails on a blank station ("请输入“计算桩号K”！") and
// on an offset or skew that is not a number (a clear message naming the box).
// Throws FloatFault for numbers beyond the range of a double.
StakeQueryResult ReadStakeQuery(const std::string& station, const std::string& offset,
                                const std::string& skew);

// The three result texts: X and Y by FormatRounded4, the azimuth by
// DegreesToDmsText.
struct ForwardTexts {
    std::string x, y, azimuth;
};
ForwardTexts FormatForwardResult(const CentrelinePoint& p);

}  // namespace tarvelo
