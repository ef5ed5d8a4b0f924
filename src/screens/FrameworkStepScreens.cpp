#include "screens/FrameworkStepScreens.h"

#include "screens/PathloomDisplayViewController.h"
#include "screens/PathloomDocumentCaptureViewController.h"
#include "screens/PathloomEmailViewController.h"
#include "screens/PathloomListViewController.h"
#include "screens/PathloomNetworkDisplayViewController.h"
#include "screens/PathloomNetworkListViewController.h"
#include "screens/PathloomNetworkStepViewController.h"
#include "screens/PathloomPDFViewController.h"
#include "screens/PathloomSimulateNetworkViewController.h"
#include "taskscreens/StepScreenFactory.h"

namespace pathloom {

void FrameworkStepScreens::registerWith(StepScreenFactory& factory, const Services& services) {
    using Step = std::shared_ptr<ORKStep>;
    using Task = ORKTaskViewController;
    factory.registerKind(StepKind::network, [](const Step& step, Task& task) {
        return new PathloomNetworkStepViewController(step, task);
    });
    factory.registerKind(StepKind::simulatedNetwork, [](const Step& step, Task& task) {
        return new PathloomSimulateNetworkViewController(step, task);
    });
    const SymbolCatalogue* symbols = &services.symbols;
    factory.registerKind(StepKind::list, [symbols](const Step& step, Task& task) {
        return new PathloomListViewController(step, task, *symbols);
    });
    factory.registerKind(StepKind::remoteList, [symbols](const Step& step, Task& task) {
        return new PathloomNetworkListViewController(step, task, *symbols);
    });
    const DebugConsole console = services.console;
    factory.registerKind(StepKind::display, [symbols, console](const Step& step, Task& task) {
        return new PathloomDisplayViewController(step, task, *symbols, console);
    });
    factory.registerKind(StepKind::remoteDisplay, [symbols, console](const Step& step, Task& task) {
        return new PathloomNetworkDisplayViewController(step, task, *symbols, console);
    });
    MailComposer* mail = &services.mailComposer;
    factory.registerKind(StepKind::email, [mail](const Step& step, Task& task) {
        return new PathloomEmailViewController(step, task, *mail);
    });
    factory.registerKind(StepKind::pdf, [](const Step& step, Task& task) {
        return new PathloomPDFViewController(step, task);
    });
    factory.registerKind(StepKind::documentCapture,
                         [camera = services.camera](const Step& step, Task& task) {
                             return new PathloomDocumentCaptureViewController(step, task, camera);
                         });
}

}  // namespace pathloom
