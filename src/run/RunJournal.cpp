#include "run/RunJournal.h"

#include "run/StepKind.h"

namespace pathloom {

using namespace Qt::StringLiterals;

bool RunJournal::enter(const std::shared_ptr<ORKStep>& pointer, qsizetype depth) {
    const ORKStep& step = *pointer;
    m_steps.append(step.identifier);
    QString line =
        QString(depth * 2, u' ') + step.identifier + u" ("_s + stepClassName(pointer) + u')';
    if (step.title && !step.title->isEmpty()) {
        line += u" \""_s + *step.title + u'"';
    }
    m_out << line << Qt::endl;
    return m_steps.size() <= kStepLimit;
}

void RunJournal::fail(const Error& error) {
    if (!m_error) {
        m_error = error;
    }
}

}  // namespace pathloom
