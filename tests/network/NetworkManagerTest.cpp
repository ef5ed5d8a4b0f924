#include "network/NetworkManager.h"

#include "Credentials.h"
#include "EventLoop.h"
#include "QtPrinting.h"
#include "TestHttpServer.h"
#include "foundation/Json.h"
#include "foundation/JsonError.h"
#include "network/SecurityStore.h"
#include "network/URLError.h"
#include "session/Session.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Reply = test::TestHttpServer::Reply;

using test::runUntil;

class NetworkManagerTest : public testing::Test {
protected:
    std::shared_ptr<NetworkManager> client(std::optional<QString> token = std::nullopt) {
        credentials = test::credentialsWithSessionToken(token);
        return NetworkManager::create(Server{1, server.url(u"/api"_s)}, session,
                                      URLFormatter::placeholderPattern.toString(),
                                      credentials.store, nullptr);
    }

    NetworkManager::DataResult get(NetworkManager& network, const QString& url) {
        std::optional<NetworkManager::DataResult> result;
        network.request<QByteArray>(
            url, HTTPMethod::get, DispatchQueue::main(),
            [](const QByteArray& bytes) -> std::expected<QByteArray, Error> { return bytes; },
            [&](std::expected<QByteArray, Error> value) { result = std::move(value); });
        EXPECT_TRUE(runUntil([&] { return result.has_value(); }));
        return result.value_or(std::unexpected(URLError(URLError::timedOut)));
    }

    test::TestHttpServer server;
    std::shared_ptr<Session> session = std::make_shared<Session>();
    test::Credentials credentials;
};

TEST_F(NetworkManagerTest, SendsTheSessionTokenAsBearerWhenOneIsStored) {
    server.reply(u"GET"_s, u"/api/items"_s, Reply{200, R"({"ok":true})"});

    EXPECT_EQ(get(*client(u"abc123"_s), u"/items"_s), QByteArray(R"({"ok":true})"));
    EXPECT_EQ(get(*client(), u"/items"_s), QByteArray(R"({"ok":true})"));

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0].headers.value(u"authorization"_s), u"Bearer abc123"_s);
    EXPECT_FALSE(requests[1].headers.contains(u"authorization"_s));
    EXPECT_TRUE(requests[0].headers.value(u"user-agent"_s).contains(u"Linux"_s))
        << "analytics servers drop requests from unknown systems";
}

TEST_F(NetworkManagerTest, RefusesToSendWithACorruptStoredTokenAndDeletesIt) {
    server.reply(u"GET"_s, u"/api/items"_s, Reply{200, "{}"});
    auto network = client();
    const SecurityStore security(credentials.keyStore);
    ASSERT_TRUE(security.write(u"sessionToken"_s, "not a credential"));

    const auto result = get(*network, u"/items"_s);

    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().code(), URLError::secureConnectionFailed);
    EXPECT_TRUE(server.requests().isEmpty());
    const auto stored = security.retrieve(u"sessionToken"_s);
    ASSERT_TRUE(stored);
    EXPECT_FALSE(stored->has_value()) << "the corrupt token is gone";
    EXPECT_EQ(get(*network, u"/items"_s), QByteArray("{}"));
}

TEST_F(NetworkManagerTest, ReportsStatusesOutside200To299AsTheirCode) {
    for (int status : {401, 404, 500, 302}) {
        server.reply(u"GET"_s, u"/api/status"_s, Reply{status, "{}"});
        const auto result = get(*client(), u"/status"_s);
        ASSERT_FALSE(result) << status;
        EXPECT_EQ(result.error().code(), status);
        EXPECT_EQ(result.error().domain(), u"NSURLErrorDomain"_s);
    }
}

