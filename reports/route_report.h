#pragma once
// The route's table of straights, curves and deflections (直线、曲线及转角表),
// the table Chinese design documents carry, as a GBK text report.
//
// Layout: a title line, the route's start and end, then one block per JD:
// a line with the JD's name, coordinates, station and deflection (左/右 and
// d°mˊs"); a line with R, Ls1, Ls2, T1, T2, L, E; a line with the five main
// stations in K notation; a line with the straight to the next curve, the
// outgoing leg's azimuth and length, and the series accuracy of the two
// spirals in millimetres (with a warning word above 1 mm). Lengths to 3
// decimals, coordinates to 4. Every line ends in CR LF.

#include <QString>

#include "core/plan/route.h"
#include "reports/report_status.h"

namespace tarvelo {

// Above this many millimetres the series accuracy is flagged.
inline constexpr double kSeriesWarningMm = 1.0;

// The report text. Throws FloatFault for a non-finite value.
QString RouteCurveTableReport(const Route& route);

// Writes the report to path (GBK, atomic replacement; see WriteTextFile).
FileStatus WriteRouteCurveTableReport(const QString& path, const Route& route);

}  // namespace tarvelo
