#pragma once
// The station and offset of a surveyed point on a whole route: the nearest
// perpendicular foot over every element (tangents, spirals, arcs).

#include <array>
#include <cstddef>
#include <vector>

#include "core/plan/route.h"

namespace tarvelo {

enum class RouteFootOutcome { Ok, Outside };

struct RouteFoot {
    RouteFootOutcome outcome = RouteFootOutcome::Ok;
    double station = 0;   // Ok only
    double offset = 0;    // signed, right +, Ok only
    std::size_t jd = 0;   // curve serving the station, Ok only
};

// An index over a route's elements (a tree of bounding boxes in route
// order), so that a point is answered by looking at the few elements near
// it, not all of them. Holds a reference: the route must outlive it.
class RouteInverse {
public:
    explicit RouteInverse(const Route& route);

    // The nearest foot, its station within 1e-5 m of the true foot. When QD or
    // ZD is nearer than every foot and the point lies more than
    // kRouteEndTolerance beyond that end, Outside (nearer: the end's foot).
    // Bounded work for any input; non-finite x or y throws FloatFault.
    RouteFoot Find(double x, double y) const;

private:
    struct Node {
        double minX, minY, maxX, maxY;
        std::size_t first, last;  // element range [first, last)
        int left = -1, right = -1;
    };
    int BuildNode(std::size_t first, std::size_t last);
    const Route& route_;
    std::vector<Node> nodes_;
    std::vector<std::array<double, 4>> boxes_;  // per element
    std::vector<double> sagittas_;               // per element: how far it strays from its chord
};

}  // namespace tarvelo
