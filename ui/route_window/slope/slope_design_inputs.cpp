#include "ui/route_window/slope/slope_design_inputs.h"

namespace tarvelo {

SlopeDesignInputs::SlopeDesignInputs(std::shared_ptr<const Route> route, std::shared_ptr<const Profile> profile,
                                     std::shared_ptr<const CrossSections> sections, Transition transition,
                                     std::shared_ptr<const RoadbedTemplate> roadbed,
                                     const SlopeDesignInputs* previous)
    : route_(std::move(route)), profile_(std::move(profile)), sections_(std::move(sections)),
      transition_(transition), roadbed_(std::move(roadbed))
{
    if (previous && previous->route_ == route_) inverse_ = previous->inverse_;
    else if (route_) inverse_ = std::make_shared<const RouteInverse>(*route_);
}

std::optional<SlopeDesign> SlopeDesignInputs::design() const
{
    if (!route_ || !profile_) return std::nullopt;
    return SlopeDesign{*route_, *inverse_, *profile_, sections_.get(), roadbed_.get(), transition_};
}

std::string SlopeDesignInputs::missing() const
{
    if (!route_) return "没有线路。";
    if (!profile_) return "没有纵断面，算不出设计高程。";
    return {};
}

}  // namespace tarvelo
