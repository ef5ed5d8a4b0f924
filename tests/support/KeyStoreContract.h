#pragma once

// What every KeyStore promises, as a typed GoogleTest suite. A test program instantiates it for
// its store with a "maker" type:
//
//   struct Maker {
//       // Why this store cannot be tested here, or nothing.
//       static std::optional<QString> unavailable();
//       // A store over the data folder `directory`; two stores of one folder share their items.
//       static std::unique_ptr<KeyStore> make(const QString& directory);
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, KeyStoreContract, Maker);

#include "foundation/KeyStore.h"
#include "foundation/P521PrivateKey.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <latch>
#include <memory>
#include <thread>
#include <vector>

namespace pathloom::test {

inline KeyStore::Attributes password(const QString& generic) {
    return {.itemClass = KeyStore::ItemClass::genericPassword, .generic = generic};
}

inline KeyStore::Attributes passwordWithData(const QString& generic, const QByteArray& data) {
    KeyStore::Attributes attributes = password(generic);
    attributes.valueData = data;
    return attributes;
}

inline KeyStore::Attributes passwordQuery(const QString& generic) {
    KeyStore::Attributes query = password(generic);
    query.returnAttributes = true;
    query.returnData = true;
    return query;
}

template <typename Maker>
class KeyStoreContract : public testing::Test {
protected:
    void SetUp() override {
        if (const auto reason = Maker::unavailable()) {
            GTEST_SKIP() << reason->toStdString();
        }
        m_store = Maker::make(m_directory);
    }

    [[nodiscard]] std::unique_ptr<KeyStore> another() const { return Maker::make(m_directory); }

