#pragma once

#include <QString>

namespace pathloom {

// A step factory was asked for a step type it does not build. It has no message of its own, so
// users see the platform's generic text for its domain and code.
class StepFactoryError {
public:
    enum class Case { unsuportedStep };

    static StepFactoryError unsuportedStep() { return StepFactoryError(Case::unsuportedStep); }

    [[nodiscard]] Case errorCase() const { return m_case; }
    [[nodiscard]] static QString domain() {
        return QStringLiteral("PathloomCore.StepFactoryError");
    }
    [[nodiscard]] qint64 code() const { return static_cast<qint64>(m_case); }
    [[nodiscard]] QString description() const {
        return QStringLiteral("The operation couldn\u2019t be completed. (%1 error %2.)")
            .arg(domain())
            .arg(code());
    }

    friend bool operator==(const StepFactoryError&, const StepFactoryError&) = default;

private:
    explicit StepFactoryError(Case errorCase) : m_case(errorCase) {}

    Case m_case;
};

}  // namespace pathloom
