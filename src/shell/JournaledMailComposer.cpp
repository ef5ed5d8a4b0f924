#include "shell/JournaledMailComposer.h"

#include "shell/ScreenJournal.h"

#include <QJsonArray>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

QString resultName(MailComposeResult result) {
    switch (result) {
        case MailComposeResult::cancelled:
            return u"cancelled"_s;
        case MailComposeResult::saved:
            return u"saved"_s;
        case MailComposeResult::sent:
            return u"sent"_s;
        case MailComposeResult::failed:
            return u"failed"_s;
    }
    return {};
}

}  // namespace

void JournaledMailComposer::compose(MailMessage message, Completion done) {
    QJsonArray attachments;
    for (const MailAttachment& attachment : message.attachments) {
        attachments.append(attachment.fileName);
    }
    QJsonObject fields{{u"step"_s, m_step},
                       {u"to"_s, message.to ? QJsonValue(*message.to) : QJsonValue()},
                       {u"attachments"_s, attachments}};
    m_journal.record(u"composer"_s, fields);
    m_composer.compose(std::move(message),
                       [this, fields = std::move(fields), done = std::move(done)](
                           MailComposeResult result, std::optional<Error> error) mutable {
                           fields.insert(u"result"_s, resultName(result));
                           m_journal.record(u"mail"_s, std::move(fields));
                           done(result, std::move(error));
                       });
}

void JournaledMailComposer::nameMessagesAfter(const QString& stepIdentifier) {
    m_step = stepIdentifier;
    m_composer.nameMessagesAfter(stepIdentifier);
}

}  // namespace pathloom
