#pragma once
// Ground sections on a route: where a section's station lies (the station
// reader of the ground files), the section stations of an interval, and the
// crew's RTK points sorted into sections by their nearest foot.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compute/route_inverse.h"
#include "core/files/ground_file.h"
#include "core/files/point_file.h"
#include "core/plan/route.h"
#include "core/section/ground_section.h"

namespace tarvelo {

// Points within this of each other in offset (metres) are one point: the
// later in the file is left out.
inline constexpr double kSameGroundOffset = 0.001;

// The place of a displayed station on the route. Route::StationOf refuses
// stations in a 短链's gap, ambiguous ones without their zone, outside ones.
SectionStation SectionStationAt(const Route& route, double routeStation);

// The ground files' station reader for a route: metres or K notation with
// an optional "(z区)", as the route's other commands take stations.
GroundStationReader RouteGroundStations(const Route& route);

// The route's own station of a section (start + distance).
inline double RouteStationOf(const Route& route, const SectionStation& at) { return route.start().station + at.distance; }

// The section stations of an interval J (metres, > 0): the whole multiples of
// J of the displayed station, zone by zone as in the interval table, in route
// order; a break point is one when its back or ahead station is a multiple
// (as its ahead station). Returns the refusal (J not finite or <= 0, too
// many stations), or nullopt and the stations.
std::optional<std::string> SectionStationsByInterval(const Route& route, double interval,
                                                     std::vector<SectionStation>* stations);

struct UnassignedPoint {
    int line = 0;
    std::string name;
    std::string reason;  // a Chinese sentence
};

struct PointSections {
    std::vector<GroundSection> sections;       // in route order, each with at least two points
    std::vector<UnassignedPoint> unassigned;   // in file order
    std::size_t assigned = 0;                  // points in the sections
};

// Sorts surveyed points into the sections of the given stations (route
// order, distinct). Each point goes by its nearest foot (RouteInverse) to
// the station nearest along the route when that is within `band` metres;
// its offset is the foot's (moved along the route onto the station line, a
// point keeps its offset), its elevation its own. Left out, with the reason:
// a point without elevation, beyond an end of the route, farther than band
// from every station, exactly halfway (within 1e-6 m) between two stations
// both within band, within kSameGroundOffset of an earlier point of its
// section, or alone in its section. Throws FloatFault for non-finite
// coordinates.
PointSections SortPointsIntoSections(const Route& route, const RouteInverse& inverse,
                                     const std::vector<SurveyPoint>& points,
                                     const std::vector<SectionStation>& stations, double band);

// What was read and sorted, for the user: the point file's description
// (DescribePointFile), then "；11 个断面共 187 个点，未归入断面 3 个" and a
// line "未归入：第 192 行 X1：<reason>" per point left out, each line ending
// in "\n".
std::string DescribePointSections(const PointFileContent& points, const PointSections& sorted);

}  // namespace tarvelo
