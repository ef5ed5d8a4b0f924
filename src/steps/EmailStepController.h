#pragma once

#include "foundation/Cancellable.h"
#include "network/BinaryConverter.h"
#include "steps/MailComposer.h"
#include "steps/PathloomEmailStep.h"
#include "steps/StepControllerDelegate.h"

#include <memory>

namespace pathloom {

// What an e-mail step does while it is shown: its button prepares the session's files, attaches
// those the step asks for, quotes the step's values in the text and hands the message to a mail
// composer. A sent message moves the task on; a failure is shown and the step stays, so that the
// user may try again; a message cancelled or saved as a draft leaves the step where it is.
//
// Reports to its delegate on the main thread. The composer must outlive the controller. File
// preparation still running when the controller goes is dropped, and so is a composer's answer
// that comes after that.
class EmailStepController : public std::enable_shared_from_this<EmailStepController> {
public:
    [[nodiscard]] static std::shared_ptr<EmailStepController> create(
        std::shared_ptr<PathloomEmailStep> step, StepControllerDelegate& delegate,
        MailComposer& composer, BinaryConverter converter = BinaryConverter());

    [[nodiscard]] const std::shared_ptr<PathloomEmailStep>& step() const { return m_step; }
    // Whether the files are being prepared (the button is then disabled).
    [[nodiscard]] bool isLoading() const { return m_state == State::preparing; }

    // The "Open Email" button. Does nothing while an earlier message is prepared or composed.
    void openEmail();

private:
    enum class State { idle, preparing, composing };

    EmailStepController(std::shared_ptr<PathloomEmailStep> step, StepControllerDelegate& delegate,
                        MailComposer& composer, BinaryConverter converter);

    void prepared(std::expected<QList<MailAttachment>, Error> attachments);
    void composed(MailComposeResult result, const std::optional<Error>& error);
    // One "identifier: value" line per requested identifier whose value reads as text, in the
    // step's order; empty when there is none.
    [[nodiscard]] QString messageText() const;

    std::shared_ptr<PathloomEmailStep> m_step;
    StepControllerDelegate& m_delegate;
    MailComposer& m_composer;
    BinaryConverter m_converter;
    Cancellable m_preparation;
    State m_state = State::idle;
};

}  // namespace pathloom
