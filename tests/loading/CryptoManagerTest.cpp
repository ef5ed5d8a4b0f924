#include "loading/CryptoManager.h"

#include "foundation/ChaChaPoly.h"
#include "foundation/CryptoError.h"
#include "foundation/FileKeyStore.h"
#include "foundation/Hkdf.h"
#include "foundation/P521PrivateKey.h"
#include "loading/CacheStorage.h"
#include "loading/KeyStoreError.h"

#include "InMemoryKeyStore.h"
#include "QtPrinting.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

const QString kLabel = u"org.pathloom.example"_s;

const KeyStore::Attributes kKeyQuery{.itemClass = KeyStore::ItemClass::key,
                                     .applicationLabel = kLabel,
                                     .keyType = KeyStore::KeyType::ellipticCurve,
                                     .useDataProtectionKeychain = true,
                                     .returnRef = true};

// The private key's bytes as the store holds them; empty when it holds none.
QByteArray storedKeyBytes(KeyStore& keyStore) {
    const KeyStore::Match match = keyStore.copyMatching(kKeyQuery);
    if (match.status != KeyStore::success || !match.item || !match.item->key) {
        return {};
    }
    return keyStore.exportKey(*match.item->key).value_or(QByteArray());
}

// The cache key of a private key, worked out step by step: HKDF-SHA-256 of the ECDH secret of
// the key with its own public key, empty salt and info, 32 bytes.
QByteArray derivedFrom(const QByteArray& privateKeyBytes) {
    const auto privateKey = P521PrivateKey::fromX963(privateKeyBytes);
    EXPECT_TRUE(privateKey.has_value());
    if (!privateKey) {
        return {};
    }
    const auto secret = privateKey->sharedSecret(privateKey->publicKeyX963());
    return Hkdf::sha256(secret.value_or(QByteArray()), {}, {}, 32).value_or(QByteArray());
}

// Puts `bytes` in the store as the private key of the label, in place of the one there.
void replaceStoredKey(KeyStore& keyStore, const QByteArray& bytes) {
    const KeyStore::Status removed = keyStore.remove(kKeyQuery);
    ASSERT_TRUE(removed == KeyStore::success || removed == KeyStore::itemNotFound);
    ASSERT_EQ(keyStore.add({.itemClass = KeyStore::ItemClass::key,
                            .applicationLabel = kLabel,
                            .accessible = KeyStore::Accessibility::whenUnlocked,
                            .useDataProtectionKeychain = true,
                            .valueRef = KeyStore::Key{.representation = bytes}}),
              KeyStore::success);
}

QByteArray freshKeyBytes() {
    const auto key = P521PrivateKey::generate();
    EXPECT_TRUE(key.has_value());
    return key ? key->x963Representation() : QByteArray();
}

TEST(CryptoManagerTest, GivesTheKeyOfTheStoredPrivateKeyOnEveryCallAndLeavesTheStoreAlone) {
    auto keyStore = std::make_shared<test::InMemoryKeyStore>();
    const CryptoManager cryptor(kLabel, keyStore);

    const auto first = cryptor.symmetricKey();
    ASSERT_TRUE(first.has_value());
    const QByteArray stored = storedKeyBytes(*keyStore);
    ASSERT_EQ(stored.size(), P521PrivateKey::x963Size);
    EXPECT_EQ(*first, derivedFrom(stored));

    // Repeated calls, copies and a manager of its own over the same store agree, and none of
    // them writes to the store.
    const CryptoManager copy = cryptor;
    for (const CryptoManager* manager :
         {&cryptor, &copy, &cryptor, &copy, static_cast<const CryptoManager*>(nullptr)}) {
        const auto key =
            manager ? manager->symmetricKey() : CryptoManager(kLabel, keyStore).symmetricKey();
        ASSERT_TRUE(key.has_value());
        EXPECT_EQ(*key, *first);
    }
    EXPECT_EQ(storedKeyBytes(*keyStore), stored);
    EXPECT_EQ(keyStore->itemCount(), 1);
}

// What the store holds changes after a key was derived: the next call must follow the store.
struct StoreChange {
    const char* name;
    std::function<void(test::InMemoryKeyStore& keyStore)> change;
    // When the next call must fail: the key store error's message, or empty for a key-parsing
    // error. Nothing when it must give the key of whatever the store then holds.
    std::optional<QString> failure = std::nullopt;
};

void PrintTo(const StoreChange& storeChange, std::ostream* os) { *os << storeChange.name; }

class CryptoManagerStoreChangeTest : public testing::TestWithParam<StoreChange> {};

