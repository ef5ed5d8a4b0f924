#pragma once

#include "foundation/KeyStore.h"

#include <QList>
#include <QString>
#include <expected>

namespace pathloom {

// The key store of platforms without a keychain: one file per item in a directory that only the
// user may enter (mode 0700), each file readable only by the user (0600). An item is written to
// a temporary file and then linked into place, so a reader sees a whole item or none and of two
// adds of one identity exactly one succeeds. serialized() holds an advisory lock on a file in
// the directory, which excludes other threads and other processes alike. Holds no state besides
// the directory name, so it is thread-safe.
class FileKeyStore : public KeyStore {
public:
    // The store in `directory`, created when the first item or lock needs it.
    explicit FileKeyStore(QString directory = defaultDirectory());

    // The "keychain" folder in the application's per-user data location.
    [[nodiscard]] static QString defaultDirectory();

    [[nodiscard]] const QString& directory() const { return m_directory; }
    // The file whose lock serialized() holds; other stores that must exclude the same work lock
    // it too.
    [[nodiscard]] static QString lockPath(const QString& directory);

    // Every item in the store, with its secret; the status of the first item that cannot be
    // read. An item removed meanwhile is left out.
    [[nodiscard]] std::expected<QList<Attributes>, Status> storedItems() const;

    [[nodiscard]] Match copyMatching(const Attributes& query) override;
    [[nodiscard]] Status add(const Attributes& attributes) override;
    [[nodiscard]] Status remove(const Attributes& query) override;
    [[nodiscard]] Status serialized(const std::function<void()>& work) override;

private:
    [[nodiscard]] std::optional<QString> itemPath(const Attributes& query) const;

    QString m_directory;
};

}  // namespace pathloom
