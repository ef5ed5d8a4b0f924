#include "screens/FrameworkStepScreens.h"

#include "screens/PathloomDisplayViewController.h"
#include "screens/PathloomListViewController.h"
#include "screens/PathloomNetworkDisplayViewController.h"
#include "screens/PathloomNetworkListViewController.h"
#include "screens/PathloomNetworkStepViewController.h"
#include "screens/PathloomSimulateNetworkViewController.h"
#include "taskscreens/StepScreenFactory.h"

namespace pathloom {

void FrameworkStepScreens::registerWith(StepScreenFactory& factory, const Services& services) {
    using Step = std::shared_ptr<ORKStep>;
    factory.registerKind(StepKind::network, [](const Step& step, ORKTaskViewController& task) {
        return new PathloomNetworkStepViewController(step, task);
    });
    factory.registerKind(StepKind::simulatedNetwork,
                         [](const Step& step, ORKTaskViewController& task) {
                             return new PathloomSimulateNetworkViewController(step, task);
                         });
    const SymbolCatalogue& symbols = services.symbols;
    factory.registerKind(StepKind::list, [&symbols](const Step& step, ORKTaskViewController& task) {
        return new PathloomListViewController(step, task, symbols);
    });
    factory.registerKind(StepKind::remoteList,
                         [&symbols](const Step& step, ORKTaskViewController& task) {
                             return new PathloomNetworkListViewController(step, task, symbols);
                         });
    const DebugConsole console = services.console;
    factory.registerKind(StepKind::display,
                         [&symbols, console](const Step& step, ORKTaskViewController& task) {
                             return new PathloomDisplayViewController(step, task, symbols, console);
                         });
    factory.registerKind(StepKind::remoteDisplay, [&symbols, console](const Step& step,
                                                                      ORKTaskViewController& task) {
        return new PathloomNetworkDisplayViewController(step, task, symbols, console);
    });
}

}  // namespace pathloom
