#pragma once
// The file side of `tarvelo-cli route`: the stake table in the field formats
// (route table --format text|csv|dat|json [--out FILE]), the drawing and
// alignment exports (route export) and the LandXML import
// (route import-landxml).
//
// Every file is written atomically: an existing file survives any failure
// untouched, and the error names the path and the reason. Errors are returned
// as complete Chinese messages (no LF at the end); the caller prints them.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "compute/route_table.h"
#include "core/plan/route.h"
#include "core/profile/profile.h"
#include "reports/stake_file_export.h"

namespace tarvelo {

// Where and how route table writes its rows.
struct RouteTableTarget {
    std::string format = "text";     // "text", "csv", "dat" or "json"
    std::optional<std::string> out;  // a file; nullopt: standard output
    // csv, dat, and text into a file (the GBK report): the file side writes
    // these; text and json to standard output and json into a file are the
    // route table's own rows.
    bool fileSideWrites() const { return format == "csv" || format == "dat" || (format == "text" && out); }
};

// Reads --format (default text; --json means json and cannot be combined
// with another format) and --out. Returns the refusal, or nullopt and *target.
std::optional<std::string> ReadRouteTableTarget(const std::optional<std::string>& format, bool jsonFlag,
                                                const std::optional<std::string>& out,
                                                RouteTableTarget* target);

// Writes a table whose target fileSideWrites(): into the file (CASS in GBK,
// CSV UTF-8 with BOM, the GBK 逐桩坐标表 report) or, for csv and dat without
// --out, to `out` as UTF-8 text (no byte-order mark). extra: further CSV
// columns (the stakeout), or null. Precondition: CheckRouteTable passed.
// Throws FloatFault from a row (a file is then abandoned).
std::optional<std::string> WriteRouteTableTarget(const Route& route, const RouteTableParams& p,
                                                 const RouteTableTarget& target, const ElevationAt& elevation,
                                                 std::ostream& out, const StakeCsvColumns* extra = nullptr);

// An output stream into a file that is written atomically: bytes go to a
// temporary file beside the target, which takes the target's name at
// Commit. Destroyed without Commit (an exception on the way), the target is
// left as it was.
class AtomicFileOstream : public std::ostream {
public:
    AtomicFileOstream();
    ~AtomicFileOstream() override;
    std::optional<std::string> Open(const std::string& path);
    std::optional<std::string> Commit();

private:
    class Buffer;
    Buffer* buffer_;
};

// route export --format landxml|dxf --out FILE [--interval J]: the alignment
// (named after the route file's base name) or the drawing, with the stakes of
// the J-metre table (main points included) when an interval is given
// (dxf only). profile: the grade points of --profile (landxml only: its
// Profile / ProfAlign), or null.
std::optional<std::string> RunRouteExport(const Route& route, const std::string& routePath,
                                          const std::string& format, const std::string& outPath,
                                          const std::optional<double>& interval,
                                          const std::vector<GradePointInput>* profile = nullptr);

// route import-landxml --in FILE (--out FILE | --list) [--alignment NAME]
// [--profile-out FILE].
struct LandXmlImportRequest {
    std::string inPath;
    std::optional<std::string> outPath;     // required unless list
    bool list = false;                      // one line per alignment to `out` instead
    std::optional<std::string> alignment;   // required when the file holds several
    std::optional<std::string> profileOut;  // the ProfAlign as a profile file
    std::optional<std::string> breaksOut;   // the StaEquations as a break file
};

// The chosen alignment as a route file when it is a JD route, otherwise as an
// element file (FormatElementFile); both UTF-8 with BOM, CR LF, round-trip
// numbers. With list: "name<TAB>length (3 decimals, or 未知)<TAB>element
// count" per alignment to `out`, nothing written. With profileOut: the
// ProfAlign's grade points as a profile file (UTF-8 with BOM, CR LF); an
// alignment without one, or whose profile is refused, is an error and
// nothing is written. Warnings (joints not quite tangent, dropped straights)
// are appended to *warnings as "警告：...\n" lines. *status is 2 when the
// alignment's shape is refused or the rows do not make a computable route or
// profile, 1 for a file error or a missing option.
std::optional<std::string> RunImportLandXml(const LandXmlImportRequest& request, std::ostream& out,
                                            std::string* warnings, int* status);

// The same with inPath and outPath only; warnings are dropped.
std::optional<std::string> RunImportLandXml(const std::string& inPath, const std::string& outPath, int* status);

}  // namespace tarvelo
