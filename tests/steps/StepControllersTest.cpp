#include "Credentials.h"
#include "EventLoop.h"
#include "FakeImageLoader.h"
#include "JsonLiteral.h"
#include "QtPrinting.h"
#include "RecordingDelegate.h"
#include "StepDocuments.h"
#include "TestHttpServer.h"
#include "loading/Localization.h"
#include "network/NetworkManager.h"
#include "session/PathloomListStepResult.h"
#include "session/PathloomNetworkStepResult.h"
#include "session/Session.h"
#include "steps/DisplayStepController.h"
#include "steps/ListStepController.h"
#include "steps/NetworkStepController.h"
#include "steps/PathloomDisplayStep.h"
#include "steps/PathloomNetworkDisplayStep.h"
#include "steps/PathloomNetworkListStep.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/PathloomSimulateNetworkStep.h"
#include "steps/SimulatedNetworkStepController.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Reply = test::TestHttpServer::Reply;

using test::RecordingDelegate;
using test::runUntil;

class StepControllersTest : public testing::Test {
protected:
    template <typename Step>
    std::shared_ptr<Step> build(const QByteArray& document) {
        const StepBuildResult step = Step::build(test::stepData(document), StepContext{}, manager,
                                                 images, Localization(std::nullopt));
        EXPECT_TRUE(step) << document.toStdString();
        return step ? std::dynamic_pointer_cast<Step>(*step) : nullptr;
    }

    test::TestHttpServer server;
    std::shared_ptr<Session> session = std::make_shared<Session>();
    test::Credentials credentials = test::credentialsWithSessionToken(u"secret"_s);
    std::shared_ptr<NetworkManager> manager = NetworkManager::create(
        Server{1, server.url()}, session, URLFormatter::placeholderPattern.toString(),
        credentials.store, nullptr);
    std::shared_ptr<test::FakeImageLoader> images = std::make_shared<test::FakeImageLoader>();
    RecordingDelegate delegate;
};

TEST_F(StepControllersTest, NetworkStepPostsTheSessionUploadsWhatIsAskedAndRecordsTheAnswer) {
    QTemporaryDir files;
    QFile photo(files.filePath(u"door.jpg"_s));
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.write("jpeg bytes");
    photo.close();
    auto file = std::make_shared<ORKFileResult>(u"door"_s);
    file->fileURL = QUrl::fromLocalFile(photo.fileName());
    file->contentType = u"image/jpeg"_s;
    session->setValueProvider(u"door"_s, Value(std::static_pointer_cast<ORKObject>(file)));
    server.reply(u"POST"_s, u"/api/visits"_s, Reply{200, R"({"response":{"visit":9},
        "binary_urls":[{"identifier":"door","url":"/api/files/door","method":"put"}]})"});
    server.reply(u"PUT"_s, u"/api/files/door"_s, Reply{204, {}});
    const auto controller = NetworkStepController::create(
        build<PathloomNetworkStep>(R"({"type":"network","identifier":"send","url":"/api/visits"})"),
        delegate);

    controller->start();

    ASSERT_TRUE(runUntil([&] { return delegate.ended(); }));
    EXPECT_EQ(delegate.events,
              (QStringList{u"loading"_s, u"loaded"_s, u"result"_s, u"forward"_s}));
    ASSERT_EQ(delegate.results.size(), 1);
    const auto result = std::dynamic_pointer_cast<PathloomNetworkStepResult>(delegate.results[0]);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->identifier, u"send"_s);
    EXPECT_EQ(result->response, (Value::Dictionary{{u"visit"_s, 9}}));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0].headers.value(u"authorization"_s), u"Bearer secret"_s);
    EXPECT_EQ(requests[1].body, "jpeg bytes");
}

TEST_F(StepControllersTest, NetworkStepReadsItsReplyOrShowsWhyItCannot) {
    const struct {
        QByteArray body;
        int status;
        QStringList events;
    } cases[] = {
        {"true", 200, {u"loading"_s, u"loaded"_s, u"result"_s, u"forward"_s}},
        {"[1,2]", 200, {u"loading"_s, u"loaded"_s, u"result"_s, u"forward"_s}},
        {"not json", 200, {u"loading"_s, u"loaded"_s, u"error"_s}},
        {R"({"response":{}})", 500, {u"loading"_s, u"loaded"_s, u"error"_s}},
    };
    for (const auto& reply : cases) {
        delegate = {};
        server.reply(u"POST"_s, u"/api/post"_s, Reply{reply.status, reply.body});
        const auto controller = NetworkStepController::create(
            build<PathloomNetworkStep>(R"({"type":"network","identifier":"n","url":"/api/post"})"),
            delegate);
        controller->start();
        ASSERT_TRUE(runUntil([&] { return delegate.ended(); })) << reply.body.toStdString();
        QStringList kinds = delegate.events;
        kinds.last() = kinds.last().section(u':', 0, 0);
        EXPECT_EQ(kinds, reply.events) << reply.body.toStdString();
        const bool forward = reply.events.last() == u"forward";
        ASSERT_EQ(delegate.results.size(), forward ? 1 : 0) << "a failure records nothing";
        if (forward) {
            EXPECT_TRUE(std::dynamic_pointer_cast<PathloomNetworkStepResult>(delegate.results[0])
                            ->response.isEmpty())
                << "a reply that is no object is an empty answer";
        }
    }
}

