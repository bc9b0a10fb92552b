#pragma once
// The fonts the fixed layout of the main window is measured for.

#include <QFont>

namespace tarvelo {

// 12 pixels (9 points at 96 dpi): DejaVu Sans Condensed for Latin letters,
// digits and the angle marks, WenQuanYi Micro Hei for Chinese; the desktop's
// own fallback where those are missing.
QFont MainWindowFont();

// One pixel smaller, for table headings that must fit their column.
QFont HeadingFont();

}  // namespace tarvelo
