// LandXML alignments from arbitrary bytes: the reader answers with rows or one
// message, never both or neither, and rows it accepts build a route whose own
// alignment is read again without a crash.

#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "core/float_fault.h"
#include "core/route.h"
#include "fuzz/fuzz_check.h"
#include "reports/landxml_reader.h"
#include "reports/landxml_writer.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const FileResult<LandXmlAlignment> read = ParseLandXmlAlignment(bytes);
    FUZZ_CHECK(read.ok() != read.error.has_value());
    if (!read.ok()) {
        FUZZ_CHECK(!read.error->isEmpty());
        return 0;
    }
    const std::vector<RoutePointInput>& rows = read.value->rows;
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
