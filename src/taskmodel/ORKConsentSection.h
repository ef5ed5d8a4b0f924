#pragma once

#include "taskmodel/ORKObject.h"

namespace pathloom {

// One section of a consent document (overview, data gathering, privacy, …).
class ORKConsentSection : public ORKObject {};

}  // namespace pathloom
