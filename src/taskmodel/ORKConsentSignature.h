#pragma once

#include "taskmodel/ORKObject.h"

namespace pathloom {

// One signature that a consent document requires.
class ORKConsentSignature : public ORKObject {};

}  // namespace pathloom
