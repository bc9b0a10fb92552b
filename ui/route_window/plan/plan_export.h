#pragma once
// Saving the plan as it is shown: PNG (the view's pixels), SVG and PDF
// (vectors, the same area and the same overlay), by SaveViewPicture of
// zoom_view.h, which the profile and the cross section use too.

#include <QString>
#include <QStringList>
#include <optional>

namespace tarvelo {

class PlanView;

// The save dialog's filters for the plan (ViewPictureFilters).
QStringList PlanFileFilters();

// SaveViewPicture of the plan: the format is the path's suffix (png, svg,
// pdf, any case); a path without one of them gets ".png". Returns the path
// written, or the error sentence through *error.
std::optional<QString> SavePlan(PlanView& view, const QString& path, QString* error);

}  // namespace tarvelo