TEST_P(CryptoManagerStoreChangeTest, TheNextCallFollowsTheStoreNotTheKeyDerivedBefore) {
    auto keyStore = std::make_shared<test::InMemoryKeyStore>();
    const CryptoManager cryptor(kLabel, keyStore);
    const auto before = cryptor.symmetricKey();
    ASSERT_TRUE(before.has_value());
    const QByteArray bytesBefore = storedKeyBytes(*keyStore);

    GetParam().change(*keyStore);
    const auto after = cryptor.symmetricKey();

    if (!GetParam().failure) {
        ASSERT_TRUE(after.has_value());
        const QByteArray bytesNow = storedKeyBytes(*keyStore);
        EXPECT_NE(bytesNow, bytesBefore);
        EXPECT_EQ(*after, derivedFrom(bytesNow));
        EXPECT_NE(*after, *before);
        // And it goes on following it.
        EXPECT_EQ(cryptor.symmetricKey(), derivedFrom(bytesNow));
        return;
    }
    ASSERT_FALSE(after.has_value());
    if (GetParam().failure->isEmpty()) {
        ASSERT_NE(after.error().as<CryptoError>(), nullptr);
        EXPECT_EQ(after.error().as<CryptoError>()->errorCase(),
                  CryptoError::Case::invalidKeyRepresentation);
    } else {
        ASSERT_NE(after.error().as<KeyStoreError>(), nullptr);
        EXPECT_EQ(after.error().as<KeyStoreError>()->message, *GetParam().failure);
    }
    // Once the store is sound again, so is the key.
    keyStore->clearFailures();
    replaceStoredKey(*keyStore, bytesBefore);
    EXPECT_EQ(cryptor.symmetricKey(), *before);
}

using Operation = test::InMemoryKeyStore::Operation;

INSTANTIATE_TEST_SUITE_P(
    Changes, CryptoManagerStoreChangeTest,
    testing::Values(
        StoreChange{"KeyReplaced",
                    [](test::InMemoryKeyStore& keys) { replaceStoredKey(keys, freshKeyBytes()); }},
        // The call makes and stores a new key, as on first use.
        StoreChange{"KeyDeleted",
                    [](test::InMemoryKeyStore& keys) {
                        ASSERT_EQ(keys.remove(kKeyQuery), KeyStore::success);
                    }},
        StoreChange{"KeyOneBitOff",
                    [](test::InMemoryKeyStore& keys) {
                        QByteArray bytes = storedKeyBytes(keys);
                        bytes[bytes.size() - 1] = static_cast<char>(bytes.back() ^ 0x01);
                        replaceStoredKey(keys, bytes);
                    },
                    QString()},
        StoreChange{"ReadFails",
                    [](test::InMemoryKeyStore& keys) {
                        keys.failWith(Operation::copyMatching, KeyStore::interactionNotAllowed);
                    },
                    u"Keychain read failed: -25308"_s},
        StoreChange{"ExportFails",
                    [](test::InMemoryKeyStore& keys) {
                        keys.failKeyExport(u"The key cannot be exported."_s);
                    },
                    u"The key cannot be exported."_s}),
    [](const auto& info) { return std::string(info.param.name); });

// Entries in the file format of every earlier build: sealed under the derived key, whichever
// manager sealed them, and unreadable once the key is replaced.
TEST(CryptoManagerTest, EntriesKeepTheirFormatAndReadabilityAcrossManagersAndKeyChanges) {
    QTemporaryDir directory;
    auto keyStore = std::make_shared<FileKeyStore>(directory.filePath(u"keychain"_s));
    const CacheStorage writer(directory.filePath(u"Caches"_s), CryptoManager(kLabel, keyStore));
    const QByteArray picture = QByteArray("\x89PNG").repeated(300);
    ASSERT_TRUE(writer.saveData(picture, u"written"_s, true).has_value());
    const QByteArray key = derivedFrom(storedKeyBytes(*keyStore));

    // An entry sealed outside the store, as an earlier build wrote it.
    {
        QFile file(writer.entryPath(u"earlier"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(*ChaChaPoly::seal(key, '"' + picture.toBase64() + '"'));
    }
    // What this build wrote opens under the key worked out by hand.
    QFile written(writer.entryPath(u"written"_s));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(ChaChaPoly::open(key, written.readAll()), '"' + picture.toBase64() + '"');

    for (const CacheStorage& reader :
         {writer, CacheStorage(writer.path(), CryptoManager(kLabel, keyStore))}) {
        for (const QString& entry : {u"written"_s, u"earlier"_s, u"written"_s}) {
            EXPECT_EQ(reader.loadData(entry), picture) << entry.toStdString();
        }
    }

    // A replaced key makes the entries unreadable, and the reader that used the old key deletes
    // them as it always has.
    replaceStoredKey(*keyStore, freshKeyBytes());
    EXPECT_FALSE(writer.loadData(u"written"_s).has_value());
    EXPECT_FALSE(writer.contains(u"written"_s));
}

}  // namespace
}  // namespace pathloom
