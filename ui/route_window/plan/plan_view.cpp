#include "ui/route_window/plan/plan_view.h"

#include "ui/route_window/plan/plan_overlay.h"

namespace tarvelo {

PlanView::PlanView(QWidget* parent)
    : ZoomView({kMinPixelsPerMetre, kMaxPixelsPerMetre, QSizeF(kFitMargin, kFitMargin)}, parent),
      scene_(new PlanScene(this))
{
    setScene(scene_);
    setPictureTitle(QStringLiteral("线路平面图"));
    setMinimumSize(200, 150);
}

void PlanView::setRoute(std::shared_ptr<const Route> route, bool fitToRoute)
{
    const bool hadRoute = scene_->hasRoute();
    scene_->setRoute(std::move(route));
    contentChanged(hadRoute, fitToRoute);
}

QRectF PlanView::contentRect() const { return scene_->routeRect(); }

bool PlanView::hasContent() const { return scene_->hasRoute(); }

void PlanView::centreOnSurvey(double x, double y, bool mark)
{
    const QPointF at = scene_->frame().toScene(x, y);
    scene_->setHighlight(mark ? std::optional<QPointF>(at) : std::nullopt);
    centerOn(at);
}

void PlanView::scaleChanged() { scene_->setPixelsPerMetre(pixelsPerMetre()); }

void PlanView::cursorAt(QPointF at)
{
    emit cursorMoved(scene_->frame().surveyX(at), scene_->frame().surveyY(at));
}

void PlanView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawForeground(painter, rect);
    if (!scene_->hasRoute()) return;
    paintInViewportPixels(painter, [&] {
        DrawPlanOverlay(*painter, QRectF(viewport()->rect()), pixelsPerMetre());
    });
}

}  // namespace tarvelo
