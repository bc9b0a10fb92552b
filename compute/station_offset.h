#pragma once
// Inverse computation: the station and signed offset of a given point.

#include <string>

#include "core/curve/curve_state.h"

namespace tarvelo {

inline constexpr const char* kOutOfRangeText = "坐标超限";
inline constexpr const char* kNoConvergenceText = "迭代不收敛";

// Points farther than this from the centreline are out of range (metres).
inline constexpr double kMaxOffset = 888;
// The iteration stops when the along-tangent correction is at most this (m).
inline constexpr double kStationTolerance = 0.00001;
// Points on the outer side beyond JD can make the estimate alternate between
// two stations for ever; the iteration gives up after this many lookups.
inline constexpr int kMaxIterations = 10000;

// A step smaller than this (m) that all but undoes the previous one across a
// segment join ends the iteration there: the estimate is cycling over the
// join's series gap, not wandering.
inline constexpr double kJoinStepLimit = 0.001;

enum class InverseOutcome { Ok, OutOfRange, NoConvergence };

struct StationOffset {
    InverseOutcome outcome = InverseOutcome::Ok;
    double station = 0;  // foot-point station, metres (Ok only)
    double offset = 0;   // signed offset, right +, left - (Ok only)
    int iterations = 0;  // lookups made
};

// Starts at QZ, looks up the centreline (m = a = 0), moves K by the
// along-tangent component of the vector to (xg, yg) until that is at most
// kStationTolerance, or until it cycles across a segment join by less
// than kJoinStepLimit; K is the station of the last lookup. The offset is the
// distance to the foot point, negative when the point lies left of the
// direction of travel. The side comes from the Y difference divided by
// sin(FWJ - 90); where that divisor vanishes (tangent due east or west) from
// the cross-track component. |offset| > kMaxOffset -> OutOfRange. Throws
// FloatFault. Precondition: SJ and YS have run.
StationOffset ComputeStationOffset(const CurveState& s, double xg, double yg);

// The two result texts: station "00+000.0000" and side word + size, or the
// out-of-range / no-convergence text in both.
struct InverseTexts {
    std::string station, offset;
};
InverseTexts FormatStationOffset(const StationOffset& r);

inline constexpr const char* kInverseXMissingMessage = "请输入“反算坐标X”！";
inline constexpr const char* kInverseYMissingMessage = "请输入“反算坐标Y”！";

}  // namespace tarvelo
