#include "ui/route_window/plan/plan_scene.h"

#include <QGraphicsPathItem>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <exception>

#include "compute/route_text.h"
#include "core/numbers/angles.h"
#include "core/curve/centreline.h"
#include "compute/route_station_text.h"

namespace tarvelo {

namespace {

const QColor kTangentLineColour(150, 150, 150);
const QColor kJdColour(40, 40, 40);
const QColor kMainPointColour(150, 20, 20);
const QColor kHighlightColour(255, 140, 0);
const QColor kCheckColour(210, 0, 0);

// A direction of azimuth a (degrees) in scene coordinates.
QPointF SceneDirection(double a) { return {SinDeg(a), -CosDeg(a)}; }

QPen CosmeticPen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    // Bevel joins and flat caps: round ones cost a small arc at every vertex
    // of hundreds of thousands, and two pixels show no difference.
    QPen pen(colour, width, style, Qt::FlatCap, Qt::BevelJoin);
    pen.setCosmetic(true);  // pixels on screen, whatever the zoom
    return pen;
}

QString U(const std::string& s) { return QString::fromStdString(s); }

// The scale from which two labels at scene points a and b no longer touch:
// along the line between them the texts need half their widths (across) or
// half their heights (up and down) each, and the gap.
double ClearingScale(const PlanLabel& a, const PlanLabel& b)
{
    const QPointF d = b.pos() - a.pos();
    const double metres = std::hypot(d.x(), d.y());
    if (metres == 0) return HUGE_VAL;
    const double tx = std::fabs(d.x()) / metres, ty = std::fabs(d.y()) / metres;
    const double pixels = tx * (a.textRect().width() + b.textRect().width()) / 2 +
                          ty * (a.textRect().height() + b.textRect().height()) / 2 +
                          PlanScene::kLabelGap;
    return pixels / metres;
}

}  // namespace

QColor PlanColour(ElementKind kind)
{
    switch (kind) {
    case ElementKind::Line: return QColor(30, 80, 170);
    case ElementKind::Spiral: return QColor(0, 150, 60);
    case ElementKind::Arc: return QColor(215, 40, 40);
    }
    return Qt::black;
}

PlanScene::PlanScene(QObject* parent) : QGraphicsScene(parent)
{
    // Labels ignore the view's scale, which a BSP index cannot place; the
    // scene holds a few thousand items at most, so a plain list is quick.
    setItemIndexMethod(NoIndex);
    setBackgroundBrush(Qt::white);
}

void PlanScene::setRoute(std::shared_ptr<const Route> route)
{
    clear();
    groups_.clear();
    mainGroup_.clear();
    stakes_ = nullptr;
    highlight_ = nullptr;
    edges_ = nullptr;
    checkItems_.clear();  // clear() took them
    routeRect_ = QRectF();
    route_ = std::move(route);
    if (!route_) return;
    frame_ = PlanFrame{route_->start().x, route_->start().y};
    addTangentLines(*route_);
    addElements(*route_);
    addJdsAndMainPoints(*route_);
    addCheckMarks();
    setPixelsPerMetre(scale_);
}

void PlanScene::addElements(const Route& route)
{
    for (std::size_t i = 0; i < route.elements().size(); ++i) {
        try {
            auto* item = new ElementItem(&route, i, frame_, CosmeticPen(PlanColour(route.elements()[i].kind), 2));
            addItem(item);
            routeRect_ = routeRect_.united(item->boundingRect());
        } catch (const std::exception&) {
            // A piece that cannot be computed is left out of the drawing.
        }
    }
}

void PlanScene::addTangentLines(const Route& route)
{
    QPainterPath path;
    const auto& rows = route.rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QPointF at = frame_.toScene(rows[i].x, rows[i].y);
        if (i == 0) path.moveTo(at); else path.lineTo(at);
    }
    addPath(path, CosmeticPen(kTangentLineColour, 1, Qt::DashLine))->setZValue(-1);
    routeRect_ = routeRect_.united(path.boundingRect());
}

void PlanScene::addJdsAndMainPoints(const Route& route)
{
    const auto& legs = route.legs();
    for (std::size_t j = 0; j < route.curves().size(); ++j) {
        const RouteCurve& c = route.curves()[j];
        const CurveState& s = c.curve;
        const int turn = c.alpha > 0 ? 1 : -1;
        const MainPoint& qz = c.points[2];

        // The JD: named on the side away from its curve.
        const QPointF jd = frame_.toScene(s.X, s.Y);
        QPointF away = jd - frame_.toScene(qz.x, qz.y);
        auto* jdLabel = new PlanLabel(U(c.name), away, MarkerShape::Triangle, kJdColour);
        jdLabel->setPos(jd);
        jdLabel->setZValue(3);
        addItem(jdLabel);
        // JD names need room for about five characters along the shorter leg.
        const double shorterLeg = std::min(legs[j].length, legs[j + 1].length);
        groups_.push_back({(jdLabel->textRect().width() + kLabelGap) / shorterLeg, {jdLabel}});

        // The main points, ZY and YZ where a spiral is missing, named outside the curve.
        LabelGroup group{0, {}};
        PlanLabel* previous = nullptr;
        for (int i = 0; i < 5; ++i) {
            const MainPoint& m = c.points[i];
            std::string name = m.name;
            if (i == 1 && s.Ls1 == 0) continue;  // HY is ZH
            if (i == 3 && s.Ls2 == 0) continue;  // YH is HZ
            if (i == 0 && s.Ls1 == 0) name = "ZY";
            if (i == 4 && s.Ls2 == 0) name = "YZ";
            const QPointF outward = SceneDirection(m.azimuth - 90 * turn);
            auto* label = new PlanLabel(U(name + " " + RouteStationText(route, m.station)), outward,
                                        MarkerShape::Dot, kMainPointColour);
            label->setPos(frame_.toScene(m.x, m.y));
            label->setZValue(2);
            addItem(label);
            if (previous) group.minScale = std::max(group.minScale, ClearingScale(*previous, *label));
            if (i == 2) group.minScale = std::max(group.minScale, ClearingScale(*jdLabel, *label));
            previous = label;
            group.items.push_back(label);
        }
        mainGroup_.push_back(groups_.size());
        groups_.push_back(std::move(group));
    }
    if (route.method() == RouteMethod::Elements) addElementMainPoints(route);
}

