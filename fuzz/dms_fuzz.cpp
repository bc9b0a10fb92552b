// d.mmss angles and K-notation stations from arbitrary typed text.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "fuzz/fuzz_check.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double v = ReadLeadingNumber(text);
    try {
        const double degrees = DmsToDegrees(v);
        FUZZ_CHECK(std::isfinite(degrees));
        // The sign of the angle is kept.
        FUZZ_CHECK(!(v > 0 && degrees < 0) && !(v < 0 && degrees > 0));
        const std::string dms = DegreesToDmsText(degrees);
        FUZZ_CHECK(dms.find("\u00B0") != std::string::npos);
        FUZZ_CHECK(dms.find("\u02CA") != std::string::npos);
        FUZZ_CHECK(dms.back() == '"');
        FUZZ_CHECK(dms.find("inf") == std::string::npos && dms.find("nan") == std::string::npos);
        // Minutes and seconds never take the angle a whole degree and a
        // half beyond its degrees (99 minutes and 99.99 seconds at most).
        FUZZ_CHECK(std::fabs(degrees) <= std::fabs(std::trunc(v)) + 1.7 + 1e-9 * std::fabs(v));
    } catch (const FloatFault&) {
        FUZZ_CHECK(!std::isfinite(v) || std::fabs(v) > 1e300);
    }
    try {
        for (int decimals : {3, 4}) {
            const std::string station = FormatStation(v, decimals);
            const std::size_t plus = station.find('+');
            FUZZ_CHECK(plus != std::string::npos && plus >= 2);
            FUZZ_CHECK(station.size() == plus + 5 + decimals);
            FUZZ_CHECK(station[plus + 4] == '.');
        }
    } catch (const FloatFault&) {
        FUZZ_CHECK(!std::isfinite(v));
    }
    return 0;
}
