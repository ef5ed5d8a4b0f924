#pragma once

#include "session/JSONRepresentable.h"
#include "session/ValueProvider.h"
#include "taskmodel/ORKQuestionResult.h"

#include <memory>

namespace pathloom {

// Reads a question result stored in the session: its answer under "answer" (a boolean answer as
// the text "true" or "false"), its content and its JSON.
class QuestionResultProvider : public ValueProvider, public JSONRepresentable {
public:
    explicit QuestionResultProvider(std::shared_ptr<const ORKQuestionResult> result)
        : m_result(std::move(result)) {}

    [[nodiscard]] Value::Dictionary content() const override;
    [[nodiscard]] Value fetchValue(const QString& key) const override;
    [[nodiscard]] Value fetchProvider(const QString& key) const override;
    [[nodiscard]] std::optional<QByteArray> jsonRepresentation() const override;
    // Appends the JSON of `result` as jsonRepresentation() writes it, without making a provider;
    // false, appending nothing, when it has none.
    [[nodiscard]] static bool appendJson(QByteArray& json, const ORKQuestionResult& result);

private:
    std::shared_ptr<const ORKQuestionResult> m_result;
};

}  // namespace pathloom
