#pragma once
// The plan's items that keep their size on screen: a point marker with its
// label, and the stakes of the stake table drawn as one item.

#include <QColor>
#include <QGraphicsItem>
#include <QGraphicsPathItem>
#include <QString>
#include <vector>

namespace tarvelo {

// One element of the centreline: its full path, and a coarse path of a few
// chords that is drawn instead while those chords lie within a third of a
// pixel of the curve, so the whole of a long road draws quickly.
class ElementItem : public QGraphicsPathItem {
public:
    // coarseSagitta: the largest distance (metres) between a coarse chord
    // and the curve.
    ElementItem(const QPainterPath& fine, const QPainterPath& coarse, double coarseSagitta);
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QPainterPath coarse_;
    double coarseSagitta_;
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
    double station;   // metres
    bool mainPoint;   // named by its own label: no station text here
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
    static constexpr double kMarkSpacing = 10;
    static constexpr double kTextSpacing = 80;

private:
    std::vector<PlanStake> stakes_;
    double interval_;
    QRectF bounds_;
};

}  // namespace tarvelo
