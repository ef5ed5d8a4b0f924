#include "steps/EmailStepController.h"

#include "foundation/CancellationToken.h"
#include "foundation/DispatchQueue.h"
#include "network/NetworkManager.h"
#include "network/URLError.h"
#include "session/Session.h"
#include "session/ValueText.h"
#include "steps/MailError.h"
#include "steps/PathloomEmailViewControllerError.h"

#include <QSet>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

std::optional<QString> nonEmpty(std::optional<QString> text) {
    return text && !text->isEmpty() ? text : std::nullopt;
}

// The session's files whose file name (or, for a file without one, identifier) the step asks
// for, in the session's order; the first that cannot be attached fails them all. Reads the files
// on the calling thread.
std::expected<QList<MailAttachment>, Error> attachmentsFor(const Session& session,
                                                           const QStringList& requested) {
    QList<MailAttachment> attachments;
    for (const std::shared_ptr<const BinaryProvider>& file : session.binaryProviders()) {
        const std::optional<QString> fileName = nonEmpty(file->fileName());
        if (!requested.contains(fileName.value_or(file->identifier()))) {
            continue;
        }
        const std::optional<QString> mimeType = nonEmpty(file->mimeType());
        // Checked before the bytes: an entry without a file name has no file to read either, and
        // what it lacks is what the user should hear about.
        if (!fileName || !mimeType) {
            return std::unexpected(PathloomEmailViewControllerError::invalidAttachment());
        }
        std::optional<QByteArray> data = file->data();
        if (!data) {
            return std::unexpected(
                URLError(URLError::cannotOpenFile, file->filePath().value_or(QString())));
        }
        attachments.append(MailAttachment{std::move(*data), *mimeType, *fileName});
    }
    return attachments;
}

}  // namespace

std::shared_ptr<EmailStepController> EmailStepController::create(
    std::shared_ptr<PathloomEmailStep> step, StepControllerDelegate& delegate,
    MailComposer& composer, BinaryConverter converter) {
    return std::shared_ptr<EmailStepController>(
        new EmailStepController(std::move(step), delegate, composer, converter));
}

EmailStepController::EmailStepController(std::shared_ptr<PathloomEmailStep> step,
                                         StepControllerDelegate& delegate, MailComposer& composer,
                                         BinaryConverter converter)
    : m_step(std::move(step)), m_delegate(delegate), m_composer(composer), m_converter(converter) {}

void EmailStepController::openEmail() {
    if (m_state != State::idle) {
        return;
    }
    m_state = State::preparing;
    m_delegate.setLoading(true);
    CancellationToken token;
    m_preparation = token.handle();
    const std::shared_ptr<Session>& session = m_step->networkManager()->stepsSession();
    m_converter.convertBinaries(
        session, [token, session, requested = m_step->requestPropertyIdentifiers(),
                  weakSelf = weak_from_this()](std::optional<Error> error) {
            // The controller is gone: its files need not be read.
            if (token.isCancelled()) {
                return;
            }
            std::expected<QList<MailAttachment>, Error> attachments =
                error ? std::unexpected(std::move(*error)) : attachmentsFor(*session, requested);
            DispatchQueue::main()->async([weakSelf, attachments = std::move(attachments)] {
                if (const auto self = weakSelf.lock()) {
                    self->prepared(attachments);
                }
            });
        });
}

void EmailStepController::prepared(std::expected<QList<MailAttachment>, Error> attachments) {
    m_preparation.release();
    m_state = State::idle;
    m_delegate.setLoading(false);
    if (!attachments) {
        m_delegate.showError(attachments.error());
        return;
    }
    if (!m_composer.canSendMail()) {
        m_delegate.showError(PathloomEmailViewControllerError::notConfigured());
        return;
    }
    m_state = State::composing;
    m_composer.compose(
        MailMessage{m_step->sendTo(), m_step->subject(), messageText(), std::move(*attachments)},
        [weakSelf = weak_from_this()](MailComposeResult result, std::optional<Error> error) {
            if (const auto self = weakSelf.lock()) {
                self->composed(result, error);
            }
        });
}

void EmailStepController::composed(MailComposeResult result, const std::optional<Error>& error) {
    if (m_state != State::composing) {
        return;
    }
    m_state = State::idle;
    switch (result) {
        case MailComposeResult::sent:
            m_delegate.goForward();
            break;
        case MailComposeResult::failed:
            // A message that did not leave must not look as if the user had cancelled it.
            m_delegate.showError(error.value_or(Error(MailError::notSent())));
            break;
        case MailComposeResult::cancelled:
        case MailComposeResult::saved:
            break;
    }
}

QString EmailStepController::messageText() const {
    const std::shared_ptr<Session>& session = m_step->networkManager()->stepsSession();
    QStringList lines;
    QSet<QString> quoted;
    for (const QString& identifier : m_step->requestPropertyIdentifiers()) {
        if (quoted.contains(identifier)) {
            continue;
        }
        quoted.insert(identifier);
        if (const std::optional<QString> text = stringValue(session->value(identifier))) {
            lines.append(identifier + u": "_s + *text);
        }
    }
    return lines.join(u'\n');
}

}  // namespace pathloom
