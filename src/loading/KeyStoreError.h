#pragma once

#include "foundation/KeyStore.h"

#include <QString>

namespace pathloom {

// The key store could not give or keep the cache's private key. The message is for logs; the
// error has no localized description of its own, so users see the platform's generic text.
struct KeyStoreError {
    QString message;

    [[nodiscard]] static KeyStoreError readFailed(KeyStore::Status status);
    [[nodiscard]] static KeyStoreError noKeyReturned();
    [[nodiscard]] static KeyStoreError unableToCreateKey();
    [[nodiscard]] static KeyStoreError unableToStore(KeyStore::Status status);

    [[nodiscard]] static QString domain();
    [[nodiscard]] static qint64 code() { return 1; }
    [[nodiscard]] QString description() const;

    friend bool operator==(const KeyStoreError&, const KeyStoreError&) = default;
};

}  // namespace pathloom
