#include "loading/AppConfigurationManager.h"

#include "EventLoop.h"
#include "FakeImageLoader.h"
#include "InMemoryKeyStore.h"
#include "Loads.h"
#include "QtPrinting.h"
#include "TestHttpServer.h"
#include "foundation/JsonError.h"
#include "loading/ConfigurationLoaderError.h"
#include "network/URLError.h"
#include "session/Session.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using LoadResult = std::expected<AppConfiguration, Error>;

const QByteArray kDocument =
    R"({"id":3,"name":"Survey","servers":[{"id":1,"url":"https://api.example.com"},
    {"id":2,"url":"http://127.0.0.1:1"}],"navigationStyle":"list","workflows":[
    {"id":10,"identifier":"intake","steps":[{"type":"instructions","identifier":"hello"}]},
    {"id":11,"identifier":"visits","steps":[]}]})";
const QByteArray kBrokenStepDocument =
    R"({"id":4,"name":"Broken","servers":[],"navigationStyle":"list",
    "workflows":[{"id":1,"identifier":"w","steps":[{"type":"network","identifier":"n"}]}]})";

using test::runUntil;

QStringList identifiersOf(const AppConfiguration& configuration) {
    QStringList identifiers;
    for (const Workflow& workflow : configuration.tasks) {
        identifiers.append(workflow.task->identifier);
    }
    return identifiers;
}

class AppConfigurationManagerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::unique_ptr<AppConfigurationManager> manager() {
        return std::make_unique<AppConfigurationManager>(AppConfigurationManager::Sources{
            .session = session,
            .imageLoader = std::make_shared<test::FakeImageLoader>(),
            .cryptorLabel = u"Test"_s,
            .outputDirectory = dir.path(),
            .keyStore = keys,
            .preferredLanguages = QStringList{u"en"_s},
            .documentsDirectory = dir.filePath(u"documents"_s),
            .cachesDirectory = dir.filePath(u"caches"_s),
        });
    }

    QString writeDocument(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    LoadResult load(AppConfigurationManager& configurations,
                    const AppConfigurationContext& context) {
        return test::load(configurations, context);
    }

    QTemporaryDir dir;
    std::shared_ptr<Session> session = std::make_shared<Session>();
    std::shared_ptr<test::InMemoryKeyStore> keys = std::make_shared<test::InMemoryKeyStore>();
};

TEST_F(AppConfigurationManagerTest, LoadsAFileAndThenTheSameAppFromTheCache) {
    auto configurations = manager();
    const auto fromFile =
        load(*configurations,
             AppConfigurationContext::file(writeDocument(u"app.json"_s, kDocument), 2, 11));
    ASSERT_TRUE(fromFile) << fromFile.error().localizedDescription().toStdString();
    ASSERT_TRUE(fromFile->initialWorkflow);

    const auto fromCache = load(*manager(), AppConfigurationContext::cached());

    ASSERT_TRUE(fromCache) << fromCache.error().localizedDescription().toStdString();
    EXPECT_EQ(identifiersOf(*fromCache), identifiersOf(*fromFile));
    ASSERT_TRUE(fromCache->initialWorkflow);
    EXPECT_EQ(fromCache->initialWorkflow->id, 11);
    const auto step = fromCache->tasks.first().task->steps.first();
    EXPECT_EQ(step->identifier, u"hello"_s);
}

TEST_F(AppConfigurationManagerTest, KeepsTheActiveServerThroughTheCache) {
    auto configurations = manager();
    ASSERT_TRUE(load(*configurations,
                     AppConfigurationContext::file(writeDocument(u"app.json"_s, kDocument), 2)));
    const auto cached = configurations->cacheStorage().load(u".env"_s, &AppData::fromStored);
    ASSERT_TRUE(cached);
    ASSERT_TRUE(cached->activeServer);
    EXPECT_EQ(cached->activeServer->id, 2);
}

TEST_F(AppConfigurationManagerTest, FailsACachedLoadBeforeAnyLoad) {
    const auto result = load(*manager(), AppConfigurationContext::cached());
    ASSERT_FALSE(result);
    ASSERT_TRUE(result.error().as<ConfigurationLoaderError>());
    EXPECT_EQ(result.error().code(), 0);
}

