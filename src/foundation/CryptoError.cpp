#include "foundation/CryptoError.h"

#include <utility>

namespace pathloom {

using namespace Qt::StringLiterals;

CryptoError::CryptoError(Case errorCase, QString detail)
    : m_case(errorCase), m_detail(std::move(detail)) {}

CryptoError CryptoError::invalidKeyRepresentation(QString detail) {
    return {Case::invalidKeyRepresentation, std::move(detail)};
}

CryptoError CryptoError::incorrectParameterSize(QString detail) {
    return {Case::incorrectParameterSize, std::move(detail)};
}

CryptoError CryptoError::authenticationFailure() { return {Case::authenticationFailure, {}}; }

CryptoError CryptoError::underlyingFailure(QString detail) {
    return {Case::underlyingFailure, std::move(detail)};
}

QString CryptoError::domain() { return u"CryptoKit.CryptoKitError"_s; }

QString CryptoError::description() const {
    switch (m_case) {
        case Case::invalidKeyRepresentation:
            return u"Invalid key representation: "_s + m_detail;
        case Case::incorrectParameterSize:
            return u"Incorrect parameter size: "_s + m_detail;
        case Case::authenticationFailure:
            return u"The sealed box did not authenticate."_s;
        case Case::underlyingFailure:
            return u"Cryptographic operation failed: "_s + m_detail;
    }
    return m_detail;
}

}  // namespace pathloom
