#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_run.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string out, err;
    const int status = tarvelo::RunCli(args, out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    if (std::fflush(stdout) != 0) {
        std::fputs("tarvelo-cli: 无法写出结果。\n", stderr);
        return tarvelo::kExitError;
    }
    return status;
}
