#include "foundation/FileKeyStore.h"

#include "foundation/FileLock.h"
#include "foundation/KeyStoreItemCodec.h"
#include "foundation/Sha256.h"

#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr QFile::Permissions kOwnerOnlyFile = QFile::ReadOwner | QFile::WriteOwner;

// The item at `path`, or the status that says why there is none.
std::expected<KeyStore::Attributes, KeyStore::Status> readItem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists()) {
            return std::unexpected(KeyStore::itemNotFound);
        }
        // Another process may have added the item between the failed open and the check; reads
        // take no lock, so the item is read now rather than reported as an error.
        if (!file.open(QIODevice::ReadOnly)) {
            return std::unexpected(KeyStore::ioError);
        }
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::unexpected(KeyStore::ioError);
    }
    auto item = KeyStoreItemCodec::decode(text);
    if (!item) {
        return std::unexpected(KeyStore::decodeError);
    }
    return std::move(*item);
}

}  // namespace

FileKeyStore::FileKeyStore(QString directory) : m_directory(std::move(directory)) {}

QString FileKeyStore::defaultDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/keychain"_s;
}

QString FileKeyStore::lockPath(const QString& directory) { return directory + u"/.lock"_s; }

std::expected<QList<KeyStore::Attributes>, KeyStore::Status> FileKeyStore::storedItems() const {
    const QDir directory(m_directory);
    if (!directory.exists()) {
        return QList<Attributes>{};
    }
    QList<Attributes> items;
    // Item files are named by class; the lock and half-written items start with a dot.
    for (const QString& name : directory.entryList(QDir::Files)) {
        auto item = readItem(directory.filePath(name));
        if (item) {
            items.append(std::move(*item));
        } else if (item.error() != itemNotFound) {
            return std::unexpected(item.error());
        }
    }
    return items;
}

std::optional<QString> FileKeyStore::itemPath(const Attributes& query) const {
    const auto id = identity(query);
    if (!id) {
        return std::nullopt;
    }
    // Hashing keeps any label a short, safe file name.
    return m_directory + u'/' + KeyStoreItemCodec::classText(query.itemClass) + u'-' +
           Sha256::hexDigest(id->toUtf8());
}

KeyStore::Match FileKeyStore::copyMatching(const Attributes& query) {
    const auto path = itemPath(query);
    if (!path) {
        return {invalidParameter, std::nullopt};
    }
    const auto stored = readItem(*path);
    if (!stored) {
        return {stored.error(), std::nullopt};
    }
    if (!matches(query, *stored)) {
        return {itemNotFound, std::nullopt};
    }
    return {success, answer(query, *stored)};
}

KeyStore::Status FileKeyStore::add(const Attributes& attributes) {
    const auto path = itemPath(attributes);
    const bool isKey = attributes.itemClass == ItemClass::key;
    if (!path || isKey != attributes.valueRef.has_value() || (isKey && attributes.valueData)) {
        return invalidParameter;
    }
    if (!FileLock::ensurePrivateDirectory(m_directory)) {
        return ioError;
    }
    QTemporaryFile temporary(m_directory + u"/.item-XXXXXX"_s);
    if (!temporary.open() || !temporary.setPermissions(kOwnerOnlyFile)) {
        return ioError;
    }
    const QByteArray text = KeyStoreItemCodec::encode(storedAttributes(attributes));
    if (temporary.write(text) != text.size() || !temporary.flush() ||
        ::fsync(temporary.handle()) != 0) {
        return ioError;
    }
    // link() never replaces an existing name, which makes the duplicate check and the write one
    // atomic step; a rename would silently overwrite an item added in the meantime.
    if (::link(QFile::encodeName(temporary.fileName()).constData(),
               QFile::encodeName(*path).constData()) != 0) {
        return errno == EEXIST ? duplicateItem : ioError;
    }
    return success;
}

KeyStore::Status FileKeyStore::remove(const Attributes& query) {
    const auto path = itemPath(query);
    if (!path) {
        return invalidParameter;
    }
    const auto stored = readItem(*path);
    if (!stored && stored.error() != decodeError) {
        return stored.error();
    }
    // An unreadable item under the queried identity is removed too: nobody can use it.
    if (stored && !matches(query, *stored)) {
        return itemNotFound;
    }
    if (!QFile::remove(*path)) {
        return QFileInfo::exists(*path) ? ioError : itemNotFound;
    }
    return success;
}

KeyStore::Status FileKeyStore::serialized(const std::function<void()>& work) {
    if (!FileLock::ensurePrivateDirectory(m_directory)) {
        return ioError;
    }
    const FileLock lock(lockPath(m_directory));
    if (!lock.isLocked()) {
        return ioError;
    }
    work();
    return success;
}

}  // namespace pathloom
