// Roadbed template files from arbitrary bytes: decoding, reading the rows,
// building the template, and the design section of every side template
// queried at and around its vertices.

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/files/template_file.h"
#include "core/section/roadbed_template.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"

using namespace tarvelo;

namespace {

void CheckSection(const SideSection& s)
{
    const SectionVertex h = s.hinge();
    FUZZ_CHECK(std::isfinite(h.offset) && std::isfinite(h.z));
    FUZZ_CHECK(s.TopElevation(h.offset).has_value());
    for (SlopeBranch b : {SlopeBranch::Fill, SlopeBranch::Cut}) {
        if (!s.has(b)) {
            FUZZ_CHECK(!s.Catch(b, h.z) && !s.BranchElevation(b, h.offset));
            continue;
        }
        FUZZ_CHECK(!s.Catch(b, NAN) && !s.BranchElevation(b, NAN));
        for (const SectionVertex& v : s.branch(b).vertices) {
            for (double dz : {-1.0, 0.0, 0.5, 10.0}) {
                const auto c = s.Catch(b, v.z + dz);
                if (!c) continue;
                FUZZ_CHECK(std::isfinite(c->offset) && c->level >= 1);
                FUZZ_CHECK(SideSign(s.side()) * c->offset >= SideSign(s.side()) * h.offset);
                // The branch passes through its own catch point (a vertical
                // cut face answers its foot, below the catch).
                const auto z = s.BranchElevation(b, c->offset);
                FUZZ_CHECK(z.has_value());
                const double tol = 1e-9 * (1 + std::fabs(c->z) + std::fabs(c->offset) + std::fabs(h.z));
                if (b == SlopeBranch::Fill)
                    FUZZ_CHECK(std::fabs(*z - c->z) <= tol);
                else
                    FUZZ_CHECK(*z <= c->z + tol);
            }
            const auto z = s.BranchElevation(b, v.offset);
            FUZZ_CHECK(!z || std::isfinite(*z));
        }
        FUZZ_CHECK(s.Outline(b, 10).size() >= s.roadTop().size() + s.branch(b).vertices.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = DecodeTableBytes(bytes);
    FUZZ_CHECK(decoded.ok() != decoded.error.has_value());
    if (!decoded.ok()) return 0;

    const TemplateFileContent read = ParseTemplateFile(*decoded.value);
    FUZZ_CHECK(read.ok() == read.errors.empty());
    if (!read.ok()) {
        FUZZ_CHECK(read.rows.empty());
        // Messages quote the cells as typed; a number the reader writes
        // itself is never "inf" or "nan".
        for (const TemplateIssue& e : read.errors) {
            FUZZ_CHECK(fuzz::CleanMessage(e.message, *decoded.value));
            if (e.line > 0) FUZZ_CHECK(e.message.find("第 " + std::to_string(e.line) + " 行") == 0);
        }
        return 0;
    }
    FUZZ_CHECK(!read.rows.empty());
    for (const TemplateRow& r : read.rows) FUZZ_CHECK(r.line > 0 && !TemplateRowFault(r));

    const RoadbedTemplate::Built built = RoadbedTemplate::Build(read.rows);
    FUZZ_CHECK(built.roadbed.has_value() && !built.error);
    for (RoadSide side : {RoadSide::Left, RoadSide::Right}) {
        for (const SideTemplateAt& at : built.roadbed->sides(side)) {
            FUZZ_CHECK(built.roadbed->At(at.station, side) != nullptr);
            FUZZ_CHECK(!DescribeSideTemplate(at.side).empty());
            const auto s = SideSection::Make(side, 100, 3.75, -2, at.side);
            FUZZ_CHECK(s.has_value());  // every value is bounded by kMaxTemplateValue
            CheckSection(*s);
        }
    }

    // What the template writes reads back to the same rows.
    const TemplateFileContent again = ParseTemplateFile(FormatTemplateFile(read.rows));
    FUZZ_CHECK(again.ok() && again.rows.size() == read.rows.size());
    for (std::size_t k = 0; k < read.rows.size(); ++k) {
        const TemplateRow &a = read.rows[k], &b = again.rows[k];
        FUZZ_CHECK(a.station == b.station && a.sides == b.sides && a.part == b.part && a.p == b.p);
    }
    return 0;
}
