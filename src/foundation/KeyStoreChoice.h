#pragma once

#include "foundation/DebugConsole.h"
#include "foundation/KeyStore.h"

#include <QString>
#include <memory>

namespace pathloom {

class FileKeyStore;

// Chooses where this start of a program keeps its keys: in the desktop keyring
// (SecretServiceKeyStore) when a Secret Service answers on the session bus with an unlocked
// default collection, otherwise in the 0600 FileKeyStore in the data folder. Items the file store
// already holds (the cache key, stored credentials) move into the keyring first, so the encrypted
// cache still opens; when they cannot all move, nothing is removed from the file store and it
// stays in use for this start. Writes one debug-console line naming the choice and why. Called
// once per start, before any other thread uses a key store.
class KeyStoreChoice {
public:
    [[nodiscard]] static std::shared_ptr<KeyStore> make(const QString& directory,
                                                        const DebugConsole& console);

    // The keyring once every item of `files` is in it, else `files`. The move holds the file
    // store's lock, which the keyring's serialized() shares, so two starts at once move each
    // item once and no key is created meanwhile.
    [[nodiscard]] static std::shared_ptr<KeyStore> moveInto(std::shared_ptr<KeyStore> keyring,
                                                            std::shared_ptr<FileKeyStore> files,
                                                            const DebugConsole& console);
};

}  // namespace pathloom
