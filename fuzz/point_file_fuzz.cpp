// Point files from arbitrary bytes: decoding and reading them by content
// (CSV name,X,Y[,H] with or without a header, CASS .dat). Either every point
// is read, finite and named, or nothing is and every message says why.

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/files/point_file.h"
#include "fuzz/fuzz_check.h"
#include "reports/table_file.h"

using namespace tarvelo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = DecodeTableBytes(bytes);
    FUZZ_CHECK(decoded.ok() != decoded.error.has_value());
    if (!decoded.ok()) return 0;

    const PointFileContent read = ParsePointFile(*decoded.value);
    FUZZ_CHECK(read.ok() == read.errors.empty());
    if (!read.ok()) {
        FUZZ_CHECK(read.points.empty());
        // A message may quote the file's own text; a number it computes
        // itself is never "inf" or "nan".
        for (const std::string& e : read.errors) {
            FUZZ_CHECK(fuzz::CleanMessage(e, *decoded.value));
            FUZZ_CHECK(e.rfind("第 ", 0) == 0 || e.rfind("点文件", 0) == 0);
        }
        return 0;
    }
    FUZZ_CHECK(!read.points.empty());
    int line = read.headerLine;
    for (const SurveyPoint& p : read.points) {
        FUZZ_CHECK(p.line > line);  // in line order, after the header
        line = p.line;
        FUZZ_CHECK(!p.name.empty() && std::isfinite(p.x) && std::isfinite(p.y));
        if (p.z) FUZZ_CHECK(std::isfinite(*p.z));
    }
    const std::string said = DescribePointFile(read);
    FUZZ_CHECK(said.find("读入 " + std::to_string(read.points.size()) + " 个点") == 0);
    return 0;
}
