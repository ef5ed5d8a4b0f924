#pragma once

#include "foundation/Error.h"
#include "taskmodel/ORKTaskRun.h"

#include <optional>

namespace pathloom {

class ORKStepViewController;
class ORKTaskViewController;

// Told what a task screen does: a step screen about to appear (the place to adjust its buttons),
// a step screen about to go, and the end of the task, exactly once. Called on the main thread.
class ORKTaskViewControllerDelegate {
public:
    virtual ~ORKTaskViewControllerDelegate() = default;

    virtual void taskViewControllerDidFinish(ORKTaskViewController& taskViewController,
                                             ORKTaskViewControllerFinishReason reason,
                                             const std::optional<Error>& error) = 0;
    virtual void taskViewControllerStepWillAppear(ORKTaskViewController& /*taskViewController*/,
                                                  ORKStepViewController& /*stepViewController*/) {}
    virtual void taskViewControllerStepWillDisappear(
        ORKTaskViewController& /*taskViewController*/,
        ORKStepViewController& /*stepViewController*/,
        ORKStepViewControllerNavigationDirection /*direction*/) {}
};

}  // namespace pathloom
