#include "loading/CacheStorage.h"

#include "documents/AppData.h"
#include "foundation/ChaChaPoly.h"
#include "foundation/CryptoError.h"
#include "foundation/FileKeyStore.h"
#include "loading/KeyStoreError.h"

#include "InMemoryKeyStore.h"
#include "QtPrinting.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <functional>
#include <latch>
#include <thread>
#include <tuple>
#include <vector>

namespace pathloom {
namespace {

using test::readFile;

using namespace Qt::StringLiterals;

const QString kEntry = u".env"_s;
const QString kLabel = u"org.pathloom.example"_s;

AppData sampleApp() {
    AppData app;
    app.id = 42;
    app.name = u"Field Study"_s;
    app.navigationStyle = AppNavigationStyle::tabBar;
    app.tabIds = QList<qint64>{3, 1};
    app.appleHexTintColor = u"#336699"_s;
    app.shouldGatherAnalytics = true;
    app.analyticsURL = QUrl(u"https://analytics.example.org/ahoy"_s);
    return app;
}

QString keyStoreMessage(const Error& error) {
    const auto* keyStoreError = error.as<KeyStoreError>();
    return keyStoreError ? keyStoreError->message : u"not a KeyStoreError: "_s + error.domain();
}

class CacheStorageTest : public testing::Test {
protected:
    // A store as a separate launch of the app would make it: new objects over the same files.
    [[nodiscard]] CacheStorage storage(const QString& label = kLabel) const {
        return CacheStorage(m_cachePath,
                            CryptoManager(label, std::make_shared<FileKeyStore>(m_keychainPath)));
    }
    [[nodiscard]] QString entryFile() const { return m_cachePath + u'/' + kEntry; }
    [[nodiscard]] qsizetype keyItemCount() const {
        return QDir(m_keychainPath).entryList({u"key-*"_s}, QDir::Files).size();
    }

