#pragma once

#include <QString>

namespace pathloom {

// Turns a text of a document into the text to show. The base class leaves every text unchanged.
class ORKESerializationLocalizer {
public:
    virtual ~ORKESerializationLocalizer() = default;
    [[nodiscard]] virtual QString localizedStringForString(const QString& string) const;
};

}  // namespace pathloom
