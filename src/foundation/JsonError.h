#pragma once

#include <QString>

namespace pathloom {

// Why a text could not be read as JSON: the reader's message and the byte offset it stopped at.
struct JsonError {
    QString message;
    qsizetype offset = 0;

    [[nodiscard]] QString description() const;
    // The domain and code under which platforms report a JSON reading error.
    [[nodiscard]] static QString domain() { return QStringLiteral("NSCocoaErrorDomain"); }
    [[nodiscard]] static qint64 code() { return 3840; }
    friend bool operator==(const JsonError&, const JsonError&) = default;
};

}  // namespace pathloom
