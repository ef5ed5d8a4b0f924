#include "run/SourceSelection.h"

#include "FakeImageLoader.h"
#include "InMemoryKeyStore.h"
#include "Loads.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "analytics/UserDefault.h"
#include "foundation/FileKeyStore.h"
#include "loading/AppConfigurationManager.h"
#include "network/CredentialsStore.h"
#include "network/SecurityStore.h"
#include "session/Session.h"

#include <gtest/gtest.h>
#include <QSettings>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

const QByteArray kDocument =
    R"({"id":3,"name":"Survey","servers":[],"navigationStyle":"list",
    "workflows":[{"id":10,"identifier":"intake","steps":[]}]})";
const QString kVisitorToken = u"8F1A2B3C-4D5E-4F60-8172-93A4B5C6D7E8"_s;

// What a source is, for comparing them: "file <path>", "remote <url>" or "cached".
QString label(const AppConfigurationContext& context) {
    if (const auto* file = std::get_if<AppConfigurationContext::File>(&context.source)) {
        return u"file "_s + file->path;
    }
    if (const auto* remote = std::get_if<AppConfigurationContext::Remote>(&context.source)) {
        return u"remote "_s + remote->url;
    }
    return u"cached"_s;
}

// A manager over a temporary folder with a document file beside it.
struct Folder {
    Folder() {
        AppConfigurationManager::Sources parts = test::managerSources(dir, keys);
        parts.imageLoader = std::make_shared<test::FakeImageLoader>();
        manager = std::make_unique<AppConfigurationManager>(std::move(parts));
        EXPECT_TRUE(test::writeFile(documentPath(), kDocument));
    }

    [[nodiscard]] QString documentPath() const { return dir.filePath(u"app.json"_s); }

    // The sources the rows of a table name.
    [[nodiscard]] AppConfigurationContext source(const QString& name) const {
        if (name == u"missing file") {
            return AppConfigurationContext::file(dir.filePath(u"missing.json"_s));
        }
        if (name == u"document file") {
            return AppConfigurationContext::file(documentPath());
        }
        if (name == u"remote") {
            return AppConfigurationContext::remote(u"http://127.0.0.1:1/app.json"_s);
        }
        return AppConfigurationContext::cached();
    }

    QTemporaryDir dir;
    std::shared_ptr<test::InMemoryKeyStore> keys = std::make_shared<test::InMemoryKeyStore>();
    std::unique_ptr<AppConfigurationManager> manager;
};

TEST(SourceSelectionTest, TakesTheFirstSourceThatCanBeLoaded) {
    enum class Cache { empty, loaded, corrupt };
    struct Case {
        const char* name;
        Cache cache;
        QStringList preferred;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"a missing file and an empty cache are passed over",
         Cache::empty,
         {u"missing file"_s, u"cached"_s, u"remote"_s},
         u"remote"_s},
        {"the cache once a load has filled it",
         Cache::loaded,
         {u"cached"_s, u"remote"_s},
         u"cached"_s},
        {"the cache's entry is only looked for, not read",
         Cache::corrupt,
         {u"missing file"_s, u"cached"_s, u"remote"_s},
         u"cached"_s},
        {"an existing file", Cache::loaded, {u"document file"_s, u"cached"_s}, u"document file"_s},
        {"the order of preference, not of kinds",
         Cache::loaded,
         {u"remote"_s, u"cached"_s},
         u"remote"_s},
        {"nothing usable", Cache::empty, {u"missing file"_s, u"cached"_s}, std::nullopt},
        {"no sources", Cache::loaded, {}, std::nullopt},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        Folder folder;
        ASSERT_TRUE(folder.dir.isValid());
        const CacheStorage& cache = folder.manager->cacheStorage();
        if (row.cache == Cache::loaded) {
            const auto loaded =
                test::load(*folder.manager, AppConfigurationContext::file(folder.documentPath()));
            ASSERT_TRUE(loaded) << loaded.error().localizedDescription().toStdString();
        } else if (row.cache == Cache::corrupt) {
            ASSERT_TRUE(test::writeFile(cache.entryPath(u".env"_s), "not sealed"));
        }
        QList<AppConfigurationContext> preferred;
        for (const QString& name : row.preferred) {
            preferred.append(folder.source(name));
        }

        const auto chosen = SourceSelection::firstUsable(preferred, cache);

        const std::optional<QString> expected =
            row.expected ? std::optional(label(folder.source(*row.expected))) : std::nullopt;
        EXPECT_EQ(chosen ? std::optional(label(*chosen)) : std::nullopt, expected);
    }
}

