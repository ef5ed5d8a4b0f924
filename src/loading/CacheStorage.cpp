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
#include <array>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

std::unexpected<FileSystemError> writeFailure(const QString& path, const QString& reason) {
    return std::unexpected(FileSystemError{FileSystemError::Operation::write, path, reason});
}

// The bytes of padded standard base64 (what QByteArray::toBase64() writes), decoded a quad at a
// time; nothing for any other text, which QByteArray::fromBase64Encoding() then judges. On the
// texts it takes it gives what that function gives, several times faster.
std::optional<QByteArray> decodeCanonicalBase64(QByteArrayView text) {
    static constexpr auto kValues = [] {
        std::array<qint8, 256> values{};
        values.fill(-1);
        constexpr char kDigits[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (qint8 i = 0; i < 64; ++i) {
            values[static_cast<unsigned char>(kDigits[i])] = i;
        }
        return values;
    }();
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    const qsizetype padding = text.endsWith("==") ? 2 : text.endsWith('=') ? 1 : 0;
    QByteArray bytes(text.size() / 4 * 3 - padding, Qt::Uninitialized);
    char* out = bytes.data();
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    for (qsizetype i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int a = kValues[in[i]];
        const int b = kValues[in[i + 1]];
        const int c = last && padding == 2 ? 0 : kValues[in[i + 2]];
        const int d = last && padding >= 1 ? 0 : kValues[in[i + 3]];
        if ((a | b | c | d) < 0) {
            return std::nullopt;
        }
        const quint32 quad = quint32(a) << 18 | quint32(b) << 12 | quint32(c) << 6 | quint32(d);
        *out++ = char(quad >> 16);
        if (!last || padding < 2) {
            *out++ = char(quad >> 8);
        }
        if (!last || padding < 1) {
            *out++ = char(quad);
        }
    }
    return bytes;
}

std::optional<QByteArray> decodeBase64String(const QByteArray& plaintext) {
    // What saveData() writes, base64 digits between quotes, reads the same without the JSON
    // reader, which would widen a large entry to UTF-16 and back; anything else (escapes, white
    // space) takes the general path.
    if (plaintext.size() >= 2 && plaintext.front() == '"' && plaintext.back() == '"') {
        const QByteArrayView digits = QByteArrayView(plaintext).sliced(1, plaintext.size() - 2);
        if (auto bytes = decodeCanonicalBase64(digits)) {
            return bytes;
        }
        auto bytes = QByteArray::fromBase64Encoding(digits.toByteArray(),
                                                    QByteArray::AbortOnBase64DecodingErrors);
        if (bytes) {
            return std::move(bytes.decoded);
        }
    }
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

std::expected<void, Error> CacheStorage::saveEncoded(const QByteArray& json, const QString& name,
                                                     bool overwrite) const {
    return write(json, name, overwrite);
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

std::expected<void, Error> CacheStorage::write(QByteArray plaintext, const QString& name,
                                               bool overwrite) const {
    const QString path = entryPath(name);
    if (!overwrite && QFileInfo::exists(path)) {
        return {};
    }
    return writeSealed(std::move(plaintext), path);
}

std::expected<StagedCacheEntry, Error> CacheStorage::stageEncoded(QByteArray json,
                                                                  const QString& name) const {
    const QString entry = entryPath(name);
    const QString staged = entry + u".staged"_s;
    if (const std::expected<void, Error> written = writeSealed(std::move(json), staged); !written) {
        return std::unexpected(written.error());
    }
    return StagedCacheEntry(staged, entry);
}

std::expected<void, Error> CacheStorage::writeSealed(QByteArray plaintext,
                                                     const QString& path) const {
    const auto key = m_cryptor.symmetricKey();
    if (!key) {
        return std::unexpected(key.error());
    }
    const auto sealed = ChaChaPoly::sealInPlace(*key, std::move(plaintext));
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