TEST_F(NetworkManagerTest, FailsToDecodeAnEmptyBody) {
    server.reply(u"GET"_s, u"/api/empty"_s, Reply{204, ""});
    auto network = client();
    std::optional<std::expected<QJsonValue, Error>> result;
    network->request<QJsonValue>(
        u"/empty"_s, HTTPMethod::get, DispatchQueue::main(),
        [](const QByteArray& bytes) -> std::expected<QJsonValue, Error> {
            auto json = json::parse(bytes);
            return json ? std::expected<QJsonValue, Error>(*json)
                        : std::unexpected(Error(json.error()));
        },
        [&](std::expected<QJsonValue, Error> value) { result = std::move(value); });
    ASSERT_TRUE(runUntil([&] { return result.has_value(); }));
    ASSERT_FALSE(*result);
    EXPECT_TRUE(result->error().as<JsonError>());
}

struct DecodeCase {
    const char* name;
    int status;
    QByteArray body;
    // The code of the error: the JSON reader's, the decoder's, the status; none for a decoded
    // reply.
    std::optional<qint64> errorCode;
};

void PrintTo(const DecodeCase& testCase, std::ostream* os) { *os << testCase.name; }

class NetworkManagerDecoding : public NetworkManagerTest,
                               public testing::WithParamInterface<DecodeCase> {};

// The typed request reads the body as JSON and hands it to the type; each failure keeps its kind.
TEST_P(NetworkManagerDecoding, DecodesTheBodyIntoTheType) {
    const DecodeCase& testCase = GetParam();
    server.reply(u"DELETE"_s, u"/api/items/1"_s, Reply{testCase.status, testCase.body});
    auto network = client();
    std::optional<std::expected<RemoteDeleteResult, Error>> result;
    network->request<RemoteDeleteResult>(
        u"/items/1"_s, HTTPMethod::del, DispatchQueue::main(),
        [&](std::expected<RemoteDeleteResult, Error> value) { result = std::move(value); });
    ASSERT_TRUE(runUntil([&] { return result.has_value(); }));
    EXPECT_EQ(*result ? std::nullopt : std::optional(result->error().code()), testCase.errorCode);
}

