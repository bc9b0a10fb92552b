#include "ui/main_window/fitted_cell.h"

#include <QFontMetrics>
#include <QLabel>

namespace tarvelo {

QFont FittedFont(const QFont& base, const QString& text, int width)
{
    QFont font = base;
    int pixels = base.pixelSize() > 0 ? base.pixelSize() : QFontMetrics(base).height();
    font.setPixelSize(pixels);
    while (pixels > kMinFittedPixelSize && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(--pixels);
    return font;
}

void FitLabelText(QLabel* label, const QFont& base)
{
    label->setFont(FittedFont(base, label->text(), label->contentsRect().width()));
}

}  // namespace tarvelo
