#include "foundation/FileKeyStore.h"

#include "foundation/P521PrivateKey.h"

#include "KeyStoreContract.h"
#include "QtPrinting.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <optional>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Attributes = KeyStore::Attributes;
using ItemClass = KeyStore::ItemClass;
using test::password;
using test::passwordQuery;
using test::passwordWithData;

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

TEST_F(FileKeyStoreTest, ListsEveryStoredItemWithItsSecret) {
    ASSERT_EQ(m_store.storedItems(), QList<Attributes>{});
    const auto privateKey = P521PrivateKey::generate();
    ASSERT_TRUE(privateKey.has_value());
    const Attributes key{
        .itemClass = ItemClass::key,
        .applicationLabel = u"app.cache"_s,
        .keyType = KeyStore::KeyType::ellipticCurve,
        .keyClass = KeyStore::KeyClass::privateKey,
        .accessible = KeyStore::Accessibility::whenUnlocked,
        .useDataProtectionKeychain = true,
        .valueRef = KeyStore::Key{.representation = privateKey->x963Representation()}};
    ASSERT_EQ(m_store.add(key), KeyStore::success);
    ASSERT_EQ(m_store.add(passwordWithData(u"sessionToken"_s, "secret")), KeyStore::success);

    auto items = m_store.storedItems();
    ASSERT_TRUE(items.has_value());
    std::sort(items->begin(), items->end(), [](const Attributes& a, const Attributes& b) {
        return a.itemClass == ItemClass::key && b.itemClass != ItemClass::key;
    });
    EXPECT_EQ(*items, (QList<Attributes>{key, passwordWithData(u"sessionToken"_s, "secret")}));
}

}  // namespace

// The suite's registration lives in its own namespace.
namespace test {

struct FileStores {
    static std::optional<QString> unavailable() { return std::nullopt; }
    static std::unique_ptr<KeyStore> make(const QString& directory) {
        return std::make_unique<FileKeyStore>(directory);
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(FileKeyStore, KeyStoreContract, FileStores);

}  // namespace test

namespace {}  // namespace
}  // namespace pathloom