INSTANTIATE_TEST_SUITE_P(
    , NetworkManagerDecoding,
    testing::Values(DecodeCase{"AnyObject", 200, R"({"deleted":true})", std::nullopt},
                    DecodeCase{"EmptyObject", 200, "{}", std::nullopt},
                    DecodeCase{"ListIsTheWrongShape", 200, "[1]", 4864},
                    DecodeCase{"EmptyBodyIsNoJson", 204, "", JsonError::code()},
                    DecodeCase{"StatusComesFirst", 404, "{}", 404}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

// A request is ongoing until it has ended: its entry is still there while the completion of a
// value runs and gone once it has; for an error it is gone before the completion runs.
TEST_F(NetworkManagerTest, KeepsARequestOngoingUntilItEnds) {
    server.reply(u"GET"_s, u"/api/good"_s, Reply{200, "{}"});
    server.reply(u"GET"_s, u"/api/bad"_s, Reply{500, "{}"});
    auto network = client();
    for (const auto& [path, ongoingDuringCompletion] :
         {std::pair{u"/good"_s, true}, std::pair{u"/bad"_s, false}}) {
        std::optional<bool> ongoing;
        network->request<RemoteDeleteResult>(
            path, HTTPMethod::get, DispatchQueue::main(),
            [&, path = path](std::expected<RemoteDeleteResult, Error>) {
                ongoing = network->hasOngoingRequest(path);
            });
        EXPECT_TRUE(network->hasOngoingRequest(path)) << "kept from the start";
        ASSERT_TRUE(runUntil([&] { return ongoing.has_value(); }));
        EXPECT_EQ(*ongoing, ongoingDuringCompletion) << path.toStdString();
        EXPECT_FALSE(network->hasOngoingRequest(path)) << path.toStdString();
    }
}

// Delivered on a worker queue, a request may end before the caller's call has returned; its entry
// must not stay behind.
TEST_F(NetworkManagerTest, LeavesNoEntryBehindARequestDeliveredElsewhere) {
    const auto elsewhere = DispatchQueue::serial(u"Test.delivery"_s);
    auto network =
        NetworkManager::create(std::nullopt, session, URLFormatter::placeholderPattern.toString(),
                               test::credentialsWithSessionToken(std::nullopt).store, nullptr);
    std::atomic<int> ended = 0;
    constexpr int kRequests = 50;
    for (int request = 0; request < kRequests; ++request) {
        network->request<RemoteDeleteResult>(
            u"not a url {%1}"_s.arg(request), HTTPMethod::get, elsewhere,
            [&](std::expected<RemoteDeleteResult, Error>) { ++ended; });
    }
    elsewhere->sync([] {});
    ASSERT_EQ(ended.load(), kRequests);
    for (int request = 0; request < kRequests; ++request) {
        EXPECT_FALSE(network->hasOngoingRequest(u"not a url {%1}"_s.arg(request)));
    }
}

TEST_F(NetworkManagerTest, RefusesTemplatesThatGiveNoUrl) {
    const auto network =
        NetworkManager::create(std::nullopt, session, URLFormatter::placeholderPattern.toString(),
                               test::credentialsWithSessionToken(std::nullopt).store, nullptr);
    const auto result = get(*network, u"/orders/{pick.selected.id}"_s);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().code(), URLError::badURL);
}

TEST_F(NetworkManagerTest, ARepeatedRequestForTheSameAbsoluteUrlCancelsTheFirst) {
    server.reply(u"GET"_s, u"/api/slow"_s, Reply{200, "first", u"text/plain"_s, true});
    auto network = client();
    const QString url = server.url(u"/api/slow"_s).toString();
    bool firstRan = false;
    network->request<QByteArray>(
        url, HTTPMethod::get, DispatchQueue::main(),
        [](const QByteArray& bytes) -> std::expected<QByteArray, Error> { return bytes; },
        [&](std::expected<QByteArray, Error>) { firstRan = true; });
    ASSERT_TRUE(server.waitForRequests(1));
    server.reply(u"GET"_s, u"/api/slow"_s, Reply{200, "second", u"text/plain"_s});
    server.release();

    EXPECT_EQ(get(*network, url), QByteArray("second"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(firstRan);
}

TEST_F(NetworkManagerTest, DroppingTheHandleMeansTheCompletionNeverRuns) {
    server.reply(u"GET"_s, u"/api/held"_s, Reply{200, "x", u"text/plain"_s, true});
    auto network = client();
    bool ran = false;
    {
        Cancellable handle =
            network->data(u"/held"_s, HTTPMethod::get, DispatchQueue::main(), std::nullopt,
                          [&](NetworkManager::DataResult) { ran = true; });
        ASSERT_TRUE(server.waitForRequests(1));
    }
    server.release();
    server.reply(u"GET"_s, u"/api/after"_s, Reply{200, "y", u"text/plain"_s});
    EXPECT_EQ(get(*network, u"/after"_s), QByteArray("y"));
    EXPECT_FALSE(ran);
}

// Threads of this process that run a client's queue; other threads come and go with Qt.
qsizetype clientThreadCount() {
    qsizetype count = 0;
    const QDir tasks(u"/proc/self/task"_s);
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile name(tasks.filePath(task + u"/comm"_s));
        // The system keeps the first 15 bytes of a thread's name.
        if (name.open(QIODevice::ReadOnly) && name.readAll().startsWith("Pathloom.Networ")) {
            ++count;
        }
    }
    return count;
}

// An app makes a client per workflow and most never send, so a client's queue and its thread
// come with the first request; clients that never sent go away without one.
TEST_F(NetworkManagerTest, AClientStartsItsQueueWithItsFirstRequest) {
    server.reply(u"GET"_s, u"/api/items"_s, Reply{200, R"({"ok":true})"});
    const qsizetype before = clientThreadCount();
    std::vector<std::shared_ptr<NetworkManager>> clients;
    for (int i = 0; i < 16; ++i) {
        clients.push_back(client());
    }
    EXPECT_EQ(clientThreadCount(), before);

    EXPECT_EQ(get(*clients.front(), u"/items"_s), QByteArray(R"({"ok":true})"));
    EXPECT_EQ(clientThreadCount(), before + 1);
    EXPECT_EQ(clients.front()->networkQueue()->label(), u"Pathloom.NetworkManager.queue"_s);
    EXPECT_EQ(get(*clients.back(), u"/items"_s), QByteArray(R"({"ok":true})"));
    clients.clear();
}

TEST_F(NetworkManagerTest, PostsAnEmptySessionAsAnEmptyPayload) {
    server.reply(u"POST"_s, u"/api/session"_s, Reply{200, R"({"response":{}})"});
    auto network = client(u"t"_s);
    std::optional<NetworkManager::DataResult> result;
    network->postSession(u"/session"_s, DispatchQueue::main(),
                         [&](NetworkManager::DataResult value) { result = value; });
    ASSERT_TRUE(runUntil([&] { return result.has_value(); }));
    ASSERT_TRUE(*result);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].body, QByteArray(R"({"payload": {}})"));
    EXPECT_EQ(requests[0].headers.value(u"content-type"_s), u"application/json"_s);
    EXPECT_EQ(requests[0].headers.value(u"authorization"_s), u"Bearer t"_s);
}