    QTemporaryDir m_temporary;
    QString m_directory = m_temporary.path() + QStringLiteral("/data/keychain");
    std::unique_ptr<KeyStore> m_store;
};

TYPED_TEST_SUITE_P(KeyStoreContract);

TYPED_TEST_P(KeyStoreContract, KeepsAGenericPasswordForLaterInstances) {
    ASSERT_EQ(this->m_store->add(passwordWithData(QStringLiteral("sessionToken"), "secret")),
              KeyStore::success);

    const auto later = this->another();
    const auto match = later->copyMatching(passwordQuery(QStringLiteral("sessionToken")));
    ASSERT_EQ(match.status, KeyStore::success);
    ASSERT_TRUE(match.item.has_value());
    EXPECT_EQ(match.item->data, QByteArray("secret"));
    ASSERT_TRUE(match.item->attributes.has_value());
    EXPECT_EQ(match.item->attributes->generic, QStringLiteral("sessionToken"));
    EXPECT_FALSE(match.item->attributes->valueData.has_value());
}

TYPED_TEST_P(KeyStoreContract, AnswersWithTheKeychainStatuses) {
    KeyStore& store = *this->m_store;
    ASSERT_EQ(store.add(passwordWithData(QStringLiteral("stored"), "secret")), KeyStore::success);
    KeyStore::Attributes unlockedOnly = passwordQuery(QStringLiteral("stored"));
    unlockedOnly.accessible = KeyStore::Accessibility::whenUnlocked;
    const KeyStore::Attributes keyWithoutKey{.itemClass = KeyStore::ItemClass::key,
                                             .applicationLabel = QStringLiteral("label")};

    EXPECT_EQ(store.copyMatching(passwordQuery(QStringLiteral("missing"))).status,
              KeyStore::itemNotFound);
    EXPECT_EQ(store.copyMatching(unlockedOnly).status, KeyStore::itemNotFound);
    EXPECT_EQ(store.copyMatching({.itemClass = KeyStore::ItemClass::genericPassword}).status,
              KeyStore::invalidParameter);
    EXPECT_EQ(store.add(passwordWithData(QStringLiteral("stored"), "other")),
              KeyStore::duplicateItem);
    EXPECT_EQ(store.add(keyWithoutKey), KeyStore::invalidParameter);
    EXPECT_EQ(store.remove(password(QStringLiteral("missing"))), KeyStore::itemNotFound);
    EXPECT_EQ(store.remove(unlockedOnly), KeyStore::itemNotFound);
    EXPECT_EQ(store.remove(password(QStringLiteral("stored"))), KeyStore::success);
    EXPECT_EQ(store.copyMatching(passwordQuery(QStringLiteral("stored"))).status,
              KeyStore::itemNotFound);
    EXPECT_EQ(store.remove(password(QStringLiteral("stored"))), KeyStore::itemNotFound);
    // A key and a password of the same name are different items.
    EXPECT_EQ(store
                  .copyMatching({.itemClass = KeyStore::ItemClass::key,
                                 .applicationLabel = QStringLiteral("stored"),
                                 .returnRef = true})
                  .status,
              KeyStore::itemNotFound);
}

TYPED_TEST_P(KeyStoreContract, KeepsAPrivateKeyAndExportsItUnchanged) {
    KeyStore& store = *this->m_store;
    const auto privateKey = P521PrivateKey::generate();
    ASSERT_TRUE(privateKey.has_value());
    const auto key =
        store.createKey(privateKey->x963Representation(), KeyStore::KeyType::ellipticCurve,
                        KeyStore::KeyClass::privateKey);
    ASSERT_TRUE(key.has_value());
    ASSERT_EQ(store.add({.itemClass = KeyStore::ItemClass::key,
                         .applicationLabel = QStringLiteral("app.cache"),
                         .accessible = KeyStore::Accessibility::whenUnlocked,
                         .useDataProtectionKeychain = true,
                         .valueRef = *key}),
              KeyStore::success);

    const auto later = this->another();
    const auto match = later->copyMatching({.itemClass = KeyStore::ItemClass::key,
                                            .applicationLabel = QStringLiteral("app.cache"),
                                            .keyType = KeyStore::KeyType::ellipticCurve,
                                            .useDataProtectionKeychain = true,
                                            .returnRef = true});
    ASSERT_EQ(match.status, KeyStore::success);
    ASSERT_TRUE(match.item && match.item->key);
    EXPECT_EQ(later->exportKey(*match.item->key), privateKey->x963Representation());
}

constexpr int kContractThreads = 8;

TYPED_TEST_P(KeyStoreContract, OfConcurrentAddsOfOneItemExactlyOneSucceeds) {
    std::latch start(kContractThreads);
    std::vector<KeyStore::Status> statuses(kContractThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kContractThreads; ++i) {
        threads.emplace_back([&, i] {
            const auto store = this->another();
            start.arrive_and_wait();
            statuses[i] =
                store->add(passwordWithData(QStringLiteral("shared"), QByteArray::number(i)));
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }

    const auto winner = std::find(statuses.begin(), statuses.end(), KeyStore::success);
    ASSERT_NE(winner, statuses.end());
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), KeyStore::duplicateItem),
              kContractThreads - 1);
    const auto match = this->m_store->copyMatching(passwordQuery(QStringLiteral("shared")));
    ASSERT_TRUE(match.item.has_value());
    EXPECT_EQ(match.item->data, QByteArray::number(winner - statuses.begin()));
    // Exactly one item exists: once it is removed there is none left.
    EXPECT_EQ(this->m_store->remove(password(QStringLiteral("shared"))), KeyStore::success);
    EXPECT_EQ(this->m_store->copyMatching(passwordQuery(QStringLiteral("shared"))).status,
              KeyStore::itemNotFound);
}

TYPED_TEST_P(KeyStoreContract, SerializedWorkNeverOverlapsAcrossInstances) {
    std::latch start(kContractThreads);
    std::atomic<int> inside = 0;
    std::atomic<bool> overlapped = false;
    std::atomic<int> finished = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < kContractThreads; ++i) {
        threads.emplace_back([&] {
            const auto store = this->another();
            start.arrive_and_wait();
            const auto status = store->serialized([&] {
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
    EXPECT_EQ(finished, kContractThreads);
}

REGISTER_TYPED_TEST_SUITE_P(KeyStoreContract, KeepsAGenericPasswordForLaterInstances,
                            AnswersWithTheKeychainStatuses, KeepsAPrivateKeyAndExportsItUnchanged,
                            OfConcurrentAddsOfOneItemExactlyOneSucceeds,
                            SerializedWorkNeverOverlapsAcrossInstances);

}  // namespace pathloom::test
