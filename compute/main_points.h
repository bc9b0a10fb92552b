#pragma once
// The five main stakes and the texts of the two element tables.

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/centreline.h"
#include "core/main_point.h"
#include "core/curve_state.h"

namespace tarvelo {


// One display cell: the objectName of its label and its text.
using Cell = std::pair<std::string, std::string>;

// The texts of the main-stakes table (Label45-Label64) and the parameter table
// (Label65-Label76) for a state after SJ and YS, in the order the window
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

// Names of the element cells in report order with the element each shows.
struct ElementCellName {
    const char* element;  // "T1", "T2", "betao1", "E", "p1", ...
    const char* label;    // "Label65", ...
};
extern const std::array<ElementCellName, 12> kElementCells;

// Station, X, Y, azimuth cell names of each main-stakes row (ZH ... HZ).
extern const std::array<std::array<const char*, 4>, 5> kMainStakeCells;

}  // namespace tarvelo
