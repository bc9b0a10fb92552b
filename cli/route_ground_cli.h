#pragma once
// tarvelo-cli route ground: the crew's RTK points sorted into ground sections
// (横断面地面线), written in any of the three ground-file forms or as JSON;
// and the ground-file loading route earthwork shares.

#include <optional>
#include <ostream>
#include <string>

#include "cli/route_stakeout_cli.h"
#include "core/files/ground_file.h"
#include "core/plan/route.h"

namespace tarvelo {

// Exit status when the command ran but left something out (ground sections
// that could not be read, sections with a problem).
inline constexpr int kExitGroundLeftOut = 3;

// The ground sections of --ground FILE (and --centre-ground FILE for the
// relative form), stations read on the route. nullopt with *error and
// *status (1 unreadable or refused) when nothing can be read; otherwise the
// content, whose problems the caller lists.
std::optional<GroundFileContent> LoadGroundSections(const Route& route, const std::string& path,
                                                    const std::optional<std::string>& centrePath, std::string* error,
                                                    int* status);

// Writes text to the file at path atomically (a failed write leaves an
// existing file as it was); the error, or nullopt.
std::optional<std::string> WriteWholeFile(const std::string& path, const std::string& text);

// route ground --points FILE (--interval J | --stations FILE) [--band B]
// [--format csv|hdm|hdm-relative] [--out FILE] [--centre-ground-out FILE]
// [--json]. The sections go to out (or the file); what was read, the points
// left out with their reasons and how the relative form found its centre
// elevations go to *notes. Returns the exit status (0); on an error *error is
// set and nothing is written to out.
int RunRouteGround(const Route& route, const OptionValue& value, bool json, std::ostream& out, std::string* notes,
                   std::string* error);

}  // namespace tarvelo
