#pragma once
// A label of the profile drawing that keeps its size on screen: a small
// circle at its point, a leader line up or down, and a boxed block of text
// lines at the leader's end. Ignores the view's scale (the item is drawn in
// screen pixels), so it reads the same at any zoom.

#include <QColor>
#include <QGraphicsItem>
#include <QStringList>

namespace tarvelo {

class ProfileLabel : public QGraphicsItem {
public:
    enum class Side { Above, Below };
    // leader: pixels from the point to the near edge of the box (0: the box
    // sits on the point, centred, without a line). marker: a small circle at
    // the point itself.
    ProfileLabel(QStringList lines, Side side, double leader, const QColor& colour,
                 bool marker = true);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // The box the lines take on screen, in pixels.
    static QSizeF BoxSize(const QStringList& lines);

    const QStringList& lines() const { return lines_; }
    QString text() const { return lines_.join(u'\n'); }
    // The text box in the item's (screen pixel) coordinates.
    QRectF boxRect() const { return box_; }

private:
    QStringList lines_;
    Side side_;
    double leader_;
    QColor colour_;
    bool marker_;
    QRectF box_;
};

}  // namespace tarvelo
