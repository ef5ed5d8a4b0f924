#include "loading/AppConfigurationManager.h"

#include "EventLoop.h"
#include "FakeImageLoader.h"
#include "InMemoryKeyStore.h"
#include "Loads.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "foundation/JsonError.h"
#include "loading/ConfigurationLoaderError.h"
#include "network/URLError.h"
#include "session/Session.h"
#include "steps/ListStepItem.h"
#include "steps/PathloomListStep.h"
#include "steps/PathloomStepFactory.h"
#include "steps/ResearchKitStepFactory.h"
#include "taskmodel/ORKInstructionStep.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
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

    // The parts of the managers of these tests: the fixture's session and a fake picture loader.
    AppConfigurationManager::Sources sources() {
        AppConfigurationManager::Sources parts = test::managerSources(dir, keys);
        parts.session = session;
        parts.imageLoader = std::make_shared<test::FakeImageLoader>();
        return parts;
    }

    std::unique_ptr<AppConfigurationManager> manager() {
        return std::make_unique<AppConfigurationManager>(sources());
    }

    QString writeDocument(const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(test::writeFile(dir.filePath(name), bytes));
        return dir.filePath(name);
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
    EXPECT_EQ(QDir(configurations->cacheStorage().path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u".env"_s})
        << "nothing of the refused document is left beside the entry";
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

TEST_F(AppConfigurationManagerTest, WritesACacheThatCannotBeSavedToTheConsoleAndStillLoads) {
    const QString blocker = writeDocument(u"not-a-folder"_s, "x");
    QStringList lines;
    AppConfigurationManager::Sources parts = sources();
    parts.documentsDirectory = blocker;
    parts.console = DebugConsole([&](const QString& line) { lines.append(line); });
    AppConfigurationManager configurations(std::move(parts));

    EXPECT_TRUE(load(configurations,
                     AppConfigurationContext::file(writeDocument(u"app.json"_s, kDocument))));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.first().startsWith(u"\"Error saving configuration: "_s))
        << lines.first().toStdString();
}

// The steps share the picture loader: an app outlives the manager that loaded it, and its list
// rows still load their pictures.
TEST_F(AppConfigurationManagerTest, StepsKeepThePictureLoaderOfAManagerThatIsGone) {
    test::TestHttpServer server;
    server.reply(u"GET"_s, u"/row.png"_s,
                 test::TestHttpServer::Reply{200, test::pngBytes({3, 3}), u"image/png"_s});
    const QString row = server.url(u"/row.png"_s).toString();
    const QByteArray listDocument =
        u"{\"id\":1,\"name\":\"Rows\",\"servers\":[],\"navigationStyle\":\"list\","
        "\"workflows\":[{\"id\":1,\"identifier\":\"w\",\"steps\":[{\"type\":\"list\","
        "\"identifier\":\"pick\",\"items\":[{\"id\":1,\"text\":\"One\",\"imageURL\":\"%1\"}]}]}]}"_s
            .arg(row)
            .toUtf8();
    AppConfigurationManager::Sources parts = sources();
    // The manager's own loader, over its caches folder.
    parts.imageLoader = nullptr;
    auto configurations = std::make_unique<AppConfigurationManager>(std::move(parts));
    const auto app =
        load(*configurations,
             AppConfigurationContext::file(writeDocument(u"rows.json"_s, listDocument)));
    ASSERT_TRUE(app) << app.error().localizedDescription().toStdString();
    configurations.reset();

    const auto list =
        std::dynamic_pointer_cast<PathloomListStep>(app->tasks.first().task->steps.first());
    ASSERT_TRUE(list);
    const std::shared_ptr<ListStepItem> entry = list->objectForRow(0).object<ListStepItem>();
    ASSERT_TRUE(entry && entry->imageURL);
    std::optional<std::optional<QImage>> loaded;
    std::optional<Cancellable> handle = list->imageLoader()->asyncLoad(
        *entry->imageURL, [&](std::optional<QImage> image) { loaded = std::move(image); });
    ASSERT_TRUE(runUntil([&] { return loaded.has_value(); }));
    ASSERT_TRUE(*loaded);
    EXPECT_EQ((*loaded)->size(), QSize(3, 3));
}

// A plug-in step type of the same name as a task-framework type: the framework's factory, which
// holds the plug-ins, is asked first, so the plug-in builds it.
class PluginQuestion : public ORKStep {
public:
    using ORKStep::ORKStep;
    static StepBuildResult build(const StepData& data, const StepContext&,
                                 const std::shared_ptr<NetworkManager>&,
                                 const std::shared_ptr<ImageLoader>&, const Localization&) {
        return std::make_shared<PluginQuestion>(data.identifier);
    }
};

class PluginQuestionType : public PathloomStepType {
public:
    QString typeName() const override { return u"question"_s; }
    StepClass stepClass() const override { return StepClass::of<PluginQuestion>(); }
};

struct QuestionPlugin {
    static StepTypes allStepsTypes() { return {std::make_shared<PluginQuestionType>()}; }
};

TEST_F(AppConfigurationManagerTest, AsksTheFrameworkFactoryWithThePluginsFirst) {
    AppConfigurationManager::Sources parts = sources();
    parts.plugins = {PluginType::of<QuestionPlugin>()};
    AppConfigurationManager configurations(std::move(parts));
    ASSERT_EQ(configurations.factories().size(), 2);
    EXPECT_TRUE(
        std::dynamic_pointer_cast<const PathloomStepFactory>(configurations.factories()[0]));
    EXPECT_TRUE(
        std::dynamic_pointer_cast<const ResearchKitStepFactory>(configurations.factories()[1]));

    const auto app =
        load(configurations,
             AppConfigurationContext::file(writeDocument(
                 u"plugin.json"_s,
                 R"({"id":1,"name":"P","servers":[],"navigationStyle":"list","workflows":[{"id":1,
            "identifier":"w","steps":[{"type":"question","identifier":"q"},
            {"type":"instructions","identifier":"i"}]}]})")));
    ASSERT_TRUE(app) << app.error().localizedDescription().toStdString();
    const auto& steps = app->tasks.first().task->steps;
    ASSERT_EQ(steps.size(), 2);
    EXPECT_TRUE(std::dynamic_pointer_cast<PluginQuestion>(steps[0])) << "the plug-in's question";
    EXPECT_TRUE(std::dynamic_pointer_cast<ORKInstructionStep>(steps[1]));
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
