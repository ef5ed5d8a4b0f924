#pragma once

#include "steps/MailAttachment.h"

#include <QList>
#include <QString>
#include <optional>

namespace pathloom {

// A message ready to hand to a mail composer: one recipient at most, a plain-text body (empty for
// none) and its attachments in order.
struct MailMessage {
    std::optional<QString> to;
    QString subject;
    QString body;
    QList<MailAttachment> attachments;

    friend bool operator==(const MailMessage&, const MailMessage&) = default;
};

}  // namespace pathloom
