#pragma once

#include "run/RunJournal.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <expected>

namespace pathloom {

// The report of a run without screens: the steps entered, how the run finished, its first error
// and the session the task had collected, as one JSON object.
class RunReport {
public:
    [[nodiscard]] static QJsonObject toJson(const RunJournal& journal, bool completed);
    // Writes the report to `path`; fails with the sentence to show.
    [[nodiscard]] static std::expected<void, QString> write(const RunJournal& journal,
                                                            bool completed, const QString& path);
};

}  // namespace pathloom
