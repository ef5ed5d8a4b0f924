#pragma once

#include "foundation/DebugConsole.h"

namespace pathloom {

class MailComposer;
class StepScreenFactory;
class SymbolCatalogue;

// Teaches a step screen factory the screens of the framework's own step kinds: network and
// simulated network steps, lists and pages (from the document or the server), e-mail, PDF and
// document capture.
class FrameworkStepScreens {
public:
    // What those screens need besides their step and task; it outlives the factory.
    struct Services {
        const SymbolCatalogue& symbols;
        // Hands the e-mail steps' messages over.
        MailComposer& mailComposer;
        DebugConsole console;
        // Whether document capture may use the computer's camera; otherwise it offers files.
        bool camera = false;
    };

    static void registerWith(StepScreenFactory& factory, const Services& services);
};

}  // namespace pathloom
