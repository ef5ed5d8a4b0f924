#include "run/PathloomRootViewControllerError.h"

namespace pathloom {

using namespace Qt::StringLiterals;

QString PathloomRootViewControllerError::domain() {
    return u"PathloomCore.PathloomRootViewControllerError"_s;
}

QString PathloomRootViewControllerError::description() const {
    return u"The operation couldn\u2019t be completed. (%1 error %2.)"_s.arg(domain()).arg(code());
}

}  // namespace pathloom
