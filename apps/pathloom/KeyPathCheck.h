#pragma once

#include "LintFinding.h"
#include "StepGraph.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace pathloom {

class ORKStep;

// Whether a dotted key path (a {pick.selected.id} placeholder of a URL, a rule's property key
// path) finds a value where it is used: its first word must name a step of the workflow that can
// have run by then (or a form item of one), or a session value, and the rest a property that
// step's result has.
class KeyPathCheck {
public:
    enum class Use { url, rule };
    struct Problem {
        LintFinding::Severity severity;
        // "source-unknown", "step-later" or "property-unknown".
        QString kind;
        QString message;
    };

    // `steps` in task order, as `graph` numbers them. `knownElsewhere`: keys that other
    // workflows' steps or the session values given at load fill; a path starting with one that
    // no step of this workflow fills is not checked further.
    KeyPathCheck(const QList<std::shared_ptr<ORKStep>>& steps, StepGraph& graph,
                 QString workflowIdentifier, QSet<QString> knownElsewhere);

    // `usedAt`: the step whose URL holds the path, or the trigger of the rule (whose own result
    // is in the session by the time its rule is asked).
    [[nodiscard]] std::optional<Problem> check(const QString& keyPath, qsizetype usedAt, Use use);

    // The keys the steps of a workflow fill: their identifiers and their form items'.
    [[nodiscard]] static QSet<QString> sessionKeys(const QList<std::shared_ptr<ORKStep>>& steps);

private:
    enum class Holds { answer, listSelection, networkResponse, formAnswers, nothing };
    struct Source {
        Holds holds = Holds::nothing;
        qsizetype step = 0;
        QString kindName;
        QStringList items;
    };

    [[nodiscard]] std::optional<Problem> checkProperty(const QStringList& words,
                                                       const Source& source, Use use) const;

    StepGraph& m_graph;
    QString m_workflowIdentifier;
    QSet<QString> m_knownElsewhere;
    QHash<QString, Source> m_sources;
    QStringList m_identifiers;
};

}  // namespace pathloom
