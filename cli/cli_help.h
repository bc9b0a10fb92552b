#pragma once
// What tarvelo-cli says about itself: the usage of the whole tool and of each
// subcommand (the single-curve commands and the route family), --version, and
// the command-line parser's complaints in Chinese.
//
// Every text here is Chinese, as the window speaks, with option names and
// subcommands exactly as they are typed. Texts end in LF.

#include <optional>
#include <string>
#include <vector>

class QCommandLineParser;

namespace tarvelo {

// The synopsis of every subcommand, shown after a usage error.
std::string ShortUsage();

// The whole tool's help: every synopsis, the notations and the exit statuses.
std::string GeneralUsage();

// One subcommand's help, or nullopt when `command` is not one. `command` is
// "elements", ..., "route" (the route family) or "route point" and the like.
std::optional<std::string> CommandUsage(const std::string& command);

// The help an invocation asks for with --help (or -h), or nullopt when it
// asks for none. The words before or after --help that are not options or
// option values name the subcommand: "point --help" gives the point usage,
// "route table --help" the route table usage, "route --help" the route family,
// a bare "--help" (or an unknown subcommand) the whole tool's help.
// args excludes the program name.
std::optional<std::string> UsageFor(const std::vector<std::string>& args);

// True when the invocation is exactly "--version".
bool AsksForVersion(const std::vector<std::string>& args);

// "tarvelo-cli 1.50.15\n", the version of the project line.
std::string VersionText();

// The parser's complaint after a failed QCommandLineParser::parse of `args`
// (an unknown option, a missing or unexpected value), in Chinese and naming
// the option as it was typed. No LF at the end.
std::string ParseErrorMessage(const QCommandLineParser& parser, const std::vector<std::string>& args);

}  // namespace tarvelo
