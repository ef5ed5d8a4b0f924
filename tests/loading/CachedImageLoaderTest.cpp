#include "loading/CachedImageLoader.h"

#include "EventLoop.h"
#include "InMemoryKeyStore.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "foundation/DispatchQueue.h"
#include "network/BinaryConverter.h"
#include "session/Session.h"
#include "taskmodel/ORKFileResult.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <mutex>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Reply = test::TestHttpServer::Reply;

using test::runUntil;

class CachedImageLoaderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bundle.isValid() && cache.isValid());
        QImage logo(5, 4, QImage::Format_ARGB32);
        logo.fill(Qt::red);
        ASSERT_TRUE(logo.save(QDir(bundle.path()).filePath(u"logo.png"_s)));
        server.reply(u"GET"_s, u"/picture.png"_s,
                     Reply{200, test::pngBytes({3, 2}), u"image/png"_s});
        server.reply(u"GET"_s, u"/text"_s, Reply{200, "not a picture", u"text/plain"_s});
    }

    std::shared_ptr<CachedImageLoader> loader() {
        return CachedImageLoader::create(CacheStorage(cache.path(), CryptoManager(u"Test"_s, keys)),
                                         bundle.path());
    }

    QStringList cacheEntries() const { return QDir(cache.path()).entryList(QDir::Files); }

    QTemporaryDir bundle;
    QTemporaryDir cache;
    std::shared_ptr<test::InMemoryKeyStore> keys = std::make_shared<test::InMemoryKeyStore>();
    test::TestHttpServer server;
};

