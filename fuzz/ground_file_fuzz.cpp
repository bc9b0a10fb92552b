// Ground-section files from arbitrary bytes, in all three forms: decoding,
// reading the sections, writing each form and reading it back to the same
// sections, and the areas between each section and a level line.

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "core/files/ground_file.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"

using namespace tarvelo;

namespace {

// A route from 0 to 5000 m without breaks.
std::optional<SectionStation> ReadStation(const std::string& field, std::string* error)
{
    double s = 0;
    if (!ReadStationField(field, &s) || s < 0 || s > 5000) {
        *error = "不是线路上的桩号";
        return std::nullopt;
    }
    return SectionStation{s, s, 0};
}

std::string Label(const GroundSection& g) { return FormatGeneral(g.at().station); }

// Sections of surveyed size (within 1e6 m, points at least 1 mm apart) read
// back within 1e-6 m from every form; the relative form writes only those
// whose ground crosses the centre line.
bool Modest(const GroundSection& g)
{
    for (std::size_t k = 0; k < g.points().size(); ++k) {
        const GroundPoint& p = g.points()[k];
        if (std::fabs(p.offset) > 1e6 || std::fabs(p.z) > 1e6) return false;
        if (k && p.offset - g.points()[k - 1].offset < 1e-3) return false;
    }
    return std::fabs(g.leftEnd()) >= 1e-3 && std::fabs(g.rightEnd()) >= 1e-3;
}

// Every point of a has its point in b (b may hold the centre point the
// relative form adds), both within 1e-6 m.
void CheckSame(const std::vector<GroundSection>& a, const std::vector<GroundSection>& b)
{
    FUZZ_CHECK(a.size() == b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        FUZZ_CHECK(std::fabs(a[i].at().distance - b[i].at().distance) <= 1e-6);
        const std::vector<GroundPoint>& q = b[i].points();
        for (const GroundPoint& p : a[i].points()) {
            auto it = std::lower_bound(q.begin(), q.end(), p.offset,
                                       [](const GroundPoint& g, double o) { return g.offset < o; });
            if (it == q.end() || (it != q.begin() && p.offset - (it - 1)->offset < it->offset - p.offset)) --it;
            FUZZ_CHECK(std::fabs(it->offset - p.offset) <= 1e-6 && std::fabs(it->z - p.z) <= 1e-6);
        }
    }
}

// Messages quote the file's own fields; "inf" or "nan" may come from there.
void CheckContent(const GroundFileContent& c, const std::string& input)
{
    FUZZ_CHECK(c.ok() == c.refused.empty());
    if (!c.ok()) {
        FUZZ_CHECK(c.sections.empty() && fuzz::CleanMessage(c.refused, input));
        return;
    }
    for (const std::string& p : c.problems) FUZZ_CHECK(fuzz::CleanMessage(p, input));
    for (std::size_t i = 0; i < c.sections.size(); ++i) {
        const GroundSection& g = c.sections[i];
        if (i) FUZZ_CHECK(g.at().distance > c.sections[i - 1].at().distance);
        FUZZ_CHECK(g.points().size() >= 2);
        for (std::size_t k = 1; k < g.points().size(); ++k) FUZZ_CHECK(g.points()[k].offset > g.points()[k - 1].offset);
        // Areas against a level line through the first point are finite and
        // not negative, or the numbers are beyond what a double holds.
        const std::vector<SectionVertex> level = {{g.leftEnd(), g.points()[0].z}, {g.rightEnd(), g.points()[0].z}};
        try {
            const std::optional<CutFill> a = CutFillAreas(g, level, g.leftEnd(), g.rightEnd());
            FUZZ_CHECK(a && a->cut >= 0 && a->fill >= 0);
        } catch (const FloatFault&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = DecodeTableBytes(bytes);
    if (!decoded.ok()) return 0;
    const CentreGroundContent centre = ParseCentreGroundFile("0,100\n2500,120\n5000,90\n", ReadStation);
    FUZZ_CHECK(centre.ok());
    const GroundFileContent read = ParseGroundFile(*decoded.value, ReadStation, &centre.points);
    CheckContent(read, *decoded.value);
    // The same bytes as a centre-ground file.
    const CentreGroundContent other = ParseCentreGroundFile(*decoded.value, ReadStation);
    FUZZ_CHECK(other.ok() == !other.points.empty());
    if (!read.ok()) return 0;

    std::vector<GroundSection> modest;
    for (const GroundSection& g : read.sections)
        if (Modest(g)) modest.push_back(g);
    if (modest.empty()) return 0;
    const GroundFileContent csv = ParseGroundFile(FormatGroundCsv(modest, Label), ReadStation);
    FUZZ_CHECK(csv.ok() && csv.problems.empty() && csv.form == GroundFileForm::Csv);
    CheckSame(modest, csv.sections);
    const GroundFileContent hdm = ParseGroundFile(FormatGroundHdm(modest, Label), ReadStation);
    FUZZ_CHECK(hdm.ok() && hdm.problems.empty() && hdm.form == GroundFileForm::Hdm);
    CheckSame(modest, hdm.sections);
    const RelativeGroundText rel = FormatGroundRelative(modest, Label);
    if (rel.written == 0) return 0;
    const CentreGroundContent written = ParseCentreGroundFile(rel.centreGround, ReadStation);
    FUZZ_CHECK(written.ok() && written.points.size() == rel.written);
    const GroundFileContent back = ParseGroundFile(rel.text, ReadStation, &written.points);
    FUZZ_CHECK(back.ok() && back.problems.empty() && back.form == GroundFileForm::HdmRelative);
    std::vector<GroundSection> crossing;
    for (const GroundSection& g : modest)
        if (g.ElevationAt(0)) crossing.push_back(g);
    CheckSame(crossing, back.sections);
    return 0;
}
