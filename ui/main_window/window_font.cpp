#include "ui/main_window/window_font.h"

#include <QStringList>

namespace tarvelo {

namespace {

QFont FontOfPixels(int pixels)
{
    QFont font;
    // WenQuanYi Micro Hei maps the minute mark ˊ (U+02CA) of every azimuth
    // text to an empty glyph, so it cannot come first: the first family
    // supplies every character it has, the second the Chinese ones.
    font.setFamilies(QStringList{QStringLiteral("DejaVu Sans Condensed"),
                                 QStringLiteral("WenQuanYi Micro Hei")});
    font.setStyleHint(QFont::SansSerif);
    // Pixels, not points: the layout is in pixels and must not grow with the
    // screen's dots per inch.
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

QFont MainWindowFont() { return FontOfPixels(12); }

QFont HeadingFont() { return FontOfPixels(11); }

}  // namespace tarvelo
