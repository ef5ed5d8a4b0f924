#pragma once

#include <QImage>
#include <QString>
#include <optional>

namespace pathloom {

// The system's named symbol images ("star", "doc.text", …). Implementations must be safe to call
// from any thread.
class SymbolImageProvider {
public:
    virtual ~SymbolImageProvider() = default;
    [[nodiscard]] virtual std::optional<QImage> symbolImage(const QString& name) const = 0;
};

}  // namespace pathloom
