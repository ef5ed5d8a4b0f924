#include "platform/MailProgramError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString MailProgramError::domain() { return u"pathloom.mailProgram"_s; }

QString MailProgramError::description() const {
    switch (m_case) {
        case Case::didNotStart:
            return u"The mail program could not be opened (%1 did not start)."_s.arg(m_program);
        case Case::crashed:
            return u"The mail program could not be opened (%1 crashed)."_s.arg(m_program);
        case Case::exited:
            return u"The mail program could not be opened (%1 exit %2)."_s.arg(m_program).arg(
                m_exitCode);
    }
    return u"The mail program could not be opened."_s;
}

}  // namespace pathloom
