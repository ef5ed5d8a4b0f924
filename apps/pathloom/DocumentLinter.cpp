#include "DocumentLinter.h"

#include "JsonPositions.h"
#include "KeyPathCheck.h"
#include "StepGraph.h"
#include "TranslationCheck.h"
#include "documents/TintColor.h"
#include "foundation/Json.h"
#include "foundation/SymbolNames.h"
#include "loading/AppConfigurationManager.h"
#include "run/StepKind.h"
#include "session/URLFormatter.h"
#include "steps/BuildableStep.h"
#include "taskmodel/ORKStep.h"

#include <QRegularExpression>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

using Severity = LintFinding::Severity;

const JsonPath kWorkflows = JsonPath().key(u"workflows"_s);
const QStringList kSystemColours{u"blue"_s,   u"green"_s, u"indigo"_s, u"orange"_s, u"pink"_s,
                                 u"purple"_s, u"red"_s,   u"teal"_s,   u"yellow"_s, u"other"_s};
// Keys whose texts are names or answers, not texts shown, even when a step also shows the same
// text. A choice's "value" goes through translation too, but translating it would change the
// answer sent, so it is not asked for.
const QStringList kNameKeys{u"identifier"_s, u"type"_s, u"_class"_s, u"value"_s};

// One workflow's steps as its task holds them, and what each step document showed.
struct BuiltWorkflow {
    QList<std::shared_ptr<ORKStep>> steps;
    // For each step document, its task position; none when no factory built it.
    QList<std::optional<qsizetype>> taskIndex;
    // For each step document, the texts it asked to translate.
    QList<QSet<QString>> texts;
};

// Calls `visit(text, path, key)` for every string inside `value`, the key being the one it
// stands under (empty inside arrays).
template <typename Visit>
void forEachString(const QJsonValue& value, const JsonPath& path, const QString& key,
                   const Visit& visit) {
    if (value.isString()) {
        visit(value.toString(), path, key);
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            forEachString(it.value(), path.key(it.key()), it.key(), visit);
        }
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            forEachString(array[i], path.index(i), QString(), visit);
        }
    }
}

// Collects findings; one per call.
class Findings {
public:
    void add(Severity severity, const QString& code, const QString& message, const JsonPath& path) {
        m_list.append({severity, code, message, path, std::nullopt});
    }
    void append(const QList<LintFinding>& findings) { m_list.append(findings); }
    QList<LintFinding>& list() { return m_list; }

private:
    QList<LintFinding> m_list;
};

class Checks {
public:
    Checks(const AppData& app, const QJsonObject& document, const DocumentLinter::Options& options,
           Findings& findings)
        : m_app(app), m_document(document), m_options(options), m_findings(findings) {
        for (const WorkflowData& workflow : app.tasks) {
            m_workflowIds.insert(workflow.id);
        }
    }

    void checkApp() {
        checkServer();
        checkTint();
        checkWorkflowIds();
        checkNavigationTargets();
    }

    void checkWorkflow(qsizetype index, const BuiltWorkflow& built, const QSet<QString>& known) {
        const WorkflowData& workflow = m_app.tasks[index];
        const JsonPath path = kWorkflows.index(index);
        if (workflow.sfSymbolName) {
            checkSymbol(*workflow.sfSymbolName, path.key(u"sfSymbolName"_s));
        }
        QStringList identifiers;
        for (const auto& step : built.steps) {
            identifiers.append(step->identifier);
        }
        StepGraph graph(identifiers, workflow.navigationRules);
        KeyPathCheck keyPaths(built.steps, graph, workflow.identifier, known);
        checkSteps(workflow, path, built, graph, keyPaths);
        checkRules(workflow, path, graph, keyPaths);
    }

private:
    void checkServer() {
        if (m_options.serverId && !m_app.activeServer) {
            m_findings.add(
                Severity::error, u"server-unknown"_s,
                u"no server has the id %1 asked for, so relative URLs cannot be sent"_s.arg(
                    *m_options.serverId),
                JsonPath().key(u"servers"_s));
        }
    }

    void checkTint() {
        if (!m_app.appleSystemTintColor) {
            return;
        }
        const JsonPath systemPath = JsonPath().key(u"appleSystemTintColor"_s);
        const QString name = m_app.appleSystemTintColor->toLower();
        if (!kSystemColours.contains(name)) {
            m_findings.add(Severity::warning, u"colour-unknown"_s,
                           u"'%1' is not a system colour (%2); the app is tinted blue"_s.arg(
                               *m_app.appleSystemTintColor, kSystemColours.join(u", "_s)),
                           systemPath);
        } else if (name == u"other" && !m_app.appleHexTintColor) {
            m_findings.add(Severity::warning, u"colour-missing"_s,
                           u"'other' takes its colour from appleHexTintColor, which is missing; "
                           u"the app is tinted blue"_s,
                           systemPath);
        } else if (name == u"other" && !parseHexColor(*m_app.appleHexTintColor)) {
            m_findings.add(
                Severity::warning, u"colour-invalid"_s,
                u"'%1' is not a colour (#RRGGBB or #RRGGBBAA); the app is tinted blue"_s.arg(
                    *m_app.appleHexTintColor),
                JsonPath().key(u"appleHexTintColor"_s));
        }
    }

