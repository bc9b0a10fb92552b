#include "forward_point.h"

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

StakeQueryResult ReadStakeQuery(const std::string& station, const std::string& offset,
                                const std::string& skew)
{
    StakeQueryResult r;
    if (IsBlank(station)) {
        r.failed = StakeField::Station;
        r.message = kStationMissingMessage;
        return r;
    }
    const double k = Checked(ReadLeadingNumber(station), "计算桩号K");
    double m = 0;
    double a = 90;
    // A blank offset or skew means the centreline point: both defaults
    // together, whatever the other box holds.
    if (!IsBlank(offset) && !IsBlank(skew)) {
        if (!ParseWholeNumber(offset, &m)) {
            r.failed = StakeField::Offset;
            r.message = "“计算偏距m”不是有效的数字，请重新输入！";
            return r;
        }
        if (!ParseWholeNumber(skew, &a)) {
            r.failed = StakeField::Skew;
            r.message = "“计算偏角a”不是有效的数字，请重新输入！";
            return r;
        }
        Checked(m, "计算偏距m");
    }
    r.query = StakeQuery{k, m, DmsToDegrees(a)};
    return r;
}

ForwardTexts FormatForwardResult(const CentrelinePoint& p)
{
    return {FormatRounded4(p.x), FormatRounded4(p.y), DegreesToDmsText(p.azimuth)};
}

}  // namespace tarvelo
