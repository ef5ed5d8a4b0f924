#pragma once

#include "taskmodel/ORKRecorderConfiguration.h"

#include <utility>

namespace pathloom {

// Records device motion, sampled `frequency` times per second.
class ORKDeviceMotionRecorderConfiguration : public ORKRecorderConfiguration {
public:
    ORKDeviceMotionRecorderConfiguration(QString identifier, double frequency)
        : ORKRecorderConfiguration(std::move(identifier)), frequency(frequency) {}

    double frequency = 0;
};

}  // namespace pathloom
