#pragma once

#include "taskmodel/ORKObject.h"
#include "taskmodel/PlatformValues.h"

#include <optional>

namespace pathloom {

// A place the user gave as an answer: its coordinate, and the region and postal address found for
// it when there are any.
class ORKLocation : public ORKObject {
public:
    explicit ORKLocation(Coordinate coordinate = {}, std::optional<CircularRegion> region = {},
                         std::optional<PostalAddress> postalAddress = {})
        : coordinate(coordinate),
          region(std::move(region)),
          postalAddress(std::move(postalAddress)) {}

    Coordinate coordinate;
    std::optional<CircularRegion> region;
    std::optional<PostalAddress> postalAddress;
};

}  // namespace pathloom
