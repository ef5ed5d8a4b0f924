#include "steps/EmailStepController.h"

#include "Credentials.h"
#include "EventLoop.h"
#include "FakeImageLoader.h"
#include "QtPrinting.h"
#include "RecordingDelegate.h"
#include "StepDocuments.h"
#include "TestFiles.h"
#include "loading/Localization.h"
#include "network/NetworkManager.h"
#include "network/URLError.h"
#include "run/OutboxMailComposer.h"
#include "session/Session.h"
#include "session/URLFormatter.h"
#include "steps/MailError.h"
#include "steps/PathloomEmailViewControllerError.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKTextQuestionResult.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QThreadPool>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;

using test::RecordingDelegate;
using test::runUntil;

// A mail program that keeps every message it is given and ends it when the test says so.
class FakeComposer : public MailComposer {
public:
    [[nodiscard]] bool canSendMail() const override { return configured; }
    void compose(MailMessage message, Completion done) override {
        messages.append(std::move(message));
        pending = std::move(done);
    }
    void finish(MailComposeResult result, std::optional<Error> error = std::nullopt) {
        ASSERT_TRUE(pending) << "no message is open";
        std::exchange(pending, {})(result, std::move(error));
    }

    bool configured = true;
    QList<MailMessage> messages;
    Completion pending;
};

class EmailStepControllerTest : public testing::Test {
protected:
    std::shared_ptr<PathloomEmailStep> emailStep(const QStringList& requested) {
        QJsonObject document{
            {u"type"_s, u"email"_s},
            {u"identifier"_s, u"mail"_s},
            {u"sendTo"_s, u"care@example.org"_s},
            {u"requestPropertyIdentifiers"_s, QJsonArray::fromStringList(requested)}};
        const StepBuildResult step = PathloomEmailStep::build(
            test::stepData(QJsonDocument(document).toJson()), StepContext{u"App"_s, u"Visit"_s},
            manager, images, Localization(std::nullopt));
        EXPECT_TRUE(step);
        return step ? std::dynamic_pointer_cast<PathloomEmailStep>(*step) : nullptr;
    }

    std::shared_ptr<EmailStepController> controllerFor(const QStringList& requested) {
        return EmailStepController::create(emailStep(requested), delegate, composer,
                                           BinaryConverter(&pool));
    }

    // Records a file of the step `identifier` in the session; no file name when `fileName` is
    // empty, no file behind it when `bytes` is absent.
    void addFile(const QString& identifier, const QString& fileName,
                 const std::optional<QString>& mimeType, const std::optional<QByteArray>& bytes) {
        auto file = std::make_shared<ORKFileResult>(identifier);
        if (!fileName.isEmpty()) {
            const QString path = files.filePath(identifier + u"/"_s + fileName);
            if (bytes) {
                ASSERT_TRUE(test::writeFile(path, *bytes));
            }
            file->fileURL = QUrl::fromLocalFile(path);
        }
        file->contentType = mimeType;
        session->setValueProvider(identifier, Value(std::static_pointer_cast<ORKObject>(file)));
    }

    // Presses the button and waits for the files to be ready.
    void open(EmailStepController& controller) {
        controller.openEmail();
        ASSERT_TRUE(runUntil([&] { return delegate.events.contains(u"loaded"_s); }));
    }

    QTemporaryDir files;
    QThreadPool pool;
    std::shared_ptr<Session> session = std::make_shared<Session>();
    test::Credentials credentials = test::credentialsWithSessionToken(std::nullopt);
    std::shared_ptr<NetworkManager> manager =
        NetworkManager::create(std::nullopt, session, URLFormatter::placeholderPattern.toString(),
                               credentials.store, nullptr);
    std::shared_ptr<test::FakeImageLoader> images = std::make_shared<test::FakeImageLoader>();
    RecordingDelegate delegate;
    FakeComposer composer;
};

TEST_F(EmailStepControllerTest, AttachesTheRequestedFilesByTheirFileNamesInSessionOrder) {
    addFile(u"door"_s, u"door.jpg"_s, u"image/jpeg"_s, QByteArray("\xff\xd8\x00jpeg\r\n", 9));
    addFile(u"notes"_s, u"notes.txt"_s, u"text/plain"_s, "seen at 9");
    addFile(u"floor"_s, u"floor.png"_s, u"image/png"_s, "not asked for");
    // Asked for by identifier, but a file with a name is matched by its name.
    addFile(u"roof"_s, u"roof.png"_s, u"image/png"_s, "asked for by the wrong name");
    const auto controller = controllerFor({u"notes.txt"_s, u"door.jpg"_s, u"roof"_s});

    open(*controller);
    controller->openEmail();  // pressed again while the composer is open

    EXPECT_EQ(delegate.events, (QStringList{u"loading"_s, u"loaded"_s}));
    ASSERT_EQ(composer.messages.size(), 1);
    const MailMessage& message = composer.messages[0];
    EXPECT_EQ(message.to, u"care@example.org"_s);
    EXPECT_EQ(message.subject, u"App - Visit"_s);
    EXPECT_TRUE(message.body.isEmpty()) << "file results quote nothing";
    QList<MailAttachment> expected;
    for (const auto& file : session->binaryProviders()) {
        if (file->identifier() == u"door"_s) {
            expected.append(
                {QByteArray("\xff\xd8\x00jpeg\r\n", 9), u"image/jpeg"_s, u"door.jpg"_s});
        } else if (file->identifier() == u"notes"_s) {
            expected.append({"seen at 9", u"text/plain"_s, u"notes.txt"_s});
        }
    }
    EXPECT_EQ(message.attachments, expected);
}

