#include "ui/tools/about_picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "tarvelo_version.h"

namespace tarvelo {

QPixmap AboutPicture(int width, int height)
{
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width / 120.0, height / 160.0);  // drawn on a 120 x 160 canvas

    QLinearGradient sky(0, 0, 0, 160);
    sky.setColorAt(0, QColor(0x2b, 0x5b, 0x84));
    sky.setColorAt(1, QColor(0x9f, 0xc5, 0xe8));
    p.fillRect(QRectF(0, 0, 120, 160), sky);

    // Two tangents meeting at the intersection point, and the curve.
    p.setPen(QPen(QColor(255, 255, 255, 140), 1, Qt::DashLine));
    p.drawLine(QPointF(10, 140), QPointF(60, 40));
    p.drawLine(QPointF(60, 40), QPointF(110, 140));
    QPainterPath road;
    road.moveTo(10, 140);
    road.lineTo(30, 100);
    road.cubicTo(42, 76, 50, 62, 60, 62);
    road.cubicTo(70, 62, 78, 76, 90, 100);
    road.lineTo(110, 140);
    p.setPen(QPen(QColor(0xff, 0xd5, 0x4f), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(road);

    // Main stakes ZH, QZ and HZ.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (const QPointF& stake : {QPointF(30, 100), QPointF(60, 62), QPointF(90, 100)})
        p.drawEllipse(stake, 3, 3);
    p.drawEllipse(QPointF(60, 40), 2, 2);

    QFont font = p.font();
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 6, 120, 22), Qt::AlignHCenter, QStringLiteral("Tarvelo"));
    font.setPixelSize(10);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRectF(0, 142, 120, 16), Qt::AlignHCenter, QStringLiteral("V " TARVELO_VERSION));
    return pixmap;
}

}  // namespace tarvelo