    void checkWorkflowIds() {
        QSet<qint64> seen;
        for (qsizetype i = 0; i < m_app.tasks.size(); ++i) {
            if (seen.contains(m_app.tasks[i].id)) {
                m_findings.add(Severity::warning, u"workflow-id-repeated"_s,
                               u"another workflow already has the id %1; tabs and links open the "
                               u"first"_s.arg(m_app.tasks[i].id),
                               kWorkflows.index(i).key(u"id"_s));
            }
            seen.insert(m_app.tasks[i].id);
        }
    }

    void checkNavigationTargets() {
        const auto checkKey = [&](int n, const QString& role) {
            const QString key = u"navigationWorkflow%1Id"_s.arg(n);
            const std::optional<qint64> id = json::readInteger(m_document, key);
            if (id && !m_workflowIds.contains(*id)) {
                m_findings.add(Severity::error, u"workflow-id-unknown"_s,
                               u"%1 names workflow %2, which does not exist"_s.arg(role).arg(*id),
                               JsonPath().key(key));
            }
        };
        if (m_app.navigationStyle == AppNavigationStyle::tabBar) {
            for (int n = 1; n <= 5; ++n) {
                checkKey(n, u"tab %1"_s.arg(n));
            }
        } else if (m_app.navigationStyle == AppNavigationStyle::primaryWorkflow) {
            checkKey(1, u"the primary workflow"_s);
        }
        if (m_options.initialWorkflowId && !m_workflowIds.contains(*m_options.initialWorkflowId)) {
            m_findings.add(
                Severity::error, u"workflow-id-unknown"_s,
                u"the initial workflow %1 does not exist"_s.arg(*m_options.initialWorkflowId),
                JsonPath());
        }
    }

    void checkSymbol(const QString& name, const JsonPath& path) {
        if (!SymbolNames::glyphNames().contains(name)) {
            m_findings.add(Severity::warning, u"symbol-unknown"_s,
                           u"no symbol is named '%1', so none is drawn"_s.arg(name), path);
        }
    }

    void checkSteps(const WorkflowData& workflow, const JsonPath& path, const BuiltWorkflow& built,
                    StepGraph& graph, KeyPathCheck& keyPaths) {
        static const QRegularExpression placeholder(URLFormatter::placeholderPattern.toString());
        QHash<QString, qsizetype> firstWithIdentifier;
        for (qsizetype j = 0; j < workflow.steps.size(); ++j) {
            const StepData& data = workflow.steps[j];
            const JsonPath stepPath = path.key(u"steps"_s).index(j);
            if (const auto first = firstWithIdentifier.constFind(data.identifier);
                first != firstWithIdentifier.constEnd()) {
                m_findings.add(Severity::error, u"step-identifier-repeated"_s,
                               u"steps[%1] already has the identifier '%2'; rules, results and "
                               u"placeholders find only that one"_s.arg(*first)
                                   .arg(data.identifier),
                               stepPath.key(u"identifier"_s));
            } else {
                firstWithIdentifier.insert(data.identifier, j);
            }
            const std::optional<qsizetype> position = built.taskIndex[j];
            if (!position) {
                m_findings.add(
                    Severity::warning, u"step-type-unknown"_s,
                    u"no step kind is named '%1', so the step is left out"_s.arg(data.type),
                    stepPath.key(u"type"_s));
                continue;
            }
            if (!graph.isReachable(*position)) {
                m_findings.add(
                    Severity::warning, u"step-unreachable"_s,
                    u"no path from the first step comes to step '%1'"_s.arg(data.identifier),
                    stepPath);
            }
            forEachString(data.content, stepPath, QString(),
                          [&](const QString& text, const JsonPath& at, const QString& key) {
                              if (key == u"sfSymbolName") {
                                  checkSymbol(text, at);
                              } else if (key == u"url" || key == u"pdfURL") {
                                  auto matches = placeholder.globalMatch(text);
                                  while (matches.hasNext()) {
                                      const QString inner = matches.next().captured(0);
                                      checkKeyPath(keyPaths, inner.mid(1, inner.size() - 2),
                                                   *position, KeyPathCheck::Use::url, at);
                                  }
                              }
                          });
            checkWorkflowLinks(*built.steps[*position], data, stepPath);
        }
    }

