#include "run/AnswerError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString AnswerError::domain() { return u"pathloom.answer"_s; }

QString AnswerError::description() const {
    switch (m_case) {
        case Case::wrongShape:
            return m_message;
        case Case::invalid:
            // The text the answer's screen shows, so that a run without screens says the same.
            return m_message;
        case Case::missing:
            return u"The step '%1' needs an answer."_s.arg(m_identifier);
    }
    return m_message;
}

}  // namespace pathloom
