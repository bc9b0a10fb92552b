#pragma once
// The plan's items that keep their size on screen: a point marker with its
// label, and the stakes of the stake table drawn as one item.

#include <QColor>
#include <QGraphicsItem>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <vector>

#include "core/plan/route.h"
#include "ui/route_window/plan/plan_frame.h"

namespace tarvelo {

// The sample stations of an element: its ends and enough stations between
// that no chord lies more than 2 mm from the curve; straight lines need
// only their ends. At least 2, at most 4001.
std::vector<double> SampleStations(const RouteElement& element);

// One element of the centreline, drawn as a few chords while those lie
// within a third of a pixel of the curve, and as its full path (samples 2 mm
// from the curve) once zoomed in: the full path is computed the first time
// it is needed, so a 1,000-JD road is drawn, and redrawn after every edit,
// without sampling every curve.
class ElementItem : public QGraphicsItem {
public:
    enum { Type = UserType + 1 };
    // Element `index` of the route, which must outlive the item.
    // Throws FloatFault when a point of the coarse path cannot be computed.
    ElementItem(const Route* route, std::size_t index, const PlanFrame& frame, const QPen& pen);

    int type() const override { return Type; }
    QRectF boundingRect() const override { return bounds_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    ElementKind kind() const { return element_.kind; }
    const QPen& pen() const { return pen_; }
    // The full path (empty if a sample cannot be computed).
    const QPainterPath& finePath() const;

    // Chords of the coarse path.
    static constexpr int kCoarseChords = 8;

private:
    QPointF at(double station) const;

    RouteElement element_;
    const Route* route_;
    std::size_t index_;
    PlanFrame frame_;
    QPen pen_;
    QPainterPath coarse_;
    double coarseSagitta_ = 0;  // metres between a coarse chord and the curve
    QRectF bounds_;
    mutable QPainterPath fine_;
    mutable bool fineDone_ = false;
};

enum class MarkerShape { None, Dot, Triangle, Ring };

// A marker at its position with a label beside it, placed along `outward`
// (a direction in scene coordinates; the plan view neither rotates nor
// shears, so it is the same direction on screen) so that the text stands
// clear of the line it names. Ignores the view's scale: readable at any zoom.
class PlanLabel : public QGraphicsItem {
public:
    PlanLabel(const QString& text, QPointF outward, MarkerShape shape, const QColor& colour);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // The text's rectangle in the item's (screen pixel) coordinates.
    QRectF textRect() const { return textRect_; }
    const QString& text() const { return text_; }

private:
    QString text_;
    MarkerShape shape_;
    QColor colour_;
    QRectF textRect_;
};

// One stake of the stake table on the plan.
struct PlanStake {
    QPointF at;       // scene coordinates
    double station;   // displayed, metres
    bool mainPoint;   // named by its own label: no station text here
    int zone = -1;    // written after the station where a 长链 shows it twice; -1: not
};

// Every stake as a small cross, and its station once they are far enough
// apart on screen; nothing at all while they would merge into a smear. One
// item for any number of stakes: it paints only those inside the exposed area.
class StakesItem : public QGraphicsItem {
public:
    // interval: the table's interval, the usual spacing of the stakes (metres).
    StakesItem(std::vector<PlanStake> stakes, double interval);

    QRectF boundingRect() const override { return bounds_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // Screen spacing (pixels) from which crosses, and then station texts, are drawn.
    static constexpr double kMarkSpacing = 8;
    static constexpr double kTextSpacing = 80;

private:
    std::vector<PlanStake> stakes_;
    double interval_;
    QRectF bounds_;
};

}  // namespace tarvelo
