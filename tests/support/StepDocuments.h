#pragma once

#include "documents/StepData.h"

#include <QByteArray>
#include <memory>

namespace pathloom {
class NetworkManager;
}

namespace pathloom::test {

// The step document written in `document` (its "type" and "identifier" lifted out).
[[nodiscard]] StepData stepData(const QByteArray& document);

// Steps only keep the workflow's client; a distinct pointer that is never followed shows that
// they kept the one they were given.
[[nodiscard]] std::shared_ptr<NetworkManager> someNetworkManager();

}  // namespace pathloom::test
