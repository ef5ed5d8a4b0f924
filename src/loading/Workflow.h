#pragma once

#include "taskmodel/ORKNavigableOrderedTask.h"

#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

// One workflow of an assembled app: its task, built from the workflow document.
struct Workflow {
    qint64 id = 0;
    std::optional<QString> name;
    std::optional<QString> systemImageName;
    std::shared_ptr<ORKNavigableOrderedTask> task;
};

}  // namespace pathloom
