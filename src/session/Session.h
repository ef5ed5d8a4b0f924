#pragma once

#include "session/BinaryProvider.h"
#include "session/JSONRepresentable.h"
#include "taskmodel/Value.h"

#include <QHash>
#include <QString>
#include <memory>
#include <mutex>

namespace pathloom {

// The registry of step results and configuration parameters of the running app, by result
// identifier or parameter name. One session is shared (std::shared_ptr) by the configuration
// manager, every workflow's network client and every navigation rule.
//
// Threads: the shell writes on the main thread; templating and navigation read there, file
// preparation reads on a background queue. Every reader works on a snapshot of the map taken
// under `m_mutex`, which also guards every write.
class Session : public JSONRepresentable {
public:
    using Providers = QHash<QString, Value>;

    [[nodiscard]] Providers valueProviders() const;
    void setValueProviders(Providers providers);
    // Stores `provider` under `key`, replacing an earlier entry of that key.
    void setValueProvider(const QString& key, Value provider);
    void removeAllValueProviders();

    // The value a dotted key path leads to: the entry itself for one component, else what its
    // providers answer, component by component; no value when nothing is found.
    [[nodiscard]] Value value(const QString& keyPath) const;
    // The entries that carry a file to upload.
    [[nodiscard]] QList<std::shared_ptr<const BinaryProvider>> binaryProviders() const;
    // The session as one JSON object: every entry that writes itself as JSON, under its key.
    [[nodiscard]] std::optional<QByteArray> jsonRepresentation() const override;

private:
    mutable std::mutex m_mutex;
    Providers m_providers;
};

}  // namespace pathloom
