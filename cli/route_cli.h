#pragma once
// tarvelo-cli route: the whole road by the JD method.
//
//   tarvelo-cli route elements --route FILE [--json] [--report FILE]
//   tarvelo-cli route point    --route FILE --station K [--offset M] [--skew A] [--json]
//   tarvelo-cli route table    --route FILE --interval J [--start S] [--end E]
//                              [--offset M] [--skew A] [--no-main-points] [--json]
//   tarvelo-cli route inverse  --route FILE (--x X --y Y | --points FILE) [--json]
//
// Stations, offsets and coordinates are plain metres; the skew is d.mmss
// (default 90, square to the right). Plain output is UTF-8 text with
// stations in K notation and coordinates to four decimals; --json prints one
// object with every number in its shortest round-trip form.
//
// Exit status: 0; 2 when the route file or the route is refused (bad rows,
// overlapping curves, ...); 1 for every other error. On an error nothing is
// written to stdout and the message goes to stderr. Warnings (a station in
// the file that differs from the chained one) go to stderr with status 0.

#include <ostream>
#include <string>
#include <vector>

namespace tarvelo {

inline constexpr int kExitInvalidRoute = 2;

// Runs `route ...` (args without the program name, args[0] == "route").
// The output is written to `out` as it is produced, so that a table of a
// million rows never sits in memory whole; the checks that can refuse a
// command all run before the first byte is written. `err` receives the
// warnings and the error message, each line ending in LF.
int RunRouteCli(const std::vector<std::string>& args, std::ostream& out, std::string& err);

}  // namespace tarvelo
