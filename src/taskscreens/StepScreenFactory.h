#pragma once

#include "foundation/DebugConsole.h"
#include "run/StepKind.h"

#include <QList>
#include <functional>
#include <memory>

namespace pathloom {

class ORKStep;
class ORKStepViewController;
class ORKTaskViewController;

// Makes the screen of a step. Makers registered for the step's kind are asked first, the latest
// registered first; a maker may decline with null. Then the stock screens: instruction and
// "learn more" steps get an ORKInstructionStepViewController, completion steps an
// ORKCompletionStepViewController, question (with an answer format) and form steps their screens
// with a widget per answer format, and every other step a plain screen with its title and text,
// noted on the debug console as "No screen for <class>; shown as a plain step".
//
// Filled once while the app is put together, then only read. Main thread only.
class StepScreenFactory {
public:
    using Maker = std::function<ORKStepViewController*(const std::shared_ptr<ORKStep>&,
                                                       ORKTaskViewController&)>;

    // Whether capture screens may use the computer's camera. Without it they offer files only and
    // never start the media backend, as tests and review runs want.
    enum class Camera { unused, used };

    explicit StepScreenFactory(DebugConsole console = {}, Camera camera = Camera::unused);

    void registerKind(StepKind kind, Maker maker);

    // A new screen for `step` in `task`, never null; the caller owns it.
    [[nodiscard]] ORKStepViewController* make(const std::shared_ptr<ORKStep>& step,
                                              ORKTaskViewController& task) const;

private:
    [[nodiscard]] ORKStepViewController* makeStock(const std::shared_ptr<ORKStep>& step,
                                                   StepKind kind,
                                                   ORKTaskViewController& task) const;

    DebugConsole m_console;
    Camera m_camera;
    struct Registration {
        StepKind kind;
        Maker maker;
    };
    QList<Registration> m_makers;
};

}  // namespace pathloom
