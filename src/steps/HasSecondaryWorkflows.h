#pragma once

#include <QList>

namespace pathloom {

// Offers the ids of the workflows that a selected entry may open.
class HasSecondaryWorkflows {
public:
    virtual ~HasSecondaryWorkflows() = default;

    [[nodiscard]] virtual const QList<qint64>& secondaryWorkflowIDs() const = 0;
};

}  // namespace pathloom
