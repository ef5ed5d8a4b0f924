#pragma once

#include "JsonPath.h"
#include "LintFinding.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <optional>

namespace pathloom {

// Where the values at some paths of a JSON text start, found in one pass of simdjson's on-demand
// reader that enters only the objects and arrays on the way to them. A plain value.
class JsonPositions {
public:
    // Nothing when simdjson rejects the text (it is stricter than the reader the app loads with,
    // for instance about invalid UTF-8). Of repeated keys the last counts, as when loading.
    [[nodiscard]] static std::optional<JsonPositions> locate(const QByteArray& text,
                                                             const QList<JsonPath>& paths);

    // Nothing for a path that was not asked for or is not in the text.
    [[nodiscard]] std::optional<LintFinding::Position> position(const JsonPath& path) const;

    // The line and column of byte `offset` of `text`.
    [[nodiscard]] static LintFinding::Position positionAt(const QByteArray& text, qsizetype offset);

private:
    QHash<QString, LintFinding::Position> m_positions;
};

}  // namespace pathloom
