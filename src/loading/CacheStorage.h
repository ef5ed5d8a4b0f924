#pragma once

#include "foundation/Error.h"
#include "loading/CryptoManager.h"
#include "loading/StagedCacheEntry.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <expected>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace pathloom {

// A directory of named, encrypted entries: each file holds the ChaCha20-Poly1305 combined form
// (nonce ‖ ciphertext ‖ tag) of the JSON encoding of its value, under the key `cryptor` gives.
// JSON objects (the cached app document) and raw bytes (downloaded pictures, encoded as a JSON
// string of base64) can be kept. Files are replaced atomically and readable only by the user.
// Holds no changing state and takes no lock: callers serialise writes to one entry (the
// configuration and the image loader each use one queue); a reader meanwhile sees the earlier or
// the later entry, never a mixture.
class CacheStorage {
public:
    CacheStorage(QString path, CryptoManager cryptor);

    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] const CryptoManager& cryptor() const { return m_cryptor; }

    // The file of the entry `name`, which is taken as a file name inside the directory.
    [[nodiscard]] QString entryPath(const QString& name) const;
    [[nodiscard]] bool contains(const QString& name) const;

    // Encrypts and writes the entry; with `overwrite` false an existing entry is left as it is.
    // Fails with the key's error or a FileSystemError.
    [[nodiscard]] std::expected<void, Error> save(const QJsonObject& value, const QString& name,
                                                  bool overwrite) const;
    [[nodiscard]] std::expected<void, Error> saveData(const QByteArray& bytes, const QString& name,
                                                      bool overwrite) const;
    // Like save(), for a JSON object the caller has already written as text (StoredFormWriter).
    [[nodiscard]] std::expected<void, Error> saveEncoded(const QByteArray& json,
                                                         const QString& name, bool overwrite) const;

    // Like saveEncoded(), but beside the entry, which keeps its value until the result is
    // committed. One staging per entry at a time, like every write. The text is sealed in its
    // own buffer when the caller hands it over.
    [[nodiscard]] std::expected<StagedCacheEntry, Error> stageEncoded(QByteArray json,
                                                                      const QString& name) const;

    // The entry's value, or nothing. Never fails: an entry that is truncated, tampered with,
    // sealed under another key or not of the kind asked for is deleted, so that it is found out
    // once; when the key itself is unavailable the entry is kept, since it may still be good.
    [[nodiscard]] std::optional<QJsonObject> load(const QString& name) const;
    [[nodiscard]] std::optional<QByteArray> loadData(const QString& name) const;

    // The entry decoded by `decode` (a JSON object to std::expected<T, E>, such as
    // AppData::fromStored); an entry that `decode` refuses is deleted like a corrupt one.
    template <typename Decode>
    [[nodiscard]] auto load(const QString& name, Decode&& decode) const
        -> std::optional<typename std::invoke_result_t<Decode, const QJsonObject&>::value_type> {
        const auto object = load(name);
        if (!object) {
            return std::nullopt;
        }
        auto value = std::invoke(std::forward<Decode>(decode), *object);
        if (!value) {
            discard(name);
            return std::nullopt;
        }
        return std::move(*value);
    }

    // Deletes the entry if it exists; fails with a FileSystemError when it cannot be removed.
    [[nodiscard]] std::expected<void, Error> remove(const QString& name) const;

private:
    [[nodiscard]] std::expected<void, Error> write(QByteArray plaintext, const QString& name,
                                                   bool overwrite) const;
    // Seals `plaintext` in its own buffer into the file at `path`, replaced atomically and synced
    // to disk.
    [[nodiscard]] std::expected<void, Error> writeSealed(QByteArray plaintext,
                                                         const QString& path) const;
    // The decrypted entry; nothing when there is none, or when it was bad and has been deleted.
    [[nodiscard]] std::optional<QByteArray> read(const QString& name) const;
    void discard(const QString& name) const;

    QString m_path;
    CryptoManager m_cryptor;
};

}  // namespace pathloom
