#include "network/DocumentDownloader.h"

#include "EventLoop.h"
#include "QtPrinting.h"
#include "TestHttpServer.h"
#include "network/URLError.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Reply = test::TestHttpServer::Reply;
using Ending = test::TestHttpServer::Ending;

using test::runUntil;

// Lets the main queue run for a while: long enough for a report to arrive if one wrongly would.
void settle() {
    QDeadlineTimer settled(300);
    while (!settled.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

constexpr qint64 kLimit = 64 * 1024;

// A body sent compressed ("Content-Encoding: deflate"), which the client inflates as it reads.
Reply deflated(const QByteArray& body) {
    // qCompress puts the inflated length in front of the zlib stream that HTTP's deflate is.
    return Reply{200,
                 qCompress(body, 9).mid(4),
                 u"application/octet-stream"_s,
                 false,
                 {{u"Content-Encoding"_s, u"deflate"_s}}};
}

class DocumentDownloaderTest : public testing::Test {
protected:
    // Fetches `url` and waits for its one report.
    DocumentDownloader::Result fetch(const QUrl& url) {
        std::optional<DocumentDownloader::Result> outcome;
        const Cancellable handle =
            downloader->fetch(url, DispatchQueue::main(), [&](DocumentDownloader::Result result) {
                EXPECT_FALSE(outcome) << "reported twice";
                outcome = std::move(result);
            });
        EXPECT_TRUE(runUntil([&] { return outcome.has_value(); })) << url.toString().toStdString();
        return outcome.value_or(std::unexpected(URLError(URLError::cancelled)));
    }

    test::TestHttpServer server;
    std::unique_ptr<DocumentDownloader> downloader = std::make_unique<DocumentDownloader>(
        DispatchQueue::serial(u"DocumentDownloaderTest.queue"_s), RequestFactory(), kLimit);
};

TEST_F(DocumentDownloaderTest, GivesTheBodyUpToItsLimitAndRefusesMore) {
    const QByteArray atLimit(kLimit, 'p');
    const QByteArray pastLimit(kLimit + 1, 'p');
    const struct {
        const char* name;
        Reply reply;
        std::optional<QByteArray> body;  // nothing: refused as too large
    } cases[] = {
        {"as large as the limit", Reply{200, atLimit, u"application/pdf"_s}, atLimit},
        {"announced past the limit", Reply{200, pastLimit, u"application/pdf"_s}, std::nullopt},
        {"inflated to the limit", deflated(atLimit), atLimit},
        // Small on the wire, so only counting what arrives finds it.
        {"inflated past the limit", deflated(QByteArray(16 * kLimit, 'p')), std::nullopt},
    };
    for (const auto& download : cases) {
        server.reply(u"GET"_s, u"/doc"_s, download.reply);

        const DocumentDownloader::Result result = fetch(server.url(u"/doc"_s));

        if (download.body) {
            ASSERT_TRUE(result) << download.name << ": "
                                << result.error().localizedDescription().toStdString();
            EXPECT_EQ(*result, *download.body) << download.name;
            continue;
        }
        ASSERT_FALSE(result) << download.name;
        EXPECT_EQ(result.error().code(), URLError::dataLengthExceedsMaximum) << download.name;
        EXPECT_EQ(result.error().localizedDescription(),
                  u"The resource exceeds the maximum size."_s);
    }
}

TEST_F(DocumentDownloaderTest, ReportsFailuresOfTheAddressTheServerAndTheTransfer) {
    server.reply(u"GET"_s, u"/missing"_s, Reply{404, "%PDF-1.4", u"application/pdf"_s});
    server.reply(
        u"GET"_s, u"/cut"_s,
        Reply{200, "%PDF-1.4 and more", u"application/pdf"_s, false, {}, Ending::closed, 8});
    const struct {
        QUrl url;
        qint64 code;
    } cases[] = {
        {QUrl(u"file:///etc/hostname"_s), URLError::badURL},
        {QUrl(u"mailto:desk@example.com"_s), URLError::badURL},
        {QUrl(u"ftp://127.0.0.1/doc.pdf"_s), URLError::badURL},
        {QUrl(u"http:///doc.pdf"_s), URLError::badURL},
        {server.url(u"/missing"_s), 404},
    };
    for (const auto& failing : cases) {
        const DocumentDownloader::Result result = fetch(failing.url);
        ASSERT_FALSE(result) << failing.url.toString().toStdString();
        EXPECT_EQ(result.error().code(), failing.code) << failing.url.toString().toStdString();
    }
    EXPECT_EQ(server.requests().size(), 1) << "only the web address reached a server";

    const DocumentDownloader::Result cut = fetch(server.url(u"/cut"_s));
    EXPECT_FALSE(cut) << "a body that broke off is not the document";
}

TEST_F(DocumentDownloaderTest, ADroppedHandleReportsNothing) {
    server.reply(u"GET"_s, u"/slow"_s, Reply{200, "%PDF-1.4", u"application/pdf"_s, true});
    bool reported = false;
    {
        const Cancellable handle =
            downloader->fetch(server.url(u"/slow"_s), DispatchQueue::main(),
                              [&](const DocumentDownloader::Result&) { reported = true; });
        ASSERT_TRUE(server.waitForRequests(1));
    }
    server.release();
    settle();
    EXPECT_FALSE(reported);
}

TEST_F(DocumentDownloaderTest, ATransferCutShortByTheDownloadersEndStillReportsOnce) {
    server.reply(u"GET"_s, u"/slow"_s, Reply{200, "%PDF-1.4", u"application/pdf"_s, true});
    int reports = 0;
    std::optional<DocumentDownloader::Result> outcome;
    const Cancellable handle = downloader->fetch(server.url(u"/slow"_s), DispatchQueue::main(),
                                                 [&](DocumentDownloader::Result result) {
                                                     ++reports;
                                                     outcome = std::move(result);
                                                 });
    ASSERT_TRUE(server.waitForRequests(1));

    downloader.reset();

    ASSERT_TRUE(runUntil([&] { return reports > 0; }));
    server.release();
    settle();
    EXPECT_EQ(reports, 1);
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(*outcome);
}

}  // namespace
}  // namespace pathloom
