#pragma once
// The five main points of a curve: ZH, HY, QZ, YH, HZ.

#include <array>

#include "core/curve/centreline.h"
#include "core/curve/curve_state.h"

namespace tarvelo {

struct MainPoint {
    const char* name;  // "ZH", "HY", "QZ", "YH", "HZ"
    double station;    // metres
    double x, y;       // metres
    double azimuth;    // decimal degrees, as the segment method gives it
};
using MainPoints = std::array<MainPoint, 5>;

// Main point `index` (0 = ZH ... 4 = HZ) alone, by the same rule.
MainPoint ComputeMainPoint(const CurveState& s, int index);

// ZH and HZ from the elements, HY, QZ and YH by the methods HY, YQ and YH
// directly (not through the selection rule), each with m = 0 and a = 0.
// Precondition: SJ and YS have run. Throws FloatFault.
MainPoints ComputeMainPoints(const CurveState& s);

}  // namespace tarvelo
