#pragma once

#include "run/EmlWriter.h"
#include "steps/MailComposer.h"

#include <QDir>
#include <QString>

namespace pathloom {

// Sends mail by writing each message as an .eml file into an outbox folder, for runs without
// screens: a message is sent once its file is written, and failed, with the error, when it cannot
// be. The file is "<baseName>-<n>.eml" with the first free n from 1 (see EmlWriter).
//
// Main thread only; `done` runs on the main queue after compose() has returned.
class OutboxMailComposer : public MailComposer {
public:
    explicit OutboxMailComposer(QDir outbox, QString baseName = QStringLiteral("message"),
                                EmlWriter writer = EmlWriter())
        : m_outbox(std::move(outbox)),
          m_baseName(std::move(baseName)),
          m_writer(std::move(writer)) {}

    // Names the files of the messages that follow, for example after the step that sends them.
    void setBaseName(QString baseName) { m_baseName = std::move(baseName); }
    [[nodiscard]] const QString& baseName() const { return m_baseName; }

    [[nodiscard]] bool canSendMail() const override { return true; }
    void compose(MailMessage message, Completion done) override;
    void nameMessagesAfter(const QString& stepIdentifier) override { setBaseName(stepIdentifier); }

private:
    QDir m_outbox;
    QString m_baseName;
    EmlWriter m_writer;
};

}  // namespace pathloom
