#pragma once

#include "taskmodel/ORKTaskRun.h"

#include <QString>
#include <functional>

namespace pathloom {

// Opens a workflow by its name over the screen that asks: what a page's button needs of the task
// screen that shows it.
class WorkflowPresentationDelegate {
public:
    using Completion = std::function<void(ORKTaskViewControllerFinishReason)>;

    virtual ~WorkflowPresentationDelegate() = default;

    // Opens the workflow named exactly `name`; `completion` runs with how its task ended. A name
    // that matches no workflow is shown as an error, gives false, and `completion` never runs.
    virtual bool presentWorkflow(const QString& name, Completion completion) = 0;
};

}  // namespace pathloom
