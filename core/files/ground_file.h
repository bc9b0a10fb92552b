#pragma once
// Ground-section files (横断面地面线): the ground across the road at each
// station as field controllers and design programs exchange it. Three forms,
// told apart by their content, never by the file's name:
//  - Csv: `station,offset,elevation` (or `桩号,偏距,高程`), one point a row,
//    rows in any order; the rows of one station make its section. A header
//    is a first row holding header words (core/files/header_row.h) and
//    places the columns by their names.
//  - Hdm: the field controllers' offset/elevation text: a line
//    `BEGIN,<station>[:<number>]` opens each section, then one
//    `offset,elevation` line per point.
//  - HdmRelative: the form road design software imports: per station three
//    lines, the station; the left side as a count n and n pairs (horizontal
//    distance, height difference); the right side the same. Each pair is
//    measured from the point before it, the first from the centre-line
//    ground point, whose elevation comes from a separate centre-ground file
//    (`station,elevation`). Fields are separated by tabs, spaces or commas.
// A file with a line whose first field is `BEGIN` is Hdm (lines before the
// first BEGIN are then listed as faults); otherwise the first line that is
// neither blank nor a '#' comment decides: a single field is HdmRelative,
// anything else Csv.
//
// Offsets are metres perpendicular to the centre line, left negative;
// elevations metres. Stations are displayed stations: the caller's
// GroundStationReader places each station field on the route (chain breaks,
// zones, the route's range), so this reader never guesses a station.
//
// Bad input is never skipped in silence: a line that does not parse is
// listed with its number; a section with such a line, with fewer than two
// points, with two points at one offset, or at a station given twice is
// listed and left out; the file as a whole is refused only when no section
// can be read (or the relative form comes without centre-ground
// elevations). The text is UTF-8; reports/table_file.h turns a file's UTF-8
// or GBK bytes into it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/section/ground_section.h"

namespace tarvelo {

enum class GroundFileForm { Csv, Hdm, HdmRelative };

// The place of a station field, or nullopt with *error set to a sentence
// (not a station, outside the route, in a 短链's gap, ambiguous without its
// zone ...).
using GroundStationReader = std::function<std::optional<SectionStation>(const std::string& field, std::string* error)>;

// A centre-line ground elevation (中桩地面高程) at a station.
struct CentreGround {
    SectionStation at;
    double z = 0;
    int line = 0;
};

struct CentreGroundContent {
    std::vector<CentreGround> points;  // in route order; empty whenever errors is not
    std::vector<std::string> errors;   // "第 N 行：…", or the file's fault
    bool ok() const { return errors.empty(); }
};

// The centre-ground file: `station,elevation` rows (a header of 桩号/station
// and 高程/elevation words allowed). Every row at fault is listed; nothing is
// read from a file with a fault, a station given twice or no rows.
CentreGroundContent ParseCentreGroundFile(std::string_view utf8, const GroundStationReader& station);

// The centre-line ground elevation at a distance along the route: a point's
// own within 1e-6 m, else linear between the two around it. nullopt outside
// the points' range or for NaN. points in route order.
std::optional<double> CentreGroundAt(const std::vector<CentreGround>& points, double distance);

struct GroundFileContent {
    GroundFileForm form = GroundFileForm::Csv;
    std::vector<GroundSection> sections;  // in route order (increasing distance)
    // One sentence per line or section left out, naming its line(s).
    std::vector<std::string> problems;
    // Set when the whole file is refused (sections is then empty).
    std::string refused;
    bool ok() const { return refused.empty(); }
};

// centre: the centre-ground elevations, needed by the relative form only
// (without them such a file is refused).
GroundFileContent ParseGroundFile(std::string_view utf8, const GroundStationReader& station,
                                  const std::vector<CentreGround>* centre = nullptr);

// What was read, for the user: "读入 12 个断面（桩号,偏距,高程 格式），3 个断面有错未读入".
std::string DescribeGroundFile(const GroundFileContent& content);

// The station text written for a section (its displayed station as the
// GroundStationReader of the reading side takes it back).
using GroundStationLabel = std::function<std::string(const GroundSection&)>;

// Csv: the header `桩号,偏距,高程`, then one row a point, sections in the
// given order, points by offset. Hdm: `BEGIN,<station>` and one
// `offset,elevation` line a point. Numbers with six decimals, trailing zeros
// dropped, so the file reads back to the same sections within 5e-7 m.
// LF line ends (the file layer may add CR).
std::string FormatGroundCsv(const std::vector<GroundSection>& sections, const GroundStationLabel& label);
std::string FormatGroundHdm(const std::vector<GroundSection>& sections, const GroundStationLabel& label);

struct RelativeGroundText {
    std::string text;           // the relative .hdm form, tab separated
    std::string centreGround;   // the centre-ground file `桩号,高程`
    // Per section written: how its centre elevation was found ("中桩地面点"
    // or "由左右两点内插"); sections that cannot be written (no ground on
    // one side of the centre line, so no centre elevation) are named here
    // and left out.
    std::vector<std::string> notes;
    std::size_t written = 0;
};

// The relative form of the sections: the centre-line ground elevation is the
// section's point at offset 0, else interpolated between its nearest left
// and right points. Numbers with six decimals as above; each pair is
// written from the written value before it, so rounding does not add up
// along a side: every point reads back within 5e-7 m (1e-6 m in the
// elevation, which adds the centre's rounding).
RelativeGroundText FormatGroundRelative(const std::vector<GroundSection>& sections, const GroundStationLabel& label);

}  // namespace tarvelo
