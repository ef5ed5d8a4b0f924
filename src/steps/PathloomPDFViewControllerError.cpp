#include "steps/PathloomPDFViewControllerError.h"

namespace pathloom {

QString PathloomPDFViewControllerError::description() const {
    switch (m_case) {
        case Case::invalidURL:
            return QStringLiteral("Unable to load PDF, invalid URL.");
        case Case::unableToLoad:
            return QStringLiteral("Unable to load PDF.");
    }
    return {};
}

}  // namespace pathloom
