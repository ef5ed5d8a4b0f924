#pragma once

#include "taskmodel/ORKObject.h"

namespace pathloom {

// A permission that a request-permissions step asks the participant to grant.
class ORKPermissionType : public ORKObject {};

}  // namespace pathloom
