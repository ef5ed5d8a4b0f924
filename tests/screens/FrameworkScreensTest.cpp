#include "Credentials.h"
#include "EventLoop.h"
#include "FakeImageLoader.h"
#include "QtPrinting.h"
#include "StepDocuments.h"
#include "TestHttpServer.h"
#include "loading/Localization.h"
#include "network/NetworkManager.h"
#include "platform/SymbolCatalogue.h"
#include "run/OutboxMailComposer.h"
#include "screens/AlertDialog.h"
#include "screens/AlertObserver.h"
#include "screens/CustomButton.h"
#include "screens/FrameworkStepScreens.h"
#include "screens/LoadingStateView.h"
#include "screens/MessageStateView.h"
#include "screens/PathloomDisplayViewController.h"
#include "screens/PathloomImageTableViewCell.h"
#include "screens/PathloomListViewController.h"
#include "screens/PathloomNetworkListViewController.h"
#include "screens/PathloomNetworkStepViewController.h"
#include "screens/PathloomSubtitleTableViewCell.h"
#include "screens/RefreshControl.h"
#include "session/PathloomListStepResult.h"
#include "session/PathloomNetworkStepResult.h"
#include "session/Session.h"
#include "steps/ListStepItem.h"
#include "steps/PathloomDisplayStep.h"
#include "steps/PathloomListStep.h"
#include "steps/PathloomNetworkDisplayStep.h"
#include "steps/PathloomNetworkListStep.h"
#include "steps/PathloomNetworkStep.h"
#include "steps/PathloomSimulateNetworkStep.h"
#include "taskmodel/ORKInstructionStep.h"
#include "taskmodel/ORKNavigableOrderedTask.h"
#include "taskmodel/ORKStepResult.h"
#include "taskscreens/ORKTableView.h"
#include "taskscreens/ORKTaskViewController.h"
#include "taskscreens/StepScreenFactory.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using Reply = test::TestHttpServer::Reply;
using test::runUntil;

// A picture service whose downloads never end by themselves: the test sees which are running and
// which were cancelled, and finishes them when it likes.
class PendingImageLoader final : public ImageLoader {
public:
    std::optional<QImage> syncLoad(const QString&) override { return std::nullopt; }
    std::optional<Cancellable> asyncLoad(const QString& image, Completion completion) override {
        running.insert(image, std::move(completion));
        return Cancellable([this, image] {
            running.remove(image);
            cancelled.append(image);
        });
    }
    void finish(const QString& image, std::optional<QImage> picture) {
        const Completion completion = running.take(image);
        ASSERT_TRUE(completion) << image.toStdString();
        completion(std::move(picture));
    }

    QHash<QString, Completion> running;
    QStringList cancelled;
};

