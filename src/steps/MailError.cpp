#include "steps/MailError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString MailError::domain() { return u"pathloom.mail"_s; }

QString MailError::description() const {
    switch (m_case) {
        case Case::couldNotWrite:
            return u"Could not write the message to %1."_s.arg(m_path);
        case Case::notSent:
            return u"The message could not be sent."_s;
    }
    return u"The message could not be sent."_s;
}

}  // namespace pathloom
