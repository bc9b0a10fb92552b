#pragma once
// The design check (设计复核): every stake of the design's stake table
// (core/design_table.h) against the route computed from the same elements.
//
// The route comes in through DesignCheckRoute, three functions the caller
// binds to its route, so that the check knows nothing of the route's types.
// Units are metres; X is north, Y east, an offset is positive to the right
// of the direction of stationing.
//
// Each row gets one class, decided in this order:
//   unreadable  the row could not be read (its line and reason);
//   outside     the route has no point at the row's station (before the
//               start, after the end, or refused);
//   ambiguous   the station lies in a 长链's overlap (its edges included)
//               and the row gives no zone: the route has two points there;
//   gap         the station lies in a 短链's gap: the route has none;
//   then the plan distance d between the design point and the route's point
//   at the row's station (offset 0):
//     d > plan tolerance, and the design point's nearest foot on the route
//       outside     has no foot (it lies beyond an end);
//       station     lies on the centreline (|foot offset| <= plan tolerance)
//                   at another station: the table's station is wrong, the
//                   foot's station is the right one;
//       offset      lies off the centreline: a coordinate is wrong;
//     d <= plan tolerance (exactly at the tolerance is within it):
//       outside     the row has an elevation, there is a profile, and the
//                   profile has no elevation at the station;
//       elevation   |design − computed elevation| > the z tolerance;
//       ok          otherwise (also without an elevation or a profile).
// The foot is looked up for every read row, so an ok row or a row whose
// station is beyond the ends shows its foot too (null when the point lies
// beyond an end).
// A callback that throws FloatFault, or returns a value that is not finite,
// makes its row `outside` with the fault as the reason.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/files/design_table.h"

namespace tarvelo {

enum class DesignClass { Ok, Station, Offset, Elevation, Outside, Unreadable, Ambiguous, Gap };
inline constexpr std::size_t kDesignClassCount = 8;

// "ok", "station", "offset", "elevation", "outside", "unreadable",
// "ambiguous", "gap".
const char* DesignClassWord(DesignClass c);
// "相符", "桩号不符", "坐标不符", "高程不符", "超出线路", "无法读取",
// "需指明区段", "落在短链内".
const char* DesignClassChinese(DesignClass c);

struct DesignPlanPoint {
    double x = 0, y = 0;  // north, east
};

struct DesignFoot {
    double station = 0;         // displayed station of the foot
    std::optional<int> zone;    // its zone where the route has chain breaks
    double offset = 0;          // signed, right +
    bool twice = false;         // the station lies in two zones (a 长链): print the zone
};

struct DesignCheckRoute {
    // The centreline point at a displayed station (and zone, when the row
    // gives one). nullopt when the route has none there, with *why set to a
    // Chinese sentence saying why (without a line number).
    std::function<std::optional<DesignPlanPoint>(double station, std::optional<int> zone, std::string* why)>
        pointAt;
    // The nearest foot of the point (x, y) on the route; nullopt when the
    // point lies beyond an end (its nearest route point is the start or end).
    std::function<std::optional<DesignFoot>(double x, double y)> foot;
    // The profile's elevation at a station; nullopt outside the profile. An
    // empty function: the route has no profile, elevations are not checked.
    std::function<std::optional<double>(double station, std::optional<int> zone)> elevationAt;
    // Why pointAt has no point for a station: Ambiguous, Gap, or Outside
    // for anything else. An empty function: always Outside.
    std::function<DesignClass(double station, std::optional<int> zone)> missClass;
};

struct DesignTolerances {
    double plan = 0.005;  // m, plan distance
    double z = 0.005;     // m, |Δ elevation|
};


struct DesignCheckRow {
    int line = 0;
    std::string name;
    DesignClass kind = DesignClass::Ok;
    // The row as read; empty for an unreadable row.
    std::optional<double> station;
    std::optional<int> zone;
    std::optional<double> x, y, elevation;
    // Design minus computed; dz only with an elevation and a profile.
    std::optional<double> dx, dy, distance, dz;
    // The nearest foot of the design point.
    std::optional<double> footStation;
    std::optional<int> footZone;
    bool footTwice = false;  // the foot's station lies in two zones
    std::optional<double> footOffset;
    // Every class but ok: a Chinese sentence starting "第 N 行：".
    std::string reason;
    // Unreadable rows: the line's text.
    std::string text;
};

struct DesignCheckSummary {
    std::size_t rows = 0;                                // all rows, unreadable included
    std::array<std::size_t, kDesignClassCount> classes{};  // indexed by DesignClass
    // The largest plan distance over the rows that have one, the largest
    // |Δ elevation| over the rows that have one; the first row wins a tie.
    std::optional<double> maxDistance;
    int maxDistanceLine = 0;
    std::string maxDistanceName;
    std::optional<double> maxDz;  // |dz|
    int maxDzLine = 0;
    std::string maxDzName;
    // sqrt(mean of d²) over the ok rows; nullopt without ok rows.
    std::optional<double> rms;
};

struct DesignCheckResult {
    std::vector<DesignCheckRow> rows;  // read and unreadable rows, in line order
    DesignCheckSummary summary;
    DesignTolerances tolerances;
    bool zoneColumn = false;           // the table has a zone column
    bool elevations = false;           // some row has dz
};

// A station of the check as its tables print it: K notation to 3 places,
// "(z区)" after it when zone is given ("K13+075.000(1区)").
std::string DesignStationText(double station, std::optional<int> zone);
// A row's station as printed: with its zone when the row gives one; "-"
// for an unreadable row.
std::string DesignRowStationText(const DesignCheckRow& r);
// A row's foot station as printed: with its zone where a 长链 shows the
// station twice; "-" without a foot.
std::string DesignFootText(const DesignCheckRow& r);

// Empty when both tolerances are finite and >= 0; otherwise a Chinese
// sentence naming the bad one.
std::string DesignToleranceProblem(const DesignTolerances& t);

// Checks every row. route.pointAt and route.foot must be set. Throws
// std::invalid_argument with DesignToleranceProblem's sentence for bad
// tolerances. Every number in the result is finite.
DesignCheckResult CheckDesign(const DesignTable& table, const DesignCheckRoute& route,
                              const DesignTolerances& tolerances = {});

}  // namespace tarvelo