QImage picture(QColor color) {
    QImage image(64, 36, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// The framework's step screens in a shown task screen, talking to a real server on loopback.
class FrameworkScreensTest : public ::testing::Test {
protected:
    FrameworkScreensTest() {
        environment.session = session;
        environment.outputDirectory = output.path();
        FrameworkStepScreens::registerWith(
            factory,
            {symbols, mail,
             DebugConsole([this](const QString& line) { console.append(line.trimmed()); }), false});
        QObject::connect(&AlertDialog::observer(), &AlertObserver::shown, &alertsContext,
                         [this](const QString&, const QString& message, const QStringList&) {
                             alerts.append(message);
                         });
    }

    ~FrameworkScreensTest() override {
        // Alerts are windows of their own; none may outlive the test that opened it.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<AlertDialog*>(window) != nullptr) {
                delete window;
            }
        }
    }

    template <typename Step>
    std::shared_ptr<ORKStep> build(const QByteArray& document,
                                   std::shared_ptr<ImageLoader> loader = nullptr) {
        const StepBuildResult step =
            Step::build(test::stepData(document), StepContext{}, manager,
                        loader ? std::move(loader) : images, Localization(std::nullopt));
        EXPECT_TRUE(step) << document.toStdString();
        return step ? *step : nullptr;
    }

    void open(QList<std::shared_ptr<ORKStep>> steps) {
        steps.append(std::make_shared<ORKInstructionStep>(u"after"_s));
        task = std::make_unique<ORKTaskViewController>(
            Workflow{5, u"Screens"_s, std::nullopt,
                     std::make_shared<ORKNavigableOrderedTask>(u"screens"_s, std::move(steps))},
            environment, WorkflowRunner::Nesting::topLevel, factory);
        task->setDiscardable(true);
        task->resize(420, 760);
        task->show();
        QApplication::setActiveWindow(task.get());
        task->start();
        ASSERT_NE(task->currentStepViewController(), nullptr);
    }

    template <typename Screen = ORKStepViewController>
    [[nodiscard]] Screen& screen() const {
        auto* shown = qobject_cast<Screen*>(task->currentStepViewController());
        EXPECT_NE(shown, nullptr);
        return *shown;
    }

    [[nodiscard]] bool waitForStep(const QString& identifier) const {
        return runUntil([&] {
            return task->currentStepViewController() != nullptr &&
                   task->currentStepViewController()->step()->identifier == identifier;
        });
    }

    [[nodiscard]] ORKTableView& table() const {
        return screen<ORKTableStepViewController>().tableView();
    }

    // The message shown over the table, empty without one.
    [[nodiscard]] QString backgroundMessage() const {
        auto* message = qobject_cast<MessageStateView*>(table().backgroundView());
        return message ? message->messageLabel()->text() : QString();
    }

    [[nodiscard]] QList<test::TestHttpServer::Request> requests(const QString& method) const {
        QList<test::TestHttpServer::Request> found;
        for (const auto& request : server.requests()) {
            if (request.method == method) {
                found.append(request);
            }
        }
        return found;
    }

    // Waits, with the event loop running, until the server has seen `count` requests.
    [[nodiscard]] bool waitForRequests(qsizetype count) const {
        return runUntil([&] { return server.requests().size() >= count; });
    }

    void answerAlert(const QString& button) const {
        AlertDialog* alert = nullptr;
        ASSERT_TRUE(runUntil([&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* open = qobject_cast<AlertDialog*>(window); open && open->isVisible()) {
                    alert = open;
                }
            }
            return alert != nullptr;
        }));
        auto* choice = alert->findChild<QPushButton*>(u"alertButton:"_s + button);
        ASSERT_NE(choice, nullptr) << button.toStdString();
        QTest::mouseClick(choice, Qt::LeftButton);
    }

    test::TestHttpServer server;
    std::shared_ptr<Session> session = std::make_shared<Session>();
    test::Credentials credentials = test::credentialsWithSessionToken(u"secret"_s);
    std::shared_ptr<NetworkManager> manager = NetworkManager::create(
        Server{1, server.url()}, session, URLFormatter::placeholderPattern.toString(),
        credentials.store, nullptr);
    std::shared_ptr<test::FakeImageLoader> images = std::make_shared<test::FakeImageLoader>();
    const SymbolCatalogue symbols;
    QTemporaryDir output;
    OutboxMailComposer mail{QDir(output.filePath(u"outbox"_s))};
    QStringList console;
    QStringList alerts;
    QObject alertsContext;
    WorkflowRunner::Environment environment;
    StepScreenFactory factory;
    std::unique_ptr<ORKTaskViewController> task;
};

