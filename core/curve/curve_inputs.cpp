#include "core/curve/curve_inputs.h"

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

const std::array<CurveInputDef, kCurveInputCount> kCurveInputs = {{
    {CurveField::X, "本交点坐标X=", "3378226.731", "请输入本交点坐标X！",
     "请输入“本交点坐标X”！", false},
    {CurveField::Y, "本交点坐标Y=", "456053.721", "请输入本交点坐标Y！",
     "请输入“本交点坐标Y”！", false},
    {CurveField::JD, "交点桩号JD =", "10021.359", "请输入交点桩号JD！",
     "请输入“交点桩号JD”！", false},
    // This message opens with a closing quotation mark: it is the text users
    // have always seen, kept as it is.
    {CurveField::R, "曲线半径R  =", "4500", "请输入曲线半径R！", "请输入”曲线半径R”！", true},
    {CurveField::Ls1, "缓和曲线Ls1=", "360", "请输入第一缓和曲线长Ls1！",
     "请输入“第一缓和曲线长Ls1”！", false},
    {CurveField::Ls2, "缓和曲线Ls2=", "360", "请输入第二缓和曲线长Ls2！",
     "请输入“第二缓和曲线长Ls2”！", false},
    {CurveField::Alpha, "曲线转角α =", "53.12461",
     "请输入曲线转角α，左转为负值、右转为正值，按d.ms格式输入，如：-14°18ˊ10″为-14.1810！",
     "请输入“曲线转角α”左负-，右正+！", true},
    {CurveField::F, "计算方位角F=", "98.565562",
     "请输入计算方位角F，按d.ms格式输入，如：152°09ˊ41.68″为152.094168！",
     "请输入“计算方位角F”d.ms格式！", false},
}};

CurveTexts DefaultCurveTexts()
{
    CurveTexts t;
    for (int i = 0; i < kCurveInputCount; ++i) t[i] = kCurveInputs[i].defaultText;
    return t;
}

std::optional<InputFailure> ValidateCurveInputs(const CurveTexts& texts)
{
    for (int i = 0; i < kCurveInputCount; ++i) {
        const CurveInputDef& input = kCurveInputs[i];
        bool fails = IsBlank(texts[i]);
        if (!fails && input.mustBeNonZeroNumber) {
            double v = 0;
            fails = !ParseWholeNumber(texts[i], &v) || v == 0;
        }
        if (fails) return InputFailure{i, input.message};
    }
    return std::nullopt;
}

void SJ(CurveState& s, const CurveTexts& texts)
{
    static const char* const kNames[kCurveInputCount] = {
        "本交点坐标X", "本交点坐标Y", "交点桩号JD", "曲线半径R",
        "第一缓和曲线长Ls1", "第二缓和曲线长Ls2", "曲线转角α", "计算方位角F"};
    double v[kCurveInputCount];
    for (int i = 0; i < kCurveInputCount; ++i)
        v[i] = Checked(ReadLeadingNumber(texts[i]), kNames[i]);
    // All eight read before any field changes.
    s.X = v[0];
    s.Y = v[1];
    s.JD = v[2];
    s.R = v[3];
    s.Ls1 = v[4];
    s.Ls2 = v[5];
    s.alpha = DmsToDegrees(v[6]);
    s.F = DmsToDegrees(v[7]);
}

}  // namespace tarvelo
