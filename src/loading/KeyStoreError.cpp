#include "loading/KeyStoreError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

KeyStoreError KeyStoreError::readFailed(KeyStore::Status status) {
    return {u"Keychain read failed: "_s + QString::number(status)};
}

KeyStoreError KeyStoreError::noKeyReturned() { return {u"Keychain read returned no key."_s}; }

KeyStoreError KeyStoreError::unableToCreateKey() {
    return {u"Unable to create SecKey representation."_s};
}

KeyStoreError KeyStoreError::unableToStore(KeyStore::Status status) {
    return {u"Unable to store item: "_s + QString::number(status)};
}

QString KeyStoreError::domain() { return u"PathloomCore.KeyStoreError"_s; }

QString KeyStoreError::description() const {
    return u"The operation couldn\u2019t be completed. (%1 error %2.)"_s.arg(domain()).arg(code());
}

}  // namespace pathloom
