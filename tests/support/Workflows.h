#pragma once

#include "loading/Workflow.h"

#include <QStringList>
#include <optional>

namespace pathloom::test {

// A workflow with that id and name whose task "w<id>" holds one instruction step per identifier.
[[nodiscard]] Workflow workflow(qint64 id, std::optional<QString> name,
                                const QStringList& steps = {});

}  // namespace pathloom::test
