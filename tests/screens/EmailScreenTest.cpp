#include "screens/PathloomEmailViewController.h"

#include "Credentials.h"
#include "StepScreenHost.h"
#include "TestFiles.h"
#include "network/NetworkManager.h"
#include "platform/DesktopMailComposer.h"
#include "screens/LoadingStateView.h"
#include "platform/MailComposeDialog.h"
#include "session/URLFormatter.h"
#include "steps/PathloomEmailStep.h"
#include "taskmodel/ORKFileResult.h"
#include "taskmodel/ORKInstructionStep.h"
#include "taskscreens/ORKBodyLabel.h"
#include "taskscreens/ORKContinueButton.h"
#include "taskscreens/ORKNavigationContainerView.h"
#include "taskscreens/ORKTitleLabel.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::runUntil;

// Lets the main queue run long enough for a wrong second move to arrive.
void settle() { QTest::qWait(100); }

// A stand-in for xdg-email in a folder put first on PATH: writes the arguments it was given,
// each ended by a NUL, next to itself and ends with `exitCode`.
class FakeMailProgram {
public:
    explicit FakeMailProgram(int exitCode) : m_savedPath(qgetenv("PATH")) {
        const QString path = m_folder.filePath(u"xdg-email"_s);
        EXPECT_TRUE(test::writeFile(
            path, "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$(dirname \"$0\")/arguments\"\nexit " +
                      QByteArray::number(exitCode) + "\n"));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", m_folder.path().toLocal8Bit() + ':' + m_savedPath);
    }
    ~FakeMailProgram() { qputenv("PATH", m_savedPath); }
    FakeMailProgram(const FakeMailProgram&) = delete;
    FakeMailProgram& operator=(const FakeMailProgram&) = delete;

    [[nodiscard]] QStringList arguments() const {
        QStringList arguments =
            QString::fromUtf8(test::readFile(m_folder.filePath(u"arguments"_s))).split(QChar(0));
        arguments.removeLast();
        return arguments;
    }

private:
    QTemporaryDir m_folder;
    QByteArray m_savedPath;
};

class EmailScreenTest : public testing::Test {
protected:
    EmailScreenTest() {
        host.factory.registerKind(StepKind::email, [this](const std::shared_ptr<ORKStep>& step,
                                                          ORKTaskViewController& task) {
            if (!composer) {
                composer = std::make_unique<DesktopMailComposer>(
                    task, outbox, QDir(root.filePath(u"handoff"_s)),
                    DebugConsole([this](const QString& line) { console.append(line.trimmed()); }));
            }
            return new PathloomEmailViewController(step, task, *composer);
        });
    }

    // Opens a task whose first step is the e-mail step, sending to `sendTo`.
    void open(std::optional<QString> sendTo = u"care@example.org"_s) {
        // A composer lives with the window it opens its dialog over.
        host.task.reset();
        composer.reset();
        auto mail =
            std::make_shared<PathloomEmailStep>(u"mail"_s, u"App - Visit"_s, std::move(sendTo),
                                                QStringList{u"site"_s, u"door.jpg"_s}, manager());
        mail->title = u"Send the report"_s;
        host.open({mail, std::make_shared<ORKInstructionStep>(u"after"_s),
                   std::make_shared<ORKInstructionStep>(u"last"_s)});
        host.environment.session->setValueProvider(u"site"_s, Value(u"Lab"_s));
        auto door = std::make_shared<ORKFileResult>(u"door"_s);
        const QString path = root.filePath(u"files/door.jpg"_s);
        ASSERT_TRUE(test::writeFile(path, "jpeg bytes"));
        door->fileURL = QUrl::fromLocalFile(path);
        door->contentType = u"image/jpeg"_s;
        host.environment.session->setValueProvider(
            u"door"_s, Value(std::static_pointer_cast<ORKObject>(door)));
    }

    std::shared_ptr<NetworkManager> manager() {
        return NetworkManager::create(std::nullopt, host.environment.session,
                                      URLFormatter::placeholderPattern.toString(),
                                      credentials.store, nullptr);
    }

