#include "taskscreens/StepScreenFactory.h"

#include "taskmodel/ORKQuestionStep.h"
#include "taskmodel/ORKStep.h"
#include "taskscreens/ORKCompletionStepViewController.h"
#include "taskscreens/ORKFormStepViewController.h"
#include "taskscreens/ORKImageCaptureStepViewController.h"
#include "taskscreens/ORKInstructionStepViewController.h"
#include "taskscreens/ORKQuestionStepViewController.h"
#include "taskscreens/ORKSignatureStepViewController.h"
#include "taskscreens/ORKStepViewController.h"
#include "taskscreens/ORKTableStepViewController.h"
#include "taskscreens/ORKVideoCaptureStepViewController.h"
#include "taskscreens/ORKVideoInstructionStepViewController.h"
#include "taskscreens/ORKWaitStepViewController.h"

#include <QVBoxLayout>
#include <ranges>

namespace pathloom {

using namespace Qt::StringLiterals;

StepScreenFactory::StepScreenFactory(DebugConsole console, Camera camera)
    : m_console(std::move(console)), m_camera(camera) {}

void StepScreenFactory::registerKind(StepKind kind, Maker maker) {
    m_makers.append({kind, std::move(maker)});
}

ORKStepViewController* StepScreenFactory::make(const std::shared_ptr<ORKStep>& step,
                                               ORKTaskViewController& task) const {
    const StepKind kind = stepKind(*step);
    for (const Registration& registration : std::views::reverse(m_makers)) {
        if (registration.kind != kind) {
            continue;
        }
        if (ORKStepViewController* screen = registration.maker(step, task)) {
            return screen;
        }
    }
    return makeStock(step, kind, task);
}

ORKStepViewController* StepScreenFactory::makeStock(const std::shared_ptr<ORKStep>& step,
                                                    StepKind kind,
                                                    ORKTaskViewController& task) const {
    switch (kind) {
        case StepKind::instruction:
        case StepKind::learnMore:
            return new ORKInstructionStepViewController(step, task);
        case StepKind::completion:
            return new ORKCompletionStepViewController(step, task);
        case StepKind::question:
            // A question without an answer format has nothing to ask with.
            if (static_cast<const ORKQuestionStep&>(*step).answerFormat) {
                return new ORKQuestionStepViewController(step, task, m_console);
            }
            break;
        case StepKind::form:
            return new ORKFormStepViewController(step, task, m_console);
        case StepKind::imageCapture:
            return new ORKImageCaptureStepViewController(step, task, m_camera == Camera::used);
        case StepKind::signature:
            return new ORKSignatureStepViewController(step, task);
        case StepKind::videoCapture:
            return new ORKVideoCaptureStepViewController(step, task, m_camera == Camera::used);
        case StepKind::videoInstruction:
            return new ORKVideoInstructionStepViewController(step, task);
        case StepKind::wait:
            return new ORKWaitStepViewController(step, task);
        case StepKind::table:
            return new ORKTableStepViewController(step, task);
        default:
            break;
    }
    m_console.print(u"No screen for %1; shown as a plain step"_s.arg(stepClassName(step)));
    auto* screen = new ORKStepViewController(step, task);
    screen->addTitleAndText();
    return screen;
}

}  // namespace pathloom
