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
    [[nodiscard]] std::optional<QString> jsonRepresentation() const override;

private:
    std::shared_ptr<const ORKQuestionResult> m_result;
};

}  // namespace pathloom
