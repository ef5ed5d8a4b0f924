#pragma once

#include "taskmodel/ORKAnswerFormat.h"

namespace pathloom {

// A duration answer in seconds, picked in steps of `step` minutes.
class ORKTimeIntervalAnswerFormat : public ORKAnswerFormat {
public:
    ORKTimeIntervalAnswerFormat(double defaultInterval, qint64 step)
        : defaultInterval(defaultInterval), step(step) {}

    double defaultInterval = 0;
    qint64 step = 0;
};

}  // namespace pathloom