TEST_F(EmailStepControllerTest, TheButtonShowsWhyNoMessageCanBeOpened) {
    const QString invalidAttachment = u"error: Unable to create attachment."_s;
    const struct {
        const char* name;
        QString fileName;
        std::optional<QString> mimeType;
        std::optional<QByteArray> bytes;
        QString request;
        bool configured;
        QString outcome;
    } cases[] = {
        {"no file name, asked for by identifier",
         {},
         u"image/jpeg"_s,
         {},
         u"photo"_s,
         true,
         invalidAttachment},
        {"no MIME type", u"photo.jpg"_s, std::nullopt, "jpeg", u"photo.jpg"_s, true,
         invalidAttachment},
        {"an empty MIME type", u"photo.jpg"_s, u""_s, "jpeg", u"photo.jpg"_s, true,
         invalidAttachment},
        {"the file is gone", u"gone.jpg"_s, u"image/jpeg"_s, std::nullopt, u"gone.jpg"_s, true,
         u"error: A file to upload cannot be opened."_s},
        {"no mail account", u"photo.jpg"_s, u"image/jpeg"_s, "jpeg", u"photo.jpg"_s, false,
         u"error: No email accounts available. Please configure one in the Settings app."_s},
        {"a broken file that is not asked for", {}, std::nullopt, {}, u"other"_s, true, {}},
    };
    for (const auto& example : cases) {
        SCOPED_TRACE(example.name);
        delegate = {};
        composer.messages.clear();
        session->removeAllValueProviders();
        addFile(u"photo"_s, example.fileName, example.mimeType, example.bytes);
        composer.configured = example.configured;
        const auto controller = controllerFor({example.request});

        open(*controller);

        if (example.outcome.isEmpty()) {
            EXPECT_EQ(delegate.events, (QStringList{u"loading"_s, u"loaded"_s}));
            ASSERT_EQ(composer.messages.size(), 1);
            EXPECT_TRUE(composer.messages[0].attachments.isEmpty());
            continue;
        }
        EXPECT_EQ(delegate.events, (QStringList{u"loading"_s, u"loaded"_s, example.outcome}));
        EXPECT_TRUE(composer.messages.isEmpty());
    }
}

TEST_F(EmailStepControllerTest, ErrorsKeepTheirKind) {
    addFile(u"photo"_s, u"photo.jpg"_s, u"image/jpeg"_s, std::nullopt);
    addFile(u"scan"_s, {}, u"application/pdf"_s, std::nullopt);
    for (const auto& [request, domain, code] :
         {std::tuple{u"photo.jpg"_s, URLError::domain(), qint64(URLError::cannotOpenFile)},
          std::tuple{u"scan"_s, PathloomEmailViewControllerError::domain(),
                     PathloomEmailViewControllerError::invalidAttachment().code()}}) {
        delegate = {};
        open(*controllerFor({request}));
        ASSERT_EQ(delegate.errors.size(), 1) << request.toStdString();
        EXPECT_EQ(delegate.errors[0].domain(), domain);
        EXPECT_EQ(delegate.errors[0].code(), code);
    }
}

TEST_F(EmailStepControllerTest, TheTextQuotesTheRequestedValuesInTheStepsOrder) {
    session->setValueProvider(u"site"_s, Value(u"Lab"_s));
    session->setValueProvider(u"params"_s,
                              Value(Value::Dictionary{{u"count"_s, 3}, {u"ok"_s, true}}));
    auto answer = std::make_shared<ORKTextQuestionResult>(u"q1"_s);
    answer->answer = u"yes"_s;
    session->setValueProvider(u"q1"_s, Value(std::static_pointer_cast<ORKObject>(answer)));
    const struct {
        QStringList requested;
        QString body;
    } cases[] = {
        {{u"site"_s, u"q1"_s, u"params.ok"_s, u"q1.answer"_s, u"missing"_s, u"params.count"_s,
          u"site"_s},
         u"site: Lab\nparams.ok: true\nq1.answer: yes\nparams.count: 3"_s},
        {{u"params.count"_s, u"site"_s}, u"params.count: 3\nsite: Lab"_s},
        {{u"q1"_s, u"params"_s, u"missing"_s}, QString()},
        {{}, QString()},
    };
    for (const auto& [requested, body] : cases) {
        composer.messages.clear();
        delegate = {};
        open(*controllerFor(requested));
        ASSERT_EQ(composer.messages.size(), 1) << requested.join(u',').toStdString();
        EXPECT_EQ(composer.messages[0].body, body);
    }
}

