#pragma once
// The plan of a route as a scene (see plan_frame.h for the coordinates):
// one path per element in the colour of its kind (tangent, spiral, arc),
// the tangent lines through the JDs, the JDs and main points with their
// labels, and the stakes of the stake table.
//
// Labels and stakes appear only at a scale where they can be told apart
// (setPixelsPerMetre): a whole 1,600 km road shows its line, a curve
// zoomed in shows every main point named.

#include <QGraphicsScene>
#include <memory>
#include <optional>
#include <vector>

#include "core/route.h"
#include "ui/route_window/plan_frame.h"
#include "ui/route_window/plan_items.h"

namespace tarvelo {

// The colours of the element kinds, and the lines through the JDs.
QColor PlanColour(ElementKind kind);

// The sample stations of an element: its ends and enough stations between
// that no chord lies more than 2 mm from the curve; straight lines need
// only their ends. At least 2, at most 4001.
std::vector<double> SampleStations(const RouteElement& element);

class PlanScene : public QGraphicsScene {
    Q_OBJECT
public:
    explicit PlanScene(QObject* parent = nullptr);

    // Rebuilds everything from the route (null: an empty plan). The stakes go.
    void setRoute(std::shared_ptr<const Route> route);
    void setStakes(std::vector<PlanStake> stakes, double interval);
    void clearStakes();
    // Marks one point (the last one centred on), or none.
    void setHighlight(std::optional<QPointF> at);

    // Shows the labels whose neighbours lie far enough apart at this scale.
    void setPixelsPerMetre(double scale);

    const PlanFrame& frame() const { return frame_; }
    // The route's extent in scene coordinates (empty without a route).
    QRectF routeRect() const { return routeRect_; }
    bool hasRoute() const { return static_cast<bool>(route_); }
    int visibleLabelCount() const;

    // Screen distance (pixels) between neighbouring points from which their
    // labels are shown: a main point's label is about 110 pixels wide.
    static constexpr double kMainPointSpacing = 120;
    static constexpr double kJdSpacing = 60;

private:
    struct LabelGroup {
        double spacing;  // metres between the closest neighbours
        double needed;   // pixels
        std::vector<QGraphicsItem*> items;
    };
    void addElements(const Route& route);
    void addTangentLines(const Route& route);
    void addJdsAndMainPoints(const Route& route);

    std::shared_ptr<const Route> route_;
    PlanFrame frame_;
    QRectF routeRect_;
    std::vector<LabelGroup> groups_;
    StakesItem* stakes_ = nullptr;
    PlanLabel* highlight_ = nullptr;
    double scale_ = 0;
};

}  // namespace tarvelo
