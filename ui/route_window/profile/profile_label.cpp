#include "ui/route_window/profile/profile_label.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace tarvelo {

namespace {

constexpr double kPad = 3;     // pixels between the box and its text
constexpr double kMarker = 3;  // radius of the circle at the point

}  // namespace

ProfileLabel::ProfileLabel(QStringList lines, Side side, double leader, const QColor& colour,
                           bool marker)
    : lines_(std::move(lines)), side_(side), leader_(leader), colour_(colour), marker_(marker)
{
    setFlag(ItemIgnoresTransformations);
    const QSizeF size = BoxSize(lines_);
    double top = -size.height() / 2;
    if (leader_ > 0) top = side_ == Side::Above ? -leader_ - size.height() : leader_;
    box_ = QRectF(QPointF(-size.width() / 2, top), size);
}

QSizeF ProfileLabel::BoxSize(const QStringList& lines)
{
    const QFontMetricsF fm(QApplication::font());
    double width = 0;
    for (const QString& line : lines) width = std::max(width, fm.horizontalAdvance(line));
    return {width + 2 * kPad, fm.height() * lines.size() + 2 * kPad};
}

QRectF ProfileLabel::boundingRect() const
{
    return box_.united(QRectF(-kMarker, -kMarker, 2 * kMarker, 2 * kMarker)).adjusted(-1, -1, 1, 1);
}

void ProfileLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (leader_ > 0) {
        painter->setPen(QPen(colour_, 1));
        painter->drawLine(QPointF(0, 0),
                          QPointF(0, side_ == Side::Above ? box_.bottom() : box_.top()));
    }
    if (marker_) {
        painter->setPen(QPen(colour_, 1));
        painter->setBrush(Qt::white);
        painter->drawEllipse(QPointF(0, 0), kMarker, kMarker);
    }
    painter->setPen(QPen(colour_.lighter(150), 1));
    painter->setBrush(QColor(255, 255, 255, 225));
    painter->drawRect(box_);
    painter->setPen(colour_.darker(130));
    painter->setFont(QApplication::font());
    const QFontMetricsF fm(QApplication::font());
    double y = box_.top() + kPad;
    for (const QString& line : lines_) {
        painter->drawText(QRectF(box_.left() + kPad, y, box_.width() - 2 * kPad, fm.height()),
                          Qt::AlignHCenter | Qt::AlignVCenter, line);
        y += fm.height();
    }
    painter->restore();
}

}  // namespace tarvelo
