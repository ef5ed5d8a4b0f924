#include "run/OutboxMailComposer.h"

#include "foundation/DispatchQueue.h"

namespace pathloom {

void OutboxMailComposer::compose(MailMessage message, Completion done) {
    std::expected<QString, Error> written = m_writer.writeToFolder(message, m_outbox, m_baseName);
    // Later, like a composer on screen, so that the caller never handles the end of the message
    // inside its own call.
    DispatchQueue::main()->async([written = std::move(written), done = std::move(done)] {
        if (written) {
            done(MailComposeResult::sent, std::nullopt);
        } else {
            done(MailComposeResult::failed, written.error());
        }
    });
}

}  // namespace pathloom