    [[nodiscard]] ORKContinueButton* button() const {
        auto* screen =
            qobject_cast<PathloomButtonViewController*>(host.task->currentStepViewController());
        return screen ? screen->button() : nullptr;
    }

    // Presses "Open Email" and waits for the composer's dialog.
    MailComposeDialog* openEmail() {
        host.click(u"stepButton"_s);
        MailComposeDialog* dialog = nullptr;
        runUntil([&] {
            dialog = host.task->findChild<MailComposeDialog*>(u"mailComposer"_s);
            return dialog && dialog->isVisible();
        });
        return dialog;
    }

    static void press(MailComposeDialog* dialog, const QString& button) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(u"mailComposer:"_s + button),
                          Qt::LeftButton);
    }

    test::StepScreenHost host;
    QTemporaryDir root;
    std::optional<QDir> outbox = QDir(root.filePath(u"outbox"_s));
    test::Credentials credentials = test::credentialsWithSessionToken(std::nullopt);
    QStringList console;
    std::unique_ptr<DesktopMailComposer> composer;
};

TEST_F(EmailScreenTest, ShowsATitleATextAndTheButtonInPlaceOfTheFooter) {
    open();
    auto* screen =
        qobject_cast<PathloomEmailViewController*>(host.task->currentStepViewController());
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->titleLabel()->text(), u"Send the report"_s);
    EXPECT_EQ(screen->bodyLabel()->text(), u"Tap below to open email."_s);
    EXPECT_EQ(button()->text(), u"Open Email"_s);
    EXPECT_TRUE(screen->isNavigationFooterHidden());
    EXPECT_FALSE(screen->navigationFooterView()->isVisible());
    EXPECT_FALSE(screen->loadingView()->isVisible());

    const QRect row = screen->buttonsRow()->geometry();
    const QRect buttonBox = button()->geometry();
    EXPECT_EQ(row.height(), 163);
    EXPECT_EQ(screen->buttonsRow()->mapTo(screen, row.bottomLeft() - row.topLeft()).y() + 1,
              screen->height())
        << "the row lies at the bottom";
    EXPECT_EQ(row.width(), screen->width());
    EXPECT_EQ(buttonBox, QRect(16, 24, row.width() - 32, 50));
    const QRect title = screen->titleLabel()->geometry();
    EXPECT_EQ(title.topLeft(), QPoint(16, 16));
    EXPECT_GE(title.height(), 45);
    EXPECT_EQ(screen->bodyLabel()->geometry().top(), title.bottom() + 1 + 16);

    // Configured again, the screen is laid out anew with the new button and action.
    int taps = 0;
    screen->configureWithTitle(u"Other"_s, u"Text"_s, u"Go"_s, [&] { ++taps; });
    EXPECT_EQ(button()->text(), u"Go"_s);
    EXPECT_EQ(screen->titleLabel()->text(), u"Other"_s);
    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_EQ(taps, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(screen->findChildren<ORKContinueButton*>(u"stepButton"_s).size(), 1)
        << "the earlier button goes";
}

TEST_F(EmailScreenTest, SendingToTheOutboxWritesOneMessageAndMovesOnOnce) {
    open();
    MailComposeDialog* dialog = openEmail();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->findChild<QLineEdit*>(u"mailComposer:to"_s)->text(), u"care@example.org"_s);
    EXPECT_EQ(dialog->findChild<QLineEdit*>(u"mailComposer:subject"_s)->text(), u"App - Visit"_s);
    EXPECT_EQ(dialog->findChild<QPlainTextEdit*>(u"mailComposer:body"_s)->toPlainText(),
              u"site: Lab"_s);
    auto* attachments = dialog->findChild<QListWidget*>(u"mailComposer:attachments"_s);
    ASSERT_EQ(attachments->count(), 1);
    EXPECT_EQ(attachments->item(0)->text(), u"door.jpg (10 bytes)"_s);
    EXPECT_TRUE(button()->isEnabled());

    press(dialog, u"Send"_s);

    ASSERT_TRUE(host.waitForStep(u"after"_s));
    settle();
    EXPECT_EQ(host.currentStep(), u"after"_s);
    EXPECT_EQ(QDir(*outbox).entryList(QDir::Files), QStringList{u"mail-1.eml"_s})
        << "named after the step";
}

