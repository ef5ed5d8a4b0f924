#pragma once

#include <QString>
#include <memory>

namespace pathloom {

class ORKStep;

// Which screen a step gets. Several step classes derive from others (a network step is a wait
// step, a completion step an instruction step), so a step is classified by its most derived kind.
enum class StepKind {
    network,
    simulatedNetwork,
    documentCapture,
    list,
    remoteList,
    display,
    remoteDisplay,
    email,
    pdf,
    completion,
    videoInstruction,
    learnMore,
    instruction,
    question,
    form,
    imageCapture,
    videoCapture,
    signature,
    requestPermissions,
    wait,
    table,
    other,
};

[[nodiscard]] StepKind stepKind(const ORKStep& step);
// The kind's name in lower camel case, as journals and reports show it.
[[nodiscard]] QString stepKindName(StepKind kind);
// The step's class name: the framework's own step class, else the task-framework class.
[[nodiscard]] QString stepClassName(const std::shared_ptr<ORKStep>& step);

}  // namespace pathloom
