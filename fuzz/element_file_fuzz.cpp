// Element route files from arbitrary bytes: decoding, the header test,
// parsing, and the accepted rows written and read again.

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/files/element_file.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"

using namespace tarvelo;

namespace {

bool SameDirection(double a, double b)
{
    const double d = std::fabs(a - b);
    return std::fmin(d, std::fabs(d - 360)) <= 1e-12;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto text = DecodeTableBytes(bytes);
    FUZZ_CHECK(text.ok() != text.error.has_value());
    if (!text.ok()) return 0;
    (void)IsElementFileHeader(*text.value);
    const ElementFileParse parsed = ParseElementFile(*text.value);
    FUZZ_CHECK(parsed.rows.empty() != parsed.errors.empty());
    for (const RouteIssue& e : parsed.errors) {
        FUZZ_CHECK(!e.message.empty());
        FUZZ_CHECK(e.row == -1 || e.message.rfind("第 " + std::to_string(e.line) + " 行：", 0) == 0);
    }
    if (parsed.rows.empty()) return 0;

    const ElementInput& first = parsed.rows.front();
    FUZZ_CHECK(first.station && first.x && first.y && first.azimuth);
    for (const ElementInput& e : parsed.rows) {
        FUZZ_CHECK(e.length > 0 && std::isfinite(e.length));
        FUZZ_CHECK(e.startRadius > 0 && e.endRadius > 0);
        const bool line = std::isinf(e.startRadius) && std::isinf(e.endRadius);
        FUZZ_CHECK(line ? e.turn == 0 : (e.turn == 1 || e.turn == -1));
        FUZZ_CHECK(e.x.has_value() == e.y.has_value() && e.y.has_value() == e.azimuth.has_value());
        if (e.azimuth) FUZZ_CHECK(*e.azimuth >= 0 && *e.azimuth < 360);
        if (e.station) FUZZ_CHECK(std::isfinite(*e.station));
    }

    // Written and read again, the rows are the same.
    const std::string written = FormatElementFile(parsed.rows);
    FUZZ_CHECK(IsElementFileHeader(written));
    const ElementFileParse again = ParseElementFile(written);
    FUZZ_CHECK(again.errors.empty());
    FUZZ_CHECK(again.rows.size() == parsed.rows.size());
    for (std::size_t i = 0; i < again.rows.size(); ++i) {
        const ElementInput &a = parsed.rows[i], &b = again.rows[i];
        std::string name = a.name;  // a carriage return inside a name is written as a space
        for (char& c : name)
            if (c == '\r') c = ' ';
        FUZZ_CHECK(name == b.name);
        FUZZ_CHECK(a.station == b.station && a.x == b.x && a.y == b.y);
        FUZZ_CHECK(a.azimuth.has_value() == b.azimuth.has_value());
        if (a.azimuth) FUZZ_CHECK(SameDirection(*a.azimuth, *b.azimuth));
        FUZZ_CHECK(a.length == b.length && a.startRadius == b.startRadius && a.endRadius == b.endRadius);
        FUZZ_CHECK(a.turn == b.turn);
    }
    return 0;
}
