#pragma once
// The plan of the route on screen: wheel zoom about the cursor, drag to
// pan, "fit" to show the whole route, the north arrow and scale bar over the
// drawing, and the cursor's survey coordinates for the status bar.

#include <QGraphicsView>
#include <memory>

#include "core/route.h"
#include "ui/route_window/plan_scene.h"

namespace tarvelo {

class PlanView : public QGraphicsView {
    Q_OBJECT
public:
    explicit PlanView(QWidget* parent = nullptr);

    PlanScene* planScene() const { return scene_; }
    // Shows the route; the view is fitted to it when `fitToRoute` or when no
    // route was shown before (an edit keeps the surveyor's zoom).
    void setRoute(std::shared_ptr<const Route> route, bool fitToRoute);

    void fit();
    // Centres the survey point (X, Y) and, with `mark`, rings it.
    void centreOnSurvey(double x, double y, bool mark = true);
    // Zooms so that one metre covers `pixelsPerMetre` pixels, keeping the
    // centre (clamped to the view's zoom range).
    void setPixelsPerMetre(double pixelsPerMetre);
    double pixelsPerMetre() const;

    // The zoom range: a 2,000 km road fits a small window, a centimetre is a
    // pixel at the closest.
    static constexpr double kMinPixelsPerMetre = 1e-5;
    static constexpr double kMaxPixelsPerMetre = 100;
    // Pixels kept free round the route by fit().
    static constexpr double kFitMargin = 56;

signals:
    void cursorMoved(double x, double y);  // survey coordinates
    void cursorLeft();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void zoomBy(double factor, QPointF about);
    void scaleChanged();
    void updateSceneRect();

    PlanScene* scene_;
    // A fit asked for before the view had its size is done once it has.
    bool fitPending_ = false;
};

}  // namespace tarvelo
