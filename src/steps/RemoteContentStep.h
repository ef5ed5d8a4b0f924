#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace pathloom {

class NetworkManager;

// A step whose content comes from the server: from its URL template, through its HTTP client.
class RemoteContentStep {
public:
    virtual ~RemoteContentStep() = default;

    // The URL template of the content; nothing when the step has none.
    [[nodiscard]] virtual std::optional<QString> contentURL() const = 0;
    [[nodiscard]] virtual const std::shared_ptr<NetworkManager>& networkManager() const = 0;
};

}  // namespace pathloom
