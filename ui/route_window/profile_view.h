#pragma once
// The profile drawing on screen (profileView): wheel zoom about the cursor,
// drag to pan, "fit" (Home) to show the whole profile with room for its
// labels, a light station and elevation grid with its values at the edges,
// and the vertical exaggeration stated in a corner. The cursor's station
// and elevation go out for the status bar.

#include <QGraphicsView>
#include <memory>

#include "core/profile.h"
#include "ui/route_window/profile_scene.h"

namespace tarvelo {

class ProfileView : public QGraphicsView {
    Q_OBJECT
public:
    explicit ProfileView(QWidget* parent = nullptr);

    ProfileScene* profileScene() const { return scene_; }
    // Shows the profile; fitted when `fitToProfile` or when none was shown
    // before (an edit keeps the surveyor's zoom). Null clears the drawing.
    void setProfile(std::shared_ptr<const Profile> profile, bool fitToProfile);

    void fit();
    // Zooms so that one metre of station covers `pixelsPerMetre` pixels
    // (one metre of elevation covers kExaggeration times as many), keeping
    // the centre; clamped to the zoom range.
    void setPixelsPerMetre(double pixelsPerMetre);
    double pixelsPerMetre() const;

    // A 2,000 km profile fits a small window; a centimetre is a pixel at the closest.
    static constexpr double kMinPixelsPerMetre = 1e-4;
    static constexpr double kMaxPixelsPerMetre = 100;
    // Room kept around the profile by fit(), in pixels: its labels stand up
    // to this far off the grade lines.
    static constexpr double kFitMarginX = 70;
    static constexpr double kFitMarginY = 120;

    // The labels shown at the current zoom: a label whose box would overlap
    // one shown before it is hidden, the grade points between the ends
    // first, then the ends, then the grades. Labels keep their size on
    // screen while the drawing shrinks, so zooming out hides some and
    // zooming in brings them back.
    void declutter();

signals:
    void cursorMoved(double station, double elevation);
    void cursorLeft();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void zoomBy(double factor, QPointF about);
    void updateSceneRect();
    // Grid steps (scene metres of station, metres of elevation) at least
    // the given pixels apart on screen: 1, 2 or 5 times a power of ten.
    double stationStep() const;
    double elevationStep() const;

    ProfileScene* scene_;
    bool fitPending_ = false;  // a fit asked for before the view had its size
};

}  // namespace tarvelo