TEST_F(CachedImageLoaderTest, FindsBundledImagesWithoutTouchingCacheOrNetwork) {
    const auto images = loader();
    for (const QString& name : {u"logo"_s, u"logo.png"_s}) {
        const auto image = images->syncLoad(name);
        ASSERT_TRUE(image) << name.toStdString();
        EXPECT_EQ(image->size(), QSize(5, 4));
    }
    EXPECT_TRUE(cacheEntries().isEmpty());
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(CachedImageLoaderTest, DownloadsOnceThenAnswersFromTheCacheAtOnce) {
    const auto images = loader();
    const QString address = server.url(u"/picture.png"_s).toString();

    std::optional<QImage> delivered;
    bool called = false;
    std::optional<Cancellable> handle =
        images->asyncLoad(address, [&](std::optional<QImage> image) {
            called = true;
            delivered = std::move(image);
        });
    ASSERT_TRUE(handle) << "a download gives a handle";
    ASSERT_TRUE(runUntil([&] { return called; }));
    ASSERT_TRUE(delivered);
    EXPECT_EQ(delivered->size(), QSize(3, 2));
    EXPECT_EQ(cacheEntries(), QStringList{CachedImageLoader::cacheKey(address)});

    std::optional<QImage> cached;
    const auto second =
        images->asyncLoad(address, [&](std::optional<QImage> image) { cached = image; });
    EXPECT_FALSE(second) << "a cache hit completes at once";
    ASSERT_TRUE(cached);
    EXPECT_EQ(cached->size(), QSize(3, 2));
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(CachedImageLoaderTest, KeepsBytesThatAreNoPictureAndDoesNotFetchThemAgain) {
    const auto images = loader();
    const QString address = server.url(u"/text"_s).toString();
    EXPECT_FALSE(images->syncLoad(address));
    EXPECT_FALSE(images->syncLoad(address));
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(CachedImageLoaderTest, GivesNothingForATextThatIsNeitherBundledNorAUrl) {
    const auto images = loader();
    EXPECT_FALSE(images->syncLoad(u"no such picture"_s));
    bool called = false;
    std::optional<QImage> result = QImage(1, 1, QImage::Format_ARGB32);
    auto handle = images->asyncLoad(u"no such picture"_s, [&](std::optional<QImage> image) {
        called = true;
        result = image;
    });
    ASSERT_TRUE(runUntil([&] { return called; }));
    EXPECT_FALSE(result);
}

TEST_F(CachedImageLoaderTest, NeverDeliversACancelledLoad) {
    server.reply(u"GET"_s, u"/slow.png"_s,
                 Reply{200, test::pngBytes({2, 2}), u"image/png"_s, true});
    const auto images = loader();
    bool called = false;
    {
        auto handle = images->asyncLoad(server.url(u"/slow.png"_s).toString(),
                                        [&](std::optional<QImage>) { called = true; });
        ASSERT_TRUE(handle);
        ASSERT_TRUE(server.waitForRequests(1));
    }
    server.release();
    const QString other = server.url(u"/picture.png"_s).toString();
    bool otherCalled = false;
    auto next = images->asyncLoad(other, [&](std::optional<QImage>) { otherCalled = true; });
    ASSERT_TRUE(runUntil([&] { return otherCalled; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

// A caller on a serial queue waits for its download without running the queue's next work inside
// its own: the next item starts only once the first has returned.
TEST_F(CachedImageLoaderTest, ADownloadOnASerialQueueKeepsTheQueuesNextWorkBehindIt) {
    server.reply(u"GET"_s, u"/slow.png"_s,
                 Reply{200, test::pngBytes({2, 2}), u"image/png"_s, true});
    const auto images = loader();
    const auto queue = DispatchQueue::serial(u"Test.serial"_s);
    std::mutex mutex;
    QStringList order;
    const auto note = [&](const QString& event) {
        const std::lock_guard lock(mutex);
        order.append(event);
    };
    const QString address = server.url(u"/slow.png"_s).toString();
    queue->async([&] {
        note(u"first starts"_s);
        (void)images->syncLoad(address);
        note(u"first returns"_s);
    });
    ASSERT_TRUE(server.waitForRequests(1));
    queue->async([&] { note(u"second starts"_s); });
    server.release();
    queue->sync([] {});

    EXPECT_EQ(order, (QStringList{u"first starts"_s, u"first returns"_s, u"second starts"_s}));
}

// Pictures that never arrive must not hold the threads that prepare a network step's files.
TEST_F(CachedImageLoaderTest, StalledDownloadsLeaveTheThreadPoolToFilePreparation) {
    server.reply(u"GET"_s, u"/stalled.png"_s,
                 Reply{200, test::pngBytes({2, 2}), u"image/png"_s, true});
    const auto images = loader();
    std::vector<Cancellable> downloads;
    for (int picture = 0; picture < 4; ++picture) {
        const QString address = server.url(u"/stalled.png?n=%1"_s.arg(picture)).toString();
        std::optional<Cancellable> handle = images->asyncLoad(address, {});
        ASSERT_TRUE(handle);
        downloads.push_back(std::move(*handle));
    }
    ASSERT_TRUE(server.waitForRequests(4));

    const QString recording = bundle.filePath(u"note.txt"_s);
    ASSERT_TRUE(test::writeFile(recording, "recorded"));
    auto session = std::make_shared<Session>();
    auto file = std::make_shared<ORKFileResult>(u"note"_s);
    file->fileURL = QUrl::fromLocalFile(recording);
    file->contentType = u"text/plain"_s;
    session->setValueProvider(u"note"_s, Value(Value::Object(file)));
    std::atomic<bool> prepared = false;
    BinaryConverter().convertBinaries(session, [&](std::optional<Error>) { prepared = true; });

    EXPECT_TRUE(runUntil([&] { return prepared.load(); }));
    server.release();
}

// Dropping a handle aborts its transfer on the wire: with as many abandoned downloads as the
// client opens connections to one server, another picture from that server still arrives.
TEST_F(CachedImageLoaderTest, DroppingAHandleAbortsItsTransfer) {
    server.reply(u"GET"_s, u"/stalled.png"_s,
                 Reply{200, test::pngBytes({2, 2}), u"image/png"_s, true});
    const auto images = loader();
    constexpr int kConnectionsPerServer = 6;
    std::vector<Cancellable> abandoned;
    for (int picture = 0; picture < kConnectionsPerServer; ++picture) {
        const QString address = server.url(u"/stalled.png?n=%1"_s.arg(picture)).toString();
        std::optional<Cancellable> handle =
            images->asyncLoad(address, [](std::optional<QImage>) { FAIL(); });
        ASSERT_TRUE(handle);
        abandoned.push_back(std::move(*handle));
    }
    ASSERT_TRUE(server.waitForRequests(kConnectionsPerServer));
    abandoned.clear();

    std::optional<QImage> other;
    auto handle = images->asyncLoad(server.url(u"/picture.png"_s).toString(),
                                    [&](std::optional<QImage> image) { other = image; });
    EXPECT_TRUE(runUntil([&] { return other.has_value(); }));
    server.release();
}

// Bundled pictures are found by their literal name: patterns and the folder's own entries find
// nothing, even though the bundle holds a picture.
TEST_F(CachedImageLoaderTest, TakesBundleNamesLiterally) {
    const auto images = loader();
    for (const QString& name :
         {u"*"_s, u"*.png"_s, u"lo*"_s, u"l?go"_s, u"[l]ogo"_s, u"."_s, u".."_s}) {
        EXPECT_FALSE(images->syncLoad(name)) << name.toStdString();
    }
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(CachedImageLoaderTest, WritesAFailedCacheWriteToTheConsoleAndStillGivesThePicture) {
    const QString blocker = cache.filePath(u"not-a-folder"_s);
    ASSERT_TRUE(test::writeFile(blocker, {}));
    QStringList lines;
    const auto images = CachedImageLoader::create(
        CacheStorage(blocker, CryptoManager(u"Test"_s, keys)), bundle.path(),
        DebugConsole([&](const QString& line) { lines.append(line); }));

    const auto image = images->syncLoad(server.url(u"/picture.png"_s).toString());

    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), QSize(3, 2));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.first().startsWith(u"\"Error caching image: "_s))
        << lines.first().toStdString();
}

TEST(CachedImageLoaderKeys, AreTheSha256OfTheTextAndCaseSensitive) {
    EXPECT_EQ(CachedImageLoader::cacheKey(u"abc"_s),
              u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"_s);
    EXPECT_NE(CachedImageLoader::cacheKey(u"https://a/B.png"_s),
              CachedImageLoader::cacheKey(u"https://a/b.png"_s));
}

}  // namespace
}  // namespace pathloom
