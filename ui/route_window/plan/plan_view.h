#pragma once
// The plan of the route on screen (a ZoomView: wheel zoom about the cursor,
// drag to pan, "fit" to show the whole route), the north arrow and scale bar
// over the drawing, and the cursor's survey coordinates for the status bar.

#include <memory>

#include "core/plan/route.h"
#include "ui/route_window/plan/plan_scene.h"
#include "ui/route_window/view/zoom_view.h"

namespace tarvelo {

class PlanView : public ZoomView {
    Q_OBJECT
public:
    explicit PlanView(QWidget* parent = nullptr);

    PlanScene* planScene() const { return scene_; }
    // Shows the route; the view is fitted to it when `fitToRoute` or when no
    // route was shown before (an edit keeps the surveyor's zoom).
    void setRoute(std::shared_ptr<const Route> route, bool fitToRoute);

    // Centres the survey point (X, Y) and, with `mark`, rings it.
    void centreOnSurvey(double x, double y, bool mark = true);
    // The zoom range: a 2,000 km road fits a small window, a centimetre is a
    // pixel at the closest.
    static constexpr double kMinPixelsPerMetre = 1e-5;
    static constexpr double kMaxPixelsPerMetre = 100;
    // Pixels kept free round the route by fit().
    static constexpr double kFitMargin = 56;

signals:
    void cursorMoved(double x, double y);  // survey coordinates

protected:
    QRectF contentRect() const override;
    bool hasContent() const override;
    void scaleChanged() override;
    void cursorAt(QPointF scene) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    PlanScene* scene_;
};

}  // namespace tarvelo
