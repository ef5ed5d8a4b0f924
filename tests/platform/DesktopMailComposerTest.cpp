#include "platform/DesktopMailComposer.h"

#include "EventLoop.h"
#include "QtPrinting.h"
#include "TestFiles.h"
#include "platform/MailComposeDialog.h"

#include <gtest/gtest.h>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace pathloom {
namespace {

using namespace Qt::StringLiterals;
using test::runUntil;

// A stand-in for the mail program: writes the arguments it was given, each ended by a NUL, next
// to itself and ends with `exitCode`.
QString writeFakeProgram(const QDir& folder, int exitCode) {
    const QString path = folder.filePath(u"xdg-email"_s);
    const QByteArray script =
        "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$(dirname \"$0\")/arguments\"\n"
        "exit " +
        QByteArray::number(exitCode) + "\n";
    EXPECT_TRUE(test::writeFile(path, script));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// What the fake program was given; absent when it never ran.
std::optional<QStringList> argumentsGiven(const QDir& folder) {
    QFile file(folder.filePath(u"arguments"_s));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QStringList arguments = QString::fromUtf8(file.readAll()).split(QChar(0));
    arguments.removeLast();
    return arguments;
}

MailMessage someMessage(std::optional<QString> to = u"care@example.org"_s) {
    return {std::move(to),
            u"App - Visit"_s,
            u"site: Lab\nroom: 4"_s,
            {{"jpeg bytes", u"image/jpeg"_s, u"door.jpg"_s},
             {QByteArray(2048, 'x'), u"text/plain"_s, u"notes.txt"_s}}};
}

// Puts a folder of its own first on PATH for the test's time, so that the composer finds the
// fake mail program there, or, with `only`, finds no program at all.
class PathGuard {
public:
    PathGuard(const QString& folder, bool only) : m_saved(qgetenv("PATH")) {
        qputenv("PATH", only ? folder.toLocal8Bit() : folder.toLocal8Bit() + ':' + m_saved);
    }
    ~PathGuard() { qputenv("PATH", m_saved); }
    PathGuard(const PathGuard&) = delete;
    PathGuard& operator=(const PathGuard&) = delete;

private:
    QByteArray m_saved;
};

class DesktopMailComposerTest : public testing::Test {
protected:
    DesktopMailComposerTest() {
        window.resize(480, 640);
        window.show();
    }

    std::unique_ptr<DesktopMailComposer> composer(std::optional<QDir> outbox) {
        return std::make_unique<DesktopMailComposer>(
            window, std::move(outbox), QDir(root.filePath(u"handoff"_s)),
            DebugConsole([this](const QString& line) { console.append(line.trimmed()); }));
    }

    // Composes `message` and waits for the dialog; checks that nothing ended within compose().
    MailComposeDialog* compose(MailComposer& mail, MailMessage message) {
        mail.compose(std::move(message),
                     [this](MailComposeResult result, std::optional<Error> error) {
                         results.append(result);
                         errors.append(error ? error->localizedDescription() : QString());
                     });
        EXPECT_TRUE(results.isEmpty()) << "compose() returned first";
        auto* dialog = window.findChild<MailComposeDialog*>(u"mailComposer"_s);
        EXPECT_TRUE(dialog && dialog->isVisible());
        return dialog;
    }

    static void press(MailComposeDialog* dialog, const QString& button) {
        auto* found = dialog->findChild<QPushButton*>(u"mailComposer:"_s + button);
        ASSERT_TRUE(found);
        QTest::mouseClick(found, Qt::LeftButton);
    }

    // Waits for the one report, then lets events run to show that no second one comes.
    [[nodiscard]] bool waitForResult() {
        if (!runUntil([&] { return !results.isEmpty(); })) {
            return false;
        }
        QTest::qWait(50);
        return results.size() == 1;
    }

    QWidget window;
    QTemporaryDir root;
    QTemporaryDir programs;
    QStringList console;
    QList<MailComposeResult> results;
    QStringList errors;
};

TEST_F(DesktopMailComposerTest, ShowsTheMessageAndWritesItAsEditedIntoTheOutbox) {
    const QDir outbox(root.filePath(u"outbox"_s));
    auto mail = composer(outbox);
    static_cast<MailComposer&>(*mail).nameMessagesAfter(u"mail"_s);

    MailComposeDialog* dialog = compose(*mail, someMessage());
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isModal());
    auto* to = dialog->findChild<QLineEdit*>(u"mailComposer:to"_s);
    auto* subject = dialog->findChild<QLineEdit*>(u"mailComposer:subject"_s);
    auto* body = dialog->findChild<QPlainTextEdit*>(u"mailComposer:body"_s);
    auto* attachments = dialog->findChild<QListWidget*>(u"mailComposer:attachments"_s);
    ASSERT_TRUE(to && subject && body && attachments);
    EXPECT_EQ(to->text(), u"care@example.org"_s);
    EXPECT_TRUE(to->isReadOnly());
    EXPECT_EQ(subject->text(), u"App - Visit"_s);
    EXPECT_EQ(body->toPlainText(), u"site: Lab\nroom: 4"_s);
    ASSERT_EQ(attachments->count(), 2);
    EXPECT_EQ(attachments->item(0)->text(), u"door.jpg (10 bytes)"_s);
    EXPECT_EQ(attachments->item(1)->text(), u"notes.txt (2.0 kB)"_s);

    subject->selectAll();
    QTest::keyClicks(subject, u"Visit report"_s);
    body->moveCursor(QTextCursor::End);
    QTest::keyClick(body, Qt::Key_Return);
    QTest::keyClicks(body, u"Thanks"_s);
    press(dialog, u"Send"_s);

    ASSERT_TRUE(waitForResult());
    EXPECT_EQ(results, QList{MailComposeResult::sent});
    const QStringList written = outbox.entryList(QDir::Files);
    ASSERT_EQ(written, QStringList{u"mail-1.eml"_s});
    const QByteArray eml = test::readFile(outbox.filePath(written[0]));
    EXPECT_TRUE(eml.contains("\r\nSubject: Visit report\r\n")) << eml.toStdString();
    EXPECT_TRUE(eml.contains("room: 4\r\nThanks")) << eml.toStdString();
    EXPECT_FALSE(QDir(root.filePath(u"handoff"_s)).exists()) << "an outbox needs no hand-off";
}

TEST_F(DesktopMailComposerTest, CancellingOrClosingSendsNothing) {
    const QDir outbox(root.filePath(u"outbox"_s));
    const struct {
        const char* name;
        std::function<void(MailComposeDialog*)> leave;
    } cases[] = {
        {"Cancel", [](MailComposeDialog* dialog) { press(dialog, u"Cancel"_s); }},
        {"closing the window", [](MailComposeDialog* dialog) { dialog->close(); }},
        {"Escape", [](MailComposeDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        results.clear();
        auto mail = composer(outbox);
        MailComposeDialog* dialog = compose(*mail, someMessage());
        ASSERT_TRUE(dialog);
        c.leave(dialog);
        ASSERT_TRUE(waitForResult());
        EXPECT_EQ(results, QList{MailComposeResult::cancelled});
        EXPECT_FALSE(outbox.exists());
        EXPECT_TRUE(runUntil([&] { return !window.findChild<MailComposeDialog*>(); }))
            << "the dialog goes once it is closed";
    }
}

TEST_F(DesktopMailComposerTest, HandsTheMessageToTheMailProgramAsArguments) {
    const PathGuard path(programs.path(), false);
    const struct {
        int exitCode;
        MailComposeResult result;
        QString error;
    } cases[] = {
        {0, MailComposeResult::sent, {}},
        {3, MailComposeResult::failed,
         u"The mail program could not be opened (xdg-email exit 3)."_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exitCode);
        results.clear();
        errors.clear();
        QFile::remove(QDir(programs.path()).filePath(u"arguments"_s));
        writeFakeProgram(programs.path(), c.exitCode);
        auto mail = composer(std::nullopt);
        ASSERT_TRUE(mail->canSendMail());
        MailMessage message = someMessage();
        // Two files of one name, one of them named to lead out of its folder.
        message.attachments.append({"second", u"text/plain"_s, u"../notes.txt"_s});

        MailComposeDialog* dialog = compose(*mail, message);
        ASSERT_TRUE(dialog);
        press(dialog, u"Send"_s);

        ASSERT_TRUE(waitForResult());
        EXPECT_EQ(results, QList{c.result});
        EXPECT_EQ(errors, QStringList{c.error});
        const std::optional<QStringList> arguments = argumentsGiven(programs.path());
        ASSERT_TRUE(arguments);
        ASSERT_EQ(arguments->size(), 12) << arguments->join(u' ').toStdString();
        const QStringList attached{arguments->at(6), arguments->at(8), arguments->at(10)};
        EXPECT_EQ(*arguments,
                  (QStringList{u"--utf8"_s, u"--subject"_s, u"App - Visit"_s, u"--body"_s,
                               u"site: Lab\nroom: 4"_s, u"--attach"_s, attached[0], u"--attach"_s,
                               attached[1], u"--attach"_s, attached[2], u"care@example.org"_s}));
        const QString handOff = QDir(root.filePath(u"handoff"_s)).canonicalPath();
        QStringList contents;
        for (const QString& file : attached) {
            EXPECT_TRUE(QFileInfo(file).canonicalFilePath().startsWith(handOff + u'/'))
                << file.toStdString();
            contents.append(QString::fromUtf8(test::readFile(file).left(10)));
        }
        EXPECT_EQ(QFileInfo(attached[0]).fileName(), u"door.jpg"_s);
        EXPECT_EQ(QFileInfo(attached[1]).fileName(), u"notes.txt"_s);
        EXPECT_EQ(QFileInfo(attached[2]).fileName(), u"notes.txt"_s);
        EXPECT_EQ(contents, (QStringList{u"jpeg bytes"_s, u"xxxxxxxxxx"_s, u"second"_s}));
    }
}

TEST_F(DesktopMailComposerTest, LeavesOutARecipientTheProgramCouldTakeForAnOption) {
    const PathGuard path(programs.path(), false);
    writeFakeProgram(programs.path(), 0);
    const QString left = u"\"Recipient left out, as xdg-email could read it as an option: "_s;
    const struct {
        QString recipient;
        QString shown;
        QStringList console;
    } cases[] = {
        {u"-x"_s, {}, {left + uR"(-x")"_s}},
        {u"--attach=/etc/passwd"_s, {}, {left + uR"(--attach=/etc/passwd")"_s}},
        {u"care@example.org --body x"_s, {}, {left + uR"(care@example.org --body x")"_s}},
        {u"care@example.org\n"_s, {}, {left + uR"(care@example.org\n")"_s}},
        {u"a-b@example.org"_s, u"a-b@example.org"_s, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.recipient.toStdString());
        results.clear();
        console.clear();
        auto mail = composer(std::nullopt);
        MailComposeDialog* dialog = compose(*mail, {c.recipient, u"S"_s, {}, {}});
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->findChild<QLineEdit*>(u"mailComposer:to"_s)->text(), c.shown);
        EXPECT_EQ(console, c.console);
        press(dialog, u"Send"_s);
        ASSERT_TRUE(waitForResult());
        QStringList expected{u"--utf8"_s, u"--subject"_s, u"S"_s};
        if (!c.shown.isEmpty()) {
            expected.append(c.shown);
        }
        EXPECT_EQ(argumentsGiven(programs.path()), expected);
    }
}

TEST_F(DesktopMailComposerTest, CanSendMailWithAnOutboxOrTheMailProgram) {
    const struct {
        const char* name;
        bool outbox;
        bool program;
        bool canSend;
    } cases[] = {
        {"outbox only", true, false, true},
        {"program only", false, true, true},
        {"both", true, true, true},
        {"neither", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        if (c.program) {
            writeFakeProgram(folder.path(), 0);
        }
        const PathGuard path(folder.path(), true);
        auto mail =
            composer(c.outbox ? std::optional(QDir(root.filePath(u"outbox"_s))) : std::nullopt);
        EXPECT_EQ(mail->canSendMail(), c.canSend);
    }
}

TEST_F(DesktopMailComposerTest, AComposerThatGoesEndsNothing) {
    auto mail = composer(QDir(root.filePath(u"outbox"_s)));
    QPointer<MailComposeDialog> dialog = compose(*mail, someMessage());
    ASSERT_TRUE(dialog);

    mail.reset();

    EXPECT_TRUE(dialog.isNull()) << "the dialog goes with its composer";
    QTest::qWait(50);
    EXPECT_TRUE(results.isEmpty());
}

}  // namespace
}  // namespace pathloom