TEST_F(StepControllersTest, DroppingANetworkStepControllerCancelsItsPost) {
    server.reply(u"POST"_s, u"/api/slow"_s, Reply{200, "{}", u"application/json"_s, true});
    auto controller = NetworkStepController::create(
        build<PathloomNetworkStep>(R"({"type":"network","identifier":"n","url":"/api/slow"})"),
        delegate);
    controller->start();
    ASSERT_TRUE(runUntil([&] { return !server.requests().isEmpty(); }));

    controller.reset();
    server.release();
    // Long enough for the answer to come back, if it wrongly still would.
    QDeadlineTimer settled(300);
    while (!settled.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    EXPECT_EQ(delegate.events, QStringList{u"loading"_s});
    EXPECT_TRUE(delegate.results.isEmpty());
}

TEST_F(StepControllersTest, SimulatedNetworkStepWaitsItsIntervalThenGoesForward) {
    SimulatedNetworkStepController controller(
        build<PathloomSimulateNetworkStep>(
            R"({"type":"simulateNetwork","identifier":"s","interval":0})"),
        delegate);
    controller.stepWillAppear();
    EXPECT_TRUE(delegate.events.isEmpty()) << "not before the wait";
    ASSERT_TRUE(runUntil([&] { return !delegate.events.isEmpty(); }));
    EXPECT_EQ(delegate.events, QStringList{u"forward"_s});
    EXPECT_TRUE(delegate.results.isEmpty());
}

TEST_F(StepControllersTest, RemoteListFetchesItsEntriesAndRecordsTheChosenOne) {
    server.reply(u"GET"_s, u"/api/rooms/7"_s,
                 Reply{200, R"([{"id":1,"text":"Lobby"},{"id":2,"text":"Lab"}])"});
    server.reply(u"GET"_s, u"/api/rooms/8"_s, Reply{200, "[]"});
    auto site = std::make_shared<ORKTextQuestionResult>(u"site"_s);
    site->answer = u"7"_s;
    session->setValueProvider(u"site"_s, Value(std::static_pointer_cast<ORKObject>(site)));
    ListStepController controller(
        build<PathloomNetworkListStep>(
            R"({"type":"networkList","identifier":"rooms","url":"/api/rooms/{site.answer}",
                "emptyText":"No rooms"})"),
        delegate);

    controller.stepWillAppear();
    ASSERT_TRUE(runUntil([&] { return delegate.events.size() == 2; }));
    EXPECT_EQ(delegate.events, (QStringList{u"content: No rooms"_s, u"content"_s}))
        << "emptied for the new address, then filled";
    controller.select(1);

    ASSERT_EQ(delegate.results.size(), 1);
    const auto chosen = std::dynamic_pointer_cast<PathloomListStepResult>(delegate.results[0]);
    ASSERT_TRUE(chosen && chosen->selected);
    EXPECT_EQ(chosen->selected->text, u"Lab"_s);
    EXPECT_EQ(delegate.events.last(), u"forward"_s);

    site->answer = u"8"_s;
    delegate.events.clear();
    controller.stepWillAppear();
    ASSERT_TRUE(runUntil([&] { return delegate.events.size() == 2; }));
    EXPECT_EQ(delegate.events, (QStringList{u"content: No rooms"_s, u"content: No rooms"_s}))
        << "a new address empties the list before it loads";
}

TEST_F(StepControllersTest, RemoteListShowsAFailedFetch) {
    server.reply(u"GET"_s, u"/api/broken"_s, Reply{200, R"([{"text":"no id"}])"});
    ListStepController controller(
        build<PathloomNetworkListStep>(
            R"({"type":"networkList","identifier":"l","url":"/api/broken"})"),
        delegate);
    controller.loadContent();
    ASSERT_TRUE(runUntil([&] { return delegate.ended(); }));
    ASSERT_EQ(delegate.events.size(), 1);
    EXPECT_TRUE(delegate.events[0].startsWith(u"error: "_s)) << delegate.events[0].toStdString();
}

