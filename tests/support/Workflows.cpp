#include "Workflows.h"

#include "taskmodel/ORKInstructionStep.h"
#include "taskmodel/ORKNavigableOrderedTask.h"

namespace pathloom::test {

using namespace Qt::StringLiterals;

Workflow workflow(qint64 id, std::optional<QString> name, const QStringList& steps) {
    QList<std::shared_ptr<ORKStep>> instructions;
    for (const QString& identifier : steps) {
        instructions.append(std::make_shared<ORKInstructionStep>(identifier));
    }
    return {id, std::move(name), std::nullopt,
            std::make_shared<ORKNavigableOrderedTask>(u"w%1"_s.arg(id), instructions)};
}

}  // namespace pathloom::test
