#pragma once

#include <QByteArray>
#include <QString>

namespace pathloom {

// A file sent with a message: its bytes, as the recipient should read them.
struct MailAttachment {
    QByteArray data;
    QString mimeType;
    QString fileName;

    friend bool operator==(const MailAttachment&, const MailAttachment&) = default;
};

}  // namespace pathloom
