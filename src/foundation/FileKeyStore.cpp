#include "foundation/FileKeyStore.h"

#include "foundation/Json.h"
#include "foundation/Sha256.h"

#include <fcntl.h>
#include <sys/file.h>
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
constexpr QFile::Permissions kOwnerOnlyDirectory =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// An exclusive flock() on the store's lock file, held for the object's life. Each holder opens
// the file itself, and flock() excludes other open descriptions of the file, so threads of one
// process exclude each other as processes do. The kernel drops the lock if a process dies.
class FileLock {
public:
    explicit FileLock(const QString& path)
        : m_descriptor(
              ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (m_descriptor < 0) {
            return;
        }
        while (::flock(m_descriptor, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(m_descriptor);
                m_descriptor = -1;
                return;
            }
        }
    }
    ~FileLock() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    [[nodiscard]] bool isLocked() const { return m_descriptor >= 0; }

private:
    int m_descriptor;
};

QString classText(KeyStore::ItemClass itemClass) {
    return itemClass == KeyStore::ItemClass::key ? u"key"_s : u"genericPassword"_s;
}

QString keyClassText(KeyStore::KeyClass keyClass) {
    return keyClass == KeyStore::KeyClass::privateKey ? u"private"_s : u"public"_s;
}

constexpr QStringView kEllipticCurve = u"ellipticCurve";
constexpr QStringView kWhenUnlocked = u"whenUnlocked";

QByteArray encodeItem(const KeyStore::Attributes& item) {
    QJsonObject object{{u"class"_s, classText(item.itemClass)},
                       {u"useDataProtectionKeychain"_s, item.useDataProtectionKeychain}};
    if (item.applicationLabel) {
        object.insert(u"applicationLabel"_s, *item.applicationLabel);
    }
    if (item.generic) {
        object.insert(u"generic"_s, *item.generic);
    }
    if (item.keyType) {
        object.insert(u"keyType"_s, kEllipticCurve.toString());
    }
    if (item.keyClass) {
        object.insert(u"keyClass"_s, keyClassText(*item.keyClass));
    }
    if (item.accessible) {
        object.insert(u"accessible"_s, kWhenUnlocked.toString());
    }
    const std::optional<QByteArray> data =
        item.valueRef ? std::optional(item.valueRef->representation) : item.valueData;
    if (data) {
        object.insert(u"data"_s, QString::fromLatin1(data->toBase64()));
    }
    return json::write(object);
}

std::optional<KeyStore::Attributes> decodeItem(const QByteArray& text) {
    const auto value = json::parse(text);
    const auto object = value ? json::asObject(*value) : std::nullopt;
    if (!object) {
        return std::nullopt;
    }
    KeyStore::Attributes item;
    const auto itemClass = json::readString(*object, u"class");
    if (itemClass == classText(KeyStore::ItemClass::key)) {
        item.itemClass = KeyStore::ItemClass::key;
    } else if (itemClass != classText(KeyStore::ItemClass::genericPassword)) {
        return std::nullopt;
    }
    item.applicationLabel = json::readString(*object, u"applicationLabel");
    item.generic = json::readString(*object, u"generic");
    item.useDataProtectionKeychain =
        json::readBoolean(*object, u"useDataProtectionKeychain").value_or(false);
    if (json::readString(*object, u"keyType") == kEllipticCurve) {
        item.keyType = KeyStore::KeyType::ellipticCurve;
    }
    if (const auto keyClass = json::readString(*object, u"keyClass")) {
        item.keyClass = *keyClass == keyClassText(KeyStore::KeyClass::privateKey)
                            ? KeyStore::KeyClass::privateKey
                            : KeyStore::KeyClass::publicKey;
    }
    if (json::readString(*object, u"accessible") == kWhenUnlocked) {
        item.accessible = KeyStore::Accessibility::whenUnlocked;
    }
    if (const auto base64 = json::readString(*object, u"data")) {
        auto decoded = QByteArray::fromBase64Encoding(base64->toLatin1(),
                                                      QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) {
            return std::nullopt;
        }
        item.valueData = std::move(*decoded);
    }
    if (item.itemClass == KeyStore::ItemClass::key) {
        if (!item.keyType || !item.keyClass || !item.valueData) {
            return std::nullopt;
        }
        item.valueRef = KeyStore::Key{*item.keyType, *item.keyClass, *item.valueData};
        item.valueData.reset();
    }
    return item;
}

// The item at `path`, or the status that says why there is none.
std::expected<KeyStore::Attributes, KeyStore::Status> readItem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::unexpected(file.exists() ? KeyStore::ioError : KeyStore::itemNotFound);
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::unexpected(KeyStore::ioError);
    }
    auto item = decodeItem(text);
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

std::optional<QString> FileKeyStore::itemPath(const Attributes& query) const {
    const auto id = identity(query);
    if (!id) {
        return std::nullopt;
    }
    // Hashing keeps any label a short, safe file name.
    return m_directory + u'/' + classText(query.itemClass) + u'-' + Sha256::hexDigest(id->toUtf8());
}

bool FileKeyStore::ensureDirectory() const {
    if (QFileInfo(m_directory).isDir()) {
        return true;
    }
    QDir().mkpath(QFileInfo(m_directory).absolutePath());
    // Created with its final mode, so it is never open to others; another thread may win the
    // race to create it, which is as good.
    return QDir().mkdir(m_directory, kOwnerOnlyDirectory) || QFileInfo(m_directory).isDir();
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
    if (!ensureDirectory()) {
        return ioError;
    }
    QTemporaryFile temporary(m_directory + u"/.item-XXXXXX"_s);
    if (!temporary.open() || !temporary.setPermissions(kOwnerOnlyFile)) {
        return ioError;
    }
    const QByteArray text = encodeItem(storedAttributes(attributes));
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
    if (!ensureDirectory()) {
        return ioError;
    }
    const FileLock lock(m_directory + u"/.lock"_s);
    if (!lock.isLocked()) {
        return ioError;
    }
    work();
    return success;
}

}  // namespace pathloom
