#pragma once

#include "steps/StepType.h"

#include <QList>
#include <optional>

namespace pathloom {

// The step kinds that the task framework's own classes build, through the serializer.
class ResearchKitStepType : public StepType {
public:
    enum class Case {
        instructions,
        videoInstructions,
        completion,
        question,
        form,
        videoCapture,
        signature
    };

    explicit ResearchKitStepType(Case value) : m_value(value) {}
    // Every case, in case order.
    [[nodiscard]] static QList<ResearchKitStepType> allCases();
    // The case whose type name is exactly `typeName`.
    [[nodiscard]] static std::optional<ResearchKitStepType> fromTypeName(const QString& typeName);

    [[nodiscard]] Case value() const { return m_value; }
    [[nodiscard]] QString typeName() const override;
    // The name of the class that steps of this kind are made of ("ORKQuestionStep", …).
    [[nodiscard]] QString className() const;

private:
    Case m_value;
};

}  // namespace pathloom
