#pragma once

#include "taskmodel/ORKRecorderConfiguration.h"

namespace pathloom {

// Records the touches on the step's screen.
class ORKTouchRecorderConfiguration : public ORKRecorderConfiguration {
public:
    using ORKRecorderConfiguration::ORKRecorderConfiguration;
};

}  // namespace pathloom
