#pragma once

#include "taskmodel/ORKObject.h"

namespace pathloom {

// The consent document a participant reviews and signs, made of consent sections.
class ORKConsentDocument : public ORKObject {};

}  // namespace pathloom