TEST_F(AppConfigurationManagerTest, PlacesSessionValuesBeforeReadingAMissingFile) {
    auto configurations = manager();
    QJsonObject values{
        {u"token"_s, u"abc"_s}, {u"params"_s, QJsonObject{{u"user"_s, u"Jo"_s}}}, {u"count"_s, 3}};

    const auto result =
        load(*configurations, AppConfigurationContext::file(dir.filePath(u"missing.json"_s),
                                                            std::nullopt, std::nullopt, values));

    ASSERT_FALSE(result);
    ASSERT_TRUE(result.error().as<ConfigurationLoaderError>());
    EXPECT_EQ(result.error().code(), 1);
    EXPECT_EQ(session->value(u"token"_s), Value(u"abc"_s));
    EXPECT_EQ(session->value(u"params.user"_s), Value(u"Jo"_s));
    EXPECT_TRUE(session->value(u"count"_s).isNone());
}

TEST_F(AppConfigurationManagerTest, KeepsTheCacheWhenALaterLoadFails) {
    auto configurations = manager();
    ASSERT_TRUE(load(*configurations,
                     AppConfigurationContext::file(writeDocument(u"app.json"_s, kDocument))));

    EXPECT_FALSE(
        load(*configurations, AppConfigurationContext::file(dir.filePath(u"missing.json"_s))));
    const auto broken =
        load(*configurations,
             AppConfigurationContext::file(writeDocument(u"broken.json"_s, kBrokenStepDocument)));
    ASSERT_FALSE(broken);
    EXPECT_TRUE(broken.error().localizedDescription().startsWith(
        u"Invalid step data: Failed to parse step 'n' in workflow 'w':"_s));

    const auto cached = load(*configurations, AppConfigurationContext::cached());
    ASSERT_TRUE(cached) << "a document that fails to assemble does not replace the last good one";
    EXPECT_EQ(cached->name, u"Survey"_s);
}

TEST_F(AppConfigurationManagerTest, RefusesDocumentsThatAreNotJsonObjects) {
    auto configurations = manager();
    const auto array = load(*configurations,
                            AppConfigurationContext::file(writeDocument(u"array.json"_s, "[1,2]")));
    ASSERT_FALSE(array);
    EXPECT_EQ(array.error().code(), URLError::badServerResponse);

    const auto text = load(*configurations,
                           AppConfigurationContext::file(writeDocument(u"text.json"_s, "{nope")));
    ASSERT_FALSE(text);
    EXPECT_TRUE(text.error().as<JsonError>());
}

TEST_F(AppConfigurationManagerTest, CallsOnlyTheCompletionOfTheNewestLoad) {
    auto configurations = manager();
    const QString path = writeDocument(u"app.json"_s, kDocument);
    bool firstCalled = false;
    std::optional<LoadResult> second;
    configurations->loadAppConfiguration(AppConfigurationContext::file(path), DispatchQueue::main(),
                                         [&](LoadResult) { firstCalled = true; });
    configurations->loadAppConfiguration(AppConfigurationContext::file(path), DispatchQueue::main(),
                                         [&](LoadResult loaded) { second = std::move(loaded); });

    ASSERT_TRUE(runUntil([&] { return second.has_value(); }));
    EXPECT_TRUE(*second);
    QCoreApplication::processEvents();
    EXPECT_FALSE(firstCalled);
}

TEST_F(AppConfigurationManagerTest, LoadsARemoteDocumentWithoutInitialWorkflow) {
    test::TestHttpServer server;
    server.reply(u"GET"_s, u"/app.json"_s, test::TestHttpServer::Reply{200, kDocument});
    auto configurations = manager();

    const auto result = load(
        *configurations, AppConfigurationContext::remote(server.url(u"/app.json"_s).toString(), 1));

    ASSERT_TRUE(result) << result.error().localizedDescription().toStdString();
    EXPECT_EQ(identifiersOf(*result), (QStringList{u"intake"_s, u"visits"_s}));
    EXPECT_FALSE(result->initialWorkflow);
    EXPECT_TRUE(load(*configurations, AppConfigurationContext::cached()))
        << "a remote document is cached too";

    server.reply(u"GET"_s, u"/missing.json"_s, test::TestHttpServer::Reply{404, "{}"});
    const auto missing =
        load(*configurations,
             AppConfigurationContext::remote(server.url(u"/missing.json"_s).toString()));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code(), 404);
}

TEST(AppConfigurationManagerLabel, IsTheReversedDomainAndAppNameOrAppCryptor) {
    const QString domain = QCoreApplication::organizationDomain();
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationDomain(QString());
    EXPECT_EQ(AppConfigurationManager::bundleIdentifier(), u"AppCryptor"_s);
    QCoreApplication::setOrganizationDomain(u"example.com"_s);
    QCoreApplication::setApplicationName(u"Survey"_s);
    EXPECT_EQ(AppConfigurationManager::bundleIdentifier(), u"com.example.Survey"_s);
    QCoreApplication::setOrganizationDomain(domain);
    QCoreApplication::setApplicationName(name);
}

}  // namespace
}  // namespace pathloom
