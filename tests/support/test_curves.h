#pragma once
// Curves the engine tests share, prepared the way every command prepares
// them: validate, SJ, YS.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "compute/curve_command.h"
#include "core/curve/curve_inputs.h"
#include "core/curve/curve_state.h"

namespace tarvelo::testing {

// Metres: the spiral methods truncate the clothoid series after the l^5
// term, so spiral and arc meet at HY and YH with a gap of about the first
// dropped term, Ls^5 / (3456 R^4): a few millionths of a metre on the
// default curve, some tenths of a millimetre on a sharp one. Twice that,
// plus rounding, bounds any comparison across a join.
inline double JoinGap(double r, double ls)
{
    return 2 * std::pow(ls, 5) / (3456 * std::pow(r, 4)) + 1e-7;
}

// The default curve with some inputs replaced (texts as typed in the boxes).
struct CurveVariant {
    const char* name;
    const char* r = "4500";
    const char* ls1 = "360";
    const char* ls2 = "360";
    const char* alpha = "53.12461";
    const char* f = "98.565562";
};

inline CurveTexts TextsOf(const CurveVariant& v)
{
    CurveTexts t = DefaultCurveTexts();
    t[3] = v.r;
    t[4] = v.ls1;
    t[5] = v.ls2;
    t[6] = v.alpha;
    t[7] = v.f;
    return t;
}

inline CurveState Prepared(const CurveTexts& texts)
{
    CurveState s;
    const auto failure = PrepareCurve(s, texts);
    EXPECT_FALSE(failure.has_value()) << (failure ? failure->message : std::string());
    return s;
}

inline CurveState Prepared(const CurveVariant& v) { return Prepared(TextsOf(v)); }

inline CurveState DefaultCurve() { return Prepared(DefaultCurveTexts()); }

// Both turn directions, equal, unequal and missing spirals, sharp and flat.
inline const CurveVariant kCurveVariants[] = {
    {"RightEqualSpirals"},
    {"LeftEqualSpirals", "4500", "360", "360", "-53.12461"},
    {"RightUnequalSpirals", "4500", "360", "200"},
    {"LeftUnequalSpirals", "4500", "150", "360", "-53.12461"},
    {"RightNoSpirals", "4500", "0", "0"},
    {"LeftNoEntrySpiral", "800", "0", "120", "-35.3", "200.1"},
    {"RightNoExitSpiral", "600", "100", "0", "75", "10"},
    {"LeftSharp", "150", "60", "40", "-95.3", "315.45"},
};

}  // namespace tarvelo::testing
