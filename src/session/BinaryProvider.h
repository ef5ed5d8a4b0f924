#pragma once

#include "session/SessionProvider.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace pathloom {

// An entry of the session that carries a file to upload.
class BinaryProvider {
public:
    virtual ~BinaryProvider() = default;
    [[nodiscard]] virtual QString identifier() const = 0;
    [[nodiscard]] virtual std::optional<QString> filePath() const = 0;
    [[nodiscard]] virtual std::optional<QString> fileName() const = 0;
    [[nodiscard]] virtual std::optional<QString> mimeType() const = 0;
    // The bytes to upload; nothing when the file cannot be read.
    [[nodiscard]] virtual std::optional<QByteArray> data() const = 0;
};

}  // namespace pathloom