    QTemporaryDir m_temporary;
    QString m_cachePath = m_temporary.path() + u"/Documents"_s;
    QString m_keychainPath = m_temporary.path() + u"/keychain"_s;
};

TEST_F(CacheStorageTest, FirstSaveCreatesTheKeyAndAnotherManagerOfTheLabelReadsTheEntry) {
    ASSERT_EQ(keyItemCount(), 0);
    ASSERT_TRUE(storage().save(sampleApp().toStored(), kEntry, true).has_value());
    EXPECT_EQ(keyItemCount(), 1);

    const auto loaded = storage().load(kEntry, &AppData::fromStored);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(*loaded, sampleApp());
    EXPECT_EQ(keyItemCount(), 1);
}

TEST_F(CacheStorageTest, WritesTheCombinedFormUnderTheDerivedKeyReadableOnlyByTheUser) {
    const CacheStorage cache = storage();
    const QJsonObject stored = sampleApp().toStored();
    ASSERT_TRUE(cache.save(stored, kEntry, true).has_value());
    ASSERT_TRUE(cache.saveData(QByteArray("\x89PNG\0\x01", 6), u"picture"_s, true).has_value());

    const auto key = cache.cryptor().symmetricKey();
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->size(), 32);
    const QByteArray file = readFile(entryFile());
    const QByteArray json = QJsonDocument(stored).toJson(QJsonDocument::Compact);
    EXPECT_EQ(file.size(), 12 + json.size() + 16);
    EXPECT_EQ(QJsonDocument::fromJson(ChaChaPoly::open(*key, file).value_or("")).object(), stored);
    // Bytes are kept as the JSON string of their base64 form.
    EXPECT_EQ(ChaChaPoly::open(*key, readFile(cache.entryPath(u"picture"_s))),
              QByteArray("\"iVBORwAB\""));

    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(entryFile()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_F(CacheStorageTest, KeepsBytesAndReadsThemBack) {
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i) {
        bytes.append(static_cast<char>(i * 7));
    }
    ASSERT_TRUE(storage().saveData(bytes, u"f00d"_s, true).has_value());
    EXPECT_EQ(storage().loadData(u"f00d"_s), bytes);
}

TEST_F(CacheStorageTest, AMissingEntryGivesNothingAndLeavesNoFile) {
    EXPECT_FALSE(storage().load(kEntry).has_value());
    EXPECT_FALSE(storage().loadData(kEntry).has_value());
    EXPECT_FALSE(QFile::exists(entryFile()));
    EXPECT_FALSE(storage().contains(kEntry));
}

TEST_F(CacheStorageTest, SavingWithoutOverwriteKeepsTheEarlierEntry) {
    const QJsonObject first{{u"version"_s, 1}};
    const QJsonObject second{{u"version"_s, 2}};
    ASSERT_TRUE(storage().save(first, kEntry, true).has_value());
    ASSERT_TRUE(storage().save(second, kEntry, false).has_value());
    EXPECT_EQ(storage().load(kEntry), first);
    ASSERT_TRUE(storage().save(second, kEntry, true).has_value());
    EXPECT_EQ(storage().load(kEntry), second);
}

TEST_F(CacheStorageTest, AStagedEntryReplacesTheEntryOnlyWhenCommitted) {
    const QJsonObject first{{u"version"_s, 1}};
    const QByteArray second = R"({"version":2})";
    ASSERT_TRUE(storage().save(first, kEntry, true).has_value());
    {
        auto dropped = storage().stageEncoded(R"({"version":3})", kEntry);
        ASSERT_TRUE(dropped.has_value());
        EXPECT_EQ(storage().load(kEntry), first);
    }
    EXPECT_EQ(QDir(m_cachePath).entryList(QDir::Files | QDir::Hidden), QStringList{kEntry});

    auto staged = storage().stageEncoded(second, kEntry);
    ASSERT_TRUE(staged.has_value());
    EXPECT_EQ(storage().load(kEntry), first);
    ASSERT_TRUE(staged->commit().has_value());

    EXPECT_EQ(storage().load(kEntry), (QJsonObject{{u"version"_s, 2}}));
    EXPECT_EQ(QDir(m_cachePath).entryList(QDir::Files | QDir::Hidden), QStringList{kEntry});
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(entryFile()).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_F(CacheStorageTest, RemovesAnEntryAndAcceptsRemovingNone) {
    ASSERT_TRUE(storage().save(QJsonObject{}, kEntry, true).has_value());
    ASSERT_TRUE(storage().contains(kEntry));
    EXPECT_TRUE(storage().remove(kEntry).has_value());
    EXPECT_FALSE(QFile::exists(entryFile()));
    EXPECT_TRUE(storage().remove(kEntry).has_value());
}

// A bad entry is deleted when read, so that it costs one failed read only.
struct BadEntry {
    const char* name;
    std::function<void(const QString& entryFile, const QString& keychainPath)> spoil;
    std::function<bool(const CacheStorage& sameLabel, const CacheStorage& otherLabel)> load;
};

void PrintTo(const BadEntry& badEntry, std::ostream* os) { *os << badEntry.name; }

void leaveAlone(const QString&, const QString&) {}

bool loadsObject(const CacheStorage& cache, const CacheStorage&) {
    return cache.load(kEntry).has_value();
}

class CacheStorageBadEntryTest : public CacheStorageTest,
                                 public testing::WithParamInterface<BadEntry> {};

TEST_P(CacheStorageBadEntryTest, IsDeletedOnLoadAndGivesNothing) {
    ASSERT_TRUE(storage().save(sampleApp().toStored(), kEntry, true).has_value());
    GetParam().spoil(entryFile(), m_keychainPath);

    EXPECT_FALSE(GetParam().load(storage(), storage(u"other.label"_s)));
    EXPECT_FALSE(QFile::exists(entryFile()));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CacheStorageBadEntryTest,
    testing::Values(
        BadEntry{"UnderAnotherLabel", leaveAlone,
                 [](const CacheStorage&, const CacheStorage& other) {
                     return other.load(kEntry).has_value();
                 }},
        BadEntry{"OneByteFlipped",
                 [](const QString& file, const QString&) {
                     QByteArray bytes = readFile(file);
                     bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x01);
                     ASSERT_TRUE(test::writeFile(file, bytes));
                 },
                 loadsObject},
        BadEntry{"TwentySevenBytes",
                 [](const QString& file, const QString&) {
                     ASSERT_TRUE(test::writeFile(file, readFile(file).first(27)));
                 },
                 loadsObject},
        BadEntry{"KeyDeletedFromTheKeyStore",
                 [](const QString&, const QString& keychainPath) {
                     FileKeyStore keys(keychainPath);
                     ASSERT_EQ(keys.remove({.itemClass = KeyStore::ItemClass::key,
                                            .applicationLabel = kLabel}),
                               KeyStore::success);
                 },
                 loadsObject},
        BadEntry{"RefusedByTheDecoder", leaveAlone,
                 [](const CacheStorage& cache, const CacheStorage&) {
                     return cache
                         .load(kEntry,
                               [](const QJsonObject&) -> std::expected<AppData, DecodingError> {
                                   return std::unexpected(DecodingError::keyNotFound(u"id"_s));
                               })
                         .has_value();
                 }},
        BadEntry{"NotBytes", leaveAlone,
                 [](const CacheStorage& cache, const CacheStorage&) {
                     return cache.loadData(kEntry).has_value();
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CacheStorageTest, AnEntryThatIsNoObjectIsDeleted) {
    ASSERT_TRUE(storage().saveData("bytes", kEntry, true).has_value());
    EXPECT_FALSE(storage().load(kEntry).has_value());
    EXPECT_FALSE(QFile::exists(entryFile()));
}

// Bytes entries are read from any JSON string of base64, whether written by saveData() (digits
// between quotes) or otherwise; anything else is a bad entry.
TEST_F(CacheStorageTest, ReadsBytesFromEveryJsonFormOfTheirString) {
    const CacheStorage cache = storage();
    ASSERT_TRUE(cache.saveData("hi", u"made-here"_s, true).has_value());
    const QByteArray key = cache.cryptor().symmetricKey().value_or(QByteArray());
    ASSERT_EQ(key.size(), 32);
    const struct {
        QByteArray plaintext;
        std::optional<QByteArray> bytes;
    } forms[] = {
        {R"("aGk=")", QByteArray("hi")},
        {R"("aA==")", QByteArray("h")},
        {R"("aGl=")", QByteArray("hi")},
        {R"("aGk")", QByteArray("hi")},
        {R"("")", QByteArray()},
        {R"("aGk\u003d")", QByteArray("hi")},
        {R"(  "aGk=" )", QByteArray("hi")},
        {R"("aG\/k")", QByteArray::fromBase64("aG/k")},
        {R"("aGk=" ")", std::nullopt},
        {R"("a*k=")", std::nullopt},
        {R"(["aGk="])", std::nullopt},
        {R"(")", std::nullopt},
    };
    for (const auto& form : forms) {
        ASSERT_TRUE(
            test::writeFile(cache.entryPath(u"form"_s), *ChaChaPoly::seal(key, form.plaintext)));
        EXPECT_EQ(cache.loadData(u"form"_s), form.bytes) << form.plaintext.toStdString();
        EXPECT_EQ(cache.contains(u"form"_s), form.bytes.has_value())
            << form.plaintext.toStdString();
    }
    EXPECT_EQ(cache.loadData(u"made-here"_s), QByteArray("hi"));

    // Every length modulo three, so every kind of final group, and every byte value.
    for (const qsizetype size : {0, 1, 2, 3, 4, 5, 767, 768, 769}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>((i * 131 + 7) % 256);
        }
        ASSERT_TRUE(cache.saveData(bytes, u"sized"_s, true).has_value());
        EXPECT_EQ(cache.loadData(u"sized"_s), bytes) << size;
    }
}

TEST_F(CacheStorageTest, AKeyStoreFailureOnLoadKeepsTheEntryForALaterRead) {
    auto keyStore = std::make_shared<test::InMemoryKeyStore>();
    const CacheStorage cache(m_cachePath, CryptoManager(kLabel, keyStore));
    ASSERT_TRUE(cache.save(sampleApp().toStored(), kEntry, true).has_value());

    keyStore->failWith(test::InMemoryKeyStore::Operation::copyMatching,
                       KeyStore::interactionNotAllowed);
    EXPECT_FALSE(cache.load(kEntry).has_value());
    EXPECT_TRUE(QFile::exists(entryFile()));

    keyStore->clearFailures();
    EXPECT_EQ(cache.load(kEntry), sampleApp().toStored());
}

// How the key store's failures surface from a save, which then writes nothing.
struct KeyFailure {
    const char* name;
    std::function<void(test::InMemoryKeyStore& keyStore)> arrange;
    const char* message;
};

void PrintTo(const KeyFailure& keyFailure, std::ostream* os) { *os << keyFailure.name; }

class CacheStorageKeyFailureTest : public CacheStorageTest,
                                   public testing::WithParamInterface<KeyFailure> {};

TEST_P(CacheStorageKeyFailureTest, FailsTheSaveWithTheKeyStoreMessage) {
    auto keyStore = std::make_shared<test::InMemoryKeyStore>();
    GetParam().arrange(*keyStore);
    const CacheStorage cache(m_cachePath, CryptoManager(kLabel, keyStore));

    const auto saved = cache.save(sampleApp().toStored(), kEntry, true);
    ASSERT_FALSE(saved.has_value());
    EXPECT_EQ(keyStoreMessage(saved.error()), QString::fromUtf8(GetParam().message));
    EXPECT_EQ(saved.error().domain(), u"PathloomCore.KeyStoreError"_s);
    EXPECT_FALSE(QFile::exists(entryFile()));
}

using Operation = test::InMemoryKeyStore::Operation;

INSTANTIATE_TEST_SUITE_P(
    KeyStore, CacheStorageKeyFailureTest,
    testing::Values(KeyFailure{"ReadFails",
                               [](test::InMemoryKeyStore& keys) {
                                   keys.failWith(Operation::copyMatching,
                                                 KeyStore::interactionNotAllowed);
                               },
                               "Keychain read failed: -25308"},
                    KeyFailure{"LockFails",
                               [](test::InMemoryKeyStore& keys) {
                                   keys.failWith(Operation::serialized, KeyStore::ioError);
                               },
                               "Keychain read failed: -36"},
                    KeyFailure{"KeyCreationFails",
                               [](test::InMemoryKeyStore& keys) { keys.failKeyCreation(u"no"_s); },
                               "Unable to create SecKey representation."},
                    KeyFailure{"AddFails",
                               [](test::InMemoryKeyStore& keys) {
                                   keys.failWith(Operation::add, KeyStore::duplicateItem);
                               },
                               "Unable to store item: -25299"},
                    KeyFailure{"ExportFails",
                               [](test::InMemoryKeyStore& keys) {
                                   std::ignore =
                                       keys.add({.itemClass = KeyStore::ItemClass::key,
                                                 .applicationLabel = kLabel,
                                                 .valueRef = KeyStore::Key{
                                                     .representation = QByteArray(199, '\x04')}});
                                   keys.failKeyExport(u"The key cannot be exported."_s);
                               },
                               "The key cannot be exported."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CacheStorageTest, AStoredKeyThatDoesNotParseFailsWithTheParsingError) {
    auto keyStore = std::make_shared<test::InMemoryKeyStore>();
    ASSERT_EQ(keyStore->add({.itemClass = KeyStore::ItemClass::key,
                             .applicationLabel = kLabel,
                             .valueRef = KeyStore::Key{.representation = QByteArray(199, '\x04')}}),
              KeyStore::success);
    const CryptoManager cryptor(kLabel, keyStore);

    const auto key = cryptor.symmetricKey();
    ASSERT_FALSE(key.has_value());
    ASSERT_NE(key.error().as<CryptoError>(), nullptr);
    EXPECT_EQ(key.error().as<CryptoError>()->errorCase(),
              CryptoError::Case::invalidKeyRepresentation);
}

TEST_F(CacheStorageTest, ConcurrentFirstUsesShareOneKey) {
    constexpr int kThreads = 8;
    std::latch start(kThreads);
    std::vector<std::expected<void, Error>> results(kThreads, std::expected<void, Error>());
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            const CacheStorage cache = storage();
            start.arrive_and_wait();
            results[i] =
                cache.saveData(QByteArray::number(i), u"entry-"_s + QString::number(i), true);
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }

    for (int i = 0; i < kThreads; ++i) {
        ASSERT_TRUE(results[i].has_value()) << keyStoreMessage(results[i].error()).toStdString();
        EXPECT_EQ(storage().loadData(u"entry-"_s + QString::number(i)), QByteArray::number(i));
    }
    EXPECT_EQ(keyItemCount(), 1);
}

}  // namespace
}  // namespace pathloom