TEST_F(EmailScreenTest, ACancelledMessageLeavesTheScreenAsItWas) {
    open();
    MailComposeDialog* dialog = openEmail();
    ASSERT_TRUE(dialog);

    press(dialog, u"Cancel"_s);
    settle();

    EXPECT_EQ(host.currentStep(), u"mail"_s);
    EXPECT_TRUE(button()->isEnabled());
    EXPECT_FALSE(QDir(*outbox).exists());
    EXPECT_FALSE(host.task->findChild<AlertDialog*>()) << "cancelling is no error";
    // The user may open it again.
    EXPECT_TRUE(openEmail());
}

TEST_F(EmailScreenTest, TheMailProgramGetsTheMessageAndAFailedHandOffIsShown) {
    outbox.reset();
    const struct {
        int exitCode;
        std::optional<QString> alert;
        QString step;
    } cases[] = {
        {0, std::nullopt, u"after"_s},
        {1, u"The mail program could not be opened (xdg-email exit 1)."_s, u"mail"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exitCode);
        const FakeMailProgram program(c.exitCode);
        open();
        MailComposeDialog* dialog = openEmail();
        ASSERT_TRUE(dialog);
        press(dialog, u"Send"_s);

        if (c.alert) {
            AlertDialog* alert = host.waitForAlert();
            ASSERT_TRUE(alert);
            EXPECT_EQ(alert->message(), c.alert);
            EXPECT_TRUE(button()->isEnabled()) << "the user may try again";
        } else {
            ASSERT_TRUE(host.waitForStep(c.step));
        }
        settle();
        EXPECT_EQ(host.currentStep(), c.step);
        const QStringList arguments = program.arguments();
        ASSERT_EQ(arguments.size(), 8);
        EXPECT_EQ(arguments, (QStringList{u"--utf8"_s, u"--subject"_s, u"App - Visit"_s,
                                          u"--body"_s, u"site: Lab"_s, u"--attach"_s, arguments[6],
                                          u"care@example.org"_s}));
        EXPECT_EQ(test::readFile(arguments[6]), "jpeg bytes");
    }
}

TEST_F(EmailScreenTest, ARecipientThatReadsAsAnOptionIsLeftOut) {
    outbox.reset();
    for (const QString& recipient : {u"-x"_s, u"care@example.org -x"_s}) {
        SCOPED_TRACE(recipient.toStdString());
        console.clear();
        const FakeMailProgram program(0);
        open(recipient);
        MailComposeDialog* dialog = openEmail();
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->findChild<QLineEdit*>(u"mailComposer:to"_s)->text(), QString());
        EXPECT_EQ(console.size(), 1);
        press(dialog, u"Send"_s);
        ASSERT_TRUE(host.waitForStep(u"after"_s));
        EXPECT_FALSE(program.arguments().contains(recipient));
        EXPECT_EQ(program.arguments().last(), program.arguments()[6]) << "ends with the file";
    }
}

TEST_F(EmailScreenTest, WithoutAnyWayToSendMailTheButtonSaysSo) {
    outbox.reset();
    QTemporaryDir emptyFolder;
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", emptyFolder.path().toLocal8Bit());
    open();

    host.click(u"stepButton"_s);
    auto* screen =
        qobject_cast<PathloomEmailViewController*>(host.task->currentStepViewController());
    EXPECT_FALSE(button()->isEnabled()) << "disabled while the files are prepared";
    EXPECT_TRUE(screen->loadingView()->isVisible());
    AlertDialog* alert = host.waitForAlert();
    qputenv("PATH", savedPath);

    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->message(),
              u"No email accounts available. Please configure one in the Settings app."_s);
    EXPECT_TRUE(button()->isEnabled());
    EXPECT_FALSE(screen->loadingView()->isVisible());
    EXPECT_FALSE(host.task->findChild<MailComposeDialog*>());
    EXPECT_EQ(host.currentStep(), u"mail"_s);
}

}  // namespace
}  // namespace pathloom
