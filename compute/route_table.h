#pragma once
// The route's interval table (逐桩坐标表): whole multiples of the interval,
// the ends of the range and the route's main points, in station order.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/plan/chainage.h"
#include "core/plan/route.h"

namespace tarvelo {

inline constexpr std::size_t kMaxRouteTableRows = 1000000;
// Stations closer than this (metres) are one row.
inline constexpr double kSameStation = 1e-6;
// The largest |station / J| whose multiples a table lists: up to 2^53 the
// whole numbers n are exact in a double, and n·J steps from one to the next.
inline constexpr double kMaxMultiple = 9007199254740992.0;

struct RouteTableParams {
    double interval = 20;          // J, metres, > 0
    std::optional<double> start;   // default: the route's start
    std::optional<double> end;     // default: the route's end
    double m = 0;                  // offset, metres, right +
    double a = 90;                 // skew, decimal degrees
    bool mainPoints = true;        // ZH HY QZ YH HZ (ZY, YZ) rows
};

// One row before its point is computed.
struct RouteTableEntry {
    double station = 0;              // the route's own station (start + distance)
    double displayed = 0;            // the station as displayed (across chain breaks)
    int zone = 0;                    // the zone of `displayed`
    std::optional<double> ahead;     // a chain break's row (kind "断链"): its ahead station
    std::string kind;                // "ZH" "HY" "QZ" "YH" "HZ" "ZY" "YZ" "GQ" "QD" "ZD" "断链" or ""
    std::optional<std::size_t> jd;   // serving index of a main point (Route::ServingName)
    bool twice = false;              // `displayed` lies in a 长链's overlap: say its zone
};

// The station of a table row as every table prints it: a break row
// "K13+100.000=K13+050.000" (back = ahead), a station a 长链 shows twice with
// its zone "K13+075.000(1区)", any other "K12+345.678"; `decimals` places.
// Throws FloatFault for a non-finite station.
std::string EntryStationText(const RouteTableEntry& e, int decimals = 3);

struct RouteTableRow {
    RouteTableEntry entry;
    RouteStake stake;                // azimuth in [0, 360)
};

// Stations of the parameters are the route's own (Route::StationOf converts
// typed ones); on a route with chain breaks the multiples are those of the
// displayed station in each zone, and each break in the range is a row.
// Checks the parameters without computing any point: J <= 0 or non-finite,
// a start or end outside the route, start > end, a station more than
// kMaxMultiple intervals from 0, more than
// kMaxRouteTableRows rows. Returns the refusal message, or nullopt and the
// exact row count in *rows.
std::optional<std::string> CheckRouteTable(const Route& route, const RouteTableParams& p,
                                           std::size_t* rows);

// Produces the entries in increasing station, one at a time: memory stays
// flat however long the table. Precondition: CheckRouteTable passed.
class RouteTableCursor {
public:
    RouteTableCursor(const Route& route, const RouteTableParams& p);
    // The next entry, or false at the end.
    bool Next(RouteTableEntry* out);

private:
    // The next candidate of each source (range ends, multiples, main points).
    bool Peek(int source, RouteTableEntry* e) const;
    void Take(int source);

    // A route with chain breaks: the multiples of the displayed station, zone
    // by zone, and the break rows.
    std::optional<ZoneMultiples> zones_;
    std::optional<ChainageStake> zoneNext_;
    const Route& route_;

    double start_, end_, interval_;
    bool startIsRoute_, endIsRoute_;
    bool startDone_ = false, endDone_ = false;
    long long n_ = 0, nLast_ = -1;           // next multiple n·J and the last one
    std::vector<RouteTableEntry> mains_;     // main points in range, in order (≤ 5 per JD)
    std::size_t mainNext_ = 0;
};
// The row of an entry: its stake with the table's offset and skew.
// Throws FloatFault.
RouteTableRow ComputeRouteTableRow(const Route& route, const RouteTableEntry& e,
                                   const RouteTableParams& p);

}  // namespace tarvelo
