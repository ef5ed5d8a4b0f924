#include "loading/CacheStorage.h"

#include "foundation/ChaChaPoly.h"
#include "foundation/FileSystemError.h"
#include "foundation/Json.h"
#include "loading/KeyStoreError.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

std::unexpected<FileSystemError> writeFailure(const QString& path, const QString& reason) {
    return std::unexpected(FileSystemError{FileSystemError::Operation::write, path, reason});
}

std::optional<QByteArray> decodeBase64String(const QByteArray& plaintext) {
    const auto value = json::parse(plaintext, json::Fragments::allowed);
    const auto text = value ? json::asString(*value) : std::nullopt;
    if (!text) {
        return std::nullopt;
    }
    auto bytes =
        QByteArray::fromBase64Encoding(text->toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!bytes) {
        return std::nullopt;
    }
    return std::move(*bytes);
}

// The key store's own message where there is one: its error's description is generic.
QString logText(const Error& error) {
    if (const auto* keyStoreError = error.as<KeyStoreError>()) {
        return keyStoreError->message;
    }
    return error.localizedDescription();
}

}  // namespace

CacheStorage::CacheStorage(QString path, CryptoManager cryptor)
    : m_path(std::move(path)), m_cryptor(std::move(cryptor)) {}

QString CacheStorage::entryPath(const QString& name) const { return m_path + u'/' + name; }

bool CacheStorage::contains(const QString& name) const {
    return QFileInfo::exists(entryPath(name));
}

std::expected<void, Error> CacheStorage::save(const QJsonObject& value, const QString& name,
                                              bool overwrite) const {
    return write(json::write(value), name, overwrite);
}

std::expected<void, Error> CacheStorage::saveData(const QByteArray& bytes, const QString& name,
                                                  bool overwrite) const {
    // A JSON string needs no escaping for base64 digits.
    return write('"' + bytes.toBase64() + '"', name, overwrite);
}

std::optional<QJsonObject> CacheStorage::load(const QString& name) const {
    const auto plaintext = read(name);
    if (!plaintext) {
        return std::nullopt;
    }
    const auto value = json::parse(*plaintext);
    auto object = value ? json::asObject(*value) : std::nullopt;
    if (!object) {
        discard(name);
    }
    return object;
}

std::optional<QByteArray> CacheStorage::loadData(const QString& name) const {
    const auto plaintext = read(name);
    if (!plaintext) {
        return std::nullopt;
    }
    auto bytes = decodeBase64String(*plaintext);
    if (!bytes) {
        discard(name);
    }
    return bytes;
}

std::expected<void, Error> CacheStorage::remove(const QString& name) const {
    const QString path = entryPath(name);
    QFile file(path);
    if (file.exists() && !file.remove()) {
        return std::unexpected(
            FileSystemError{FileSystemError::Operation::remove, path, file.errorString()});
    }
    return {};
}

std::expected<void, Error> CacheStorage::write(const QByteArray& plaintext, const QString& name,
                                               bool overwrite) const {
    const QString path = entryPath(name);
    if (!overwrite && QFileInfo::exists(path)) {
        return {};
    }
    const auto key = m_cryptor.symmetricKey();
    if (!key) {
        return std::unexpected(key.error());
    }
    const auto sealed = ChaChaPoly::seal(*key, plaintext);
    if (!sealed) {
        return std::unexpected(sealed.error());
    }
    if (!QDir().mkpath(m_path)) {
        return writeFailure(m_path, u"the directory cannot be created"_s);
    }
    QSaveFile file(path);
    // The mode is set on the temporary file before it takes the entry's name, so the entry is
    // never readable by others, not even for a moment.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(kOwnerOnly) ||
        file.write(*sealed) != sealed->size() || !file.commit()) {
        return writeFailure(path, file.errorString());
    }
    return {};
}

std::optional<QByteArray> CacheStorage::read(const QString& name) const {
    const QString path = entryPath(name);
    QFile file(path);
    if (!file.exists()) {
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        discard(name);
        return std::nullopt;
    }
    const QByteArray sealed = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        discard(name);
        return std::nullopt;
    }
    file.close();
    const auto key = m_cryptor.symmetricKey();
    if (!key) {
        // The key store failing says nothing about the entry, which the next read may open.
        qDebug().noquote() << u"Encrypted cache key unavailable: "_s + logText(key.error());
        return std::nullopt;
    }
    auto plaintext = ChaChaPoly::open(*key, sealed);
    if (!plaintext) {
        discard(name);
        return std::nullopt;
    }
    return std::move(*plaintext);
}

void CacheStorage::discard(const QString& name) const {
    // Failing to remove a bad entry changes nothing for the caller: it gets nothing either way.
    QFile::remove(entryPath(name));
}

}  // namespace pathloom
