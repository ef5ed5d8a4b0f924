#pragma once

#include "RunError.h"
#include "taskmodel/ORKResult.h"
#include "taskmodel/ORKStep.h"

#include <QDir>
#include <QJsonObject>
#include <QList>
#include <expected>
#include <memory>
#include <optional>

namespace pathloom {

// What a user gives at each step of a run without screens, read from a JSON object that maps step
// identifiers to answers: a question's answer, a form's map of item identifiers to answers, a
// list's item id, a display page's button label, or a capture step's file path.
class AnswerSheet {
public:
    AnswerSheet() = default;
    // Relative file paths are read from `base`.
    AnswerSheet(QJsonObject answers, QDir base)
        : m_answers(std::move(answers)), m_base(std::move(base)) {}
    // Fails with a sentence naming the file when it cannot be read or holds no JSON object.
    // Relative file paths in it are read from the file's folder.
    [[nodiscard]] static std::expected<AnswerSheet, QString> read(const QString& path);

    [[nodiscard]] std::optional<QJsonValue> answer(const QString& stepIdentifier) const;

    // The results that the answer to a question, form or capture step becomes; none for other
    // steps and for steps without an answer. A capture step's file is copied into
    // `filesDirectory` first, as a capture would record it there.
    [[nodiscard]] std::expected<QList<std::shared_ptr<ORKResult>>, RunError> results(
        const ORKStep& step, const QDir& filesDirectory) const;

private:
    QJsonObject m_answers;
    QDir m_base;
};

}  // namespace pathloom
