#pragma once

#include "JsonPath.h"

#include <QString>
#include <optional>

namespace pathloom {

// One mistake a check found in an app document: how bad it is, a stable code that scripts may
// match, what is wrong, and where. A plain value.
struct LintFinding {
    enum class Severity { warning, error };
    // Where the value starts in the file: both 1-based, the column in characters.
    struct Position {
        qsizetype line = 0;
        qsizetype column = 0;
        friend auto operator<=>(const Position&, const Position&) = default;
    };

    Severity severity = Severity::warning;
    QString code;
    QString message;
    // The root path stands for the command line (for instance an initial workflow it names).
    JsonPath path;
    std::optional<Position> position;

    [[nodiscard]] static QString severityName(Severity severity) {
        return severity == Severity::error ? QStringLiteral("error") : QStringLiteral("warning");
    }
};

}  // namespace pathloom
