#pragma once

#include "steps/PathloomStepType.h"

#include <QList>

namespace pathloom {

// The framework's own step kinds, each with the step class that builds it.
class PathloomCoreStepType : public PathloomStepType {
public:
    enum class Case {
        imageCapture,
        list,
        networkList,
        pdfViewer,
        network,
        simulateNetwork,
        display,
        networkDisplay,
        documentCapture,
        email,
    };

    explicit PathloomCoreStepType(Case value) : m_value(value) {}
    // Every case, in case order.
    [[nodiscard]] static QList<PathloomCoreStepType> allCases();

    [[nodiscard]] Case value() const { return m_value; }
    [[nodiscard]] QString typeName() const override;
    [[nodiscard]] StepClass stepClass() const override;

private:
    Case m_value;
};

}  // namespace pathloom
