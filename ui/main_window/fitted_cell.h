#pragma once
// Texts that must be read whole in a cell of the fixed layout: the font of
// the cell shrinks, a pixel at a time, until the text fits its width (a
// station of a 100+ km road, "107+570.8095", is one digit wider than the
// main-stakes cells were measured for).

#include <QFont>

class QLabel;

namespace tarvelo {

// The smallest pixel size a cell goes down to.
inline constexpr int kMinFittedPixelSize = 8;

// The largest pixel size, from base's down to kMinFittedPixelSize, at
// which `text` in base's families is no wider than `width` pixels; the
// smallest one when none is.
QFont FittedFont(const QFont& base, const QString& text, int width);

// Sets the label's font to FittedFont(base, its text, its contents width).
void FitLabelText(QLabel* label, const QFont& base);

}  // namespace tarvelo