TEST_F(EmailStepControllerTest, OnlyASentMessageMovesTheTaskOn) {
    const struct {
        MailComposeResult result;
        std::optional<Error> error;
        QStringList events;
    } cases[] = {
        {MailComposeResult::sent, std::nullopt, {u"loading"_s, u"loaded"_s, u"forward"_s}},
        {MailComposeResult::cancelled, std::nullopt, {u"loading"_s, u"loaded"_s}},
        {MailComposeResult::saved, std::nullopt, {u"loading"_s, u"loaded"_s}},
        {MailComposeResult::failed,
         Error(MailError::couldNotWrite(u"/out/mail-1.eml"_s)),
         {u"loading"_s, u"loaded"_s, u"error: Could not write the message to /out/mail-1.eml."_s}},
        {MailComposeResult::failed,
         std::nullopt,
         {u"loading"_s, u"loaded"_s, u"error: The message could not be sent."_s}},
    };
    for (const auto& [result, error, events] : cases) {
        delegate = {};
        composer.messages.clear();
        const auto controller = controllerFor({});
        open(*controller);

        composer.finish(result, error);
        EXPECT_EQ(delegate.events, events);

        // The button works again afterwards.
        delegate = {};
        open(*controller);
        EXPECT_EQ(composer.messages.size(), 2);
        composer.finish(MailComposeResult::cancelled);
    }
}

TEST_F(EmailStepControllerTest, NothingReachesAScreenThatHasGone) {
    addFile(u"photo"_s, u"photo.jpg"_s, u"image/jpeg"_s, "jpeg");

    auto preparing = controllerFor({u"photo.jpg"_s});
    preparing->openEmail();
    preparing.reset();
    pool.waitForDone();
    QCoreApplication::processEvents();

    auto composing = controllerFor({u"photo.jpg"_s});
    open(*composing);
    composing.reset();
    composer.finish(MailComposeResult::sent);

    EXPECT_EQ(delegate.events, (QStringList{u"loading"_s, u"loading"_s, u"loaded"_s}));
    EXPECT_EQ(composer.messages.size(), 1);
}

TEST_F(EmailStepControllerTest, AnOutboxTakesTheMessageAsAnEmlFile) {
    addFile(u"photo"_s, u"photo.jpg"_s, u"image/jpeg"_s, "jpeg bytes");
    session->setValueProvider(u"site"_s, Value(u"Lab"_s));
    QTemporaryDir root;
    OutboxMailComposer outbox(QDir(root.filePath(u"outbox"_s)));
    auto step = emailStep({u"site"_s, u"photo.jpg"_s});
    // As a screen names them, knowing only that it has some composer.
    static_cast<MailComposer&>(outbox).nameMessagesAfter(step->identifier);
    const auto controller =
        EmailStepController::create(step, delegate, outbox, BinaryConverter(&pool));

    controller->openEmail();

    ASSERT_TRUE(runUntil([&] { return delegate.events.contains(u"forward"_s); }));
    EXPECT_EQ(delegate.events, (QStringList{u"loading"_s, u"loaded"_s, u"forward"_s}));
    const QByteArray eml = test::readFile(root.filePath(u"outbox/mail-1.eml"_s));
    EXPECT_TRUE(eml.startsWith("To: care@example.org\r\n"));
    EXPECT_TRUE(eml.contains("\r\nSubject: App - Visit\r\n"));
    EXPECT_TRUE(eml.contains("\r\n\r\nsite: Lab\r\n"));
    EXPECT_TRUE(eml.contains(" filename=\"photo.jpg\"\r\n\r\n" +
                             QByteArray("jpeg bytes").toBase64() + "\r\n"));
}

TEST_F(EmailStepControllerTest, AnOutboxThatCannotBeWrittenShowsWhyAndStays) {
    QTemporaryDir root;
    const QString notAFolder = root.filePath(u"outbox"_s);
    ASSERT_TRUE(test::writeFile(notAFolder, "a file"));
    OutboxMailComposer outbox{QDir(notAFolder)};
    const auto controller =
        EmailStepController::create(emailStep({}), delegate, outbox, BinaryConverter(&pool));

    controller->openEmail();

    ASSERT_TRUE(runUntil([&] { return delegate.events.size() == 3; }));
    EXPECT_EQ(delegate.events,
              (QStringList{u"loading"_s, u"loaded"_s,
                           u"error: Could not write the message to "_s +
                               QDir(notAFolder).filePath(u"message-1.eml"_s) + u"."_s}));
}

}  // namespace
}  // namespace pathloom
