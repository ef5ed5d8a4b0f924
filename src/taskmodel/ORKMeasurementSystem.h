#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The measurement systems of height and weight answers and their names in documents.
namespace pathloom {

enum ORKMeasurementSystem : qint64 {
    ORKMeasurementSystemLocal = 0,
    ORKMeasurementSystemMetric = 1,
    ORKMeasurementSystemUSC = 2,
};

// The names of the measurement systems, index = value; built once.
[[nodiscard]] inline const QStringList& ORKMeasurementSystemTable() {
    static const QStringList names{QStringLiteral("local"), QStringLiteral("metric"),
                                   QStringLiteral("USC")};
    return names;
}

// The name of a measurement system; nothing for a value that names none.
[[nodiscard]] inline std::optional<QString> ORKMeasurementSystemToString(qint64 system) {
    const QStringList& names = ORKMeasurementSystemTable();
    if (system < 0 || system >= names.size()) {
        return std::nullopt;
    }
    return names[system];
}

// The measurement system of a name; nothing for a name that is not in the table.
[[nodiscard]] inline std::optional<ORKMeasurementSystem> ORKMeasurementSystemFromString(
    const QString& name) {
    const qsizetype index = ORKMeasurementSystemTable().indexOf(name);
    if (index < 0) {
        return std::nullopt;
    }
    return static_cast<ORKMeasurementSystem>(index);
}

}  // namespace pathloom
