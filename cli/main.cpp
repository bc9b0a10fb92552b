#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/route_cli.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string out, err;
    int status;
    if (!args.empty() && args.front() == "route") {
        // A route table can run to a million rows: it goes out as it is made.
        std::ios::sync_with_stdio(false);
        status = tarvelo::RunRouteCli(args, std::cout, err);
        std::cout.flush();
        std::fwrite(err.data(), 1, err.size(), stderr);
        if (!std::cout) {
            std::fputs("tarvelo-cli: 无法写出结果。\n", stderr);
            return tarvelo::kExitError;
        }
        return status;
    }
    status = tarvelo::RunCli(args, out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    if (std::fflush(stdout) != 0) {
        std::fputs("tarvelo-cli: 无法写出结果。\n", stderr);
        return tarvelo::kExitError;
    }
    return status;
}
