// Break files from arbitrary bytes: decoding, reading the breaks, writing
// them back, building chainages over two routes and walking them: every
// distance maps to a displayed station and back, and the interval table's
// multiples come in route order.

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/files/break_file.h"
#include "core/plan/chainage.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"

using namespace tarvelo;

namespace {

using fuzz::CleanMessage;

// distance -> displayed station -> distance, with and without the zone.
void CheckDistance(const Chainage& c, double d)
{
    const auto s = c.StationAt(d);
    FUZZ_CHECK(s.has_value());
    FUZZ_CHECK(std::isfinite(s->station) && s->zone >= 0 && s->zone < c.zoneCount());
    const DistanceLookup back = c.DistanceAt(s->station, s->zone);
    FUZZ_CHECK(back.distance.has_value() && back.error.empty());
    FUZZ_CHECK(std::fabs(*back.distance - d) <= std::fmax(1e-6, c.slack()));
    const DistanceLookup free = c.DistanceAt(s->station);
    FUZZ_CHECK(free.distance.has_value() != !free.error.empty());
    if (!free.distance) {
        FUZZ_CHECK(CleanMessage(free.error));
        FUZZ_CHECK(c.ZonesOf(s->station).size() >= 2);  // only an overlap is refused
    }
}

void CheckChainage(const Chainage& c)
{
    const double L = c.length();
    FUZZ_CHECK(c.zoneCount() == static_cast<int>(c.breaks().size()) + 1);
    FUZZ_CHECK(c.zoneStartDistance(0) == 0 && c.zoneEndDistance(c.zoneCount() - 1) == L);
    for (int z = 0; z < c.zoneCount(); ++z) {
        FUZZ_CHECK(c.zoneStartDistance(z) <= c.zoneEndDistance(z));
        if (z > 0) FUZZ_CHECK(c.zoneStartDistance(z) == c.zoneEndDistance(z - 1));
        FUZZ_CHECK(std::isfinite(c.zoneStartStation(z)) && std::isfinite(c.zoneEndStation(z)));
        // A zone's stations advance with its distance.
        const double ds = c.zoneEndStation(z) - c.zoneStartStation(z);
        FUZZ_CHECK(std::fabs(ds - (c.zoneEndDistance(z) - c.zoneStartDistance(z))) <= 4 * c.slack());
    }
    FUZZ_CHECK(!c.StationAt(NAN) && !c.StationAt(-1 - 2 * c.slack()) && !c.StationAt(L + 1 + 2 * c.slack()));
    FUZZ_CHECK(!c.DistanceAt(NAN).distance && CleanMessage(c.DistanceAt(NAN).error));
    for (int i = 0; i <= 16; ++i) CheckDistance(c, std::fmin(L, L / 16 * i));
    for (const ChainBreak& b : c.breaks()) {
        CheckDistance(c, b.distance);
        CheckDistance(c, std::fmax(0, b.distance - 0.25));
        CheckDistance(c, std::fmin(L, b.distance + 0.25));
        // The break's own stations name its point.
        const DistanceLookup at = c.DistanceAt(b.back);
        if (at.distance) FUZZ_CHECK(std::isfinite(*at.distance));
        else FUZZ_CHECK(CleanMessage(at.error));
    }
    // Stations in gaps and overlaps are refused with a sentence.
    for (const ChainBreak& b : c.breaks()) {
        const DistanceLookup mid = c.DistanceAt((b.back + b.ahead) / 2);
        FUZZ_CHECK(mid.distance.has_value() != !mid.error.empty());
        if (!mid.distance) FUZZ_CHECK(CleanMessage(mid.error));
    }

    // The interval table's multiples over the whole route.
    const double J = L / 40 + 1;
    const DisplayedStation from{c.startStation(), 0}, to{c.endStation(), c.zoneCount() - 1};
    std::size_t rows = 0;
    const auto refused = CheckZoneMultiples(c, J, from, to, 20000, &rows);
    if (refused) {
        FUZZ_CHECK(CleanMessage(*refused));
        return;
    }
    ZoneMultiples cursor(c, J, from, to);
    ChainageStake s;
    std::size_t n = 0;
    double last = -INFINITY;
    int zone = 0;
    while (cursor.Next(&s)) {
        FUZZ_CHECK(s.distance >= last && s.zone >= zone);
        last = s.distance;
        zone = s.zone;
        FUZZ_CHECK(s.distance >= 0 && s.distance <= L);
        if (!s.isBreak()) {
            // n·J, with n read back from the quotient while that is exact.
            if (std::fabs(s.station / J) < 1e15) FUZZ_CHECK(s.station == J * std::round(s.station / J));
            FUZZ_CHECK(s.station >= c.zoneStartStation(s.zone) - c.slack() &&
                       s.station <= c.zoneEndStation(s.zone) + c.slack());
        }
        ++n;
    }
    FUZZ_CHECK(n == rows);
}

void Build(double start, double distance, const std::vector<BreakInput>& rows)
{
    const Chainage::Built built = Chainage::Build(start, distance, rows);
    FUZZ_CHECK(built.chainage.has_value() != built.error.has_value());
    if (built.error) {
        FUZZ_CHECK(CleanMessage(built.error->message));
        FUZZ_CHECK(built.error->row >= -1 && built.error->row < static_cast<int>(rows.size()));
        return;
    }
    CheckChainage(*built.chainage);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = DecodeTableBytes(bytes);
    FUZZ_CHECK(decoded.ok() != decoded.error.has_value());
    if (!decoded.ok()) return 0;

    const BreakFileContent read = ParseBreakFile(*decoded.value);
    FUZZ_CHECK(read.ok() == read.errors.empty());
    if (!read.ok()) {
        FUZZ_CHECK(read.rows.empty());
        for (const ChainageIssue& e : read.errors)
            FUZZ_CHECK(e.line > 0 && e.message.find("第 " + std::to_string(e.line) + " 行") == 0);
        return 0;
    }
    for (const BreakInput& b : read.rows)
        FUZZ_CHECK(b.line > 0 && std::isfinite(b.back) && std::isfinite(b.ahead));

    // Written and read again, the breaks are the same.
    const std::string text = FormatBreakFile(read.rows);
    const BreakFileContent again = ParseBreakFile(text);
    FUZZ_CHECK(again.ok() && again.rows.size() == read.rows.size());
    for (std::size_t i = 0; i < read.rows.size(); ++i)
        FUZZ_CHECK(again.rows[i].back == read.rows[i].back && again.rows[i].ahead == read.rows[i].ahead);
    FUZZ_CHECK(FormatBreakFile(again.rows) == text);

    // A route the breaks fit when they are in order: it starts a little
    // before the first back station and runs a little past the last ahead.
    double start = 0, distance = 13.25;
    if (!read.rows.empty()) {
        start = read.rows.front().back - 7.5;
        distance += 7.5;
        for (std::size_t k = 1; k < read.rows.size(); ++k)
            distance += read.rows[k].back - read.rows[k - 1].ahead;
    }
    if (std::isfinite(start) && std::isfinite(distance)) Build(start, std::fabs(distance), read.rows);
    // And a route whose length has nothing to do with them.
    Build(read.rows.empty() ? 0 : read.rows.front().back, static_cast<double>(size) * 37.3, read.rows);
    return 0;
}
