// Loads that overlap: a load superseded while it still decodes (here, while a step's picture is
// downloading) must neither deliver nor write the cache, so that the next offline start shows the
// app of the newest load.

#include "loading/AppConfigurationManager.h"

#include "EventLoop.h"
#include "InMemoryKeyStore.h"
#include "Loads.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "foundation/ImageLoader.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <mutex>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using LoadResult = std::expected<AppConfiguration, Error>;
using Reply = test::TestHttpServer::Reply;

// Ample time for a small file load to end when nothing holds it up.
constexpr int kTimeForTheNewestLoad = 500;

// An app named `name` whose one step shows the picture at `imageURL`.
QByteArray documentNamed(const QString& name, const QString& imageURL = {}) {
    const QString image = imageURL.isEmpty() ? QString() : u",\"imageURL\":\"%1\""_s.arg(imageURL);
    return u"{\"id\":1,\"name\":\"%1\",\"servers\":[],\"navigationStyle\":\"list\","
           "\"workflows\":[{\"id\":1,\"identifier\":\"w\",\"steps\":[{\"type\":\"instructions\","
           "\"identifier\":\"hello\"%2}]}]}"_s.arg(name, image)
               .toUtf8();
}

class LoadRacesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // The picture of the first load stalls until the test lets it go.
        server.reply(u"GET"_s, u"/stalling.png"_s,
                     Reply{200, test::pngBytes({2, 2}), u"image/png"_s, true});
    }
    void TearDown() override { server.release(); }

    // A manager with the real picture loader, so that a step's picture is downloaded while the
    // document decodes.
    std::unique_ptr<AppConfigurationManager> manager() {
        return std::make_unique<AppConfigurationManager>(test::managerSources(dir, keys));
    }

    QString writeDocument(const QString& name, const QByteArray& bytes) {
        EXPECT_TRUE(test::writeFile(dir.filePath(name), bytes));
        return dir.filePath(name);
    }

    // Starts `first`, waits until its picture is being fetched, then supersedes it with a file
    // load of the app "Newest". The picture is let go once the newest load has ended, or has had
    // the time to, so that a superseded load that still wrote would write last. Gives the name of
    // the app that a cached load of a new manager finds once both loads have ended.
    QString cachedAppAfterSuperseding(const AppConfigurationContext& first,
                                      qsizetype requestsUntilStalled) {
        auto configurations = manager();
        bool firstDelivered = false;
        configurations->loadAppConfiguration(first, DispatchQueue::main(),
                                             [&](LoadResult) { firstDelivered = true; });
        EXPECT_TRUE(server.waitForRequests(requestsUntilStalled));

        std::optional<LoadResult> newest;
        configurations->loadAppConfiguration(
            AppConfigurationContext::file(
                writeDocument(u"newest.json"_s, documentNamed(u"Newest"_s))),
            DispatchQueue::main(), [&](LoadResult result) { newest = std::move(result); });
        // Loads go one after another, so the newest may well wait for the first one's picture.
        (void)test::runUntil([&] { return newest.has_value(); }, kTimeForTheNewestLoad);
        server.release();
        EXPECT_TRUE(test::runUntil([&] { return newest.has_value(); }));
        EXPECT_TRUE(newest && *newest);

        // Dropping the manager waits for the work of its queue, the superseded load's included.
        configurations.reset();
        QCoreApplication::processEvents();
        EXPECT_FALSE(firstDelivered) << "a superseded load never delivers";
        const LoadResult cached = test::load(*manager(), AppConfigurationContext::cached());
        return cached ? cached->name : u"(nothing cached)"_s;
    }

    QTemporaryDir dir;
    std::shared_ptr<test::InMemoryKeyStore> keys = std::make_shared<test::InMemoryKeyStore>();
    test::TestHttpServer server;
};

TEST_F(LoadRacesTest, AFileLoadSupersededWhileItDecodesLeavesTheCacheToTheNewerLoad) {
    const QString older = writeDocument(
        u"older.json"_s, documentNamed(u"Older"_s, server.url(u"/stalling.png"_s).toString()));

    EXPECT_EQ(cachedAppAfterSuperseding(AppConfigurationContext::file(older), 1), u"Newest"_s);
}

TEST_F(LoadRacesTest, ARemoteLoadSupersededWhileItDecodesLeavesTheCacheToTheNewerLoad) {
    server.reply(u"GET"_s, u"/older.json"_s,
                 Reply{200, documentNamed(u"Older"_s, server.url(u"/stalling.png"_s).toString())});

    EXPECT_EQ(cachedAppAfterSuperseding(
                  AppConfigurationContext::remote(server.url(u"/older.json"_s).toString()), 2),
              u"Newest"_s);
}

// Notes the thread each picture is looked up on.
class ThreadNotingImageLoader : public ImageLoader {
public:
    std::optional<QImage> syncLoad(const QString&) override {
        const std::lock_guard lock(m_mutex);
        m_threads.append(QThread::currentThread()->objectName());
        return std::nullopt;
    }
    std::optional<Cancellable> asyncLoad(const QString&, Completion completion) override {
        completion(std::nullopt);
        return std::nullopt;
    }
    QStringList threads() const {
        const std::lock_guard lock(m_mutex);
        return m_threads;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_threads;
};

// A remote document is only received on the network queue; it is decoded (its step pictures
// looked up) and assembled on the queue of every other load, where its cache write waits its turn.
TEST_F(LoadRacesTest, ARemoteDocumentIsDecodedOnTheQueueOfEveryLoad) {
    server.reply(u"GET"_s, u"/app.json"_s,
                 Reply{200, documentNamed(u"Remote"_s, u"https://pictures.example/a.png"_s)});
    auto pictures = std::make_shared<ThreadNotingImageLoader>();
    AppConfigurationManager::Sources parts = test::managerSources(dir, keys);
    parts.imageLoader = pictures;
    AppConfigurationManager configurations(std::move(parts));

    ASSERT_TRUE(test::load(configurations,
                           AppConfigurationContext::remote(server.url(u"/app.json"_s).toString())));
    const QStringList threads = pictures->threads();
    ASSERT_FALSE(threads.isEmpty());
    for (const QString& thread : threads) {
        EXPECT_EQ(thread, u"WorkflowsManager.Background.Queue"_s);
    }
}

}  // namespace
}  // namespace pathloom
