#pragma once

#include <QString>

namespace pathloom {

// Why a text could not be read as JSON: the reader's message and the byte offset it stopped at.
struct JsonError {
    QString message;
    qsizetype offset = 0;

    [[nodiscard]] QString description() const;
    friend bool operator==(const JsonError&, const JsonError&) = default;
};

}  // namespace pathloom
