#pragma once

#include "steps/StepControllerDelegate.h"

namespace pathloom {

class ORKStepViewController;

// The part of a step controller's delegate that every framework step screen answers alike:
// results and moves go to the step screen (and so to the task's runner, only while the screen is
// the current one), errors and questions open alerts over it. A screen derives from it beside its
// screen class, hands `*this` to its controller and overrides what it shows differently.
//
// Main thread only; the screen outlives its controller, which it holds as a member.
class StepScreenDelegate : public StepControllerDelegate {
public:
    explicit StepScreenDelegate(ORKStepViewController& screen) : m_screen(screen) {}

    void addResult(std::shared_ptr<ORKResult> result) override;
    void goForward() override;
    void goBackward() override;
    void showError(const Error& error) override;
    void confirm(const Confirmation& confirmation, std::function<void(bool)> answer) override;
    // Only pages open workflows; any other screen tells the user it found none.
    void presentWorkflow(
        const QString& name,
        std::function<void(ORKTaskViewControllerFinishReason)> completion) override;

private:
    ORKStepViewController& m_screen;
};

}  // namespace pathloom
