#include "ui/main_window/frame_box.h"

#include <QPainter>

namespace tarvelo {

FrameBox::FrameBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void FrameBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height() / 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(0, line, width() - 1, height() - line - 1);
    // The caption interrupts the border, two pixels of background either side.
    const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace tarvelo