void PlanScene::addElementMainPoints(const Route& route)
{
    // An element route has no JDs: each junction is named outside the curve
    // of the element that ends there, and shown once it clears the one before.
    PlanLabel* previous = nullptr;
    for (const RouteMainPoint& m : route.mainPoints()) {
        const int turn = route.elements()[m.serving].turn >= 0 ? 1 : -1;
        const QPointF outward = SceneDirection(m.azimuth - 90 * turn);
        auto* label = new PlanLabel(U(m.name + " " + RouteStationText(route, m.station)), outward, MarkerShape::Dot,
                                    kMainPointColour);
        label->setPos(frame_.toScene(m.x, m.y));
        label->setZValue(2);
        addItem(label);
        LabelGroup group{previous ? ClearingScale(*previous, *label) : 0, {label}};
        mainGroup_.push_back(groups_.size());
        groups_.push_back(std::move(group));
        previous = label;
    }
}

void PlanScene::setStakes(std::vector<PlanStake> stakes, double interval)
{
    clearStakes();
    stakes_ = new StakesItem(std::move(stakes), interval);
    stakes_->setZValue(1);
    addItem(stakes_);
}

void PlanScene::clearStakes()
{
    delete stakes_;
    stakes_ = nullptr;
}

void PlanScene::setPavementEdges(const QPainterPath& edges)
{
    delete edges_;
    edges_ = nullptr;
    if (edges.isEmpty()) return;
    edges_ = addPath(edges, CosmeticPen(QColor(110, 110, 110), 1));
    edges_->setZValue(0.5);  // over the centreline's wide strokes, under the stakes
}

void PlanScene::setCheckMarks(std::vector<PlanCheckMark> marks)
{
    checkMarks_ = std::move(marks);
    addCheckMarks();
}

void PlanScene::addCheckMarks()
{
    for (QGraphicsItem* item : checkItems_) delete item;
    checkItems_.clear();
    if (!route_) return;  // no frame to place them in
    const std::size_t n = std::min(checkMarks_.size(), kMaxCheckMarks);
    for (std::size_t i = 0; i < n; ++i) {
        const PlanCheckMark& m = checkMarks_[i];
        const QPointF at = frame_.toScene(m.design.x, m.design.y);
        // The label beside the ring, square to the line from the route's
        // point and above it, so that neither line covers the text.
        QPointF outward(1, -1);
        if (m.computed) {
            const QPointF from = frame_.toScene(m.computed->x, m.computed->y);
            auto* line = addLine(QLineF(from, at), CosmeticPen(kCheckColour, 2.5));
            line->setZValue(3);
            checkItems_.push_back(line);
            auto* dot = new PlanLabel(QString(), {}, MarkerShape::Dot, kCheckColour);
            dot->setPos(from);
            dot->setZValue(3);
            addItem(dot);
            checkItems_.push_back(dot);
            const QPointF d = at - from;
            if (d.x() != 0 || d.y() != 0) outward = d.x() >= 0 ? QPointF(d.y(), -d.x()) : QPointF(-d.y(), d.x());
        }
        auto* ring = new PlanLabel(m.label, outward, MarkerShape::Ring, kCheckColour);
        ring->setPos(at);
        ring->setZValue(3.5);
        addItem(ring);
        checkItems_.push_back(ring);
    }
}

void PlanScene::setHighlight(std::optional<QPointF> at)
{
    delete highlight_;
    highlight_ = nullptr;
    if (!at) return;
    highlight_ = new PlanLabel(QString(), {}, MarkerShape::Ring, kHighlightColour);
    highlight_->setPos(*at);
    highlight_->setZValue(4);
    addItem(highlight_);
}

void PlanScene::setPixelsPerMetre(double scale)
{
    scale_ = scale;
    for (LabelGroup& g : groups_) {
        const bool show = scale >= g.minScale;
        for (QGraphicsItem* item : g.items)
            if (item->isVisible() != show) item->setVisible(show);
    }
}

double PlanScene::mainPointLabelScale(std::size_t j) const
{
    return j < mainGroup_.size() ? groups_[mainGroup_[j]].minScale : HUGE_VAL;
}

int PlanScene::visibleLabelCount() const
{
    int n = 0;
    for (const LabelGroup& g : groups_)
        for (const QGraphicsItem* item : g.items) n += item->isVisible();
    return n;
}

}  // namespace tarvelo
