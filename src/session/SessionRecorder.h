#pragma once

#include "session/Session.h"
#include "taskmodel/ORKTaskRun.h"

#include <memory>

namespace pathloom {

// What an app does with a running task's results: when a step goes away, each of its recorded
// results that the session can hold is stored under the result's identifier; when the task ends,
// for whatever reason, the session is emptied.
class SessionRecorder : public ORKTaskRunDelegate {
public:
    explicit SessionRecorder(std::shared_ptr<Session> session) : m_session(std::move(session)) {}

    void stepWillDisappear(const ORKStep& step, const ORKStepResult& result,
                           ORKStepViewControllerNavigationDirection direction) override;
    void didFinish(ORKTaskViewControllerFinishReason reason,
                   const std::optional<Error>& error) override;

private:
    std::shared_ptr<Session> m_session;
};

}  // namespace pathloom
