#pragma once

#include <QString>
#include <optional>

namespace pathloom {

// The names of the app and the workflow a step is built in.
struct StepContext {
    std::optional<QString> appName;
    std::optional<QString> workflowName;

    friend bool operator==(const StepContext&, const StepContext&) = default;
};

}  // namespace pathloom
