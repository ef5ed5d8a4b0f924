#pragma once

#include "network/HTTPMethod.h"
#include "steps/SuccessAction.h"

#include <QString>
#include <optional>

namespace pathloom {

// A server call made by a display page's button: the method, the URL template to call and what
// the page does once the call succeeded.
struct RemoteAction {
    HTTPMethod httpMethod{};
    QString url;
    std::optional<SuccessAction> onSuccess;

    friend bool operator==(const RemoteAction&, const RemoteAction&) = default;
};

}  // namespace pathloom
