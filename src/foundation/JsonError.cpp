#include "foundation/JsonError.h"

namespace pathloom {

QString JsonError::description() const {
    return QStringLiteral(
               "The data couldn't be read because it isn't valid JSON (%1 at offset %2).")
        .arg(message)
        .arg(offset);
}

}  // namespace pathloom
