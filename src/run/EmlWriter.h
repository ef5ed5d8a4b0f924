#pragma once

#include "foundation/Error.h"
#include "steps/MailMessage.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QString>
#include <expected>
#include <optional>

namespace pathloom {

// Writes messages as Internet mail files (.eml: RFC 5322 with MIME), which mail programs open like
// any message they received. Lines end with CRLF. A header value never spans more than its own
// header: line breaks and other control characters in the recipient, subject and file names
// become spaces. The text travels quoted-printable and attachments in base64, so that both arrive
// byte for byte. Each call stands alone; the writer may be used from any thread.
class EmlWriter {
public:
    // `from` is the sender written into every message; none when absent.
    explicit EmlWriter(std::optional<QString> from = std::nullopt) : m_from(std::move(from)) {}

    // The whole message, dated `date`: one text part, or a multipart/mixed message when it has
    // attachments (the text part first, left out when the text is empty).
    [[nodiscard]] QByteArray write(const MailMessage& message,
                                   const QDateTime& date = QDateTime::currentDateTime()) const;

    // Writes the message into `folder`, made when missing, as "<baseName>-<n>.eml" with the first
    // n from 1 that no file takes; gives the file's path. Characters of `baseName` that could lead
    // out of the folder or hide the file become "_". Fails with MailError::couldNotWrite and leaves
    // no file behind.
    [[nodiscard]] std::expected<QString, Error> writeToFolder(const MailMessage& message,
                                                              const QDir& folder,
                                                              const QString& baseName) const;

private:
    std::optional<QString> m_from;
};

}  // namespace pathloom
