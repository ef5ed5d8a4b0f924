#pragma once

#include "taskmodel/ORKObject.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

// What a task, a step or a question produced, named by the identifier of what produced it. Unlike
// most model objects, results can be copied, so that a recorded result can be kept while the live
// one goes on changing.
class ORKResult : public ORKObject {
public:
    // A new result starts and ends now; whoever records it moves the dates.
    explicit ORKResult(QString identifier = {});

    // A new result of the same class with the same values; every subclass overrides it so that a
    // copy never loses its class.
    [[nodiscard]] virtual std::shared_ptr<ORKResult> copy() const;

    QString identifier;
    std::optional<QDateTime> startDate;
    std::optional<QDateTime> endDate;
};

}  // namespace pathloom
