// LandXML alignments from arbitrary bytes: the reader answers with JD rows,
// element rows or one message, never two of them or none; element rows are
// sane and survive the element file; JD rows it accepts build a route whose
// own alignment is read again without a crash. The listing never crashes.

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/files/element_file.h"
#include "core/numbers/float_fault.h"
#include "core/plan/route.h"
#include "fuzz/fuzz_check.h"
#include "reports/landxml_reader.h"
#include "reports/landxml_writer.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto list = ListLandXmlAlignments(bytes);
    FUZZ_CHECK(list.ok() != list.error.has_value());
    const FileResult<LandXmlAlignment> read = ParseLandXmlAlignment(bytes);
    FUZZ_CHECK(read.ok() != read.error.has_value());
    if (!read.ok()) {
        FUZZ_CHECK(!read.error->isEmpty());
        return 0;
    }
    const LandXmlAlignment& a = *read.value;
    for (const std::string& w : a.warnings) FUZZ_CHECK(!w.empty());
    FUZZ_CHECK(a.profile.empty() || a.profileError.empty());
    // A JD route or an element route, never both or neither.
    FUZZ_CHECK(a.rows.empty() != a.elements.empty());
    if (!a.elements.empty()) {
        FUZZ_CHECK(a.elements.front().station.has_value());
        for (const ElementInput& e : a.elements) {
            FUZZ_CHECK(e.x && e.y && e.azimuth);
            FUZZ_CHECK(*e.azimuth >= 0 && *e.azimuth < 360);
            FUZZ_CHECK(e.length > 0 && std::isfinite(e.length));
            FUZZ_CHECK(e.startRadius > 0 && e.endRadius > 0);
            const bool line = std::isinf(e.startRadius) && std::isinf(e.endRadius);
            FUZZ_CHECK(line ? e.turn == 0 : (e.turn == 1 || e.turn == -1));
        }
        // The element file written from them reads back to the same rows.
        const ElementFileParse back = ParseElementFile(FormatElementFile(a.elements));
        FUZZ_CHECK(back.errors.empty() && back.rows.size() == a.elements.size());
        return 0;
    }
    const std::vector<RoutePointInput>& rows = a.rows;
    FUZZ_CHECK(rows.size() >= 3);
    FUZZ_CHECK(rows.front().station.has_value());
    for (std::size_t i = 1; i + 1 < rows.size(); ++i) FUZZ_CHECK(rows[i].R > 0 && rows[i].Ls1 >= 0 && rows[i].Ls2 >= 0);

    const Route::Built built = Route::Build(rows);
    FUZZ_CHECK(built.route.has_value() != built.error.has_value());
    if (!built.route) return 0;
    try {
        const FileResult<LandXmlAlignment> again =
            ParseLandXmlAlignment(LandXmlText(*built.route, QStringLiteral("F")));
        FUZZ_CHECK(again.ok() != again.error.has_value());
    } catch (const FloatFault&) {
        // An arc through 180° has no PI; absurd coordinates may overflow.
    }
    return 0;
}