TEST_F(FrameworkScreensTest, ChoosingAnEntryRecordsItAndMovesOnOnce) {
    open({build<PathloomListStep>(R"({"type":"list","identifier":"colour","items":[
        {"id":1,"text":"Red"},{"id":2,"text":"Blue","detailText":"Like the sea"}]})")});
    ASSERT_EQ(table().rowCount(), 2);
    auto* blue = qobject_cast<PathloomSubtitleTableViewCell*>(table().cellForRow(1));
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(blue->textLabel()->text(), u"Blue"_s);
    EXPECT_EQ(blue->detailTextLabel()->text(), u"Like the sea"_s);
    EXPECT_TRUE(blue->disclosureIndicator()->isVisibleTo(blue));
    EXPECT_TRUE(screen().isNavigationFooterHidden());

    QTest::mouseClick(blue, Qt::LeftButton);
    QTest::mouseClick(blue, Qt::LeftButton);

    ASSERT_TRUE(waitForStep(u"after"_s));
    const auto left = task->runner()->lastResult(u"colour"_s);
    ASSERT_TRUE(left);
    ASSERT_EQ(left->results.size(), 1) << "a second click records nothing more";
    const auto chosen = std::dynamic_pointer_cast<PathloomListStepResult>(left->results[0]);
    ASSERT_TRUE(chosen && chosen->selected);
    EXPECT_EQ(chosen->selected->id, 2);
    EXPECT_EQ(task->runner()->currentStepResult()->identifier, u"after"_s);
}

TEST_F(FrameworkScreensTest, RowsShowTheirPictureOrElseTheirSymbol) {
    images->add(server.url(u"/pictures/red.png"_s).toString(), picture(Qt::red));
    open({build<PathloomListStep>(R"({"type":"list","identifier":"colour","items":[
        {"id":1,"text":"Loaded","imageURL":"/pictures/red.png","sfSymbolName":"star.fill"},
        {"id":2,"text":"Missing","imageURL":"/pictures/none.png","sfSymbolName":"star.fill"},
        {"id":3,"text":"Symbol","sfSymbolName":"star.fill"},
        {"id":4,"text":"Plain"}]})")});
    const auto image = [&](qsizetype row) {
        return qobject_cast<PathloomSubtitleTableViewCell*>(table().cellForRow(row))->imageView();
    };

    ASSERT_TRUE(runUntil([&] { return !image(0)->pixmap().isNull(); }));
    const QImage loaded = image(0)->pixmap().toImage();
    EXPECT_EQ(loaded.pixelColor(loaded.rect().center()), QColor(Qt::red));
    const QImage star = image(2)->pixmap().toImage();
    ASSERT_FALSE(star.isNull()) << "the symbol stands in without a picture";
    EXPECT_EQ(image(1)->pixmap().toImage(), star) << "a picture that fails shows the symbol";
    EXPECT_FALSE(image(3)->isVisibleTo(table().cellForRow(3)));
}

TEST_F(FrameworkScreensTest, ARowThatLeavesTheViewCancelsItsPictureLoad) {
    auto loader = std::make_shared<PendingImageLoader>();
    QByteArray items;
    for (int id = 1; id <= 40; ++id) {
        items += (id > 1 ? "," : "") + QByteArray(R"({"id":)") + QByteArray::number(id) +
                 R"(,"text":"Entry","imageURL":"/p/)" + QByteArray::number(id) + R"("})";
    }
    open({build<PathloomListStep>(R"({"type":"list","identifier":"long","items":[)" + items + "]}",
                                  loader)});
    ASSERT_TRUE(runUntil([&] { return !loader->running.isEmpty(); }));
    const QString first = server.url(u"/p/1"_s).toString();
    EXPECT_TRUE(loader->running.contains(first));
    EXPECT_FALSE(loader->running.contains(server.url(u"/p/40"_s).toString()))
        << "rows out of view load nothing";
    const auto& loads = screen<PathloomListViewController>().ongoingImageLoads();
    EXPECT_EQ(loads.size(), std::size_t(loader->running.size()));

    table().verticalScrollBar()->setValue(table().verticalScrollBar()->maximum());

    EXPECT_TRUE(loader->cancelled.contains(first));
    EXPECT_FALSE(loads.isLoading(0));
    ASSERT_TRUE(loader->running.contains(server.url(u"/p/40"_s).toString()));
    loader->finish(server.url(u"/p/40"_s).toString(), picture(Qt::blue));
    EXPECT_FALSE(loads.isLoading(39)) << "a finished load leaves the table";
}

