// Route files from arbitrary bytes: decoding, parsing, building the route
// and asking it for stakes, a table and the inverse of its own points.

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "compute/route_inverse.h"
#include "compute/route_table.h"
#include "core/numbers/float_fault.h"
#include "core/plan/route.h"
#include "core/files/route_file.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto text = DecodeTableBytes(bytes);
    FUZZ_CHECK(text.ok() != text.error.has_value());
    if (!text.ok()) return 0;
    const RouteFileParse parsed = ParseRouteFile(*text.value);
    FUZZ_CHECK(parsed.rows.empty() || parsed.errors.empty());
    for (const RouteIssue& e : parsed.errors) FUZZ_CHECK(!e.message.empty());
    if (parsed.rows.empty()) return 0;

    // Written and read again, the rows are the same.
    const RouteFileParse again = ParseRouteFile(FormatRouteFile(parsed.rows));
    FUZZ_CHECK(again.errors.empty());
    FUZZ_CHECK(again.rows.size() == parsed.rows.size());
    for (std::size_t i = 0; i < again.rows.size(); ++i) {
        FUZZ_CHECK(again.rows[i].x == parsed.rows[i].x);
        FUZZ_CHECK(again.rows[i].R == parsed.rows[i].R);
    }

    const Route::Built built = Route::Build(parsed.rows);
    FUZZ_CHECK(built.route.has_value() != built.error.has_value());
    if (!built.route) return 0;
    const Route& r = *built.route;
    // Every straight is at least -1e-6 m and every curve no longer than its
    // two tangents, so the road cannot end before it starts.
    FUZZ_CHECK(r.end().station >= r.start().station - 1e-6 * double(r.legs().size()));
    try {
        const RouteInverse inverse(r);
        for (int i = 0; i <= 8; ++i) {
            const double k = r.start().station + r.length() * i / 8;
            const auto stake = r.PointAt(k, 0, 90);
            if (!stake) continue;
            FUZZ_CHECK(stake->point.azimuth >= 0 && stake->point.azimuth < 360);
            const RouteFoot foot = inverse.Find(stake->point.x, stake->point.y);
            if (foot.outcome == RouteFootOutcome::Ok) FUZZ_CHECK(std::isfinite(foot.offset));
        }
        RouteTableParams p;
        p.interval = r.length() / 50 + 1;
        std::size_t rows = 0;
        if (!CheckRouteTable(r, p, &rows)) {
            RouteTableCursor cursor(r, p);
            RouteTableEntry e;
            std::size_t n = 0;
            double last = -INFINITY;
            while (cursor.Next(&e)) {
                FUZZ_CHECK(e.station > last);
                last = e.station;
                ++n;
            }
            FUZZ_CHECK(n == rows);
        }
    } catch (const FloatFault&) {
        // Absurd coordinates may overflow: a clear fault is the right answer.
    }
    return 0;
}
