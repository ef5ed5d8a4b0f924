#include "steps/PathloomDisplayViewControllerError.h"

namespace pathloom {

QString PathloomDisplayViewControllerError::description() const {
    switch (m_case) {
        case Case::urlActionsUnsupported:
            return QStringLiteral("URL actions not supported in non-network Display step");
    }
    return {};
}

}  // namespace pathloom
