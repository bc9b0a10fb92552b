#include "station_offset.h"

#include <cmath>

#include "core/numbers/angles.h"
#include "core/curve/centreline.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

StationOffset ComputeStationOffset(const CurveState& s, double xg, double yg)
{
    StationOffset r;
    double k = s.QZ;
    CentrelinePoint c{};
    double previousK = k, previousDelta = 0;
    for (;;) {
        if (r.iterations == kMaxIterations) {
            r.outcome = InverseOutcome::NoConvergence;
            return r;
        }
        c = PointAtStation(s, k, 0, 0);
        ++r.iterations;
        const double delta = Checked(
            (yg - c.y) * CosDeg(c.azimuth - 90) - (xg - c.x) * SinDeg(c.azimuth - 90), "反算桩号");
        if (!(std::fabs(delta) > kStationTolerance)) break;
        // The spiral series and the arc meet with a small gap (about
        // Ls^5 / (3456 R^4)); where it exceeds the tolerance, a foot point at
        // the join makes the estimate step back and forth across it for
        // ever. A sub-millimetre step that all but undoes the previous one
        // across a join is that cycle: the join is the answer.
        if (r.iterations > 1 && std::fabs(delta) < kJoinStepLimit &&
            std::fabs(delta + previousDelta) < 0.1 * std::fabs(delta) &&
            SegmentAt(s, k) != SegmentAt(s, previousK))
            break;
        previousK = k;
        previousDelta = delta;
        k = Checked(k + delta, "反算桩号");
    }
    double d = Checked(std::sqrt(std::pow(c.x - xg, 2) + std::pow(c.y - yg, 2)), "反算偏距");
    const double divisor = std::sin((c.azimuth - 90) / 180 * kPi);
    // Where the tangent runs due east or west the Y difference says nothing
    // about the side and the divisor vanishes (exactly 0 at 90°, about 3e-15
    // at 270° with the 15-digit π): the cross-track component decides there.
    double side;
    if (std::fabs(divisor) < 1e-12)
        side = (yg - c.y) * CosDeg(c.azimuth) - (xg - c.x) * SinDeg(c.azimuth);
    else
        side = (c.y - yg) / divisor;
    if (side < 0) d = -d;
    if (std::fabs(d) > kMaxOffset) {
        r.outcome = InverseOutcome::OutOfRange;
        return r;
    }
    r.station = k;
    r.offset = d;
    return r;
}

InverseTexts FormatStationOffset(const StationOffset& r)
{
    switch (r.outcome) {
    case InverseOutcome::OutOfRange: return {kOutOfRangeText, kOutOfRangeText};
    case InverseOutcome::NoConvergence: return {kNoConvergenceText, kNoConvergenceText};
    case InverseOutcome::Ok: break;
    }
    const std::string size = FormatRounded4(std::fabs(r.offset));
    const char* side = size == "0" ? "中 " : (r.offset < 0 ? "左 " : "右 ");
    return {FormatStation(r.station, 4), side + size};
}

}  // namespace tarvelo