TEST_F(FrameworkScreensTest, ARemoteListShowsLoadingThenItsEntriesOrWhyThereAreNone) {
    const struct {
        QByteArray step;
        QByteArray reply;
        QString message;
        std::optional<QString> alert;
    } cases[] = {
        {R"({"type":"networkList","identifier":"rooms","url":"/rooms","emptyText":"No rooms yet"})",
         "[]", u"No rooms yet"_s, std::nullopt},
        {R"({"type":"networkList","identifier":"rooms","url":"/rooms"})", "[]", u"No Content"_s,
         std::nullopt},
        {R"({"type":"networkList","identifier":"rooms","url":"/rooms"})", "{}", QString(),
         u"Expected an array at ''."_s},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.step.toStdString() + " answered " + each.reply.toStdString());
        alerts.clear();
        server.reply(u"GET"_s, u"/rooms"_s, Reply{200, each.reply});
        open({build<PathloomNetworkListStep>(each.step)});
        ASSERT_TRUE(runUntil([&] { return !backgroundMessage().isEmpty() || !alerts.isEmpty(); }));
        EXPECT_EQ(backgroundMessage(), each.message);
        EXPECT_EQ(alerts.value(0, QString()), each.alert.value_or(QString()));
        task.reset();
    }
}

TEST_F(FrameworkScreensTest, ARefreshKeepsTheEntriesOnScreenWhileItFetches) {
    server.reply(u"GET"_s, u"/rooms"_s, Reply{200, "[]"});
    open({build<PathloomNetworkListStep>(
        R"({"type":"networkList","identifier":"rooms","url":"/rooms"})")});
    ASSERT_TRUE(runUntil([&] { return backgroundMessage() == u"No Content"_s; }));
    server.reply(u"GET"_s, u"/rooms"_s, Reply{200, R"([{"id":4,"text":"Attic"}])"});
    auto& list = screen<PathloomNetworkListViewController>();

    QTest::mouseClick(list.findChild<QAbstractButton*>(u"refreshButton"_s), Qt::LeftButton);

    ASSERT_TRUE(runUntil([&] { return table().rowCount() == 1; }));
    EXPECT_EQ(table().backgroundView(), nullptr) << "entries replace the empty message";
    EXPECT_FALSE(list.refreshControl().isRefreshing());

    server.reply(u"GET"_s, u"/rooms"_s, Reply{200, R"([{"id":5,"text":"Cellar"}])", {}, true});
    QTest::keyClick(&list, Qt::Key_F5);
    ASSERT_TRUE(waitForRequests(3));
    EXPECT_TRUE(list.refreshControl().isRefreshing());
    EXPECT_EQ(table().backgroundView(), nullptr) << "no loading view over entries";
    EXPECT_EQ(table().rowCount(), 1);
    server.release();
    ASSERT_TRUE(runUntil([&] {
        auto* row = qobject_cast<PathloomSubtitleTableViewCell*>(table().cellForRow(0));
        return row && row->textLabel()->text() == u"Cellar"_s;
    }));
}

TEST_F(FrameworkScreensTest, AFirstFetchShowsTheLoadingViewOnlyWhileTheListIsEmpty) {
    server.reply(u"GET"_s, u"/rooms"_s, Reply{200, R"([{"id":1,"text":"Hall"}])", {}, true});
    open({build<PathloomNetworkListStep>(
        R"({"type":"networkList","identifier":"rooms","url":"/rooms"})")});
    ASSERT_TRUE(waitForRequests(1));
    EXPECT_NE(qobject_cast<LoadingStateView*>(table().backgroundView()), nullptr);
    EXPECT_FALSE(screen<PathloomNetworkListViewController>().refreshControl().isVisible());
    server.release();
    ASSERT_TRUE(runUntil([&] { return table().rowCount() == 1; }));
    EXPECT_EQ(table().backgroundView(), nullptr);
    EXPECT_TRUE(screen<PathloomNetworkListViewController>().refreshControl().isVisible());
}

