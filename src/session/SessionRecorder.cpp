#include "session/SessionRecorder.h"

#include "session/SessionProviders.h"

namespace pathloom {

SessionRecorder::SessionRecorder(std::shared_ptr<Session> session, AfterFinish afterFinish)
    : m_session(std::move(session)),
      m_restored(afterFinish == AfterFinish::restored ? std::optional(m_session->valueProviders())
                                                      : std::nullopt) {}

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
    if (m_restored) {
        m_session->setValueProviders(*m_restored);
    } else {
        m_session->removeAllValueProviders();
    }
}

}  // namespace pathloom
