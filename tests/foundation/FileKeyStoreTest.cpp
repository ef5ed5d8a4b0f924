#include "foundation/FileKeyStore.h"

#include "foundation/P521PrivateKey.h"

#include "QtPrinting.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <latch>
#include <thread>
#include <vector>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Attributes = KeyStore::Attributes;
using ItemClass = KeyStore::ItemClass;

Attributes password(const QString& generic) {
    return {.itemClass = ItemClass::genericPassword, .generic = generic};
}

Attributes passwordWithData(const QString& generic, const QByteArray& data) {
    Attributes attributes = password(generic);
    attributes.valueData = data;
    return attributes;
}

Attributes passwordQuery(const QString& generic) {
    Attributes query = password(generic);
    query.returnAttributes = true;
    query.returnData = true;
    return query;
}

unsigned modeOf(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return 0;
    }
    return status.st_mode & 0777;
}

// The item files of a store: everything but the lock file.
QStringList itemFiles(const QString& directory) {
    return QDir(directory)
        .entryList(QDir::Files | QDir::Hidden)
        .filter(QRegularExpression(u"^[a-zA-Z]+-"_s));
}

class FileKeyStoreTest : public testing::Test {
protected:
    QTemporaryDir m_temporary;
    QString m_directory = m_temporary.path() + u"/data/keychain"_s;
    FileKeyStore m_store{m_directory};
};

TEST_F(FileKeyStoreTest, KeepsAGenericPasswordForLaterInstances) {
    ASSERT_EQ(m_store.add(passwordWithData(u"sessionToken"_s, "secret")), KeyStore::success);

    FileKeyStore later(m_directory);
    const auto match = later.copyMatching(passwordQuery(u"sessionToken"_s));
    ASSERT_EQ(match.status, KeyStore::success);
    ASSERT_TRUE(match.item.has_value());
    EXPECT_EQ(match.item->data, QByteArray("secret"));
    ASSERT_TRUE(match.item->attributes.has_value());
    EXPECT_EQ(match.item->attributes->generic, u"sessionToken"_s);
    EXPECT_FALSE(match.item->attributes->valueData.has_value());
}

TEST_F(FileKeyStoreTest, CreatesItsDirectoryAndItemsReadableOnlyByTheUser) {
    ASSERT_FALSE(QDir(m_directory).exists());
    ASSERT_EQ(m_store.add(passwordWithData(u"sessionToken"_s, "secret")), KeyStore::success);

    EXPECT_EQ(modeOf(m_directory), 0700u);
    const QStringList items = itemFiles(m_directory);
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(modeOf(m_directory + u'/' + items.first()), 0600u);
    // Nothing of the temporary file is left behind.
    EXPECT_EQ(QDir(m_directory).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(FileKeyStoreTest, AnswersWithTheKeychainStatuses) {
    ASSERT_EQ(m_store.add(passwordWithData(u"stored"_s, "secret")), KeyStore::success);
    Attributes unlockedOnly = passwordQuery(u"stored"_s);
    unlockedOnly.accessible = KeyStore::Accessibility::whenUnlocked;
    const Attributes keyWithoutKey{.itemClass = ItemClass::key, .applicationLabel = u"label"_s};

    EXPECT_EQ(m_store.copyMatching(passwordQuery(u"missing"_s)).status, KeyStore::itemNotFound);
    EXPECT_EQ(m_store.copyMatching(unlockedOnly).status, KeyStore::itemNotFound);
    EXPECT_EQ(m_store.copyMatching({.itemClass = ItemClass::genericPassword}).status,
              KeyStore::invalidParameter);
    EXPECT_EQ(m_store.add(passwordWithData(u"stored"_s, "other")), KeyStore::duplicateItem);
    EXPECT_EQ(m_store.add(keyWithoutKey), KeyStore::invalidParameter);
    EXPECT_EQ(m_store.remove(password(u"missing"_s)), KeyStore::itemNotFound);
    EXPECT_EQ(m_store.remove(password(u"stored"_s)), KeyStore::success);
    EXPECT_EQ(m_store.copyMatching(passwordQuery(u"stored"_s)).status, KeyStore::itemNotFound);
    EXPECT_EQ(m_store.remove(password(u"stored"_s)), KeyStore::itemNotFound);
}

TEST_F(FileKeyStoreTest, KeepsAPrivateKeyAndExportsItUnchanged) {
    const auto privateKey = P521PrivateKey::generate();
    ASSERT_TRUE(privateKey.has_value());
    const auto key =
        m_store.createKey(privateKey->x963Representation(), KeyStore::KeyType::ellipticCurve,
                          KeyStore::KeyClass::privateKey);
    ASSERT_TRUE(key.has_value());
    ASSERT_EQ(m_store.add({.itemClass = ItemClass::key,
                           .applicationLabel = u"app.cache"_s,
                           .accessible = KeyStore::Accessibility::whenUnlocked,
                           .useDataProtectionKeychain = true,
                           .valueRef = *key}),
              KeyStore::success);

    const auto match = m_store.copyMatching({.itemClass = ItemClass::key,
                                             .applicationLabel = u"app.cache"_s,
                                             .keyType = KeyStore::KeyType::ellipticCurve,
                                             .useDataProtectionKeychain = true,
                                             .returnRef = true});
    ASSERT_EQ(match.status, KeyStore::success);
    ASSERT_TRUE(match.item && match.item->key);
    EXPECT_EQ(m_store.exportKey(*match.item->key), privateKey->x963Representation());
}

TEST_F(FileKeyStoreTest, RefusesToCreateAKeyFromBytesThatAreNoX963Key) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray(199, '\x02'), QByteArray(150, '\x04')}) {
        EXPECT_FALSE(
            m_store
                .createKey(bytes, KeyStore::KeyType::ellipticCurve, KeyStore::KeyClass::privateKey)
                .has_value())
            << bytes.size();
    }
}

