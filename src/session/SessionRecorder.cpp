#include "session/SessionRecorder.h"

#include "session/SessionProviders.h"

namespace pathloom {

void SessionRecorder::stepWillDisappear(const ORKStep&, const ORKStepResult& result,
                                        ORKStepViewControllerNavigationDirection) {
    for (const auto& child : result.results) {
        const Value provider(child);
        if (providers::isSessionProvider(provider)) {
            m_session->setValueProvider(child->identifier, provider);
        }
    }
}

void SessionRecorder::didFinish(ORKTaskViewControllerFinishReason, const std::optional<Error>&) {
    m_session->removeAllValueProviders();
}

}  // namespace pathloom
