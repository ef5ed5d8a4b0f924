#pragma once

#include "taskmodel/ORKRecorderConfiguration.h"

namespace pathloom {

// Records the pedometer's step counts.
class ORKPedometerRecorderConfiguration : public ORKRecorderConfiguration {
public:
    using ORKRecorderConfiguration::ORKRecorderConfiguration;
};

}  // namespace pathloom
