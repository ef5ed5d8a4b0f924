#pragma once

#include "foundation/KeyStore.h"

#include <QString>
#include <chrono>
#include <expected>

namespace pathloom {

// The key store of a desktop session: each item is one item of the Secret Service (the desktop
// keyring, through libsecret) in its default collection, under the schema
// "org.pathloom.KeyStore". The item's class, its identity and the store's data folder are the
// searchable attributes, so stores of other folders (other apps, other users of one keyring)
// never meet; the secret is the whole item in the byte form of KeyStoreItemCodec. Answers with
// the statuses of FileKeyStore; a locked collection gives interactionNotAllowed (the store never
// starts an unlock prompt) and a keyring that stopped answering gives notAvailable.
// serialized() locks the same file as a FileKeyStore of the folder, and adds and removals hold a
// second lock file there so that "is there one already, else create it" is one step across
// processes. Holds only the folder name and uses libsecret's synchronous calls, which may run on
// any thread, so it is thread-safe. Construction does not talk to the bus.
class SecretServiceKeyStore : public KeyStore {
public:
    explicit SecretServiceKeyStore(QString directory);

    [[nodiscard]] const QString& directory() const { return m_directory; }

    // Whether a Secret Service answers on the session bus with an unlocked default collection,
    // each question allowed `timeout`; the text says why not. Never prompts and never starts a
    // session bus of its own.
    [[nodiscard]] static std::expected<void, QString> probe(std::chrono::milliseconds timeout);

    [[nodiscard]] Match copyMatching(const Attributes& query) override;
    [[nodiscard]] Status add(const Attributes& attributes) override;
    [[nodiscard]] Status remove(const Attributes& query) override;
    [[nodiscard]] Status serialized(const std::function<void()>& work) override;

private:
    QString m_directory;
};

}  // namespace pathloom
