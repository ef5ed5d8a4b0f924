#pragma once

#include <QString>

namespace pathloom {

// A file could not be written or removed: which file, and the file system's reason.
struct FileSystemError {
    enum class Operation { write, remove };

    Operation operation = Operation::write;
    QString path;
    QString reason;

    [[nodiscard]] static QString domain() { return QStringLiteral("NSCocoaErrorDomain"); }
    // The platform's codes for an unknown write failure and for a removal refused.
    [[nodiscard]] qint64 code() const { return operation == Operation::write ? 512 : 513; }
    [[nodiscard]] QString description() const {
        return (operation == Operation::write
                    ? QStringLiteral("Could not write \u201c%1\u201d: %2")
                    : QStringLiteral("Could not remove \u201c%1\u201d: %2"))
            .arg(path, reason);
    }

    friend bool operator==(const FileSystemError&, const FileSystemError&) = default;
};

}  // namespace pathloom
