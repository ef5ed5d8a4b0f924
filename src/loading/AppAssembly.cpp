#include "loading/AppAssembly.h"

#include "network/CredentialsStore.h"
#include "network/NetworkManager.h"
#include "network/SecurityStore.h"
#include "session/ResultEqualityStepNavigationRule.h"
#include "session/Session.h"
#include "session/URLFormatter.h"
#include "steps/StepFactory.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

const Workflow* workflowWithId(const QList<Workflow>& workflows, const std::optional<qint64>& id) {
    if (!id) {
        return nullptr;
    }
    const auto found = std::find_if(workflows.begin(), workflows.end(),
                                    [&](const Workflow& workflow) { return workflow.id == *id; });
    return found == workflows.end() ? nullptr : &*found;
}

std::optional<Workflow> optionalWorkflow(const Workflow* workflow) {
    return workflow ? std::optional(*workflow) : std::nullopt;
}

}  // namespace

std::expected<AppConfiguration, Error> buildAppConfiguration(const AppData& appData,
                                                             const AssemblyContext& context) {
    const auto localization =
        context.preferredLanguages
            ? std::make_shared<const Localization>(appData.translationLocales,
                                                   *context.preferredLanguages)
            : std::make_shared<const Localization>(appData.translationLocales);

    AppConfiguration configuration;
    configuration.id = appData.id;
    configuration.name = appData.name;
    for (const WorkflowData& workflowData : appData.tasks) {
        std::expected<Workflow, Error> workflow =
            buildWorkflow(workflowData, appData.name, appData.activeServer, localization, context);
        if (!workflow) {
            return std::unexpected(workflow.error());
        }
        configuration.tasks.append(std::move(*workflow));
    }
    configuration.navigationStyle = appData.navigationStyle;
    configuration.primaryWorkflow =
        optionalWorkflow(workflowWithId(configuration.tasks, appData.primaryWorkflowId));
    configuration.initialWorkflow =
        optionalWorkflow(workflowWithId(configuration.tasks, appData.initialWorkflowId));
    configuration.tabIds = appData.tabIds;
    configuration.systemTintColor = appData.tintColor();
    configuration.analyticsURL =
        appData.shouldGatherAnalytics ? appData.analyticsURL : std::nullopt;
    return configuration;
}

std::expected<Workflow, Error> buildWorkflow(
    const WorkflowData& workflowData, const std::optional<QString>& appName,
    const std::optional<Server>& activeServer,
    const std::shared_ptr<const Localization>& localization, const AssemblyContext& context) {
    const auto networkManager = workflowNetworkManager(activeServer, context);
    const StepContext stepContext{appName, workflowData.name};

    QList<std::shared_ptr<ORKStep>> steps;
    for (const StepData& stepData : workflowData.steps) {
        std::expected<std::shared_ptr<ORKStep>, Error> step = buildWorkflowStep(
            stepData, workflowData, stepContext, networkManager, *localization, context);
        if (!step) {
            return std::unexpected(step.error());
        }
        if (*step) {
            steps.append(std::move(*step));
        }
    }

    auto task =
        std::make_shared<ORKNavigableOrderedTask>(workflowData.identifier, std::move(steps));
    for (const NavigationRule& rule : workflowData.navigationRules) {
        task->setNavigationRule(std::make_shared<ResultEqualityStepNavigationRule>(
                                    context.stepsSession, rule.destinationsRules),
                                rule.fromStepIdentifier);
    }
    return Workflow{workflowData.id, workflowData.name, workflowData.sfSymbolName, std::move(task)};
}

std::shared_ptr<NetworkManager> workflowNetworkManager(const std::optional<Server>& activeServer,
                                                       const AssemblyContext& context) {
    return NetworkManager::create(activeServer, context.stepsSession,
                                  URLFormatter::placeholderPattern.toString(),
                                  std::make_shared<const CredentialsStore>(
                                      std::make_shared<const SecurityStore>(context.keyStore)),
                                  context.authRedirectHandler);
}

std::expected<std::shared_ptr<ORKStep>, Error> buildWorkflowStep(
    const StepData& stepData, const WorkflowData& workflowData, const StepContext& stepContext,
    const std::shared_ptr<NetworkManager>& networkManager, const Localization& localization,
    const AssemblyContext& context) {
    const auto factory =
        std::find_if(context.factories.begin(), context.factories.end(),
                     [&](const auto& candidate) { return candidate->canBuild(stepData.type); });
    if (factory == context.factories.end()) {
        return nullptr;
    }
    StepBuildResult step = (*factory)->buildStep(stepData, stepContext, networkManager,
                                                 context.imageLoader, localization);
    if (!step) {
        return std::unexpected(ParseError::invalidStepData(
            u"Failed to parse step '"_s + stepData.identifier + u"' in workflow '"_s +
            workflowData.identifier + u"':\n"_s + step.error().localizedDescription()));
    }
    return std::move(*step);
}

}  // namespace pathloom