TEST_F(FrameworkScreensTest, APageButtonCannotSendTwiceWhileItsActionRuns) {
    server.reply(u"GET"_s, u"/room"_s, Reply{200, R"([
        {"type":"text","label":"Room","text":"Check the doors."},
        {"type":"button","label":"Mark checked","url":"/room/checked","method":"PUT"}])"});
    server.reply(u"PUT"_s, u"/room/checked"_s,
                 Reply{200,
                       R"([{"type":"text","label":"Room","text":"Checked."},
                                {"type":"button","label":"Continue","onSuccess":"forward"}])",
                       {},
                       true});
    open({build<PathloomNetworkDisplayStep>(
        R"({"type":"networkDisplay","identifier":"room","url":"/room"})")});
    auto& page = screen<PathloomDisplayViewController>();
    ASSERT_TRUE(runUntil([&] { return page.button(u"Mark checked"_s) != nullptr; }));
    CustomButton* mark = page.button(u"Mark checked"_s);

    QTest::mouseClick(mark, Qt::LeftButton);
    QTest::mouseClick(mark, Qt::LeftButton);

    ASSERT_TRUE(waitForRequests(2));
    EXPECT_FALSE(mark->isEnabled());
    EXPECT_TRUE(runUntil([&] { return page.progressIndicator().loadingView() != nullptr; }));
    server.release();
    ASSERT_TRUE(runUntil([&] { return page.button(u"Continue"_s) != nullptr; }));
    EXPECT_EQ(requests(u"PUT"_s).size(), 1);
    // The indicator goes on the next turn of the event loop, which may come after the new page.
    EXPECT_TRUE(runUntil([&] { return page.progressIndicator().loadingView() == nullptr; }));
    QTest::mouseClick(page.button(u"Continue"_s), Qt::LeftButton);
    EXPECT_TRUE(waitForStep(u"after"_s));
}

TEST_F(FrameworkScreensTest, ADeleteIsSentOnlyOnceTheUserConfirms) {
    server.reply(u"GET"_s, u"/visit"_s, Reply{200, R"([
        {"type":"button","label":"Remove","url":"/visit","method":"DELETE","onSuccess":"forward"}])"});
    server.reply(u"DELETE"_s, u"/visit"_s, Reply{200, R"({"deleted":true})"});
    open({build<PathloomNetworkDisplayStep>(
        R"({"type":"networkDisplay","identifier":"visit","url":"/visit"})")});
    auto& page = screen<PathloomDisplayViewController>();
    ASSERT_TRUE(runUntil([&] { return page.button(u"Remove"_s) != nullptr; }));

    QTest::mouseClick(page.button(u"Remove"_s), Qt::LeftButton);
    answerAlert(u"Cancel"_s);
    ASSERT_TRUE(runUntil([&] { return page.button(u"Remove"_s)->isEnabled(); }));
    EXPECT_TRUE(requests(u"DELETE"_s).isEmpty());
    EXPECT_EQ(alerts, QStringList{u"Are you sure you want to delete this item?"_s});

    QTest::mouseClick(page.button(u"Remove"_s), Qt::LeftButton);
    answerAlert(u"Confirm"_s);
    ASSERT_TRUE(waitForStep(u"after"_s));
    EXPECT_EQ(requests(u"DELETE"_s).size(), 1);
}

