#pragma once

#include "foundation/Error.h"

#include <QString>
#include <optional>

namespace pathloom {

// One report of an upload run: a file failed (and the run with it), a file was uploaded, or every
// file was uploaded.
struct FileUploadUpdate {
    enum class Kind { failed, uploaded, completed };

    Kind kind;
    std::optional<Error> error;
    QString identifier;

    static FileUploadUpdate failed(Error error) { return {Kind::failed, std::move(error), {}}; }
    static FileUploadUpdate uploaded(QString identifier) {
        return {Kind::uploaded, std::nullopt, std::move(identifier)};
    }
    static FileUploadUpdate completed() { return {Kind::completed, std::nullopt, {}}; }
};

}  // namespace pathloom
