#pragma once
// Chain breaks (断链): where a route's displayed stations jump.
//
// Design documents write a break as "K3+444.600=K3+660.000": the back station
// (断前桩号) and the ahead station (断后桩号) name the same point. back < ahead
// skips stations (短链, a gap); back > ahead makes a stretch of stations occur
// twice (长链, an overlap). The geometry works on the route's own distance
// from its start (0 at QD, metres); the displayed stations are what people
// read and type. Chainage maps one to the other.
//
// Zones. The breaks split the route into zones: zone 0 runs from the start to
// the first break, zone k + 1 from break k to break k + 1 (breaks are indexed
// from 0 in route order), the last zone to the route's end. In zone 0 the
// station is startStation + distance; break k sits at the distance where the
// zone before it reaches its back station; in zone k + 1 the station is
// ahead_k + (distance − distance of break k). A zone may be empty (length 0):
// a break at the start station, at the route's end, or two breaks at one
// point.
//
// Slack. Stations read from files and routes computed from coordinates
// disagree in their last digits, so comparisons allow slack(): 1e-9 of the
// chainage's scale (the largest magnitude among its start station, length,
// back and ahead stations; at least 1 m), far below any surveyed quantity and
// far above the rounding of one subtraction at that scale (about 1e-16 of
// it). A station within the slack of a zone's closed station interval
// belongs to that zone; a back station within the slack of the zone before
// its break is accepted and moved onto the zone's end; back and ahead within
// the slack of each other are equal.
//
// Non-finite input is refused with a message or nullopt, never answered with
// a number.

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

// One row of a break table as typed or read from a file.
struct BreakInput {
    std::string name;    // free text, may be empty
    double back = 0;     // 断前桩号, metres
    double ahead = 0;    // 断后桩号, metres
    int line = 0;        // the file line (1-based), or 0 when not from a file
};

// A refusal: row is the break's index in the table (-1 for the route's own
// start or length), line its file line (0 when none), message a complete
// Chinese sentence naming the row.
struct ChainageIssue {
    int row = -1;
    int line = 0;
    std::string message;
};

// A break of a built chainage.
struct ChainBreak {
    std::string name;
    double back = 0, ahead = 0;  // metres
    int line = 0;
    double distance = 0;         // metres from the route's start, in [0, length]
    // back − ahead: > 0 a 长链 (overlap) of that many metres, < 0 a 短链 (gap).
    double amount() const { return back - ahead; }
    bool isLong() const { return back > ahead; }
};

// A displayed station and the zone it is read in.
struct DisplayedStation {
    double station = 0;
    int zone = 0;
};

// Why a displayed station has no distance: it lies in a 短链's gap, it is
// ambiguous in a 长链's overlap (give its zone), or anything else (outside,
// a zone that does not hold it, not finite).
enum class StationMiss { None, Gap, Ambiguous, Other };

// The distance of a displayed station, or why there is none.
struct DistanceLookup {
    std::optional<double> distance;  // metres from the start, in [0, length]
    int zone = -1;                   // the zone the station was read in (when found)
    std::string error;               // a complete Chinese sentence (when not found)
    StationMiss miss = StationMiss::None;  // the kind of error (None when found)
};

class ChainageBuilt;

// Immutable. Copyable.
class Chainage {
public:
    using Built = ChainageBuilt;

    // startStation: the displayed station of the route's start (metres).
    // routeDistance: the route's length as a distance (metres, >= 0).
    // breaks: in route order. Refused, with the first fault: a non-finite
    // start, distance, back or ahead; a negative distance; back = ahead
    // (within the slack); a back station that does not lie in the zone before
    // the break (before the start station or the previous break's ahead
    // station, or beyond the route's end); a computed station that
    // overflows.
    static ChainageBuilt Build(double startStation, double routeDistance,
                               const std::vector<BreakInput>& breaks);

    // The displayed station of a distance and its zone. At a break's distance
    // the zone after the break (the ahead station): the break point displays
    // as both, and the route's tables list the break as its own row. With
    // several breaks at one distance, the zone after the last of them.
    // nullopt for NaN or a distance outside [0, length] by more than the
    // slack; within the slack the distance is taken at the nearer end.
    std::optional<DisplayedStation> StationAt(double distance) const;

    // The distance of a displayed station.
    //  - Without a zone: a station that is a break's back or ahead station
    //    (within the slack) is that break point, at the break's distance,
    //    unless another zone shows the same station elsewhere: a 长链's
    //    back and ahead stations are the ends of its overlap, and as
    //    ambiguous as any station inside it. zone is the zone the station
    //    was read in (back: the zone before the break, ahead: the zone
    //    after). Any other station must lie in exactly one zone: one in a 短链's gap is
    //    refused naming the break, one in several zones (a 长链's overlap) is
    //    refused as ambiguous naming the zones, one outside every zone is
    //    refused with the route's station range.
    //  - With a zone: the station must lie in that zone (closed interval,
    //    with the slack); a zone that does not exist is refused.
    // The distance is clamped into the zone's distance interval. NaN or
    // infinity is refused. Messages number the zones as this class does
    // (0 before the first break) and give each zone's station range.
    DistanceLookup DistanceAt(double station, std::optional<int> zone = std::nullopt) const;

