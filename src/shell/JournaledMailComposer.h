#pragma once

#include "steps/MailComposer.h"

namespace pathloom {

class ScreenJournal;

// Hands every message to another composer and writes down in the journal that it was handed over
// ("composer": the step that sends it, the recipient and the attachments' names) and how it ended
// ("mail": the same and the result), so that a run on screen can be checked from outside. Main thread only; both outlive it.
class JournaledMailComposer : public MailComposer {
public:
    JournaledMailComposer(MailComposer& composer, ScreenJournal& journal)
        : m_composer(composer), m_journal(journal) {}

    [[nodiscard]] bool canSendMail() const override { return m_composer.canSendMail(); }
    void compose(MailMessage message, Completion done) override;
    void nameMessagesAfter(const QString& stepIdentifier) override;

private:
    MailComposer& m_composer;
    ScreenJournal& m_journal;
    QString m_step;
};

}  // namespace pathloom
