#pragma once
// What slope staking, the level check and the section drawing compute
// against, held together: the route (with its inverse, built once per
// route), the profile on the route's own stations, the pavement's cross
// sections and their transition, and the roadbed template. An immutable
// value, rebuilt by the section panel whenever one of them changes and
// shared with the panels that read it.

#include <memory>
#include <optional>
#include <string>

#include "compute/route_inverse.h"
#include "compute/slope_stake.h"

namespace tarvelo {

class SlopeDesignInputs {
public:
    // Any of them may be null; route and profile are needed to compute.
    // previous: the inputs these replace; their route's inverse is kept when
    // the route is the same (a template or section edit does not index the
    // road again).
    SlopeDesignInputs(std::shared_ptr<const Route> route, std::shared_ptr<const Profile> profile,
                      std::shared_ptr<const CrossSections> sections, Transition transition,
                      std::shared_ptr<const RoadbedTemplate> roadbed, const SlopeDesignInputs* previous = nullptr);

    // The design, or nullopt while the route or the profile is missing
    // (missing() says which).
    std::optional<SlopeDesign> design() const;
    // "没有线路。" / "没有纵断面，算不出设计高程。"; empty when design() has a value.
    std::string missing() const;

    const Route* route() const { return route_.get(); }
    const RoadbedTemplate* roadbed() const { return roadbed_.get(); }

private:
    std::shared_ptr<const Route> route_;
    std::shared_ptr<const Profile> profile_;
    std::shared_ptr<const CrossSections> sections_;
    Transition transition_;
    std::shared_ptr<const RoadbedTemplate> roadbed_;
    std::shared_ptr<const RouteInverse> inverse_;  // of *route_
};

}  // namespace tarvelo
