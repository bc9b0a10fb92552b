// Cross-section files from arbitrary bytes: decoding, reading the rows,
// building the table and querying it along its whole length with both
// transition laws.

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/section/cross_section.h"
#include "core/files/cross_section_file.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"

using namespace tarvelo;

namespace {

void CheckSection(const CrossSections& cs, double s)
{
    for (Transition law : {Transition::Linear, Transition::Cubic}) {
        const auto v = cs.SectionAt(s, law);
        FUZZ_CHECK(v.has_value());
        FUZZ_CHECK(std::isfinite(v->leftWidth) && std::isfinite(v->rightWidth));
        FUZZ_CHECK(std::isfinite(v->leftSlope) && std::isfinite(v->rightSlope));
        FUZZ_CHECK(v->leftWidth >= 0 && v->rightWidth >= 0);
        FUZZ_CHECK(std::fabs(v->leftSlope) <= kMaxCrossSlopePercent);
        FUZZ_CHECK(std::fabs(v->rightSlope) <= kMaxCrossSlopePercent);
    }
}

void CheckQueries(const CrossSections& cs)
{
    const double start = cs.startStation(), end = cs.endStation();
    FUZZ_CHECK(!cs.SectionAt(NAN));
    FUZZ_CHECK(!cs.CheckCovers(start, end));
    const double before = start - kCrossSectionEndTolerance, after = end + kCrossSectionEndTolerance;
    if (std::isfinite(before)) FUZZ_CHECK(!cs.SectionAt(std::nextafter(before, -HUGE_VAL)));
    if (std::isfinite(after)) FUZZ_CHECK(!cs.SectionAt(std::nextafter(after, HUGE_VAL)));
    for (std::size_t k = 0; k < cs.rows().size(); ++k) {
        const CrossSectionRow& r = cs.rows()[k];
        CheckSection(cs, r.station);
        const auto at = cs.SectionAt(r.station, Transition::Cubic);
        FUZZ_CHECK(at->leftWidth == r.leftWidth && at->rightSlope == r.rightSlope);
        if (k + 1 < cs.rows().size()) {
            const double next = cs.rows()[k + 1].station;
            for (int i = 1; i < 4; ++i) CheckSection(cs, r.station + (next - r.station) / 4 * i);
        }
    }
    const auto sec = cs.SectionAt(start);
    for (double offset : {-sec->leftWidth, sec->rightWidth, 0.0}) {
        try {
            const auto z = OffsetElevation(*sec, 100, offset);
            FUZZ_CHECK(z && std::isfinite(*z));
        } catch (const std::exception&) {
            // A width near the largest double overflows the elevation: refused
            // by FloatFault, which is the contract.
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = DecodeTableBytes(bytes);
    FUZZ_CHECK(decoded.ok() != decoded.error.has_value());
    if (!decoded.ok()) return 0;

    const CrossSectionFileContent read = ParseCrossSectionFile(*decoded.value);
    FUZZ_CHECK(read.ok() == read.errors.empty());
    if (!read.ok()) {
        FUZZ_CHECK(read.rows.empty());
        for (const CrossSectionIssue& e : read.errors)
            FUZZ_CHECK(e.line > 0 && e.message.find("第 " + std::to_string(e.line) + " 行") == 0);
        return 0;
    }
    for (const CrossSectionRow& r : read.rows) {
        FUZZ_CHECK(r.line > 0 && !CrossSectionRowFault(r));
    }

    const CrossSections::Built built = CrossSections::Build(read.rows);
    FUZZ_CHECK(built.sections.has_value() != built.error.has_value());
    if (built.error) {
        FUZZ_CHECK(!built.error->message.empty());
        FUZZ_CHECK(fuzz::CleanMessage(built.error->message));
        return 0;
    }
    CheckQueries(*built.sections);

    // What the table writes reads back to the same rows.
    const CrossSectionFileContent again = ParseCrossSectionFile(FormatCrossSectionFile(read.rows));
    FUZZ_CHECK(again.ok() && again.rows.size() == read.rows.size());
    for (std::size_t k = 0; k < read.rows.size(); ++k) {
        const CrossSectionRow &a = read.rows[k], &b = again.rows[k];
        FUZZ_CHECK(a.station == b.station && a.leftWidth == b.leftWidth && a.rightWidth == b.rightWidth &&
                   a.leftSlope == b.leftSlope && a.rightSlope == b.rightSlope);
    }
    return 0;
}
