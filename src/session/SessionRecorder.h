#pragma once

#include "session/Session.h"
#include "taskmodel/ORKTaskRun.h"

#include <memory>

namespace pathloom {

// What an app does with a running task's results: when a step goes away, each of its recorded
// results that the session can hold is stored under the result's identifier; when the task ends,
// for whatever reason, the session is emptied.
//
// A workflow opened over a running one (by a button of one of its pages) shares its session but
// gives it back as it found it when it ends, so that the answers of the workflow underneath, which
// still runs, are not lost.
class SessionRecorder : public ORKTaskRunDelegate {
public:
    enum class AfterFinish { empty, restored };

    // With `restored`, what the session holds now is what it holds again after the task.
    explicit SessionRecorder(std::shared_ptr<Session> session,
                             AfterFinish afterFinish = AfterFinish::empty);

    void stepWillDisappear(const ORKStep& step, const ORKStepResult& result,
                           ORKStepViewControllerNavigationDirection direction) override;
    void didFinish(ORKTaskViewControllerFinishReason reason,
                   const std::optional<Error>& error) override;

private:
    std::shared_ptr<Session> m_session;
    std::optional<Session::Providers> m_restored;
};

}  // namespace pathloom
