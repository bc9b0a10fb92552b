#pragma once
// Station text: reading the stations a surveyor types or a table holds, and
// writing them in K notation.

#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

// A station field: a plain number, or K notation "K5+030.5" / "5+030.5"
// (optional K or k, whole kilometres, "+", metres in [0, 1000)). false for
// anything else or a value that is not finite.
bool ReadStationField(const std::string& field, double* value);

// A station field that may name its zone, as Tarvelo prints a station that a
// 长链 shows twice: ReadStationField's station, then optionally "(N区)" or
// "（N区）" (N a whole number 0..999999, spaces around the station ignored):
// "K13+060(2区)", "13060（2区）". *zone is set to N, or reset when the field
// names none. NotStation when the station does not read, BadZone when the
// brackets hold anything but a whole number of 区; *value and *zone are then
// left as they were.
enum class ZonedStationRead { Ok, NotStation, BadZone };
ZonedStationRead ReadZonedStationField(std::string_view field, double* value, std::optional<int>* zone);

// The station in K notation: "K", the whole kilometres without padding, "+",
// the metres within the kilometre as three digits, then "." and `decimals`
// digits (no point when decimals is 0). The station is first rounded to
// `decimals` places with exact halves away from zero (as the exact binary
// value decides), and the kilometres and metres are taken from the rounded
// decimal text, so 999.9996 -> "K1+000.000", never "K0+1000.000".
//   0 -> "K0+000.000", 12345.678 -> "K12+345.678", 0.0625 -> "K0+000.063",
//   123456789.5 -> "K123456+789.500", (decimals 0) 345.5 -> "K0+346";
//   1999.9995, stored just below the half, -> "K1+999.999".
// A negative station (before the origin of stationing) keeps its sign after
// the K: -512.3 -> "K-0+512.300"; a value that rounds to zero has no sign
// (-0.0004 -> "K0+000.000", -0 -> "K0+000.000").
// decimals: 0..9 (values outside are clamped into that range).
// Non-finite station throws FloatFault("桩号").
std::string FormatKStation(double station, int decimals = 3);
void AppendKStation(std::string& out, double station, int decimals = 3);

// A chain break as design documents write it, back station "=" ahead
// station, both in K notation with `decimals` places:
// (3444.6, 3660) -> "K3+444.600=K3+660.000". Non-finite throws FloatFault.
std::string FormatBreakText(double back, double ahead, int decimals = 3);

}  // namespace tarvelo
