#pragma once

#include "loading/PathloomSchemeManager.h"

#include <QList>
#include <memory>

namespace pathloom {

// What this app chooses where the framework leaves the host a choice.
struct HostSettings {
    // The launch links the app understands. Links to the debug host reach the development server
    // over plain http, on port 3000 unless they name one.
    [[nodiscard]] static QList<std::shared_ptr<const URLSchemeManager>> schemeManagers() {
        using namespace Qt::StringLiterals;
        return {std::make_shared<const PathloomSchemeManager>(u"1"_s, u"127.0.0.1"_s, 3000)};
    }
};

}  // namespace pathloom
