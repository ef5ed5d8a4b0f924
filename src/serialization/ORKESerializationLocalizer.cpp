#include "serialization/ORKESerializationLocalizer.h"

namespace pathloom {

QString ORKESerializationLocalizer::localizedStringForString(const QString& string) const {
    return string;
}

}  // namespace pathloom
