#pragma once

#include <QByteArray>
#include <optional>

namespace pathloom {

// An object that can write itself as JSON text, as the session post sends it.
class JSONRepresentable {
public:
    virtual ~JSONRepresentable() = default;
    // The JSON text in UTF-8, or nothing when the object cannot be written.
    [[nodiscard]] virtual std::optional<QByteArray> jsonRepresentation() const = 0;
};

}  // namespace pathloom
