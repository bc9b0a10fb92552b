#pragma once
// The station field of the text tables (route, profile and design files):
// a station as design tables write it.

#include <string>

namespace tarvelo {

// A station field: a plain number, or K notation "K5+030.5" / "5+030.5"
// (optional K or k, whole kilometres, "+", metres in [0, 1000)). false for
// anything else or a value that is not finite.
bool ReadStationField(const std::string& field, double* value);

}  // namespace tarvelo