    void checkWorkflowLinks(const ORKStep& step, const StepData& data, const JsonPath& stepPath) {
        const StepKind kind = stepKind(step);
        if (kind == StepKind::list || kind == StepKind::remoteList) {
            const QList<QJsonObject> workflows =
                json::readObjectList(data.content, u"workflows").value_or(QList<QJsonObject>());
            for (qsizetype k = 0; k < workflows.size(); ++k) {
                const std::optional<qint64> id = json::readInteger(workflows[k], u"id");
                if (id && !m_workflowIds.contains(*id)) {
                    m_findings.add(Severity::error, u"workflow-id-unknown"_s,
                                   u"the list offers workflow %1, which does not exist"_s.arg(*id),
                                   stepPath.key(u"workflows"_s).index(k).key(u"id"_s));
                }
            }
        }
        if (kind != StepKind::display) {
            return;
        }
        const QList<QJsonObject> items =
            json::readObjectList(data.content, u"items").value_or(QList<QJsonObject>());
        for (qsizetype k = 0; k < items.size(); ++k) {
            const std::optional<QString> name = json::readString(items[k], u"modalWorkflow");
            if (name) {
                checkWorkflowName(*name, stepPath.key(u"items"_s).index(k).key(u"modalWorkflow"_s));
            }
        }
    }

    void checkWorkflowName(const QString& name, const JsonPath& path) {
        QString hint;
        for (const WorkflowData& workflow : m_app.tasks) {
            if (workflow.name == name) {
                return;
            }
            if (workflow.name && hint.isEmpty() &&
                workflow.name->compare(name, Qt::CaseInsensitive) == 0) {
                hint = u" (a workflow is named '%1': names must match in letter case too)"_s.arg(
                    *workflow.name);
            }
        }
        m_findings.add(Severity::error, u"workflow-name-unknown"_s,
                       u"no workflow is named '%1'%2"_s.arg(name, hint), path);
    }

    void checkKeyPath(KeyPathCheck& keyPaths, const QString& keyPath, qsizetype usedAt,
                      KeyPathCheck::Use use, const JsonPath& path) {
        const std::optional<KeyPathCheck::Problem> problem = keyPaths.check(keyPath, usedAt, use);
        if (!problem) {
            return;
        }
        const bool url = use == KeyPathCheck::Use::url;
        m_findings.add(problem->severity,
                       (url ? u"placeholder-"_s : u"rule-keypath-"_s) + problem->kind,
                       (url ? u"{%1}: "_s : u"%1: "_s).arg(keyPath) + problem->message, path);
    }

    void checkRules(const WorkflowData& workflow, const JsonPath& path, const StepGraph& graph,
                    KeyPathCheck& keyPaths) {
        const JsonPath rulesPath = path.key(u"navigationRules"_s);
        QHash<QString, qsizetype> lastFor;
        for (qsizetype k = 0; k < workflow.navigationRules.size(); ++k) {
            lastFor.insert(workflow.navigationRules[k].fromStepIdentifier, k);
        }
        for (qsizetype k = 0; k < workflow.navigationRules.size(); ++k) {
            const NavigationRule& rule = workflow.navigationRules[k];
            const JsonPath rulePath = rulesPath.index(k);
            const std::optional<qsizetype> trigger = graph.indexOf(rule.fromStepIdentifier);
            if (!trigger) {
                m_findings.add(
                    Severity::warning, u"rule-trigger-unknown"_s,
                    u"'%1' is not a step of workflow '%2', so this rule never runs"_s.arg(
                        rule.fromStepIdentifier, workflow.identifier),
                    rulePath.key(u"from"_s));
            }
            const qsizetype last = lastFor.value(rule.fromStepIdentifier);
            if (last != k) {
                m_findings.add(
                    Severity::warning, u"rule-trigger-repeated"_s,
                    u"navigationRules[%1] is also for step '%2' and replaces this rule"_s.arg(last)
                        .arg(rule.fromStepIdentifier),
                    rulePath.key(u"from"_s));
            }
            for (qsizetype m = 0; m < rule.destinationsRules.size(); ++m) {
                const NavigationDestinationRule& destination = rule.destinationsRules[m];
                const JsonPath destinationPath = rulePath.key(u"rules"_s).index(m);
                if (!graph.indexOf(destination.toStepIdentifier)) {
                    m_findings.add(Severity::error, u"rule-destination-unknown"_s,
                                   u"'%1' is not a step of workflow '%2'; the task goes on to the "
                                   u"next step instead"_s.arg(destination.toStepIdentifier,
                                                              workflow.identifier),
                                   destinationPath.key(u"to"_s));
                }
                if (trigger && last == k && destination.propertyKeyPath) {
                    checkKeyPath(keyPaths, *destination.propertyKeyPath, *trigger,
                                 KeyPathCheck::Use::rule,
                                 destinationPath.key(u"propertyKeyPath"_s));
                }
            }
        }
    }

