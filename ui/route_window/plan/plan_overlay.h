#pragma once
// What the plan shows over the drawing at a fixed place on screen: a north
// arrow and a scale bar.

#include <QRectF>

class QPainter;

namespace tarvelo {

// The longest 1, 2 or 5 × 10ⁿ metres not above `metres` (> 0, finite);
// 0 for anything else. 180 -> 100, 0.3 -> 0.2, 5000 -> 5000.
double ScaleBarLength(double metres);

// The scale bar's caption: "200 m", "0.5 m", "2 km" (from 1000 m on).
QString ScaleBarText(double metres);

// Draws, inside `viewport` (device pixels), the north arrow in the top right
// corner and, at `pixelsPerMetre` > 0, a scale bar of at most 160 pixels in
// the bottom left corner.
void DrawPlanOverlay(QPainter& painter, const QRectF& viewport, double pixelsPerMetre);

}  // namespace tarvelo
