#pragma once

#include "foundation/Error.h"
#include "taskmodel/ORKStep.h"

#include <QJsonObject>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

namespace pathloom {

// What a run without screens has done so far, nested workflows included: the steps entered in
// order (each also printed as one line), the first error that ended the run, and the session as
// it was when the run's task finished.
class RunJournal {
public:
    // More steps than this means a navigation rule sends the walk round in circles.
    static constexpr qsizetype kStepLimit = 1000;

    explicit RunJournal(QTextStream& out) : m_out(out) {}

    // Records and prints the step; false once the walk has gone past the step limit.
    [[nodiscard]] bool enter(const std::shared_ptr<ORKStep>& step, qsizetype depth);
    // Keeps the first error only: what follows from it says nothing new.
    void fail(const Error& error);
    void setSession(QJsonObject session) { m_session = std::move(session); }

    [[nodiscard]] const QStringList& steps() const { return m_steps; }
    [[nodiscard]] const std::optional<Error>& error() const { return m_error; }
    [[nodiscard]] const QJsonObject& session() const { return m_session; }

private:
    QTextStream& m_out;
    QStringList m_steps;
    std::optional<Error> m_error;
    QJsonObject m_session;
};

}  // namespace pathloom
