#pragma once

#include "foundation/Error.h"
#include "steps/MailMessage.h"

#include <functional>
#include <optional>

namespace pathloom {

// How a composed message ended.
enum class MailComposeResult { cancelled, saved, sent, failed };

// Hands a message to whatever sends mail here: the user's mail program on screen, an outbox folder
// for runs without screens.
class MailComposer {
public:
    // `error` is set with `failed`, and only then.
    using Completion = std::function<void(MailComposeResult result, std::optional<Error> error)>;

    virtual ~MailComposer() = default;

    // Whether a message can be handed over at all (for example: a mail account is set up).
    [[nodiscard]] virtual bool canSendMail() const = 0;
    // Hands `message` over. `done` runs exactly once, on the main thread, never within this call,
    // when the user or the outbox is done with the message.
    virtual void compose(MailMessage message, Completion done) = 0;
    // Names the messages that follow after the step that sends them, where the composer keeps
    // them as files; composers that keep no files ignore it.
    virtual void nameMessagesAfter(const QString& /*stepIdentifier*/) {}
};

}  // namespace pathloom
