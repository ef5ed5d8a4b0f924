#pragma once

#include "taskmodel/ORKObject.h"

namespace pathloom {

// Names a result among a task's results for result predicates. The framework builds no
// predicates, so a selector carries nothing yet; it keeps its class in the encoding table.
class ORKResultSelector : public ORKObject {};

}  // namespace pathloom
