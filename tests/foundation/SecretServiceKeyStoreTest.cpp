#include "foundation/SecretServiceKeyStore.h"

#include "KeyStoreContract.h"
#include "PrivateKeyring.h"
#include "QtPrinting.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <memory>
#include <optional>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::password;
using test::passwordQuery;
using test::passwordWithData;

}  // namespace

// The suite's registration lives in its own namespace.
namespace test {

struct KeyringStores {
    static std::optional<QString> unavailable() { return test::privateKeyringUnavailable(); }
    static std::unique_ptr<KeyStore> make(const QString& directory) {
        return std::make_unique<SecretServiceKeyStore>(directory);
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(SecretServiceKeyStore, KeyStoreContract, KeyringStores);

}  // namespace test

namespace {

class SecretServiceKeyStoreTest : public testing::Test {
protected:
    void SetUp() override {
        if (!test::privateKeyringInstalled()) {
            GTEST_SKIP() << "dbus-run-session or gnome-keyring-daemon is not installed";
        }
        // Installed, the keyring tests must run, and only ever on the private keyring.
        ASSERT_EQ(test::privateKeyringUnavailable(), std::nullopt);
    }

    QTemporaryDir m_temporary;
};

TEST_F(SecretServiceKeyStoreTest, FindsTheKeyringOfTheSession) {
    EXPECT_EQ(SecretServiceKeyStore::probe(std::chrono::milliseconds(2000)),
              (std::expected<void, QString>{}));
}

TEST_F(SecretServiceKeyStoreTest, KeepsTheItemsOfEachFolderApart) {
    SecretServiceKeyStore first(m_temporary.filePath(u"first"_s));
    SecretServiceKeyStore second(m_temporary.filePath(u"second"_s));
    ASSERT_EQ(first.add(passwordWithData(u"sessionToken"_s, "first")), KeyStore::success);
    ASSERT_EQ(second.add(passwordWithData(u"sessionToken"_s, "second")), KeyStore::success);

    EXPECT_EQ(first.remove(password(u"sessionToken"_s)), KeyStore::success);
    EXPECT_EQ(first.copyMatching(passwordQuery(u"sessionToken"_s)).status, KeyStore::itemNotFound);
    const auto kept = second.copyMatching(passwordQuery(u"sessionToken"_s));
    ASSERT_TRUE(kept.item.has_value());
    EXPECT_EQ(kept.item->data, QByteArray("second"));
}

}  // namespace
}  // namespace pathloom
