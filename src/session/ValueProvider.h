#pragma once

#include "session/SessionProvider.h"
#include "taskmodel/Value.h"

#include <QString>

namespace pathloom {

// An object of the session that answers questions about itself by key, so that dotted key paths
// ("list.selected.text") can walk into it.
class ValueProvider : public SessionProvider {
public:
    // The provider's values as a map of encodable values.
    [[nodiscard]] virtual Value::Dictionary content() const = 0;
    // The value under `key`; no value when the provider has none.
    [[nodiscard]] virtual Value fetchValue(const QString& key) const = 0;
    // The value under `key` when it can be walked into itself (a text, a map or a provider
    // object); no value otherwise.
    [[nodiscard]] virtual Value fetchProvider(const QString& key) const = 0;
};

}  // namespace pathloom
