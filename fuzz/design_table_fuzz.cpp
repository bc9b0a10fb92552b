// Design stake tables from arbitrary bytes: decoding, reading the rows, and
// checking them against a small route in closed form (a straight and an
// arc), then writing the JSON result.

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compute/design_check.h"
#include "compute/design_check_json.h"
#include "core/files/design_table.h"
#include "core/files/text_table.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"

using namespace tarvelo;

namespace {

// From station 0 at (0, 0) 100 m north, then an arc of R 200 to the right
// for 200 m; the profile a grade of 1 % from 50 m.
DesignCheckRoute Route()
{
    DesignCheckRoute r;
    r.pointAt = [](double s, std::optional<int> zone, std::string* why) -> std::optional<DesignPlanPoint> {
        if (zone && *zone != 1) {
            *why = "没有这个分区。";
            return std::nullopt;
        }
        if (!(s >= 0 && s <= 300)) {
            *why = "桩号不在线路上。";
            return std::nullopt;
        }
        if (s <= 100) return DesignPlanPoint{s, 0};
        const double phi = (s - 100) / 200;
        return DesignPlanPoint{100 + 200 * std::sin(phi), 200 - 200 * std::cos(phi)};
    };
    r.foot = [](double x, double y) -> std::optional<DesignFoot> {
        double best = INFINITY;
        DesignFoot f;
        if (x >= 0 && x <= 100) {
            best = std::fabs(y);
            f = {x, 1, y};
        }
        const double vx = x - 100, vy = y - 200, d = std::hypot(vx, vy), phi = std::atan2(vx, -vy);
        if (d > 0 && phi >= 0 && phi <= 1 && std::fabs(200 - d) < best) {
            best = std::fabs(200 - d);
            f = {100 + 200 * phi, 1, 200 - d};
        }
        if (!(best < INFINITY)) return std::nullopt;
        return f;
    };
    r.elevationAt = [](double s, std::optional<int>) -> std::optional<double> {
        if (s < 50) return std::nullopt;
        return 10 + 0.01 * (s - 50);
    };
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto text = DecodeTableBytes(bytes);
    FUZZ_CHECK(text.ok() != text.error.has_value());
    if (!text.ok()) return 0;
    const DesignTable table = ParseDesignTable(*text.value);

    // Every line that is not blank or a comment is exactly one of: the
    // header, a row, an unreadable row; all in line order.
    const std::vector<TableLine> lines = SplitTableLines(*text.value);
    std::size_t r = 0, u = 0;
    for (const TableLine& line : lines) {
        const bool header = line.line == table.headerLine;
        const bool row = r < table.rows.size() && table.rows[r].line == line.line;
        const bool bad = u < table.unreadable.size() && table.unreadable[u].line == line.line;
        FUZZ_CHECK(int(header) + int(row) + int(bad) == 1);
        if (header) FUZZ_CHECK(&line == &lines.front());
        r += row;
        u += bad;
    }
    FUZZ_CHECK(r == table.rows.size() && u == table.unreadable.size());
    for (const DesignRow& row : table.rows) {
        FUZZ_CHECK(std::isfinite(row.station) && std::isfinite(row.x) && std::isfinite(row.y));
        FUZZ_CHECK(!row.elevation || std::isfinite(*row.elevation));
        FUZZ_CHECK(!row.zone || table.zoneColumn);
    }
    for (const DesignUnreadableRow& bad : table.unreadable) {
        FUZZ_CHECK(bad.reason.rfind("第 " + std::to_string(bad.line) + " 行：", 0) == 0);
        FUZZ_CHECK(bad.text.size() <= 200 + 3);
    }

    const DesignCheckResult result = CheckDesign(table, Route());
    FUZZ_CHECK(result.rows.size() == table.rows.size() + table.unreadable.size());
    std::size_t total = 0;
    for (std::size_t n : result.summary.classes) total += n;
    FUZZ_CHECK(total == result.rows.size() && result.summary.rows == total);
    for (const DesignCheckRow& row : result.rows) {
        FUZZ_CHECK(row.distance.has_value() == row.dx.has_value());
        if (row.kind == DesignClass::Ok) FUZZ_CHECK(*row.distance <= result.tolerances.plan);
        if (row.kind == DesignClass::Station || row.kind == DesignClass::Offset)
            FUZZ_CHECK(row.footOffset && *row.distance > result.tolerances.plan);
        FUZZ_CHECK((row.kind == DesignClass::Ok) == row.reason.empty());
    }
    FUZZ_CHECK(!result.summary.rms || *result.summary.rms <= result.tolerances.plan);
    // No number spelled as a non-number: outside the string literals (names
    // and reasons may say anything) only null, true, false and digits.
    const std::string json = DesignCheckJson(result);
    bool inString = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') inString = true;
        else FUZZ_CHECK(c != 'i' && c != 'a');  // "inf", "nan"; null has neither
    }
    FUZZ_CHECK(!inString);
    return 0;
}
