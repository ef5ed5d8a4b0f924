#pragma once

#include "documents/AppData.h"
#include "foundation/Error.h"
#include "loading/AppConfiguration.h"
#include "loading/Localization.h"

#include <QList>
#include <QStringList>
#include <expected>
#include <memory>
#include <optional>

// Turning a decoded app document into an app: one navigable task per workflow, its steps built by
// the first step factory that knows their type, and one result-equality rule per navigation rule.
namespace pathloom {

class AuthRedirectHandler;
class ImageLoader;
class KeyStore;
class NetworkManager;
class ORKStep;
class Session;
class StepFactory;
struct StepContext;

// What every workflow of one load is built with.
struct AssemblyContext {
    std::shared_ptr<ImageLoader> imageLoader;
    std::shared_ptr<Session> stepsSession;
    QList<std::shared_ptr<const StepFactory>> factories;
    std::shared_ptr<const AuthRedirectHandler> authRedirectHandler;
    // Where each workflow's credentials store reads the session token.
    std::shared_ptr<KeyStore> keyStore;
    // The languages to translate into, in preference order; the system's when absent.
    std::optional<QStringList> preferredLanguages;
};

// The app of `appData`; the first step that fails to build fails the whole assembly.
[[nodiscard]] std::expected<AppConfiguration, Error> buildAppConfiguration(
    const AppData& appData, const AssemblyContext& context);

// One workflow, with a network client of its own bound to the active server and the shared
// session. Step documents of a type no factory builds are left out.
[[nodiscard]] std::expected<Workflow, Error> buildWorkflow(
    const WorkflowData& workflowData, const std::optional<QString>& appName,
    const std::optional<Server>& activeServer,
    const std::shared_ptr<const Localization>& localization, const AssemblyContext& context);

// The network client every step of one workflow shares: bound to `activeServer` and the shared
// session, with a credentials store of its own.
[[nodiscard]] std::shared_ptr<NetworkManager> workflowNetworkManager(
    const std::optional<Server>& activeServer, const AssemblyContext& context);

// One step document of `workflowData`, built by the first factory that knows its type; a null
// step when none does. A failure names the step and the workflow by their identifiers.
[[nodiscard]] std::expected<std::shared_ptr<ORKStep>, Error> buildWorkflowStep(
    const StepData& stepData, const WorkflowData& workflowData, const StepContext& stepContext,
    const std::shared_ptr<NetworkManager>& networkManager, const Localization& localization,
    const AssemblyContext& context);

}  // namespace pathloom
