#pragma once

#include <QString>

namespace pathloom {

// Rewrites a decoded text (for example to fill in placeholders). The framework offers no
// implementation; hosts may.
class ORKESerializationStringInterpolator {
public:
    virtual ~ORKESerializationStringInterpolator() = default;
    [[nodiscard]] virtual QString interpolatedStringForString(const QString& string) const = 0;
};

}  // namespace pathloom
