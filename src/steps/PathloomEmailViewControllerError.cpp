#include "steps/PathloomEmailViewControllerError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString PathloomEmailViewControllerError::description() const {
    switch (m_case) {
        case Case::notConfigured:
            return u"No email accounts available. Please configure one in the Settings app."_s;
        case Case::invalidAttachment:
            return u"Unable to create attachment."_s;
    }
    return {};
}

}  // namespace pathloom
