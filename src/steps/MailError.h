#pragma once

#include <QString>

namespace pathloom {

// Why a message did not leave: it could not be written to the outbox, or the composer gave it up
// without saying why.
class MailError {
public:
    enum class Case { couldNotWrite, notSent };

    // The message file at `path` could not be written.
    [[nodiscard]] static MailError couldNotWrite(QString path) {
        return MailError(Case::couldNotWrite, std::move(path));
    }
    [[nodiscard]] static MailError notSent() { return MailError(Case::notSent, {}); }

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] const QString& path() const { return m_path; }
    [[nodiscard]] static QString domain();
    // The position of the case in the enumeration.
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    // "Could not write the message to <path>." or "The message could not be sent.".
    [[nodiscard]] QString description() const;

    friend bool operator==(const MailError&, const MailError&) = default;

private:
    MailError(Case errorCase, QString path) : m_case(errorCase), m_path(std::move(path)) {}

    Case m_case;
    QString m_path;
};

}  // namespace pathloom
