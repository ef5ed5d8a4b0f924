// Loads and saves that meet faults: remote loads against servers that fail part way, which must
// fail with an error and leave the document cached by the last good load readable, and processes
// that save the cache at the same moment, which must both succeed and share one key.

#include "loading/AppConfigurationManager.h"

#include "CacheWriter.h"
#include "FakeImageLoader.h"
#include "InMemoryKeyStore.h"
#include "Loads.h"
#include "QtPrinting.h"
#include "TestHttpServer.h"
#include "foundation/FileKeyStore.h"
#include "foundation/Sha256.h"
#include "network/URLError.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using LoadResult = std::expected<AppConfiguration, Error>;
using Reply = test::TestHttpServer::Reply;
using Ending = test::TestHttpServer::Ending;

const QByteArray kCachedDocument =
    R"({"id":3,"name":"Cached","servers":[],"navigationStyle":"list","workflows":[
    {"id":10,"identifier":"intake","steps":[{"type":"instructions","identifier":"hello"}]}]})";
// A whole document followed by padding: a client that takes the bytes before a break for the
// whole body gets a document that decodes, which makes the fault visible as a load that succeeds.
const QByteArray kNewDocument =
    R"({"id":4,"name":"New","servers":[],"navigationStyle":"list","workflows":[]})";
const QByteArray kNewDocumentWithPadding = kNewDocument + QByteArray(64, ' ');

// Short enough for a quick test, long enough for a loopback answer under the sanitizers.
constexpr std::chrono::milliseconds kRequestTimeout = 1000ms;

// A 200 answer whose body breaks off after `cutAt` bytes.
Reply brokenOff(const QByteArray& body, Ending ending, qsizetype cutAt) {
    Reply reply{200, body};
    reply.ending = ending;
    reply.cutAt = cutAt;
    return reply;
}

Reply redirect(const QString& location) {
    Reply reply{302, {}, u"text/plain"_s};
    reply.headers.insert(u"Location"_s, location);
    return reply;
}

struct Fault {
    const char* name;
    Reply reply;
    qint64 expectedCode;
};

void PrintTo(const Fault& fault, std::ostream* out) { *out << fault.name; }

class LoadFaultsTest : public testing::TestWithParam<Fault> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        server.reply(u"GET"_s, u"/good.json"_s, Reply{200, kCachedDocument});
    }

    std::unique_ptr<AppConfigurationManager> manager() {
        AppConfigurationManager::Sources parts = test::managerSources(dir, keys);
        parts.imageLoader = std::make_shared<test::FakeImageLoader>();
        parts.requestTimeout = kRequestTimeout;
        return std::make_unique<AppConfigurationManager>(std::move(parts));
    }

    LoadResult load(AppConfigurationManager& configurations,
                    const AppConfigurationContext& context) {
        return test::load(configurations, context, 20'000);
    }

    QTemporaryDir dir;
    test::TestHttpServer server;
    std::shared_ptr<test::InMemoryKeyStore> keys = std::make_shared<test::InMemoryKeyStore>();
};

TEST_P(LoadFaultsTest, FailsTheLoadAndKeepsTheCachedDocument) {
    const Fault& fault = GetParam();
    server.reply(u"GET"_s, u"/app.json"_s, fault.reply);
    auto configurations = manager();
    const auto good = load(*configurations,
                           AppConfigurationContext::remote(server.url(u"/good.json"_s).toString()));
    ASSERT_TRUE(good) << good.error().localizedDescription().toStdString();

    const auto failed = load(
        *configurations, AppConfigurationContext::remote(server.url(u"/app.json"_s).toString()));

    ASSERT_FALSE(failed) << "the load of an incomplete answer succeeded with app "
                         << failed->name.toStdString();
    const auto* error = failed.error().as<URLError>();
    ASSERT_TRUE(error) << failed.error().localizedDescription().toStdString();
    EXPECT_EQ(error->code(), fault.expectedCode) << error->description().toStdString();
    const auto cached = load(*manager(), AppConfigurationContext::cached());
    ASSERT_TRUE(cached) << cached.error().localizedDescription().toStdString();
    EXPECT_EQ(cached->id, 3);
    EXPECT_EQ(cached->name, u"Cached"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, LoadFaultsTest,
    testing::Values(Fault{"ClosesTheConnectionMidBody",
                          brokenOff(kNewDocumentWithPadding, Ending::closed, kNewDocument.size()),
                          URLError::cannotConnectToHost},
                    Fault{"ClosesTheConnectionBeforeTheBody",
                          brokenOff(kNewDocument, Ending::closed, 0),
                          URLError::cannotConnectToHost},
                    Fault{"AnswersWithStatus500", Reply{500, kNewDocument}, 500},
                    Fault{"StallsMidBody",
                          brokenOff(kNewDocumentWithPadding, Ending::stalled, kNewDocument.size()),
                          URLError::timedOut},
                    Fault{"StallsBeforeAnswering",
                          Reply{200, kNewDocument, u"application/json"_s, true},
                          URLError::timedOut},
                    Fault{"RedirectsInALoop", redirect(u"/app.json"_s), 302}),
    [](const testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

// The first save finds no key and creates one; two processes doing so at once must not end with
// two keys (one of the saves failing, or entries the other process cannot read). Several rounds,
// each from an empty key store, give the race more than one chance to show.
TEST(ConcurrentCacheSaveTest, TwoProcessesCreatingTheFirstKeyBothSaveAndShareOneKey) {
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString keychain = dir.filePath(u"keychain"_s);
        const QString cache = dir.filePath(u"documents"_s);
        const QString start = dir.filePath(u"start"_s);
        test::CacheWriter first(keychain, cache, start, u"first"_s);
        test::CacheWriter second(keychain, cache, start, u"second"_s);
        ASSERT_TRUE(first.started() && second.started());

        QFile(start).open(QIODevice::WriteOnly);
        const std::optional<QString> firstDigest = first.keyDigest();
        const std::optional<QString> secondDigest = second.keyDigest();

        ASSERT_TRUE(firstDigest) << first.errors().toStdString();
        ASSERT_TRUE(secondDigest) << second.errors().toStdString();
        EXPECT_EQ(*firstDigest, *secondDigest) << "the processes saved under different keys";
        const QStringList items =
            QDir(keychain).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
        EXPECT_EQ(items.size(), 1) << items.join(u", "_s).toStdString();
        const CacheStorage storage(
            cache, CryptoManager(u"Race"_s, std::make_shared<FileKeyStore>(keychain)));
        const auto key = storage.cryptor().symmetricKey();
        ASSERT_TRUE(key);
        EXPECT_EQ(Sha256::hexDigest(*key), *firstDigest);
        const std::optional<QJsonObject> saved = storage.load(u".env"_s);
        ASSERT_TRUE(saved) << "the entry left by the last writer does not open";
        EXPECT_TRUE(
            QStringList({u"first"_s, u"second"_s}).contains(saved->value(u"writer"_s).toString()));
    }
}

}  // namespace
}  // namespace pathloom
