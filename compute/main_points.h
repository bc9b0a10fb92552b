#pragma once
// The five main stakes and the texts of the two element tables.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/curve/centreline.h"
#include "core/curve/main_point.h"
#include "core/curve/curve_state.h"

namespace tarvelo {


// One display cell: what it shows and its text. Ids: "ZH.station", "ZH.x",
// "ZH.y", "ZH.azimuth" and likewise for HY, QZ, YH, HZ (the main-stakes
// table); "T1", "T2", "betao1", ... "Ly" (the parameter table, kElementNames).
using Cell = std::pair<std::string, std::string>;

// The texts of the main-stakes table and the parameter table for a state
// after SJ and YS, in the order the window
// writes them: station cells, ZH row, HZ row, the twelve parameters, then the
// HY, QZ and YH rows. Stations in "00+000.0000", numbers by FormatRounded4,
// azimuths by DegreesToDmsText, betao in decimal degrees, Ly as L - Ls1 - Ls2,
// Dh as 2*T1 - L. When a step faults, `cells` holds the cells produced before
// it and `fault` the message; the window writes those and shows the message.
struct ElementsDisplay {
    std::vector<Cell> cells;
    std::optional<std::string> fault;
};
ElementsDisplay ComputeElementsDisplay(const CurveState& s);

// The two displayed values that are not state fields.
inline double ArcLengthCell(const CurveState& s) { return s.L - s.Ls1 - s.Ls2; }
inline double TangentCurveDifference(const CurveState& s) { return 2 * s.T1 - s.L; }

// The twelve elements in report order: the ids of the parameter cells.
extern const std::array<const char*, 12> kElementNames;

// Station, X, Y, azimuth cell ids of each main-stakes row (ZH ... HZ).
extern const std::array<std::array<const char*, 4>, 5> kMainStakeCells;

}  // namespace tarvelo
