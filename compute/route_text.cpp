#include "compute/route_text.h"

#include <algorithm>
#include <cmath>

#include "core/float_fault.h"
#include "core/number_text.h"

namespace tarvelo {

void AppendKStation(std::string& out, double station, int decimals)
{
    Checked(station, "桩号");
    decimals = std::clamp(decimals, 0, 9);
    // The rounding is done once, on the decimal text, so that kilometres and
    // metres never disagree with each other at a carry.
    std::string fixed;
    AppendFixed(fixed, station, decimals);
    std::size_t begin = 0;
    out += 'K';
    if (!fixed.empty() && fixed[0] == '-') {
        out += '-';
        begin = 1;
    }
    const std::size_t point = fixed.find('.', begin);
    const std::size_t intEnd = point == std::string::npos ? fixed.size() : point;
    const std::size_t intLen = intEnd - begin;
    if (intLen > 3) {
        out.append(fixed, begin, intLen - 3);
        out += '+';
        out.append(fixed, intEnd - 3, 3);
    } else {
        out += "0+";
        out.append(3 - intLen, '0');
        out.append(fixed, begin, intLen);
    }
    if (point != std::string::npos) out.append(fixed, point, std::string::npos);
}

std::string FormatKStation(double station, int decimals)
{
    std::string out;
    AppendKStation(out, station, decimals);
    return out;
}

}  // namespace tarvelo