TEST_F(StepControllersTest, RemotePageConfirmsADeleteInTheUsersWords) {
    server.reply(u"GET"_s, u"/api/page"_s,
                 Reply{200, R"([{"type":"button","label":"Remove","url":"/api/item",
                               "method":"DELETE","onSuccess":"backward"}])"});
    server.reply(u"DELETE"_s, u"/api/item"_s, Reply{200, R"({"deleted":true})"});
    const auto controller = DisplayStepController::create(
        build<PathloomNetworkDisplayStep>(
            R"({"type":"networkDisplay","identifier":"p","url":"/api/page"})"),
        delegate);
    controller->loadContent();
    ASSERT_TRUE(runUntil([&] { return delegate.ended(); }));

    delegate.confirms = false;
    delegate.events.clear();
    controller->tapButton(0);
    EXPECT_EQ(delegate.events, (QStringList{u"confirm"_s, u"action ended"_s}));
    ASSERT_EQ(delegate.confirmations.size(), 1);
    const auto& asked = delegate.confirmations[0];
    EXPECT_EQ(asked.title, u"Delete Item"_s);
    EXPECT_EQ(asked.message, u"Are you sure you want to delete this item?"_s);
    EXPECT_EQ(asked.cancelTitle, u"Cancel"_s);
    EXPECT_EQ(asked.confirmTitle, u"Confirm"_s);
    EXPECT_TRUE(asked.destructive);
    EXPECT_EQ(server.requests().size(), 1) << "declined: nothing sent";

    delegate.confirms = true;
    delegate.events.clear();
    controller->tapButton(0);
    ASSERT_TRUE(runUntil([&] { return delegate.events.contains(u"action ended"_s); }));
    EXPECT_EQ(delegate.events, (QStringList{u"confirm"_s, u"loading"_s, u"loaded"_s, u"backward"_s,
                                            u"action ended"_s}));
    EXPECT_EQ(server.requests().last().method, u"DELETE"_s);
}

TEST_F(StepControllersTest, RemotePagePutReplacesItsItems) {
    server.reply(
        u"GET"_s, u"/api/page"_s,
        Reply{200, R"([{"type":"button","label":"Done","url":"/api/done","method":"PUT"}])"});
    server.reply(u"PUT"_s, u"/api/done"_s,
                 Reply{200, R"([{"type":"text","text":"Saved"},{"type":"text","text":"Again"}])"});
    const auto controller = DisplayStepController::create(
        build<PathloomNetworkDisplayStep>(
            R"({"type":"networkDisplay","identifier":"p","url":"/api/page"})"),
        delegate);
    controller->loadContent();
    ASSERT_TRUE(runUntil([&] { return delegate.ended(); }));
    delegate.events.clear();

    controller->tapButton(0);

    ASSERT_TRUE(runUntil([&] { return delegate.events.contains(u"action ended"_s); }));
    EXPECT_EQ(delegate.events,
              (QStringList{u"loading"_s, u"loaded"_s, u"content"_s, u"action ended"_s}));
    EXPECT_EQ(controller->step()->items.size(), 2);
}

TEST_F(StepControllersTest, ButtonsOfADocumentPageRunTheirActionsWithoutTheServer) {
    const QByteArray page = R"({"type":"display","identifier":"d","items":[
        {"type":"button","label":"Next","onSuccess":"forward"},
        {"type":"button","label":"Save","url":"/api/save","method":"PUT"},
        {"type":"button","label":"Survey","modalWorkflow":"Survey","onSuccess":"reload"},
        {"type":"text","text":"Not a button"}]})";
    const struct {
        qsizetype row;
        ORKTaskViewControllerFinishReason presented;
        QStringList events;
    } cases[] = {
        {0, ORKTaskViewControllerFinishReason::completed, {u"forward"_s, u"action ended"_s}},
        {1,
         ORKTaskViewControllerFinishReason::completed,
         {u"error: URL actions not supported in non-network Display step"_s, u"action ended"_s}},
        {2,
         ORKTaskViewControllerFinishReason::completed,
         {u"present Survey"_s, u"content"_s, u"action ended"_s}},
        {2, ORKTaskViewControllerFinishReason::discarded, {u"present Survey"_s, u"action ended"_s}},
        {3, ORKTaskViewControllerFinishReason::completed, {}},
    };
    for (const auto& tap : cases) {
        delegate = {};
        delegate.presentedOutcome = tap.presented;
        const auto controller =
            DisplayStepController::create(build<PathloomDisplayStep>(page), delegate);
        controller->tapButton(tap.row);
        EXPECT_EQ(delegate.events, tap.events) << "row " << tap.row;
    }
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(StepControllersTest, RemotePageNotesAnUnsupportedMethodOnTheConsole) {
    QStringList console;
    const auto controller = DisplayStepController::create(
        build<PathloomNetworkDisplayStep>(
            R"({"type":"networkDisplay","identifier":"p","url":"/api/page"})"),
        delegate, DebugConsole([&](const QString& line) { console.append(line); }));

    controller->performRemoteAction(RemoteAction{HTTPMethod::post, u"/api/x"_s, std::nullopt});

    EXPECT_EQ(console, QStringList{u"\"Unsupported http method: post\"\n"_s});
    EXPECT_EQ(delegate.events, QStringList{u"action ended"_s});
    EXPECT_TRUE(server.requests().isEmpty());
}

}  // namespace
}  // namespace pathloom