// A key store, credentials, settings and a session as a host keeps them, all filled.
struct HostState {
    explicit HostState(std::shared_ptr<KeyStore> keyStore)
        : keys(std::move(keyStore)),
          credentials(std::make_shared<const SecurityStore>(keys)),
          settings(settingsPath(), QSettings::IniFormat) {
        const QDateTime expiry = QDateTime::currentDateTimeUtc().addDays(1);
        EXPECT_TRUE(
            credentials.storeCredential({Credential::sessionToken(), u"session"_s, expiry}));
        EXPECT_TRUE(
            credentials.storeCredential({Credential::refreshToken(), u"refresh"_s, expiry}));
        settings.setValue(settingsKey(UserDefault::currentVisitorToken), kVisitorToken);
        settings.setValue(u"language"_s, u"fr"_s);
        settings.sync();
        session.setValueProvider(u"patient"_s, Value(u"Ada"_s));
    }

    [[nodiscard]] QString settingsPath() const { return dir.filePath(u"settings.ini"_s); }
    [[nodiscard]] bool holds(const QString& type) const {
        const auto credential = credentials.credential(type);
        return credential && credential->has_value();
    }

    QTemporaryDir dir;
    std::shared_ptr<KeyStore> keys;
    CredentialsStore credentials;
    QSettings settings;
    Session session;
};

TEST(SourceSelectionTest, ANewDocumentStartsWithoutVisitorAndCredentialsAndEverySessionEmpty) {
    struct Case {
        const char* name;
        AppConfigurationContext context;
        bool keepsSignIn;
    };
    const Case cases[] = {
        {"file", AppConfigurationContext::file(u"app.json"_s), false},
        {"remote", AppConfigurationContext::remote(u"https://example.org/app"_s), false},
        {"cached", AppConfigurationContext::cached(), true},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        QTemporaryDir keychain;
        ASSERT_TRUE(keychain.isValid());
        HostState host(std::make_shared<FileKeyStore>(keychain.filePath(u"keychain"_s)));
        ASSERT_TRUE(host.holds(Credential::sessionToken()));

        SourceSelection::prepareForLoad(row.context, host.settings, host.credentials, host.session);

        EXPECT_EQ(host.holds(Credential::sessionToken()), row.keepsSignIn);
        EXPECT_EQ(host.holds(Credential::refreshToken()), row.keepsSignIn);
        // Read back from the file: the removal must outlive the process.
        const QSettings written(host.settingsPath(), QSettings::IniFormat);
        EXPECT_EQ(written.value(settingsKey(UserDefault::currentVisitorToken)).toString(),
                  row.keepsSignIn ? kVisitorToken : QString());
        EXPECT_EQ(written.value(u"language"_s).toString(), u"fr"_s);
        EXPECT_TRUE(host.session.valueProviders().isEmpty());
    }
}

TEST(SourceSelectionTest, ACredentialStoreThatCannotRemoveDoesNotStopThePreparation) {
    const auto keys = std::make_shared<test::InMemoryKeyStore>();
    HostState host(keys);
    keys->failWith(test::InMemoryKeyStore::Operation::remove, KeyStore::ioError);

    SourceSelection::prepareForLoad(AppConfigurationContext::remote(u"https://example.org/app"_s),
                                    host.settings, host.credentials, host.session);

    EXPECT_TRUE(host.holds(Credential::sessionToken()));
    EXPECT_FALSE(QSettings(host.settingsPath(), QSettings::IniFormat)
                     .contains(settingsKey(UserDefault::currentVisitorToken)));
    EXPECT_TRUE(host.session.valueProviders().isEmpty());
}

}  // namespace
}  // namespace pathloom
