#pragma once
// Saving the plan as it is shown: PNG (the view's pixels), SVG and PDF
// (vectors, the same area and the same overlay). Written through
// WriteFileBytes, so a failed save leaves any old file as it was.

#include <QString>
#include <QStringList>
#include <optional>

namespace tarvelo {

class PlanView;

// The save dialog's filters for the plan (no SVG in a build without Qt Svg,
// TARVELO_WITH_SVG off, as on Windows).
QStringList PlanFileFilters();

// The format is the path's suffix (png, svg, pdf, any case); a path without
// one of them (or with svg in a build without Qt Svg) gets ".png". Returns the path written, or the error sentence
// through *error.
std::optional<QString> SavePlan(PlanView& view, const QString& path, QString* error);

}  // namespace tarvelo
