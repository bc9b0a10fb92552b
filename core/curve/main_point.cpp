#include "core/curve/main_point.h"

namespace tarvelo {

namespace {

// The main points inside the curve come from their own method, not through
// the selection rule: HY at the HY station is the spiral's end, not the arc's.
MainPoint Lookup(const CurveState& s, const char* name, double station,
                 CentrelinePoint (*method)(const CurveState&, const StakeQuery&))
{
    const CentrelinePoint p = method(s, {station, 0, 0});
    return {name, station, p.x, p.y, p.azimuth};
}

}  // namespace

MainPoint ComputeMainPoint(const CurveState& s, int index)
{
    switch (index) {
    case 0: return {"ZH", s.ZH, s.X_ZH, s.Y_ZH, s.F};
    case 1: return Lookup(s, "HY", s.HYStation, HY);
    case 2: return Lookup(s, "QZ", s.QZ, YQ);
    case 3: return Lookup(s, "YH", s.YHStation, YH);
    default: return {"HZ", s.HZ, s.X_HZ, s.Y_HZ, s.F2};
    }
}

MainPoints ComputeMainPoints(const CurveState& s)
{
    MainPoints points;
    for (int i = 0; i < 5; ++i) points[i] = ComputeMainPoint(s, i);
    return points;
}

}  // namespace tarvelo