TEST_F(NetworkManagerTest, PostsQuestionResultsAndNamesTheFiles) {
    auto answer = std::make_shared<ORKTextQuestionResult>(u"q1"_s);
    answer->answer = u"yes"_s;
    auto photo = std::make_shared<ORKFileResult>(u"photo \"1\""_s);
    photo->fileURL = QUrl::fromLocalFile(u"/tmp/photo.jpg"_s);
    photo->contentType = u"image/jpeg"_s;
    session->setValueProvider(u"q1"_s, Value(answer));
    session->setValueProvider(u"photo \"1\""_s, Value(photo));

    const auto request = client()->sessionPostRequest(u"/session"_s);

    ASSERT_TRUE(request);
    EXPECT_EQ(
        request->body,
        QByteArray(
            R"({"payload": {"q1": {"answer":"yes"}}, "binaries": [{"identifier": "photo \"1\"","mimetype": "image/jpeg"}]})"));
    EXPECT_TRUE(json::parse(request->body)) << "identifiers with quotes still give valid JSON";
}

class UploadTest : public NetworkManagerTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const QString& name : {u"a"_s, u"b"_s, u"c"_s}) {
            QFile file(dir.filePath(name + u".jpg"_s));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(name.toUtf8().repeated(10));
            auto result = std::make_shared<ORKFileResult>(name);
            result->fileURL = QUrl::fromLocalFile(file.fileName());
            result->contentType = u"image/jpeg"_s;
            session->setValueProvider(name, Value(result));
        }
    }

    QList<FileUploadUpdate> upload(NetworkManager& network,
                                   const QList<NetworkStepBinaryResponse>& binaries) {
        QList<FileUploadUpdate> updates;
        network.uploadBinaries(binaries, DispatchQueue::main(),
                               [&](FileUploadUpdate update) { updates.append(update); });
        runUntil([&] {
            return !updates.isEmpty() && updates.last().kind != FileUploadUpdate::Kind::uploaded;
        });
        return updates;
    }

    QTemporaryDir dir;
};

