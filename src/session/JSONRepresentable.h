#pragma once

#include <QString>
#include <optional>

namespace pathloom {

// An object that can write itself as JSON text, as the session post sends it.
class JSONRepresentable {
public:
    virtual ~JSONRepresentable() = default;
    // The JSON text, or nothing when the object cannot be written.
    [[nodiscard]] virtual std::optional<QString> jsonRepresentation() const = 0;
};

}  // namespace pathloom
