#pragma once

#include <QString>

namespace pathloom {

// Why an answer written for a question or form item was refused: it has the wrong shape, it
// breaks a rule of its answer format, or a required answer is missing. The description is the
// sentence a user of a run without screens reads.
class AnswerError {
public:
    enum class Case { wrongShape, invalid, missing };

    // `sentence` names the item and the shape it needs ("The answer for 'age' must be a number.").
    [[nodiscard]] static AnswerError wrongShape(QString identifier, QString sentence) {
        return AnswerError(Case::wrongShape, std::move(identifier), std::move(sentence));
    }
    // `message` is the validation message a screen shows next to the answer.
    [[nodiscard]] static AnswerError invalid(QString identifier, QString message) {
        return AnswerError(Case::invalid, std::move(identifier), std::move(message));
    }
    [[nodiscard]] static AnswerError missing(QString identifier) {
        return AnswerError(Case::missing, std::move(identifier), {});
    }

    [[nodiscard]] Case errorCase() const { return m_case; }
    // The question or form item the answer was for.
    [[nodiscard]] const QString& identifier() const { return m_identifier; }
    // The shape sentence or the validation message; empty for a missing answer.
    [[nodiscard]] const QString& message() const { return m_message; }
    [[nodiscard]] static QString domain();
    // The position of the case in the enumeration.
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    // The shape sentence or the validation message as they are; for a missing answer, "The step
    // '<id>' needs an answer." (a form item's identifier stands in for its step's).
    [[nodiscard]] QString description() const;

    friend bool operator==(const AnswerError&, const AnswerError&) = default;

private:
    AnswerError(Case errorCase, QString identifier, QString message)
        : m_case(errorCase), m_identifier(std::move(identifier)), m_message(std::move(message)) {}

    Case m_case;
    QString m_identifier;
    QString m_message;
};

}  // namespace pathloom