    // The zones whose closed station interval holds the station (with the
    // slack), in route order: none (a gap, or beyond the ends), one, or two
    // and more (an overlap). NaN -> none. Unlike DistanceAt, a break's own
    // stations are not singled out: a 长链's back station lies in two zones.
    std::vector<int> ZonesOf(double station) const;

    const std::vector<ChainBreak>& breaks() const { return breaks_; }
    bool empty() const { return breaks_.empty(); }   // no breaks: station = start + distance
    int zoneCount() const { return static_cast<int>(breaks_.size()) + 1; }

    // Zone z's ends, 0 <= z < zoneCount() (std::out_of_range otherwise).
    // Distances in [0, length]; stations as displayed in that zone.
    double zoneStartDistance(int z) const;
    double zoneEndDistance(int z) const;
    double zoneStartStation(int z) const;
    double zoneEndStation(int z) const;

    double length() const { return length_; }                 // metres (distance)
    double startStation() const { return startStation_; }     // displayed
    double endStation() const { return zoneEndStation(zoneCount() - 1); }  // displayed
    // Lowest and highest displayed station of any zone (the range a station
    // must lie in; with 长链 they need not be the start and end stations).
    double lowestStation() const;
    double highestStation() const;

    // "区段 1（K3+660.000 ~ K5+000.000）": a zone as messages name it.
    std::string ZoneText(int z) const;

    // The comparison slack in metres (see above), >= 1e-9.
    double slack() const { return slack_; }

private:
    Chainage() = default;
    bool Near(double a, double b) const { return std::fabs(a - b) <= slack_; }

    double startStation_ = 0, length_ = 0, slack_ = 1e-9;
    std::vector<ChainBreak> breaks_;
};

class ChainageBuilt {
public:
    std::optional<Chainage> chainage;
    std::optional<ChainageIssue> error;  // set exactly when chainage is not
};

// ---------------------------------------------------------------------------
// Whole multiples of the displayed station, zone by zone: the stakes of an
// interval table on a route with breaks.
//
// Within each zone the rows are the stations n·J (n whole) that lie in the
// zone's part of the range, each computed as n·J, never accumulated; a
// station that occurs in two zones (a 长链) appears once in each, in route
// order. Between the zones come the break rows. A multiple that falls on a
// break point (the zone's end is the back station, or its start the ahead
// station) is left out: the break row stands for that point.

// The largest |station / J| whose multiples are listed: up to 2^53 the whole
// numbers n are exact in a double.
inline constexpr double kMaxZoneMultiple = 9007199254740992.0;

struct ChainageStake {
    double distance = 0;   // metres from the route's start
    double station = 0;    // a multiple: n·J; a break row: its ahead station
    int zone = 0;          // a multiple: its zone; a break row: the zone after it
    int breakIndex = -1;   // a break row: the index into breaks(); a multiple: -1
    double back = 0;       // a break row: its back station
    bool isBreak() const { return breakIndex >= 0; }
};

// Checks a range for ZoneMultiples without producing it: J must be finite and
// > 0; each end a finite station in its zone (zones must exist); from must
// not lie after to; no station of the range more than kMaxZoneMultiple
// intervals from 0; at most maxRows rows. Returns the refusal message, or
// nullopt and the exact row count (multiples and break rows) in *rows.
std::optional<std::string> CheckZoneMultiples(const Chainage& chainage, double interval,
                                              DisplayedStation from, DisplayedStation to,
                                              std::size_t maxRows, std::size_t* rows);

// Produces the rows of [from, to] in route order (distance non-decreasing),
// one at a time. Both ends are closed: a multiple equal to an end's station
// is listed, and so is a break at an end. The range's ends themselves are
// not rows (the caller adds them). Precondition: CheckZoneMultiples passed
// for the same arguments; keeps a reference to the chainage.
class ZoneMultiples {
public:
    ZoneMultiples(const Chainage& chainage, double interval, DisplayedStation from,
                  DisplayedStation to);
    // The next row, or false at the end.
    bool Next(ChainageStake* out);

private:
    void EnterZone();   // sets up the multiples of zone_

    const Chainage& c_;
    double interval_;
    DisplayedStation from_, to_;
    double fromDistance_ = 0, toDistance_ = 0;
    int zone_ = 0;
    int phase_ = 0;                 // 0: the break before the first zone, 1: multiples, 2: the break after
    long long n_ = 0, nLast_ = -1;  // the zone's next multiple and its last one
};

}  // namespace tarvelo
