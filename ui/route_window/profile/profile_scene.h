#pragma once
// The profile drawing (纵断面图) as scene items: station across, elevation
// up, the elevations exaggerated kExaggeration times so that grades of a few
// percent can be seen. Scene coordinates: x = station (m), y = -kExaggeration
// × elevation (m), so that up is up on screen.
//
// Items: one line per grade line (leg between two grade points), one path
// per vertical curve of non-zero length (the parabola sampled through
// Profile::ElevationAt), a label at every grade point (station, elevation;
// R, T and E at the points between the ends) and a label on every grade line
// (its grade in percent and its length). Labels ignore the view's scale.

#include <QGraphicsScene>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/profile/profile.h"

class QGraphicsLineItem;
class QGraphicsPathItem;

namespace tarvelo {

class ProfileLabel;

class ProfileScene : public QGraphicsScene {
    Q_OBJECT
public:
    // The vertical exaggeration of the drawing (elevation scale ÷ station scale).
    static constexpr double kExaggeration = 10;
    // Points sampled along each vertical curve: a parabola of the largest
    // usual curve (Lv ≈ 1 km) then stays within a fraction of a pixel of the
    // true curve at any zoom where the whole curve fits on screen.
    static constexpr int kCurveSamples = 64;

    explicit ProfileScene(QObject* parent = nullptr);

    // Replaces the drawing; null clears it.
    void setProfile(std::shared_ptr<const Profile> profile);
    // How a station of the profile is written (labels): the route's displayed
    // station when the profile lies on a route with chain breaks. Empty: K
    // notation of the station itself. Takes effect at the next setProfile.
    void setStationText(std::function<std::string(double)> text) { stationText_ = std::move(text); }
    std::string StationText(double station) const;
    const std::shared_ptr<const Profile>& profile() const { return profile_; }
    bool hasProfile() const { return profile_ != nullptr; }

    // The grade lines' extent in scene coordinates (empty without a profile).
    QRectF profileRect() const { return profileRect_; }
    static QPointF ToScene(double station, double elevation)
    {
        return {station, -kExaggeration * elevation};
    }
    static double StationOf(QPointF scene) { return scene.x(); }
    static double ElevationOf(QPointF scene) { return -scene.y() / kExaggeration; }

    const std::vector<QGraphicsLineItem*>& gradeLines() const { return gradeLines_; }
    const std::vector<QGraphicsPathItem*>& curveItems() const { return curveItems_; }
    const std::vector<ProfileLabel*>& pointLabels() const { return pointLabels_; }
    const std::vector<ProfileLabel*>& gradeLabels() const { return gradeLabels_; }

private:
    std::function<std::string(double)> stationText_;
    void build();

    std::shared_ptr<const Profile> profile_;
    QRectF profileRect_;
    std::vector<QGraphicsLineItem*> gradeLines_;
    std::vector<QGraphicsPathItem*> curveItems_;
    std::vector<ProfileLabel*> pointLabels_;
    std::vector<ProfileLabel*> gradeLabels_;
};

}  // namespace tarvelo