TEST_F(UploadTest, UploadsEachFileWithoutAuthorizationThenCompletes) {
    for (const QString& name : {u"a"_s, u"b"_s, u"c"_s}) {
        server.reply(u"PUT"_s, u"/api/files/"_s + name, Reply{201, "{}"});
    }
    auto network = client(u"secret"_s);

    const auto updates = upload(*network, {{u"a"_s, u"/files/a"_s, u"PUT"_s},
                                           {u"b"_s, u"/files/b"_s, u"PUT"_s},
                                           {u"c"_s, u"/files/c"_s, u"PUT"_s}});

    ASSERT_EQ(updates.size(), 4);
    QStringList uploaded;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(updates[i].kind, FileUploadUpdate::Kind::uploaded);
        uploaded.append(updates[i].identifier);
    }
    std::sort(uploaded.begin(), uploaded.end());
    EXPECT_EQ(uploaded, (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_EQ(updates[3].kind, FileUploadUpdate::Kind::completed);
    for (const auto& request : server.requests()) {
        EXPECT_EQ(request.method, u"PUT"_s);
        EXPECT_EQ(request.headers.value(u"content-type"_s), u"image/jpeg"_s);
        EXPECT_EQ(request.headers.value(u"content-length"_s), u"10"_s);
        EXPECT_FALSE(request.headers.contains(u"authorization"_s));
    }
}

TEST_F(UploadTest, FailsAtOnceForAFileThatIsNotInTheSession) {
    auto network = client();
    QList<FileUploadUpdate> updates;
    network->uploadBinaries(
        {{u"a"_s, u"/files/a"_s, u"POST"_s}, {u"missing"_s, u"/files/m"_s, u"POST"_s}},
        DispatchQueue::main(), [&](FileUploadUpdate update) { updates.append(update); });

    ASSERT_EQ(updates.size(), 1) << "reported before returning";
    EXPECT_EQ(updates[0].kind, FileUploadUpdate::Kind::failed);
    EXPECT_EQ(updates[0].error->code(), URLError::cannotOpenFile);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(UploadTest, StopsAtTheFirstFailedUpload) {
    server.reply(u"POST"_s, u"/api/files/a"_s, Reply{500, "{}"});
    server.reply(u"POST"_s, u"/api/files/b"_s, Reply{200, "{}", u"application/json"_s, true});
    auto network = client();

    const auto updates =
        upload(*network, {{u"a"_s, u"/files/a"_s, u"POST"_s}, {u"b"_s, u"/files/b"_s, u"POST"_s}});
    server.release();
    QCoreApplication::processEvents();

    ASSERT_FALSE(updates.isEmpty());
    EXPECT_EQ(updates.last().kind, FileUploadUpdate::Kind::failed);
    EXPECT_EQ(updates.last().error->code(), 500);
    EXPECT_EQ(std::count_if(updates.begin(), updates.end(),
                            [](const FileUploadUpdate& u) {
                                return u.kind == FileUploadUpdate::Kind::failed;
                            }),
              1);
}

// The first upload fails at once while the others are still being started: the run stops them
// all and reports one failure, whatever thread each upload ends on.
TEST_F(UploadTest, AFailureWhileUploadsAreStillStartingStopsThemAll) {
    server.reply(u"PUT"_s, u"/api/files/b"_s, Reply{201, "{}", u"application/json"_s, true});
    auto network = client();
    QList<NetworkStepBinaryResponse> binaries{{u"a"_s, u"http://127.0.0.1:1/refused"_s, u"PUT"_s}};
    for (int copy = 0; copy < 40; ++copy) {
        binaries.append({u"b"_s, u"/files/b"_s, u"PUT"_s});
    }

    const auto updates = upload(*network, binaries);
    server.release();
    QCoreApplication::processEvents();

    ASSERT_EQ(updates.size(), 1);
    EXPECT_EQ(updates[0].kind, FileUploadUpdate::Kind::failed);
}

TEST_F(UploadTest, CompletesAnEmptyList) {
    const auto updates = upload(*client(), {});
    ASSERT_EQ(updates.size(), 1);
    EXPECT_EQ(updates[0].kind, FileUploadUpdate::Kind::completed);
}

}  // namespace
}  // namespace pathloom
