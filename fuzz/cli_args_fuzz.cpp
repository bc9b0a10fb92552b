// The command line's argument handling: NUL-separated arguments.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "compute/stakeout_table.h"
#include "core/numbers/number_text.h"
#include "fuzz/fuzz_check.h"

using namespace tarvelo;

namespace {

// The value of option `name` in either "--name value" or "--name=value"
// (one or two dashes), or nullptr.
const std::string* ValueOf(const std::vector<std::string>& args, const std::string& name,
                           std::string& scratch)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        for (const std::string prefix : {"--", "-"}) {
            if (args[i] == prefix + name && i + 1 < args.size()) return &args[i + 1];
            if (args[i].rfind(prefix + name + "=", 0) == 0) {
                scratch = args[i].substr(prefix.size() + name.size() + 1);
                return &scratch;
            }
        }
    }
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size && args.size() <= 16; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back().push_back(static_cast<char>(data[i]));
    }
    for (const std::string& a : args) {
        // Files are not this target's business: never read or write one.
        if (a.find("curve") != std::string::npos || a.find("report") != std::string::npos ||
            a.find("out") != std::string::npos)
            return 0;
    }
    // Large tables are legitimate but slow; keep each run short.
    std::string s1, s2, s3;
    const std::string* start = ValueOf(args, "start", s1);
    const std::string* end = ValueOf(args, "end", s2);
    const std::string* interval = ValueOf(args, "interval", s3);
    if (start && end && interval &&
        !CountTableRows(ReadLeadingNumber(*start), ReadLeadingNumber(*end),
                        ReadLeadingNumber(*interval), 2000))
        return 0;

    std::string out, err;
    const int status = RunCli(args, out, err);
    if (status == kExitOk) {
        FUZZ_CHECK(err.empty());
        FUZZ_CHECK(!out.empty() && out.back() == '\n');
    } else {
        FUZZ_CHECK(status == kExitError || status == kExitInvalidCurve);
        FUZZ_CHECK(out.empty());
        FUZZ_CHECK(!err.empty() && err.back() == '\n');
    }
    FUZZ_CHECK(out.find("inf") == std::string::npos && out.find("nan") == std::string::npos);
    FUZZ_CHECK(out.find("null") == std::string::npos);
    return 0;
}
