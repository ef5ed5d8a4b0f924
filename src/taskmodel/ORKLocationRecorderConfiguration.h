#pragma once

#include "taskmodel/ORKRecorderConfiguration.h"

namespace pathloom {

// Records the device's location.
class ORKLocationRecorderConfiguration : public ORKRecorderConfiguration {
public:
    using ORKRecorderConfiguration::ORKRecorderConfiguration;
};

}  // namespace pathloom
