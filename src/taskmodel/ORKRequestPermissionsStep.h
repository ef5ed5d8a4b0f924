#pragma once

#include "taskmodel/ORKActiveStep.h"
#include "taskmodel/ORKPermissionType.h"

#include <QList>
#include <memory>
#include <utility>

namespace pathloom {

// An active step that asks the participant for the permissions the study needs.
class ORKRequestPermissionsStep : public ORKActiveStep {
public:
    ORKRequestPermissionsStep(QString identifier,
                              QList<std::shared_ptr<ORKPermissionType>> permissionTypes)
        : ORKActiveStep(std::move(identifier)), permissionTypes(std::move(permissionTypes)) {}

    QList<std::shared_ptr<ORKPermissionType>> permissionTypes;
};

}  // namespace pathloom
