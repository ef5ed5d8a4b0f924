#pragma once

#include "foundation/DebugConsole.h"
#include "run/OutboxMailComposer.h"
#include "steps/MailComposer.h"

#include <QDir>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

class QObject;
class QWidget;

namespace pathloom {

class MailComposeDialog;

// Sends mail from a desktop: the message first shows in a MailComposeDialog over the window, where
// the user may edit its subject and text; Send hands it off. With an outbox folder the message is
// written there as "<step>-<n>.eml" (see OutboxMailComposer); without one, its attachments are
// written into a new folder under the hand-off folder and the mail program (xdg-email) is run
// with them, as an argument list and never through a shell. The hand-off is the most a desktop
// can know: the mail program may still let the user discard the message.
//
// A recipient that holds white space or starts with "-" is left out, with a line on the debug
// console, because the mail program could read it as an option.
//
// Main thread only. `done` runs exactly once, on the main thread, never within compose(); it does
// not run once the composer is gone. The window outlives the composer.
class DesktopMailComposer : public MailComposer {
public:
    // How long the mail program may take to say whether it took the message. One still running
    // then has opened it: the message counts as handed off and the program is left running.
    static constexpr int kProgramTimeoutMilliseconds = 10'000;

    // `program` is a name looked up on PATH when it is used, or a path.
    DesktopMailComposer(QWidget& window, std::optional<QDir> outbox, QDir handOffFolder,
                        DebugConsole console = {}, QString program = QStringLiteral("xdg-email"));
    ~DesktopMailComposer() override;
    DesktopMailComposer(const DesktopMailComposer&) = delete;
    DesktopMailComposer& operator=(const DesktopMailComposer&) = delete;

    // An outbox is set, or the mail program is found.
    [[nodiscard]] bool canSendMail() const override;
    void compose(MailMessage message, Completion done) override;
    void nameMessagesAfter(const QString& stepIdentifier) override;

private:
    using SharedCompletion = std::shared_ptr<Completion>;

    void handOff(const MailMessage& message, const SharedCompletion& done);
    void runProgram(const MailMessage& message, const SharedCompletion& done);
    // The path of each attachment written into a new folder, or the error of the first that
    // could not be written.
    [[nodiscard]] std::expected<QStringList, Error> writeAttachments(
        const MailMessage& message) const;
    [[nodiscard]] QString programName() const;

    QWidget& m_window;
    std::optional<OutboxMailComposer> m_outbox;
    QDir m_handOffFolder;
    DebugConsole m_console;
    QString m_program;
    // The context of every connection and the parent of every running program: going with the
    // composer, it keeps `done` from running after it.
    std::unique_ptr<QObject> m_context;
    QPointer<MailComposeDialog> m_dialog;
};

}  // namespace pathloom