    const AppData& m_app;
    QJsonObject m_document;
    const DocumentLinter::Options& m_options;
    Findings& m_findings;
    QSet<qint64> m_workflowIds;
};

// Every place a built step shows one of the texts it asked to translate.
QList<TranslationCheck::Text> shownTexts(const AppData& app, const QList<BuiltWorkflow>& built) {
    QList<TranslationCheck::Text> texts;
    for (qsizetype i = 0; i < app.tasks.size(); ++i) {
        for (qsizetype j = 0; j < app.tasks[i].steps.size(); ++j) {
            const QSet<QString>& asked = built[i].texts[j];
            if (asked.isEmpty()) {
                continue;
            }
            forEachString(app.tasks[i].steps[j].content,
                          kWorkflows.index(i).key(u"steps"_s).index(j), QString(),
                          [&](const QString& text, const JsonPath& at, const QString& key) {
                              if (!kNameKeys.contains(key) && !text.trimmed().isEmpty() &&
                                  asked.contains(text)) {
                                  texts.append({at, text});
                              }
                          });
        }
    }
    return texts;
}

void locate(QList<LintFinding>& findings, const QByteArray& text) {
    QList<JsonPath> paths;
    for (const LintFinding& finding : findings) {
        paths.append(finding.path);
    }
    const std::optional<JsonPositions> positions = JsonPositions::locate(text, paths);
    if (!positions) {
        return;
    }
    for (LintFinding& finding : findings) {
        if (!finding.path.isRoot()) {
            finding.position = positions->position(finding.path);
        }
    }
}

}  // namespace

DocumentLinter::DocumentLinter(const AppConfigurationManager& manager)
    : DocumentLinter(AssemblyContext{manager.imageLoader(), manager.stepsSession(),
                                     manager.factories(), nullptr, manager.keyStore(),
                                     std::nullopt}) {}

std::expected<QList<LintFinding>, Error> DocumentLinter::lint(const QByteArray& text,
                                                              const Options& options) const {
    const std::expected<QJsonValue, JsonError> json = json::parse(text);
    if (!json) {
        return std::unexpected(json.error());
    }
    const std::expected<AppData, Error> app = AppConfigurationManager::decodeDocument(
        *json, options.serverId, options.initialWorkflowId, *m_context.imageLoader);
    if (!app) {
        return std::unexpected(app.error());
    }

    // Each step is built as assembly builds it, with a table-less localization that notes the
    // texts the step would translate.
    QSet<QString>* asked = nullptr;
    const Localization localization(app->translationLocales, QStringList(),
                                    [&asked](const QString& text) { asked->insert(text); });
    QList<BuiltWorkflow> built(app->tasks.size());
    for (qsizetype i = 0; i < app->tasks.size(); ++i) {
        const WorkflowData& workflow = app->tasks[i];
        const auto networkManager = workflowNetworkManager(app->activeServer, m_context);
        const StepContext stepContext{app->name, workflow.name};
        BuiltWorkflow& steps = built[i];
        steps.texts.resize(workflow.steps.size());
        for (qsizetype j = 0; j < workflow.steps.size(); ++j) {
            asked = &steps.texts[j];
            std::expected<std::shared_ptr<ORKStep>, Error> step = buildWorkflowStep(
                workflow.steps[j], workflow, stepContext, networkManager, localization, m_context);
            if (!step) {
                return std::unexpected(step.error());
            }
            steps.taskIndex.append(*step ? std::optional(steps.steps.size()) : std::nullopt);
            if (*step) {
                steps.steps.append(std::move(*step));
            }
        }
    }

    Findings findings;
    Checks checks(*app, json->toObject(), options, findings);
    checks.checkApp();
    // A key a workflow's own steps do not fill may come from another workflow's (the session is
    // shared while one opens another) or from the session values given at load.
    QSet<QString> known = options.sessionNames;
    for (const BuiltWorkflow& workflow : built) {
        known.unite(KeyPathCheck::sessionKeys(workflow.steps));
    }
    for (qsizetype i = 0; i < app->tasks.size(); ++i) {
        checks.checkWorkflow(i, built[i], known);
    }
    findings.append(TranslationCheck::check(app->translationLocales, shownTexts(*app, built),
                                            options.languages));

    QList<LintFinding>& list = findings.list();
    if (options.positions) {
        locate(list, text);
    }
    std::stable_sort(list.begin(), list.end(), [](const LintFinding& a, const LintFinding& b) {
        if (a.position.has_value() != b.position.has_value()) {
            return a.position.has_value();
        }
        if (a.position != b.position) {
            return *a.position < *b.position;
        }
        return a.path.text() < b.path.text();
    });
    return list;
}

}  // namespace pathloom
