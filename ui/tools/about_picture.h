#pragma once
// The program's picture: a transition curve between two tangents with its
// main stakes, drawn at run time so no image file has to ship.

#include <QPixmap>

namespace tarvelo {

// Drawn at width x height device-independent pixels.
QPixmap AboutPicture(int width, int height);

}  // namespace tarvelo
