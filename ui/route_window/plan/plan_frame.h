#pragma once
// Survey coordinates and the plan's scene coordinates.
//
// X is north and Y east; the plan shows north up and east right, and a
// scene's y grows downwards, so scene x = Y − Y0 and scene y = −(X − X0).
// The origin (X0, Y0), the route's start, keeps scene numbers small, so
// paths and exported drawings lose no digits on a road far from the grid's
// origin.

#include <QPointF>

namespace tarvelo {

struct PlanFrame {
    double x0 = 0, y0 = 0;

    QPointF toScene(double x, double y) const { return {y - y0, -(x - x0)}; }
    double surveyX(const QPointF& p) const { return x0 - p.y(); }
    double surveyY(const QPointF& p) const { return y0 + p.x(); }
};

}  // namespace tarvelo
