#pragma once
// Total-station stakeout data (全站仪放样数据): from an instrument station
// oriented on a backsight, the horizontal angle and the horizontal distance
// to each stake, and the height difference to set the stake's design
// elevation.
//
// Coordinates in metres, X north, Y east. Azimuths in decimal degrees,
// clockwise from grid north, in [0, 360), by AzimuthOf of core/route.h (the
// 15-digit kPi, as every angle of the program).
//  - alpha: the azimuth from the instrument to the stake.
//  - beta: the horizontal angle turned clockwise from the backsight to the
//    stake, (alpha - alpha_backsight) reduced into [0, 360) — the reading
//    when the instrument shows 0°00ˊ00" on the backsight.
//  - distance: the horizontal distance, metres, >= 0.
//  - designAboveSight: design elevation - (station elevation + instrument
//    height - target height), metres. The bracket is the elevation the
//    target's foot has when the target is sighted level (zenith 90°);
//    positive means the stake's design elevation lies above it (fill to set
//    the stake), negative below it (cut).

#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

struct InstrumentStation {
    std::string name;  // "J", say; for the report
    double x = 0, y = 0;
    // The station mark's elevation and the instrument height above it; both
    // are needed for designAboveSight.
    std::optional<double> elevation, instrumentHeight;
    double targetHeight = 0;  // the prism's height above the stake, metres
};

// The orientation: a backsight point, or a known azimuth (decimal degrees,
// any value; reduced into [0, 360)).
struct Backsight {
    std::string name;  // "K", say; for the report
    std::optional<double> x, y;       // a point: both set
    std::optional<double> azimuth;    // or an azimuth: set alone

    static Backsight AtPoint(std::string name, double x, double y)
    {
        Backsight b;
        b.name = std::move(name);
        b.x = x;
        b.y = y;
        return b;
    }
    static Backsight ByAzimuth(double azimuth)
    {
        Backsight b;
        b.azimuth = azimuth;
        return b;
    }
};

struct StakeTarget {
    std::string name;
    double x = 0, y = 0;
    std::optional<double> elevation;  // the design elevation, when known
};

// The note of a stake on the instrument station itself.
inline constexpr const char* kStakeAtStationNote = "放样点与测站重合";

struct StakeoutLine {
    std::string name;
    // Azimuth and angle are absent for a stake on the station (distance
    // below 0.1 mm); `note` then says so. Both in [0, 360) otherwise.
    std::optional<double> azimuth, angle;
    double distance = 0;
    // Set when the stake has an elevation and the station has its elevation
    // and instrument height.
    std::optional<double> designAboveSight;
    std::string note;  // empty, or kStakeAtStationNote
};

struct StakeoutData {
    // The backsight's azimuth in [0, 360); its distance when it is a point.
    double backsightAzimuth = 0;
    std::optional<double> backsightDistance;
    std::vector<StakeoutLine> lines;  // one per target, in the given order
};

struct StakeoutResult {
    std::optional<StakeoutData> data;
    std::optional<std::string> refusal;  // set exactly when data is not
};

// The stakeout data of each target, or why there is none. Refused, with a
// complete Chinese sentence:
//  - a station coordinate, a height, the backsight or a target value that is
//    not finite (the target named);
//  - a backsight point given by only one coordinate, or neither point nor
//    azimuth, or both;
//  - a backsight point within 0.1 mm of the station (no direction);
//  - a coordinate difference, distance or height difference that is not
//    finite (coordinates beyond about 1e154).
// A target within 0.1 mm of the station is not refused: it gets its
// distance, no azimuth or angle, and the note kStakeAtStationNote.
StakeoutResult ComputeStakeout(const InstrumentStation& station, const Backsight& backsight,
                               const std::vector<StakeTarget>& targets);

// The instrument's reading is whole seconds with every carry made, so these
// round first and split after; DegreesToDmsText (core/angles.h) splits the
// unrounded angle and can show 59.999" as 60", which a stakeout sheet must
// not.
//
// An angle in decimal degrees rounded to whole seconds (secondDecimals 0) or
// tenths (1) or hundredths (2), the carries made (59.5" -> 1ˊ), and the
// full circle folded to 0: 359.99999° shows as 0°0ˊ0", never 360°. Negative
// or beyond-360 angles are first reduced into [0, 360). Non-finite angles
// throw FloatFault("水平角").
struct RoundedDms {
    int degrees = 0, minutes = 0;  // [0, 359], [0, 59]
    double seconds = 0;            // [0, 60), a multiple of 10^-secondDecimals
};
RoundedDms RoundAngleToDms(double degrees, int secondDecimals = 0);

// The same angle as text in the program's d°mˊs" form (DegreesToDmsText's
// signs: degree sign, modifier acute, double quote), minutes and seconds
// without leading zeros, seconds with exactly secondDecimals decimals:
// 138.4754549° -> 138°28ˊ32", 0.5 -> 0°30ˊ0".
std::string FormatAngleDms(double degrees, int secondDecimals = 0);

// The same angle as a d.mmss number (138°28ˊ32" -> 138.2832), the form the
// program reads angles in (DmsToDegrees reads it back). secondDecimals as
// above; the result carries 4 + secondDecimals decimals.
double AngleToDmsNumber(double degrees, int secondDecimals = 0);

}  // namespace tarvelo
