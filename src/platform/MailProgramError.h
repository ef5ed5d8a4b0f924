#pragma once

#include <QString>

namespace pathloom {

// Why the desktop's mail program did not take a message: it could not be started, it crashed,
// or it ended with an exit status other than 0.
class MailProgramError {
public:
    enum class Case { didNotStart, crashed, exited };

    [[nodiscard]] static MailProgramError didNotStart(QString program) {
        return MailProgramError(Case::didNotStart, std::move(program), 0);
    }
    [[nodiscard]] static MailProgramError crashed(QString program) {
        return MailProgramError(Case::crashed, std::move(program), 0);
    }
    [[nodiscard]] static MailProgramError exited(QString program, int exitCode) {
        return MailProgramError(Case::exited, std::move(program), exitCode);
    }

    [[nodiscard]] Case errorCase() const { return m_case; }
    // The program's file name, such as "xdg-email".
    [[nodiscard]] const QString& program() const { return m_program; }
    [[nodiscard]] int exitCode() const { return m_exitCode; }
    [[nodiscard]] static QString domain();
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    // "The mail program could not be opened (xdg-email exit 3)." and the like.
    [[nodiscard]] QString description() const;

    friend bool operator==(const MailProgramError&, const MailProgramError&) = default;

private:
    MailProgramError(Case errorCase, QString program, int exitCode)
        : m_case(errorCase), m_program(std::move(program)), m_exitCode(exitCode) {}

    Case m_case;
    QString m_program;
    int m_exitCode;
};

}  // namespace pathloom