TEST_F(FileKeyStoreTest, ReportsACorruptItemAndLetsItBeRemoved) {
    ASSERT_EQ(m_store.add(passwordWithData(u"sessionToken"_s, "secret")), KeyStore::success);
    const QString item = m_directory + u'/' + itemFiles(m_directory).first();
    QFile file(item);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"class\":");
    file.close();

    EXPECT_EQ(m_store.copyMatching(passwordQuery(u"sessionToken"_s)).status, KeyStore::decodeError);
    EXPECT_EQ(m_store.remove(password(u"sessionToken"_s)), KeyStore::success);
    EXPECT_FALSE(QFile::exists(item));
}

constexpr int kThreads = 8;

TEST_F(FileKeyStoreTest, OfConcurrentAddsOfOneItemExactlyOneSucceeds) {
    std::latch start(kThreads);
    std::vector<KeyStore::Status> statuses(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            FileKeyStore store(m_directory);
            start.arrive_and_wait();
            statuses[i] = store.add(passwordWithData(u"shared"_s, QByteArray::number(i)));
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }

    const auto winner = std::find(statuses.begin(), statuses.end(), KeyStore::success);
    ASSERT_NE(winner, statuses.end());
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), KeyStore::duplicateItem), kThreads - 1);
    const auto match = m_store.copyMatching(passwordQuery(u"shared"_s));
    ASSERT_TRUE(match.item.has_value());
    EXPECT_EQ(match.item->data, QByteArray::number(winner - statuses.begin()));
}

TEST_F(FileKeyStoreTest, SerializedWorkNeverOverlapsAcrossInstances) {
    std::latch start(kThreads);
    std::atomic<int> inside = 0;
    std::atomic<bool> overlapped = false;
    std::atomic<int> finished = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&] {
            FileKeyStore store(m_directory);
            start.arrive_and_wait();
            const auto status = store.serialized([&] {
                if (++inside > 1) {
                    overlapped = true;
                }
                // Long enough for the other threads to pile up at the lock.
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                --inside;
            });
            if (status == KeyStore::success) {
                ++finished;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_FALSE(overlapped);
    EXPECT_EQ(finished, kThreads);
}

}  // namespace
}  // namespace pathloom
