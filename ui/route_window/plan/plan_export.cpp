#include "ui/route_window/plan/plan_export.h"

#include "ui/route_window/plan/plan_view.h"

namespace tarvelo {

QStringList PlanFileFilters() { return ViewPictureFilters(); }

std::optional<QString> SavePlan(PlanView& view, const QString& path, QString* error)
{
    return SaveViewPicture(view, path, error);
}

}  // namespace tarvelo