TEST_F(FrameworkScreensTest, APageOfTheDocumentRefusesServerActionsAndUnknownWorkflows) {
    open({build<PathloomDisplayStep>(R"({"type":"display","identifier":"page","items":[
        {"type":"button","label":"Save","url":"/save","method":"PUT"},
        {"type":"button","label":"More","modalWorkflow":"Elsewhere"}]})")});
    auto& page = screen<PathloomDisplayViewController>();

    for (const QString& label : {u"Save"_s, u"More"_s}) {
        QTest::mouseClick(page.button(label), Qt::LeftButton);
        answerAlert(u"OK"_s);
        EXPECT_TRUE(runUntil([&] { return page.button(label)->isEnabled(); }))
            << "the button works again after its failure";
    }
    EXPECT_EQ(alerts, (QStringList{u"URL actions not supported in non-network Display step"_s,
                                   u"Could not find workflow: Elsewhere"_s}));
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(FrameworkScreensTest, PicturesAndVideosOfAPageShowTheirPreviewOrTheirSymbol) {
    images->add(server.url(u"/preview.png"_s).toString(), picture(Qt::green));
    open({build<PathloomDisplayStep>(R"({"type":"display","identifier":"page","items":[
        {"type":"image","previewURL":"/preview.png"},
        {"type":"image"},
        {"type":"video","url":"/film.mp4"}]})")});
    const auto cell = [&](qsizetype row) {
        return qobject_cast<PathloomImageTableViewCell*>(table().cellForRow(row));
    };
    ASSERT_TRUE(runUntil([&] { return cell(0) && cell(0)->backgroundImage().has_value(); }));
    EXPECT_EQ(cell(0)->button()->accessibleName(), QString()) << "a picture hides the symbol";
    EXPECT_FALSE(cell(0)->button()->isEnabled());
    EXPECT_EQ(cell(1)->button()->accessibleName(), u"photo"_s);
    EXPECT_EQ(cell(2)->button()->accessibleName(), u"play.fill"_s);
    EXPECT_TRUE(cell(2)->button()->isEnabled());
    EXPECT_NEAR(cell(0)->height(), cell(0)->width() * 0.5625, 20);
}

TEST_F(FrameworkScreensTest, AFailedPostCanBeTriedAgain) {
    server.reply(u"POST"_s, u"/visits"_s, Reply{200, "not json"});
    open({build<PathloomNetworkStep>(R"({"type":"network","identifier":"send","url":"/visits"})")});
    ASSERT_TRUE(runUntil([&] { return !alerts.isEmpty(); }));
    auto& network = screen<PathloomNetworkStepViewController>();
    EXPECT_TRUE(alerts.first().contains(u"JSON"_s)) << alerts.first().toStdString();
    EXPECT_TRUE(network.tryAgainButton()->isVisible());
    EXPECT_FALSE(network.isLoading());
    EXPECT_EQ(network.findChild<QProgressBar*>(u"progress"_s)->value(),
              network.findChild<QProgressBar*>(u"progress"_s)->maximum());
    EXPECT_TRUE(task->runner()->currentStepResult()->results.isEmpty());
    answerAlert(u"OK"_s);

    server.reply(u"POST"_s, u"/visits"_s, Reply{201, R"({"response":{"visit":3}})"});
    QTest::mouseClick(network.tryAgainButton(), Qt::LeftButton);

    ASSERT_TRUE(waitForStep(u"after"_s));
    EXPECT_EQ(requests(u"POST"_s).size(), 2);
    const auto sent = task->runner()->lastResult(u"send"_s);
    ASSERT_TRUE(sent && sent->results.size() == 1);
    EXPECT_EQ(std::dynamic_pointer_cast<PathloomNetworkStepResult>(sent->results[0])->response,
              (Value::Dictionary{{u"visit"_s, 3}}));
}

TEST_F(FrameworkScreensTest, ASuccessfulPostOffersNoRetry) {
    server.reply(u"POST"_s, u"/visits"_s, Reply{201, "true", {}, true});
    open({build<PathloomNetworkStep>(R"({"type":"network","identifier":"send","url":"/visits"})")});
    ASSERT_TRUE(waitForRequests(1));
    EXPECT_FALSE(screen<PathloomNetworkStepViewController>().tryAgainButton()->isVisible());
    EXPECT_TRUE(screen<PathloomNetworkStepViewController>().isLoading());
    server.release();
    EXPECT_TRUE(waitForStep(u"after"_s));
}

TEST_F(FrameworkScreensTest, ASimulatedPostWaitsItsIntervalThenMovesOn) {
    open({build<PathloomSimulateNetworkStep>(
        R"({"type":"simulateNetwork","identifier":"wait","interval":0})")});
    EXPECT_TRUE(waitForStep(u"after"_s));
    EXPECT_TRUE(task->runner()->lastResult(u"wait"_s)->results.isEmpty());
}

}  // namespace
}  // namespace pathloom
