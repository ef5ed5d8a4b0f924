#pragma once

#include <QString>

namespace pathloom {

// Why the e-mail step could not open a message.
class PathloomEmailViewControllerError {
public:
    enum class Case { notConfigured, invalidAttachment };

    // Nothing here can send mail.
    static PathloomEmailViewControllerError notConfigured() {
        return PathloomEmailViewControllerError(Case::notConfigured);
    }
    // A file to attach has no MIME type or no file name.
    static PathloomEmailViewControllerError invalidAttachment() {
        return PathloomEmailViewControllerError(Case::invalidAttachment);
    }

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] static QString domain() {
        return QStringLiteral("PathloomCore.PathloomEmailViewControllerError");
    }
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    [[nodiscard]] QString description() const;

    friend bool operator==(const PathloomEmailViewControllerError&,
                           const PathloomEmailViewControllerError&) = default;

private:
    explicit PathloomEmailViewControllerError(Case errorCase) : m_case(errorCase) {}

    Case m_case;
};

}  // namespace pathloom
