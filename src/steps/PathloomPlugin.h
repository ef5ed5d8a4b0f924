#pragma once

#include "steps/PathloomStepType.h"

#include <QList>
#include <concepts>
#include <memory>

namespace pathloom {

using StepTypes = QList<std::shared_ptr<const PathloomStepType>>;

// A host plug-in: a class whose static `allStepsTypes()` lists the step types it adds, in order.
template <typename P>
concept PathloomPlugin = requires {
    { P::allStepsTypes() } -> std::same_as<StepTypes>;
};

// A plug-in handed over as a type, as the configuration manager takes them:
// `PluginType::of<MyPlugin>()`.
class PluginType {
public:
    template <PathloomPlugin P>
    [[nodiscard]] static PluginType of() {
        return PluginType(&P::allStepsTypes);
    }

    [[nodiscard]] StepTypes allStepsTypes() const { return m_allStepsTypes(); }

private:
    using AllStepsTypes = StepTypes (*)();
    explicit PluginType(AllStepsTypes allStepsTypes) : m_allStepsTypes(allStepsTypes) {}

    AllStepsTypes m_allStepsTypes;
};

}  // namespace pathloom
