#include "ui/route_window/plan_view.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/route_window/plan_overlay.h"

namespace tarvelo {

PlanView::PlanView(QWidget* parent) : QGraphicsView(parent), scene_(new PlanScene(this))
{
    setScene(scene_);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setDragMode(ScrollHandDrag);
    // Zooming keeps its own anchor (zoomBy); resizing keeps the centre.
    setTransformationAnchor(NoAnchor);
    setResizeAnchor(AnchorViewCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The overlay is drawn at fixed screen places: a scrolled copy would smear it.
    setViewportUpdateMode(FullViewportUpdate);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
}

void PlanView::setRoute(std::shared_ptr<const Route> route, bool fitToRoute)
{
    const bool hadRoute = scene_->hasRoute();
    scene_->setRoute(std::move(route));
    updateSceneRect();
    if (fitToRoute || !hadRoute) fit();
    scaleChanged();
}

void PlanView::updateSceneRect()
{
    // Room around the route to pan into: as much again on every side.
    const QRectF r = scene_->routeRect();
    const double margin = std::max({r.width(), r.height(), 100.0});
    setSceneRect(r.adjusted(-margin, -margin, margin, margin));
}

void PlanView::fit()
{
    if (!scene_->hasRoute()) return;
    fitPending_ = !isVisible();
    const QRectF r = scene_->routeRect();
    // A margin of pixels all round keeps the route clear of the north arrow
    // and the scale bar.
    const QSizeF room = QSizeF(viewport()->size()) - QSizeF(2 * kFitMargin, 2 * kFitMargin);
    const double scale = std::min(std::max(room.width(), 10.0) / std::max(r.width(), 1e-3),
                                  std::max(room.height(), 10.0) / std::max(r.height(), 1e-3));
    setPixelsPerMetre(scale);
    centerOn(r.center());
}

void PlanView::centreOnSurvey(double x, double y, bool mark)
{
    const QPointF at = scene_->frame().toScene(x, y);
    scene_->setHighlight(mark ? std::optional<QPointF>(at) : std::nullopt);
    centerOn(at);
}

double PlanView::pixelsPerMetre() const { return transform().m11(); }

void PlanView::setPixelsPerMetre(double target)
{
    target = std::clamp(target, kMinPixelsPerMetre, kMaxPixelsPerMetre);
    const QPointF centre = mapToScene(viewport()->rect().center());
    setTransform(QTransform::fromScale(target, target));
    centerOn(centre);
    scaleChanged();
}

void PlanView::zoomBy(double factor, QPointF about)
{
    const double now = pixelsPerMetre();
    const double target = std::clamp(now * factor, kMinPixelsPerMetre, kMaxPixelsPerMetre);
    if (target == now) return;
    // The scene point under `about` stays there: the centre moves towards it
    // by as much as the scale grows.
    const QPointF fixed = mapToScene(about.toPoint());
    const QPointF centre = mapToScene(viewport()->rect().center());
    setTransform(QTransform::fromScale(target, target));
    centerOn(fixed + (centre - fixed) * (now / target));
    scaleChanged();
}

void PlanView::scaleChanged()
{
    scene_->setPixelsPerMetre(pixelsPerMetre());
    viewport()->update();
}

void PlanView::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) zoomBy(std::pow(1.25, steps), event->position());
    event->accept();
}

void PlanView::mouseMoveEvent(QMouseEvent* event)
{
    QGraphicsView::mouseMoveEvent(event);
    if (!scene_->hasRoute()) return;
    const QPointF at = mapToScene(event->position().toPoint());
    emit cursorMoved(scene_->frame().surveyX(at), scene_->frame().surveyY(at));
}

void PlanView::leaveEvent(QEvent* event)
{
    QGraphicsView::leaveEvent(event);
    emit cursorLeft();
}

void PlanView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawForeground(painter, rect);
    if (!scene_->hasRoute()) return;
    // From viewport pixels to the painter's device: the identity on screen,
    // the target's mapping when the view is rendered into a file.
    painter->save();
    painter->setWorldTransform(viewportTransform().inverted() * painter->worldTransform());
    DrawPlanOverlay(*painter, QRectF(viewport()->rect()), pixelsPerMetre());
    painter->restore();
}

void PlanView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    if (fitPending_ && isVisible()) fit();
    viewport()->update();
}

void PlanView::showEvent(QShowEvent* event)
{
    QGraphicsView::showEvent(event);
    if (fitPending_) fit();
}

}  // namespace tarvelo
