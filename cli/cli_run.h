#pragma once
// tarvelo-cli: the engine without a window, for batch work and scripts.
//
//   tarvelo-cli elements [--curve FILE] [--json] [--report FILE]
//   tarvelo-cli point    [--curve FILE] --station K [--offset M] [--skew A] [--json]
//   tarvelo-cli table    [--curve FILE] --start S --end E --interval J
//                        [--offset M] [--skew A] [--json] [--report FILE]
//   tarvelo-cli inverse  [--curve FILE] --x X --y Y [--json]
//   tarvelo-cli export-curve [--curve FILE] --out FILE
//
// --curve FILE reads a curve data file as the window's import does (GBK or
// UTF-8); without it the window's default curve is used. --report FILE
// writes the elements or results report of that computation (GBK, CR LF).
// Numbers beyond 1e12 in magnitude, which a double cannot carry to four
// decimals, are refused.
//
// Plain output is UTF-8 with LF line ends and shows what the window would
// show; --json prints one object with every double in round-trip form.

#include <ostream>
#include <string>
#include <vector>

namespace tarvelo {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;       // usage, file, fault, refusal
inline constexpr int kExitInvalidCurve = 2;  // a curve-input check failed

// Runs one invocation; args excludes the program name. On success `out`
// holds the whole standard output and `err` is empty; on failure `out` is
// empty (nothing partial) and `err` holds the message, ending in LF.
int RunCli(const std::vector<std::string>& args, std::string& out, std::string& err);
// The same with the output going to `out` as it is made (a table streams
// row by row); on a failure what was written before it stays written.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::string& err);

}  // namespace tarvelo
