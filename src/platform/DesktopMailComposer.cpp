#include "platform/DesktopMailComposer.h"

#include "platform/MailProgramError.h"
#include "platform/MailComposeDialog.h"
#include "steps/MailError.h"

#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

// Runs the completion the first time only: a program can end after its timeout was reported.
void finish(const std::shared_ptr<MailComposer::Completion>& done, MailComposeResult result,
            std::optional<Error> error = std::nullopt) {
    if (*done) {
        std::exchange(*done, {})(result, std::move(error));
    }
}

// Whether the mail program could take `address` for something other than a recipient.
bool looksLikeAnOption(const QString& address) {
    return address.startsWith(u'-') ||
           std::ranges::any_of(address, [](QChar c) { return c.isSpace(); });
}

// A name for an attachment's file that stays inside its folder.
QString safeFileName(const QString& fileName, qsizetype index) {
    QString name = QFileInfo(QString(fileName).replace(u'\\', u'/')).fileName();
    if (name.isEmpty() || name == u"."_s || name == u".."_s) {
        name = u"attachment-%1"_s.arg(index + 1);
    }
    return name;
}

}  // namespace

DesktopMailComposer::DesktopMailComposer(QWidget& window, std::optional<QDir> outbox,
                                         QDir handOffFolder, DebugConsole console, QString program)
    : m_window(window),
      m_handOffFolder(std::move(handOffFolder)),
      m_console(std::move(console)),
      m_program(std::move(program)),
      m_context(std::make_unique<QObject>()) {
    if (outbox) {
        m_outbox.emplace(std::move(*outbox));
    }
}

DesktopMailComposer::~DesktopMailComposer() { delete m_dialog.data(); }

bool DesktopMailComposer::canSendMail() const {
    return m_outbox || !QStandardPaths::findExecutable(m_program).isEmpty();
}

void DesktopMailComposer::nameMessagesAfter(const QString& stepIdentifier) {
    if (m_outbox) {
        m_outbox->nameMessagesAfter(stepIdentifier);
    }
}

void DesktopMailComposer::compose(MailMessage message, Completion done) {
    if (message.to && message.to->isEmpty()) {
        message.to.reset();
    }
    if (message.to && looksLikeAnOption(*message.to)) {
        m_console.print(u"Recipient left out, as %1 could read it as an option: %2"_s.arg(
            programName(), *message.to));
        message.to.reset();
    }
    auto shared = std::make_shared<Completion>(std::move(done));
    auto* dialog = new MailComposeDialog(std::move(message), &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    QObject::connect(dialog, &QDialog::finished, m_context.get(),
                     [this, dialog, shared](int outcome) {
                         if (outcome == QDialog::Accepted) {
                             handOff(dialog->message(), shared);
                         } else {
                             finish(shared, MailComposeResult::cancelled);
                         }
                     });
    dialog->open();
}

void DesktopMailComposer::handOff(const MailMessage& message, const SharedCompletion& done) {
    if (m_outbox) {
        m_outbox->compose(message, [done](MailComposeResult result, std::optional<Error> error) {
            finish(done, result, std::move(error));
        });
        return;
    }
    runProgram(message, done);
}

void DesktopMailComposer::runProgram(const MailMessage& message, const SharedCompletion& done) {
    const QString program = QStandardPaths::findExecutable(m_program);
    if (program.isEmpty()) {
        finish(done, MailComposeResult::failed, MailProgramError::didNotStart(programName()));
        return;
    }
    const std::expected<QStringList, Error> attachments = writeAttachments(message);
    if (!attachments) {
        finish(done, MailComposeResult::failed, attachments.error());
        return;
    }
    QStringList arguments{u"--utf8"_s, u"--subject"_s, message.subject};
    if (!message.body.isEmpty()) {
        arguments << u"--body"_s << message.body;
    }
    for (const QString& path : *attachments) {
        arguments << u"--attach"_s << path;
    }
    if (message.to) {
        arguments << *message.to;
    }

    auto* process = new QProcess(m_context.get());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, m_context.get(),
                     [this, process, done](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status == QProcess::CrashExit) {
                             finish(done, MailComposeResult::failed,
                                    MailProgramError::crashed(programName()));
                         } else if (exitCode != 0) {
                             finish(done, MailComposeResult::failed,
                                    MailProgramError::exited(programName(), exitCode));
                         } else {
                             finish(done, MailComposeResult::sent);
                         }
                     });
    QObject::connect(process, &QProcess::errorOccurred, m_context.get(),
                     [this, process, done](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             process->deleteLater();
                             finish(done, MailComposeResult::failed,
                                    MailProgramError::didNotStart(programName()));
                         }
                     });
    QTimer::singleShot(kProgramTimeoutMilliseconds, process, [this, done] {
        if (*done) {
            m_console.print(u"%1 still runs after %2 s; the message is taken as handed off"_s.arg(
                programName(), QString::number(kProgramTimeoutMilliseconds / 1000)));
            finish(done, MailComposeResult::sent);
        }
    });
    process->start(program, arguments);
}

std::expected<QStringList, Error> DesktopMailComposer::writeAttachments(
    const MailMessage& message) const {
    QStringList paths;
    if (message.attachments.isEmpty()) {
        return paths;
    }
    const QDir folder(m_handOffFolder.filePath(QUuid::createUuid().toString(QUuid::WithoutBraces)));
    for (qsizetype index = 0; index < message.attachments.size(); ++index) {
        const MailAttachment& attachment = message.attachments[index];
        // A folder each, so that two attachments of the same name both arrive.
        const QString path = folder.filePath(
            u"%1/%2"_s.arg(index + 1).arg(safeFileName(attachment.fileName, index)));
        QSaveFile file(path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
            file.write(attachment.data) != attachment.data.size() || !file.commit()) {
            return std::unexpected(MailError::couldNotWrite(path));
        }
        paths.append(QFileInfo(path).absoluteFilePath());
    }
    return paths;
}

QString DesktopMailComposer::programName() const { return QFileInfo(m_program).fileName(); }

}  // namespace pathloom
