#include "steps/StepCreationError.h"

#include <utility>

namespace pathloom {

using namespace Qt::StringLiterals;

StepCreationError::StepCreationError(Case errorCase, QString identifier)
    : m_case(errorCase), m_identifier(std::move(identifier)) {}

StepCreationError StepCreationError::unableToLoadTemplateImage(QString identifier) {
    return {Case::unableToLoadTemplateImage, std::move(identifier)};
}

QString StepCreationError::domain() { return u"PathloomCore.StepCreationError"_s; }

QString StepCreationError::description() const {
    switch (m_case) {
        case Case::unableToLoadTemplateImage:
            return u"The app was unable to load the template image for Image Capture Step with "
                   u"identifier: "_s +
                   m_identifier;
    }
    return {};
}

QString StepCreationError::recoverySuggestion() const {
    switch (m_case) {
        case Case::unableToLoadTemplateImage:
            return u"Please, check the configuration of the step on the Pathloom portal"_s;
    }
    return {};
}

}  // namespace pathloom
