#include "ui/route_window/plan/plan_overlay.h"

#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cmath>

#include "core/numbers/number_text.h"

namespace tarvelo {

double ScaleBarLength(double metres)
{
    if (!(metres > 0) || !std::isfinite(metres)) return 0;
    const double decade = std::pow(10.0, std::floor(std::log10(metres)));
    for (double step : {5.0, 2.0, 1.0}) {
        // The tolerance keeps 500 from falling to 200 through log10's last bit.
        if (step * decade <= metres * (1 + 1e-12)) return step * decade;
    }
    return decade / 2;  // log10 rounded up across a decade
}

QString ScaleBarText(double metres)
{
    if (metres >= 1000) return QString::fromStdString(FormatGeneral(metres / 1000)) + QStringLiteral(" km");
    return QString::fromStdString(FormatGeneral(metres)) + QStringLiteral(" m");
}

void DrawPlanOverlay(QPainter& painter, const QRectF& viewport, double pixelsPerMetre)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font;
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);

    // North arrow: X (north) is up on the plan.
    const QPointF tip(viewport.right() - 30, viewport.top() + 14);
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(9, 30));
    arrow.lineTo(tip + QPointF(0, 23));
    arrow.lineTo(tip + QPointF(-9, 30));
    arrow.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(QColor(40, 40, 40));
    painter.drawPath(arrow);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(tip.x() - 15, tip.y() + 31, 30, 16), Qt::AlignCenter, QStringLiteral("N"));

    const double metres = ScaleBarLength(160 / pixelsPerMetre);
    if (metres > 0) {
        const double length = metres * pixelsPerMetre;
        const QPointF left(viewport.left() + 16, viewport.bottom() - 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 200));
        painter.drawRect(QRectF(left.x() - 6, left.y() - 26, length + 12, 32));
        painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(left, left + QPointF(length, 0));
        for (double x : {0.0, length}) painter.drawLine(left + QPointF(x, 0), left + QPointF(x, -7));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left.x(), left.y() - 24, length, 16), Qt::AlignCenter,
                         ScaleBarText(metres));
    }
    painter.restore();
}

}  // namespace tarvelo
