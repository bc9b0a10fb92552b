// The lenient reader, the strict test and the three number texts on
// arbitrary text.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/numbers/number_text.h"
#include "fuzz/fuzz_check.h"

using namespace tarvelo;

namespace {

using fuzz::HasNonFiniteWord;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double lenient = ReadLeadingNumber(text);
    FUZZ_CHECK(!std::isnan(lenient));

    double strict = 0;
    if (ParseWholeNumber(text, &strict)) {
        FUZZ_CHECK(!std::isnan(strict));
        // A whole number reads the same either way.
        FUZZ_CHECK(ReadLeadingNumber(TrimSpaces(text)) == strict);
    }

    if (std::isfinite(lenient)) {
        const std::string general = FormatGeneral(lenient);
        FUZZ_CHECK(!HasNonFiniteWord(general));
        // The general text is a fixed point: reading it and writing it
        // again gives the same text (unless 15 digits rounded past DBL_MAX).
        const double back = ReadLeadingNumber(general);
        if (std::isfinite(back)) FUZZ_CHECK(FormatGeneral(back) == general);
        FUZZ_CHECK(!HasNonFiniteWord(FormatRounded4(lenient)));
        const std::string fixed = FormatFixed(lenient, 4);
        FUZZ_CHECK(fixed.size() >= 6 && fixed[fixed.size() - 5] == '.');
        FUZZ_CHECK(!IsBlank(fixed));
    }
    return 0;
}
