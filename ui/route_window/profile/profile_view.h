#pragma once
// The profile drawing on screen (profileView), a ZoomView: wheel zoom about
// the cursor, drag to pan, "fit" (Home) to show the whole profile with room
// for its labels, a light station and elevation grid with its values at the edges,
// and the vertical exaggeration stated in a corner. The cursor's station
// and elevation go out for the status bar.

#include <functional>
#include <memory>
#include <string>

#include "core/profile/profile.h"
#include "ui/route_window/profile/profile_scene.h"
#include "ui/route_window/view/zoom_view.h"

namespace tarvelo {

class ProfileView : public ZoomView {
    Q_OBJECT
public:
    explicit ProfileView(QWidget* parent = nullptr);

    ProfileScene* profileScene() const { return scene_; }
    // Shows the profile; fitted when `fitToProfile` or when none was shown
    // before (an edit keeps the surveyor's zoom). Null clears the drawing.
    void setProfile(std::shared_ptr<const Profile> profile, bool fitToProfile);
    // ProfileScene::setStationText, for the labels and the station axis.
    void setStationText(std::function<std::string(double)> text);
    std::string StationText(double station) const;

    // The scale (ZoomView::pixelsPerMetre) is pixels per metre of station;
    // one metre of elevation covers kExaggeration times as many.

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

protected:
    QRectF contentRect() const override;
    bool hasContent() const override;
    void scaleChanged() override { declutter(); }
    void cursorAt(QPointF scene) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    // The station values, elevations and the exaggeration note, in viewport pixels.
    void drawAxisTexts(QPainter* painter) const;
    // Grid steps (scene metres of station, metres of elevation) at least
    // the given pixels apart on screen: 1, 2 or 5 times a power of ten.
    double stationStep() const;
    double elevationStep() const;

    ProfileScene* scene_;
};

}  // namespace tarvelo
