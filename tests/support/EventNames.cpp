#include "EventNames.h"

namespace pathloom::test {

using namespace Qt::StringLiterals;

void EventNames::log(const QString& name, const std::optional<QVariantMap>& properties) {
    const QString step =
        properties ? properties->value(u"step_identifier"_s).toString() : QString();
    names.append(step.isEmpty() ? name : name + u' ' + step);
}

}  // namespace pathloom::test
