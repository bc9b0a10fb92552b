#pragma once
// The plan of a route as a scene (see plan_frame.h for the coordinates):
// one path per element in the colour of its kind (tangent, spiral, arc),
// the tangent lines through the JDs, the JDs and main points with their
// labels, the stakes of the stake table, and the rows of the design check
// that are not 相符.
//
// Labels and stakes appear only at a scale where they can be told apart
// (setPixelsPerMetre): a whole 1,600 km road shows its line, a curve
// zoomed in shows every main point named.

#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QPainterPath>
#include <memory>
#include <optional>
#include <vector>

#include "compute/design_check.h"
#include "core/plan/route.h"
#include "ui/route_window/plan/plan_frame.h"
#include "ui/route_window/plan/plan_items.h"

namespace tarvelo {

// The colours of the element kinds, and the lines through the JDs.
QColor PlanColour(ElementKind kind);

// A row of the design check that is not 相符: a ring at the design point
// with its label and, where the route has a point at the row's station, a
// dot there and a line from it to the design point. Survey coordinates.
struct PlanCheckMark {
    DesignPlanPoint design;
    std::optional<DesignPlanPoint> computed;
    QString label;
};

class PlanScene : public QGraphicsScene {
    Q_OBJECT
public:
    explicit PlanScene(QObject* parent = nullptr);

    // Rebuilds everything from the route (null: an empty plan). The stakes go.
    void setRoute(std::shared_ptr<const Route> route);
    void setStakes(std::vector<PlanStake> stakes, double interval);
    void clearStakes();
    // The pavement edges (two thin lines, in scene coordinates) while a
    // cross-section table is loaded; an empty path removes them. setRoute
    // removes them too.
    void setPavementEdges(const QPainterPath& edges);
    QGraphicsPathItem* pavementEdges() const { return edges_; }
    // The design check's marks, apart from the stakes. They are kept in
    // survey coordinates and drawn again over every route set afterwards
    // (the check is rerun with each route); at most kMaxCheckMarks of them
    // are drawn, the first ones.
    void setCheckMarks(std::vector<PlanCheckMark> marks);
    const std::vector<PlanCheckMark>& checkMarks() const { return checkMarks_; }
    static constexpr std::size_t kMaxCheckMarks = 2000;
    // Marks one point (the last one centred on), or none.
    void setHighlight(std::optional<QPointF> at);

    // Shows the labels that stand clear of their neighbours at this scale.
    void setPixelsPerMetre(double scale);
    // The scale (pixels a metre) from which the main points of curve j are
    // named: their labels then clear each other and the JD's label.
    double mainPointLabelScale(std::size_t j) const;

    const PlanFrame& frame() const { return frame_; }
    // The route's extent in scene coordinates (empty without a route).
    QRectF routeRect() const { return routeRect_; }
    bool hasRoute() const { return static_cast<bool>(route_); }
    int visibleLabelCount() const;

    // Free space (pixels) kept between neighbouring labels.
    static constexpr double kLabelGap = 8;

private:
    struct LabelGroup {
        double minScale;  // pixels a metre from which the group is shown
        std::vector<QGraphicsItem*> items;
    };
    void addElements(const Route& route);
    void addTangentLines(const Route& route);
    void addJdsAndMainPoints(const Route& route);
    void addElementMainPoints(const Route& route);
    void addCheckMarks();

    std::shared_ptr<const Route> route_;
    PlanFrame frame_;
    QRectF routeRect_;
    std::vector<LabelGroup> groups_;
    std::vector<std::size_t> mainGroup_;  // per curve: its main points' group
    StakesItem* stakes_ = nullptr;
    PlanLabel* highlight_ = nullptr;
    QGraphicsPathItem* edges_ = nullptr;
    std::vector<PlanCheckMark> checkMarks_;
    std::vector<QGraphicsItem*> checkItems_;
    double scale_ = 0;
};

}  // namespace tarvelo
