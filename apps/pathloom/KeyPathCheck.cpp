#include "KeyPathCheck.h"

#include "run/StepKind.h"
#include "taskmodel/ORKFormStep.h"

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

const QStringList kEntryValues{u"id"_s, u"text"_s, u"detailText"_s, u"sfSymbolName"_s};

QStringList answeringItems(const ORKFormStep& form) {
    QStringList items;
    for (const std::shared_ptr<ORKFormItem>& item : form.formItems) {
        if (item && item->answerFormat) {
            items.append(item->identifier);
        }
    }
    return items;
}

}  // namespace

KeyPathCheck::KeyPathCheck(const QList<std::shared_ptr<ORKStep>>& steps, StepGraph& graph,
                           QString workflowIdentifier, QSet<QString> knownElsewhere)
    : m_graph(graph),
      m_workflowIdentifier(std::move(workflowIdentifier)),
      m_knownElsewhere(std::move(knownElsewhere)) {
    for (qsizetype index = 0; index < steps.size(); ++index) {
        const ORKStep& step = *steps[index];
        m_identifiers.append(step.identifier);
        const StepKind kind = stepKind(step);
        Source source{Holds::nothing, index, stepKindName(kind), {}};
        switch (kind) {
            case StepKind::question:
                source.holds = Holds::answer;
                break;
            case StepKind::list:
            case StepKind::remoteList:
                source.holds = Holds::listSelection;
                break;
            case StepKind::network:
                source.holds = Holds::networkResponse;
                break;
            case StepKind::form:
                source.holds = Holds::formAnswers;
                source.items = answeringItems(static_cast<const ORKFormStep&>(step));
                for (const QString& item : std::as_const(source.items)) {
                    m_sources.insert(item, Source{Holds::answer, index, u"form item"_s, {}});
                }
                break;
            default:
                break;
        }
        // The first step of an identifier is the one the task knows.
        if (!m_sources.contains(step.identifier) || kind == StepKind::form) {
            m_sources.insert(step.identifier, std::move(source));
        }
    }
}

QSet<QString> KeyPathCheck::sessionKeys(const QList<std::shared_ptr<ORKStep>>& steps) {
    QSet<QString> keys;
    for (const std::shared_ptr<ORKStep>& step : steps) {
        keys.insert(step->identifier);
        if (const auto* form = dynamic_cast<const ORKFormStep*>(step.get())) {
            for (const QString& item : answeringItems(*form)) {
                keys.insert(item);
            }
        }
    }
    return keys;
}

std::optional<KeyPathCheck::Problem> KeyPathCheck::check(const QString& keyPath, qsizetype usedAt,
                                                         Use use) {
    const QStringList words = keyPath.split(u'.');
    const auto source = m_sources.constFind(words.first());
    if (source == m_sources.constEnd()) {
        if (m_knownElsewhere.contains(words.first())) {
            return std::nullopt;
        }
        return Problem{LintFinding::Severity::warning, u"source-unknown"_s,
                       u"no step of workflow '%1' and no session value is named '%2'"_s.arg(
                           m_workflowIdentifier, words.first())};
    }
    const bool ranBefore =
        (use == Use::rule && source->step == usedAt) || m_graph.canRunBefore(source->step, usedAt);
    if (!ranBefore) {
        return Problem{LintFinding::Severity::error, u"step-later"_s,
                       u"'%1' cannot have run before step '%2' on any path, so it has no value "
                       u"there"_s.arg(words.first(), m_identifiers.value(usedAt))};
    }
    return checkProperty(words, *source, use);
}

std::optional<KeyPathCheck::Problem> KeyPathCheck::checkProperty(const QStringList& words,
                                                                 const Source& source,
                                                                 Use use) const {
    const auto problem = [](const QString& message) {
        return Problem{LintFinding::Severity::error, u"property-unknown"_s, message};
    };
    const QString& name = words.first();
    const QString property = words.value(1);
    const QString compared =
        use == Use::url ? u"a URL cannot hold"_s : u"a rule cannot compare with a text"_s;
    switch (source.holds) {
        case Holds::answer:
            if (property != u"answer") {
                return problem(u"the %1 '%2' keeps its value under 'answer': %2.answer"_s.arg(
                    source.kindName == u"form item" ? source.kindName : u"question"_s, name));
            }
            return std::nullopt;
        case Holds::listSelection:
            if (property != u"selected") {
                return problem(
                    u"the list '%1' keeps its choice under 'selected': %1.selected.id"_s.arg(name));
            }
            if (words.size() < 3) {
                return problem(
                    u"'%1.selected' is a whole list entry, which %2; name one of its "
                    u"values: %3"_s.arg(name, compared, kEntryValues.join(u", "_s)));
            }
            if (!kEntryValues.contains(words[2])) {
                return problem(u"a list entry has no '%1'; it has %2"_s.arg(
                    words[2], kEntryValues.join(u", "_s)));
            }
            return std::nullopt;
        case Holds::networkResponse:
            if (property != u"response") {
                return problem(u"the network step '%1' keeps only 'response'"_s.arg(name));
            }
            return problem(
                u"'%1.response' is the whole response map, which %2"_s.arg(name, compared));
        case Holds::formAnswers:
            return problem(
                u"the form '%1' keeps its answers under its items' identifiers (%2)"_s.arg(
                    name, source.items.join(u", "_s)));
        case Holds::nothing:
            return problem(
                u"step '%1' (%2) keeps no value in the session"_s.arg(name, source.kindName));
    }
    return std::nullopt;
}

}  // namespace pathloom
