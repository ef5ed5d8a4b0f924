#pragma once

#include "taskmodel/ORKStep.h"

namespace pathloom {

// A step that shows progress while the task waits for something to finish.
class ORKWaitStep : public ORKStep {
public:
    using ORKStep::ORKStep;

    // Which indicator shows the progress (a progress bar or a spinning wheel).
    qint64 indicatorType = 0;
};

}  // namespace pathloom
