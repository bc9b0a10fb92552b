// Profile files from arbitrary bytes: decoding, reading the grade points,
// building the profile and querying it along its whole length.

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/profile/profile.h"
#include "core/files/profile_file.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"

using namespace tarvelo;

namespace {

void CheckQueries(const Profile& profile)
{
    const double start = profile.startStation(), end = profile.endStation();
    FUZZ_CHECK(!profile.ElevationAt(std::nextafter(start, -HUGE_VAL)));
    FUZZ_CHECK(!profile.ElevationAt(std::nextafter(end, HUGE_VAL)));
    FUZZ_CHECK(!profile.GradeAt(NAN));
    const auto check = [&](double s) {
        const auto h = profile.ElevationAt(s);
        const auto g = profile.GradeAt(s);
        FUZZ_CHECK(h && g);
        FUZZ_CHECK(std::isfinite(*h) && std::isfinite(*g));
    };
    for (const GradePointInput& p : profile.points()) check(p.station);
    FUZZ_CHECK(*profile.ElevationAt(start) == profile.points().front().elevation);
    FUZZ_CHECK(*profile.ElevationAt(end) == profile.points().back().elevation);
    for (const VerticalCurve& c : profile.curves()) {
        FUZZ_CHECK(c.R > 0 && c.T >= 0 && c.E >= 0 && c.T <= c.Lv);
        FUZZ_CHECK(c.start <= c.station && c.station <= c.end);
        for (double s : {c.start, c.end, (c.start + c.station) / 2})
            if (s >= start && s <= end) check(s);
    }
    for (int i = 0; i <= 16; ++i) check(std::fmin(end, start + (end - start) / 16 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = DecodeTableBytes(bytes);
    FUZZ_CHECK(decoded.ok() != decoded.error.has_value());
    if (!decoded.ok()) return 0;

    const ProfileFileContent read = ParseProfileFile(*decoded.value);
    FUZZ_CHECK(read.ok() == read.errors.empty());
    if (!read.ok()) {
        FUZZ_CHECK(read.points.empty());
        for (const ProfileIssue& e : read.errors)
            FUZZ_CHECK(e.line > 0 && e.message.find("第 " + std::to_string(e.line) + " 行") == 0);
        return 0;
    }
    for (const GradePointInput& p : read.points) {
        FUZZ_CHECK(p.line > 0 && std::isfinite(p.station) && std::isfinite(p.elevation));
        FUZZ_CHECK(!p.R || std::isfinite(*p.R));
    }

    const Profile::Built built = Profile::Build(read.points);
    FUZZ_CHECK(built.profile.has_value() != built.error.has_value());
    if (built.error) {
        FUZZ_CHECK(!built.error->message.empty());
        FUZZ_CHECK(fuzz::CleanMessage(built.error->message));
        return 0;
    }
    CheckQueries(*built.profile);
    return 0;
}
