// Curve data files from arbitrary bytes: decoding, parsing, and computing
// the elements of whatever curve they hold.

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "compute/curve_command.h"
#include "compute/main_points.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "fuzz/fuzz_check.h"
#include "reports/curve_data_file.h"
#include "reports/gbk_text.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = DecodeTextBytes(bytes);
    FUZZ_CHECK(decoded.ok() != decoded.error.has_value());
    if (!decoded.ok()) return 0;
    const auto parsed = ParseCurveData(decoded.value->text);
    FUZZ_CHECK(parsed.ok() != parsed.error.has_value());
    if (!parsed.ok()) return 0;

    const CurveTexts& texts = *parsed.value;
    for (const std::string& t : texts) {
        // Import writes general texts, which read back to themselves.
        const double v = ReadLeadingNumber(t);
        FUZZ_CHECK(std::isfinite(v));
        FUZZ_CHECK(FormatGeneral(v) == t);
    }
    // Export then import gives the same texts back.
    const auto text = CurveDataText(texts);
    FUZZ_CHECK(text.ok());
    const auto again = ParseCurveData(*text.value);
    FUZZ_CHECK(again.ok() && *again.value == texts);

    CurveState s;
    try {
        if (PrepareCurve(s, texts)) return 0;
        const ElementsDisplay display = ComputeElementsDisplay(s);
        for (const Cell& c : display.cells) {
            FUZZ_CHECK(c.second.find("inf") == std::string::npos);
            FUZZ_CHECK(c.second.find("nan") == std::string::npos);
        }
    } catch (const FloatFault&) {
        // A fault is a reported outcome, not a failure.
    }
    return 0;
}
